#include "printing/pdfdevice.h"

#include <QDir>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

struct TPdfPrinterDevice::Private {
    QString FileName;
    QPageSize Paper;
    int Dpi = 600;
    std::unique_ptr<QSaveFile> File;
    std::unique_ptr<QPdfWriter> Writer;
    std::unique_ptr<QPainter> Painter;

    void Discard()
    {
        if (Painter && Painter->isActive())
            Painter->end();
        Painter.reset();
        Writer.reset();
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
    // The page is as large as the document says in points; a last partial
    // pixel is not part of it.
    const QSize pt = d->Paper.sizePoints();
    m.DpiX = m.DpiY = d->Dpi;
    m.PaperWidth = int(qint64(pt.width()) * d->Dpi / 72);
    m.PaperHeight = int(qint64(pt.height()) * d->Dpi / 72);
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
            *error = QStringLiteral("Cannot write \"%1\": %2")
                         .arg(QDir::toNativeSeparators(d->FileName), d->File->errorString());
        d->File.reset();
        return false;
    }
    d->Writer = std::make_unique<QPdfWriter>(d->File.get());
    d->Writer->setResolution(d->Dpi);
    d->Writer->setTitle(docTitle);
    d->Writer->setCreator(QStringLiteral("Quorvane"));
    QPageLayout layout(d->Paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point,
                       QMarginsF(0, 0, 0, 0));
    layout.setMode(QPageLayout::FullPageMode);
    d->Writer->setPageLayout(layout);
    d->Painter = std::make_unique<QPainter>();
    if (!d->Painter->begin(d->Writer.get())) {
        if (error)
            *error = QStringLiteral("Cannot write \"%1\"").arg(QDir::toNativeSeparators(d->FileName));
        d->Discard();
        return false;
    }
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
    const bool ok = d->File->error() == QFileDevice::NoError && d->File->commit();
    if (!ok && error)
        *error = QStringLiteral("Cannot write \"%1\": %2")
                     .arg(QDir::toNativeSeparators(d->FileName), d->File->errorString());
    if (!ok)
        d->File->cancelWriting();
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
