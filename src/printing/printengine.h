#pragma once
// The print job: the current label printed repeatedly on pages laid out by
// the sheet layout, with copies, ranges, data records and counters.

#include "model/items.h"
#include "printing/itemprint.h"
#include "data/dataimport.h"
#include "data/sourcechoice.h"
#include "printing/sheetlayout.h"
#include "storage/settings.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPainter;

enum TRangeKind { rkAll = 0, rkPages = 1, rkLabels = 2 };

// The choices of one job, filled by the print dialog or the command line.
struct TPrintChoices {
    int Copies = 1;
    int RangeKind = rkPages;
    int PageCount = 1;
    int LabelCount = 1;
    QString DataFile;       // text or spreadsheet file
    TSplitSettings Split;   // text files
    QString Sheet;          // spreadsheets: a sheet's name or number from 1; empty for the first
    QString SqlUrl;         // a database source's connection, without its password
    QString SqlQuery;
    QString SqlPassword;    // typed for this run, never saved
    QString LabelFile; // current label file, names the document
    // Values for the label's asked parts by name (the dialog's form, --set);
    // a name not given takes the part's default.
    QHash<QString, QString> Answers;
    // A column (header name, or number from 1) that says how many labels each
    // record prints; empty: one each (times Copies).
    QString QuantityColumn;
    bool Roll = false;          // one label a page, also for a label made for sheets
    TCalibration Calibration;   // the printer's correction; none for PDF files
    // Pages FirstPage to the last the range allows; the pages before are
    // passed over without being drawn, with the same labels and counters.
    int FirstPage = 1;
    // Records FirstRecord to LastRecord of the source, from 1 as it counts
    // them; 0: from the first, to the last. Counters take the values they
    // have at FirstRecord in the whole run.
    qint64 FirstRecord = 0, LastRecord = 0;
    // With Copies: the whole run printed Copies times, each run from a new
    // page with the same counter values, in place of each label Copies times.
    bool Collate = false;
    // Alignment aids: each label's die-cut outline, crop marks beside the
    // labels, the page mirror-inverted (transfer media).
    bool Outline = false;
    bool CropMarks = false;
    bool Mirror = false;

    // The job's records: the database when SqlUrl is set, else the data file.
    TSourceChoice DataSource() const
    {
        return {SqlUrl.isEmpty() ? DataFile : SqlUrl, Split, Sheet, SqlQuery, SqlUrl.isEmpty() ? QString() : SqlPassword};
    }
    // The label position (from 1, in the layout's order) the first page
    // starts on: those before it are used already. Later pages start at 1.
    int FirstLabel = 1;
};

// A printer, a PDF file, or a test double. Coordinates on Painter() are
// device pixels of the printable area.
class TPrinterDevice {
public:
    virtual ~TPrinterDevice() = default;
    virtual QString Name() const = 0;
    virtual bool Metrics(TPrinterMetrics &m) = 0;
    // Starts the document on its first page.
    virtual bool Begin(const QString &docTitle, QString *error) = 0;
    virtual QPainter *Painter() = 0;
    virtual bool NewPage() = 0;
    virtual bool End(QString *error) = 0;
    // Discards the document; nothing of it is kept.
    virtual void Abort() = 0;
    // Roll labels: before Metrics, asks for pages of this size (millimetres).
    // False when the device keeps its paper.
    virtual bool SetRollPage(const QSizeF &mm)
    {
        (void)mm;
        return false;
    }
};

// The progress window (or the command line's progress line). Finish is
// called once at the end of every job, whatever its result, also when the
// job stops before StartProgress.
class TPrintProgressSink {
public:
    virtual ~TPrintProgressSink() = default;
    virtual void SetDocName(const QString &) {}
    virtual void SetPrinterName(const QString &) {}
    virtual void StartProgress(qint64 totalLabels) { (void)totalLabels; } // -1 when unknown
    // Just before StartProgress: the pages the job prints, -1 when unknown.
    virtual void SetPagesTotal(qint64 pages) { (void)pages; }
    // After the first page is begun and after each new page; the window
    // processes its pending events here.
    virtual void SetPage(int page) { (void)page; }
    virtual void LabelPrinted(qint64 labelsPrinted) { (void)labelsPrinted; }
    // Polled after every label.
    virtual bool Cancelled() const { return false; }
    virtual void Finish() {}
};

enum class TPrintResult { Printed, Cancelled, NoFit, NoRecords, DataError, DeviceError };

// The messages of the jobs that print nothing, in context "Printing" of the
// catalogue (QCoreApplication::translate).
extern const char *const kMsgNoFit;     // "The label does not fit on the page."
extern const char *const kMsgNoRecords; // "The data file has no records."
// kMsgNoRecords and the source it is about: "... (stock.xlsx, sheet "Notes")".
QString NoRecordsMessage(const TRecordSource &source);

// "The printer "NAME" cannot be used.", translated.
QString PrinterUnusableMessage(const QString &name);

// What one job did, for callers that report it.
struct TPrintStats {
    qint64 LabelsPrinted = 0;
    int PagesPrinted = 0;
    // Labels printed without a barcode whose text its symbology cannot hold:
    // the record (from 1; the label's number without a data file), once however
    // many copies, and the first reason.
    struct TSymbolFailure {
        qint64 Record = 0;
        QString Reason;
    };
    QList<TSymbolFailure> SymbolFailures;
    // Pictures printed blank because their files could not be read, each
    // named once for the whole job.
    QStringList MissingPictures;
};

// What a job settles before its first label, the same for the printer and
// the preview: the values asked, the source open on its first record with
// the columns the label names checked, the quantity column found.
struct TJobData {
    TPrintChoices Choices; // the job's copy: a header line is read when columns are named
    QHash<QString, QString> Answers;
    QStringList Columns;   // the source's header, column 1 first
    int QuantityColumn = -1; // from 0; -1: one label a record
    // A record range: the source opens on FirstRecord (from 1); the records
    // passed over printed these label contents and these records.
    qint64 FirstRecord = 1;
    qint64 SkippedContents = 0, SkippedRecords = 0;
};
using TSourceOpener = std::function<std::unique_ptr<TRecordSource>(const TSourceChoice &, QString *)>;
// Printed when the job can start, with *source open (or null when the job
// reads no source); else the failure and its message (DataError for values
// and columns, NoRecords for a source without records).
TPrintResult PrepareJob(const QList<TLabelControl *> &items, const TPrintChoices &choices, const TSourceOpener &open,
                        TJobData &data, std::unique_ptr<TRecordSource> &source, QString *message);
// How many labels a record prints, read from its quantity column (from 0):
// false with *message naming the record (from 1) when it is not a whole
// number of at least 0.
bool RecordQuantity(const TDataRow &row, int column, qint64 record, qint64 *quantity, QString *message);
// Why a label could not be composed: the item (by its number in the label,
// its kind and place), the text at fault and the record.
QString ComposeFailureMessage(const TComposeFailure &failure, const TLabelControl &item, int itemNumber,
                              const TPrintResolution &dpi, qint64 record, bool hasSource);

// Runs one job. The engine shows nothing itself: for NoFit, NoRecords,
// DataError and DeviceError *message holds the text to show (naming the file
// where one is at fault), and no document was begun except for a device
// failure while ending. Cancelled: the document was aborted. open, when
// given, opens the source in place of OpenRecordSource.
TPrintResult PrintLabels(const TItemContainer &label, const TPrintChoices &choices, TPrinterDevice &device,
                         TPrintProgressSink *progress, QString *message, TPrintStats *stats = nullptr,
                         const TSourceOpener &open = {});
// The format a job prints the label with: its own, or, when the job asks a
// sheet label for a roll, one a page without the sheet's margins.
TLabelFormat JobFormat(const TLabelFormat &format, const TPrintChoices &choices);
// Where a job stands between labels. PrintLabels carries it from page to
// page; the preview sets it up for any page and draws that page alone.
struct TJobCursor {
    TRecordSource *Source = nullptr; // positioned on the current record; null without a data source
    int Copies = 1;
    int RangeKind = rkPages; // as the job takes it: never rkAll without a data source
    qint64 LabelCount = 1;
    qint64 LabelsPrinted = 0; // before the page: its first label's number from 0
    int CopyIndex = 0;
    qint64 Record = 1; // the current record, from 1
    bool Done = false, Cancelled = false, DataFailed = false;
    TPrintProgressSink *Progress = nullptr;
    QList<TPrintStats::TSymbolFailure> *SymbolFailures = nullptr; // may be null
    // The job's columns, date cells and answers; Row follows the source.
    TComposeContext Context;
    int QuantityColumn = -1; // from 0; -1: one label a record
    qint64 Quantity = 1;     // labels the current record prints
    qint64 RecordLabel = 0;  // of them, those finished
    // Set with DataFailed when the fault is not the source's own (a
    // quantity, a composition).
    QString FailMessage;
    // Positions of this page left empty (used before): the first page's
    // FirstLabel - 1, then 0.
    int SkipPositions = 0;
    // Drawn with each label printed (TPrintChoices' aids).
    bool Outline = false;
    bool CropMarks = false;
};
// Moves the cursor onto the first record, from the current one, that prints
// at least one label (reading on past records whose quantity is 0); Done when
// none is left, DataFailed with FailMessage on a bad quantity.
void SettleRecord(TJobCursor &job);
// Where a job stands when a page begins, from the job's first record.
struct TPageStart {
    qint64 Token = 0;       // the source's position, for whoever comes back to it
    qint64 Record = 1;      // as the source counts, records that print nothing included
    qint64 Quantity = 1;    // labels that record prints
    qint64 RecordLabel = 0; // of them, finished before the page
    int CopyIndex = 0;
    qint64 Contents = 0;    // label contents finished before the page
    qint64 Records = 0;     // records finished before the page
};
// The start of the page whose first label is label first (from 0) of a job
// without a source: every label content is a record of its own.
TPageStart PageStartWithoutSource(qint64 first, int copies);
// Reads the job's records from the source's current one (numbered record)
// without drawing, laying each record's labels (quantity times copies) on
// pages of perPage labels (the first skip fewer) up to limit labels. page is
// called for every page that begins, the source on that page's first record,
// and returns false to stop there; afterRecord after each record's pages. *labels: the labels laid
// (up to the stop). False with *message when a quantity or the source fails.
bool WalkPages(TRecordSource &source, int quantityColumn, int copies, qint64 perPage, qint64 limit, qint64 record,
               const std::function<bool(const TPageStart &)> &page, const std::function<void()> &afterRecord,
               qint64 *labels, QString *message, qint64 skip = 0);
// Puts the cursor at a page's start whose first label is label first.
void PlaceJob(TJobCursor &job, const TPageStart &at, qint64 first);
// Counts the counters of the items' advanced parts on from where they stand
// by so many label contents, records and pages.
void CountSequencesBy(const QList<TLabelControl *> &items, qint64 contents, qint64 records, qint64 pages);
// Fills the current page from the cursor's position, label by label, until
// the page is full or the job is done.
void PrintPage(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout, TJobCursor &job);
// Draws every item, bottom first, at grid position (column, row) of the
// current page, each clipped to its box (or the label when auto-sized).
// The label's resolutions come from the layout.
void PrintLabel(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout, int column,
                int row, const TLabelPrintState &label);
// The same with the label's corner given (one of the layout's Positions).
void PrintLabelAt(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout,
                  const QPoint &corner, const TLabelPrintState &label);
// Why a job cannot start on label first of a page of the layout; empty when
// it can.
QString FirstLabelMessage(int first, const TSheetLayout &layout);
// The alignment aids of the label whose corner is at (one of the layout's
// Positions): its outline (the die-cut shape when it has one) and crop marks
// at its corners in the margins and gaps, never over a label of the page.
void PrintLabelAids(QPainter &painter, const TSheetLayout &layout, const QPoint &corner, bool outline,
                    bool cropMarks);
// The page flipped left to right about the paper's centre, in device pixels
// of the printer measurements; applied before the calibration, which
// corrects the printer whatever is printed.
QTransform MirrorTransform(const TPrinterMetrics &m);
// Documents are named after the label file, or "Quorvane".
QString PrintJobTitle(const QString &labelFile);
// The calibration as the painter's transform, in device pixels of the
// printer measurements: the offset in whole pixels, the scale about the
// paper's corner.
QTransform CalibrationTransform(const TCalibration &c, const TPrinterMetrics &m);
