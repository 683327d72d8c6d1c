#include "data/dataimport.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QByteArray Utf16(const char *utf8, bool le)
{
    return QStringEncoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE).encode(QString::fromUtf8(utf8));
}

TSplitSettings Csv(bool header = false)
{
    TSplitSettings s;
    s.Mode = TSplitMode::Comma;
    s.IgnoreHeader = header;
    return s;
}

// Every record the reader yields, the way the print job walks them.
QList<TDataRow> ReadAll(const QString &path, const TSplitSettings &s)
{
    QList<TDataRow> rows;
    TRecordReader r;
    EXPECT_TRUE(r.OpenData(path, s));
    if (!r.HasRecord())
        return rows;
    for (;;) {
        rows.append(r.DataRow());
        if (r.DataEof())
            break;
        r.ReadRecord();
    }
    r.CloseData();
    return rows;
}

} // namespace

TEST(DataImport, SplitDelimited)
{
    const QChar comma(','), tab('\t');
    struct Case {
        const char *line;
        QChar sep;
        const char *quote;
        QStringList fields;
    } cases[] = {
        {"a,'b,c',d", comma, "'", {"a", "b,c", "d"}},
        {"x'y,z'w", comma, "'", {"xy,zw"}},
        {"a,'b''c',d", comma, "'", {"a", "b'c", "d"}},
        {"a,,b", comma, "\"", {"a", "", "b"}},
        {"a,b,", comma, "\"", {"a", "b"}},
        {"", comma, "\"", {}},
        {",", comma, "\"", {""}},
        {"a,'b,c',d", comma, "", {"a", "'b", "c'", "d"}},   // no quoting: quotes are text
        {"\"open,never closed", comma, "\"", {"open,never closed"}},
        {"''", comma, "'", {"'"}},                          // a doubled quote alone
        {"a\tb c\t\"d\te\"", tab, "\"", {"a", "b c", "d\te"}},
        {"a,b;c", QChar(0), "\"", {"a,b;c"}},                // no separator: one field
        {"中文,价格", comma, "\"", {"中文", "价格"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SplitDelimited(QString::fromUtf8(c.line), c.sep, QString::fromUtf8(c.quote)), c.fields)
            << c.line;
}

TEST(DataImport, SplitFixed)
{
    const TTextEncoding gb = TTextEncoding::Gb18030, utf8 = TTextEncoding::Utf8;
    struct Case {
        const char *line;
        QList<int> widths;
        bool ltrim, rtrim;
        QStringList fields;
        TTextEncoding encoding = TTextEncoding::Gb18030;
    } cases[] = {
        {"ab  cdefghij", {3, 5}, true, true, {"ab", "cdef"}}, // columns 1-3 and 4-8
        {"ab  cdefghij", {3, 5}, false, false, {"ab ", " cdef"}},
        {"  x  ", {5}, true, false, {"x  "}},
        {"  x  ", {5}, false, true, {"  x"}},
        {"\tx ", {3}, true, true, {"\tx"}},               // only spaces are trimmed
        {"abc", {2, 4, 3}, true, true, {"ab", "c", ""}},   // line ends early
        {"", {3, 3}, true, true, {"", ""}},
        {"abcdef", {-2, 3}, true, true, {"", "abc"}},      // a negative width takes nothing
        // Widths count bytes of the code page: a hanzi is two.
        {"张三  北京市  001", {6, 8, 3}, true, true, {"张三", "北京市", "001"}, gb},
        {"张三  北京市  001", {6, 8, 3}, true, true, {"张三", "北京市", "001"}, utf8},
        // A character cut by a column boundary goes to the column it starts in.
        {"ab中文cd", {3, 3, 2}, true, true, {"ab中", "文", "cd"}, gb},
        {"中文", {1, 1, 2}, true, true, {"中", "", "文"}, gb},
        // A rare character is four bytes in GB18030, two in a UTF-8 file.
        {"𠀀ab", {4, 2}, true, true, {"𠀀", "ab"}, gb},
        {"𠀀ab", {4, 2}, true, true, {"𠀀ab", ""}, utf8},
        {"Grüße", {4, 4, 1}, true, true, {"Grü", "ß", "e"}, gb}, // ü two bytes, ß four
        {"Grüße", {4, 4, 1}, true, true, {"Grü", "ße", ""}, utf8},
        {"\xEF\xBF\xBD" "ab", {1, 2}, true, true, {"\xEF\xBF\xBD", "ab"}, gb}, // a byte that did not decode
    };
    for (const Case &c : cases)
        EXPECT_EQ(SplitFixed(QString::fromUtf8(c.line), c.widths, c.ltrim, c.rtrim, c.encoding), c.fields)
            << c.line << (c.encoding == gb ? " in GB18030" : " in UTF-8");
}

TEST(DataImport, ParseLineFollowsTheMode)
{
    TSplitSettings s;
    EXPECT_EQ(ParseLine("a\tb,c", s), QStringList({"a", "b,c"}));
    s.Mode = TSplitMode::Comma;
    EXPECT_EQ(ParseLine("a\tb,c", s), QStringList({"a\tb", "c"}));
    s.Mode = TSplitMode::Custom;
    s.CustomSeparator = ";x";
    EXPECT_EQ(ParseLine("a;b", s), QStringList({"a", "b"}));
    s.CustomSeparator.clear();
    EXPECT_EQ(ParseLine("a;b", s), QStringList({"a;b"}));
    s.Mode = TSplitMode::Fixed;
    s.ColumnSizes = {1, 1};
    EXPECT_EQ(ParseLine("a;b", s), QStringList({"a", ";"}));
}

TEST(DataImport, ModeByExtension)
{
    struct Case {
        const char *name;
        bool known;
        TSplitMode mode;
    } cases[] = {
        {"data.txt", true, TSplitMode::Tab},   {"DATA.CSV", true, TSplitMode::Comma},
        {"x/y.Prn", true, TSplitMode::Fixed},  {"y.dat", true, TSplitMode::Custom},
        {"y.xls", false, TSplitMode::Custom},  {"noext", false, TSplitMode::Custom},
    };
    for (const Case &c : cases) {
        TSplitMode m = TSplitMode::Custom;
        EXPECT_EQ(SplitModeForFile(c.name, m), c.known) << c.name;
        EXPECT_EQ(m, c.mode) << c.name;
    }
    EXPECT_EQ(InitialFixedWidth({"abc", "defg"}), 10);
    EXPECT_EQ(InitialFixedWidth({"abc", "0123456789012"}), 13);
    EXPECT_EQ(InitialFixedWidth({"abc", QStringLiteral("张三李四王五赵六")}), 16);
}

TEST(DataImport, RecordReaderLinesAndEncodings)
{
    QTemporaryDir dir;
    const QByteArray gb("\xd6\xd0\xce\xc4,\xbc\xdb\xb8\xf1\r\n"); // 中文,价格 in GB18030
    struct Case {
        const char *name;
        QByteArray bytes;
        bool header;
        QList<TDataRow> rows;
    } cases[] = {
        {"crlf", "h\r\na,1\r\nb,2\r\n", true, {{"a", "1"}, {"b", "2"}}},
        {"lf", "h\na,1\nb,2", true, {{"a", "1"}, {"b", "2"}}},
        {"cr", "h\ra,1\rb,2\r", true, {{"a", "1"}, {"b", "2"}}},
        {"mixed", "a\r\n\rb\n", false, {{"a"}, {}, {"b"}}},
        {"no header", "a,1\nb,2\n", false, {{"a", "1"}, {"b", "2"}}},
        {"last line then empty line", "a\r\nb\r\n\r\n", false, {{"a"}, {"b"}, {}}},
        {"utf-8 with bom", "\xEF\xBB\xBF\xE4\xB8\xAD,x\n", false, {{QString::fromUtf8("中"), "x"}}},
        {"gb18030", gb + gb, false, {{QString::fromUtf8("中文"), QString::fromUtf8("价格")},
                                     {QString::fromUtf8("中文"), QString::fromUtf8("价格")}}},
        // GB18030 whose bytes are valid UTF-8 too, and UTF-8 whose GB18030
        // reading is common hanzi: each read as what it is.
        {"gb18030 valid as utf-8", "\xd2\xbd\xd4\xba,\xca\xb3\xc6\xb7\n", false,
         {{QString::fromUtf8("医院"), QString::fromUtf8("食品")}}},
        {"utf-8 like gb18030", "天津,汽车\n", false, {{QString::fromUtf8("天津"), QString::fromUtf8("汽车")}}},
        {"header only", "h1,h2\r\n", true, {}},
        {"empty", "", false, {}},
        // A quoted field holds its line breaks, as spreadsheets write them.
        {"quoted line break", "\"a\nb\",c\r\n\"x\r\n\r\n\"\"y\"\"\"\nd", false, {{"a\nb", "c"}, {"x\n\n\"y\""}, {"d"}}},
        {"quote never closed", "a,\"b\nc\n", false, {{"a", "b\nc"}}},
        {"stray quote in a field", "24\" screen,1\nnext,2\n", false, {{"24 screen,1"}, {"next", "2"}}},
        {"utf-16le with bom", "\xFF\xFE" + Utf16("名,值\r\n甲,1\r", true), true, {{QString::fromUtf8("甲"), "1"}}},
        {"utf-16be with bom", "\xFE\xFF" + Utf16("名\n\"乙\n丙\"\n", false), true, {{QString::fromUtf8("乙\n丙")}}},
    };
    for (const Case &c : cases) {
        const QString path = WriteFile(dir, QString::fromLatin1(c.name) + ".csv", c.bytes);
        EXPECT_EQ(ReadAll(path, Csv(c.header)), c.rows) << c.name;
    }
}

// Without a mark a data file is GB18030 unless plainly UTF-8 (the rule of the
// label files), and also UTF-8 when its accented letters sit in Latin words:
// the GB18030 rows are valid UTF-8 too. The user's choice overrides both.
TEST(DataImport, DataFileEncodings)
{
    QTemporaryDir dir;
    const std::optional<TTextEncoding> detect;
    const struct {
        const char *text;
        TTextEncoding bytes;
        std::optional<TTextEncoding> chosen;
        const char *first; // the first field as read; null: the text's
    } cases[] = {
        {"José Müller,Zürich", TTextEncoding::Utf8, detect, nullptr},
        {"Café,1", TTextEncoding::Utf8, detect, nullptr},
        {"Größe,Dvořák", TTextEncoding::Utf8, detect, nullptr},
        {"São Paulo,Ærø", TTextEncoding::Utf8, detect, nullptr},
        {"温度25°C,天津", TTextEncoding::Utf8, detect, nullptr},
        {"医院,食品", TTextEncoding::Gb18030, detect, nullptr},
        {"QV-1,某某", TTextEncoding::Gb18030, detect, nullptr},
        {"PVC水,3楼", TTextEncoding::Gb18030, detect, nullptr},
        {"A元,茅台", TTextEncoding::Gb18030, detect, nullptr},
        {"Café,1", TTextEncoding::Utf8, TTextEncoding::Gb18030, "Caf茅"},
        {"医院,x", TTextEncoding::Gb18030, TTextEncoding::Utf8, "ҽԺ"},
        {"甲,1", TTextEncoding::Utf16Le, TTextEncoding::Utf16Le, nullptr},
        {"乙,2", TTextEncoding::Utf16Be, TTextEncoding::Utf16Be, nullptr},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QByteArray bytes = c.bytes == TTextEncoding::Gb18030 ? EncodeGb18030(text)
                                 : c.bytes == TTextEncoding::Utf8  ? text.toUtf8()
                                                                   : Utf16(c.text, c.bytes == TTextEncoding::Utf16Le);
        if (c.bytes == TTextEncoding::Gb18030 && !c.chosen) {
            QStringDecoder utf8(QStringConverter::Utf8);
            (void)utf8.decode(bytes);
            EXPECT_FALSE(utf8.hasError()) << c.text << ": the row proves nothing";
        }
        const QString path = WriteFile(dir, "e.csv", bytes + "\n");
        TSplitSettings s = Csv();
        s.Encoding = c.chosen;
        const QString first = c.first ? QString::fromUtf8(c.first) : text.section(QLatin1Char(','), 0, 0);
        EXPECT_EQ(ReadAll(path, s).value(0).value(0), first) << c.text;
        TTextEncoding seen{};
        EXPECT_EQ(ReadSampleLines(path, 10, nullptr, &seen, c.chosen).value(0).section(QLatin1Char(','), 0, 0), first)
            << c.text;
        EXPECT_EQ(seen, c.chosen.value_or(c.bytes)) << c.text;
    }
}

TEST(DataImport, RecordReaderStates)
{
    QTemporaryDir dir;
    const QString two = WriteFile(dir, "two.csv", "name, price \nfirst,1\nsecond,2\n");
    TRecordReader r;
    ASSERT_TRUE(r.OpenData(two, Csv(true)));
    EXPECT_TRUE(r.DataOpen());
    EXPECT_EQ(r.ColumnNames(), QStringList({"name", "price"}));
    EXPECT_EQ(r.DataRow(), QStringList({"first", "1"}));
    EXPECT_FALSE(r.DataEof());
    r.ReadRecord();
    EXPECT_EQ(r.DataRow(), QStringList({"second", "2"}));
    EXPECT_TRUE(r.DataEof());
    r.ReadRecord(); // at the end: the record stays
    EXPECT_EQ(r.DataRow(), QStringList({"second", "2"}));
    EXPECT_EQ(r.RecordsRead(), 3);
    EXPECT_TRUE(r.OpenData(two, Csv(false))); // already open: nothing happens
    EXPECT_EQ(r.DataRow(), QStringList({"second", "2"}));
    r.CloseData();
    EXPECT_FALSE(r.DataOpen());

    const QString header = WriteFile(dir, "header.csv", "h1,h2");
    ASSERT_TRUE(r.OpenData(header, Csv(true)));
    EXPECT_TRUE(r.DataEof());
    EXPECT_FALSE(r.HasRecord());
    EXPECT_EQ(r.DataRow(), QStringList({"h1", "h2"})); // the record parsed before
    EXPECT_EQ(r.ColumnNames(), QStringList({"h1", "h2"}));
    r.CloseData();
    ASSERT_TRUE(r.OpenData(header, Csv(false)));
    EXPECT_EQ(r.ColumnNames(), QStringList()); // read without a header: no names
    r.CloseData();

    QString error;
    const QString missing = dir.filePath("missing.csv");
    EXPECT_FALSE(r.OpenData(missing, Csv(), &error));
    EXPECT_TRUE(error.contains("missing.csv")) << error.toStdString();
    EXPECT_FALSE(r.DataOpen());
    error.clear();
    EXPECT_FALSE(r.OpenData(dir.path(), Csv(), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(DataImport, LongFilesStreamAcrossChunks)
{
    QTemporaryDir dir;
    QByteArray bytes;
    for (int i = 0; i < 30000; ++i)
        bytes += "row" + QByteArray::number(i) + ",\xe4\xbb\xb7" + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\r" : "\n");
    const QString path = WriteFile(dir, "long.csv", bytes);
    const QList<TDataRow> rows = ReadAll(path, Csv());
    ASSERT_EQ(rows.size(), 30000);
    EXPECT_EQ(rows[12345], QStringList({"row12345", QString::fromUtf8("价")}));
    EXPECT_EQ(rows.last(), QStringList({"row29999", QString::fromUtf8("价")}));
}

TEST(DataImport, LegacyTextAfterAnAsciiStart)
{
    // The first 64 KiB are ASCII: the first line that is not decides.
    QTemporaryDir dir;
    const struct {
        QByteArray line;
        const char *field;
    } cases[] = {
        {"\xd6\xd0\xce\xc4,\xe4\xbb\xb7\n", "中文"}, // GB18030, not valid UTF-8
        {"\xd2\xbd\xd4\xba,x\n", "医院"},              // GB18030, valid UTF-8
        {"天津,x\n", "天津"},                             // UTF-8
    };
    for (const auto &c : cases) {
        QByteArray bytes;
        while (bytes.size() < 70000)
            bytes += "plain,ascii\n";
        bytes += c.line;
        const QString path = WriteFile(dir, "late.csv", bytes);
        const QList<TDataRow> rows = ReadAll(path, Csv());
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_EQ(rows.last().value(0), QString::fromUtf8(c.field));
    }
}

TEST(DataImport, FixedWidthRecordsAndPreviewCountBytes)
{
    // The record reader, the preview's sample lines and the first column's
    // width, in a GB18030 file and in a UTF-8 file.
    QTemporaryDir dir;
    const QString text = QStringLiteral("姓名  城市  号\r\n张三  北京  01\r\n欧阳娜娜上海02\r\n");
    for (const QByteArray &bytes : {EncodeGb18030(text), text.toUtf8()}) {
        const QString path = WriteFile(dir, "names.prn", bytes);
        TTextEncoding encoding{};
        const QStringList samples = ReadSampleLines(path, 10, nullptr, &encoding);
        EXPECT_EQ(InitialFixedWidth(samples, encoding), 14);
        TSplitSettings s;
        s.Mode = TSplitMode::Fixed;
        s.ColumnSizes = {6, 6, 2};
        EXPECT_EQ(ParseLine(samples.value(2), s, encoding), QStringList({"欧阳娜", "娜上海", "02"}));
        EXPECT_EQ(ReadAll(path, s), (QList<TDataRow>{{"张三", "北京", "01"}, {"欧阳娜", "娜上海", "02"}}));
        TRecordReader r;
        ASSERT_TRUE(r.OpenData(path, s));
        EXPECT_EQ(r.ColumnNames(), QStringList({"姓名", "城市", "号"}));
    }
}

TEST(DataImport, SampleLines)
{
    QTemporaryDir dir;
    const QString path = WriteFile(dir, "s.txt", "1\n2\r\n3\r4\n5\n6\n7\n8\n9\n10\n11\n");
    EXPECT_EQ(ReadSampleLines(path, 10).size(), 10);
    EXPECT_EQ(ReadSampleLines(path, 3), QStringList({"1", "2", "3"}));
    QString error;
    EXPECT_TRUE(ReadSampleLines(dir.filePath("none.txt"), 10, &error).isEmpty());
    EXPECT_TRUE(error.contains("none.txt"));
    // The preview joins a quoted field's lines into one record, as the reader does.
    const QStringList lines{"h", "\"a", "b\",1", "c,2"};
    EXPECT_EQ(SampleRecords(lines, Csv()), QStringList({"h", "\"a\nb\",1", "c,2"}));
    TSplitSettings fixed;
    fixed.Mode = TSplitMode::Fixed;
    EXPECT_EQ(SampleRecords(lines, fixed), lines);
}

TEST(DataImport, SeekReturnsToAnyRecord)
{
    QTemporaryDir dir;
    QByteArray big = "h\n";
    for (int i = 0; i < 30000; ++i)
        big += "行" + QByteArray::number(i) + ",x\r\n"; // several 64 KiB chunks
    const QByteArray gb = QByteArray("name,n\r\n") + QByteArray(QStringEncoder("GB18030").encode(QStringLiteral("张三,1\r\n李四,2\r\r\n,3")));
    const struct {
        const char *name;
        QByteArray bytes;
        bool header;
    } cases[] = {
        {"utf8 with header, CRLF", "\xEF\xBB\xBF" "名,值\r\n甲,1\r\n乙,2\r\n\r\n丙,3", true},
        {"lone CR and LF mixed, no header", "a\rb\n\nc\r\nd", false},
        {"gb18030 with header", gb, true},
        {"across chunks", big, true},
        {"quoted line breaks", "h\n\"a\nb\",1\r\n\"c\r\n\r\nd\",2\nlast,3", true},
        {"utf-16le", "\xFF\xFE" + Utf16("h\r\n甲,1\r\n\"乙\r\n\",2\n丙,3", true), true},
    };
    for (const auto &c : cases) {
        const QString path = WriteFile(dir, QStringLiteral("seek.csv"), c.bytes);
        TRecordReader r;
        ASSERT_TRUE(r.OpenData(path, Csv(c.header))) << c.name;
        ASSERT_TRUE(r.CanSeek()) << c.name;
        QList<qint64> tokens;
        QList<TDataRow> rows;
        for (;;) {
            tokens.append(r.Tell());
            rows.append(r.DataRow());
            if (r.DataEof())
                break;
            r.ReadRecord();
        }
        EXPECT_EQ(rows, ReadAll(path, Csv(c.header))) << c.name;
        // Backwards, every record comes back with what follows it.
        for (qsizetype i = rows.size() - 1; i >= 0; i -= (i > 20 ? 997 : 1)) {
            ASSERT_TRUE(r.Seek(tokens[i])) << c.name << " record " << i;
            EXPECT_EQ(r.DataRow(), rows[i]) << c.name << " record " << i;
            EXPECT_EQ(r.DataEof(), i + 1 == rows.size()) << c.name << " record " << i;
            if (i + 1 < rows.size()) {
                r.ReadRecord();
                EXPECT_EQ(r.DataRow(), rows[i + 1]) << c.name << " after record " << i;
            }
        }
    }
}
