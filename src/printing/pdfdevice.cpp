#include "printing/pdfdevice.h"

#include "storage/safesave.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include <cmath>

namespace {

// The paper in points, from the size it is defined by: QPageSize's own point
// sizes are rounded (to whole points, or to hundredths).
QSizeF ExactPoints(const QPageSize &paper)
{
    const QSizeF d = paper.definitionSize();
    switch (paper.definitionUnits()) {
    case QPageSize::Millimeter:
        return d * (72.0 / 25.4);
    case QPageSize::Inch:
        return d * 72.0;
    case QPageSize::Point:
        return d;
    default:
        return paper.size(QPageSize::Point);
    }
}

int ToPixels(double points, int dpi)
{
    // A last partial pixel is not on the sheet; a whole one a hair short of
    // its value through binary fractions is.
    return int(std::floor(points * dpi / 72.0 + 1e-6));
}

// Qt's PDF writer gives every page box in whole points and places the drawing
// from the top of that rounded page. This writes the exact size in place of
// the rounded one, padded to the same length so that the cross-reference
// offsets of the file stay right; the device moves the drawing to match.
class TPageBoxFixer : public QIODevice {
public:
    TPageBoxFixer(QIODevice *out, QByteArray from, QByteArray to)
        : out_(out), from_(std::move(from)), to_(std::move(to))
    {
        open(QIODevice::WriteOnly);
    }
    bool Finish()
    {
        const bool ok = !failed_ && WriteOut(pending_.size());
        close();
        return ok;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        // After a failed write the document cannot be whole: keep nothing.
        if (failed_)
            return -1;
        pending_.append(data, len);
        for (qsizetype at = pending_.indexOf(from_); at >= 0; at = pending_.indexOf(from_, at + to_.size()))
            pending_.replace(at, from_.size(), to_);
        // The end may hold the start of a box that the next write completes.
        return WriteOut(pending_.size() - (from_.size() - 1)) ? len : -1;
    }

private:
    bool WriteOut(qsizetype n)
    {
        if (n <= 0)
            return true;
        if (out_->write(pending_.constData(), n) != n) {
            failed_ = true;
            pending_.clear();
            return false;
        }
        pending_.remove(0, n);
        return true;
    }
    QIODevice *out_;
    QByteArray from_, to_, pending_;
    bool failed_ = false;
};

QString WriteFailure(const QString &fileName, const QString &reason)
{
    const QString name = QDir::toNativeSeparators(fileName);
    return reason.isEmpty() ? QCoreApplication::translate("Printing", "Cannot write \"%1\"").arg(name)
                            : QCoreApplication::translate("Printing", "Cannot write \"%1\": %2").arg(name, reason);
}

QByteArray PageBox(double w, double h)
{
    return "[0 0 " + QByteArray::number(w, 'f') + ' ' + QByteArray::number(h, 'f') + ']';
}

} // namespace

struct TPdfPrinterDevice::Private {
    QString FileName;
    QPageSize Paper;
    int Dpi = 600;
    std::unique_ptr<QSaveFile> File;
    std::unique_ptr<TPageBoxFixer> Fixer;
    std::unique_ptr<QPdfWriter> Writer;
    std::unique_ptr<QPainter> Painter;
    double DrawingShift = 0; // device pixels, downwards

    void Discard()
    {
        if (Painter && Painter->isActive())
            Painter->end();
        Painter.reset();
        Writer.reset();
        Fixer.reset();
        if (File)
            File->cancelWriting();
        File.reset(); // an uncommitted save file removes its temporary
    }
};

TPdfPrinterDevice::TPdfPrinterDevice(const QString &fileName, const QPageSize &paper, int dpi)
    : d(std::make_unique<Private>())
{
    d->FileName = fileName;
    d->Paper = paper.isValid() ? paper : QPageSize(QPageSize::A4);
    d->Dpi = dpi > 0 ? dpi : 600;
}

bool TPdfPrinterDevice::SetRollPage(const QSizeF &mm)
{
    if (d->Painter || !(mm.width() > 0 && mm.height() > 0))
        return false;
    d->Paper = QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return d->Paper.isValid();
}

TPdfPrinterDevice::~TPdfPrinterDevice()
{
    d->Discard();
}

QString TPdfPrinterDevice::Name() const
{
    return QStringLiteral("PDF (%1)").arg(QDir::toNativeSeparators(d->FileName));
}

bool TPdfPrinterDevice::Metrics(TPrinterMetrics &m)
{
    const QSizeF pt = ExactPoints(d->Paper);
    m.DpiX = m.DpiY = d->Dpi;
    m.PaperWidth = ToPixels(pt.width(), d->Dpi);
    m.PaperHeight = ToPixels(pt.height(), d->Dpi);
    m.OffsetX = m.OffsetY = m.RightMargin = m.BottomMargin = 0;
    return true;
}

bool TPdfPrinterDevice::Begin(const QString &docTitle, QString *error)
{
    d->Discard();
    pages_ = 0;
    d->File = std::make_unique<QSaveFile>(d->FileName);
    if (!d->File->open(QIODevice::WriteOnly)) {
        if (error)
            *error = WriteFailure(d->FileName, d->File->errorString());
        d->File.reset();
        return false;
    }
    QPageLayout layout(d->Paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point,
                       QMarginsF(0, 0, 0, 0));
    layout.setMode(QPageLayout::FullPageMode);
    const QSize rounded = layout.fullRectPoints().size();
    const QSizeF exact = ExactPoints(d->Paper);
    const QByteArray from = PageBox(rounded.width(), rounded.height());
    QByteArray to = PageBox(exact.width(), exact.height());
    d->DrawingShift = 0;
    if (to.size() <= from.size()) {
        to.insert(to.size() - 1, QByteArray(from.size() - to.size(), ' '));
        d->DrawingShift = (rounded.height() - exact.height()) * d->Dpi / 72.0;
    } else {
        to = from; // cannot happen for a rounded size; keep Qt's page then
    }
    d->Fixer = std::make_unique<TPageBoxFixer>(d->File.get(), from, to);
    d->Writer = std::make_unique<QPdfWriter>(d->Fixer.get());
    d->Writer->setResolution(d->Dpi);
    d->Writer->setTitle(docTitle);
    d->Writer->setCreator(QStringLiteral("Quorvane"));
    d->Writer->setPageLayout(layout);
    d->Painter = std::make_unique<QPainter>();
    if (!d->Painter->begin(d->Writer.get())) {
        if (error)
            *error = WriteFailure(d->FileName, QString());
        d->Discard();
        return false;
    }
    // Qt places the drawing from the top of its rounded page.
    d->Painter->translate(0, d->DrawingShift);
    pages_ = 1;
    return true;
}

QPainter *TPdfPrinterDevice::Painter()
{
    return d->Painter.get();
}

bool TPdfPrinterDevice::NewPage()
{
    if (!d->Writer || !d->Writer->newPage())
        return false;
    ++pages_;
    return true;
}

bool TPdfPrinterDevice::End(QString *error)
{
    if (!d->Painter) {
        if (error)
            *error = QStringLiteral("No document was begun");
        return false;
    }
    d->Painter->end();
    d->Painter.reset();
    d->Writer.reset(); // flushes the trailer
    const bool finished = d->Fixer->Finish();
    d->Fixer.reset();
    QString reason;
    bool ok = false;
    if (!finished) {
        reason = WriteFailureReason(*d->File);
        d->File->cancelWriting();
    } else {
        ok = CommitWhole(*d->File, &reason);
    }
    if (!ok && error)
        *error = WriteFailure(d->FileName, reason);
    d->File.reset();
    return ok;
}

void TPdfPrinterDevice::Abort()
{
    d->Discard();
}

bool TPdfPrinterDevice::ParsePaper(const QString &text, QPageSize &paper)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) {
        paper = QPageSize(QPageSize::A4);
        return true;
    }
    if (t.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0) {
        paper = QPageSize(QPageSize::Letter);
        return true;
    }
    static const QRegularExpression re(QStringLiteral("^(\\d+(?:\\.\\d+)?)\\s*[xX]\\s*(\\d+(?:\\.\\d+)?)\\s*mm$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(t);
    if (!m.hasMatch())
        return false;
    const double w = m.captured(1).toDouble(), h = m.captured(2).toDouble();
    // Qt caps custom paper at a few metres; refuse what it would not keep.
    if (w <= 0 || h <= 0 || w > 5000 || h > 5000)
        return false;
    paper = QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return paper.isValid();
}

QPageSize TPdfPrinterDevice::LocalePaper()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                             : QPageSize(QPageSize::A4);
}
