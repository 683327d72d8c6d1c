#include "app/flabelsettings.h"

#include "app/dialogkit.h"
#include "printing/sheetlayout.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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

    RadioButton1 = new QRadioButton(tr("英寸"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(tr("厘米"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));

    auto *keys = new TKeyFilter(this, QStringLiteral("-.0123456789"));
    auto makeEdit = [this, keys](const char *name, const QString &text) {
        QLineEdit *e = MakeEdit(this, name, text, 7);
        keys->Install(e);
        return e;
    };
    Edit3 = makeEdit("Edit3", QStringLiteral("1.25"));
    Edit4 = makeEdit("Edit4", QStringLiteral("2.5"));
    Edit1 = makeEdit("Edit1", QStringLiteral("0.0"));
    Edit2 = makeEdit("Edit2", QStringLiteral("0.0"));
    Edit5 = makeEdit("Edit5", QStringLiteral("0.0"));
    Edit6 = makeEdit("Edit6", QStringLiteral("0.0"));

    lRows = MakeLabel(this, "lRows", tr("行："));
    lColumns = MakeLabel(this, "lColumns", tr("列："));
    LnpTop = MakeLabel(this, "LnpTop", tr("顶:"));
    LnpBottom = MakeLabel(this, "LnpBottom", tr("底:"));
    LnpLeft = MakeLabel(this, "LnpLeft", tr("左:"));
    LnpRight = MakeLabel(this, "LnpRight", tr("右:"));

    BitBtn1 = MakeButton(this, "BitBtn1", tr("确定(&O)"), true);
    BitBtn2 = MakeButton(this, "BitBtn2", tr("取消(&C)"));
    BitBtn3 = MakeButton(this, "BitBtn3", tr("打印设置(&P)"));

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
        l->addWidget(RadioButton1);
        l->addWidget(RadioButton2);
    }
    auto *size = pairGroup(tr("标签尺寸"), tr("输入标签尺寸"), tr("高度"), Edit3,
                           tr("宽度"), Edit4);
    auto *margins = pairGroup(tr("纸边界设置"), tr("输入页面顶端及左侧边界"),
                              tr("靠顶"), Edit1, tr("靠左"), Edit2);
    auto *gaps = pairGroup(tr("标签装订线"), tr("输入标签之间水平及垂直间距"),
                           tr("高度"), Edit5, tr("宽度"), Edit6);

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

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn3);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(368, 238);

    for (QLineEdit *e : {Edit1, Edit2, Edit5, Edit6})
        leave_->Watch(e, [this, e] { Edit1Exit(e); });
    leave_->Watch(Edit3, [this] { Edit3Exit(); });
    leave_->Watch(Edit4, [this] { Edit4Exit(); });

    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !loading_)
            SwitchUnit(false);
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !loading_)
            SwitchUnit(true);
    });
    connect(BitBtn1, &QPushButton::clicked, this, &TFLabelSettings::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TFLabelSettings::BitBtn3Click);
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
    RadioButton2->setChecked(f.Metric);
    RadioButton1->setChecked(!f.Metric);
    loading_ = false;
    Edit1->setText(FormatLabelUnits(f.Margin_Top));
    Edit2->setText(FormatLabelUnits(f.Margin_Left));
    Edit3->setText(FormatLabelUnits(f.Label_Height));
    Edit4->setText(FormatLabelUnits(f.Label_Width));
    Edit5->setText(FormatLabelUnits(f.Gap_Height));
    Edit6->setText(FormatLabelUnits(f.Gap_Width));
}

void TFLabelSettings::Edit1Exit(QLineEdit *field)
{
    double v = 0;
    field->setText(ParseDecimal(field->text(), v) ? FormatLabelUnits(v) : QStringLiteral("0.0"));
    Refresh();
}

void TFLabelSettings::CheckSize(QLineEdit *field, const QString &inchMessage, const QString &cmMessage)
{
    const bool inch = RadioButton1->isChecked();
    const double minimum = inch ? 0.25 : 1.0;
    double v = 0;
    if (!ParseDecimal(field->text(), v)) {
        v = minimum;
    } else if (v < minimum) {
        DialogMessage(this, inch ? inchMessage : cmMessage);
        v = minimum;
    }
    field->setText(FormatLabelUnits(v));
    Refresh();
}

void TFLabelSettings::Edit3Exit()
{
    CheckSize(Edit3, tr("Minimum label height is 0.25\" tall!"),
              tr("Minimum label height is 1 centimeter tall!"));
}

void TFLabelSettings::Edit4Exit()
{
    CheckSize(Edit4, tr("Minimum label width is 0.25\" wide!"),
              tr("Minimum label width is 1 centimeter wide!"));
}

void TFLabelSettings::SwitchUnit(bool toMetric)
{
    for (QLineEdit *e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6}) {
        const double v = valueOf(e);
        e->setText(FormatLabelUnits(toMetric ? v * kCmPerInch : v / kCmPerInch));
    }
    Refresh();
}

void TFLabelSettings::BitBtn3Click()
{
    if (PrinterSetup && PrinterSetup(this))
        Refresh();
}

void TFLabelSettings::Refresh()
{
    ComputeSheetLayout();
    const bool metric = RadioButton2->isChecked();
    const int top = LabelUnitsToPrinter(valueOf(Edit1), PrinterDpiY, metric);
    const int left = LabelUnitsToPrinter(valueOf(Edit2), PrinterDpiX, metric);
    const int height = LabelUnitsToPrinter(valueOf(Edit3), PrinterDpiY, metric);
    const int width = LabelUnitsToPrinter(valueOf(Edit4), PrinterDpiX, metric);
    const int gapHeight = LabelUnitsToPrinter(valueOf(Edit5), PrinterDpiY, metric);
    const int gapWidth = LabelUnitsToPrinter(valueOf(Edit6), PrinterDpiX, metric);
    const int rows = CountLabels(top, height, gapHeight, PaperHeight);
    const int columns = CountLabels(left, width, gapWidth, PaperWidth);

    auto strip = [metric](int pixels, int dpi) {
        // Without a printer ever read the resolution is unknown: show 0.
        double inches = dpi > 0 ? double(pixels) / dpi : 0.0;
        if (metric)
            return FormatDecimal(inches * kCmPerInch, 0, 3) + QStringLiteral("ct");
        return FormatDecimal(inches, 0, 3) + kInchSign;
    };
    LnpTop->setText(tr("顶：") + strip(OffsetY, PrinterDpiY));
    LnpBottom->setText(tr("底：") + strip(BottomMargin, PrinterDpiY));
    LnpLeft->setText(tr("左：") + strip(OffsetX, PrinterDpiX));
    LnpRight->setText(tr("右：") + strip(RightMargin, PrinterDpiX));
    lRows->setText(tr("行：") + QString::number(rows));
    lColumns->setText(tr("列：") + QString::number(columns));
}

void TFLabelSettings::BitBtn1Click()
{
    // OK chosen with Enter leaves the focus in a field: check it first, as
    // leaving it would have.
    if (QWidget *focused = leave_->FocusedField())
        leave_->RunLeave(focused);
    if (target_) {
        TLabelFormat &f = *target_;
        f.Margin_Top = valueOf(Edit1);
        f.Margin_Left = valueOf(Edit2);
        f.Label_Height = valueOf(Edit3);
        f.Label_Width = valueOf(Edit4);
        f.Gap_Height = valueOf(Edit5);
        f.Gap_Width = valueOf(Edit6);
        f.Metric = RadioButton2->isChecked();
    }
    accept();
}
