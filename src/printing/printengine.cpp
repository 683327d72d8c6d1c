#include "printing/printengine.h"

#include "model/labelformat.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTransform>
#include <cmath>

const char *const kMsgNoFit = "The label does not fit on the page.";
const char *const kMsgNoRecords = "The data file has no records.";

QString PrintJobTitle(const QString &labelFile)
{
    return labelFile.isEmpty() ? QStringLiteral("Quorvane") : QFileInfo(labelFile).fileName();
}

void PrintLabel(QPainter &painter, const QList<TLabelControl *> &items, int column, int row,
                const TLabelPrintState &label)
{
    const int X0 = ColumnLeft(column), Y0 = RowTop(row);
    const int W = LabelWidthPx(), H = LabelHeightPx();
    const int oneX = DesignToPrinterX(1), oneY = DesignToPrinterY(1);
    for (TLabelControl *item : items) {
        if (!item)
            continue;
        const int dx = DesignToPrinterX(item->Left), dy = DesignToPrinterY(item->Top);
        int l = X0, t = Y0, r = X0 + W, b = Y0 + H;
        if (!item->AutoSize) {
            l = qMax(l, X0 + dx);
            t = qMax(t, Y0 + dy);
            r = qMin(r, X0 + dx + DesignToPrinterX(item->Width)) + oneX;
            b = qMin(b, Y0 + dy + DesignToPrinterY(item->Height)) + oneY;
        }
        painter.setClipRect(QRect(l, t, qMax(0, r - l), qMax(0, b - t)), Qt::ReplaceClip);
        PrintItem(painter, *item, label, X0 + dx, Y0 + dy);
        painter.setClipping(false);
    }
}

QTransform CalibrationTransform(const TCalibration &c)
{
    if (c.IsIdentity())
        return {};
    const double sx = c.ScaleX / 100.0, sy = c.ScaleY / 100.0;
    const double dx = std::round(c.OffsetX / 25.4 * PrinterDpiX) + (sx - 1) * OffsetX;
    const double dy = std::round(c.OffsetY / 25.4 * PrinterDpiY) + (sy - 1) * OffsetY;
    return QTransform(sx, 0, 0, sy, dx, dy);
}

namespace {

// A job with --roll prints a sheet label one a page; the label's own format
// is as it was afterwards.
struct TRollScope {
    bool Old;
    explicit TRollScope(bool roll) : Old(LabelFormat.Roll) { LabelFormat.Roll = Old || roll; }
    ~TRollScope() { LabelFormat.Roll = Old; }
};

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

TPrintResult PrintLabels(const QList<TLabelControl *> &items, const TPrintChoices &choices,
                         TPrinterDevice &device, TPrintProgressSink *progress, QString *message,
                         TPrintStats *stats)
{
    TFinishGuard finish{progress};
    if (stats)
        *stats = {};
    const QString title = PrintJobTitle(choices.LabelFile);
    if (progress) {
        progress->SetDocName(title);
        progress->SetPrinterName(device.Name());
    }

    const TRollScope rollScope(choices.Roll);
    if (LabelFormat.Roll)
        device.SetRollPage(RollPageSizeMm());
    TPrinterMetrics metrics;
    if (!device.Metrics(metrics))
        return Fail(TPrintResult::DeviceError,
                    QStringLiteral("The printer \"%1\" cannot be used.").arg(device.Name()), message);
    ApplyPrinterMetrics(metrics);
    const qint64 perPage = qint64(LabelRows) * LabelColumns;
    // An empty grid would start page after page without printing.
    if (perPage <= 0)
        return Fail(TPrintResult::NoFit, QString::fromLatin1(kMsgNoFit), message);

    const int copies = qMax(1, choices.Copies);
    const bool useDataFile = HasImportedField(items) && HasDataSource(choices);
    std::unique_ptr<TRecordSource> source;
    if (useDataFile) {
        QString error;
        source = OpenRecordSource(choices, &error);
        if (!source)
            return Fail(TPrintResult::DataError, error, message);
        if (!source->HasRecord())
            return Fail(TPrintResult::NoRecords,
                        choices.SqlUrl.isEmpty()
                            ? QString::fromLatin1(kMsgNoRecords)
                            : QStringLiteral("The query on the database %1 returns no rows.").arg(source->SourceName()),
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
        return Fail(TPrintResult::DeviceError, QStringLiteral("The printer \"%1\" cannot be used.").arg(device.Name()),
                    message);
    }
    const QTransform calibration = CalibrationTransform(choices.Calibration);
    painter->setWorldTransform(calibration);
    if (progress)
        progress->SetPage(1);

    qint64 labelsPrinted = 0;
    int pagesPrinted = 0;
    int copyIndex = 0;
    int pageNumber = 1;
    bool done = false;
    bool cancelled = false;
    bool dataFailed = false;
    qint64 record = 1;
    QList<TPrintStats::TSymbolFailure> symbolFailures;
    QStringList symbolErrors;
    while (!done) {
        for (int r = 0; !done && r < LabelRows; ++r) {
            for (int c = 0; !done && c < LabelColumns; ++c) {
                const TLabelPrintState label{useDataFile ? &source->DataRow() : nullptr, copies == copyIndex + 1,
                                             &symbolErrors};
                PrintLabel(*painter, items, c, r, label);
                if (!symbolErrors.isEmpty()) {
                    const qint64 which = useDataFile ? record : labelsPrinted + 1;
                    if (symbolFailures.isEmpty() || symbolFailures.last().Record != which)
                        symbolFailures.append({which, symbolErrors.first()});
                    symbolErrors.clear();
                }
                ++labelsPrinted;
                ++copyIndex;
                if (copyIndex == copies) {
                    copyIndex = 0;
                    if (useDataFile) {
                        if (source->DataEof()) {
                            done = true;
                        } else {
                            source->ReadRecord();
                            ++record;
                        }
                        if (source->Failed()) {
                            dataFailed = true;
                            done = true;
                        }
                    }
                }
                if (rangeKind == rkLabels && choices.LabelCount <= labelsPrinted)
                    done = true;
                if (progress) {
                    progress->LabelPrinted(labelsPrinted);
                    if (progress->Cancelled()) {
                        cancelled = true;
                        done = true;
                    }
                }
            }
        }
        ++pagesPrinted;
        if (rangeKind == rkPages && pageCount <= pagesPrinted)
            done = true;
        if (!done) {
            if (!device.NewPage()) {
                device.Abort();
                return Fail(TPrintResult::DeviceError,
                            QStringLiteral("The printer \"%1\" failed to start a new page.").arg(device.Name()),
                            message);
            }
            painter->setWorldTransform(calibration);
            ++pageNumber;
            if (progress)
                progress->SetPage(pageNumber);
        }
    }
    if (stats) {
        stats->LabelsPrinted = labelsPrinted;
        stats->PagesPrinted = pagesPrinted;
        stats->SymbolFailures = std::move(symbolFailures);
    }
    if (cancelled) {
        device.Abort();
        return TPrintResult::Cancelled;
    }
    if (dataFailed) {
        device.Abort();
        // Like a cancel: what was printed is discarded, and the count says how far the job got.
        return Fail(TPrintResult::DataError,
                    source->ErrorString() +
                        QStringLiteral(" The job stopped after %1 labels and was discarded.").arg(labelsPrinted),
                    message);
    }
    if (!device.End(&error))
        return Fail(TPrintResult::DeviceError, error, message);
    return TPrintResult::Printed;
}
