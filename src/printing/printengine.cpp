#include "printing/printengine.h"

#include "model/labelformat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
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
    // Nothing is printed outside the die cut; a rectangle sets no path, so
    // its pages stay as they were.
    const QPainterPath shape = LabelShapePath(L.Format(), QRectF(X0, Y0, W, H));
    for (qsizetype i = 0; i < items.size(); ++i) {
        TLabelControl *item = items[i];
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
        if (!shape.isEmpty())
            painter.setClipPath(shape, Qt::IntersectClip);
        const bool failedBefore = label.Failure && *label.Failure;
        PrintItem(painter, *item, label, X0 + dx, Y0 + dy);
        if (!failedBefore && label.Failure && *label.Failure && label.FailedItem)
            *label.FailedItem = int(i);
        painter.setClipping(false);
    }
}

void PrintLabelAids(QPainter &painter, const TSheetLayout &layout, int column, int row, bool outline, bool cropMarks)
{
    if (!outline && !cropMarks)
        return;
    const TSheetLayout &L = layout;
    const QRectF box(L.ColumnLeft(column), L.RowTop(row), L.LabelWidthPx(), L.LabelHeightPx());
    painter.save();
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    // 0.1 mm: seen on the page, thin enough not to shift a cut.
    QPen pen(Qt::black, qMax(1.0, 0.1 / 25.4 * L.PrinterDpiX()));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    if (outline) {
        const QPainterPath shape = LabelShapePath(L.Format(), box);
        if (shape.isEmpty())
            painter.drawRect(box);
        else
            painter.drawPath(shape);
    }
    if (cropMarks) {
        // Marks continue the label's edges outward from its corners, 5 mm,
        // and are cut back wherever a label lies.
        const double gx = 5 / 25.4 * L.PrinterDpiX(), gy = 5 / 25.4 * L.PrinterDpiY();
        const QRect reach = box.adjusted(-gx, -gy, gx, gy).toAlignedRect();
        QRegion outside(reach);
        for (int r = 0; r < L.LabelRows; ++r)
            for (int c = 0; c < L.LabelColumns; ++c)
                if (const QRect other(L.ColumnLeft(c), L.RowTop(r), L.LabelWidthPx(), L.LabelHeightPx());
                    other.intersects(reach))
                    outside -= QRegion(other.adjusted(-1, -1, 1, 1));
        painter.setClipRegion(outside);
        for (const QPointF &corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
            const double sx = corner.x() == box.left() ? -1 : 1, sy = corner.y() == box.top() ? -1 : 1;
            painter.drawLine(corner, corner + QPointF(sx * gx, 0));
            painter.drawLine(corner, corner + QPointF(0, sy * gy));
        }
    }
    painter.restore();
}

QTransform MirrorTransform(const TPrinterMetrics &m)
{
    return QTransform(-1, 0, 0, 1, m.PaperWidth - 2 * m.OffsetX, 0);
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

void SettleRecord(TJobCursor &job)
{
    TRecordSource *source = job.Source;
    if (!source || job.QuantityColumn < 0 || job.Done)
        return;
    for (;;) {
        qint64 quantity = 0;
        if (!RecordQuantity(source->DataRow(), job.QuantityColumn, job.Record, &quantity, &job.FailMessage)) {
            job.DataFailed = job.Done = true;
            return;
        }
        if (quantity > 0) {
            job.Quantity = quantity;
            return;
        }
        if (source->DataEof()) {
            job.Done = true;
            return;
        }
        source->ReadRecord();
        ++job.Record;
        if (source->Failed()) {
            job.DataFailed = job.Done = true;
            return;
        }
    }
}

void PrintPage(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout, TJobCursor &job)
{
    TRecordSource *source = job.Source;
    QStringList symbolErrors;
    for (int r = 0; !job.Done && r < layout.LabelRows; ++r) {
        for (int c = 0; !job.Done && c < layout.LabelColumns; ++c) {
            job.Context.Row = source ? &source->DataRow() : nullptr;
            TComposeFailure failure;
            int failedItem = -1;
            TLabelPrintState label;
            label.Row = job.Context.Row;
            label.LastCopy = job.Copies == job.CopyIndex + 1;
            label.SymbolErrors = &symbolErrors;
            label.Context = &job.Context;
            label.Failure = &failure;
            label.FailedItem = &failedItem;
            PrintLabel(painter, items, layout, c, r, label);
            PrintLabelAids(painter, layout, c, r, job.Outline, job.CropMarks);
            if (failure) {
                // Like a data failure: a label without its text must not be sold as printed.
                const TLabelControl *item = items.value(failedItem);
                job.FailMessage = item ? ComposeFailureMessage(failure, *item, failedItem + 1, layout.Resolution(),
                                                               source ? job.Record : job.LabelsPrinted + 1, source != nullptr)
                                       : failure.Text;
                job.DataFailed = job.Done = true;
                break;
            }
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
                if (++job.RecordLabel >= job.Quantity) {
                    job.RecordLabel = 0;
                    // Without a source every label content is a record of its own.
                    CountSequences(items, TCountPer::Record);
                    if (source) {
                        if (source->DataEof()) {
                            job.Done = true;
                        } else {
                            source->ReadRecord();
                            ++job.Record;
                            if (!source->Failed())
                                SettleRecord(job);
                        }
                        if (source->Failed()) {
                            job.DataFailed = true;
                            job.Done = true;
                        }
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

namespace {

QString KindName(const TLabelControl &item)
{
    switch (item.Kind) {
    case ikBarcode:
        return QCoreApplication::translate("Printing", "barcode");
    case ikMemo:
        return QCoreApplication::translate("Printing", "memo");
    default:
        return QCoreApplication::translate("Printing", "text");
    }
}

QString SchemeName(TCheckScheme scheme)
{
    switch (scheme) {
    case TCheckScheme::Gs1:
        return QStringLiteral("GS1");
    case TCheckScheme::Luhn:
        return QStringLiteral("Luhn");
    case TCheckScheme::Mod43:
        return QStringLiteral("mod 43");
    case TCheckScheme::Mod11:
        return QStringLiteral("mod 11");
    case TCheckScheme::Mod97:
        return QStringLiteral("mod 97");
    }
    return {};
}

QString MissingColumnMessage(const QString &name, const TRecordSource &source, const QStringList &columns)
{
    const QString has = columns.isEmpty()
                            ? QCoreApplication::translate("Printing", "(none: the source has no header line)")
                            : u'"' + columns.join(QStringLiteral("\", \"")) + u'"';
    return QCoreApplication::translate("Printing", "The column \"%1\" is not in %2; its columns: %3.")
        .arg(name, QDir::toNativeSeparators(source.SourceName()), has);
}

} // namespace

bool RecordQuantity(const TDataRow &row, int column, qint64 record, qint64 *quantity, QString *message)
{
    const QString text = row.value(column).trimmed();
    bool ok = false;
    const qint64 q = text.toLongLong(&ok);
    if (!ok || q < 0) {
        if (message)
            *message = QCoreApplication::translate("Printing", "Record %1: the quantity \"%2\" is not a whole number of "
                                                               "labels.")
                           .arg(record)
                           .arg(text);
        return false;
    }
    *quantity = q;
    return true;
}

QString ComposeFailureMessage(const TComposeFailure &failure, const TLabelControl &item, int itemNumber,
                              const TPrintResolution &dpi, qint64 record, bool hasSource)
{
    const double x = item.Left * 25.4 / qMax(1, dpi.ScreenDpiX), y = item.Top * 25.4 / qMax(1, dpi.ScreenDpiY);
    QString what;
    switch (failure.What) {
    case TComposeFailure::CheckCharacters:
        what = QCoreApplication::translate("Printing", "the %1 check digit cannot be computed over \"%2\"")
                   .arg(SchemeName(failure.Scheme), failure.Text);
        break;
    case TComposeFailure::DateUnreadable:
        what = QCoreApplication::translate("Printing", "the date \"%1\" does not read with the pattern \"%2\"")
                   .arg(failure.Text, failure.Pattern);
        break;
    case TComposeFailure::ColumnMissing:
        what = QCoreApplication::translate("Printing", "the source has no column \"%1\"")
                   .arg(failure.Name.isEmpty() ? failure.Text : failure.Name);
        break;
    case TComposeFailure::AnswerMissing:
        what = QCoreApplication::translate("Printing", "no value was given for \"%1\"").arg(failure.Name);
        break;
    case TComposeFailure::None:
        break;
    }
    const QString where = QCoreApplication::translate("Printing", "Item %1 (%2) at %3 x %4 mm")
                              .arg(itemNumber)
                              .arg(KindName(item))
                              .arg(x, 0, 'f', 1)
                              .arg(y, 0, 'f', 1);
    const QString which = hasSource ? QCoreApplication::translate("Printing", "record %1").arg(record)
                                    : QCoreApplication::translate("Printing", "label %1").arg(record);
    return QCoreApplication::translate("Printing", "%1, %2: %3.").arg(where, which, what);
}

TPrintResult PrepareJob(const QList<TLabelControl *> &items, const TPrintChoices &choices, const TSourceOpener &open,
                        TJobData &data, std::unique_ptr<TRecordSource> &source, QString *message)
{
    source.reset();
    data = {};
    data.Choices = choices;
    TAskedValue which;
    switch (ResolveAnswers(items, choices.Answers, &data.Answers, &which)) {
    case TAnswerCheck::Ok:
        break;
    case TAnswerCheck::Missing:
        return Fail(TPrintResult::DataError,
                    QCoreApplication::translate("Printing", "No value was given for \"%1\" (%2).")
                        .arg(which.Name, which.Caption.isEmpty() ? which.Name : which.Caption),
                    message);
    case TAnswerCheck::TooLong:
        return Fail(TPrintResult::DataError,
                    QCoreApplication::translate("Printing", "The value \"%1\" for \"%2\" is longer than %3 characters.")
                        .arg(choices.Answers.value(which.Name, which.Default), which.Name)
                        .arg(which.Size),
                    message);
    case TAnswerCheck::NoMatch:
        return Fail(TPrintResult::DataError,
                    QCoreApplication::translate("Printing", "The value \"%1\" for \"%2\" does not match the pattern %3.")
                        .arg(choices.Answers.value(which.Name, which.Default), which.Name, which.Pattern),
                    message);
    case TAnswerCheck::BadPattern:
        return Fail(TPrintResult::DataError,
                    QCoreApplication::translate("Printing", "The pattern %1 of the value \"%2\" is not valid.")
                        .arg(which.Pattern, which.Name),
                    message);
    }

    const QString quantityColumn = choices.QuantityColumn.trimmed();
    if (!(HasImportedField(items) || !quantityColumn.isEmpty()) || !HasDataSource(choices.DataSource()))
        return TPrintResult::Printed;
    bool byNumber = false;
    const int quantityNumber = quantityColumn.toInt(&byNumber);
    if (byNumber && quantityNumber < 1)
        return Fail(TPrintResult::DataError,
                    QCoreApplication::translate("Printing", "The quantity column is a column's name or its number "
                                                            "from 1, not %1.")
                        .arg(quantityColumn),
                    message);
    QStringList named = NamedColumns(items);
    if (!quantityColumn.isEmpty() && !byNumber)
        named << quantityColumn;
    // Names come from the header line, which then is no record.
    if (!named.isEmpty())
        data.Choices.Split.IgnoreHeader = true;

    QString error;
    source = (open ? open : TSourceOpener(OpenRecordSource))(data.Choices.DataSource(), &error);
    if (!source)
        return Fail(TPrintResult::DataError, error, message);
    if (!source->HasRecord())
        return Fail(TPrintResult::NoRecords,
                    choices.SqlUrl.isEmpty()
                        ? NoRecordsMessage(*source)
                        : QCoreApplication::translate("Printing", "The query on the database %1 returns no rows.")
                              .arg(source->SourceName()),
                    message);
    data.Columns = source->ColumnNames();
    for (const QString &name : std::as_const(named))
        if (ColumnIndexByName(data.Columns, name) < 0)
            return Fail(TPrintResult::DataError, MissingColumnMessage(name, *source, data.Columns), message);
    if (!quantityColumn.isEmpty())
        data.QuantityColumn = byNumber ? quantityNumber - 1 : ColumnIndexByName(data.Columns, quantityColumn);
    return TPrintResult::Printed;
}

namespace {

// The labels a job with a quantity column prints for all its records, read
// in a second pass over the source; -1 when it cannot be read.
qint64 CountQuantities(const TSourceOpener &open, const TJobData &data, int copies)
{
    QString error;
    std::unique_ptr<TRecordSource> source = open(data.Choices.DataSource(), &error);
    if (!source || !source->HasRecord())
        return -1;
    qint64 total = 0;
    for (qint64 record = 1;; ++record) {
        qint64 q = 0;
        if (!RecordQuantity(source->DataRow(), data.QuantityColumn, record, &q, nullptr))
            return -1;
        total += q * copies;
        if (source->DataEof())
            return total;
        source->ReadRecord();
        if (source->Failed())
            return -1;
    }
}

} // namespace

TPrintResult PrintLabels(const TItemContainer &label, const TPrintChoices &choices, TPrinterDevice &device,
                         TPrintProgressSink *progress, QString *message, TPrintStats *stats, const TSourceOpener &open)
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

    const TSourceOpener opener = open ? open : TSourceOpener(OpenRecordSource);
    TJobData data;
    std::unique_ptr<TRecordSource> source;
    if (const TPrintResult r = PrepareJob(items, choices, opener, data, source, message); r != TPrintResult::Printed)
        return r;
    const bool useDataFile = source != nullptr;
    const int copies = qMax(1, choices.Copies);
    // Without a data file nothing else would end "all records".
    const int rangeKind = (choices.RangeKind == rkAll && !useDataFile) ? rkPages : choices.RangeKind;
    const int pageCount = choices.RangeKind == rkAll && !useDataFile ? 1 : choices.PageCount;

    TJobCursor job;
    job.Source = source.get();
    job.Copies = copies;
    job.RangeKind = rangeKind;
    job.LabelCount = choices.LabelCount;
    job.QuantityColumn = data.QuantityColumn;
    job.Outline = choices.Outline;
    job.CropMarks = choices.CropMarks;
    job.Context.Columns = &data.Columns;
    job.Context.Answers = &data.Answers;
    if (TRecordSource *s = source.get())
        job.Context.CellDate = [s](int column) { return s->CellDate(column); };
    SettleRecord(job);
    if (job.DataFailed)
        return Fail(TPrintResult::DataError, job.FailMessage.isEmpty() ? source->ErrorString() : job.FailMessage,
                    message);
    if (job.Done)
        return Fail(TPrintResult::NoRecords,
                    QCoreApplication::translate("Printing", "Every record of %1 asks for 0 labels (column \"%2\").")
                        .arg(QDir::toNativeSeparators(source->SourceName()), choices.QuantityColumn.trimmed()),
                    message);

    qint64 total = -1;
    if (rangeKind == rkPages)
        total = perPage * qMax(1, pageCount);
    else if (rangeKind == rkLabels)
        total = qMax(1, choices.LabelCount);
    else if (data.QuantityColumn >= 0)
        total = CountQuantities(opener, data, copies);
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
    const QTransform calibration = choices.Mirror ? MirrorTransform(metrics) * CalibrationTransform(choices.Calibration, metrics)
                                                  : CalibrationTransform(choices.Calibration, metrics);
    painter->setWorldTransform(calibration);
    if (progress)
        progress->SetPage(1);

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
            CountSequences(items, TCountPer::Page);
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
                    (job.FailMessage.isEmpty() ? source->ErrorString() : job.FailMessage)
                        + QCoreApplication::translate("Printing", " The job stopped after %1 labels and was discarded.")
                              .arg(labelsPrinted),
                    message);
    }
    if (!device.End(&error))
        return Fail(TPrintResult::DeviceError, error, message);
    return TPrintResult::Printed;
}
