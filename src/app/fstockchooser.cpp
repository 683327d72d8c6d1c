#include "app/fstockchooser.h"

#include "app/dialogkit.h"
#include "app/language.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { cMaker, cProduct, cKind, cDescription, cSize, cCount, cPaper, cColumns };

// "3×10", or each layout of a sheet that has several: "1×2+1×2+1×1".
QString GridsText(const TStockSheet &s)
{
    QString text = QStringLiteral("%1×%2").arg(s.Columns).arg(s.Rows);
    for (const TStockLayout &l : s.ExtraLayouts)
        text += QStringLiteral("+%1×%2").arg(l.Columns).arg(l.Rows);
    return text;
}
} // namespace

TStockPreview::TStockPreview(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StockPreview"));
    setMinimumSize(sizeHint());
}

void TStockPreview::SetSheet(const TStockSheet *sheet)
{
    sheet_ = sheet;
    update();
}

void TStockPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (!sheet_ || sheet_->PaperWidth.Value <= 0 || sheet_->PaperHeight.Value <= 0)
        return;
    const TStockSheet &s = *sheet_;
    // Everything in points, scaled to fit with a small border.
    const double pw = s.PaperWidth.Points(), ph = s.PaperHeight.Points();
    const double scale = std::min((width() - 8) / pw, (height() - 8) / ph);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate((width() - pw * scale) / 2, (height() - ph * scale) / 2);
    p.scale(scale, scale);
    p.setPen(QPen(Qt::darkGray, 0));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0, 0, pw, ph));
    if (s.Width.Value <= 0 || s.Height.Value <= 0)
        return;
    p.setBrush(s.Selectable() ? QColor(0x9c, 0xc3, 0xe6) : QColor(0xd0, 0xd0, 0xd0));
    p.setPen(QPen(QColor(0x2f, 0x55, 0x97), 0));
    const double w = s.Width.Points(), h = s.Height.Points();
    QList<TStockLayout> layouts{{s.X0, s.Y0, s.Dx, s.Dy, s.Columns, s.Rows}};
    layouts += s.ExtraLayouts;
    for (const TStockLayout &l : layouts) {
        for (int r = 0; r < l.Rows && r < 200; ++r) {
            for (int c = 0; c < l.Columns && c < 200; ++c) {
                const QRectF cell(l.X0.Points() + c * l.Dx.Points(), l.Y0.Points() + r * l.Dy.Points(), w, h);
                if (s.Shape == QLatin1String("rectangle"))
                    p.drawRect(cell);
                else
                    p.drawEllipse(cell);
            }
        }
    }
}

TFStockChooser::TFStockChooser(const QList<TStockSheet> &sheets, QWidget *parent)
    : QDialog(parent), sheets_(sheets)
{
    setObjectName(QStringLiteral("FStockChooser"));
    setWindowTitle(tr("标签库存"));
    setFont(DialogFont());

    eSearch = MakeEdit(this, "eStockSearch", QString(), 0);
    eSearch->setPlaceholderText(tr("搜索厂商、型号或说明"));
    eSearch->setClearButtonEnabled(true);

    tvSheets = new QTreeWidget(this);
    tvSheets->setObjectName(QStringLiteral("tvStockSheets"));
    tvSheets->setColumnCount(cColumns);
    tvSheets->setHeaderLabels({tr("厂商"), tr("型号"), tr("种类"), tr("说明"), tr("标签尺寸"), tr("每页"), tr("纸张")});
    tvSheets->setRootIsDecorated(true);
    tvSheets->setUniformRowHeights(true);
    tvSheets->setAllColumnsShowFocus(true);
    tvSheets->header()->setStretchLastSection(false);
    tvSheets->header()->setSectionResizeMode(cDescription, QHeaderView::Stretch);
    const bool chinese = InstalledLanguage() != kLanguageEnglish;

    // One group a paper, in the catalogue's order (A4 and US Letter first).
    QTreeWidgetItem *group = nullptr;
    QString paper;
    for (qsizetype i = 0; i < sheets_.size(); ++i) {
        const TStockSheet &s = sheets_[i];
        if (!group || s.PaperName != paper) {
            paper = s.PaperName;
            group = new QTreeWidgetItem(tvSheets);
            group->setData(cMaker, Qt::UserRole, paper); // its caption counts the sheets shown (Filter)
            group->setFirstColumnSpanned(true);
            group->setFlags(Qt::ItemIsEnabled);
        }
        auto *item = new QTreeWidgetItem(group);
        item->setText(cMaker, s.Maker);
        item->setText(cProduct, s.Product);
        item->setText(cKind, StockKindCaption(s.Kind, chinese));
        item->setText(cDescription, s.EquivalentOf.isEmpty()
                                        ? s.Description
                                        : QStringLiteral("%1 (= %2)").arg(s.Description, s.EquivalentOf));
        item->setText(cSize, StockLabelSize(s));
        item->setText(cCount, s.Shape.isEmpty() ? QString() : QStringLiteral("%1 (%2)").arg(s.PerSheet()).arg(GridsText(s)));
        item->setText(cPaper, s.PaperName);
        item->setData(cMaker, Qt::UserRole, qlonglong(i));
        if (!s.Selectable()) {
            // Listed so that the user finds it, with the reason it cannot be used.
            item->setFlags(Qt::ItemIsEnabled);
            for (int c = 0; c < cColumns; ++c) {
                item->setForeground(c, palette().brush(QPalette::Disabled, QPalette::Text));
                item->setToolTip(c, s.Note);
            }
        } else if (!s.Warning.isEmpty()) {
            for (int c = 0; c < cColumns; ++c)
                item->setToolTip(c, s.Warning);
        }
    }
    if (tvSheets->topLevelItemCount() > 0)
        tvSheets->topLevelItem(0)->setExpanded(true);
    if (tvSheets->topLevelItemCount() > 1)
        tvSheets->topLevelItem(1)->setExpanded(true);
    for (int c : {cMaker, cProduct, cKind, cSize, cCount, cPaper})
        tvSheets->resizeColumnToContents(c);
    tvSheets->setColumnWidth(cPaper, std::max(tvSheets->columnWidth(cPaper), 90));
    tvSheets->setColumnWidth(cMaker, std::max(tvSheets->columnWidth(cMaker), 110));

    preview = new TStockPreview(this);
    lDetails = MakeLabel(this, "lStockDetails", QString());
    lDetails->setWordWrap(true);
    lDetails->setFixedWidth(170);
    lDetails->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    lMatches = MakeLabel(this, "lStockMatches", QString());
    btnOk = MakeButton(this, "btnStockOk", tr("确定(&O)"), true);
    btnCancel = MakeButton(this, "btnStockCancel", tr("取消(&C)"));
    btnOk->setEnabled(false);

    auto *side = new QVBoxLayout;
    side->addWidget(preview, 0, Qt::AlignHCenter);
    side->addWidget(lDetails, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(tvSheets, 1);
    middle->addLayout(side);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lMatches);
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(eSearch);
    outer->addLayout(middle, 1);
    outer->addLayout(buttons);
    tvSheets->setMinimumWidth(760);
    resize(1000, 520);

    connect(eSearch, &QLineEdit::textChanged, this, &TFStockChooser::Filter);
    Filter(QString());
    connect(tvSheets, &QTreeWidget::currentItemChanged, this, [this] { CurrentChanged(); });
    connect(tvSheets, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) {
        if (const TStockSheet *s = SheetOf(item); s && s->Selectable())
            accept();
    });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

const TStockSheet *TFStockChooser::SheetOf(const QTreeWidgetItem *item) const
{
    if (!item || !item->parent())
        return nullptr;
    const qlonglong i = item->data(cMaker, Qt::UserRole).toLongLong();
    return i >= 0 && i < sheets_.size() ? &sheets_[i] : nullptr;
}

const TStockSheet *TFStockChooser::Chosen() const
{
    const TStockSheet *s = SheetOf(tvSheets->currentItem());
    return s && s->Selectable() ? s : nullptr;
}

void TFStockChooser::CurrentChanged()
{
    const TStockSheet *s = SheetOf(tvSheets->currentItem());
    preview->SetSheet(s);
    btnOk->setEnabled(s && s->Selectable());
    if (!s) {
        lDetails->clear();
        return;
    }
    const QString grid = s->ExtraLayouts.isEmpty()
                             ? tr("%1 列 × %2 行，%3").arg(s->Columns).arg(s->Rows).arg(s->PaperName)
                             : tr("%1 组排列（%2），%3").arg(s->ExtraLayouts.size() + 1).arg(GridsText(*s), s->PaperName);
    // Where the geometry comes from: the installed library wins where both have the sheet.
    QString text = QStringLiteral("%1\n%2\n%3\n%4\n%5")
                       .arg(s->Name(), s->Description, StockLabelSize(*s), grid,
                            s->BuiltIn ? tr("来源：内置") : tr("来源：模板库"));
    if (!s->Note.isEmpty())
        text += QStringLiteral("\n\n") + tr("不能选用：") + s->Note;
    else if (!s->Warning.isEmpty())
        text += QStringLiteral("\n\n") + tr("注意：") + s->Warning;
    lDetails->setText(text);
}

void TFStockChooser::Filter(const QString &text)
{
    const bool searching = !text.trimmed().isEmpty();
    int matches = 0;
    for (int g = 0; g < tvSheets->topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = tvSheets->topLevelItem(g);
        int shown = 0;
        for (int i = 0; i < group->childCount(); ++i) {
            QTreeWidgetItem *item = group->child(i);
            const bool match = StockMatches(*SheetOf(item), text);
            item->setHidden(!match);
            shown += match;
        }
        group->setText(cMaker, QStringLiteral("%1 (%2)").arg(group->data(cMaker, Qt::UserRole).toString()).arg(shown));
        group->setHidden(shown == 0);
        if (searching)
            group->setExpanded(true);
        matches += shown;
    }
    lMatches->setText(searching ? tr("找到 %1 种标签纸").arg(matches) : tr("共 %1 种标签纸").arg(matches));
}

bool TFStockChooser::Select(const QString &name)
{
    const TStockSheet *wanted = FindStockSheet(sheets_, name);
    for (int g = 0; wanted && g < tvSheets->topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = tvSheets->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i) {
            if (SheetOf(group->child(i)) == wanted) {
                group->setExpanded(true);
                tvSheets->setCurrentItem(group->child(i));
                tvSheets->scrollToItem(group->child(i));
                return true;
            }
        }
    }
    return false;
}
