#include "barcode/barcode.h"
#include "barcode/recording_surface.h"
#include "barcode/svg_surface.h"
#include "cli/cli_args.h"
#include "cli/commands.h"

#include <QBuffer>
#include <QtEndian>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <cstdio>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

const char *BarcodeUsage()
{
    // The type names come from the symbology table, wrapped to the width of the text.
    static const QByteArray usage = [] {
        QString names = QStringLiteral("      T: 0..%1 or").arg(kSymbologyCount - 1);
        qsizetype lineStart = 0;
        for (const TSymbology &s : Symbologies()) {
            if (names.size() - lineStart + 1 + qstrlen(s.cliName) > 86) {
                names += QLatin1String("\n        ");
                lineStart = names.size() - 8;
            }
            names += QLatin1Char(' ') + QLatin1String(s.cliName);
        }
        return QStringLiteral(
                   "  barcode --type T --text TEXT [--module M] [--height H] [--rotation R] [--no-text]\n"
                   "          [--ecc E] [--size S] [--transparent] --output FILE.png|FILE.svg|FILE.pdf\n"
                   "  barcode --type T --text TEXT --pattern [--output FILE]\n"
                   "  barcode --type T --batch FILE|- [OPTIONS] --output NAME%05d.png\n"
                   "      Draw one barcode symbol, or print its modules (1 bar, 0 space; POSTNET F/H/0;\n"
                   "      a 2D symbol one line per module row).\n%1.\n"
                   "      M: module in pixels (1..100, default 1); H: bar height in pixels (1..10000,\n"
                   "         default 50; linear symbols); R: quarter turns clockwise 0..3 (default 0).\n"
                   "      GS1 DataMatrix text is (AI)value pairs: (01)09501101530003(10)AB12.\n"
                   "      E: error correction, QR L/M/Q/H (default M), PDF417 0..8, Aztec 10/23/36/50 %.\n"
                   "      S: QR version 1..40, Data Matrix 1..30 or a size such as 16x16 or 8x18 (rect: the\n"
                   "         smallest rectangle), PDF417 columns 1..30, Aztec 1..36; E and S default to auto.\n"
                   "      PNG: exactly the symbol's box, 1-bit black and white (--transparent: 32-bit);\n"
                   "      SVG: rectangles and text; PDF: one page the size of the box, one pixel = 1 pt.\n"
                   "      --batch: one text per line of FILE (- standard input); each symbol is written to\n"
                   "      --output with %d or %05d replaced by the line number. A line that cannot be\n"
                   "      drawn is reported (line N: reason) and the others go on; exit status 3 then.\n"
                   "      A file is replaced only when it has been written whole.")
            .arg(names)
            .toLocal8Bit();
    }();
    return usage.constData();
}

namespace {

// Beyond these a picture is of no use to anyone: 200 million pixels (800 MB
// in memory), and libpng's own limit on a side.
constexpr qint64 kMaxPixels = 200'000'000;
constexpr int kMaxPngSide = 1'000'000;

// Why a symbol was not written: exit status and message.
struct TProblem {
    int status = 0;
    QString message;
    explicit operator bool() const { return status != 0; }
};

TProblem Problem(const QString &message, int status = 2)
{
    return {status, message};
}

// Writes a batch's file. Unlike QSaveFile it does not wait for the disk: ten
// thousand small files would spend most of their time there. A new file is
// written in place (and removed if that fails); an existing one is replaced
// through a temporary file renamed over it, so it is never left half written.
TProblem WriteUnsynced(const QString &path, const QByteArray &data)
{
    // New files get the mode an ordinary one would.
    static const mode_t mode = [] {
        const mode_t mask = umask(0);
        umask(mask);
        return 0666 & ~mask;
    }();
    const QByteArray name = QFile::encodeName(path);
    QByteArray temp;
    int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno == EEXIST) {
        // The replacement keeps the permissions of the file it replaces.
        struct stat old;
        const mode_t keep = ::stat(name.constData(), &old) == 0 ? old.st_mode & 07777 : mode;
        temp = name + ".XXXXXX";
        fd = mkostemp(temp.data(), O_CLOEXEC);
        if (fd >= 0 && fchmod(fd, keep) != 0) {
            const int why = errno;
            ::close(fd);
            ::unlink(temp.constData());
            return Problem(QStringLiteral("cannot write %1: %2").arg(path, qt_error_string(why)), 1);
        }
    }
    if (fd < 0)
        return Problem(QStringLiteral("cannot write %1: %2").arg(path, qt_error_string(errno)), 1);
    qsizetype done = 0;
    int error = 0;
    while (done < data.size() && !error) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n > 0)
            done += n;
        else if (n == 0 || errno != EINTR)
            error = n == 0 ? EIO : errno;
    }
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && !temp.isEmpty() && ::rename(temp.constData(), name.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.isEmpty() ? name.constData() : temp.constData());
        return Problem(QStringLiteral("cannot write %1: %2").arg(path, qt_error_string(error)), 1);
    }
    return {};
}

// Writes through a temporary file in the same folder, renamed over `path` only
// when `write` succeeded: a failure leaves an existing file as it was.
TProblem WriteAtomically(const QString &path, const std::function<QString(QIODevice &)> &write,
                         bool batch = false)
{
    if (batch) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        const QString error = write(buffer);
        if (!error.isEmpty())
            return Problem(QStringLiteral("cannot write %1: %2").arg(path, error), 1);
        return WriteUnsynced(path, data);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Problem(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()), 1);
    const QString error = write(file);
    if (!error.isEmpty())
        return Problem(QStringLiteral("cannot write %1: %2").arg(path, error), 1);
    if (!file.commit())
        return Problem(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()), 1);
    return {};
}

const TSymbology *ParseType(const QString &s)
{
    bool ok = false;
    const int n = s.toInt(&ok);
    return ok ? FindSymbology(n) : FindSymbologyByCliName(s);
}

QString Names(const QStringList &names)
{
    return names.size() < 2 ? names.join(QString())
                            : names.mid(0, names.size() - 1).join(QLatin1String(", ")) + QLatin1String(" or ") +
                                  names.last();
}

// --ecc: a choice's name ("H", "5", "23" or "23%") or auto.
bool ParseEcc(const TSymbology &row, QString word, int &ecc, QString &error)
{
    QStringList names;
    for (const TEccChoice &c : row.eccChoices)
        names.append(QLatin1String(c.name));
    if (names.isEmpty()) {
        error = QStringLiteral("--ecc does not apply to %1").arg(row.Caption());
        return false;
    }
    if (word.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
        ecc = -1;
        return true;
    }
    if (word.endsWith(QLatin1Char('%')))
        word.chop(1);
    for (const TEccChoice &c : row.eccChoices)
        if (word.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            ecc = c.value;
            return true;
        }
    error = QStringLiteral("--ecc for %1 must be %2").arg(row.Caption(), Names(names << QStringLiteral("auto")));
    return false;
}

// --size: a number, a size's name ("21x21", "8x18"), auto, or rect where the
// symbology has rectangles.
bool ParseSize(const TSymbology &row, const QString &word, TBarcodeOptions &options, QString &error)
{
    if (row.sizeCount == 0) {
        error = QStringLiteral("--size does not apply to %1").arg(row.Caption());
        return false;
    }
    if (word.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
        options.size = 0;
        return true;
    }
    if (row.rectangles && word.compare(QLatin1String("rect"), Qt::CaseInsensitive) == 0) {
        options.size = 0;
        options.rectangular = true;
        return true;
    }
    if (ParseWhole(word, 1, row.sizeCount, options.size))
        return true;
    for (int size = 1; size <= row.sizeCount; ++size)
        if (word.compare(row.sizeName(size), Qt::CaseInsensitive) == 0) {
            options.size = size;
            return true;
        }
    error = QStringLiteral("--size for %1 must be 1 to %2, a size such as %3%4, or auto")
                .arg(row.Caption())
                .arg(row.sizeCount)
                .arg(row.sizeName(1), row.rectangles ? QStringLiteral(", rect") : QString());
    return false;
}

enum class TFormat { Png, Svg, Pdf, Pattern };

struct TJob {
    const TSymbology *row = nullptr;
    TBarcodeOptions options;
    int module = 1, height = 50, rotation = 0;
    bool interpretation = true, transparent = false;
    TFormat format = TFormat::Png;
    bool batch = false;
};


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
        return QStringLiteral("the PNG could not be made");
    return file.write(png) == png.size() ? QString() : file.errorString();
}

// Draws `text` to `output` as the job says.
TProblem MakeSymbol(const TJob &job, const QString &text, const QString &output)
{
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
            output, [&](QIODevice &file) { return file.write(modules) == modules.size() ? QString() : file.errorString(); },
            job.batch);
    }

    const QSize box = symbol.Box(job.module, job.height, job.rotation);
    const int w = box.width(), h = box.height();
    if (qint64(w) * h > kMaxPixels)
        return Problem(QStringLiteral("the symbol is too large: %1 x %2 pixels (at most %3 pixels)")
                           .arg(w).arg(h).arg(kMaxPixels));

    switch (job.format) {
    case TFormat::Png: {
        if (w > kMaxPngSide || h > kMaxPngSide)
            return Problem(
                QStringLiteral("the symbol is too large for PNG: %1 x %2 pixels (at most %3 pixels a side)")
                    .arg(w).arg(h).arg(kMaxPngSide));
        const QImage image = Raster(symbol, job, box);
        if (image.isNull())
            return Problem(QStringLiteral("not enough memory for %1 x %2 pixels").arg(w).arg(h), 1);
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
            return QStringLiteral("cannot start a PDF");
        {
            TPainterSurface surface(painter);
            symbol.Draw(surface, 0, 0, job.module, job.height, job.interpretation, job.rotation, job.transparent);
        }
        return painter.end() ? QString() : QStringLiteral("the PDF was not finished");
    }, job.batch);
}

// "%d" or "%05d" in a batch's output name: the line number, padded with zeros.
const QRegularExpression &Placeholder()
{
    static const QRegularExpression re(QStringLiteral("%(0[1-9])?d"));
    return re;
}

// A batch's output name, cut once at its placeholders.
class TBatchName {
public:
    explicit TBatchName(const QString &pattern)
    {
        qsizetype from = 0;
        for (const QRegularExpressionMatch &m : Placeholder().globalMatch(pattern)) {
            m_literals.append(pattern.mid(from, m.capturedStart() - from));
            m_widths.append(m.captured(1).isEmpty() ? 0 : m.captured(1).mid(1).toInt());
            from = m.capturedEnd();
        }
        m_literals.append(pattern.mid(from));
    }
    QString For(qint64 line) const
    {
        QString out = m_literals.first();
        for (qsizetype i = 0; i < m_widths.size(); ++i)
            out += QStringLiteral("%1").arg(line, m_widths[i], 10, QLatin1Char('0')) + m_literals[i + 1];
        return out;
    }

private:
    QStringList m_literals;
    QList<int> m_widths;
};

int RunBatch(const TCliCommand &cli, TJob job, const QString &input, const QString &output)
{
    job.batch = true;
#ifdef __GLIBC__
    // Every symbol allocates and frees the same buffers (the image, zlib's
    // state); keeping them in the heap spares handing them back to the system
    // and faulting them in again, symbol after symbol.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
    QFile file(input);
    if (input == QLatin1String("-") ? !file.open(stdin, QIODevice::ReadOnly) : !file.open(QIODevice::ReadOnly))
        return cli.Fail(QStringLiteral("cannot read %1: %2").arg(input, file.errorString()));
    const TBatchName name(output);
    int failed = 0;
    qint64 line = 0;
    while (true) {
        QByteArray bytes = file.readLine();
        if (bytes.isEmpty())
            break;
        ++line;
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        const TProblem p = MakeSymbol(job, QString::fromUtf8(bytes), name.For(line));
        if (p.status == 1)  // the files cannot be written: every line would fail alike
            return cli.Fail(p.message, 1);
        if (p) {
            cli.Say(QStringLiteral("line %1: %2").arg(line).arg(p.message));
            ++failed;
        }
    }
    if (file.error() != QFileDevice::NoError)
        return cli.Fail(QStringLiteral("cannot read %1: %2").arg(input, file.errorString()), 1);
    return failed ? 3 : 0;
}

} // namespace

int RunBarcodeCommand(const QStringList &args)
{
    TCliCommand cli("barcode", "[OPTIONS]", BarcodeUsage());
    for (const char *name : {"type", "text", "module", "height", "rotation", "output", "batch", "ecc", "size"})
        cli.Add({QString::fromLatin1(name)}, QStringLiteral("VALUE"));
    for (const char *name : {"no-text", "transparent", "pattern"})
        cli.Add({QString::fromLatin1(name)});
    cli.SetUnknownOptionMessage(QStringLiteral("unknown option '%1' (try barcode --help)"));
    if (const int status = cli.Parse(args); status >= 0)
        return status;

    TJob job;
    for (const QString &type : cli.Values(QStringLiteral("type"))) {
        job.row = ParseType(type);
        if (!job.row)
            return cli.Fail(QStringLiteral("unknown barcode type '%1'").arg(type));
    }
    if (!cli.WholeValue(QStringLiteral("module"), 1, 100, job.module))
        return cli.Fail(QStringLiteral("--module must be a whole number from 1 to 100"));
    if (!cli.WholeValue(QStringLiteral("height"), 1, 10000, job.height))
        return cli.Fail(QStringLiteral("--height must be a whole number from 1 to 10000"));
    if (!cli.WholeValue(QStringLiteral("rotation"), 0, 3, job.rotation))
        return cli.Fail(QStringLiteral("--rotation must be 0, 1, 2 or 3"));
    job.interpretation = !cli.IsSet(QStringLiteral("no-text"));
    job.transparent = cli.IsSet(QStringLiteral("transparent"));
    const bool haveText = cli.IsSet(QStringLiteral("text"));
    const QString text = cli.Value(QStringLiteral("text"));
    const QString output = cli.Value(QStringLiteral("output"));
    const QString batch = cli.Value(QStringLiteral("batch"));

    if (!job.row)
        return cli.Fail(QStringLiteral("--type is required"));
    if (haveText && !batch.isEmpty())
        return cli.Fail(QStringLiteral("--text and --batch exclude each other"));
    if (!haveText && batch.isEmpty())
        return cli.Fail(QStringLiteral("--text is required"));
    QString error;
    const QString ecc = cli.Value(QStringLiteral("ecc")), size = cli.Value(QStringLiteral("size"));
    if (cli.IsSet(QStringLiteral("ecc")) && !ParseEcc(*job.row, ecc, job.options.ecc, error))
        return cli.Fail(error);
    if (cli.IsSet(QStringLiteral("size")) && !ParseSize(*job.row, size, job.options, error))
        return cli.Fail(error);

    if (cli.IsSet(QStringLiteral("pattern"))) {
        job.format = TFormat::Pattern;
    } else {
        if (output.isEmpty())
            return cli.Fail(QStringLiteral("--output FILE.png|FILE.svg|FILE.pdf or --pattern is required"));
        const QString suffix = QFileInfo(output).suffix().toLower();
        if (suffix == QLatin1String("svg"))
            job.format = TFormat::Svg;
        else if (suffix == QLatin1String("pdf"))
            job.format = TFormat::Pdf;
        else if (suffix != QLatin1String("png"))
            return cli.Fail(QStringLiteral("the output must end in .png, .svg or .pdf"));
    }

    if (!batch.isEmpty()) {
        if (!output.contains(Placeholder()))
            return cli.Fail(QStringLiteral("--batch needs an --output name with %d or %05d for the line number"));
        return RunBatch(cli, job, batch, output);
    }
    const TProblem p = MakeSymbol(job, text, output);
    return p ? cli.Fail(p.message, p.status) : 0;
}
