#pragma once
// The platform printer behind the print job: a QPrinter measured in device
// pixels. With no printer installed it is a PDF printer at 600 DPI on the
// locale's paper (A4; Letter in the US) with the whole page printable.
// PDF output is written under a temporary name and renamed when the job
// ends well; a printer job is spooled and handed to CUPS only when it ends
// well, so an aborted job never reaches the queue.

#include "printing/printengine.h"

#include <QStringList>
#include <memory>

class QPrinter;

class TQPrinterDevice : public TPrinterDevice {
public:
    // An empty name selects the default printer.
    explicit TQPrinterDevice(const QString &printerName = QString());
    ~TQPrinterDevice() override;

    QString Name() const override;
    bool Metrics(TPrinterMetrics &m) override;
    bool Begin(const QString &docTitle, QString *error) override;
    QPainter *Painter() override;
    bool NewPage() override;
    bool End(QString *error) override;
    void Abort() override;

    // For the printer set-up dialogs.
    QPrinter *Printer() const;
    // False when the name is not that of an installed printer.
    bool SelectPrinter(const QString &printerName);
    // Output file of the PDF printer used when no printer is installed.
    void SetOutputFileName(const QString &fileName);
    bool IsPdfFallback() const;

    static QStringList PrinterNames();
    static QString DefaultPrinterName(); // empty with no printer installed

    // ComputeSheetLayout reads this device from now on.
    void InstallAsMetricsSource();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
