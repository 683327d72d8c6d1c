// The 排列 menu and tool bar: aligning, distributing, centring and sizing the
// selected items as one step each (the geometry is model/arrange.h's), and
// the snap entries with the grid's spacing, kept in the settings.

#include "app/fmain.h"

#include "app/propertiespanel.h"
#include "canvas/canvaslabel.h"
#include "model/arrange.h"
#include "model/labelundo.h"
#include "storage/document.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

namespace {

struct TArrangeRow {
    const char *Name; // nullptr: a separator
    const char *Caption = nullptr;
    TArrange How = TArrange::AlignLeft;
};

const TArrangeRow kArrangeRows[] = {
    {"AlignLeft1", QT_TRANSLATE_NOOP("TFMain", "左对齐"), TArrange::AlignLeft},
    {"AlignCentre1", QT_TRANSLATE_NOOP("TFMain", "水平居中对齐"), TArrange::AlignCentre},
    {"AlignRight1", QT_TRANSLATE_NOOP("TFMain", "右对齐"), TArrange::AlignRight},
    {nullptr},
    {"AlignTop1", QT_TRANSLATE_NOOP("TFMain", "顶端对齐"), TArrange::AlignTop},
    {"AlignMiddle1", QT_TRANSLATE_NOOP("TFMain", "垂直居中对齐"), TArrange::AlignMiddle},
    {"AlignBottom1", QT_TRANSLATE_NOOP("TFMain", "底端对齐"), TArrange::AlignBottom},
    {nullptr},
    {"DistributeHorz1", QT_TRANSLATE_NOOP("TFMain", "水平等距分布"), TArrange::DistributeHorz},
    {"DistributeVert1", QT_TRANSLATE_NOOP("TFMain", "垂直等距分布"), TArrange::DistributeVert},
    {nullptr},
    {"CentreHorz1", QT_TRANSLATE_NOOP("TFMain", "在标签上水平居中"), TArrange::CentreHorz},
    {"CentreVert1", QT_TRANSLATE_NOOP("TFMain", "在标签上垂直居中"), TArrange::CentreVert},
    {nullptr},
    {"SameWidth1", QT_TRANSLATE_NOOP("TFMain", "相同宽度"), TArrange::SameWidth},
    {"SameHeight1", QT_TRANSLATE_NOOP("TFMain", "相同高度"), TArrange::SameHeight},
};

// A 20 x 20 glyph: grey boxes and a dark line, drawn for the horizontal
// arrangement and turned for the vertical one.
QIcon ArrangeGlyph(TArrange how)
{
    bool turn = false;
    QList<QRect> boxes;
    QList<QLine> lines;
    QRect outline;
    switch (how) {
    case TArrange::AlignTop: turn = true; [[fallthrough]];
    case TArrange::AlignLeft:
        boxes = {{4, 4, 12, 4}, {4, 12, 7, 4}};
        lines = {{3, 1, 3, 18}};
        break;
    case TArrange::AlignMiddle: turn = true; [[fallthrough]];
    case TArrange::AlignCentre:
        boxes = {{4, 4, 12, 4}, {7, 12, 6, 4}};
        lines = {{10, 1, 10, 18}};
        break;
    case TArrange::AlignBottom: turn = true; [[fallthrough]];
    case TArrange::AlignRight:
        boxes = {{4, 4, 12, 4}, {9, 12, 7, 4}};
        lines = {{16, 1, 16, 18}};
        break;
    case TArrange::DistributeVert: turn = true; [[fallthrough]];
    case TArrange::DistributeHorz:
        boxes = {{1, 5, 4, 10}, {8, 3, 4, 14}, {15, 6, 4, 8}};
        break;
    case TArrange::CentreVert: turn = true; [[fallthrough]];
    case TArrange::CentreHorz:
        outline = {1, 3, 17, 13};
        boxes = {{7, 7, 5, 5}};
        lines = {{9, 1, 9, 18}};
        break;
    case TArrange::SameHeight: turn = true; [[fallthrough]];
    case TArrange::SameWidth:
        boxes = {{4, 3, 12, 5}, {4, 12, 12, 5}};
        lines = {{3, 1, 3, 18}, {16, 1, 16, 18}};
        break;
    }
    auto t = [turn](QRect r) { return turn ? QRect(r.y(), r.x(), r.height(), r.width()) : r; };
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    if (!outline.isNull()) {
        p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
        p.drawRect(t(outline));
    }
    p.setPen(QPen(QColor(0x30, 0x50, 0x90), 1));
    p.setBrush(QColor(0xA8, 0xC0, 0xE8));
    for (const QRect &r : std::as_const(boxes))
        p.drawRect(t(r));
    p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
    for (const QLine &l : std::as_const(lines))
        p.drawLine(turn ? QLine(l.y1(), l.x1(), l.y2(), l.x2()) : l);
    return QIcon(pm);
}

} // namespace

void TFMain::BuildArrange()
{
    auto *menu = new QMenu(tr("排列(&A)"), this);
    menu->setObjectName(QStringLiteral("Arrange1"));
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("pArrange"));
    bar->setMovable(true);
    // A row of its own: beside the other bands most of it would be folded away.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, bar);
    for (const TArrangeRow &r : kArrangeRows) {
        if (!r.Name) {
            menu->addSeparator();
            bar->addSeparator();
            continue;
        }
        auto *a = new QAction(ArrangeGlyph(r.How), tr(r.Caption), this);
        a->setObjectName(QString::fromLatin1(r.Name));
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, how = r.How] { ArrangeSelection(how); });
        menu->addAction(a);
        arrangeActions_.append({a, r.How});
        auto *b = new QToolButton(bar);
        b->setObjectName(QLatin1String("sb") + a->objectName().chopped(1));
        b->setDefaultAction(a);
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        bar->addWidget(b);
    }

    // Snapping sits beside the grid it uses in 编辑, and again under 排列.
    auto check = [this](const char *name, const QString &caption) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, &TFMain::SnapToggled);
        return a;
    };
    SnapToGrid1 = check("SnapToGrid1", tr("对齐网格"));
    SnapToItems1 = check("SnapToItems1", tr("对齐对象"));
    GridSpacing1 = new QAction(tr("网格间距..."), this);
    GridSpacing1->setObjectName(QStringLiteral("GridSpacing1"));
    connect(GridSpacing1, &QAction::triggered, this, &TFMain::GridSpacing1Click);
    const QList<QAction *> snapping{SnapToGrid1, SnapToItems1, GridSpacing1};
    menu->addSeparator();
    menu->addActions(snapping);
    if (auto *edit = findChild<QMenu *>(QStringLiteral("Edit1"))) {
        const QList<QAction *> entries = edit->actions();
        const qsizetype at = entries.indexOf(AutoSaveSequence) + 1;
        QAction *before = at > 0 && at < entries.size() ? entries[at] : nullptr;
        edit->insertSeparator(before);
        edit->insertActions(before, snapping);
    }

    QMenuBar *menus = menuBar();
    auto *help = findChild<QMenu *>(QStringLiteral("Help1"));
    menus->insertMenu(help ? help->menuAction() : nullptr, menu);
    connect(menu, &QMenu::aboutToShow, this, &TFMain::RefreshArrangeActions);
}

void TFMain::ApplySnapSettings()
{
    SnapToGrid1->setChecked(Settings.SnapToGrid);
    SnapToItems1->setChecked(Settings.SnapToItems);
    Surface->SnapToGrid = Settings.SnapToGrid;
    Surface->SnapToItems = Settings.SnapToItems;
    Surface->GridInches = Settings.GridInches;
    Surface->GridCentimetres = Settings.GridCentimetres;
    Surface->GridMillimetres = Settings.GridMillimetres;
}

void TFMain::SnapToggled()
{
    Settings.SnapToGrid = SnapToGrid1->isChecked();
    Settings.SnapToItems = SnapToItems1->isChecked();
    ApplySnapSettings();
}

void TFMain::GridSpacing1Click()
{
    // In the label's own unit; each unit keeps its own spacing.
    const TLabelUnit unit = LabelUnit(Surface->LabelFormat);
    const bool metric = unit == TLabelUnit::Centimetre, mm = unit == TLabelUnit::Millimetre;
    double &spacing = mm ? Settings.GridMillimetres : metric ? Settings.GridCentimetres : Settings.GridInches;
    QInputDialog dlg(this);
    dlg.setObjectName(QStringLiteral("GridSpacingDialog"));
    dlg.setWindowTitle(tr("网格间距"));
    dlg.setLabelText(mm       ? tr("网格间距（毫米）：")
                     : metric ? tr("网格间距（厘米）：")
                              : tr("网格间距（英寸）："));
    dlg.setInputMode(QInputDialog::DoubleInput);
    dlg.setDoubleDecimals(mm ? 1 : metric ? 2 : 3);
    dlg.setDoubleRange(kMinGridSpacing * (mm ? 10 : 1), kMaxGridSpacing * (mm ? 10 : 1));
    dlg.setDoubleValue(spacing);
    CentreOnMain(&dlg);
    if (dlg.exec() != QDialog::Accepted)
        return;
    spacing = dlg.doubleValue();
    ApplySnapSettings();
    Surface->update();
}

void TFMain::RefreshArrangeActions()
{
    const qsizetype n = Surface ? Surface->SelectedItems().size() : 0;
    for (const auto &[action, how] : std::as_const(arrangeActions_))
        action->setEnabled(n >= ArrangeMinimum(how));
}

void TFMain::ArrangeSelection(TArrange how)
{
    const QList<TLabelControl *> items = Surface->SelectedItems();
    if (items.size() < ArrangeMinimum(how) || Surface->DragMode != 0)
        return;
    QList<TRect> boxes;
    for (const TLabelControl *item : items)
        boxes << item->BoundsRect();
    // Sizes follow the item the properties panel shows, else the first.
    const int reference = qMax(0, int(items.indexOf(Surface->SelectedItem)));
    const QList<TRect> placed =
        Arrange(boxes, how, {0, 0, Surface->SurfaceWidth(), Surface->SurfaceHeight()}, reference);
    TItemsEdit edit(Document->UndoTarget(), items);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (placed[i] == boxes[i])
            continue;
        items[i]->SetBoundsRect(placed[i], true);
        items[i]->MarkChanged(true);
    }
    QString name;
    for (const auto &[action, h] : std::as_const(arrangeActions_))
        if (h == how)
            name = action->text();
    edit.Commit(UndoStack(), name);
    SurfaceSelectItem(Surface->SelectedItem);
}
