#include "app/appprinter.h"

#include "app/fprintersetup.h"

#include "printing/qprinter_device.h"
#include "printing/sheetlayout.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPrinter>

TAppPrinter::TAppPrinter() : selected_(std::make_unique<TQPrinterDevice>()) {}

TAppPrinter::~TAppPrinter() = default;

bool TAppPrinter::Setup(QWidget *parent)
{
    TFPrinterSetup dlg(parent);
    return dlg.Execute(*selected_);
}

std::unique_ptr<TPrinterDevice> TAppPrinter::NewDevice(QWidget *parent)
{
    auto device = std::make_unique<TQPrinterDevice>(selected_->Name());
    device->Printer()->setPageLayout(selected_->Printer()->pageLayout());
    if (device->IsPdfFallback()) {
        const QString file = QFileDialog::getSaveFileName(
            parent, QCoreApplication::translate("TAppPrinter", "Print to PDF"), QString(),
            QCoreApplication::translate("TAppPrinter", "PDF Files (*.pdf)"));
        if (file.isEmpty())
            return nullptr;
        device->SetOutputFileName(file.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
                                      ? file
                                      : file + QStringLiteral(".pdf"));
    }
    return device;
}
