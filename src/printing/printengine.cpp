#include "printing/printengine.h"

#include "model/labelformat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTransform>
#include <cmath>

const char *const kMsgNoFit = QT_TRANSLATE_NOOP("Printing", "The label does not fit on the page.");
const char *const kMsgNoRecords = QT_TRANSLATE_NOOP("Printing", "The data file has no records.");

QString PrinterUnusableMessage(const QString &name)
{
    return QCoreApplication::translate("Printing", "The printer \"%1\" cannot be used.").arg(name);
}

QString NoRecordsMessage(const TRecordSource &source)
{
    return QCoreApplication::translate("Printing", kMsgNoRecords) + u' ' +
           QCoreApplication::translate("Printing", "(%1)").arg(QDir::toNativeSeparators(source.SourceName()));
}

QString PrintJobTitle(const QString &labelFile)
{
    return labelFile.isEmpty() ? QStringLiteral("Quorvane") : QFileInfo(labelFile).fileName();
}

void PrintLabel(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout, int column,
                int row, const TLabelPrintState &state)
{
    const TSheetLayout &L = layout;
    TLabelPrintState label = state;
    label.Dpi = L.Resolution();
    const int X0 = L.ColumnLeft(column), Y0 = L.RowTop(row);
    const int W = L.LabelWidthPx(), H = L.LabelHeightPx();
    const int oneX = L.DesignToPrinterX(1), oneY = L.DesignToPrinterY(1);
    for (TLabelControl *item : items) {
        if (!item)
            continue;
        const int dx = L.DesignToPrinterX(item->Left), dy = L.DesignToPrinterY(item->Top);
        int l = X0, t = Y0, r = X0 + W, b = Y0 + H;
        if (!item->AutoSize) {
            l = qMax(l, X0 + dx);
            t = qMax(t, Y0 + dy);
            r = qMin(r, X0 + dx + L.DesignToPrinterX(item->Width)) + oneX;
            b = qMin(b, Y0 + dy + L.DesignToPrinterY(item->Height)) + oneY;
        }
        painter.setClipRect(QRect(l, t, qMax(0, r - l), qMax(0, b - t)), Qt::ReplaceClip);
        PrintItem(painter, *item, label, X0 + dx, Y0 + dy);
        painter.setClipping(false);
    }
}

QTransform CalibrationTransform(const TCalibration &c, const TPrinterMetrics &m)
{
    if (c.IsIdentity())
        return {};
    const double sx = c.ScaleX / 100.0, sy = c.ScaleY / 100.0;
    const double dx = std::round(c.OffsetX / 25.4 * m.DpiX) + (sx - 1) * m.OffsetX;
    const double dy = std::round(c.OffsetY / 25.4 * m.DpiY) + (sy - 1) * m.OffsetY;
    return QTransform(sx, 0, 0, sy, dx, dy);
}

void PrintPage(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout, TJobCursor &job)
{
    TRecordSource *source = job.Source;
    QStringList symbolErrors;
    for (int r = 0; !job.Done && r < layout.LabelRows; ++r) {
        for (int c = 0; !job.Done && c < layout.LabelColumns; ++c) {
            const TLabelPrintState label{source ? &source->DataRow() : nullptr, job.Copies == job.CopyIndex + 1,
                                         &symbolErrors};
            PrintLabel(painter, items, layout, c, r, label);
            if (!symbolErrors.isEmpty()) {
                const qint64 which = source ? job.Record : job.LabelsPrinted + 1;
                if (job.SymbolFailures &&
                    (job.SymbolFailures->isEmpty() || job.SymbolFailures->last().Record != which))
                    job.SymbolFailures->append({which, symbolErrors.first()});
                symbolErrors.clear();
            }
            ++job.LabelsPrinted;
            ++job.CopyIndex;
            if (job.CopyIndex == job.Copies) {
                job.CopyIndex = 0;
                if (source) {
                    if (source->DataEof()) {
                        job.Done = true;
                    } else {
                        source->ReadRecord();
                        ++job.Record;
                    }
                    if (source->Failed()) {
                        job.DataFailed = true;
                        job.Done = true;
                    }
                }
            }
            if (job.RangeKind == rkLabels && job.LabelCount <= job.LabelsPrinted)
                job.Done = true;
            if (job.Progress) {
                job.Progress->LabelPrinted(job.LabelsPrinted);
                if (job.Progress->Cancelled()) {
                    job.Cancelled = true;
                    job.Done = true;
                }
            }
        }
    }
}

TLabelFormat JobFormat(const TLabelFormat &format, const TPrintChoices &choices)
{
    TLabelFormat f = format;
    f.Roll = f.Roll || choices.Roll;
    return f;
}

namespace {

struct TFinishGuard {
    TPrintProgressSink *Sink;
    ~TFinishGuard()
    {
        if (Sink)
            Sink->Finish();
    }
};

TPrintResult Fail(TPrintResult r, const QString &text, QString *message)
{
    if (message)
        *message = text;
    return r;
}

} // namespace

TPrintResult PrintLabels(const TItemContainer &label, const TPrintChoices &choices, TPrinterDevice &device,
                         TPrintProgressSink *progress, QString *message, TPrintStats *stats)
{
    const QList<TLabelControl *> &items = label.Items;
    TFinishGuard finish{progress};
    if (stats)
        *stats = {};
    const QString title = PrintJobTitle(choices.LabelFile);
    if (progress) {
        progress->SetDocName(title);
        progress->SetPrinterName(device.Name());
    }

    // Checked before the device is asked anything: such a job would spend
    // most of its records off the paper and still count them printed.
    if (const QString offPage = OffPageMessage(label.LabelFormat); !offPage.isEmpty())
        return Fail(TPrintResult::NoFit, offPage, message);
    // A job with --roll prints a sheet label one a page; the label keeps its format.
    const TLabelFormat format = JobFormat(label.LabelFormat, choices);
    if (format.Roll)
        device.SetRollPage(TSheetLayout(format, {}, label.ScreenDpiX, label.ScreenDpiY).RollPageSizeMm());
    TPrinterMetrics metrics;
    if (!device.Metrics(metrics))
        return Fail(TPrintResult::DeviceError, PrinterUnusableMessage(device.Name()), message);
    const TSheetLayout layout(format, metrics, label.ScreenDpiX, label.ScreenDpiY);
    const qint64 perPage = qint64(layout.LabelRows) * layout.LabelColumns;
    // An empty grid would start page after page without printing.
    if (perPage <= 0)
        return Fail(TPrintResult::NoFit, QCoreApplication::translate("Printing", kMsgNoFit), message);

    const int copies = qMax(1, choices.Copies);
    const bool useDataFile = HasImportedField(items) && HasDataSource(choices.DataSource());
    std::unique_ptr<TRecordSource> source;
    if (useDataFile) {
        QString error;
        source = OpenRecordSource(choices.DataSource(), &error);
        if (!source)
            return Fail(TPrintResult::DataError, error, message);
        if (!source->HasRecord())
            return Fail(TPrintResult::NoRecords,
                        choices.SqlUrl.isEmpty()
                            ? NoRecordsMessage(*source)
                            : QCoreApplication::translate("Printing", "The query on the database %1 returns no rows.")
                                  .arg(source->SourceName()),
                        message);
    }
    // Without a data file nothing else would end "all records".
    const int rangeKind = (choices.RangeKind == rkAll && !useDataFile) ? rkPages : choices.RangeKind;
    const int pageCount = choices.RangeKind == rkAll && !useDataFile ? 1 : choices.PageCount;

    qint64 total = -1;
    if (rangeKind == rkPages)
        total = perPage * qMax(1, pageCount);
    else if (rangeKind == rkLabels)
        total = qMax(1, choices.LabelCount);
    if (progress)
        progress->StartProgress(total);

    QString error;
    if (!device.Begin(title, &error))
        return Fail(TPrintResult::DeviceError, error, message);
    QPainter *painter = device.Painter();
    if (!painter) {
        device.Abort();
        return Fail(TPrintResult::DeviceError, PrinterUnusableMessage(device.Name()), message);
    }
    const QTransform calibration = CalibrationTransform(choices.Calibration, metrics);
    painter->setWorldTransform(calibration);
    if (progress)
        progress->SetPage(1);

    TJobCursor job;
    job.Source = useDataFile ? source.get() : nullptr;
    job.Copies = copies;
    job.RangeKind = rangeKind;
    job.LabelCount = choices.LabelCount;
    job.Progress = progress;
    QList<TPrintStats::TSymbolFailure> symbolFailures;
    job.SymbolFailures = &symbolFailures;
    int pagesPrinted = 0;
    int pageNumber = 1;
    while (!job.Done) {
        PrintPage(*painter, items, layout, job);
        ++pagesPrinted;
        if (rangeKind == rkPages && pageCount <= pagesPrinted)
            job.Done = true;
        if (!job.Done) {
            if (!device.NewPage()) {
                device.Abort();
                return Fail(TPrintResult::DeviceError,
                            QCoreApplication::translate("Printing", "The printer \"%1\" failed to start a new page.")
                                .arg(device.Name()),
                            message);
            }
            painter->setWorldTransform(calibration);
            ++pageNumber;
            if (progress)
                progress->SetPage(pageNumber);
        }
    }
    const qint64 labelsPrinted = job.LabelsPrinted;
    const bool cancelled = job.Cancelled, dataFailed = job.DataFailed;
    if (stats) {
        stats->LabelsPrinted = labelsPrinted;
        stats->PagesPrinted = pagesPrinted;
        stats->SymbolFailures = std::move(symbolFailures);
        // Items do not change during a job: a picture missing on one label is
        // missing on all of them, and told once.
        stats->MissingPictures.clear();
        for (TLabelControl *item : items)
            if (item->Kind == ikGraphic && static_cast<TGraphicLabel *>(item)->PictureMissing() &&
                !stats->MissingPictures.contains(static_cast<TGraphicLabel *>(item)->FileName))
                stats->MissingPictures << static_cast<TGraphicLabel *>(item)->FileName;
    }
    if (cancelled) {
        device.Abort();
        return TPrintResult::Cancelled;
    }
    if (dataFailed) {
        device.Abort();
        // Like a cancel: what was printed is discarded, and the count says how far the job got.
        return Fail(TPrintResult::DataError,
                    source->ErrorString()
                        + QCoreApplication::translate("Printing", " The job stopped after %1 labels and was discarded.")
                              .arg(labelsPrinted),
                    message);
    }
    if (!device.End(&error))
        return Fail(TPrintResult::DeviceError, error, message);
    return TPrintResult::Printed;
}
