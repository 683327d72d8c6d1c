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
#include <limits>
#include <vector>

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
    PrintLabelAt(painter, items, layout, QPoint(layout.ColumnLeft(column), layout.RowTop(row)), state);
}

QString FirstLabelMessage(int first, const TSheetLayout &layout)
{
    if (first >= 1 && first <= layout.PositionCount())
        return {};
    return QCoreApplication::translate("Printing", "The first label must be from 1 to %1, the labels on a page: not %2.")
        .arg(layout.PositionCount())
        .arg(first);
}

void PrintLabelAt(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout,
                  const QPoint &corner, const TLabelPrintState &state)
{
    const TSheetLayout &L = layout;
    TLabelPrintState label = state;
    label.Dpi = L.Resolution();
    const int X0 = corner.x(), Y0 = corner.y();
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

void PrintLabelAids(QPainter &painter, const TSheetLayout &layout, const QPoint &corner, bool outline, bool cropMarks)
{
    if (!outline && !cropMarks)
        return;
    const TSheetLayout &L = layout;
    const QRectF box(corner, QSizeF(L.LabelWidthPx(), L.LabelHeightPx()));
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
        for (const QPoint &at : L.Positions())
            if (const QRect other(at, QSize(L.LabelWidthPx(), L.LabelHeightPx())); other.intersects(reach))
                outside -= QRegion(other.adjusted(-1, -1, 1, 1));
        painter.setClipRegion(outside);
        for (const QPointF &end : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
            const double sx = end.x() == box.left() ? -1 : 1, sy = end.y() == box.top() ? -1 : 1;
            painter.drawLine(end, end + QPointF(sx * gx, 0));
            painter.drawLine(end, end + QPointF(0, sy * gy));
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

TPageStart PageStartWithoutSource(qint64 first, int copies)
{
    TPageStart at;
    at.Contents = at.Records = first / copies;
    at.CopyIndex = int(first % copies);
    at.Record = at.Contents + 1;
    return at;
}

bool WalkPages(TRecordSource &source, int quantityColumn, int copies, qint64 perPage, qint64 limit, qint64 record,
               const std::function<bool(const TPageStart &)> &page, const std::function<void()> &afterRecord,
               qint64 *labels, QString *message, qint64 skip)
{
    qint64 laid = 0, contents = 0, records = 0, pages = 0;
    // The first page holds skip labels fewer: its first positions are used.
    const auto pageStart = [&] { return pages == 0 ? 0 : pages * perPage - skip; };
    for (;; ++record) {
        qint64 quantity = 1;
        if (quantityColumn >= 0 && !RecordQuantity(source.DataRow(), quantityColumn, record, &quantity, message))
            return false;
        // Pages that begin on this record's labels (copies and quantities may span pages).
        const qint64 end = laid + quantity * copies;
        for (qint64 first = pageStart(); first < end && first < limit; first = pageStart()) {
            const qint64 into = first - laid;
            ++pages;
            if (page && !page({0, record, quantity, into / copies, int(into % copies), contents + into / copies,
                               records})) {
                *labels = laid;
                return true;
            }
        }
        if (afterRecord)
            afterRecord();
        laid = end;
        contents += quantity;
        if (quantity > 0)
            ++records;
        if (laid >= limit || source.DataEof())
            break;
        source.ReadRecord();
        if (source.Failed()) {
            if (message)
                *message = source.ErrorString();
            return false;
        }
    }
    *labels = laid;
    return true;
}

void PlaceJob(TJobCursor &job, const TPageStart &at, qint64 first)
{
    job.LabelsPrinted = first;
    job.CopyIndex = at.CopyIndex;
    job.Record = at.Record;
    job.Quantity = at.Quantity;
    job.RecordLabel = at.RecordLabel;
}

void CountSequencesBy(const QList<TLabelControl *> &items, qint64 contents, qint64 records, qint64 pages)
{
    for (TLabelControl *item : items) {
        if (!item || !item->Advanced)
            continue;
        for (const auto &f : item->Fields)
            if (auto *s = dynamic_cast<TSequenceField *>(f.get()))
                CountSequence(*s, s->Per == TCountPer::Label    ? contents
                                  : s->Per == TCountPer::Record ? records
                                                                : pages);
    }
}

void PrintPage(QPainter &painter, const QList<TLabelControl *> &items, const TSheetLayout &layout, TJobCursor &job)
{
    TRecordSource *source = job.Source;
    QStringList symbolErrors;
    const QList<QPoint> &positions = layout.Positions();
    for (qsizetype at = qMax(0, job.SkipPositions); !job.Done && at < positions.size(); ++at) {
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
        PrintLabelAt(painter, items, layout, positions[at], label);
        PrintLabelAids(painter, layout, positions[at], job.Outline, job.CropMarks);
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

TLabelFormat JobFormat(const TLabelFormat &format, const TPrintChoices &choices)
{
    TLabelFormat f = format;
    // A sheet's margins place the grid on the sheet; a roll page made from
    // that label is the label alone, else it starts off the label's corner
    // and feeds nearly two labels. Margins a roll format sets are its own.
    if (choices.Roll && !f.Roll) {
        f.Roll = true;
        f.Margin_Left = f.Margin_Top = 0;
    }
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

// Records first to last of a source (last 0: to its end), numbered as the
// source counts them; the source is already on record first.
class TRecordRange : public TRecordSource {
public:
    TRecordRange(std::unique_ptr<TRecordSource> inner, qint64 first, qint64 last)
        : inner_(std::move(inner)), at_(first), last_(last)
    {
    }
    void ReadRecord() override
    {
        if (!DataEof()) {
            inner_->ReadRecord();
            ++at_;
        }
    }
    bool DataEof() const override { return inner_->DataEof() || (last_ > 0 && at_ >= last_); }
    const TDataRow &DataRow() const override { return inner_->DataRow(); }
    bool HasRecord() const override { return inner_->HasRecord(); }
    bool Failed() const override { return inner_->Failed(); }
    QString ErrorString() const override { return inner_->ErrorString(); }
    QString SourceName() const override { return inner_->SourceName(); }
    QStringList ColumnNames() const override { return inner_->ColumnNames(); }
    QDateTime CellDate(int column) const override { return inner_->CellDate(column); }
    bool CanSeek() const override { return inner_->CanSeek(); }
    // The record number goes with each token given out, to come back to it.
    qint64 Tell() const override
    {
        const qint64 token = inner_->Tell();
        if (token >= 0)
            numbers_.insert(token, at_);
        return token;
    }
    bool Seek(qint64 token) override
    {
        const auto number = numbers_.constFind(token);
        if (number == numbers_.cend() || !inner_->Seek(token))
            return false;
        at_ = *number;
        return true;
    }

private:
    std::unique_ptr<TRecordSource> inner_;
    qint64 at_, last_;
    mutable QHash<qint64, qint64> numbers_;
};

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
    const bool recordRange = choices.FirstRecord > 0 || choices.LastRecord > 0;
    if (choices.FirstRecord < 0 || choices.LastRecord < 0 ||
        (choices.LastRecord > 0 && qMax<qint64>(1, choices.FirstRecord) > choices.LastRecord))
        return Fail(TPrintResult::DataError,
                    QCoreApplication::translate("Printing", "The records %1 to %2 are no range: the first is "
                                                            "from 1 and not after the last.")
                        .arg(qMax<qint64>(1, choices.FirstRecord))
                        .arg(choices.LastRecord),
                    message);
    if (!(HasImportedField(items) || !quantityColumn.isEmpty()) || !HasDataSource(choices.DataSource())) {
        if (recordRange)
            return Fail(TPrintResult::DataError,
                        QCoreApplication::translate("Printing", "Records can be chosen only for a label that reads "
                                                                "a data source."),
                        message);
        return TPrintResult::Printed;
    }
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
    if (!recordRange)
        return TPrintResult::Printed;
    // The records before the range are read, not printed: their quantities
    // set the counters as the whole run would have them.
    const qint64 first = qMax<qint64>(1, choices.FirstRecord);
    for (qint64 record = 1; record < first; ++record) {
        qint64 quantity = 1;
        if (data.QuantityColumn >= 0 && !RecordQuantity(source->DataRow(), data.QuantityColumn, record, &quantity, message))
            return TPrintResult::DataError;
        data.SkippedContents += quantity;
        if (quantity > 0)
            ++data.SkippedRecords;
        if (source->DataEof())
            return Fail(TPrintResult::NoRecords,
                        QCoreApplication::translate("Printing", "%1 has %2 records; record %3 is past its end.")
                            .arg(QDir::toNativeSeparators(source->SourceName()))
                            .arg(record)
                            .arg(first),
                        message);
        source->ReadRecord();
        if (source->Failed())
            return Fail(TPrintResult::DataError, source->ErrorString(), message);
    }
    data.FirstRecord = first;
    source = std::make_unique<TRecordRange>(std::move(source), first, choices.LastRecord);
    return TPrintResult::Printed;
}

namespace {

// The labels a job's records print (up to limit), counted before printing:
// reading the records costs little next to drawing them. A source that can
// come back is read through and put back on its record; another is opened a
// second time, except a database without a quantity column, whose query is
// not run twice only to count its rows. -1 when they cannot be counted, -2
// when the source is to be opened again.
qint64 CountLabels(TRecordSource &source, const TJobData &data, const QList<TLabelControl *> &items,
                   const TSourceOpener &open, int copies, qint64 limit)
{
    qint64 labels = 0;
    const qint64 token = source.CanSeek() ? source.Tell() : -1;
    if (token >= 0) {
        const bool read = WalkPages(source, data.QuantityColumn, copies, 1, limit, data.FirstRecord, {}, {}, &labels,
                                    nullptr);
        // A failure is met again by the job, from a fresh reading.
        return source.Seek(token) && read ? qMin(labels, limit) : -2;
    }
    if (data.QuantityColumn < 0 && !data.Choices.SqlUrl.isEmpty())
        return -1;
    TJobData again;
    std::unique_ptr<TRecordSource> other;
    if (PrepareJob(items, data.Choices, open, again, other, nullptr) != TPrintResult::Printed || !other ||
        !WalkPages(*other, again.QuantityColumn, copies, 1, limit, again.FirstRecord, {}, {}, &labels, nullptr))
        return -1;
    return qMin(labels, limit);
}

struct TSavedCounter {
    TSequenceField *Field;
    qint32 CurVal, Pending;
};

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

    const TLabelFormat format = JobFormat(label.LabelFormat, choices);
    // Checked before the device is asked anything: such a job would spend
    // most of its records off the paper and still count them printed.
    if (const QString offPage = OffPageMessage(format); !offPage.isEmpty())
        return Fail(TPrintResult::NoFit, offPage, message);
    if (format.Roll)
        device.SetRollPage(TSheetLayout(format, {}, label.ScreenDpiX, label.ScreenDpiY).RollPageSizeMm());
    TPrinterMetrics metrics;
    if (!device.Metrics(metrics))
        return Fail(TPrintResult::DeviceError, PrinterUnusableMessage(device.Name()), message);
    const TSheetLayout layout(format, metrics, label.ScreenDpiX, label.ScreenDpiY);
    const qint64 perPage = layout.PositionCount();
    // An empty grid would start page after page without printing.
    if (perPage <= 0)
        return Fail(TPrintResult::NoFit, QCoreApplication::translate("Printing", kMsgNoFit), message);
    if (const QString why = FirstLabelMessage(choices.FirstLabel, layout); !why.isEmpty())
        return Fail(TPrintResult::NoFit, why, message);

    const TSourceOpener opener = open ? open : TSourceOpener(OpenRecordSource);
    TJobData data;
    std::unique_ptr<TRecordSource> source;
    if (const TPrintResult r = PrepareJob(items, choices, opener, data, source, message); r != TPrintResult::Printed)
        return r;
    const int copies = qMax(1, choices.Copies);
    // Collated: the run is printed copies times, each label once a run.
    const int runs = choices.Collate ? copies : 1;
    const int labelCopies = choices.Collate ? 1 : copies;
    // Without a data file nothing else would end "all records".
    const int rangeKind = (choices.RangeKind == rkAll && !source) ? rkPages : choices.RangeKind;
    const int pageCount = choices.RangeKind == rkAll && !source ? 1 : choices.PageCount;
    const int firstPage = qMax(1, choices.FirstPage);
    if (rangeKind == rkPages && firstPage > pageCount)
        return Fail(TPrintResult::DataError,
                    QCoreApplication::translate("Printing", "The pages %1 to %2 are no range: the first is after "
                                                            "the last.")
                        .arg(firstPage)
                        .arg(pageCount),
                    message);
    constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max() / 4;
    // Positions of the first page used before the job (a part-used sheet).
    const qint64 skip = choices.FirstLabel - 1;
    const qint64 limit = rangeKind == rkPages    ? perPage * qMax(1, pageCount) - skip
                         : rangeKind == rkLabels ? qMax<qint64>(1, choices.LabelCount)
                                                 : kNoLimit;
    // Labels of the pages passed over.
    const qint64 skipped = firstPage > 1 ? qint64(firstPage - 1) * perPage - skip : 0;
    // The pages of one run, for the progress; an upper bound from the range
    // when the records are not counted.
    qint64 runLabels = source ? CountLabels(*source, data, items, opener, labelCopies, limit) : limit;
    if (runLabels == -2) {
        if (const TPrintResult r = PrepareJob(items, choices, opener, data, source, message);
            r != TPrintResult::Printed)
            return r;
        runLabels = -1;
    }

    // Every collated run starts from the counters the job found.
    std::vector<TSavedCounter> saved;
    for (TLabelControl *item : items)
        if (item && item->Advanced)
            for (const auto &f : item->Fields)
                if (auto *s = dynamic_cast<TSequenceField *>(f.get()))
                    saved.push_back({s, s->CurVal, s->Pending});
    const qint64 startToken = runs > 1 && source && source->CanSeek() ? source->Tell() : -1;

    TJobCursor job;
    job.Copies = labelCopies;
    job.RangeKind = rangeKind;
    job.LabelCount = choices.LabelCount;
    job.QuantityColumn = data.QuantityColumn;
    job.Outline = choices.Outline;
    job.CropMarks = choices.CropMarks;
    job.Context.Columns = &data.Columns;
    job.Context.Answers = &data.Answers;
    const auto useSource = [&job, &source] {
        job.Source = source.get();
        if (TRecordSource *s = source.get())
            job.Context.CellDate = [s](int column) { return s->CellDate(column); };
    };
    useSource();
    const auto pastEnd = [&](qint64 pages) {
        return Fail(TPrintResult::NoRecords,
                    QCoreApplication::translate("Printing", "The job has %1 pages; page %2 is past its end.")
                        .arg(pages)
                        .arg(firstPage),
                    message);
    };
    // The cursor and the counters at the run's first page; the pages before
    // it are laid out from the records' quantities, not drawn.
    const auto startRun = [&](bool again) {
        if (again) {
            for (const TSavedCounter &c : saved) {
                c.Field->CurVal = c.CurVal;
                c.Field->Pending = c.Pending;
            }
            if (source && (startToken < 0 || !source->Seek(startToken))) {
                // A source that cannot come back is opened again.
                TJobData reopened;
                if (const TPrintResult r = PrepareJob(items, choices, opener, reopened, source, message);
                    r != TPrintResult::Printed)
                    return r;
                useSource();
            }
        }
        job.Record = data.FirstRecord;
        job.Quantity = 1;
        job.RecordLabel = job.LabelsPrinted = 0;
        job.CopyIndex = 0;
        job.Done = false;
        SettleRecord(job);
        if (job.DataFailed)
            return Fail(TPrintResult::DataError, job.FailMessage.isEmpty() ? source->ErrorString() : job.FailMessage,
                        message);
        if (job.Done)
            return Fail(TPrintResult::NoRecords,
                        QCoreApplication::translate("Printing", "Every record of %1 asks for 0 labels (column \"%2\").")
                            .arg(QDir::toNativeSeparators(source->SourceName()), choices.QuantityColumn.trimmed()),
                        message);
        TPageStart at;
        if (skipped > 0) {
            if (skipped >= limit)
                return pastEnd((limit + skip + perPage - 1) / perPage);
            if (source) {
                qint64 pages = 0, labels = 0;
                bool reached = false;
                QString error;
                const auto page = [&](const TPageStart &p) {
                    if (++pages < firstPage)
                        return true;
                    at = p;
                    reached = true;
                    return false;
                };
                if (!WalkPages(*source, job.QuantityColumn, labelCopies, perPage, limit, job.Record, page, {}, &labels,
                               &error, skip))
                    return Fail(TPrintResult::DataError, error, message);
                if (!reached)
                    return pastEnd(pages);
            } else {
                at = PageStartWithoutSource(skipped, labelCopies);
            }
            PlaceJob(job, at, skipped);
        }
        CountSequencesBy(items, data.SkippedContents + at.Contents, data.SkippedRecords + at.Records,
                         data.SkippedContents * labelCopies / perPage + firstPage - 1);
        return TPrintResult::Printed;
    };
    if (const TPrintResult r = startRun(false); r != TPrintResult::Printed)
        return r;
    if (runLabels < 0 && limit < kNoLimit)
        runLabels = limit;
    const qint64 total = runLabels < 0 ? -1 : (runLabels - skipped) * runs;
    // Only the first run starts on the part-used sheet; the others on fresh ones.
    const qint64 firstSkip = firstPage == 1 ? skip : 0;
    if (progress) {
        const auto pagesOf = [&](qint64 labels) { return (labels + perPage - 1) / perPage; };
        progress->SetPagesTotal(runLabels < 0 ? -1
                                              : pagesOf(runLabels - skipped + firstSkip) +
                                                    (runs - 1) * pagesOf(runLabels - skipped));
        progress->StartProgress(total);
    }

    QString error;
    if (!device.Begin(title, &error))
        return Fail(TPrintResult::DeviceError, error, message);
    QPainter *painter = device.Painter();
    if (!painter) {
        device.Abort();
        return Fail(TPrintResult::DeviceError, PrinterUnusableMessage(device.Name()), message);
    }
    QTransform calibration = CalibrationTransform(choices.Calibration, metrics);
    if (choices.Mirror)
        calibration = MirrorTransform(metrics) * calibration;
    painter->setWorldTransform(calibration);
    if (progress)
        progress->SetPage(1);

    job.Progress = progress;
    QList<TPrintStats::TSymbolFailure> symbolFailures;
    job.SymbolFailures = &symbolFailures;
    int pagesPrinted = 0;
    int pageNumber = 1;
    qint64 labelsPrinted = 0;
    qint64 runEnd = 0; // the label (from 0) the first run ended before
    const auto newPage = [&] {
        if (!device.NewPage()) {
            device.Abort();
            return false;
        }
        painter->setWorldTransform(calibration);
        ++pageNumber;
        if (progress)
            progress->SetPage(pageNumber);
        return true;
    };
    const auto newPageFailed = [&] {
        return Fail(TPrintResult::DeviceError,
                    QCoreApplication::translate("Printing", "The printer \"%1\" failed to start a new page.")
                        .arg(device.Name()),
                    message);
    };
    for (int run = 0; run < runs && !job.Cancelled && !job.DataFailed; ++run) {
        if (run > 0) {
            if (const TPrintResult r = startRun(true); r != TPrintResult::Printed) {
                device.Abort();
                return r;
            }
            // The copies' failures are the first run's.
            job.SymbolFailures = nullptr;
            // The same labels as the first run, which may have started part-way
            // into a page: counted by labels, not pages.
            job.RangeKind = rkLabels;
            job.LabelCount = runEnd;
            if (!newPage())
                return newPageFailed();
        }
        job.SkipPositions = run == 0 ? int(firstSkip) : 0;
        int runPages = 0;
        while (!job.Done) {
            PrintPage(*painter, items, layout, job);
            job.SkipPositions = 0;
            ++pagesPrinted;
            ++runPages;
            if (run == 0 && rangeKind == rkPages && pageCount <= runPages + firstPage - 1)
                job.Done = true;
            if (!job.Done) {
                if (!newPage())
                    return newPageFailed();
                CountSequences(items, TCountPer::Page);
            }
        }
        labelsPrinted += job.LabelsPrinted - skipped;
        if (run == 0)
            runEnd = job.LabelsPrinted;
    }
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
