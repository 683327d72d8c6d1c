#include "app/flabelsettings.h"

#include "app/dialogkit.h"
#include "app/fstockchooser.h"
#include "printing/sheetlayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

QString FormatLabelUnits(double v)
{
    return FormatDecimal(v, 1, 5);
}

namespace {
const QString kInchSign = QStringLiteral("\"");

double valueOf(const QLineEdit *e)
{
    double v = 0;
    return ParseDecimal(e->text(), v) ? v : 0.0;
}
} // namespace

TFLabelSettings::TFLabelSettings(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FLabelSettings"));
    setWindowTitle(tr("自定义标签设置"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());
    leave_ = new TLeaveWatcher(this);

    rbInches = new QRadioButton(tr("英寸"), this);
    rbInches->setObjectName(QStringLiteral("RadioButton1"));
    rbInches->setChecked(true);
    rbCentimetres = new QRadioButton(tr("厘米"), this);
    rbCentimetres->setObjectName(QStringLiteral("RadioButton2"));
    rbMillimetres = new QRadioButton(tr("毫米"), this);
    rbMillimetres->setObjectName(QStringLiteral("rbMillimetres"));

    auto *keys = new TKeyFilter(this, QStringLiteral("-.0123456789"));
    auto makeEdit = [this, keys](const char *name, const QString &text) {
        QLineEdit *e = MakeEdit(this, name, text, 7);
        keys->Install(e);
        return e;
    };
    eLabelHeight = makeEdit("Edit3", QStringLiteral("1.25"));
    eLabelWidth = makeEdit("Edit4", QStringLiteral("2.5"));
    eMarginTop = makeEdit("Edit1", QStringLiteral("0.0"));
    eMarginLeft = makeEdit("Edit2", QStringLiteral("0.0"));
    eGapHeight = makeEdit("Edit5", QStringLiteral("0.0"));
    eGapWidth = makeEdit("Edit6", QStringLiteral("0.0"));

    lRows = MakeLabel(this, "lRows", tr("行："));
    lColumns = MakeLabel(this, "lColumns", tr("列："));
    LnpTop = MakeLabel(this, "LnpTop", tr("顶:"));
    LnpBottom = MakeLabel(this, "LnpBottom", tr("底:"));
    LnpLeft = MakeLabel(this, "LnpLeft", tr("左:"));
    LnpRight = MakeLabel(this, "LnpRight", tr("右:"));

    btnOk = MakeButton(this, "BitBtn1", tr("确定(&O)"), true);
    btnCancel = MakeButton(this, "BitBtn2", tr("取消(&C)"));
    btnPrinterSetup = MakeButton(this, "BitBtn3", tr("打印设置(&P)"));
    btnStock = MakeButton(this, "btnStock", tr("标签库存(&S)..."));
    btnStock->setToolTip(tr("按厂商的标签纸型号填写尺寸、边界和间距"));
    lStock = MakeLabel(this, "lStock", QString());
    cbRoll = new QCheckBox(tr("卷筒标签（每页一个标签）"), this);
    cbRoll->setObjectName(QStringLiteral("cbRoll"));
    cbRoll->setToolTip(tr("热敏或卷筒打印机：每个标签单独一页，页面为标签加四周的边界，不用装订线"));
    btnCalibration = MakeButton(this, "btnCalibration", tr("打印机校准(&B)"));
    cbShape = new QComboBox(this);
    cbShape->setObjectName(QStringLiteral("cbShape"));
    cbShape->addItems({tr("矩形"), tr("圆角矩形"), tr("圆形"), tr("椭圆")});
    cbShape->setToolTip(tr("标签的模切形状：打印内容被裁到此形状内"));
    eRadius = makeEdit("eRadius", QStringLiteral("0.0"));
    eRadius->setFixedWidth(64);
    eRadius->setToolTip(tr("圆角矩形的圆角半径"));

    auto pairGroup = [this](const QString &title, const QString &hint, const QString &first, QLineEdit *a,
                            const QString &second, QLineEdit *b) {
        auto *box = new QGroupBox(title, this);
        box->setToolTip(hint);
        auto *g = new QGridLayout(box);
        g->addWidget(MakeLabel(this, nullptr, first), 0, 0);
        g->addWidget(a, 0, 1);
        g->addWidget(MakeLabel(this, nullptr, second), 1, 0);
        g->addWidget(b, 1, 1);
        for (QLineEdit *e : {a, b}) {
            e->setToolTip(hint);
            e->setFixedWidth(64);
        }
        return box;
    };
    auto *units = new QGroupBox(tr("度量单位"), this);
    {
        auto *l = new QVBoxLayout(units);
        l->addWidget(rbInches);
        l->addWidget(rbCentimetres);
        l->addWidget(rbMillimetres);
    }
    auto *size = pairGroup(tr("标签尺寸"), tr("输入标签尺寸"), tr("高度"), eLabelHeight,
                           tr("宽度"), eLabelWidth);
    auto *margins = pairGroup(tr("纸边界设置"), tr("输入页面顶端及左侧边界"),
                              tr("靠顶"), eMarginTop, tr("靠左"), eMarginLeft);
    auto *gaps = pairGroup(tr("标签装订线"), tr("输入标签之间水平及垂直间距"),
                           tr("高度"), eGapHeight, tr("宽度"), eGapWidth);

    auto *layoutBox = new QGroupBox(tr("标签布局"), this);
    {
        auto *l = new QVBoxLayout(layoutBox);
        l->addWidget(lRows);
        l->addWidget(lColumns);
    }
    auto *printable = new QGroupBox(tr("可打印页面区域"), this);
    {
        auto *l = new QGridLayout(printable);
        l->addWidget(MakeLabel(this, nullptr, tr("不可打印区域")), 0, 0, 1, 2);
        l->addWidget(LnpTop, 1, 0);
        l->addWidget(LnpBottom, 1, 1);
        l->addWidget(LnpLeft, 2, 0);
        l->addWidget(LnpRight, 2, 1);
    }

    auto *grid = new QGridLayout;
    grid->addWidget(units, 0, 0);
    grid->addWidget(size, 0, 1);
    grid->addWidget(margins, 1, 0);
    grid->addWidget(gaps, 1, 1);
    grid->addWidget(layoutBox, 0, 2);
    grid->addWidget(printable, 1, 2);
    grid->addWidget(cbRoll, 2, 0, 1, 3);
    {
        auto *shapeLine = new QHBoxLayout;
        shapeLine->addWidget(MakeLabel(this, "lShape", tr("形状：")));
        shapeLine->addWidget(cbShape);
        shapeLine->addWidget(MakeLabel(this, "lRadius", tr("圆角半径：")));
        shapeLine->addWidget(eRadius);
        shapeLine->addStretch();
        grid->addLayout(shapeLine, 3, 0, 1, 3);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnPrinterSetup);
    buttons->addWidget(btnStock);
    buttons->addWidget(btnCalibration);
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addWidget(lStock);
    lGrids = MakeLabel(this, "lGrids", QString());
    lGrids->setWordWrap(true);
    lGrids->hide();
    outer->addWidget(lGrids);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(368, 238);

    for (QLineEdit *e : {eMarginTop, eMarginLeft, eGapHeight, eGapWidth, eRadius})
        leave_->Watch(e, [this, e] { MarginOrGapExit(e); });
    leave_->Watch(eLabelHeight, [this] { HeightExit(); });
    leave_->Watch(eLabelWidth, [this] { WidthExit(); });

    for (auto [button, unit] : {std::pair{rbInches, TLabelUnit::Inch}, std::pair{rbCentimetres, TLabelUnit::Centimetre},
                                std::pair{rbMillimetres, TLabelUnit::Millimetre}})
        connect(button, &QRadioButton::toggled, this, [this, unit = unit](bool on) {
            if (on && !loading_)
                SwitchUnit(unit);
        });
    connect(btnOk, &QPushButton::clicked, this, &TFLabelSettings::OkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnPrinterSetup, &QPushButton::clicked, this, &TFLabelSettings::PrinterSetupClick);
    connect(btnStock, &QPushButton::clicked, this, &TFLabelSettings::StockClick);
    connect(btnCalibration, &QPushButton::clicked, this, [this] {
        if (Calibrate)
            Calibrate(this);
    });
    connect(cbRoll, &QCheckBox::toggled, this, [this] { Refresh(); });
    connect(cbShape, &QComboBox::activated, this, [this](int index) {
        // A round label is as high as it is wide.
        if (TLabelShape(index) == TLabelShape::Round)
            eLabelHeight->setText(eLabelWidth->text());
        Refresh();
    });
    for (QLineEdit *e : {eMarginTop, eMarginLeft, eLabelHeight, eLabelWidth, eGapHeight, eGapWidth})
        connect(e, &QLineEdit::textEdited, this, [this] {
            if (maxColumns_ == 0 && maxRows_ == 0)
                return;
            maxColumns_ = maxRows_ = 0;
            lStock->clear();
        });
}

bool TFLabelSettings::Execute(TLabelFormat &format)
{
    target_ = &format;
    LoadFields(format);
    Refresh();
    const bool ok = exec() == QDialog::Accepted;
    target_ = nullptr;
    return ok;
}

void TFLabelSettings::LoadFields(const TLabelFormat &f)
{
    loading_ = true;
    shownUnit_ = LabelUnit(f);
    rbCentimetres->setChecked(shownUnit_ == TLabelUnit::Centimetre);
    rbMillimetres->setChecked(shownUnit_ == TLabelUnit::Millimetre);
    rbInches->setChecked(shownUnit_ == TLabelUnit::Inch);
    loading_ = false;
    ShowLengths(f);
    lStock->clear();
    cbRoll->setChecked(f.Roll);
    cbShape->setCurrentIndex(int(f.Shape));
    eRadius->setText(FormatLabelUnits(f.CornerRadius));
    maxColumns_ = f.MaxColumns;
    maxRows_ = f.MaxRows;
    extraGrids_ = f.ExtraGrids;
    ShowGrids();
}

void TFLabelSettings::ShowGrids()
{
    lGrids->setVisible(!extraGrids_.isEmpty());
    int more = 0;
    for (const TLabelGrid &g : extraGrids_)
        more += g.Columns * g.Rows;
    lGrids->setText(tr("这张标签纸有 %1 组标签排列：上面的尺寸是第一组的，其余 %2 组（%3 个标签）随标签保存并打印。")
                        .arg(extraGrids_.size() + 1)
                        .arg(extraGrids_.size())
                        .arg(more));
}

void TFLabelSettings::MarginOrGapExit(QLineEdit *field)
{
    double v = 0;
    field->setText(ParseDecimal(field->text(), v) ? FormatLabelUnits(v) : QStringLiteral("0.0"));
    Refresh();
}

void TFLabelSettings::CheckSize(QLineEdit *field, const QString &inchMessage, const QString &cmMessage,
                                const QString &mmMessage)
{
    const TLabelUnit unit = CurrentUnit();
    const double minimum = unit == TLabelUnit::Inch ? 0.25 : unit == TLabelUnit::Centimetre ? 1.0 : 10.0;
    double v = 0;
    if (!ParseDecimal(field->text(), v)) {
        v = minimum;
    } else if (v < minimum) {
        DialogMessage(this, unit == TLabelUnit::Inch ? inchMessage : unit == TLabelUnit::Centimetre ? cmMessage : mmMessage);
        v = minimum;
    }
    field->setText(FormatLabelUnits(v));
    Refresh();
}

void TFLabelSettings::HeightExit()
{
    CheckSize(eLabelHeight, tr("Minimum label height is 0.25\" tall!"),
              tr("Minimum label height is 1 centimeter tall!"), tr("Minimum label height is 10 millimetres tall!"));
}

void TFLabelSettings::WidthExit()
{
    CheckSize(eLabelWidth, tr("Minimum label width is 0.25\" wide!"),
              tr("Minimum label width is 1 centimeter wide!"), tr("Minimum label width is 10 millimetres wide!"));
}

TLabelUnit TFLabelSettings::CurrentUnit() const
{
    return rbMillimetres->isChecked()   ? TLabelUnit::Millimetre
           : rbCentimetres->isChecked() ? TLabelUnit::Centimetre
                                        : TLabelUnit::Inch;
}

void TFLabelSettings::ShowLengths(const TLabelFormat &f)
{
    eMarginTop->setText(FormatLabelUnits(f.Margin_Top));
    eMarginLeft->setText(FormatLabelUnits(f.Margin_Left));
    eLabelHeight->setText(FormatLabelUnits(f.Label_Height));
    eLabelWidth->setText(FormatLabelUnits(f.Label_Width));
    eGapHeight->setText(FormatLabelUnits(f.Gap_Height));
    eGapWidth->setText(FormatLabelUnits(f.Gap_Width));
}

void TFLabelSettings::ReadLengths(TLabelFormat &f) const
{
    f.Margin_Top = valueOf(eMarginTop);
    f.Margin_Left = valueOf(eMarginLeft);
    f.Label_Height = valueOf(eLabelHeight);
    f.Label_Width = valueOf(eLabelWidth);
    f.Gap_Height = valueOf(eGapHeight);
    f.Gap_Width = valueOf(eGapWidth);
}

void TFLabelSettings::SwitchUnit(TLabelUnit to)
{
    TLabelFormat typed;
    SetLabelUnit(typed, shownUnit_);
    ReadLengths(typed);
    typed.CornerRadius = valueOf(eRadius);
    typed.ExtraGrids = extraGrids_;
    const TLabelFormat f = ConvertUnits(typed, to);
    ShowLengths(f);
    eRadius->setText(FormatLabelUnits(f.CornerRadius));
    extraGrids_ = f.ExtraGrids;
    shownUnit_ = to;
    Refresh();
}

void TFLabelSettings::PrinterSetupClick()
{
    if (PrinterSetup && PrinterSetup(this))
        Refresh();
}

void TFLabelSettings::Refresh()
{
    if (TPrinterMetrics m; PrinterMetrics && PrinterMetrics(m))
        metrics_ = m;
    const int PrinterDpiX = metrics_.DpiX, PrinterDpiY = metrics_.DpiY;
    const TLabelUnit metric = CurrentUnit();
    const int top = LabelUnitsToPrinter(valueOf(eMarginTop), PrinterDpiY, metric);
    const int left = LabelUnitsToPrinter(valueOf(eMarginLeft), PrinterDpiX, metric);
    const int height = LabelUnitsToPrinter(valueOf(eLabelHeight), PrinterDpiY, metric);
    const int width = LabelUnitsToPrinter(valueOf(eLabelWidth), PrinterDpiX, metric);
    const int gapHeight = LabelUnitsToPrinter(valueOf(eGapHeight), PrinterDpiY, metric);
    const int gapWidth = LabelUnitsToPrinter(valueOf(eGapWidth), PrinterDpiX, metric);
    int rows = CountLabels(top, height, gapHeight, metrics_.PaperHeight);
    int columns = CountLabels(left, width, gapWidth, metrics_.PaperWidth);
    if (maxRows_ > 0)
        rows = qMin(rows, maxRows_);
    if (maxColumns_ > 0)
        columns = qMin(columns, maxColumns_);

    auto strip = [metric](int pixels, int dpi) {
        // Without a printer ever read the resolution is unknown: show 0.
        double inches = dpi > 0 ? double(pixels) / dpi : 0.0;
        if (metric == TLabelUnit::Millimetre)
            return FormatDecimal(inches * 25.4, 0, 2) + QStringLiteral("mm");
        if (metric == TLabelUnit::Centimetre)
            return FormatDecimal(inches * kCmPerInch, 0, 3) + QStringLiteral("ct");
        return FormatDecimal(inches, 0, 3) + kInchSign;
    };
    LnpTop->setText(tr("顶：") + strip(metrics_.OffsetY, PrinterDpiY));
    LnpBottom->setText(tr("底：") + strip(metrics_.BottomMargin, PrinterDpiY));
    LnpLeft->setText(tr("左：") + strip(metrics_.OffsetX, PrinterDpiX));
    LnpRight->setText(tr("右：") + strip(metrics_.RightMargin, PrinterDpiX));
    lRows->setText(tr("行：") + QString::number(rows));
    lColumns->setText(tr("列：") + QString::number(columns));
    // A roll page is cut to the label: the gaps and the sheet do not apply.
    if (cbRoll->isChecked()) {
        lRows->setText(tr("每页 1 个标签"));
        lColumns->clear();
    }
    for (QLineEdit *e : {eGapHeight, eGapWidth})
        e->setEnabled(!cbRoll->isChecked());
    eRadius->setEnabled(TLabelShape(cbShape->currentIndex()) == TLabelShape::RoundedRectangle);
}

void TFLabelSettings::OkClick()
{
    // OK chosen with Enter leaves the focus in a field: check it first, as
    // leaving it would have.
    if (QWidget *focused = leave_->FocusedField())
        leave_->RunLeave(focused);
    // The print job would refuse such a format: say so here, at the field.
    TLabelFormat typed;
    typed.Margin_Top = valueOf(eMarginTop);
    typed.Margin_Left = valueOf(eMarginLeft);
    if (const TOffPageField off = OffPageField(typed); off != TOffPageField::None) {
        QLineEdit *field = off == TOffPageField::MarginTop ? eMarginTop : eMarginLeft;
        DialogMessage(this, off == TOffPageField::MarginTop ? tr("纸边界“靠顶”不能为负数：标签会落在纸外。")
                                                            : tr("纸边界“靠左”不能为负数：标签会落在纸外。"));
        field->setFocus();
        field->selectAll();
        return;
    }
    if (target_) {
        TLabelFormat &f = *target_;
        ReadLengths(f);
        SetLabelUnit(f, CurrentUnit());
        f.Roll = cbRoll->isChecked();
        f.MaxColumns = maxColumns_;
        f.MaxRows = maxRows_;
        f.ExtraGrids = extraGrids_;
        f.Shape = TLabelShape(qBound(0, cbShape->currentIndex(), 3));
        f.CornerRadius = f.Shape == TLabelShape::RoundedRectangle ? qMax(0.0, valueOf(eRadius)) : 0.0;
    }
    accept();
}

void TFLabelSettings::StockClick()
{
    TFStockChooser chooser(StockCatalogue().Sheets, this);
    if (chooser.exec() == QDialog::Accepted && chooser.Chosen())
        ApplyStock(*chooser.Chosen());
}

void TFLabelSettings::ApplyStock(const TStockSheet &sheet)
{
    LoadFields(StockLabelFormat(sheet));
    Refresh();
    QString text = tr("标签库存：%1，%2 列 × %3 行，%4").arg(sheet.Name()).arg(sheet.Columns).arg(sheet.Rows).arg(sheet.PaperName);
    // The counts above are for the printer's paper, which may not be the sheet's.
    const TPrinterMetrics &m = metrics_;
    if (m.DpiX > 0 && m.DpiY > 0 && m.PaperWidth > 0 &&
        (std::abs(double(m.PaperWidth) / m.DpiX - sheet.PaperWidth.Inches()) > 0.02 ||
         std::abs(double(m.PaperHeight) / m.DpiY - sheet.PaperHeight.Inches()) > 0.02))
        text += tr("（打印机的纸张不是 %1）").arg(sheet.PaperName);
    lStock->setText(text);
}
