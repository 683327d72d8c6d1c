#pragma once
// The platform printer behind the print job: a QPrinter measured in device
// pixels. With no printer installed it is a PDF printer at 600 DPI on the
// locale's paper (A4; Letter in the US) with the whole page printable.
// PDF output is written under a temporary name and renamed when the job
// ends well; a printer job is spooled and handed to CUPS only when it ends
// well, so an aborted job never reaches the queue.

#include "printing/printengine.h"

#include <QList>
#include <QPageSize>
#include <QStringList>
#include <memory>

class QPrinter;

// Removes the spool files that jobs of processes no longer running left in
// the temporary folder (a job killed before it ended).
void RemoveDeadSpools();

class TQPrinterDevice : public TPrinterDevice {
public:
    // An empty name selects the default printer, or with none set the first
    // installed one; PDF only when no printer is installed.
    explicit TQPrinterDevice(const QString &printerName = QString());
    ~TQPrinterDevice() override;

    QString Name() const override;
    bool Metrics(TPrinterMetrics &m) override;
    bool Begin(const QString &docTitle, QString *error) override;
    QPainter *Painter() override;
    bool NewPage() override;
    bool End(QString *error) override;
    void Abort() override;
    // A printer that takes custom sizes gets exactly the roll page
    // ("Custom.WxHmm"); another gets the smallest size it lists that holds
    // the page, turned when only that way round fits. PDF output is the page.
    bool SetRollPage(const QSizeF &mm) override;

    // The scheduler's job of the last document handed over; 0 when none.
    int JobId() const;
    // The job's state as the scheduler reports it ("pending", "pending-held",
    // "processing", "processing-stopped", "canceled", "aborted", "completed"), and
    // whether its queue is stopped, so a job that cannot go on is told.
    QString JobState() const;
    bool QueueStopped() const;
    // Why the job stands as it does: the printer's message for it, else the
    // scheduler's reasons ("job-canceled-by-user"); empty when none.
    QString JobReason() const;
    // The queue's default media in millimetres (what a label printer is
    // loaded with); invalid when the queue does not say, or for PDF.
    QSizeF QueueMediaMm() const;

    // For the printer set-up dialogs.
    QPrinter *Printer() const;
    // False when the name is not that of an installed printer.
    bool SelectPrinter(const QString &printerName);
    // Output file of the PDF printer used when no printer is installed.
    void SetOutputFileName(const QString &fileName);
    bool IsPdfFallback() const;

    // Every installed queue, the default first when there is one.
    static QStringList PrinterNames();
    static QString DefaultPrinterName(); // empty when none is set as default

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The paper a roll page of `mm` asks for on a printer that lists `sizes`
// (and takes custom sizes from minMm to maxMm when `custom`): the page itself
// when custom sizes hold it, else the smallest listed size that holds it
// upright or turned (landscape). Invalid when nothing holds it.
struct TRollMedia {
    QPageSize Size;
    bool Landscape = false;
    QString Media; // the "media" option sent with the job
};
TRollMedia ChooseRollMedia(const QSizeF &mm, const QList<QPageSize> &sizes, bool custom, const QSizeF &minMm,
                           const QSizeF &maxMm);
// The same for an installed printer; invalid for an unknown name.
TRollMedia RollMediaFor(const QString &printerName, const QSizeF &mm);
