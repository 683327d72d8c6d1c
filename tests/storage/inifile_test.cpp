#include "storage/inifile.h"

#include <QDir>
#include <QFile>
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

TEST(IniFile, DetectsUtf8AndGb18030)
{
    const QString chinese = QStringLiteral("条码标签 ü €");
    struct Case {
        const char *name;
        QByteArray bytes;
    };
    const QByteArray body = "[S]\r\nT=";
    const Case cases[] = {
        {"gb18030", body + EncodeIniText(chinese) + "\r\n"},
        {"utf8", body + chinese.toUtf8() + "\r\n"},
        {"utf8 bom", "\xEF\xBB\xBF" + body + chinese.toUtf8() + "\r\n"},
        {"lf only", "[S]\nT=" + chinese.toUtf8() + "\n"},
    };
    QTemporaryDir dir;
    for (const Case &c : cases) {
        const QString path = dir.filePath("t.ini");
        WriteAll(path, c.bytes);
        TIniFile ini(path);
        EXPECT_EQ(ini.ReadString("S", "T", "?"), chinese) << c.name;
    }
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

TEST(IniFile, HighestIndexIgnoresLeadingZerosAndOtherNames)
{
    TIniFile ini("x", TIniFile::StartEmpty);
    for (const char *s : {"CNT_1", "cnt_7", "CNT_07", "CNT_x", "CNT_", "FORMAT", "CNT_99999999999"})
        ini.WriteString(s, "TYPE", "TEXT");
    EXPECT_EQ(ini.HighestSectionIndex("CNT_"), 7);
    for (const char *k : {"MEMO_1", "MEMO_3", "MEMO_LINES", "memo_12"})
        ini.WriteString("S", k, "");
    EXPECT_EQ(ini.HighestKeyIndex("s", "MEMO_"), 12);
    EXPECT_EQ(ini.HighestKeyIndex("none", "MEMO_"), 0);
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
    EXPECT_EQ(error, QStringLiteral("无法写入到 %1").arg(notAFolder + "/label.lbl"));

    // A write that runs out of room half-way (the file size limit applies to
    // root too) leaves the previous file byte for byte.
    const QString path = dir.filePath("old.lbl");
    const QByteArray old = "[FORMAT]\r\nHEIGHT=1\r\n";
    WriteAll(path, old);
    TIniFile big(path, TIniFile::StartEmpty);
    big.WriteString("S", "K", QString(100000, u'x'));
    const bool ok = WithFileSizeLimit(4096, [&] { return big.UpdateFile(&error); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, QStringLiteral("无法写入到 %1").arg(path));
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
        (void)ini.HighestSectionIndex("CNT_");
        TIniFile copy(dir.filePath("copy.ini"), TIniFile::StartEmpty);
        for (const QString &s : ini.Sections())
            for (const QString &k : ini.Keys(s))
                copy.WriteString(s, k, ini.ReadString(s, k, {}));
        EXPECT_TRUE(copy.UpdateFile()) << c.name;
    }
    TIniFile utf16(dir.filePath("g.ini"));
    EXPECT_EQ(utf16.ReadString("s", "k", "?"), "v");
}
