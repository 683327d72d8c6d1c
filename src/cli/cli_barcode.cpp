#include "barcode/barcode.h"
#include "barcode/recording_surface.h"
#include "cli/commands.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>
#include <functional>

const char *const kBarcodeUsage =
    "  barcode --type T --text TEXT [--module M] [--height H] [--rotation R] [--no-text]\n"
    "          [--transparent] --output FILE.png|FILE.pdf\n"
    "  barcode --type T --text TEXT --pattern [--output FILE]\n"
    "      Draw one barcode symbol, or print its modules (1 bar, 0 space; POSTNET F/H/0).\n"
    "      T: 0..12 or code128 code39 code39ext upca itf code93 ean13 ean8 ean128 postnet\n"
    "         upce upc2 upc5. M: module in pixels (1..100, default 1); H: bar height in\n"
    "         pixels (1..10000, default 50); R: quarter turns clockwise 0..3 (default 0).\n"
    "      PNG: exactly the symbol's box; PDF: one page the size of the box, one pixel = 1 pt.\n"
    "      A file is replaced only when it has been written whole.";

namespace {

const char *const kTypeNames[kBarcodeTypeCount] = {"code128", "code39", "code39ext", "upca",    "itf",
                                                   "code93",  "ean13",  "ean8",      "ean128",  "postnet",
                                                   "upce",    "upc2",   "upc5"};

// Beyond these a picture is of no use to anyone: 200 million pixels (800 MB
// in memory), and libpng's own limit on a side.
constexpr qint64 kMaxPixels = 200'000'000;
constexpr int kMaxPngSide = 1'000'000;

int Fail(const QString &message, int status = 2)
{
    std::fprintf(stderr, "quorvane-cli barcode: %s\n", message.toLocal8Bit().constData());
    return status;
}

// Writes through a temporary file in the same folder, renamed over `path` only
// when `write` succeeded: a failure leaves an existing file as it was.
int WriteAtomically(const QString &path, const std::function<QString(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()), 1);
    const QString error = write(file);
    if (!error.isEmpty())
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, error), 1);
    if (!file.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(path, file.errorString()), 1);
    return 0;
}

int ParseType(const QString &s)
{
    bool ok = false;
    const int n = s.toInt(&ok);
    if (ok)
        return n >= 0 && n < kBarcodeTypeCount ? n : -1;
    for (int t = 0; t < kBarcodeTypeCount; ++t)
        if (s.compare(QLatin1String(kTypeNames[t]), Qt::CaseInsensitive) == 0)
            return t;
    return -1;
}

bool ParseInt(const QString &s, int lo, int hi, int &out)
{
    bool ok = false;
    const int n = s.toInt(&ok);
    if (!ok || n < lo || n > hi)
        return false;
    out = n;
    return true;
}

} // namespace

int RunBarcodeCommand(const QStringList &args)
{
    int type = -1;
    bool haveText = false;
    QString text, output;
    int module = 1, height = 50, rotation = 0;
    bool interpretation = true, transparent = false, pattern = false;

    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::printf("Usage: quorvane-cli barcode [OPTIONS]\n\n%s\n", kBarcodeUsage);
            return 0;
        }
        if (a == QLatin1String("--no-text")) {
            interpretation = false;
            continue;
        }
        if (a == QLatin1String("--transparent")) {
            transparent = true;
            continue;
        }
        if (a == QLatin1String("--pattern")) {
            pattern = true;
            continue;
        }
        static const QStringList withValue = {"--type",   "--text",     "--module",
                                              "--height", "--rotation", "--output"};
        if (!withValue.contains(a))
            return Fail(QStringLiteral("unknown option '%1' (try barcode --help)").arg(a));
        if (i + 1 >= args.size())
            return Fail(QStringLiteral("%1 needs a value").arg(a));
        const QString v = args[++i];
        if (a == QLatin1String("--type")) {
            type = ParseType(v);
            if (type < 0)
                return Fail(QStringLiteral("unknown barcode type '%1'").arg(v));
        } else if (a == QLatin1String("--text")) {
            text = v;
            haveText = true;
        } else if (a == QLatin1String("--module")) {
            if (!ParseInt(v, 1, 100, module))
                return Fail(QStringLiteral("--module must be a whole number from 1 to 100"));
        } else if (a == QLatin1String("--height")) {
            if (!ParseInt(v, 1, 10000, height))
                return Fail(QStringLiteral("--height must be a whole number from 1 to 10000"));
        } else if (a == QLatin1String("--rotation")) {
            if (!ParseInt(v, 0, 3, rotation))
                return Fail(QStringLiteral("--rotation must be 0, 1, 2 or 3"));
        } else {
            output = v;
        }
    }
    if (type < 0)
        return Fail(QStringLiteral("--type is required"));
    if (!haveText)
        return Fail(QStringLiteral("--text is required"));
    const QString filtered = FilterBarcodeText(type, text);

    if (pattern) {
        const QByteArray modules = BarcodePattern(type, filtered).toLatin1() + '\n';
        if (output.isEmpty()) {
            std::fwrite(modules.constData(), 1, size_t(modules.size()), stdout);
            return 0;
        }
        return WriteAtomically(output, [&](QIODevice &file) {
            return file.write(modules) == modules.size() ? QString() : file.errorString();
        });
    }
    if (output.isEmpty())
        return Fail(QStringLiteral("--output FILE.png|FILE.pdf or --pattern is required"));
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("pdf"))
        return Fail(QStringLiteral("the output must end in .png or .pdf"));

    const int length = BarcodeWidth(module, type, filtered);
    const bool upright = rotation % 2 == 0;
    const int w = upright ? length : height;
    const int h = upright ? height : length;
    if (qint64(w) * h > kMaxPixels)
        return Fail(QStringLiteral("the symbol is too large: %1 x %2 pixels (at most %3 pixels)")
                        .arg(w).arg(h).arg(kMaxPixels));

    if (suffix == QLatin1String("png")) {
        if (w > kMaxPngSide || h > kMaxPngSide)
            return Fail(QStringLiteral("the symbol is too large for PNG: %1 x %2 pixels (at most %3 pixels a side)")
                            .arg(w).arg(h).arg(kMaxPngSide));
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return Fail(QStringLiteral("not enough memory for %1 x %2 pixels").arg(w).arg(h), 1);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            TPainterSurface surface(painter);
            DrawBarcode(surface, type, 0, 0, module, height, filtered, interpretation, rotation, transparent);
        }
        return WriteAtomically(output, [&](QIODevice &file) {
            QImageWriter writer(&file, "png");
            return writer.write(image) ? QString() : writer.errorString();
        });
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
            DrawBarcode(surface, type, 0, 0, module, height, filtered, interpretation, rotation, transparent);
        }
        return painter.end() ? QString() : QStringLiteral("the PDF was not finished");
    });
}
