#pragma once
// The print job: the current label printed repeatedly on pages laid out by
// the sheet layout, with copies, ranges, data records and counters.

#include "model/items.h"
#include "printing/dataimport.h"
#include "printing/sheetlayout.h"

#include <QString>

class QPainter;

enum TRangeKind { rkAll = 0, rkPages = 1, rkLabels = 2 };

// The choices of one job, filled by the print dialog or the command line.
struct TPrintChoices {
    int Copies = 1;
    int RangeKind = rkPages;
    int PageCount = 1;
    int LabelCount = 1;
    QString DataFile;
    TSplitSettings Split;
    QString LabelFile; // current label file, names the document
};

// A printer, a PDF file, or a test double.
class TPrinterDevice {
public:
    virtual ~TPrinterDevice() = default;
    virtual QString Name() const = 0;
    virtual bool Metrics(TPrinterMetrics &m) = 0;
    virtual bool Begin(const QString &docTitle, QString *error) = 0;
    virtual QPainter *Painter() = 0;
    virtual bool NewPage() = 0;
    virtual bool End(QString *error) = 0;
    virtual void Abort() = 0;
};

// The progress window (or the command line's progress line).
class TPrintProgressSink {
public:
    virtual ~TPrintProgressSink() = default;
    virtual void SetDocName(const QString &) {}
    virtual void SetPrinterName(const QString &) {}
    virtual void StartProgress(qint64 totalLabels) { (void)totalLabels; } // -1 when unknown
    virtual void SetPage(int page) { (void)page; }
    virtual void LabelPrinted(qint64 labelsPrinted) { (void)labelsPrinted; }
    virtual bool Cancelled() const { return false; }
    virtual void Finish() {}
};

enum class TPrintResult { Printed, Cancelled, NoFit, NoRecords, DataError, DeviceError };

extern bool LastCopy;

TPrintResult PrintLabels(const QList<TLabelControl *> &items, const TPrintChoices &choices,
                         TPrinterDevice &device, TPrintProgressSink *progress, QString *message);
void PrintLabel(QPainter &painter, const QList<TLabelControl *> &items, int column, int row,
                const TDataRow *dataRow);
