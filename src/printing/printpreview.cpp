#include "printing/printpreview.h"

#include "model/labelformat.h"
#include "printing/sheetlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <cmath>
#include <limits>

TPreviewDevice::TPreviewDevice(const TPrinterMetrics &metrics, double scale, const QString &name)
    : metrics_(metrics), scale_(scale > 0 ? scale : 1.0), name_(name)
{
}

TPreviewDevice::~TPreviewDevice()
{
    if (painter_.isActive())
        painter_.end();
}

bool TPreviewDevice::Metrics(TPrinterMetrics &m)
{
    m = metrics_;
    return metrics_.PaperWidth > 0 && metrics_.PaperHeight > 0 && metrics_.DpiX > 0 && metrics_.DpiY > 0;
}

bool TPreviewDevice::SetRollPage(const QSizeF &mm)
{
    if (painter_.isActive() || !(mm.width() > 0 && mm.height() > 0))
        return false;
    metrics_.PaperWidth = qRound(mm.width() / 25.4 * metrics_.DpiX);
    metrics_.PaperHeight = qRound(mm.height() / 25.4 * metrics_.DpiY);
    metrics_.OffsetX = metrics_.OffsetY = metrics_.RightMargin = metrics_.BottomMargin = 0;
    return true;
}

void TPreviewDevice::StartPage()
{
    if (painter_.isActive())
        painter_.end();
    const int w = qMax(1, int(std::ceil(metrics_.PaperWidth * scale_)));
    const int h = qMax(1, int(std::ceil(metrics_.PaperHeight * scale_)));
    pages_.append(QImage(w, h, QImage::Format_RGB32));
    QImage &page = pages_.last();
    page.fill(Qt::white);
    page.setDotsPerMeterX(qRound(metrics_.DpiX / 0.0254));
    page.setDotsPerMeterY(qRound(metrics_.DpiY / 0.0254));
    painter_.begin(&page);
    painter_.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter_.scale(scale_, scale_);
    painter_.translate(metrics_.OffsetX, metrics_.OffsetY);
}

bool TPreviewDevice::Begin(const QString &, QString *error)
{
    TPrinterMetrics m;
    if (!Metrics(m)) {
        if (error)
            *error = PrinterUnusableMessage(name_);
        return false;
    }
    pages_.clear();
    StartPage();
    return true;
}

bool TPreviewDevice::NewPage()
{
    if (!painter_.isActive())
        return false;
    StartPage();
    return true;
}

bool TPreviewDevice::End(QString *)
{
    if (painter_.isActive())
        painter_.end();
    return true;
}

void TPreviewDevice::Abort()
{
    if (painter_.isActive())
        painter_.end();
    pages_.clear();
}

namespace {

// The records of a source that cannot come back, kept in memory, with the
// source's column names and the records' date cells.
class TKeptRecords : public TRecordSource {
public:
    explicit TKeptRecords(const TRecordSource &from) : name_(from.SourceName()), names_(from.ColumnNames()) {}
    void ReadRecord() override
    {
        if (at_ + 1 < rows_.size())
            ++at_;
    }
    bool DataEof() const override { return at_ + 1 >= rows_.size(); }
    const TDataRow &DataRow() const override { return rows_.at(at_); }
    bool HasRecord() const override { return !rows_.isEmpty(); }
    bool Failed() const override { return false; }
    QString ErrorString() const override { return {}; }
    QString SourceName() const override { return name_; }
    QStringList ColumnNames() const override { return names_; }
    QDateTime CellDate(int column) const override
    {
        const auto dates = dates_.constFind(at_);
        if (dates == dates_.cend())
            return {};
        for (const auto &[c, when] : *dates)
            if (c == column)
                return when;
        return {};
    }
    bool CanSeek() const override { return true; }
    qint64 Tell() const override { return at_; }
    bool Seek(qint64 token) override
    {
        if (token < 0 || token >= rows_.size())
            return false;
        at_ = token;
        return true;
    }
    // The source's current record.
    void Append(const TRecordSource &from)
    {
        const TDataRow &row = from.DataRow();
        QList<QPair<int, QDateTime>> dates;
        for (int c = 1; c <= row.size(); ++c)
            if (const QDateTime when = from.CellDate(c); when.isValid())
                dates.append({c, when});
        if (!dates.isEmpty())
            dates_.insert(rows_.size(), dates);
        rows_.append(row);
    }

private:
    QString name_;
    QStringList names_;
    QList<TDataRow> rows_;
    QHash<qsizetype, QList<QPair<int, QDateTime>>> dates_; // by record, those that hold dates
    qsizetype at_ = 0;
};

} // namespace

TPrintPreview::TPrintPreview(const TItemContainer &label, const TPrintChoices &choices,
                             const TPrinterMetrics &metrics)
    : choices_(choices), metrics_(metrics), format_(label.LabelFormat), screenDpiX_(label.ScreenDpiX),
      screenDpiY_(label.ScreenDpiY)
{
    for (TLabelControl *item : label.Items) {
        if (!item)
            continue;
        TLabelControl *copy = item->Clone().release();
        items_.append(copy);
        if (!copy->Advanced)
            continue;
        for (const auto &f : copy->Fields)
            if (auto *s = dynamic_cast<TSequenceField *>(f.get()))
                counters_.push_back({s, s->CurVal, s->Pending});
    }
}

TPrintPreview::~TPrintPreview()
{
    qDeleteAll(items_);
}

TPrintResult TPrintPreview::Open(QString *message)
{
    auto fail = [message](TPrintResult r, const QString &text) {
        if (message)
            *message = text;
        return r;
    };
    pageCount_ = 0;
    labelCount_ = 0;
    pageStarts_.clear();
    source_.reset();
    cached_.reset();
    if (const QString offPage = OffPageMessage(format_); !offPage.isEmpty())
        return fail(TPrintResult::NoFit, offPage);
    TPreviewDevice device(metrics_);
    // A roll label previews on its own page, as the printer is asked for it.
    if (format_.Roll)
        device.SetRollPage(TSheetLayout(format_, {}, screenDpiX_, screenDpiY_).RollPageSizeMm());
    TPrinterMetrics m;
    if (!device.Metrics(m))
        return fail(TPrintResult::DeviceError, QCoreApplication::translate("Printing", "The printer cannot be used."));
    metrics_ = m;
    layout_ = TSheetLayout(format_, metrics_, screenDpiX_, screenDpiY_);
    perPage_ = qint64(layout_.LabelRows) * layout_.LabelColumns;
    if (perPage_ <= 0)
        return fail(TPrintResult::NoFit, QCoreApplication::translate("Printing", kMsgNoFit));

    // The same reading of the choices as PrintLabels.
    if (const TPrintResult r = PrepareJob(items_, choices_, OpenSource, data_, source_, message);
        r != TPrintResult::Printed)
        return r;
    copies_ = qMax(1, choices_.Copies);
    const bool useDataFile = source_ != nullptr;
    rangeKind_ = (choices_.RangeKind == rkAll && !useDataFile) ? rkPages : choices_.RangeKind;
    const int pages = choices_.RangeKind == rkAll && !useDataFile ? 1 : choices_.PageCount;
    constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max() / 4;
    qint64 limit = kNoLimit;
    if (rangeKind_ == rkPages)
        limit = perPage_ * qMax(1, pages);
    else if (rangeKind_ == rkLabels)
        limit = qMax(1, choices_.LabelCount);

    if (useDataFile) {
        const bool seekable = source_->CanSeek() && source_->Tell() >= 0;
        TKeptRecords *kept = nullptr;
        if (!seekable) {
            cached_ = std::make_unique<TKeptRecords>(*source_);
            kept = static_cast<TKeptRecords *>(cached_.get());
        }
        TRecordSource *reader = source_.get();
        qint64 labels = 0, contents = 0, printedRecords = 0;
        for (qint64 record = 1;; ++record) {
            qint64 quantity = 1;
            QString error;
            if (data_.QuantityColumn >= 0 &&
                !RecordQuantity(reader->DataRow(), data_.QuantityColumn, record, &quantity, &error))
                return fail(TPrintResult::DataError, error);
            const qint64 token = seekable ? reader->Tell() : record - 1;
            // Pages that begin on this record's labels (copies and quantities may span pages).
            const qint64 end = labels + quantity * copies_;
            for (qint64 first = qint64(pageStarts_.size()) * perPage_; first < end && first < limit;
                 first = qint64(pageStarts_.size()) * perPage_) {
                const qint64 into = first - labels;
                pageStarts_.push_back({token, record, quantity, into / copies_, int(into % copies_),
                                       contents + into / copies_, printedRecords});
            }
            if (kept)
                kept->Append(*reader);
            labels = end;
            contents += quantity;
            if (quantity > 0)
                ++printedRecords;
            if (labels >= limit || reader->DataEof())
                break;
            reader->ReadRecord();
            if (reader->Failed())
                return fail(TPrintResult::DataError, reader->ErrorString());
        }
        if (labels == 0)
            return fail(TPrintResult::NoRecords,
                        QCoreApplication::translate("Printing", "Every record of %1 asks for 0 labels (column \"%2\").")
                            .arg(QDir::toNativeSeparators(source_->SourceName()), choices_.QuantityColumn.trimmed()));
        labelCount_ = qMin(limit, labels);
    } else {
        labelCount_ = limit;
    }
    const qint64 pageCount = (labelCount_ + perPage_ - 1) / perPage_;
    pageCount_ = int(qMin<qint64>(pageCount, std::numeric_limits<int>::max()));
    return TPrintResult::Printed;
}

bool TPrintPreview::DrawPage(int n, QPainter &painter, QString *message)
{
    if (n < 0 || n >= pageCount_)
        return false;
    const qint64 first = qint64(n) * perPage_;
    TPageStart at;
    if (source_) {
        if (size_t(n) >= pageStarts_.size())
            return false;
        at = pageStarts_[size_t(n)];
    } else {
        // Without a source every label content is a record of its own.
        at.Contents = at.Records = first / copies_;
        at.CopyIndex = int(first % copies_);
        at.Record = at.Contents + 1;
    }
    for (const TCounter &c : counters_) {
        c.Field->CurVal = c.Start;
        c.Field->Pending = c.Pending;
        const qint64 counted = c.Field->Per == TCountPer::Label    ? at.Contents
                               : c.Field->Per == TCountPer::Record ? at.Records
                                                                   : qint64(n);
        CountSequence(*c.Field, counted);
    }

    TJobCursor job;
    job.Copies = copies_;
    job.RangeKind = rangeKind_;
    job.LabelCount = choices_.LabelCount;
    job.LabelsPrinted = first;
    job.CopyIndex = at.CopyIndex;
    job.Record = at.Record;
    job.Quantity = at.Quantity;
    job.RecordLabel = at.RecordLabel;
    job.QuantityColumn = data_.QuantityColumn;
    job.Context.Columns = &data_.Columns;
    job.Context.Answers = &data_.Answers;
    if (source_) {
        job.Source = cached_ ? cached_.get() : source_.get();
        TRecordSource *s = job.Source;
        job.Context.CellDate = [s](int column) { return s->CellDate(column); };
        if (!job.Source->Seek(at.Token)) {
            if (message)
                *message = source_->Failed()
                               ? source_->ErrorString()
                               : QCoreApplication::translate("Printing", "Cannot read the data source \"%1\" again.")
                                     .arg(source_->SourceName());
            return false;
        }
    }
    job.Outline = choices_.Outline;
    job.CropMarks = choices_.CropMarks;
    painter.save();
    if (choices_.Mirror)
        painter.setWorldTransform(MirrorTransform(layout_.Metrics()), true);
    PrintPage(painter, items_, layout_, job);
    painter.restore();
    if (job.DataFailed) {
        if (message)
            *message = job.FailMessage.isEmpty() ? job.Source->ErrorString() : job.FailMessage;
        return false;
    }
    return true;
}

QImage TPrintPreview::RenderPage(int n, double scale, QString *message)
{
    TPreviewDevice device(metrics_, scale);
    if (!device.Begin(PrintJobTitle(choices_.LabelFile), message))
        return {};
    const bool ok = DrawPage(n, *device.Painter(), message);
    device.End(nullptr);
    return ok ? device.Pages().constFirst() : QImage();
}
