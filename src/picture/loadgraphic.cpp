// Loading picture files into graphic items: BMP through Qt's reader, JPEG
// through libjpeg directly, the other formats through Qt's image plugins and
// Qt SVG.

#include "picture/loadgraphic.h"

#include <QCoreApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <jpeglib.h>
#include <jerror.h>
#include <vector>

namespace {

// Pictures beyond this many pixels are refused before anything is allocated.
constexpr qint64 kMaxPicturePixels = 100'000'000;

bool SizeAcceptable(qint64 w, qint64 h)
{
    return w > 0 && h > 0 && w * h <= kMaxPicturePixels;
}

quint32 LittleEndian32(const QByteArray &b, int at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

// Qt's reader fills a short file's missing rows silently; an uncompressed
// bitmap must hold all the rows its header promises.
bool BmpComplete(QIODevice &file)
{
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(34);
    if (head.size() < 34 || !head.startsWith("BM"))
        return false;
    const quint32 dataOffset = LittleEndian32(head, 10);
    const quint32 infoSize = LittleEndian32(head, 14);
    if (infoSize < 40)
        return true; // old OS/2 header: left to the reader
    const qint64 width = qint32(LittleEndian32(head, 18));
    const qint64 height = qAbs(qint64(qint32(LittleEndian32(head, 22))));
    if (!SizeAcceptable(width, height))
        return false; // refused anyway, and the row sums below would overflow
    const int bitCount = quint8(head[28]) | (quint8(head[29]) << 8);
    const quint32 compression = LittleEndian32(head, 30);
    if (compression != 0 && compression != 3)
        return true; // run-length data has no fixed size
    const qint64 stride = (width * bitCount + 31) / 32 * 4;
    return file.size() >= qint64(dataOffset) + stride * height;
}

QImage ReadBmp(QIODevice &file)
{
    const bool complete = BmpComplete(file);
    file.close();
    if (!complete)
        return QImage();
    QImageReader reader(&file, "bmp");
    const QSize size = reader.size();
    if (!size.isValid() || !SizeAcceptable(size.width(), size.height()))
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image.convertToFormat(QImage::Format_RGB888);
}

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    bool truncated = false;
};

[[noreturn]] void JpegFail(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegError *>(cinfo->err)->jump, 1);
}

void JpegMessage(j_common_ptr cinfo, int level)
{
    // Warnings are tolerated except those that mean the data ran out: a
    // truncated file would otherwise show as a grey-filled picture.
    if (level < 0) {
        const int code = cinfo->err->msg_code;
        if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)
            reinterpret_cast<JpegError *>(cinfo->err)->truncated = true;
    }
}

// Everything touched after setjmp lives outside the function that calls it.
struct JpegJob {
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    QImage image;
    std::vector<JSAMPLE> row;
};

bool DecodeJpeg(JpegJob &job, FILE *file)
{
    jpeg_decompress_struct &cinfo = job.cinfo;
    cinfo.err = jpeg_std_error(&job.err.mgr);
    job.err.mgr.error_exit = JpegFail;
    job.err.mgr.emit_message = JpegMessage;
    if (setjmp(job.err.jump))
        return false;
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = 1024L * 1024L * 1024L;
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    if (!SizeAcceptable(cinfo.image_width, cinfo.image_height))
        return false;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width);
    const int h = int(cinfo.output_height);
    job.image = QImage(w, h, QImage::Format_RGB888);
    if (job.image.isNull())
        return false;
    job.row.resize(size_t(w) * size_t(cinfo.output_components));
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        JSAMPROW rows[1] = {job.row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        uchar *out = job.image.scanLine(y);
        if (cmyk) {
            // Adobe writes CMYK inverted; the inks multiply out to RGB.
            for (int x = 0; x < w; ++x) {
                const JSAMPLE *px = &job.row[size_t(x) * 4];
                const int k = px[3];
                out[x * 3 + 0] = uchar(px[0] * k / 255);
                out[x * 3 + 1] = uchar(px[1] * k / 255);
                out[x * 3 + 2] = uchar(px[2] * k / 255);
            }
        } else {
            std::memcpy(out, job.row.data(), size_t(w) * 3);
        }
    }
    jpeg_finish_decompress(&cinfo);
    return !job.err.truncated;
}

// From a file, or from memory (fmemopen) for an embedded picture.
QImage ReadJpeg(FILE *file)
{
    if (!file)
        return QImage();
    JpegJob job;
    const bool ok = DecodeJpeg(job, file);
    jpeg_destroy_decompress(&job.cinfo);
    std::fclose(file);
    return ok ? job.image : QImage();
}

// A regular file (or a link to one): directories, devices and pipes could
// block or never end.
bool IsRegularFile(const QString &fileName)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(QFile::encodeName(fileName).toStdString()), ec);
}

// The format a file is read as, by its extension in any case; empty for a
// name that is not a picture's.
QByteArray FormatOfName(const QString &fileName)
{
    const int slash = fileName.lastIndexOf(QLatin1Char('/'));
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot > slash ? fileName.mid(dot + 1).toLower() : QString();
    static const QHash<QString, QByteArray> formats = {
        {QStringLiteral("bmp"), "bmp"},   {QStringLiteral("jpg"), "jpeg"}, {QStringLiteral("jpeg"), "jpeg"},
        {QStringLiteral("png"), "png"},   {QStringLiteral("gif"), "gif"},  {QStringLiteral("tif"), "tiff"},
        {QStringLiteral("tiff"), "tiff"}, {QStringLiteral("webp"), "webp"}, {QStringLiteral("svg"), "svg"},
    };
    return formats.value(ext);
}

// Kept at 24 bits unless the picture has transparent parts.
QImage Normalised(const QImage &image)
{
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB888);
}

// PNG, GIF (its first frame), TIFF and WebP; *why gets the reader's reason.
QImage ReadByPlugin(const QByteArray &data, const QByteArray &format, QString *why)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (size.isValid() && !SizeAcceptable(size.width(), size.height())) {
        *why = QCoreApplication::translate("Picture", "the picture is too large");
        return QImage();
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        *why = reader.errorString();
        return QImage();
    }
    return Normalised(image);
}

// An SVG is drawn from its data as vector; the picture is its drawing at its
// own size, for the proportions and wherever a bitmap is needed.
QImage ReadSvg(const QByteArray &data, QString *why)
{
    QSvgRenderer renderer;
    if (data.isEmpty() || !renderer.load(data) || !renderer.isValid()) {
        *why = QCoreApplication::translate("Picture", "not a valid SVG drawing");
        return QImage();
    }
    QSize size = renderer.defaultSize();
    if (size.isEmpty())
        size = renderer.viewBoxF().size().toSize();
    if (size.isEmpty()) {
        *why = QCoreApplication::translate("Picture", "the drawing has no size");
        return QImage();
    }
    // A large drawing needs no large bitmap: the bitmap only stands in for it.
    constexpr int kSide = 2048;
    const QSize drawn = size.width() > kSide || size.height() > kSide ? size.scaled(kSide, kSide, Qt::KeepAspectRatio)
                                                                       : size;
    QImage image(drawn.expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    renderer.render(&p);
    p.end();
    return image;
}

QImage ReadJpegData(const QByteArray &data)
{
    if (data.isEmpty())
        return QImage();
    return ReadJpeg(fmemopen(const_cast<char *>(data.constData()), size_t(data.size()), "rb"));
}

QImage ReadBmpData(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    return ReadBmp(buffer);
}

bool Exists(const QString &fileName)
{
    std::error_code ec;
    const auto st = std::filesystem::status(std::filesystem::path(QFile::encodeName(fileName).toStdString()), ec);
    return !ec && std::filesystem::exists(st) && !std::filesystem::is_directory(st);
}

} // namespace

bool IsPictureFileName(const QString &fileName)
{
    return !FormatOfName(fileName).isEmpty();
}

bool LoadGraphic(TGraphicLabel *item, const QString &fileName, QString *failureText)
{
    if (!item || fileName.isEmpty())
        return false;
    const QString lineBreak = QStringLiteral("\n\r");
    if (!Exists(fileName)) {
        if (failureText)
            *failureText = QCoreApplication::translate("Picture", "Unable to locate Graphic file") + lineBreak + fileName;
        return false;
    }
    const QByteArray format = FormatOfName(fileName);
    if (format.isEmpty())
        return false;
    QByteArray data;
    QString why;
    if (!IsRegularFile(fileName)) {
        why = QCoreApplication::translate("Picture", "not a regular file");
    } else {
        QFile file(fileName);
        if (file.open(QIODevice::ReadOnly))
            data = file.readAll();
        else
            why = file.errorString();
    }
    return LoadGraphicData(item, data, format, fileName, failureText, why);
}

bool LoadGraphicData(TGraphicLabel *item, const QByteArray &data, const QByteArray &format, const QString &name,
                     QString *failureText, const QString &readFailure)
{
    if (!item)
        return false;
    const QString lineBreak = QStringLiteral("\n\r");
    QImage picture;
    QString failure, why = readFailure;
    if (format == "bmp") {
        if (why.isEmpty())
            picture = ReadBmpData(data);
        failure = QCoreApplication::translate("Picture", "Unable to load bitmap file");
    } else if (format == "jpeg") {
        if (why.isEmpty())
            picture = ReadJpegData(data);
        failure = QCoreApplication::translate("Picture", "Unable to load jpeg file");
    } else {
        static const QByteArrayList others = {"png", "gif", "tiff", "webp", "svg"};
        if (why.isEmpty() && others.contains(format))
            picture = format == "svg" ? ReadSvg(data, &why) : ReadByPlugin(data, format, &why);
        // Beyond BMP and JPEG the reason is told as well.
        failure = QCoreApplication::translate("Picture", "Unable to load picture file (%1)")
                      .arg(why.isEmpty() ? QCoreApplication::translate("Picture", "unknown format") : why);
    }
    if (picture.isNull()) {
        if (failureText)
            *failureText = failure + lineBreak + name;
        return false;
    }
    item->Picture = picture;
    item->PictureFile = name;
    item->PictureData = data;
    item->PictureFormat = format;
    item->MarkChanged(true);
    return true;
}

bool SetPictureEmbedded(TGraphicLabel *item, bool embedded, QString *failureText)
{
    if (!item)
        return false;
    if (embedded && item->PictureData.size() > kMaxEmbeddedPictureBytes) {
        if (failureText)
            *failureText = QCoreApplication::translate("Picture",
                                                       "The picture is %1 MB; pictures larger than %2 MB cannot be "
                                                       "embedded in the label file.")
                               .arg(QString::number(double(item->PictureData.size()) / (1024 * 1024), 'f', 1))
                               .arg(kMaxEmbeddedPictureBytes / (1024 * 1024));
        return false;
    }
    if (embedded && item->PictureData.isEmpty())
        return false; // no picture to carry
    item->Embedded = embedded;
    item->MarkChanged(true);
    return true;
}
