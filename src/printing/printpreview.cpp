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
    qint64 Size() const { return rows_.size(); }
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
    : choices_(choices), metrics_(metrics), format_(JobFormat(label.LabelFormat, choices)), screenDpiX_(label.ScreenDpiX),
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
    perPage_ = layout_.PositionCount();
    if (perPage_ <= 0)
        return fail(TPrintResult::NoFit, QCoreApplication::translate("Printing", kMsgNoFit));
    if (const QString why = FirstLabelMessage(choices_.FirstLabel, layout_); !why.isEmpty())
        return fail(TPrintResult::NoFit, why);
    skip_ = choices_.FirstLabel - 1;

    // The same reading of the choices as PrintLabels.
    if (const TPrintResult r = PrepareJob(items_, choices_, OpenSource, data_, source_, message);
        r != TPrintResult::Printed)
        return r;
    // Collated copies repeat the run shown.
    copies_ = choices_.Collate ? 1 : qMax(1, choices_.Copies);
    const bool useDataFile = source_ != nullptr;
    rangeKind_ = (choices_.RangeKind == rkAll && !useDataFile) ? rkPages : choices_.RangeKind;
    const int pages = choices_.RangeKind == rkAll && !useDataFile ? 1 : choices_.PageCount;
    constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max() / 4;
    qint64 limit = kNoLimit;
    if (rangeKind_ == rkPages)
        limit = perPage_ * qMax(1, pages) - skip_;
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
        const auto page = [&](const TPageStart &at) {
            pageStarts_.push_back(at);
            pageStarts_.back().Token = seekable ? reader->Tell() : kept->Size();
            return true;
        };
        const auto keep = [&] {
            if (kept)
                kept->Append(*reader);
        };
        qint64 labels = 0;
        QString error;
        if (!WalkPages(*reader, data_.QuantityColumn, copies_, perPage_, limit, data_.FirstRecord, page, keep, &labels,
                       &error, skip_))
            return fail(TPrintResult::DataError, error);
        if (labels == 0)
            return fail(TPrintResult::NoRecords,
                        QCoreApplication::translate("Printing", "Every record of %1 asks for 0 labels (column \"%2\").")
                            .arg(QDir::toNativeSeparators(source_->SourceName()), choices_.QuantityColumn.trimmed()));
        labelCount_ = qMin(limit, labels);
    } else {
        labelCount_ = limit;
    }
    // A page range shows its pages alone.
    const qint64 pageCount = (labelCount_ + skip_ + perPage_ - 1) / perPage_;
    firstPage_ = qMax(1, choices_.FirstPage) - 1;
    if (firstPage_ >= pageCount)
        return fail(TPrintResult::NoRecords,
                    QCoreApplication::translate("Printing", "The job has %1 pages; page %2 is past its end.")
                        .arg(pageCount)
                        .arg(firstPage_ + 1));
    pageCount_ = int(qMin<qint64>(pageCount - firstPage_, std::numeric_limits<int>::max()));
    return TPrintResult::Printed;
}

bool TPrintPreview::DrawPage(int n, QPainter &painter, QString *message)
{
    if (n < 0 || n >= pageCount_)
        return false;
    n += firstPage_;
    const qint64 first = PageFirstLabel(n);
    TPageStart at;
    if (source_) {
        if (size_t(n) >= pageStarts_.size())
            return false;
        at = pageStarts_[size_t(n)];
    } else {
        at = PageStartWithoutSource(first, copies_);
    }
    for (const TCounter &c : counters_) {
        c.Field->CurVal = c.Start;
        c.Field->Pending = c.Pending;
    }
    // Counters as the whole run has them, also after a record range's skipped records.
    CountSequencesBy(items_, data_.SkippedContents + at.Contents, data_.SkippedRecords + at.Records,
                     data_.SkippedContents * copies_ / perPage_ + n);

    TJobCursor job;
    job.Copies = copies_;
    job.RangeKind = rangeKind_;
    job.LabelCount = choices_.LabelCount;
    PlaceJob(job, at, first);
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
    job.SkipPositions = n == 0 ? int(skip_) : 0;
    job.Outline = choices_.Outline;
    job.CropMarks = choices_.CropMarks;
    painter.save();
    if (choices_.Mirror)
        painter.setWorldTransform(MirrorTransform(layout_.Metrics()), true);
    PrintPage(painter, items_, layout_, job);
    // Positions used before the job, on a part-used sheet.
    if (job.SkipPositions > 0) {
        painter.setPen(QPen(QColor(170, 170, 170), 0));
        painter.setBrush(QBrush(QColor(200, 200, 200), Qt::BDiagPattern));
        const QList<QPoint> &positions = layout_.Positions();
        for (int i = 0; i < job.SkipPositions && i < positions.size(); ++i)
            painter.drawRect(QRect(positions[i], QSize(layout_.LabelWidthPx(), layout_.LabelHeightPx())));
    }
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
