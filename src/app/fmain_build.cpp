// The main window's parts: tool bands and menus from their tables, the work
// area with rulers and viewport, the status bar and the design surface.

#include "app/fmain.h"
#include "app/language.h"

#include "app/glyphs.h"
#include "app/propertiespanel.h"
#include "app/rulers.h"
#include "canvas/canvaslabel.h"
#include "model/labelformat.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum : int { kSubmenu = 1, kCheck = 2, kChecked = 4, kRadio = 8, kDisabled = 16, kFormatRowsHere = 32 };

QWidget *MakePanel(QWidget *parent, const char *name)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

void SetBackground(QWidget *w, QPalette::ColorRole role)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, pal.color(role));
    w->setPalette(pal);
}

} // namespace

// One menu entry, submenu or separator. Level is the depth below the menu
// being built (0: its own entries); the rows of a submenu follow it.
struct TFMain::TMenuRow {
    int Level = 0;
    const char *Name = nullptr; // nullptr: a separator
    const char *PopupName = nullptr; // the pop-up menu's twin of a format entry
    const char *Caption = nullptr;
    int Flags = 0;
    void (TFMain::*Run)() = nullptr;
    TFormat Format = TFormat::None;
    int Arg = 0;
    QKeyCombination Key = {};
    QAction *TFMain::*Member = nullptr;
};

// One tool button; Band starts a new tool band.
struct TFMain::TToolRow {
    const char *Band = nullptr;
    int BandWidth = 0;
    const char *Name = nullptr; // nullptr: a separator
    const char *Hint = nullptr;
    void (TFMain::*Run)() = nullptr;
    int Tool = -2; // an add tool: the item kind it adds, -1 the select tool
    TFormat Format = TFormat::None;
    int Arg = 0;
    bool Down = false;
    QToolButton *TFMain::*Member = nullptr;
};

void TFMain::BuildToolBands()
{
    using F = TFormat;
    static const TToolRow rows[] = {
        {.Band = "FileOptions", .BandWidth = 120, .Name = "sbNew", .Hint = QT_TR_NOOP("新标签"), .Run = &TFMain::New1Click},
        {.Name = "LoadBtn", .Hint = QT_TR_NOOP("载入标签"), .Run = &TFMain::Open1Click},
        {.Name = "WriteBtn", .Hint = QT_TR_NOOP("保存标签"), .Run = &TFMain::Save1Click, .Member = &TFMain::WriteBtn},
        {},
        {.Name = "sbPrint", .Hint = QT_TR_NOOP("打印标签"), .Run = &TFMain::Print1Click},
        {},
        {.Name = "sbUndo", .Hint = QT_TR_NOOP("撤销"), .Run = &TFMain::Undo1Click, .Member = &TFMain::sbUndo},
        {.Name = "sbRedo", .Hint = QT_TR_NOOP("重做"), .Run = &TFMain::Redo1Click, .Member = &TFMain::sbRedo},
        {.Band = "Panel3", .BandWidth = 160, .Name = "sbSelect", .Hint = QT_TR_NOOP("选择工具"), .Tool = -1,
         .Down = true, .Member = &TFMain::sbSelect},
        {.Name = "sbText", .Hint = QT_TR_NOOP("添加文字"), .Tool = ikText},
        {.Name = "sbBarcode", .Hint = QT_TR_NOOP("添加条形码"), .Tool = ikBarcode},
        {.Name = "sbMemo", .Hint = QT_TR_NOOP("添加备注"), .Tool = ikMemo},
        {.Name = "sbShape", .Hint = QT_TR_NOOP("添加图形"), .Tool = ikShape},
        {.Name = "sbGraphic", .Hint = QT_TR_NOOP("添加图像"), .Tool = ikGraphic},
        {.Band = "pAlign", .BandWidth = 170, .Name = "sbVATop", .Hint = QT_TR_NOOP("垂直靠顶排列"),
         .Format = F::VertAlign, .Arg = iaTop, .Down = true},
        {.Name = "sbVACenter", .Hint = QT_TR_NOOP("垂直居中排列"), .Format = F::VertAlign, .Arg = iaCenter},
        {.Name = "sbVABottom", .Hint = QT_TR_NOOP("垂直靠底排列"), .Format = F::VertAlign, .Arg = iaBottom},
        {},
        {.Name = "sbHALeft", .Hint = QT_TR_NOOP("水平靠左排列"), .Format = F::HorzAlign, .Arg = iaLeft, .Down = true},
        {.Name = "sbHACenter", .Hint = QT_TR_NOOP("水平居中排列"), .Format = F::HorzAlign, .Arg = iaCenter},
        {.Name = "sbHARight", .Hint = QT_TR_NOOP("水平靠右排列"), .Format = F::HorzAlign, .Arg = iaRight},
    };

    ToolGroup = new QButtonGroup(this);
    QHash<int, QButtonGroup *> alignGroups;
    QToolBar *bar = nullptr;
    for (const TToolRow &r : rows) {
        if (r.Band) {
            bar = new QToolBar(this);
            bar->setObjectName(QString::fromLatin1(r.Band));
            bar->setMinimumWidth(r.BandWidth);
            bar->setMovable(true);
            addToolBar(Qt::TopToolBarArea, bar);
        }
        if (!r.Name) {
            bar->addSeparator();
            continue;
        }
        auto *b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(r.Name));
        b->setToolTip(tr(r.Hint));
        b->setIcon(ToolGlyph(b->objectName()));
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        bar->addWidget(b);
        if (r.Member)
            this->*r.Member = b;
        if (r.Run) {
            connect(b, &QToolButton::clicked, this, r.Run);
        } else if (r.Tool >= -1) {
            b->setCheckable(true);
            ToolGroup->addButton(b, r.Tool);
            if (r.Tool == -1)
                connect(b, &QToolButton::clicked, this, &TFMain::sbSelectClick);
            else
                connect(b, &QToolButton::clicked, this, [this, kind = r.Tool] { AddToolClick(kind); });
        } else {
            b->setCheckable(true);
            QButtonGroup *&group = alignGroups[int(r.Format)];
            if (!group)
                group = new QButtonGroup(this);
            group->addButton(b);
            formatControls_.append({.Button = b, .Format = r.Format, .Arg = r.Arg});
            connect(b, &QToolButton::clicked, this,
                    [this, f = r.Format, arg = r.Arg] { ApplyFormat(f, arg, true); });
        }
        b->setChecked(r.Down);
    }
    WriteBtn->setEnabled(false);
}

const TFMain::TMenuRow *TFMain::FormatRows(int *count)
{
    using F = TFormat;
    static const TMenuRow rows[] = {
        {.Level = 0, .Name = "HorizontalAL", .PopupName = "HorizontalAL2", .Caption = QT_TR_NOOP("水平排列"),
         .Flags = kSubmenu, .Format = F::HorzAlign},
        {.Level = 1, .Name = "HALeft", .PopupName = "HALeft2", .Caption = QT_TR_NOOP("靠左"),
         .Flags = kRadio | kChecked, .Format = F::HorzAlign, .Arg = iaLeft},
        {.Level = 1, .Name = "HACenter", .PopupName = "HACenter2", .Caption = QT_TR_NOOP("居中"),
         .Flags = kRadio, .Format = F::HorzAlign, .Arg = iaCenter},
        {.Level = 1, .Name = "HARight", .PopupName = "HARight2", .Caption = QT_TR_NOOP("靠右"),
         .Flags = kRadio, .Format = F::HorzAlign, .Arg = iaRight},
        {.Level = 0, .Name = "VerticalAL", .PopupName = "VerticalAl2", .Caption = QT_TR_NOOP("垂直排列"),
         .Flags = kSubmenu, .Format = F::VertAlign},
        {.Level = 1, .Name = "VATop", .PopupName = "VATop2", .Caption = QT_TR_NOOP("靠顶"),
         .Flags = kRadio | kChecked, .Format = F::VertAlign, .Arg = iaTop},
        {.Level = 1, .Name = "VACenter", .PopupName = "VACenter2", .Caption = QT_TR_NOOP("居中"),
         .Flags = kRadio, .Format = F::VertAlign, .Arg = iaCenter},
        {.Level = 1, .Name = "VABottom", .PopupName = "VABottom2", .Caption = QT_TR_NOOP("靠底"),
         .Flags = kRadio, .Format = F::VertAlign, .Arg = iaBottom},
        {.Level = 0, .Name = "AttachTo", .PopupName = "AttachTo2", .Caption = QT_TR_NOOP("附加到"),
         .Flags = kSubmenu, .Format = F::Attach},
        {.Level = 1, .Name = "atNone", .PopupName = "atNone2", .Caption = QT_TR_NOOP("无"),
         .Flags = kRadio | kChecked, .Format = F::Attach, .Arg = iaNone},
        {.Level = 1, .Name = "atLeft", .PopupName = "atLeft2", .Caption = QT_TR_NOOP("靠左"),
         .Flags = kRadio, .Format = F::Attach, .Arg = iaLeft},
        {.Level = 1, .Name = "atRight", .PopupName = "atRight2", .Caption = QT_TR_NOOP("靠右"),
         .Flags = kRadio, .Format = F::Attach, .Arg = iaRight},
        {.Level = 1, .Name = "atTop", .PopupName = "atTop2", .Caption = QT_TR_NOOP("靠顶"),
         .Flags = kRadio, .Format = F::Attach, .Arg = iaTop},
        {.Level = 1, .Name = "atBottom", .PopupName = "atBottom2", .Caption = QT_TR_NOOP("靠底"),
         .Flags = kRadio, .Format = F::Attach, .Arg = iaBottom},
        {.Level = 1, .Name = "atClient", .PopupName = "atClient2", .Caption = QT_TR_NOOP("客户端"),
         .Flags = kRadio, .Format = F::Attach, .Arg = iaClient},
        {.Level = 0, .Name = "Rotate1", .PopupName = "Rotation1", .Caption = QT_TR_NOOP("旋转"),
         .Flags = kSubmenu, .Format = F::Rotate},
        {.Level = 1, .Name = "RoNone1", .PopupName = "RoNone2", .Caption = QT_TR_NOOP("无"),
         .Flags = kRadio | kChecked, .Format = F::Rotate, .Arg = 0},
        {.Level = 1, .Name = "Ro901", .PopupName = "Ro902", .Caption = "90°", .Flags = kRadio, .Format = F::Rotate, .Arg = 1},
        {.Level = 1, .Name = "Ro1801", .PopupName = "Ro1802", .Caption = "180°", .Flags = kRadio, .Format = F::Rotate,
         .Arg = 2},
        {.Level = 1, .Name = "Ro2701", .PopupName = "Ro2702", .Caption = "270°", .Flags = kRadio, .Format = F::Rotate,
         .Arg = 3},
        {.Level = 0, .Name = "Flip1", .PopupName = "Flip2", .Caption = QT_TR_NOOP("翻转"), .Flags = kSubmenu,
         .Format = F::Flip},
        {.Level = 1, .Name = "FlipHorz1", .PopupName = "FlipHorz2", .Caption = QT_TR_NOOP("水平翻转"), .Flags = kCheck,
         .Format = F::Flip, .Arg = 0},
        {.Level = 1, .Name = "FlipVert1", .PopupName = "FlipVert2", .Caption = QT_TR_NOOP("垂直翻转"), .Flags = kCheck,
         .Format = F::Flip, .Arg = 1},
        {.Level = 0},
        {.Level = 0, .Name = "AutoSize1", .PopupName = "AutoSize2", .Caption = QT_TR_NOOP("自动调整大小以适应"),
         .Flags = kCheck | kChecked, .Format = F::AutoSize},
        {.Level = 0, .Name = "Transparent1", .PopupName = "Transparent2", .Caption = QT_TR_NOOP("透明"),
         .Flags = kCheck, .Format = F::Transparent},
    };
    *count = int(std::size(rows));
    return rows;
}

template <class Root> void TFMain::AddMenuRows(Root *root, const TMenuRow *rows, int count, bool popup)
{
    // menus[l] receives the rows of level l; level 0 goes to the root itself.
    QMenu *menus[4] = {};
    auto add = [&](int level, auto &&what) {
        if (level == 0)
            return what(root);
        return what(menus[level]);
    };
    QHash<QMenu *, QActionGroup *> radioGroups;
    for (int i = 0; i < count; ++i) {
        const TMenuRow &r = rows[i];
        if (!r.Name) {
            add(r.Level, [](auto *m) { m->addSeparator(); });
            continue;
        }
        const QString name = QString::fromLatin1(popup && r.PopupName ? r.PopupName : r.Name);
        const QString caption = tr(r.Caption);
        if (r.Flags & kSubmenu) {
            auto *sub = new QMenu(caption, this);
            sub->setObjectName(name);
            add(r.Level, [sub](auto *m) { m->addMenu(sub); });
            menus[r.Level + 1] = sub;
            if (r.Format != TFormat::None)
                formatControls_.append({.Action = sub->menuAction(), .Format = r.Format, .IsMenu = true});
            if (r.Flags & kFormatRowsHere) {
                int n = 0;
                const TMenuRow *format = FormatRows(&n);
                AddMenuRows(sub, format, n, popup);
            }
            continue;
        }
        auto *a = new QAction(caption, this);
        a->setObjectName(name);
        if (r.Key != QKeyCombination())
            a->setShortcut(QKeySequence(r.Key));
        a->setCheckable(r.Flags & (kCheck | kRadio));
        a->setChecked(r.Flags & kChecked);
        a->setEnabled(!(r.Flags & kDisabled));
        if (r.Flags & kRadio) {
            QActionGroup *&group = radioGroups[menus[r.Level]];
            if (!group)
                group = new QActionGroup(this);
            group->addAction(a);
        }
        add(r.Level, [a](auto *m) { m->addAction(a); });
        if (r.Member)
            this->*r.Member = a;
        if (r.Run)
            connect(a, &QAction::triggered, this, r.Run);
        if (r.Format != TFormat::None) {
            formatControls_.append({.Action = a, .Format = r.Format, .Arg = r.Arg});
            connect(a, &QAction::triggered, this,
                    [this, f = r.Format, arg = r.Arg](bool checked) { ApplyFormat(f, arg, checked); });
        }
    }
}

void TFMain::BuildMenus()
{
    static const TMenuRow rows[] = {
        {.Level = 0, .Name = "File1", .Caption = QT_TR_NOOP("文件(&F)"), .Flags = kSubmenu},
        {.Level = 1, .Name = "New1", .Caption = QT_TR_NOOP("新建(&N)"), .Run = &TFMain::New1Click},
        {.Level = 1},
        {.Level = 1, .Name = "Open1", .Caption = QT_TR_NOOP("打开标签(&O)"), .Run = &TFMain::Open1Click,
         .Key = Qt::CTRL | Qt::Key_O},
        {.Level = 1, .Name = "LoadFormat1", .Caption = QT_TR_NOOP("载入标签格式"), .Run = &TFMain::LoadFormat1Click},
        {.Level = 1, .Name = "RecentFiles1", .Caption = QT_TR_NOOP("最近的文件"), .Flags = kSubmenu},
        {.Level = 1},
        {.Level = 1, .Name = "Save1", .Caption = QT_TR_NOOP("保存标签(&S)"), .Flags = kDisabled,
         .Run = &TFMain::Save1Click, .Key = Qt::CTRL | Qt::Key_S, .Member = &TFMain::Save1},
        {.Level = 1, .Name = "SaveLabelAs1", .Caption = QT_TR_NOOP("另存标签为(&A)"), .Run = &TFMain::SaveLabelAs1Click},
        {.Level = 1, .Name = "SaveFormat1", .Caption = QT_TR_NOOP("保存标签格式"), .Flags = kDisabled,
         .Run = &TFMain::SaveFormat1Click, .Member = &TFMain::SaveFormat1},
        {.Level = 1, .Name = "SaveLabelFormatAs1", .Caption = QT_TR_NOOP("另存标签格式为"),
         .Run = &TFMain::SaveLabelFormatAs1Click},
        {.Level = 1},
        {.Level = 1, .Name = "Print1", .Caption = QT_TR_NOOP("打印"), .Run = &TFMain::Print1Click,
         .Key = Qt::CTRL | Qt::Key_P},
        {.Level = 1, .Name = "PrintPreview1", .Caption = QT_TR_NOOP("打印预览"), .Run = &TFMain::PrintPreview1Click,
         .Key = Qt::CTRL | Qt::SHIFT | Qt::Key_P},
        {.Level = 1, .Name = "PrintSetup1", .Caption = QT_TR_NOOP("打印设置"), .Run = &TFMain::PrintSetup1Click},
        {.Level = 1},
        {.Level = 1, .Name = "Exit1", .Caption = QT_TR_NOOP("退出(&X)"), .Run = &TFMain::Exit1Click},

        {.Level = 0, .Name = "Edit1", .Caption = QT_TR_NOOP("编辑(&E)"), .Flags = kSubmenu},
        {.Level = 1, .Name = "Undo1", .Caption = QT_TR_NOOP("撤销(&U)"), .Flags = kDisabled, .Run = &TFMain::Undo1Click,
         .Key = Qt::CTRL | Qt::Key_Z, .Member = &TFMain::Undo1},
        {.Level = 1, .Name = "Redo1", .Caption = QT_TR_NOOP("重做(&R)"), .Flags = kDisabled, .Run = &TFMain::Redo1Click,
         .Key = Qt::CTRL | Qt::Key_Y, .Member = &TFMain::Redo1},
        {.Level = 1},
        {.Level = 1, .Name = "Cut1", .Caption = QT_TR_NOOP("剪切(&T)"), .Run = &TFMain::Cut1Click,
         .Key = Qt::CTRL | Qt::Key_X},
        {.Level = 1, .Name = "Copy1", .Caption = QT_TR_NOOP("复制(&C)"), .Run = &TFMain::Copy1Click,
         .Key = Qt::CTRL | Qt::Key_C},
        {.Level = 1, .Name = "Paste1", .Caption = QT_TR_NOOP("粘贴(&P)"), .Run = &TFMain::Paste1Click,
         .Key = Qt::CTRL | Qt::Key_V},
        {.Level = 1, .Name = "Delete1", .Caption = QT_TR_NOOP("删除(&D)"), .Run = &TFMain::Delete1Click,
         .Key = Qt::CTRL | Qt::Key_Delete},
        // Several items at once.
        {.Level = 1, .Name = "Duplicate1", .Caption = QT_TR_NOOP("复制副本"), .Run = &TFMain::Duplicate1Click,
         .Key = Qt::CTRL | Qt::Key_D},
        {.Level = 1, .Name = "SelectAll1", .Caption = QT_TR_NOOP("全选(&A)"), .Run = &TFMain::SelectAll1Click,
         .Key = Qt::CTRL | Qt::Key_A},
        {.Level = 1},
        {.Level = 1, .Name = "LabelOptions1", .Caption = QT_TR_NOOP("自定义标签设置"), .Run = &TFMain::LabelOptions1Click},
        {.Level = 1, .Name = "FormatOptions1", .Caption = QT_TR_NOOP("格式选项"), .Flags = kSubmenu | kFormatRowsHere},
        {.Level = 1},
        {.Level = 1, .Name = "ShowGrids1", .Caption = QT_TR_NOOP("显示栅格"), .Flags = kCheck | kChecked,
         .Run = &TFMain::ShowGrids1Click, .Member = &TFMain::ShowGrids1},
        {.Level = 1, .Name = "AutoSaveSequence", .Caption = QT_TR_NOOP("自动记忆次序"), .Flags = kCheck | kChecked,
         .Run = &TFMain::AutoSaveSequenceClick, .Member = &TFMain::AutoSaveSequence},
        {.Level = 1},
        {.Level = 1, .Name = "ZoomIn1", .Caption = QT_TR_NOOP("放大"), .Run = &TFMain::ZoomIn1Click,
         .Key = Qt::CTRL | Qt::Key_Equal},
        {.Level = 1, .Name = "ZoomOut1", .Caption = QT_TR_NOOP("缩小"), .Run = &TFMain::ZoomOut1Click,
         .Key = Qt::CTRL | Qt::Key_Minus},
        {.Level = 1, .Name = "ActualSize1", .Caption = QT_TR_NOOP("实际大小"), .Run = &TFMain::ActualSize1Click,
         .Key = Qt::CTRL | Qt::Key_0},
        {.Level = 1, .Name = "ZoomToFit1", .Caption = QT_TR_NOOP("缩放到合适大小"), .Run = &TFMain::ZoomToFit1Click,
         .Key = Qt::CTRL | Qt::Key_9},

        {.Level = 0, .Name = "Help1", .Caption = QT_TR_NOOP("帮助(&H)"), .Flags = kSubmenu},
        {.Level = 1, .Name = "WebHelp1", .Caption = QT_TR_NOOP("网络帮助"), .Run = &TFMain::WebHelp1Click},
        {.Level = 1},
        {.Level = 1, .Name = "About1", .Caption = QT_TR_NOOP("关于"), .Run = &TFMain::About1Click},
    };
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    AddMenuRows(bar, rows, int(std::size(rows)), false);
    RecentFiles1 = findChild<QMenu *>(QStringLiteral("RecentFiles1"));
    if (auto *help = findChild<QMenu *>(QStringLiteral("Help1"))) {
        const QList<QAction *> entries = help->actions();
        AddLanguageMenu(help, entries.size() > 1 ? entries[1] : nullptr);
    }
}

void TFMain::BuildPopupMenu()
{
    static const TMenuRow rows[] = {
        {.Name = "BringToFront1", .Caption = QT_TR_NOOP("置前"), .Run = &TFMain::BringToFront1Click},
        {.Name = "SendToBack1", .Caption = QT_TR_NOOP("置后"), .Run = &TFMain::SendToBack1Click},
        {},
    };
    LabelPopupMenu = new QMenu(this);
    LabelPopupMenu->setObjectName(QStringLiteral("LabelPopupMenu"));
    AddMenuRows(LabelPopupMenu, rows, int(std::size(rows)), true);
    int count = 0;
    const TMenuRow *format = FormatRows(&count);
    AddMenuRows(LabelPopupMenu, format, count, true);
}


void TFMain::BuildWorkArea()
{
    auto *Panel2 = MakePanel(this, "Panel2");
    setCentralWidget(Panel2);
    auto *p2 = new QHBoxLayout(Panel2);
    p2->setContentsMargins(0, 0, 0, 0);

    auto *splitter = new QSplitter(Qt::Horizontal, Panel2);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setChildrenCollapsible(false);
    p2->addWidget(splitter);

    pBCSettings = new TPropertiesPanel(this);
    eText = pBCSettings->TextEdit();
    pBCSettings->AdvancedForm = [this] { return AdvancedEditor(); };
    connect(pBCSettings, &TPropertiesPanel::State, this, &TFMain::SetStateText);
    // A rotation typed in the panel shows in the menus' checks.
    connect(pBCSettings, &TPropertiesPanel::Changed, this, &TFMain::RefreshChecks);
    connect(pBCSettings, &TPropertiesPanel::FontChosen, this, [this](const TItemFont &f) { CurrentFont = f; });
    // In a short window the panel scrolls rather than squeezing its controls.
    auto *scroll = new QScrollArea(splitter);
    scroll->setObjectName(QStringLiteral("pBCScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(pBCSettings);
    scroll->setMinimumWidth(pBCSettings->minimumWidth() + scroll->verticalScrollBar()->sizeHint().width());
    splitter->addWidget(scroll);

    auto *Panel7 = MakePanel(splitter, "Panel7");
    splitter->addWidget(Panel7);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({190, 600});

    auto *grid = new QGridLayout(Panel7);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    // Ruler strip: the re-align button over the vertical ruler, then the
    // horizontal ruler over the viewport, so their x coordinates agree.
    auto *pRuler = MakePanel(Panel7, "pRuler");
    pRuler->setFixedHeight(20);
    SetBackground(pRuler, QPalette::Base);
    auto *rl = new QHBoxLayout(pRuler);
    rl->setContentsMargins(0, 0, 0, 0);
    rl->setSpacing(0);
    auto *PReAlign = new QToolButton(pRuler);
    PReAlign->setObjectName(QStringLiteral("PReAlign"));
    PReAlign->setFixedSize(20, 20);
    PReAlign->setToolTip(tr("重置标签画布"));
    PReAlign->setText(QStringLiteral("+"));
    connect(PReAlign, &QToolButton::clicked, this, [this] {
        HScrollBar->setValue(0);
        VScrollBar->setValue(0);
        ApplyScroll();
    });
    rl->addWidget(PReAlign);
    auto *pHRuler = MakePanel(pRuler, "pHRuler");
    SetBackground(pHRuler, QPalette::Button);
    auto *hl = new QHBoxLayout(pHRuler);
    hl->setContentsMargins(0, 0, 0, 0);
    pbHRuler = new TRulerBox(Qt::Horizontal, pHRuler);
    pbHRuler->setObjectName(QStringLiteral("pbHRuler"));
    hl->addWidget(pbHRuler);
    rl->addWidget(pHRuler, 1);
    grid->addWidget(pRuler, 0, 0, 1, 2);

    auto *pVRuler = MakePanel(Panel7, "pVRuler");
    pVRuler->setFixedWidth(20);
    SetBackground(pVRuler, QPalette::Button);
    auto *vl = new QVBoxLayout(pVRuler);
    vl->setContentsMargins(0, 0, 0, 0);
    pbVRuler = new TRulerBox(Qt::Vertical, pVRuler);
    pbVRuler->setObjectName(QStringLiteral("pbVRuler"));
    vl->addWidget(pbVRuler);
    grid->addWidget(pVRuler, 1, 0);

    auto *PSubMain = MakePanel(Panel7, "PSubMain");
    SetBackground(PSubMain, QPalette::Dark);
    auto *sg = new QGridLayout(PSubMain);
    sg->setContentsMargins(0, 0, 0, 0);
    sg->setSpacing(0);
    PMain = MakePanel(PSubMain, "PMain");
    SetBackground(PMain, QPalette::Mid);
    PMain->installEventFilter(this);
    sg->addWidget(PMain, 0, 0);
    VScrollBar = new QScrollBar(Qt::Vertical, PSubMain);
    VScrollBar->setObjectName(QStringLiteral("VScrollBar"));
    VScrollBar->setFixedWidth(16);
    VScrollBar->setFocusPolicy(Qt::NoFocus);
    sg->addWidget(VScrollBar, 0, 1);
    auto *Panel1 = MakePanel(PSubMain, "Panel1");
    Panel1->setFixedHeight(13);
    auto *bl = new QHBoxLayout(Panel1);
    bl->setContentsMargins(0, 0, 0, 0);
    bl->setSpacing(0);
    HScrollBar = new QScrollBar(Qt::Horizontal, Panel1);
    HScrollBar->setObjectName(QStringLiteral("HScrollBar"));
    HScrollBar->setFocusPolicy(Qt::NoFocus);
    bl->addWidget(HScrollBar, 1);
    auto *Panel4 = MakePanel(Panel1, "Panel4");
    Panel4->setFixedSize(13, 13);
    bl->addWidget(Panel4);
    sg->addWidget(Panel1, 1, 0, 1, 2);
    grid->addWidget(PSubMain, 1, 1);

    connect(HScrollBar, &QScrollBar::valueChanged, this, [this] { ApplyScroll(); });
    connect(VScrollBar, &QScrollBar::valueChanged, this, [this] { ApplyScroll(); });

    pbHRuler->Origin = [this] { return Surface ? Surface->x() : 0; };
    pbHRuler->UnitPixels = [this] { return Surface ? UnitPixelsX(Surface->LabelFormat, Surface->ScreenDpiX) : kDefaultDesignDpi; };
    pbHRuler->Unit = [this] { return Surface ? LabelUnit(Surface->LabelFormat) : TLabelUnit::Inch; };
    pbVRuler->Origin = [this] { return Surface ? Surface->y() : 0; };
    pbVRuler->UnitPixels = [this] { return Surface ? UnitPixelsY(Surface->LabelFormat, Surface->ScreenDpiY) : kDefaultDesignDpi; };
    pbVRuler->Unit = pbHRuler->Unit;
    pbHRuler->Zoom = [this] { return Surface ? Surface->Zoom() : 1.0; };
    pbVRuler->Zoom = pbHRuler->Zoom;
}

void TFMain::BuildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    auto panel = [bar](const char *name, const QString &text, int width, int stretch) {
        auto *l = new QLabel(text, bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        if (stretch)
            l->setMinimumWidth(width);
        else
            l->setFixedWidth(width);
        bar->addWidget(l, stretch);
        return l;
    };
    StatusPanel0 = panel("StatusPanel0", QStringLiteral("X:0    Y:0"), 110, 0);
    StatusPanel1 = panel("StatusPanel1", QStringLiteral("W:0   H:0"), 110, 0);
    // The last panel takes the rest of the bar, so the longer state texts fit.
    StatusPanel2 = panel("StatusPanel2", tr("就绪"), 50, 1);
    BuildZoomBox();
}

void TFMain::CreateSurface()
{
    Surface = new TCanvasLabel(PMain);
    Surface->setObjectName(QStringLiteral("Surface"));
    Surface->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { SurfaceMouseDown(b, x, y); };
    Surface->OnSelectItem = [this](TLabelControl *item) { SurfaceSelectItem(item); };
    Surface->OnPopup = [this] { RefreshChecks(); };
    Surface->PopupMenu = LabelPopupMenu;
    Surface->installEventFilter(this);
    Surface->show();
    pBCSettings->SetSurface(Surface);
}
