#include "printing/qprinter_device.h"

#include "printing/pdfdevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cups/cups.h>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <sys/statvfs.h>

struct TQPrinterDevice::Private {
    std::unique_ptr<QPrinter> Printer;
    std::unique_ptr<QPainter> Painter;
    bool PdfFallback = false;
    // A PDF goes to a temporary beside its name and is renamed when the job
    // ends well, so a cancelled or failed job leaves no partial file.
    QString Target, Temporary;
    // Qt's CUPS engine cannot abort: ending its painter always submits the
    // document. So a printer job is spooled into a file of ours and handed
    // to the scheduler only when it ends well.
    QString Spool;
    QString RollMedia; // the media option of a roll page
    int Job = 0;

    void DropTemporary()
    {
        if (!Temporary.isEmpty())
            QFile::remove(Temporary);
        if (!Target.isEmpty())
            Printer->setOutputFileName(Target);
        Target.clear();
        Temporary.clear();
        if (!Spool.isEmpty()) {
            QFile::remove(Spool);
            Printer->setOutputFileName(QString());
            Spool.clear();
        }
    }

    bool Submit(const QString &title, QString *error);
};

namespace {

// Qt keeps the options of the printer dialog's advanced page under this key.
constexpr auto kCupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

void SetUpPdfFallback(QPrinter &printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setFullPage(true);
    QPageLayout layout(TPdfPrinterDevice::LocalePaper(), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point, QMarginsF(0, 0, 0, 0));
    layout.setMode(QPageLayout::FullPageMode);
    printer.setPageLayout(layout);
}

// The queue's default resolution in dots per inch, 0 when it does not say.
// Qt draws at its own fixed resolution otherwise, and a thermal printer's
// raster (203 or 300 DPI) then cuts bars at fractions of a dot.
int QueueResolution(const QString &printerName)
{
    const QByteArray queue = printerName.section(QLatin1Char('/'), 0, 0).toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest)
        return 0;
    int dpi = 0;
    if (cups_dinfo_t *info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
        if (ipp_attribute_t *a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "printer-resolution")) {
            ipp_res_t units;
            int y = 0;
            const int x = ippGetResolution(a, 0, &y, &units);
            if (x == y && x >= 72 && x <= 4800)
                dpi = units == IPP_RES_PER_CM ? int(std::lround(x * 2.54)) : x;
        }
        cupsFreeDestInfo(info);
    }
    cupsFreeDests(1, dest);
    return dpi;
}

// Qt's PDF engine does not report a failed write, so the file is checked:
// its trailer points at the cross-reference table, at the offset Qt counted
// the bytes to. Empty when the document is whole, else why it is not.
QString PdfNotWhole(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return f.errorString();
    const qint64 size = f.size();
    f.seek(qMax<qint64>(0, size - 64));
    const QByteArray tail = f.readAll();
    const qsizetype at = tail.lastIndexOf("startxref");
    bool whole = false;
    if (at >= 0 && tail.trimmed().endsWith("%%EOF")) {
        bool ok = false;
        const qint64 xref = tail.mid(at + 9).split('%').first().trimmed().toLongLong(&ok);
        whole = ok && xref >= 0 && xref < size && f.seek(xref) && f.read(4) == "xref";
    }
    if (whole)
        return {};
    // The usual cause, then a file size limit the document reached.
    struct statvfs fs {};
    if (statvfs(QFile::encodeName(fileName).constData(), &fs) == 0 && fs.f_bavail * fs.f_frsize < 64 * 1024)
        return QString::fromLocal8Bit(std::strerror(ENOSPC));
    if (struct rlimit limit {}; getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY
                                && rlim_t(size) >= limit.rlim_cur)
        return QString::fromLocal8Bit(std::strerror(EFBIG));
    return QCoreApplication::translate("Printing", "the document was not written whole");
}

// Why a job could not be spooled, naming the folder: that is where the
// user makes room.
QString SpoolFailure(const QString &why)
{
    return QCoreApplication::translate("Printing", "Cannot spool the document in \"%1\": %2")
        .arg(QDir::toNativeSeparators(QDir::tempPath()), why);
}

QString SpoolPattern()
{
    return QDir::tempPath() + QStringLiteral("/quorvane-%1-XXXXXX.spool").arg(QCoreApplication::applicationPid());
}

} // namespace

void RemoveDeadSpools()
{
    const QDir dir(QDir::tempPath());
    for (const QString &name : dir.entryList({QStringLiteral("quorvane-*-*.spool")}, QDir::Files)) {
        bool ok = false;
        const qint64 pid = name.section(u'-', 1, 1).toLongLong(&ok);
        // Only a job whose process is gone; kill() answers EPERM for a live
        // process of another user, whose spool is not ours to take.
        if (ok && pid > 0 && pid != QCoreApplication::applicationPid() && ::kill(pid_t(pid), 0) != 0 &&
            errno == ESRCH)
            QFile::remove(dir.filePath(name));
    }
}

// The options Qt's own engine would send with the document.
bool TQPrinterDevice::Private::Submit(const QString &title, QString *error)
{
    QPrinter &p = *Printer;
    const QPageLayout layout = p.pageLayout();
    cups_option_t *options = nullptr;
    int count = 0;
    const auto add = [&](const QByteArray &name, const QByteArray &value) {
        count = cupsAddOption(name.constData(), value.constData(), count, &options);
    };
    add("media", (RollMedia.isEmpty() ? layout.pageSize().key() : RollMedia).toUtf8());
    if (p.copyCount() > 1) {
        add("copies", QByteArray::number(p.copyCount()));
        if (p.collateCopies())
            add("Collate", "True");
    }
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    switch (p.duplex()) {
    case QPrinter::DuplexNone:
        add("sides", "one-sided");
        break;
    case QPrinter::DuplexAuto:
        add("sides", landscape ? "two-sided-short-edge" : "two-sided-long-edge");
        break;
    case QPrinter::DuplexLongSide:
        add("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        add("sides", "two-sided-short-edge");
        break;
    }
    // A custom roll page is the label's own shape: nothing to turn.
    if (landscape)
        add("landscape", "");
    const QStringList extra = p.printEngine()->property(kCupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < extra.size(); i += 2)
        add(extra[i].toUtf8(), extra[i + 1].toUtf8());

    // An instance ("queue/instance") prints on its queue.
    const QByteArray queue = p.printerName().section(QLatin1Char('/'), 0, 0).toUtf8();
    const int job = cupsPrintFile(queue.constData(), QFile::encodeName(Spool).constData(), title.toUtf8().constData(),
                                  count, options);
    cupsFreeOptions(count, options);
    Job = job;
    if (job == 0 && error)
        *error = QStringLiteral("The printer \"%1\" did not take the document: %2")
                     .arg(p.printerName(), QString::fromUtf8(cupsLastErrorString()));
    return job != 0;
}

TQPrinterDevice::TQPrinterDevice(const QString &printerName) : d(std::make_unique<Private>())
{
    d->Printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!SelectPrinter(printerName)) {
        // With no default set, any installed queue beats a PDF nobody asked for.
        const QStringList names = PrinterNames();
        if (names.isEmpty() || !SelectPrinter(names.first())) {
            d->PdfFallback = true;
            SetUpPdfFallback(*d->Printer);
        }
    }
}

TQPrinterDevice::~TQPrinterDevice()
{
    Abort();
}

QString TQPrinterDevice::Name() const
{
    if (d->PdfFallback)
        return QStringLiteral("PDF");
    return d->Printer->printerName();
}

bool TQPrinterDevice::SelectPrinter(const QString &printerName)
{
    if (printerName.isEmpty())
        return false;
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return false;
    d->Printer->setOutputFormat(QPrinter::NativeFormat);
    d->Printer->setPrinterName(printerName);
    if (const int dpi = QueueResolution(printerName); dpi > 0)
        d->Printer->setResolution(dpi);
    d->PdfFallback = false;
    return true;
}

bool TQPrinterDevice::Metrics(TPrinterMetrics &m)
{
    QPrinter &p = *d->Printer;
    const int dpi = p.resolution();
    if (dpi <= 0)
        return false;
    // From points, in whole pixels: a last partial pixel is not on the sheet.
    const auto toPixels = [dpi](const QRectF &r) {
        const auto px = [dpi](double v) { return int(v * dpi / 72.0); };
        return QRect(px(r.left()), px(r.top()), px(r.width()), px(r.height()));
    };
    const QRect paper = toPixels(p.paperRect(QPrinter::Point));
    const QRect page = toPixels(p.pageRect(QPrinter::Point));
    m.DpiX = p.logicalDpiX() > 0 ? p.logicalDpiX() : dpi;
    m.DpiY = p.logicalDpiY() > 0 ? p.logicalDpiY() : dpi;
    m.PaperWidth = paper.width();
    m.PaperHeight = paper.height();
    // Full-page printers draw from the sheet's corner: no strips to take off.
    if (p.fullPage()) {
        m.OffsetX = m.OffsetY = m.RightMargin = m.BottomMargin = 0;
    } else {
        m.OffsetX = page.left() - paper.left();
        m.OffsetY = page.top() - paper.top();
        m.RightMargin = paper.width() - (page.width() + m.OffsetX);
        m.BottomMargin = paper.height() - (page.height() + m.OffsetY);
    }
    return m.PaperWidth > 0 && m.PaperHeight > 0;
}

bool TQPrinterDevice::Begin(const QString &docTitle, QString *error)
{
    d->Job = 0;
    d->Printer->setDocName(docTitle);
    const QString target = d->Printer->outputFileName();
    if (d->Printer->outputFormat() == QPrinter::PdfFormat && !target.isEmpty()) {
        QTemporaryFile tmp(target + QStringLiteral(".XXXXXX"));
        if (!tmp.open()) {
            if (error)
                *error = QStringLiteral("Cannot write \"%1\": %2").arg(target, tmp.errorString());
            return false;
        }
        tmp.setAutoRemove(false);
        d->Target = target;
        d->Temporary = tmp.fileName();
        d->Printer->setOutputFileName(d->Temporary);
    } else if (d->Printer->outputFormat() == QPrinter::NativeFormat && target.isEmpty()) {
        // Not ".pdf": that name would turn the printer into a PDF writer.
        // The process's number in the name lets a later start remove the
        // spool of a job that was killed.
        QTemporaryFile tmp(SpoolPattern());
        if (!tmp.open()) {
            if (error)
                *error = SpoolFailure(tmp.errorString());
            return false;
        }
        tmp.setAutoRemove(false);
        d->Spool = tmp.fileName();
        d->Printer->setOutputFileName(d->Spool);
    }
    d->Painter = std::make_unique<QPainter>();
    if (!d->Painter->begin(d->Printer.get())) {
        d->Painter.reset();
        d->DropTemporary();
        if (error)
            *error = QStringLiteral("The printer \"%1\" cannot start the document.").arg(Name());
        return false;
    }
    return true;
}

QPainter *TQPrinterDevice::Painter()
{
    return d->Painter.get();
}

bool TQPrinterDevice::NewPage()
{
    return d->Printer->newPage();
}

bool TQPrinterDevice::End(QString *error)
{
    if (!d->Painter) {
        if (error)
            *error = QStringLiteral("No document was begun");
        return false;
    }
    bool ok = d->Painter->end();
    d->Painter.reset();
    QString notWhole;
    if (ok && (!d->Temporary.isEmpty() || !d->Spool.isEmpty())) {
        const QString written = d->Temporary.isEmpty() ? d->Spool : d->Temporary;
        notWhole = PdfNotWhole(written);
        if (!notWhole.isEmpty()) {
            // Nothing of a spool that is not whole goes to the queue.
            ok = false;
            notWhole = d->Temporary.isEmpty() ? SpoolFailure(notWhole)
                                              : QCoreApplication::translate("Printing", "Cannot write \"%1\": %2")
                                                    .arg(QDir::toNativeSeparators(d->Target), notWhole);
        }
    }
    if (ok && !d->Temporary.isEmpty()) {
        // Replaces the old file at once: it stays if the rename fails.
        ok = std::rename(QFile::encodeName(d->Temporary).constData(), QFile::encodeName(d->Target).constData()) == 0;
        if (ok)
            d->Temporary.clear();
    }
    QString submitError;
    if (ok && !d->Spool.isEmpty())
        ok = d->Submit(d->Printer->docName(), &submitError);
    d->DropTemporary();
    if (!ok && error)
        *error = !notWhole.isEmpty()     ? notWhole
                 : !submitError.isEmpty() ? submitError
                                          : QStringLiteral("The printer \"%1\" failed to finish the document.").arg(Name());
    return ok;
}

void TQPrinterDevice::Abort()
{
    if (!d->Painter)
        return;
    // Only drops a document nothing has seen yet; a printer job is still in
    // our spool file, which DropTemporary removes unsent.
    d->Printer->abort();
    if (d->Painter->isActive())
        d->Painter->end();
    d->Painter.reset();
    d->DropTemporary();
}

QPrinter *TQPrinterDevice::Printer() const
{
    return d->Printer.get();
}

void TQPrinterDevice::SetOutputFileName(const QString &fileName)
{
    d->Printer->setOutputFileName(fileName);
}

bool TQPrinterDevice::IsPdfFallback() const
{
    return d->PdfFallback;
}

QStringList TQPrinterDevice::PrinterNames()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    const QString def = DefaultPrinterName();
    if (!def.isEmpty() && names.removeOne(def))
        names.prepend(def);
    return names;
}

QString TQPrinterDevice::DefaultPrinterName()
{
    return QPrinterInfo::defaultPrinterName();
}

TRollMedia ChooseRollMedia(const QSizeF &mm, const QList<QPageSize> &sizes, bool custom, const QSizeF &minMm,
                           const QSizeF &maxMm)
{
    // Sizes listed in points or hundredths of a millimetre are a hair off.
    constexpr double tol = 0.1;
    const double w = mm.width(), h = mm.height();
    TRollMedia r;
    if (!(w > 0 && h > 0))
        return r;
    if (custom && w + tol >= minMm.width() && h + tol >= minMm.height() && w <= maxMm.width() + tol
        && h <= maxMm.height() + tol) {
        r.Size = QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        const auto num = [](double v) { return QString::number(std::round(v * 100) / 100, 'g', 8); };
        r.Media = QStringLiteral("Custom.%1x%2mm").arg(num(w), num(h));
        return r;
    }
    double bestArea = 0;
    for (const QPageSize &s : sizes) {
        const QSizeF m = s.size(QPageSize::Millimeter);
        const bool upright = m.width() + tol >= w && m.height() + tol >= h;
        const bool turned = m.width() + tol >= h && m.height() + tol >= w;
        if (!upright && !turned)
            continue;
        const double area = m.width() * m.height();
        if (r.Size.isValid() && (area > bestArea || (area == bestArea && (r.Landscape || !upright))))
            continue;
        r.Size = s;
        r.Landscape = !upright;
        r.Media = s.key();
        bestArea = area;
    }
    return r;
}

TRollMedia RollMediaFor(const QString &printerName, const QSizeF &mm)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return {};
    return ChooseRollMedia(mm, info.supportedPageSizes(), info.supportsCustomPageSizes(),
                           info.minimumPhysicalPageSize().size(QPageSize::Millimeter),
                           info.maximumPhysicalPageSize().size(QPageSize::Millimeter));
}

bool TQPrinterDevice::SetRollPage(const QSizeF &mm)
{
    if (d->Painter)
        return false;
    QPrinter &p = *d->Printer;
    TRollMedia m;
    if (p.outputFormat() == QPrinter::PdfFormat)
        m.Size = QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    else
        m = RollMediaFor(p.printerName(), mm);
    if (!m.Size.isValid())
        return false;
    // Paper and orientation one by one: a whole layout with no margins is
    // refused on a printer whose paper has unprintable strips, and the page
    // is drawn from the paper's corner anyway.
    p.setFullPage(true);
    if (!p.setPageSize(m.Size)
        || !p.setPageOrientation(m.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait))
        return false;
    d->RollMedia = m.Media;
    return true;
}

int TQPrinterDevice::JobId() const
{
    return d->Job;
}

namespace {

// One attribute of a job as the scheduler reports it; null when it does not.
template <typename Read>
auto JobAttribute(int job, const char *name, Read read) -> decltype(read(nullptr))
{
    decltype(read(nullptr)) value{};
    if (job <= 0)
        return value;
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    const char *const wanted[] = {name};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, wanted);
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (ipp_attribute_t *a = ippFindAttribute(response, name, IPP_TAG_ZERO))
        value = read(a);
    ippDelete(response);
    return value;
}

} // namespace

QString TQPrinterDevice::JobState() const
{
    return JobAttribute(d->Job, "job-state", [](ipp_attribute_t *a) {
        return a ? QString::fromUtf8(ippEnumString("job-state", ippGetInteger(a, 0))) : QString();
    });
}

QString TQPrinterDevice::JobReason() const
{
    const QString message = JobAttribute(d->Job, "job-printer-state-message", [](ipp_attribute_t *a) {
        return a ? QString::fromUtf8(ippGetString(a, 0, nullptr)).trimmed() : QString();
    });
    if (!message.isEmpty())
        return message;
    return JobAttribute(d->Job, "job-state-reasons", [](ipp_attribute_t *a) {
        QStringList r;
        for (int i = 0; a && i < ippGetCount(a); ++i)
            // A step on the way says nothing of why.
            if (const QString k = QString::fromUtf8(ippGetString(a, i, nullptr));
                k != QLatin1String("none") && k != QLatin1String("processing-to-stop-point"))
                r << k;
        return r.join(QStringLiteral(", "));
    });
}

bool TQPrinterDevice::QueueStopped() const
{
    if (d->PdfFallback)
        return false;
    const QByteArray queue = d->Printer->printerName().section(QLatin1Char('/'), 0, 0).toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest)
        return false;
    const char *state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const bool stopped = state && std::atoi(state) == IPP_PSTATE_STOPPED;
    cupsFreeDests(1, dest);
    return stopped;
}

QSizeF TQPrinterDevice::QueueMediaMm() const
{
    if (d->PdfFallback)
        return {};
    const QByteArray queue = d->Printer->printerName().section(QLatin1Char('/'), 0, 0).toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest)
        return {};
    QSizeF mm;
    // The user's default for the queue, else the queue's. Not
    // cupsGetDestMediaDefault: it answers a borderless variant's size.
    QByteArray name = cupsGetOption("media", dest->num_options, dest->options);
    cups_dinfo_t *info = name.isEmpty() ? cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest) : nullptr;
    if (info) {
        if (ipp_attribute_t *a = cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest, info, "media"))
            name = ippGetString(a, 0, nullptr);
        cupsFreeDestInfo(info);
    }
    const pwg_media_t *media = name.isEmpty() ? nullptr : pwgMediaForPWG(name.constData());
    if (!media && !name.isEmpty())
        media = pwgMediaForPPD(name.constData());
    if (!media && !name.isEmpty())
        media = pwgMediaForLegacy(name.constData());
    if (media && media->width > 0 && media->length > 0)
        mm = QSizeF(media->width / 100.0, media->length / 100.0); // hundredths of a millimetre
    cupsFreeDests(1, dest);
    return mm;
}
