#include "app/fcalibration.h"

#include "app/dialogkit.h"
#include "printing/calibrationpage.h"
#include "printing/qprinter_device.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *makeSpin(QWidget *parent, const char *name, double lo, double hi, double step, int decimals,
                         const QString &suffix)
{
    auto *e = new QDoubleSpinBox(parent);
    e->setObjectName(QLatin1String(name));
    e->setRange(lo, hi);
    e->setSingleStep(step);
    e->setDecimals(decimals);
    e->setSuffix(suffix);
    e->setLocale(QLocale::c());
    return e;
}

QString PrintOnPrinter(const QString &printer, const QSizeF &rollMm)
{
    TQPrinterDevice device(printer);
    if (device.IsPdfFallback())
        return TFCalibration::tr("打印机“%1”不可用。").arg(printer);
    QString message;
    return PrintCalibrationPage(device, &message, CalibrationPageMm(rollMm, device.QueueMediaMm()))
                   == TPrintResult::Printed
               ? QString()
               : message;
}

} // namespace

TFCalibration::TFCalibration(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FCalibration"));
    setWindowTitle(tr("打印机校准"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());
    PrintPage = [this](const QString &printer) { return PrintOnPrinter(printer, RollPageMm); };

    cbPrinter = new QComboBox(this);
    cbPrinter->setObjectName(QStringLiteral("cbPrinter"));
    const QString mm = QStringLiteral(" mm"), pct = QStringLiteral(" %");
    eOffsetX = makeSpin(this, "eOffsetX", -kCalibrationOffsetLimit, kCalibrationOffsetLimit, 0.1, 1, mm);
    eOffsetY = makeSpin(this, "eOffsetY", -kCalibrationOffsetLimit, kCalibrationOffsetLimit, 0.1, 1, mm);
    eScaleX = makeSpin(this, "eScaleX", kCalibrationScaleMin, kCalibrationScaleMax, 0.1, 2, pct);
    eScaleY = makeSpin(this, "eScaleY", kCalibrationScaleMin, kCalibrationScaleMax, 0.1, 2, pct);
    lHint = MakeLabel(this, "lHint",
                      tr("先打印校准页，量出十字与标尺实际落在纸上的位置和长度，再按页上的说明填入数值。"
                         "偏移向右、向下为正。"));
    lHint->setWordWrap(true);
    btnPrintPage = MakeButton(this, "btnPrintPage", tr("打印校准页(&P)"));
    btnReset = MakeButton(this, "btnReset", tr("清除(&R)"));
    btnOk = MakeButton(this, "btnOk", tr("确定(&O)"), true);
    btnCancel = MakeButton(this, "btnCancel", tr("取消(&C)"));

    auto *offset = new QGroupBox(tr("偏移"), this);
    {
        auto *f = new QFormLayout(offset);
        f->addRow(tr("水平 X："), eOffsetX);
        f->addRow(tr("垂直 Y："), eOffsetY);
    }
    auto *scale = new QGroupBox(tr("比例"), this);
    {
        auto *f = new QFormLayout(scale);
        f->addRow(tr("水平 X："), eScaleX);
        f->addRow(tr("垂直 Y："), eScaleY);
    }
    auto *top = new QFormLayout;
    top->addRow(tr("打印机："), cbPrinter);
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(offset);
    boxes->addWidget(scale);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnPrintPage);
    buttons->addWidget(btnReset);
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(top);
    outer->addLayout(boxes);
    outer->addWidget(lHint);
    outer->addLayout(buttons);
    setMinimumWidth(380);

    connect(cbPrinter, &QComboBox::currentIndexChanged, this, &TFCalibration::PrinterChanged);
    connect(btnPrintPage, &QPushButton::clicked, this, &TFCalibration::PrintPageClick);
    connect(btnReset, &QPushButton::clicked, this, [this] { ShowValues({}); });
    connect(btnOk, &QPushButton::clicked, this, &TFCalibration::OkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFCalibration::Execute(const QString &printer)
{
    cbPrinter->blockSignals(true);
    cbPrinter->clear();
    cbPrinter->addItems(TQPrinterDevice::PrinterNames());
    if (!printer.isEmpty() && cbPrinter->findText(printer) < 0)
        cbPrinter->addItem(printer);
    cbPrinter->setCurrentIndex(qMax(0, cbPrinter->findText(printer)));
    cbPrinter->blockSignals(false);
    PrinterChanged();
    return exec() == QDialog::Accepted;
}

TCalibration TFCalibration::Values() const
{
    return RoundCalibration({eOffsetX->value(), eOffsetY->value(), eScaleX->value(), eScaleY->value()});
}

void TFCalibration::ShowValues(const TCalibration &c)
{
    eOffsetX->setValue(c.OffsetX);
    eOffsetY->setValue(c.OffsetY);
    eScaleX->setValue(c.ScaleX);
    eScaleY->setValue(c.ScaleY);
}

void TFCalibration::PrinterChanged()
{
    const bool any = !cbPrinter->currentText().isEmpty();
    for (QWidget *w : std::initializer_list<QWidget *>{eOffsetX, eOffsetY, eScaleX, eScaleY, btnPrintPage, btnReset, btnOk})
        w->setEnabled(any);
    ShowValues(LoadCalibration(cbPrinter->currentText()));
}

void TFCalibration::PrintPageClick()
{
    const QString why = PrintPage ? PrintPage(cbPrinter->currentText()) : QString();
    if (!why.isEmpty())
        DialogMessage(this, why);
}

void TFCalibration::OkClick()
{
    const QString printer = cbPrinter->currentText();
    if (printer.isEmpty())
        return reject();
    QString error;
    if (!SaveCalibration(printer, Values(), &error)) {
        DialogMessage(this, error.isEmpty() ? tr("无法保存设置文件 %1。").arg(QDir::toNativeSeparators(SettingsFilePath()))
                                            : error);
        return;
    }
    accept();
}
