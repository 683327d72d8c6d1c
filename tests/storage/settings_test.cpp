#include "model/labelformat.h"
#include "storage/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Points the settings at a fresh configuration folder for one test.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", saved_); }

    static TSettings NonDefaults()
    {
        TSettings s;
        s.LabelFormat = TLabelFormat{5, 3, 0.5, 0.75, 0.125, 0.2, true};
        s.ShowGrids = false;
        s.AutoSaveSeq = false;
        s.Path = QStringLiteral("/opt/标签/");
        s.DeclinedPath = QStringLiteral("/opt/old/");
        s.SnapToGrid = true;
        s.SnapToItems = false;
        s.GridInches = 0.1;
        s.GridCentimetres = 0.3;
        return s;
    }
    static void ExpectDefaults(const TSettings &s)
    {
        EXPECT_EQ(s.LabelFormat.Label_Width, 2.5);
        EXPECT_EQ(s.LabelFormat.Label_Height, 1.5);
        EXPECT_EQ(s.LabelFormat.Margin_Top, 0.25);
        EXPECT_EQ(s.LabelFormat.Margin_Left, 0.25);
        EXPECT_EQ(s.LabelFormat.Gap_Height, 0);
        EXPECT_EQ(s.LabelFormat.Gap_Width, 0);
        EXPECT_FALSE(s.LabelFormat.Metric);
        EXPECT_TRUE(s.ShowGrids);
        EXPECT_TRUE(s.AutoSaveSeq);
        EXPECT_TRUE(s.Path.isEmpty());
        EXPECT_TRUE(s.DeclinedPath.isEmpty());
        EXPECT_FALSE(s.SnapToGrid);
        EXPECT_TRUE(s.SnapToItems);
        EXPECT_EQ(s.GridInches, 0.25);
        EXPECT_EQ(s.GridCentimetres, 0.5);
    }
    void WriteSettingsText(const QByteArray &values)
    {
        QDir().mkpath(QFileInfo(SettingsFilePath()).absolutePath());
        QFile f(SettingsFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Maudrel Software\\Quorvane]\n" + values);
    }

    QTemporaryDir dir_;
    QByteArray saved_;
};

const QByteArray kAllValues =
    "\"Margin_Top\"=hex:00,00,00,00,00,00,e0,3f\n"
    "\"Margin_Left\"=hex:00,00,00,00,00,00,e8,3f\n"
    "\"Label_Height\"=hex:00,00,00,00,00,00,08,40\n"
    "\"Label_Width\"=hex:00,00,00,00,00,00,14,40\n"
    "\"Gap_Height\"=hex:00,00,00,00,00,00,c0,3f\n"
    "\"Gap_Width\"=hex:9a,99,99,99,99,99,c9,3f\n"
    "\"Metric\"=dword:00000001\n"
    "\"ShowGrids\"=dword:00000000\n"
    "\"Path\"=\"/opt/q/\"\n"
    "\"AutoSaveSeq\"=dword:00000000\n";

} // namespace

TEST_F(SettingsTest, FirstRunCreatesTheKeyAndTakesDefaults)
{
    EXPECT_EQ(SettingsFilePath(), dir_.path() + "/Maudrel Software/Quorvane.reg");
    ASSERT_FALSE(QFileInfo::exists(SettingsFilePath()));
    ExpectDefaults(LoadSettings());
    EXPECT_TRUE(QFileInfo::exists(SettingsFilePath()));
}

// The unit a new label starts with: the saved one, else millimetres for a
// Chinese locale (the same label, measured so).
TEST_F(SettingsTest, MillimetresAreKeptAndAreTheChineseDefault)
{
    const struct {
        const char *locale;
        TLabelUnit unit;
    } locales[] = {{"zh_CN", TLabelUnit::Millimetre}, {"zh_TW", TLabelUnit::Millimetre},
                   {"en_US", TLabelUnit::Inch},       {"de_DE", TLabelUnit::Inch},
                   {"C", TLabelUnit::Inch}};
    for (const auto &l : locales) {
        const TLabelFormat f = DefaultLabelFormat(QLocale(QString::fromLatin1(l.locale)));
        EXPECT_EQ(LabelUnit(f), l.unit) << l.locale;
        EXPECT_DOUBLE_EQ(f.Label_Width / UnitsPerInch(f), 2.5) << l.locale;
    }
    for (TLabelUnit unit : {TLabelUnit::Millimetre, TLabelUnit::Centimetre, TLabelUnit::Inch}) {
        TSettings s = NonDefaults();
        SetLabelUnit(s.LabelFormat, unit);
        ASSERT_TRUE(SaveSettings(s));
        QFile f(SettingsFilePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().contains("\"Millimetres\"=dword:00000001\n"), unit == TLabelUnit::Millimetre);
        EXPECT_EQ(LabelUnit(LoadSettings().LabelFormat), unit);
    }
}

TEST_F(SettingsTest, SaveThenLoadGivesTheSameValuesInReadableText)
{
    ASSERT_TRUE(SaveSettings(NonDefaults()));
    QFile f(SettingsFilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith("Windows Registry Editor Version 5.00\n\n"
                                "[HKEY_CURRENT_USER\\Software\\Maudrel Software\\Quorvane]\n"
                                "\"Margin_Top\"=hex:00,00,00,00,00,00,e0,3f\n"))
        << text.constData();
    EXPECT_TRUE(text.contains("\"Metric\"=dword:00000001\n"));
    EXPECT_TRUE(text.contains("\"Path\"=\"/opt/标签/\"\n"));

    const TSettings back = LoadSettings();
    EXPECT_EQ(back.LabelFormat.Label_Width, 5);
    EXPECT_EQ(back.LabelFormat.Label_Height, 3);
    EXPECT_EQ(back.LabelFormat.Margin_Top, 0.5);
    EXPECT_EQ(back.LabelFormat.Margin_Left, 0.75);
    EXPECT_EQ(back.LabelFormat.Gap_Height, 0.125);
    EXPECT_EQ(back.LabelFormat.Gap_Width, 0.2);
    EXPECT_TRUE(back.LabelFormat.Metric);
    EXPECT_FALSE(back.ShowGrids);
    EXPECT_FALSE(back.AutoSaveSeq);
    EXPECT_EQ(back.Path, QStringLiteral("/opt/标签/"));
    EXPECT_EQ(back.DeclinedPath, QStringLiteral("/opt/old/"));
    EXPECT_TRUE(back.SnapToGrid);
    EXPECT_FALSE(back.SnapToItems);
    EXPECT_EQ(back.GridInches, 0.1);
    EXPECT_EQ(back.GridCentimetres, 0.3);
}

TEST_F(SettingsTest, AnyUnreadableValueMakesEverySettingFallBack)
{
    const struct {
        const char *name;
        QByteArray from, to;
    } cases[] = {
        {"width as dword", "\"Label_Width\"=hex:00,00,00,00,00,00,14,40", "\"Label_Width\"=dword:00000005"},
        {"seven bytes", "\"Gap_Width\"=hex:9a,99,99,99,99,99,c9,3f", "\"Gap_Width\"=hex:9a,99,99,99,99,99,c9"},
        {"metric as string", "\"Metric\"=dword:00000001", "\"Metric\"=\"1\""},
        {"path as dword", "\"Path\"=\"/opt/q/\"", "\"Path\"=dword:00000001"},
        {"last value missing", "\"AutoSaveSeq\"=dword:00000000\n", ""},
        {"grid missing", "\"ShowGrids\"=dword:00000000\n", ""},
    };
    for (const auto &c : cases) {
        QByteArray values = kAllValues;
        values.replace(c.from, c.to);
        WriteSettingsText(values);
        SCOPED_TRACE(c.name);
        ExpectDefaults(LoadSettings());
    }
}

TEST_F(SettingsTest, PathMayBeMissingOrExpandableAndHexMayContinueOnNextLines)
{
    QByteArray values = kAllValues;
    values.replace("\"Path\"=\"/opt/q/\"\n", "");
    values.replace("\"Margin_Top\"=hex:00,00,00,00,00,00,e0,3f", "\"margin_top\"=hex:00,00,00,00,\\\n  00,00,e0,3f");
    WriteSettingsText(values);
    TSettings read = LoadSettings();
    EXPECT_EQ(read.LabelFormat.Margin_Top, 0.5);
    EXPECT_EQ(read.LabelFormat.Label_Width, 5);
    EXPECT_TRUE(read.LabelFormat.Metric);
    EXPECT_TRUE(read.Path.isEmpty());

    values = kAllValues;
    // "/x/" as REG_EXPAND_SZ: UTF-16LE with the terminating NUL.
    values.replace("\"Path\"=\"/opt/q/\"", "\"Path\"=hex(2):2f,00,78,00,2f,00,00,00");
    WriteSettingsText(values);
    read = LoadSettings();
    EXPECT_EQ(read.Path, "/x/");
    EXPECT_EQ(read.LabelFormat.Label_Height, 3);
}

// Snapping and the grid's spacing came later: missing, or a spacing no grid
// can have, each keeps its default and the others stay.
TEST_F(SettingsTest, SnapAndGridSpacingFallBackAlone)
{
    WriteSettingsText(kAllValues + "\"SnapToItems\"=dword:00000000\n"
                                   "\"GridInches\"=hex:00,00,00,00,00,00,00,00\n"
                                   "\"GridCentimetres\"=hex:33,33,33,33,33,33,d3,3f\n");
    const TSettings read = LoadSettings();
    EXPECT_EQ(read.LabelFormat.Label_Width, 5);
    EXPECT_FALSE(read.SnapToGrid);
    EXPECT_FALSE(read.SnapToItems);
    EXPECT_EQ(read.GridInches, 0.25);
    EXPECT_EQ(read.GridCentimetres, 0.3);
}

TEST_F(SettingsTest, StringsWithQuotesAndBackslashesRoundTrip)
{
    TRegistryFile reg(SettingsFilePath());
    reg.WriteString("Path", R"(C:\Program Files\"Q"\)");
    reg.WriteDWord("n", 0xFFFFFFFF);
    ASSERT_TRUE(reg.Save());
    TRegistryFile back(SettingsFilePath());
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.ReadString("PATH"), R"(C:\Program Files\"Q"\)");
    EXPECT_EQ(back.ReadDWord("N"), 0xFFFFFFFFu);
    EXPECT_FALSE(back.ReadDouble("n").has_value());
    EXPECT_EQ(back.ReadString("absent"), QString());
}

// Calibrations are kept per printer and only for printers that have one; the
// label format's values stay readable beside them.
TEST_F(SettingsTest, PrinterCalibrationsAndRoll)
{
    TSettings settings = NonDefaults();
    settings.LabelFormat.Roll = true;
    settings.LabelFormat.MaxRows = 20;
    ASSERT_TRUE(SaveSettings(settings));
    ASSERT_TRUE(SaveCalibration("zebra", {0.54, -1.26, 101.234, 99}));
    ASSERT_TRUE(SaveCalibration("office", {-10, 10, 95, 105}));
    EXPECT_FALSE(SaveCalibration("office", {10.2, 0, 100, 100}));
    EXPECT_FALSE(SaveCalibration("office", {0, 0, 94.9, 100}));
    EXPECT_EQ(LoadCalibration("zebra"), (TCalibration{0.5, -1.3, 101.23, 99}));
    EXPECT_EQ(LoadCalibration("office"), (TCalibration{-10, 10, 95, 105}));
    EXPECT_TRUE(LoadCalibration("other").IsIdentity());
    ASSERT_TRUE(SaveCalibration("office", {}));
    QFile f(SettingsFilePath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.contains("\"Calibration:zebra\"=\"0.5,-1.3,101.23,99\"\n")) << text.constData();
    EXPECT_FALSE(text.contains("office"));
    EXPECT_TRUE(text.contains("\"Roll\"=dword:00000001\n"));
    EXPECT_TRUE(text.contains("\"MaxRows\"=dword:00000014\n"));
    EXPECT_FALSE(text.contains("MaxColumns"));
    const TSettings back = LoadSettings();
    EXPECT_TRUE(back.LabelFormat.Roll);
    EXPECT_EQ(back.LabelFormat.MaxRows, 20);
    EXPECT_EQ(back.LabelFormat.MaxColumns, 0);
    EXPECT_EQ(back.LabelFormat.Label_Width, 5);

    struct {
        const char *text;
        bool ok;
    } parse[] = {{"1,2,100,100", true}, {" -0.3 , 0 , 95 , 105 ", true}, {"1,2,100", false},
                 {"1,2,100,106", false}, {"11,0,100,100", false}, {"a,0,100,100", false}, {"nan,0,100,100", false}};
    for (const auto &c : parse) {
        TCalibration cal;
        EXPECT_EQ(ParseCalibration(c.text, cal), c.ok) << c.text;
    }
}

// Asked values come back for their label only, with quotes, line breaks and
// Chinese intact; settings beside them stay readable; only the most recently
// printed labels are kept; a path differing in case never reads another's.
TEST_F(SettingsTest, RememberedAnswersPerLabel)
{
    ASSERT_TRUE(SaveSettings(NonDefaults()));
    const QHash<QString, QString> lot{{"LOT", "批号 \"A\\1\"\nB"}, {"LONG", QString(kRememberedAnswerLength + 1, 'x')}};
    ASSERT_TRUE(SaveRememberedAnswers("/labels/a.lbl", lot));
    EXPECT_EQ(LoadRememberedAnswers("/labels/a.lbl"), (QHash<QString, QString>{{"LOT", lot["LOT"]}}));
    EXPECT_TRUE(LoadRememberedAnswers("/labels/A.lbl").isEmpty());
    ASSERT_TRUE(SaveRememberedAnswers("/labels/A.lbl", {{"LOT", "upper"}}));
    EXPECT_EQ(LoadRememberedAnswers("/labels/A.lbl"), (QHash<QString, QString>{{"LOT", "upper"}}));
    EXPECT_TRUE(LoadRememberedAnswers("/labels/other.lbl").isEmpty());
    EXPECT_FALSE(SaveRememberedAnswers("", lot));
    EXPECT_EQ(LoadSettings().Path, NonDefaults().Path);

    for (int i = 0; i < kRememberedAnswerLabels; ++i)
        ASSERT_TRUE(SaveRememberedAnswers(QStringLiteral("/labels/%1.lbl").arg(i), {{"N", QString::number(i)}}));
    EXPECT_TRUE(LoadRememberedAnswers("/labels/A.lbl").isEmpty());
    EXPECT_EQ(LoadRememberedAnswers("/labels/0.lbl").value("N"), "0");
    // Printing the oldest again keeps it over the next oldest.
    ASSERT_TRUE(SaveRememberedAnswers("/labels/0.lbl", {{"N", "again"}}));
    ASSERT_TRUE(SaveRememberedAnswers("/labels/new.lbl", {{"N", "new"}}));
    EXPECT_EQ(LoadRememberedAnswers("/labels/0.lbl").value("N"), "again");
    EXPECT_TRUE(LoadRememberedAnswers("/labels/1.lbl").isEmpty());
    EXPECT_EQ(LoadRememberedAnswers("/labels/49.lbl").value("N"), "49");
}
