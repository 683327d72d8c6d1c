#include "app/fprintersetup.h"

#include "app/dialogkit.h"
#include "printing/qprinter_device.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Papers offered when the printer names none (the PDF printer).
QList<QPageSize> CommonPapers()
{
    QList<QPageSize> out;
    for (QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::Letter, QPageSize::Legal, QPageSize::A3, QPageSize::A5,
                                     QPageSize::A6, QPageSize::B5, QPageSize::Executive, QPageSize::Tabloid})
        out << QPageSize(id);
    return out;
}

bool SamePaper(const QPageSize &a, const QPageSize &b)
{
    return a.isEquivalentTo(b) || (a.id() != QPageSize::Custom && a.id() == b.id());
}

} // namespace

TFPrinterSetup::TFPrinterSetup(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FPrinterSetup"));
    setWindowTitle(tr("打印设置"));
    setFont(DialogFont());

    auto *printerBox = new QGroupBox(tr("打印机"), this);
    auto *printerForm = new QFormLayout(printerBox);
    cbPrinter = new QComboBox(printerBox);
    cbPrinter->setObjectName(QStringLiteral("cbPrinter"));
    cbPrinter->setMinimumContentsLength(24);
    printerForm->addRow(tr("名称(&N):"), cbPrinter);

    auto *paperBox = new QGroupBox(tr("纸张"), this);
    auto *paperForm = new QFormLayout(paperBox);
    cbPaper = new QComboBox(paperBox);
    cbPaper->setObjectName(QStringLiteral("cbPaper"));
    paperForm->addRow(tr("大小(&Z):"), cbPaper);

    auto *orientationBox = new QGroupBox(tr("方向"), this);
    auto *orientation = new QVBoxLayout(orientationBox);
    rbPortrait = new QRadioButton(tr("纵向(&O)"), orientationBox);
    rbPortrait->setObjectName(QStringLiteral("rbPortrait"));
    rbLandscape = new QRadioButton(tr("横向(&A)"), orientationBox);
    rbLandscape->setObjectName(QStringLiteral("rbLandscape"));
    orientation->addWidget(rbPortrait);
    orientation->addWidget(rbLandscape);

    OkayBtn = MakeButton(this, "OkayBtn", tr("确定"), true);
    CancelBtn = MakeButton(this, "CancelBtn", tr("取消"));
    connect(OkayBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *lower = new QHBoxLayout;
    lower->addWidget(paperBox, 1);
    lower->addWidget(orientationBox);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkayBtn);
    buttons->addWidget(CancelBtn);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(printerBox);
    outer->addLayout(lower);
    outer->addLayout(buttons);

    connect(cbPrinter, &QComboBox::currentIndexChanged, this, [this] {
        FillPapers(cbPaper->currentData().value<QPageSize>());
    });
}

void TFPrinterSetup::FillPapers(const QPageSize &keep)
{
    QList<QPageSize> papers;
    QPageSize fallback(QPageSize::A4);
    if (!pdfOnly_) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(cbPrinter->currentText());
        papers = info.supportedPageSizes();
        if (info.defaultPageSize().isValid())
            fallback = info.defaultPageSize();
    }
    if (papers.isEmpty())
        papers = CommonPapers();
    // A paper set on the printer but not in its list stays choosable.
    if (keep.isValid() && std::none_of(papers.cbegin(), papers.cend(),
                                       [&](const QPageSize &p) { return SamePaper(p, keep); }))
        papers.prepend(keep);

    cbPaper->clear();
    int chosen = -1, fallbackIndex = 0;
    for (const QPageSize &p : papers) {
        if (keep.isValid() && chosen < 0 && SamePaper(p, keep))
            chosen = cbPaper->count();
        if (SamePaper(p, fallback))
            fallbackIndex = cbPaper->count();
        cbPaper->addItem(p.name(), QVariant::fromValue(p));
    }
    cbPaper->setCurrentIndex(chosen >= 0 ? chosen : fallbackIndex);
}

bool TFPrinterSetup::Execute(TQPrinterDevice &device)
{
    QPrinter *printer = device.Printer();
    const QPageLayout layout = printer->pageLayout();

    const QStringList names = TQPrinterDevice::PrinterNames();
    // A device that fell back to PDF before a queue was installed takes one now.
    pdfOnly_ = names.isEmpty();
    {
        const QSignalBlocker quiet(cbPrinter);
        cbPrinter->clear();
        cbPrinter->addItems(pdfOnly_ ? QStringList{device.Name()} : names);
        cbPrinter->setCurrentIndex(qMax(0, cbPrinter->findText(device.Name())));
    }
    FillPapers(layout.pageSize());
    (layout.orientation() == QPageLayout::Landscape ? rbLandscape : rbPortrait)->setChecked(true);

    if (exec() != QDialog::Accepted)
        return false;
    if (!pdfOnly_ && cbPrinter->currentText() != device.Name())
        device.SelectPrinter(cbPrinter->currentText());
    const QPageSize paper = cbPaper->currentData().value<QPageSize>();
    if (paper.isValid())
        printer->setPageSize(paper);
    printer->setPageOrientation(rbLandscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    return true;
}
