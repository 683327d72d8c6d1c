#include "barcode/recording_surface.h"
#include "barcode/svg_surface.h"
#include "cli/cli_barcode_write.h"

#include <QBuffer>
#include <QtEndian>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

namespace barcodecmd {

TProblem Problem(const QString &message, int status)
{
    return {status, message};
}

} // namespace barcodecmd

using barcodecmd::Problem;
using barcodecmd::TJob;
using barcodecmd::TFormat;
using barcodecmd::TProblem;

namespace {

// Beyond these a picture is of no use to anyone: 200 million pixels (800 MB
// in memory), and libpng's own limit on a side.
constexpr qint64 kMaxPixels = 200'000'000;
constexpr int kMaxPngSide = 1'000'000;

// "cannot write FILE: why".
TProblem CannotWrite(const QString &path, const QString &why)
{
    return Problem(QCoreApplication::translate("BarcodeCommand", "cannot write %1: %2").arg(path, why), 1);
}

// Writes the whole of `data`, waiting for the disk when `sync`; 0 or errno.
int WriteAll(int fd, const QByteArray &data, bool sync)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n > 0)
            done += n;
        else if (n == 0 || errno != EINTR)
            return n == 0 ? EIO : errno;
    }
    return sync && ::fdatasync(fd) != 0 ? errno : 0;
}

// Writes `data` so that no one ever sees `path` half written, not even after
// the program was killed or the disk filled up: into an unnamed file in the
// same folder given its name once whole (nothing is left behind by a kill),
// or, where the file system has no unnamed files or `path` exists, into a
// hidden temporary file beside it renamed over it. A single file waits for
// the disk first, as QSaveFile would; a batch does not, or ten thousand small
// files would spend most of their time there.
TProblem WriteFileAtomically(const QString &path, const QByteArray &data, bool sync)
{
    // New files get the mode an ordinary one would.
    static const mode_t mode = [] {
        const mode_t mask = umask(0);
        umask(mask);
        return 0666 & ~mask;
    }();
    const QByteArray name = QFile::encodeName(path);
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = slash >= 0 ? name.left(slash + 1) : QByteArray(".");
#ifdef O_TMPFILE
    if (const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode); fd >= 0) {
        const int error = WriteAll(fd, data, sync);
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        const bool named =
            !error && ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0;
        ::close(fd);
        if (error)
            return CannotWrite(path, qt_error_string(error));
        if (named)
            return {};
    }
#endif
    QByteArray temp = name.left(slash + 1) + '.' + name.mid(slash + 1) + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return CannotWrite(path, qt_error_string(errno));
    // A replacement keeps the permissions of the file it replaces.
    struct stat old;
    int error = fchmod(fd, ::stat(name.constData(), &old) == 0 ? old.st_mode & 07777 : mode) == 0 ? 0 : errno;
    if (!error)
        error = WriteAll(fd, data, sync);
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.constData(), name.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.constData());
        return CannotWrite(path, qt_error_string(error));
    }
    return {};
}

// The bytes `write` makes, written as WriteFileAtomically does; an existing
// file is left as it was when either fails.
TProblem WriteAtomically(const QString &path, const std::function<QString(QIODevice &)> &write, bool batch)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    const QString error = write(buffer);
    if (!error.isEmpty())
        return CannotWrite(path, error);
    return WriteFileAtomically(path, data, !batch);
}

void PngWrite(png_structp png, png_bytep bytes, size_t n)
{
    static_cast<QByteArray *>(png_get_io_ptr(png))->append(reinterpret_cast<const char *>(bytes), qsizetype(n));
}

void PngFlush(png_structp) {}

[[noreturn]] void PngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

// A 1-bit grey PNG of rows packed as PNG keeps them (eight pixels a byte,
// first pixel highest, 1 light). Through libpng itself: Qt's writer took five
// times as long for these pictures, most of it setting up zlib's largest
// tables and trying row filters that 1-bit pictures do not need.
bool EncodeMonoPng(QByteArray &out, const uchar *rows, qsizetype stride, int width, int height)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, PngWrite, PngFlush);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Fast and small tables: a tenth larger than the tightest setting, at
    // half the time, on pictures of a few hundred bytes.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 1);
    png_set_compression_mem_level(png, 4);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rows + y * stride);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

// The picture of a symbol: drawn in grey, glyphs of the human-readable line
// unsmoothed, so every pixel is black or white; or, transparent, in colour
// with alpha.
QImage Raster(const TBarcodeSymbol &symbol, const TJob &job, QSize box)
{
    QImage image(box, job.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_Grayscale8);
    if (image.isNull())
        return image;
    image.fill(job.transparent ? Qt::transparent : Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, job.transparent);
        TPainterSurface surface(painter);
        symbol.Draw(surface, 0, 0, job.module, job.height, job.interpretation, job.rotation, job.transparent);
    }
    return image;
}

// The PNG file of a picture of Raster's: 1-bit unless it has alpha.
QString WritePng(QIODevice &file, const QImage &image)
{
    if (image.hasAlphaChannel()) {
        QImageWriter writer(&file, "png");
        return writer.write(image) ? QString() : writer.errorString();
    }
    // Eight pixels at a time: the top bit of each grey byte tells light from
    // dark, and the multiply gathers the eight into the top byte, first
    // pixel highest.
    const int w = image.width();
    const qsizetype stride = (w + 7) / 8;
    QByteArray rows(stride * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y) {
        const uchar *in = image.constScanLine(y);
        uchar *out = reinterpret_cast<uchar *>(rows.data()) + y * stride;
        int x = 0;
        for (; x + 8 <= w; x += 8) {
            quint64 v;
            std::memcpy(&v, in + x, 8);
            const quint64 light = (qFromLittleEndian(v) & 0x8080808080808080ull) >> 7;
            out[x >> 3] = uchar((light * 0x8040201008040201ull) >> 56);
        }
        if (x < w) {
            uchar byte = 0;
            for (int i = 0; x + i < w; ++i)
                byte |= uchar(in[x + i] >= 128) << (7 - i);
            out[x >> 3] = byte;
        }
    }
    QByteArray png;
    if (!EncodeMonoPng(png, reinterpret_cast<const uchar *>(rows.constData()), stride, w, image.height()))
        return QCoreApplication::translate("BarcodeCommand", "the PNG could not be made");
    return file.write(png) == png.size() ? QString() : file.errorString();
}

} // namespace

namespace barcodecmd {

TProblem MakeSymbol(const TJob &job, const QString &text, const QString &output)
{
    if (const QString empty = EmptyBarcodeTextError(job.row->ordinal, text); !empty.isEmpty())
        return Problem(empty);
    const TBarcodeSymbol symbol(job.row->ordinal, FilterBarcodeText(job.row->ordinal, text), job.options);
    if (!symbol.Ok())
        return Problem(symbol.Error());

    if (job.format == TFormat::Pattern) {
        const QByteArray modules = BarcodePattern(symbol).toLatin1() + '\n';
        if (output.isEmpty()) {
            std::fwrite(modules.constData(), 1, size_t(modules.size()), stdout);
            return {};
        }
        return WriteAtomically(
            output,
            [&](QIODevice &file) { return file.write(modules) == modules.size() ? QString() : file.errorString(); },
            job.batch);
    }

    const QSize box = symbol.Box(job.module, job.height, job.rotation);
    const int w = box.width(), h = box.height();
    if (qint64(w) * h > kMaxPixels)
        return Problem(QCoreApplication::translate("BarcodeCommand",
                                                   "the symbol is too large: %1 x %2 pixels (at most %3 pixels)")
                           .arg(w).arg(h).arg(kMaxPixels));

    switch (job.format) {
    case TFormat::Png: {
        if (w > kMaxPngSide || h > kMaxPngSide)
            return Problem(
                QCoreApplication::translate(
                    "BarcodeCommand",
                    "the symbol is too large for PNG: %1 x %2 pixels (at most %3 pixels a side)")
                    .arg(w).arg(h).arg(kMaxPngSide));
        const QImage image = Raster(symbol, job, box);
        if (image.isNull())
            return Problem(
                QCoreApplication::translate("BarcodeCommand", "not enough memory for %1 x %2 pixels").arg(w).arg(h), 1);
        return WriteAtomically(output, [&](QIODevice &file) { return WritePng(file, image); }, job.batch);
    }
    case TFormat::Svg: {
        TSvgSurface surface;
        symbol.Draw(surface, 0, 0, job.module, job.height, job.interpretation, job.rotation, job.transparent);
        const QByteArray svg = surface.Document(w, h);
        return WriteAtomically(
            output, [&](QIODevice &file) { return file.write(svg) == svg.size() ? QString() : file.errorString(); },
            job.batch);
    }
    default:
        break;
    }
    // One pixel of the symbol is one point on the page, so the page is exactly the box.
    return WriteAtomically(output, [&](QIODevice &file) {
        QPdfWriter writer(&file);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(w, h), QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter;
        if (!painter.begin(&writer))
            return QCoreApplication::translate("BarcodeCommand", "cannot start a PDF");
        {
            TPainterSurface surface(painter);
            symbol.Draw(surface, 0, 0, job.module, job.height, job.interpretation, job.rotation, job.transparent);
        }
        return painter.end() ? QString() : QCoreApplication::translate("BarcodeCommand", "the PDF was not finished");
    }, job.batch);
}

} // namespace barcodecmd
