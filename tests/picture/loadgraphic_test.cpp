// Loading picture files: what loads, what is refused with which message, and
// that nothing hangs or crashes on bad files.

#include "picture/loadgraphic.h"
#include "model/labelformat.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class LoadGraphicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        item.Loading = false;
    }

    // LoadGraphic into `item`, its failure text collected in `messages`.
    bool Load(const QString &path)
    {
        QString failure;
        const bool loaded = LoadGraphic(&item, path, &failure);
        if (!failure.isEmpty())
            messages << failure;
        return loaded;
    }

    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    static QByteArray Encode(const QImage &image, const char *format)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, format));
        return bytes;
    }

    static QImage Sample()
    {
        QImage img(40, 30, QImage::Format_RGB888);
        img.fill(Qt::white);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 20; ++x)
                img.setPixel(x, y, qRgb(200, 0, 0));
        return img;
    }

    QTemporaryDir dir;
    QStringList messages;
    TGraphicLabel item;
};

// SOI, one quantisation table, a baseline frame header claiming
// 60000 x 60000 pixels, and a scan header: enough for the header to read.
QByteArray HugeJpegHeader()
{
    QByteArray b;
    auto bytes = [&b](std::initializer_list<int> v) {
        for (int x : v)
            b.append(char(x));
    };
    bytes({0xFF, 0xD8});                    // SOI
    bytes({0xFF, 0xDB, 0x00, 0x43, 0x00}); // DQT, table 0
    for (int i = 0; i < 64; ++i)
        bytes({1});
    bytes({0xFF, 0xC0, 0x00, 0x0B, 0x08, 0xEA, 0x60, 0xEA, 0x60, 0x01, 0x01, 0x11, 0x00}); // SOF0 60000x60000, 1 comp
    bytes({0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00}); // SOS
    bytes({0x00, 0x00, 0x00, 0x00, 0xFF, 0xD9});
    return b;
}

// A 24-bit BMP header claiming 60000 x 60000 pixels with no pixel data.
QByteArray HugeBmpHeader()
{
    QByteArray b(54, '\0');
    auto put32 = [&b](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54 + 16);
    put32(10, 54);
    put32(14, 40);
    put32(18, 60000);
    put32(22, 60000);
    b[26] = 1;
    b[28] = 24;
    b.append(QByteArray(16, '\x7f'));
    return b;
}

} // namespace

TEST_F(LoadGraphicTest, GoodFilesLoadAt24Bits)
{
    const QImage sample = Sample();
    for (const char *name : {"pic.bmp", "PIC2.BMP", "photo.jpg", "photo2.Jpeg", "photo3.JPG"}) {
        SCOPED_TRACE(name);
        const bool jpeg = QByteArray(name).toLower().contains("jp");
        const QString path = Write(QString::fromLatin1(name), Encode(sample, jpeg ? "JPG" : "BMP"));
        item.Picture = QImage();
        item.Changed = false;
        ASSERT_TRUE(Load(path));
        EXPECT_EQ(item.Picture.size(), QSize(40, 30));
        EXPECT_EQ(item.Picture.format(), QImage::Format_RGB888);
        const QColor left = item.Picture.pixelColor(5, 15);
        EXPECT_NEAR(left.red(), 200, 12);
        EXPECT_NEAR(left.green(), 0, 12);
        EXPECT_NEAR(item.Picture.pixelColor(35, 15).blue(), 255, 12);
        EXPECT_TRUE(item.Changed);
        EXPECT_TRUE(item.FileName.isEmpty()); // the caller sets the name
    }
    EXPECT_TRUE(messages.isEmpty());
}

// Two frames of 2 x 1 pixels, red then blue: only the first is read.
QByteArray TwoFrameGif()
{
    const unsigned char bytes[] = {
        'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0, // screen, 2-colour table
        0xFF, 0, 0, 0, 0, 0xFF,                                 // red, blue
        0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x04, 0x0A, 0,  // frame 1: index 0
        0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0x4C, 0x0A, 0,  // frame 2: index 1
        0x3B};
    return QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes);
}

TEST_F(LoadGraphicTest, TodaysFormatsLoadKeepingTransparency)
{
    QImage alpha(40, 30, QImage::Format_ARGB32);
    alpha.fill(Qt::transparent);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            alpha.setPixel(x, y, qRgb(200, 0, 0));
    QImage palette = alpha.convertToFormat(QImage::Format_Indexed8);
    const QImage grey = Sample().convertToFormat(QImage::Format_Grayscale8);
    const QImage deep = alpha.convertToFormat(QImage::Format_RGBA64);
    const QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='30'>"
                           "<rect width='20' height='30' fill='#c80000'/></svg>";
    struct Case {
        const char *name;
        QByteArray bytes;
        bool transparent; // the right half
        QSize size;
        QRgb left = qRgb(200, 0, 0);
    };
    const Case cases[] = {
        {"alpha.png", Encode(alpha, "PNG"), true, {40, 30}},
        {"palette.PNG", Encode(palette, "PNG"), true, {40, 30}},
        {"grey.png", Encode(grey, "PNG"), false, {40, 30}, grey.pixel(0, 0)},
        {"deep.png", Encode(deep, "PNG"), true, {40, 30}},
        {"photo.tif", Encode(Sample(), "TIFF"), false, {40, 30}},
        {"alpha.tiff", Encode(alpha, "TIFF"), true, {40, 30}},
        {"alpha.webp", Encode(alpha, "WEBP"), true, {40, 30}},
        {"logo.svg", svg, true, {40, 30}},
        {"anim.gif", TwoFrameGif(), false, {2, 1}, qRgb(255, 0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(QString::fromLatin1(c.name), c.bytes);
        ASSERT_TRUE(Load(path));
        EXPECT_EQ(item.Picture.size(), c.size);
        EXPECT_EQ(item.Picture.hasAlphaChannel(), c.transparent);
        EXPECT_EQ(item.PictureData, c.bytes); // kept for embedding
        EXPECT_EQ(item.PictureFile, path);
        const QColor left = item.Picture.pixelColor(0, 0);
        EXPECT_NEAR(left.red(), qRed(c.left), 12);
        EXPECT_NEAR(left.blue(), qBlue(c.left), 12);
        if (c.transparent)
            EXPECT_EQ(item.Picture.pixelColor(35, 15).alpha(), 0);
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'|').toStdString();
}

TEST_F(LoadGraphicTest, EmbeddingIsRefusedOverTenMegabytes)
{
    const QString path = Write(QStringLiteral("small.png"), Encode(Sample(), "PNG"));
    ASSERT_TRUE(Load(path));
    QString failure;
    EXPECT_TRUE(SetPictureEmbedded(&item, true, &failure));
    EXPECT_TRUE(item.Embedded);
    // The limit is the file's size, not its pixels.
    item.PictureData = QByteArray(kMaxEmbeddedPictureBytes, 'x');
    EXPECT_TRUE(SetPictureEmbedded(&item, true, &failure));
    item.PictureData.append('x');
    item.Embedded = false;
    EXPECT_FALSE(SetPictureEmbedded(&item, true, &failure));
    EXPECT_FALSE(item.Embedded);
    EXPECT_EQ(failure.toStdString(),
              "The picture is 10.0 MB; pictures larger than 10 MB cannot be embedded in the label file.");
    TGraphicLabel blank;
    EXPECT_FALSE(SetPictureEmbedded(&blank, true, &failure));
}

TEST_F(LoadGraphicTest, GreyscaleJpegLoads)
{
    const QImage grey = Sample().convertToFormat(QImage::Format_Grayscale8);
    const QString path = Write(QStringLiteral("grey.jpg"), Encode(grey, "JPG"));
    ASSERT_TRUE(Load(path));
    EXPECT_EQ(item.Picture.format(), QImage::Format_RGB888);
    EXPECT_EQ(item.Picture.size(), QSize(40, 30));
}

TEST_F(LoadGraphicTest, BadFilesAreReportedAndThePictureKept)
{
    const QByteArray jpeg = Encode(Sample(), "JPG");
    const QByteArray bmp = Encode(Sample(), "BMP");
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *message;
    };
    const Case cases[] = {
        {"corrupt.jpg", QByteArray("this is not a picture at all"), "Unable to load jpeg file"},
        {"truncated.jpg", jpeg.left(jpeg.size() / 2), "Unable to load jpeg file"},
        {"headeronly.jpeg", jpeg.left(20), "Unable to load jpeg file"},
        {"empty.jpg", QByteArray(), "Unable to load jpeg file"},
        {"huge.jpg", HugeJpegHeader(), "Unable to load jpeg file"},
        {"corrupt.bmp", QByteArray("BM but nothing else"), "Unable to load bitmap file"},
        {"truncated.bmp", bmp.left(bmp.size() / 2), "Unable to load bitmap file"},
        {"huge.bmp", HugeBmpHeader(), "Unable to load bitmap file"},
        {"jpeg-named.bmp", jpeg, "Unable to load bitmap file"},
        // Beyond BMP and JPEG the message tells the reader's reason.
        {"corrupt.png", QByteArray("\x89PNG\r\n\x1a\n"), "Unable to load picture file (Unable to read image data)"},
        {"empty.webp", QByteArray(), "Unable to load picture file (Unable to read image data)"},
        {"text.gif", QByteArray("GIF89a"), "Unable to load picture file (Unable to read image data)"},
        {"broken.svg", QByteArray("<svg"), "Unable to load picture file (not a valid SVG drawing)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        messages.clear();
        item.Picture = QImage(10, 10, QImage::Format_RGB888);
        item.Picture.fill(Qt::white);
        const QString path = Write(QString::fromLatin1(c.name), c.bytes);
        EXPECT_FALSE(Load(path));
        EXPECT_EQ(messages, QStringList{QString::fromLatin1(c.message) + QStringLiteral("\n\r") + path});
        EXPECT_EQ(item.Picture.size(), QSize(10, 10));
    }
}

TEST_F(LoadGraphicTest, NamesThatAreNotPictureFiles)
{
    const QString noExt = Write(QStringLiteral("README"), QByteArray("text"));
    const QString dotInFolder = dir.filePath(QStringLiteral("folder.jpg/file"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("folder.jpg")));
    Write(QStringLiteral("folder.jpg/file"), QByteArray("x"));
    const QString missing = dir.filePath(QStringLiteral("missing.bmp"));
    const QString missingGif = dir.filePath(QStringLiteral("missing.gif"));
    const QString folder = dir.filePath(QStringLiteral("folder.jpg"));

    struct Case {
        QString path;
        QString message; // empty: silent
    };
    const QString locate = QStringLiteral("Unable to locate Graphic file\n\r");
    const Case cases[] = {
        {QString(), QString()},
        {noExt, QString()},
        {dotInFolder, QString()}, // the extension is taken after the last '/'
        {missing, locate + missing},
        {missingGif, locate + missingGif},
        {folder, locate + folder},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        messages.clear();
        EXPECT_FALSE(Load(c.path));
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
}

TEST_F(LoadGraphicTest, PipesAndDevicesDoNotBlock)
{
    const QString fifo = dir.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(Load(fifo));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Unable to load jpeg file\n\r") + fifo});

    messages.clear();
    const QString device = dir.filePath(QStringLiteral("zero.bmp"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    EXPECT_FALSE(Load(device));
    EXPECT_EQ(messages, QStringList{QStringLiteral("Unable to load bitmap file\n\r") + device});
}
