// The catalogue of hostile input (README.md in this folder): every row is one
// case here, asserting the behaviour the row promises, not only that nothing
// crashed. Big inputs are made at run time.

#include "picture/loadgraphic.h"
#include "render/itemrender.h"
#include "model/labelformat.h"
#include "data/dataimport.h"
#include "printing/printengine.h"
#include "storage/document.h"
#include "storage/inifile.h"
#include "storage/labelfile.h"
#include "storage/settings.h"
#include "../storage/storage_testutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Source(const QString &name)
{
    return qEnvironmentVariable("QV_SOURCE_DIR") + QStringLiteral("/tests/bad-input/") + name;
}

class BadInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
    }

    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(Path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    // Loads a label file the way the designer does and paints it once; its
    // warnings join `messages`.
    bool LoadAndPaint(const QString &file, QString *error = nullptr)
    {
        const bool ok = doc.LoadLabelFile(file, error, &messages);
        QImage view(qBound(1, items.SurfaceWidth(), 1000), qBound(1, items.SurfaceHeight(), 1000),
                    QImage::Format_RGB32);
        QPainter p(&view);
        PaintLabel(p, items, items.ShowGrids);
        return ok;
    }
    // LoadGraphic, its failure text joining `messages`.
    bool LoadPicture(TGraphicLabel &item, const QString &file)
    {
        QString failure;
        const bool loaded = LoadGraphic(&item, file, &failure);
        if (!failure.isEmpty())
            messages << failure;
        return loaded;
    }
    void ExpectDefaultFormat() const
    {
        EXPECT_EQ(items.LabelFormat.Label_Width, 2);
        EXPECT_EQ(items.LabelFormat.Label_Height, 1);
        EXPECT_EQ(items.LabelFormat.Margin_Top, 0);
        EXPECT_EQ(items.LabelFormat.Gap_Width, 0);
        EXPECT_FALSE(items.LabelFormat.Metric);
    }

    QTemporaryDir dir;
    QStringList messages;
    TItemContainer items;
    TLabelDocument doc{items};
};

QByteArray Label(const QByteArray &format, const QByteArray &sections = {})
{
    return "[FORMAT]\r\n" + format + sections;
}

// Label files --------------------------------------------------------------------

TEST_F(BadInput, EmptyAndBinaryLabelFilesAreRefusedNamingTheFile)
{
    QByteArray binary;
    for (int i = 0; i < 65536; ++i)
        binary.append(char((i * 7919) >> 3 ^ i));
    for (const QString &name : {Source(QStringLiteral("empty.lbl")), Write(QStringLiteral("binary.lbl"), binary),
                                Source(QStringLiteral("binary.lbl"))}) {
        SCOPED_TRACE(name.toStdString());
        items.LabelFormat.Label_Width = 9;
        QString error;
        EXPECT_FALSE(LoadAndPaint(name, &error));
        EXPECT_EQ(error, NotALabelMessage(name));
        EXPECT_EQ(items.LabelFormat.Label_Width, 9);
        EXPECT_TRUE(items.Items.isEmpty());
        EXPECT_TRUE(doc.CurrentLabelFile.isEmpty());
    }
    // Only the FORMAT section's heading makes a label: the rest may be garbage.
    const QString headed = Write(QStringLiteral("headed.lbl"), "[FORMAT]\r\n" + binary);
    QString error;
    ASSERT_TRUE(LoadAndPaint(headed, &error)) << error.toStdString();
    ExpectDefaultFormat();
    EXPECT_EQ(doc.CurrentLabelFile, headed);
}

// Each file claims a count in the billions; only the keys present are
// visited (a hang here ends in the test's timeout).
TEST_F(BadInput, HugeCountsLoadWhatIsPresent)
{
    const struct {
        const char *file;
        QStringList texts; // the items' texts, parts joined for an advanced one
    } cases[] = {
        {"controls-2000000000.lbl", {"only item"}},
        {"controls-2147483647.lbl", {"first", "last"}}, // the loop's counter would overflow
        {"advtype-2000000000.lbl", {"firstlast"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(LoadAndPaint(Source(QString::fromLatin1(c.file))));
        QStringList texts;
        for (TLabelControl *item : items.Items)
            texts << (item->Advanced ? item->GetDesignText() : item->Text);
        EXPECT_EQ(texts, c.texts);
    }
    // Lines up to MEMO_2000000000: the gap is cut where nothing more could show.
    ASSERT_TRUE(LoadAndPaint(Source(QStringLiteral("memo-2000000000.lbl"))));
    ASSERT_EQ(items.Items.size(), 1);
    const QString &memo = items.Items[0]->Text;
    EXPECT_TRUE(memo.startsWith(QStringLiteral("first\r\n\r\n")) && memo.endsWith(QStringLiteral("\r\nlast")));
    EXPECT_LT(memo.size(), 3 * kMaxShownText);
}

TEST_F(BadInput, OneMegabyteValueIsKeptWholeThroughLoadAndSave)
{
    const QByteArray big(1 << 20, 'W');
    const QString file = Write(QStringLiteral("big.lbl"),
                               Label("CONTROLS=1\r\n", "[CNT_1]\r\nTYPE=TEXT\r\nWIDTH=1\r\nHEIGHT=0.3\r\nTEXT=" + big + "\r\n"));
    ASSERT_TRUE(LoadAndPaint(file));
    ASSERT_EQ(items.Items.size(), 1);
    EXPECT_EQ(items.Items[0]->Text.size(), big.size());
    QString error;
    ASSERT_TRUE(doc.SaveLabelFile(Path(QStringLiteral("again.lbl")), &error)) << error.toStdString();
    TItemContainer again;
    TLabelDocument reload(again);
    ASSERT_TRUE(reload.LoadLabelFile(Path(QStringLiteral("again.lbl"))));
    ASSERT_EQ(again.Items.size(), 1);
    EXPECT_EQ(again.Items[0]->Text, QString::fromLatin1(big));
}

TEST_F(BadInput, MemoOfAHundredThousandLinesLoadsAndPaints)
{
    QByteArray section = "[CNT_1]\r\nTYPE=MEMO\r\nWIDTH=2\r\nHEIGHT=1\r\nAUTOSIZE=0\r\nMEMO_LINES=100000\r\n";
    for (int k = 1; k <= 100000; ++k)
        section += "MEMO_" + QByteArray::number(k) + "=line " + QByteArray::number(k) + "\r\n";
    const QString file = Write(QStringLiteral("memo.lbl"), Label("CONTROLS=1\r\n", section));
    ASSERT_TRUE(LoadAndPaint(file));
    ASSERT_EQ(items.Items.size(), 1);
    const QStringList lines = items.Items[0]->Text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 100000);
    EXPECT_EQ(lines.last(), QStringLiteral("line 100000"));
    // A count far beyond the lines present builds no giant text.
    const QString lying = Write(QStringLiteral("lying.lbl"),
                                Label("CONTROLS=1\r\n", "[CNT_1]\r\nTYPE=MEMO\r\nMEMO_LINES=2000000000\r\nMEMO_1=a\r\nMEMO_3=c\r\n"));
    ASSERT_TRUE(LoadAndPaint(lying));
    ASSERT_EQ(items.Items.size(), 1);
    EXPECT_EQ(items.Items[0]->Text, QStringLiteral("a\r\n\r\nc"));
}

TEST_F(BadInput, NegativeZeroAndOutlandishLabelSizesTakeTheDefaults)
{
    struct Case {
        const char *format;
        double width, height;
    };
    const Case cases[] = {
        {"WIDTH=-2\r\nHEIGHT=-1\r\n", 2, 1},
        {"WIDTH=0\r\nHEIGHT=0,0\r\n", 2, 1},
        {"WIDTH=nan\r\nHEIGHT=inf\r\n", 2, 1},       // not numbers at all
        {"WIDTH=1e400\r\nHEIGHT=-1e400\r\n", 2, 1},  // beyond the double range
        {"WIDTH=3.5\r\nHEIGHT=1.25\r\n", 3.5, 1.25}, // sane values stay
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.format);
        const QString file = Write(QStringLiteral("size.lbl"), Label(c.format));
        ASSERT_TRUE(LoadAndPaint(file));
        EXPECT_EQ(items.LabelFormat.Label_Width, c.width);
        EXPECT_EQ(items.LabelFormat.Label_Height, c.height);
        EXPECT_GT(items.SurfaceWidth(), 0);
        EXPECT_GT(items.SurfaceHeight(), 0);
    }
}

TEST_F(BadInput, NegativeAndHugeItemSizesStayWithinTheLabel)
{
    // 10 million pixels at 96 pixels per inch, and negative sizes.
    const QString file = Write(QStringLiteral("items.lbl"),
                               Label("WIDTH=2\r\nHEIGHT=1\r\nCONTROLS=3\r\n",
                                     "[CNT_1]\r\nTYPE=SHAPE\r\nAUTOSIZE=0\r\nWIDTH=104166.67\r\nHEIGHT=104166.67\r\n"
                                     "[CNT_2]\r\nTYPE=TEXT\r\nTEXT=neg\r\nLEFT=-5\r\nTOP=-5\r\nWIDTH=-3\r\nHEIGHT=-3\r\n"
                                     "[CNT_3]\r\nTYPE=BARCODE\r\nTEXT=123\r\nLEFT=1e300\r\nWIDTH=1e300\r\nHEIGHT=1e300\r\n"));
    ASSERT_TRUE(LoadAndPaint(file));
    ASSERT_EQ(items.Items.size(), 3);
    for (const TLabelControl *item : items.Items) {
        SCOPED_TRACE(int(item->Kind));
        EXPECT_GE(item->Width, 0);
        EXPECT_GE(item->Height, 0);
        EXPECT_LE(item->Width, items.SurfaceWidth());
        EXPECT_LE(item->Height, items.SurfaceHeight());
        EXPECT_LE(qint64(item->ItemBitmap.width()) * item->ItemBitmap.height(), qint64(10000) * 10000);
    }
}

// Pictures ---------------------------------------------------------------------------

TEST_F(BadInput, PicturePathsToFoldersDevicesAndPipesFailAtOnce)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.bmp")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path(QStringLiteral("zero.jpg"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path(QStringLiteral("zero.bmp"))));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path(QStringLiteral("pipe.bmp"))).constData(), 0600), 0);
    struct Case {
        QString file;
        QString message; // empty: no message
    };
    const Case cases[] = {
        {Path(QStringLiteral("folder.bmp")), QStringLiteral("Unable to locate Graphic file\n\r") + Path(QStringLiteral("folder.bmp"))},
        {QStringLiteral("/dev/zero"), QString()}, // no picture extension: nothing to load
        {Path(QStringLiteral("zero.jpg")), QStringLiteral("Unable to load jpeg file\n\r") + Path(QStringLiteral("zero.jpg"))},
        {Path(QStringLiteral("zero.bmp")), QStringLiteral("Unable to load bitmap file\n\r") + Path(QStringLiteral("zero.bmp"))},
        {Path(QStringLiteral("pipe.bmp")), QStringLiteral("Unable to load bitmap file\n\r") + Path(QStringLiteral("pipe.bmp"))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        messages.clear();
        TGraphicLabel item;
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(LoadPicture(item, c.file));
        EXPECT_LT(t.elapsed(), 5000);
        EXPECT_EQ(messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(item.Picture.size(), QSize(10, 10));
    }
    // Through a label file the item stays, with its name.
    const QString file = Write(QStringLiteral("dev.lbl"),
                               Label("CONTROLS=1\r\n", "[CNT_1]\r\nTYPE=GRAPHIC\r\nIMG_NAME=" + QFile::encodeName(Path(QStringLiteral("zero.jpg"))) + "\r\n"));
    messages.clear();
    ASSERT_TRUE(LoadAndPaint(file));
    ASSERT_EQ(items.Items.size(), 1);
    EXPECT_EQ(static_cast<TGraphicLabel *>(items.Items[0])->FileName, Path(QStringLiteral("zero.jpg")));
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(BadInput, PictureBombsAreRefusedBeforeDecoding)
{
    struct Case {
        const char *file;
        const char *message;
    };
    const Case cases[] = {
        {"bomb-60000x60000.jpg", "Unable to load jpeg file"},
        {"truncated.jpg", "Unable to load jpeg file"},
        {"bomb-60000x60000.bmp", "Unable to load bitmap file"},
        {"not-a-picture.bmp", "Unable to load bitmap file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        messages.clear();
        TGraphicLabel item;
        QElapsedTimer t;
        t.start();
        EXPECT_FALSE(LoadPicture(item, Source(QLatin1String(c.file))));
        EXPECT_LT(t.elapsed(), 5000);
        EXPECT_EQ(messages, QStringList{QLatin1String(c.message) + QStringLiteral("\n\r") + Source(QLatin1String(c.file))});
    }
}

// Text encodings ---------------------------------------------------------------------

TEST_F(BadInput, ChineseTextSurvivesSaveAndLoadWhateverItsBytes)
{
    // Some GB18030 texts are also valid UTF-8 byte for byte ("某" is C4 B3, the
    // UTF-8 of U+0133): the file is still GB18030 without a byte-order mark,
    // and reads back as written.
    for (const QString &text : {QStringLiteral("某"), QStringLiteral("中文标签"), QStringLiteral("价格：¥12"),
                                QStringLiteral("é and 某"), QStringLiteral("医院"), QStringLiteral("食品 药品")}) {
        SCOPED_TRACE(text.toStdString());
        TItemContainer source;
        auto *item = new TTextLabel;
        item->SetText(text);
        source.AddItem(item);
        QString error;
        ASSERT_TRUE(SaveLabelFile(Path(QStringLiteral("zh.lbl")), source, &error)) << error.toStdString();
        EXPECT_TRUE(ReadAll(Path(QStringLiteral("zh.lbl"))).contains("\r\nTEXT=" + EncodeIniText(text) + "\r\n"));
        EXPECT_TRUE(ReadAll(Path(QStringLiteral("zh.lbl"))).startsWith("[FORMAT]\r\n"));
        TItemContainer back;
        ASSERT_TRUE(LoadLabelFile(Path(QStringLiteral("zh.lbl")), back, &error));
        ASSERT_EQ(back.Items.size(), 1);
        EXPECT_EQ(back.Items[0]->Text, text);
    }
}

TEST_F(BadInput, LabelFilesInGb18030OrUtf8OrInvalidUtf8)
{
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {QStringLiteral("中文标签").toUtf8(), QStringLiteral("中文标签")},
        {"\xD6\xD0\xCE\xC4", QStringLiteral("中文")},          // GB18030
        {"\xD2\xBD\xD4\xBA", QStringLiteral("医院")},          // GB18030 that is valid UTF-8 too
        {"ab\xFF\xFE" "cd", QString()},                           // neither: must load, text is whatever decodes
    };
    for (const Case &c : cases) {
        const QString file = Write(QStringLiteral("enc.lbl"), Label("CONTROLS=1\r\n", "[CNT_1]\r\nTYPE=TEXT\r\nTEXT=" + c.bytes + "\r\n"));
        ASSERT_TRUE(LoadAndPaint(file));
        ASSERT_EQ(items.Items.size(), 1);
        if (!c.text.isEmpty())
            EXPECT_EQ(items.Items[0]->Text, c.text);
        else
            EXPECT_TRUE(items.Items[0]->Text.startsWith(QStringLiteral("ab")));
    }
    // Byte-order marks of UTF-8 and UTF-16 in front of the file.
    const QByteArray body = Label("CONTROLS=1\r\n", "[CNT_1]\r\nTYPE=TEXT\r\nTEXT=中文\r\n");
    QStringDecoder fromUtf8(QStringConverter::Utf8);
    const QString text = fromUtf8.decode(body);
    QStringEncoder toUtf16(QStringConverter::Utf16LE);
    for (const QByteArray &bytes : {QByteArray("\xEF\xBB\xBF") + body, QByteArray("\xFF\xFE") + QByteArray(toUtf16.encode(text))}) {
        const QString file = Write(QStringLiteral("bom.lbl"), bytes);
        ASSERT_TRUE(LoadAndPaint(file));
        ASSERT_EQ(items.Items.size(), 1);
        EXPECT_EQ(items.Items[0]->Text, QStringLiteral("中文"));
    }
}

// Data files ---------------------------------------------------------------------------

TEST_F(BadInput, DataFileWithATenMegabyteLine)
{
    QByteArray line(10 * 1024 * 1024, 'x');
    line[5] = ',';
    const QString file = Write(QStringLiteral("long.csv"), "head\r\n" + line + "\r\nshort,row\r\n");
    TSplitSettings s;
    s.Mode = TSplitMode::Comma;
    TRecordReader reader;
    QString error;
    ASSERT_TRUE(reader.OpenData(file, s, &error)) << error.toStdString();
    ASSERT_EQ(reader.DataRow().size(), 2);
    EXPECT_EQ(reader.DataRow()[0], QStringLiteral("xxxxx"));
    EXPECT_EQ(reader.DataRow()[1].size(), line.size() - 6);
    reader.ReadRecord();
    EXPECT_EQ(reader.DataRow(), (QStringList{QStringLiteral("short"), QStringLiteral("row")}));
    EXPECT_TRUE(reader.DataEof());
    EXPECT_FALSE(reader.Failed());
}

// No label shows such a record: it is refused, naming the file and the line,
// before the job prints it, whether it comes first or later.
TEST_F(BadInput, DataRecordsBeyondSixteenMebibytesAreRefused)
{
    const QByteArray huge(16 * 1024 * 1024 + 1, 'x');
    struct Case {
        QByteArray bytes;
        bool opens;
        const char *line;
    } cases[] = {
        {"head\r\n" + huge + "\r\nshort\r\n", false, "line 2"},
        {"head\r\nshort\r\n" + huge, true, "line 3"},
        {huge + "\r\nshort\r\n", false, "line 1"},
    };
    for (const Case &c : cases) {
        const QString file = Write(QStringLiteral("huge.csv"), c.bytes);
        const QString want = QStringLiteral("Cannot read the data file \"%1\": %2 is longer than 16 MiB")
                                 .arg(QDir::toNativeSeparators(file), QLatin1String(c.line));
        TSplitSettings s;
        s.Mode = TSplitMode::Comma;
        TRecordReader reader;
        QString error;
        ASSERT_EQ(reader.OpenData(file, s, &error), c.opens) << c.line;
        if (c.opens) {
            EXPECT_EQ(reader.DataRow(), QStringList{QStringLiteral("short")});
            reader.ReadRecord();
            EXPECT_TRUE(reader.Failed());
            EXPECT_TRUE(reader.DataEof());
            error = reader.ErrorString();
        }
        EXPECT_EQ(error, want);
    }
}

TEST_F(BadInput, DataFilesInGb18030AndWithInvalidUtf8)
{
    struct Case {
        QByteArray bytes;
        QStringList row; // the first data record
    };
    const Case cases[] = {
        {QByteArray("h\r\n") + "\xD5\xC5\xC8\xFD\t001\r\n", {QStringLiteral("张三"), QStringLiteral("001")}},
        {QByteArray("h\r\n") + QStringLiteral("李四\t002").toUtf8(), {QStringLiteral("李四"), QStringLiteral("002")}},
        {QByteArray("h\r\n") + "\xCA\xB3\xC6\xB7\t003\r\n", {QStringLiteral("食品"), QStringLiteral("003")}}, // valid UTF-8 too
        // A UTF-8 file with one line that is not: that line is read as GB18030.
        {QByteArray("h\r\n") + "\xD5\xC5\xC8\xFD\tb\r\n" + QStringLiteral("王五").toUtf8(), {QStringLiteral("张三"), QStringLiteral("b")}},
    };
    for (const Case &c : cases) {
        const QString file = Write(QStringLiteral("enc.txt"), c.bytes);
        TSplitSettings s;
        TRecordReader reader;
        QString error;
        ASSERT_TRUE(reader.OpenData(file, s, &error)) << error.toStdString();
        EXPECT_EQ(reader.DataRow(), c.row);
    }
}

TEST_F(BadInput, DataFilesThatAreDevicesOrPipesAreRefusedAtOnce)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path(QStringLiteral("zero.csv"))));
    ASSERT_EQ(mkfifo(QFile::encodeName(Path(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
    for (const QString &name : {QStringLiteral("/dev/zero"), Path(QStringLiteral("zero.csv")), Path(QStringLiteral("pipe.txt"))}) {
        SCOPED_TRACE(name.toStdString());
        const QString expected = QStringLiteral("Cannot read the data file \"%1\": it is a device or a pipe, not a file").arg(name);
        QString error;
        EXPECT_TRUE(ReadSampleLines(name, 10, &error).isEmpty());
        EXPECT_EQ(error, expected);
        TRecordReader reader;
        EXPECT_FALSE(reader.OpenData(name, TSplitSettings(), &error));
        EXPECT_EQ(error, expected);
        EXPECT_FALSE(reader.DataOpen());
    }
}

class FakeDevice : public TPrinterDevice {
public:
    QString Name() const override { return QStringLiteral("Fake"); }
    bool Metrics(TPrinterMetrics &m) override
    {
        m = TPrinterMetrics();
        m.DpiX = m.DpiY = 100;
        m.PaperWidth = 850;
        m.PaperHeight = 1100;
        return true;
    }
    bool Begin(const QString &, QString *) override
    {
        ++begun;
        return painter.begin(&image);
    }
    QPainter *Painter() override { return &painter; }
    bool NewPage() override { return true; }
    bool End(QString *) override { return painter.end(); }
    void Abort() override { painter.end(); }
    QImage image{850, 1100, QImage::Format_RGB32};
    QPainter painter;
    int begun = 0;
};

TEST_F(BadInput, DataFileGoneBeforeThePrintJobStarts)
{
    auto *item = new TTextLabel;
    auto field = std::make_unique<TImportedField>();
    item->Fields.push_back(std::move(field));
    item->SetAdvanced(true);
    items.AddItem(item);
    const QString data = Write(QStringLiteral("records.csv"), "h\r\na\r\n");
    TPrintChoices choices;
    choices.DataFile = data;
    choices.RangeKind = rkAll;
    ASSERT_TRUE(QFile::remove(data)); // chosen in the dialog, deleted before OK
    FakeDevice device;
    QString message;
    EXPECT_EQ(PrintLabels(items, choices, device, nullptr, &message), TPrintResult::DataError);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(data))) << message.toStdString();
    EXPECT_EQ(device.begun, 0);
    // A folder where the data file was.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("records.csv")));
    EXPECT_EQ(PrintLabels(items, choices, device, nullptr, &message), TPrintResult::DataError);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(data))) << message.toStdString();
    EXPECT_EQ(device.begun, 0);
}

// The file's margin is corrected on opening; a format that still has one (the
// settings, a maker's sheet) is refused by the job before a page is begun.
TEST_F(BadInput, MarginsThatPlaceLabelsOffThePage)
{
    const QString file = Source(QStringLiteral("topmargin-minus-100.lbl"));
    ASSERT_TRUE(LoadAndPaint(file));
    EXPECT_EQ(items.LabelFormat.Margin_Top, 0);
    EXPECT_EQ(items.LabelFormat.Margin_Left, 0.25);
    EXPECT_EQ(messages, QStringList(file + QStringLiteral(": TOPMARGIN=-100 would place labels outside the page; read as 0.")));
    TPrintChoices choices;
    FakeDevice device;
    QString message;
    TPrintStats stats;
    ASSERT_EQ(PrintLabels(items, choices, device, nullptr, &message, &stats), TPrintResult::Printed);
    EXPECT_EQ(stats.LabelsPrinted, 44); // 11 rows of 1 in, 4 columns of 2 in after 0.25 in
    const struct {
        double top, left;
        const char *message;
    } cases[] = {
        {-100, 0, "The top margin is -100: a negative margin places labels outside the page."},
        {0.5, -0.01, "The left margin is -0.01: a negative margin places labels outside the page."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        items.LabelFormat.Margin_Top = c.top;
        items.LabelFormat.Margin_Left = c.left;
        device.begun = 0;
        EXPECT_EQ(PrintLabels(items, choices, device, nullptr, &message), TPrintResult::NoFit);
        EXPECT_EQ(message, QString::fromLatin1(c.message));
        EXPECT_EQ(device.begun, 0);
    }
}

// Saving ---------------------------------------------------------------------------------

TEST_F(BadInput, SavingWhereTheFolderIsAFileFailsWithTheMessageAndKeepsEverything)
{
    // Permission bits do not stop root: a path through a file fails for everyone.
    Write(QStringLiteral("notafolder"), "x");
    const QString target = Path(QStringLiteral("notafolder/label.lbl"));
    auto *item = new TTextLabel;
    item->SetText(QStringLiteral("keep me"));
    items.AddItem(item);
    doc.CurrentLabelFile = Path(QStringLiteral("old.lbl"));
    doc.SetLabelModified(true);
    QString error;
    EXPECT_FALSE(doc.SaveLabelFile(target, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入到 ") + target + u':')) << error.toStdString();
    EXPECT_EQ(doc.CurrentLabelFile, Path(QStringLiteral("old.lbl")));
    EXPECT_TRUE(doc.LabelModified);
    EXPECT_FALSE(doc.SaveTemplateFile(Path(QStringLiteral("notafolder/t.lbf")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入到 ") + Path(QStringLiteral("notafolder/t.lbf")) + u':'));

    // Saving over a folder fails too, and a failed save over a label keeps it.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.lbl")));
    EXPECT_FALSE(doc.SaveLabelFile(Path(QStringLiteral("folder.lbl")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入到 ") + Path(QStringLiteral("folder.lbl")) + u':'));

    // A read-only folder holding a label: the save fails and the label there
    // stays byte for byte. Root writes anyway, so only the outcome is checked then.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("readonly")));
    const QByteArray before("[FORMAT]\r\nCONTROLS=0\r\n");
    const QString kept = Write(QStringLiteral("readonly/kept.lbl"), before);
    const QByteArray folder = QFile::encodeName(Path(QStringLiteral("readonly")));
    ASSERT_EQ(chmod(folder.constData(), 0555), 0);
    const bool enforced = access(folder.constData(), W_OK) != 0;
    const bool saved = doc.SaveLabelFile(kept, &error);
    chmod(folder.constData(), 0755);
    if (enforced) {
        EXPECT_FALSE(saved);
        EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入到 ") + kept + u':'));
        EXPECT_EQ(ReadAll(kept), before);
        EXPECT_TRUE(doc.LabelModified);
    } else {
        EXPECT_TRUE(saved) << error.toStdString();
        EXPECT_TRUE(ReadAll(kept).contains("keep me"));
    }
}

TEST_F(BadInput, OpeningFoldersDevicesAndMissingFilesOpensNothing)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.lbl")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), Path(QStringLiteral("zero.lbl"))));
    for (const QString &name : {Path(QStringLiteral("folder.lbl")), Path(QStringLiteral("missing.lbl")),
                                Path(QStringLiteral("zero.lbl")), QStringLiteral("/dev/zero"), QString()}) {
        SCOPED_TRACE(name.toStdString());
        QString error;
        EXPECT_FALSE(doc.OpenDocument(name, &error));
        EXPECT_TRUE(doc.CurrentLabelFile.isEmpty());
    }
    EXPECT_TRUE(FirstOpenableFile({Path(QStringLiteral("folder.lbl")), QStringLiteral("/dev/zero")}).isEmpty());
}

// Settings ---------------------------------------------------------------------------------

TEST_F(BadInput, SettingsThatCannotBeUsedGiveEveryDefault)
{
    const QByteArray savedConfigHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    const QString file = SettingsFilePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    auto hex = [](double v) {
        QByteArray b(8, 0);
        memcpy(b.data(), &v, 8);
        QByteArray out;
        for (int i = 0; i < 8; ++i)
            out += (i ? "," : "") + b.mid(i, 1).toHex();
        return out;
    };
    auto reg = [&](double width) {
        QByteArray s = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Maudrel Software\\Quorvane]\r\n";
        const char *names[] = {"Margin_Top", "Margin_Left", "Label_Height", "Label_Width", "Gap_Height", "Gap_Width"};
        const double values[] = {0.1, 0.1, 3, width, 0, 0};
        for (int i = 0; i < 6; ++i)
            s += QByteArray("\"") + names[i] + "\"=hex:" + hex(values[i]) + "\r\n";
        return s + "\"Metric\"=dword:00000001\r\n\"ShowGrids\"=dword:00000000\r\n\"Path\"=\"/x/\"\r\n\"AutoSaveSeq\"=dword:00000000\r\n";
    };
    struct Case {
        QByteArray bytes;
        bool usable;
    };
    const Case cases[] = {
        {reg(5), true},
        {reg(-5), false},
        {reg(0), false},
        {reg(std::numeric_limits<double>::quiet_NaN()), false},
        {reg(std::numeric_limits<double>::infinity()), false},
        {QByteArray(), false},
        {QByteArray(4096, '\0'), false},
        {reg(5).left(200), false}, // cut short
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bytes.left(300).toStdString());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        const TSettings settings = LoadSettings();
        if (c.usable) {
            EXPECT_EQ(settings.LabelFormat.Label_Width, 5);
            EXPECT_TRUE(settings.LabelFormat.Metric);
            EXPECT_FALSE(settings.ShowGrids);
        } else {
            EXPECT_EQ(settings.LabelFormat.Label_Width, 2.5);
            EXPECT_EQ(settings.LabelFormat.Label_Height, 1.5);
            EXPECT_EQ(settings.LabelFormat.Margin_Top, 0.25);
            EXPECT_FALSE(settings.LabelFormat.Metric);
            EXPECT_TRUE(settings.ShowGrids);
            EXPECT_TRUE(settings.AutoSaveSeq);
            EXPECT_TRUE(settings.Path.isEmpty());
        }
    }
    if (savedConfigHome.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedConfigHome);
}

} // namespace
