#include "storage/inifile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "storage_testutil.h"

TEST(IniFile, SectionsAndKeysKeepOrderOfFirstWritingAndReplaceInPlace)
{
    TIniFile ini(QStringLiteral("unused.ini"), TIniFile::StartEmpty);
    ini.WriteString("Second", "b", "1");
    ini.WriteString("First", "z", "2");
    ini.WriteString("second", "A", "3");
    ini.WriteString("SECOND", "B", "4"); // replaces b, keeps its place and spelling
    ini.WriteInteger("first", "Z", -7);
    EXPECT_EQ(ini.ToBytes(), QByteArray("[Second]\r\nb=4\r\nA=3\r\n[First]\r\nz=-7\r\n"));
    EXPECT_EQ(ini.ReadString("sEcOnD", "a", "?"), "3");
    EXPECT_EQ(ini.ReadInteger("FIRST", "z", 0), -7);
    EXPECT_EQ(ini.Keys("second"), QStringList({"b", "A"}));
}

TEST(IniFile, WritesCrLfWithoutByteOrderMarkAndOneLineValues)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.lbl");
    TIniFile ini(path, TIniFile::StartEmpty);
    ini.WriteString("S", "Text", "line1\r\nline2\nend");
    ini.WriteString("S", "Chinese", QStringLiteral("标签"));
    ASSERT_TRUE(ini.UpdateFile());
    const QByteArray bytes = ReadAll(path);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(bytes.count('\n'), 3);
    EXPECT_EQ(bytes.count("\r\n"), 3);
    EXPECT_TRUE(bytes.contains("Text=line1  line2 end\r\n"));
    EXPECT_TRUE(bytes.contains("Chinese=\xB1\xEA\xC7\xA9\r\n")); // GB18030
}

// Without a byte-order mark a file is GB18030 unless it is plainly UTF-8. The
// GB18030 rows are real words whose bytes are valid UTF-8 too (医院 is
// D2 BD D4 BA, the UTF-8 of "ҽԺ"); the UTF-8 rows include words whose GB18030
// reading is made of GB2312 characters only (天津 reads as "濉╂触"). Short
// Latin-1 or Greek text in UTF-8 whose GB18030 reading is common hanzi (Café,
// 25°C) is ambiguous and read as GB18030: a byte-order mark settles it.
TEST(IniFile, TextWithoutByteOrderMarkIsGb18030UnlessPlainlyUtf8)
{
    enum Bytes { Gb, Utf8, Utf8Bom };
    const struct {
        Bytes bytes;
        const char *text;
    } cases[] = {
        {Gb, "医院"}, {Gb, "学校"}, {Gb, "食品"}, {Gb, "药品"}, {Gb, "女士"}, {Gb, "谢谢"}, {Gb, "职员"},
        {Gb, "同志"}, {Gb, "鞋帽"}, {Gb, "母婴"}, {Gb, "某"}, {Gb, "某某"}, {Gb, "茅台"}, {Gb, "毛"},
        {Gb, "山"}, {Gb, "水"}, {Gb, "元"}, {Gb, "瓶"}, {Gb, "省"}, {Gb, "小"}, {Gb, "3楼"}, {Gb, "5路"},
        {Gb, "陆"}, {Gb, "卢"}, {Gb, "食品 药品 母婴 鞋帽"},
        {Utf8, "天津"}, {Utf8, "宽度"}, {Utf8, "纸质"}, {Utf8, "大米"}, {Utf8, "饼干"}, {Utf8, "齿轮"},
        {Utf8, "弹簧"}, {Utf8, "楼梯"}, {Utf8, "谢谢"}, {Utf8, "女士"}, {Utf8, "工人"}, {Utf8, "主任"},
        {Utf8, "汽车"}, {Utf8, "中"}, {Utf8, "医院"}, {Utf8, "条码标签 ü €"}, {Utf8, "温度25°C"},
        {Utf8, "Москва"}, {Utf8, "Größe"}, {Utf8, "Ελληνικά"}, {Utf8, "Dvořák"},
        // What earlier versions wrote for texts like these.
        {Utf8Bom, "某"}, {Utf8Bom, "医院"}, {Utf8Bom, "Café"}, {Utf8Bom, "25°C"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("t.ini");
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const QByteArray encoded = c.bytes == Gb ? EncodeIniText(text) : text.toUtf8();
        SCOPED_TRACE(std::string(c.text) + (c.bytes == Gb ? " in GB18030" : " in UTF-8"));
        if (c.bytes == Gb) {
            QStringDecoder utf8(QStringConverter::Utf8);
            (void)utf8.decode(encoded);
            EXPECT_FALSE(utf8.hasError()) << "the row proves nothing";
        }
        WriteAll(path, (c.bytes == Utf8Bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + "[S]\r\nT=" + encoded + "\r\n");
        EXPECT_EQ(TIniFile(path).ReadString("S", "T", "?"), text);
        // Written back: GB18030 without a byte-order mark, and read back the same.
        TIniFile out(path, TIniFile::StartEmpty);
        out.WriteString("S", "T", text);
        ASSERT_TRUE(out.UpdateFile());
        EXPECT_EQ(ReadAll(path), "[S]\r\nT=" + EncodeIniText(text) + "\r\n");
        EXPECT_EQ(TIniFile(path).ReadString("S", "T", "?"), text);
    }
    const QByteArray lfOnly = "[S]\nT=" + QStringLiteral("条码标签").toUtf8() + "\n";
    WriteAll(path, lfOnly);
    EXPECT_EQ(TIniFile(path).ReadString("S", "T", "?"), QStringLiteral("条码标签"));
}

TEST(IniFile, TextWhoseGb18030BytesPassForUtf8KeepsItsGb18030)
{
    // The GB18030 reading of the UTF-8 bytes of 中文: written as GB18030 it is
    // those bytes again, so the file starts with a comment that is not UTF-8.
    QStringDecoder gb("GB18030");
    const QString text = gb.decode(QStringLiteral("中文").toUtf8());
    QTemporaryDir dir;
    const QString path = dir.filePath("m.lbl");
    TIniFile out(path, TIniFile::StartEmpty);
    out.WriteString("S", "T", text);
    ASSERT_TRUE(out.UpdateFile());
    const QByteArray bytes = ReadAll(path);
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.startsWith("; ")) << bytes.toHex(' ').constData();
    EXPECT_TRUE(bytes.endsWith("\r\n[S]\r\nT=" + EncodeIniText(text) + "\r\n"));
    TIniFile in(path);
    EXPECT_EQ(in.ReadString("S", "T", "?"), text);
    EXPECT_EQ(in.Sections(), QStringList{"S"});
}

TEST(IniFile, ChineseTextRoundTrips)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.lbl");
    const QString text = QStringLiteral("收货人：张三，北京市海淀区 — 〒 ㈱ 𠀀");
    {
        TIniFile ini(path, TIniFile::StartEmpty);
        ini.WriteString("中文", "键", text);
        ASSERT_TRUE(ini.UpdateFile());
    }
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("中文", "键", QString()), text);
    EXPECT_EQ(ini.Sections(), QStringList{QStringLiteral("中文")});
}

TEST(IniFile, ParsesOnceAndAnswersFromMemory)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p.ini");
    WriteAll(path, "; comment\r\nignored=before any section\r\n[A]\r\n  key = value with = sign \r\nk2=x\r\nk2=second\r\n[a]\r\nk3=3\r\n");
    TIniFile ini(path);
    QFile::remove(path);
    EXPECT_EQ(ini.ReadString("A", "KEY", "?"), " value with = sign ");
    EXPECT_EQ(ini.ReadString("A", "k2", "?"), "x"); // first of repeated keys
    EXPECT_EQ(ini.ReadString("A", "k3", "?"), "3"); // repeated section continues
    EXPECT_EQ(ini.ReadString("A", "missing", "def"), "def");
    EXPECT_FALSE(ini.ValueExists("none", "ignored"));
    EXPECT_EQ(ini.Sections().size(), 1);
}

TEST(IniFile, FormatsFloatsInShortestGeneralForm)
{
    const struct {
        double v;
        const char *text;
    } cases[] = {
        {37.0 / 96, "0.385416666666667"}, {1e-6, "1E-6"}, {2, "2"}, {50.0 / 96, "0.520833333333333"},
        {200.0 / 96, "2.08333333333333"}, {0, "0"}, {-0.25, "-0.25"}, {0.00001, "0.00001"},
        {0.0000123, "0.0000123"}, {0.00000999, "9.99E-6"}, {1.5, "1.5"}, {123456789012345, "123456789012345"},
        {1234567890123456, "1.23456789012346E15"}, {1e20, "1E20"}, {-2.5e-7, "-2.5E-7"},
        {0.1 + 0.2, "0.3"}, {9.9999999999999999, "10"}, {20, "20"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatIniFloat(c.v), QString::fromLatin1(c.text)) << c.text;
}

TEST(IniFile, ParsesFloatsWithPointOrComma)
{
    const struct {
        const char *text;
        std::optional<double> v;
    } cases[] = {
        {"0.385416666666667", 0.385416666666667}, {"1E-6", 1e-6}, {"1e-6", 1e-6}, {"2", 2.0}, {"1,5", 1.5},
        {"-0,25", -0.25}, {" 3.5 ", 3.5}, {"+4", 4.0}, {".5", 0.5}, {"1.", 1.0}, {"2.5E+3", 2500.0},
        {"", std::nullopt}, {"abc", std::nullopt}, {"1.2.3", std::nullopt}, {"1,2.3", std::nullopt},
        {"1e", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"1e999", std::nullopt},
        {"0x10", std::nullopt}, {"1 000", std::nullopt}, {"-", std::nullopt}, {"1E5x", std::nullopt},
    };
    for (const auto &c : cases) {
        const auto got = ParseIniFloat(QString::fromLatin1(c.text));
        ASSERT_EQ(got.has_value(), c.v.has_value()) << c.text;
        if (c.v) {
            EXPECT_DOUBLE_EQ(*got, *c.v) << c.text;
        }
    }
    // Every written float reads back as the value written (to 15 digits).
    for (double v : {37.0 / 96, 1e-6, 2.0, 200.0 / 96, -123.456, 7e22})
        EXPECT_NEAR(*ParseIniFloat(FormatIniFloat(v)), v, std::abs(v) * 1e-14) << v;
}

TEST(IniFile, ParsesIntegersDecimalAndHex)
{
    const struct {
        const char *text;
        std::optional<qint32> v;
    } cases[] = {
        {"0", 0}, {"-12", -12}, {"+5", 5}, {" 7 ", 7}, {"16777215", 16777215}, {"-2147483643", -2147483643},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
        {"0x10", 16}, {"0XfF", 255}, {"0x80000005", -2147483643}, {"0x", std::nullopt}, {"0x123456789", std::nullopt},
        {"0xG1", std::nullopt}, {"12a", std::nullopt}, {"", std::nullopt}, {"1.0", std::nullopt}, {"-", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseIniInteger(QString::fromLatin1(c.text)), c.v) << c.text;

    TIniFile ini("x", TIniFile::StartEmpty);
    ini.WriteString("S", "bool", "2");
    ini.WriteString("S", "bad", "yes");
    EXPECT_TRUE(ini.ReadBool("S", "bool", false));
    EXPECT_TRUE(ini.ReadBool("S", "bad", true));
    EXPECT_FALSE(ini.ReadBool("S", "bad", false));
    EXPECT_EQ(ini.ReadInteger("S", "bad", 42), 42);
}

TEST(IniFile, RotationStrings)
{
    const struct {
        const char *text;
        int turns;
    } cases[] = {{"0", 0}, {"90", 1}, {"180", 2}, {"270", 3}, {"360", 0}, {"-90", 0}, {" 90", 0}, {"", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(RotationFromIni(QString::fromLatin1(c.text)), c.turns) << c.text;
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(RotationFromIni(RotationToIni(t)), t);
}

TEST(IniFile, IndicesIgnoreLeadingZerosAndOtherNames)
{
    TIniFile ini("x", TIniFile::StartEmpty);
    for (const char *s : {"cnt_7", "CNT_1", "CNT_07", "CNT_x", "CNT_", "CNT_0", "FORMAT", "CNT_99999999999", "CNT_2147483647"})
        ini.WriteString(s, "TYPE", "TEXT");
    EXPECT_EQ(ini.SectionIndices("CNT_"), QList<int>({1, 7, 2147483647}));
    for (const char *k : {"memo_12", "MEMO_1", "MEMO_3", "MEMO_LINES", "MEMO_-1"})
        ini.WriteString("S", k, "");
    EXPECT_EQ(ini.KeyIndices("s", "MEMO_"), QList<int>({1, 3, 12}));
    EXPECT_TRUE(ini.KeyIndices("none", "MEMO_").isEmpty());
}

TEST(IniFile, FailedWriteReportsTheFileAndKeepsTheOldOne)
{
    QTemporaryDir dir;
    // A folder that is really a file: nothing can be created below it.
    const QString notAFolder = dir.filePath("plain");
    WriteAll(notAFolder, "x");
    TIniFile blocked(notAFolder + "/label.lbl", TIniFile::StartEmpty);
    blocked.WriteString("S", "K", "V");
    QString error;
    EXPECT_FALSE(blocked.UpdateFile(&error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入到 %1: ").arg(notAFolder + "/label.lbl"))) << error.toStdString();

    // A write that runs out of room half-way (the file size limit applies to
    // root too) leaves the previous file byte for byte.
    const QString path = dir.filePath("old.lbl");
    const QByteArray old = "[FORMAT]\r\nHEIGHT=1\r\n";
    WriteAll(path, old);
    TIniFile big(path, TIniFile::StartEmpty);
    big.WriteString("S", "K", QString(100000, u'x'));
    const bool ok = WithFileSizeLimit(4096, [&] { return big.UpdateFile(&error); });
    EXPECT_FALSE(ok);
    // The reason, though Qt reports the short write without one.
    EXPECT_EQ(error, QStringLiteral("无法写入到 %1: File too large").arg(path));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"old.lbl", "plain"})); // no leftovers
}

TEST(IniFile, GarbageNeverBreaksParsing)
{
    QTemporaryDir dir;
    QByteArray binary;
    for (int i = 0; i < 200000; ++i)
        binary.append(char((i * 7919 + (i >> 3)) & 0xFF));
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"binary", binary},
        {"nul bytes", QByteArray(1000, '\0')},
        {"unterminated section", "[FORMAT\r\nHEIGHT=3"},
        {"only brackets", "[]\r\n=\r\n[\r\n]=]\r\n"},
        {"utf16", QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0v\0", 18)},
    };
    for (const auto &c : cases) {
        const QString path = dir.filePath("g.ini");
        WriteAll(path, c.bytes);
        TIniFile ini(path);
        EXPECT_TRUE(ini.Readable()) << c.name;
        (void)ini.ReadFloat("FORMAT", "HEIGHT", 1);
        (void)ini.SectionIndices("CNT_");
        TIniFile copy(dir.filePath("copy.ini"), TIniFile::StartEmpty);
        for (const QString &s : ini.Sections())
            for (const QString &k : ini.Keys(s))
                copy.WriteString(s, k, ini.ReadString(s, k, {}));
        EXPECT_TRUE(copy.UpdateFile()) << c.name;
    }
    TIniFile utf16(dir.filePath("g.ini"));
    EXPECT_EQ(utf16.ReadString("s", "k", "?"), "v");
}
