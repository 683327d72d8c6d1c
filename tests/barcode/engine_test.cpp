// The engine's arithmetic and geometry: encodations, check characters,
// widths, layouts and the frame at every rotation.

#include "barcode/barcode.h"
#include "barcode/gs1.h"
#include "barcode/recording_surface.h"
#include "barcode/symbology.h"
#include "barcode_test_util.h"

#include <gtest/gtest.h>

namespace {

QList<int> Values(const QByteArray &symbols)
{
    QList<int> v;
    for (char c : symbols)
        v.append(uchar(c) - 32);
    return v;
}

struct Code128Case {
    const char *name;
    QString text;
    bool ean;
    QList<int> symbols;
};

class Code128EncodeTest : public testing::TestWithParam<Code128Case> {};

TEST_P(Code128EncodeTest, SymbolValues)
{
    const Code128Case &c = GetParam();
    const QByteArray encoded = Code128Encode(c.text, c.ean);
    EXPECT_EQ(Values(encoded), c.symbols);
    EXPECT_EQ(Code128CheckChar(encoded.left(encoded.size() - 2)), c.symbols[c.symbols.size() - 2]);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, Code128EncodeTest,
    testing::Values(Code128Case{"FourDigitsInC", "1234", false, {105, 12, 34, 82, 106}},
                    Code128Case{"ThreeDigitsStayInB", "123", false, {104, 17, 18, 19, 8, 106}},
                    Code128Case{"OddRunEndsInB", "12345", false, {105, 12, 34, 100, 21, 54, 106}},
                    Code128Case{"EvenRunSwitchesToC", "AB1234", false, {104, 33, 34, 99, 12, 34, 102, 106}},
                    Code128Case{"ShiftForOneControl", QStringLiteral("a\tb"), false, {104, 65, 98, 73, 66, 24, 106}},
                    Code128Case{"Fnc1AfterStart", "1234", true, {105, 102, 12, 34, 24, 106}},
                    Code128Case{"OddRunInsideBStays", "A123B", false, {104, 33, 17, 18, 19, 34, 59, 106}},
                    Code128Case{"ControlThenLettersCodeB", QStringLiteral("\tab"), false,
                                {103, 73, 100, 65, 66, 11, 106}},
                    // Set-B-only signs met in set A switch as a small letter would.
                    Code128Case{"BraceAfterControl", QStringLiteral("\t{"), false, {103, 73, 100, 91, 31, 106}},
                    Code128Case{"GraveBetweenControls", QStringLiteral("\t`\t"), false,
                                {103, 73, 98, 64, 73, 32, 106}},
                    // GS1-128: a group separator is an FNC1, in any code set.
                    Code128Case{"Fnc1BetweenFields", QStringLiteral("10AB\x1d" "17261231"), true,
                                {104, 102, 17, 16, 33, 34, 102, 99, 17, 26, 12, 31, 48, 106}},
                    Code128Case{"Fnc1AfterOddDigitRun", QStringLiteral("12345\x1d" "17261231"), true,
                                {105, 102, 12, 34, 100, 21, 102, 99, 17, 26, 12, 31, 90, 106}},
                    // A lone control character after a digit run needs set A, not B.
                    Code128Case{"ControlAfterDigitRun", QStringLiteral("1234\t"), false,
                                {105, 12, 34, 101, 73, 59, 106}}),
    [](const testing::TestParamInfo<Code128Case> &i) { return std::string(i.param.name); });

TEST(Code128StartSetTest, ChoosesByLeadingDigitsAndFirstDecidingCharacter)
{
    EXPECT_EQ(Code128StartSet(QStringLiteral("12345A")), 'C');
    EXPECT_EQ(Code128StartSet(QString()), 'B');
    EXPECT_EQ(Code128StartSet(QStringLiteral("AB\tc")), 'A');
    EXPECT_EQ(Code128StartSet(QStringLiteral("ABc\t")), 'B');
    EXPECT_EQ(Code128StartSet(QStringLiteral("ABC")), 'B');
}

// Element strings as GS1-128 and GS1 DataMatrix take them: what the symbol
// carries (a group separator for each FNC1 after the first) or the refusal,
// word for word. `together`: also read without brackets, as EAN 128 does.
TEST(Gs1Test, ElementStringsCheckedAgainstTheAiTable)
{
    struct Case {
        QString text;
        bool together;
        QString data;   // when good
        QString error;  // when bad
    };
    const QString gs = QString(QChar(kGs1Separator));
    const Case cases[] = {
        {"(01)09501101530003(17)261231(10)AB-123", false, "01095011015300031726123110AB-123", {}},
        {"(10)AB-123(17)261231", false, "10AB-123" + gs + "17261231", {}},
        {"(10)AB(21)C(D)", false, "10AB" + gs + "21C(D)", {}},
        {"(00)106141412345678908(3103)001250(414)5412345000013", false,
         "001061414123456789083103001250" "4145412345000013", {}},
        {"(17)261200(11)240229", false, "1726120011240229", {}},
        {"(7003)2612312359(8008)26123115", false, "70032612312359" + gs + "800826123115", {}},
        {"0101234567890128", true, "0101234567890128", {}},
        {"10AB" + gs + "17261231", true, "10AB" + gs + "17261231", {}},
        {"(17)261331", false, {}, "AI (17): 261331 is not a valid date (YYMMDD)"},
        {"(11)250229", false, {}, "AI (11): 250229 is not a valid date (YYMMDD)"},
        {"(01)09501101530004", false, {}, "AI (01): the check digit of 09501101530004 is wrong; it should be 3"},
        {"(01)0950110153000", false, {}, "AI (01): 0950110153000 has 13 characters; it takes 14"},
        {"(10)ABCDEFGHIJKLMNOPQRSTU", false, {},
         "AI (10): ABCDEFGHIJKLMNOPQRSTU has 21 characters; it takes at most 20"},
        {"(10)", false, {}, "AI (10): the value is missing"},
        {"(10)AB#1", false, {}, "AI (10): AB#1 may not hold '#' (GS1 character set 82)"},
        {QString::fromUtf8("(10)批号1"), false, {},
         QString::fromUtf8("AI (10): 批号1 may not hold '批' (GS1 character set 82)")},
        {"(20)1A", false, {}, "AI (20): 1A may hold only digits, not 'A'"},
        {"(7003)2612312460", false, {}, "AI (7003): 2460 is not a valid time (HHMM)"},
        {"(8006)095011015300030302", false, {}, "AI (8006): 0302 is not a piece of a total (piece 1 to total)"},
        {"(4321)2", false, {}, "AI (4321): 2 must be 0 or 1"},
        {"(19)1", false, {}, "AI (19) is not in the GS1 table"},
        {"(0A)1", false, {}, "(0A) is not an AI: 2 to 4 digits in brackets"},
        {"0109501101530003", false, {}, "GS1 data must begin with an AI in brackets, such as (01)"},
        {"1234", true, {}, "AI (12): 34 has 2 characters; it takes 6"},
        {"ABC", true, {}, "GS1 data without brackets must begin with an AI: ABC does not"},
        {"422156" "10AB", true, {}, "AI (422): 15610AB has 7 characters; it takes 3"},
    };
    for (const Case &c : cases) {
        const TGs1Data d = ParseGs1(c.text, c.together);
        EXPECT_EQ(d.error, c.error) << c.text.toStdString();
        if (c.error.isEmpty()) {
            EXPECT_EQ(d.Data(QChar(kGs1Separator)), c.data) << c.text.toStdString();
        }
    }
}

// Every GS1 symbology refuses in the same words.
TEST(Gs1Test, EverySymbologyMarkedGs1IsChecked)
{
    for (const TSymbology &row : Symbologies()) {
        if (!row.gs1)
            continue;
        const TBarcodeSymbol bad(row.ordinal, FilterBarcodeText(row.ordinal, "(17)261331"));
        EXPECT_EQ(bad.Error(), "AI (17): 261331 is not a valid date (YYMMDD)") << row.cliName;
        if (FindSymbolOption(row, u"composite")) {
            // The 2D part is checked too; the linear part may be EAN digits.
            TBarcodeOptions o;
            o.named.insert(QStringLiteral("composite"), QStringLiteral("(17)261331"));
            EXPECT_EQ(TBarcodeSymbol(row.ordinal, "331234567890", o).Error(),
                      "AI (17): 261331 is not a valid date (YYMMDD)")
                << row.cliName;
            continue;
        }
        EXPECT_TRUE(TBarcodeSymbol(row.ordinal, "(01)09501101530003(17)261231").Ok()) << row.cliName;
    }
}

TEST(Code93CheckTest, PublishedExamples)
{
    EXPECT_EQ(Code93CheckC(QStringLiteral("AB")), 31);
    EXPECT_EQ(Code93CheckK(QStringLiteral("AB")), 36);
    EXPECT_EQ(Code93CheckC(QStringLiteral("TEST93")), 41);
    EXPECT_EQ(Code93CheckK(QStringLiteral("TEST93")), 6);
    EXPECT_EQ(Code93CheckC(QString()), 0);
}

struct WidthCase {
    int type;
    QString text;
    int module;
    int width;
    int patternLength;  // first bar to last bar, at module 1; -1 not checked
};

class WidthTest : public testing::TestWithParam<WidthCase> {};

TEST_P(WidthTest, BoxAndDrawnSymbolAgree)
{
    const WidthCase &c = GetParam();
    EXPECT_EQ(BarcodeWidth(c.module, c.type, c.text), c.width);
    if (c.patternLength >= 0) {
        EXPECT_EQ(BarcodePattern(c.type, c.text).size(), c.patternLength);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engine, WidthTest,
    testing::Values(WidthCase{bcCode128, "1234", 1, 77, 57}, WidthCase{bcEAN128, "1234", 1, 88, 68},
                    WidthCase{bcCode39, "AB", 1, 72, 51}, WidthCase{bcCode39Ext, "a", 1, 72, 51},
                    WidthCase{bcCode39Ext, "a", 3, 216, -1}, WidthCase{bcCode93, "AB", 1, 75, 55},
                    WidthCase{bcCode93, "a", 1, 75, 55}, WidthCase{bcUPCA, "1", 1, 115, 95},
                    WidthCase{bcEAN13, "4006381333931", 2, 230, -1}, WidthCase{bcEAN13, "1", 1, 115, 95},
                    WidthCase{bcEAN8, "9638507", 1, 87, 67}, WidthCase{bcUPCE, "123", 1, 71, 51},
                    WidthCase{bcUPCSupp2, "7", 1, 40, 20}, WidthCase{bcUPCSupp5, "52495", 1, 67, 47},
                    WidthCase{bcITF, "123", 1, 65, 45}, WidthCase{bcITF, "12", 1, 47, 27},
                    WidthCase{bcPostnet, "12345", 1, 83, 63}, WidthCase{bcPostnet, "0", 2, 86, -1},
                    WidthCase{bcCode128, "", 3, 60, 0}, WidthCase{bcPostnet, "", 1, 20, 0},
                    WidthCase{13, "1", 1, 0, -1}, WidthCase{13, "", 2, 40, -1}));

TEST(FilterTest, KeepsWhatEachSymbologyAccepts)
{
    struct Case {
        int type;
        QString in, out;
    };
    const Case cases[] = {
        {bcCode39, "abc-1*", "ABC-1"},
        {bcEAN13, "978-7-111-12345-6", "978711112345"},
        {bcUPCA, "12:34;", "1234"},
        {bcCode128, QString::fromUtf8("a\xC3\xA9") + QChar(0) + QChar(127) + QChar(1), QString("a") + QChar(127) + QChar(1)},
        {bcCode39Ext, QStringLiteral("\x01z"), QStringLiteral("\x01z")},
        {bcPostnet, "123456789012345", "12345678901"},
        {bcUPCE, "12345678", "123456"},
        {bcEAN8, "123456789", "1234567"},
        {bcUPCSupp2, "123", "12"},
        {bcUPCSupp5, "1234567", "12345"},
        {bcITF, "1a2b3", "123"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FilterBarcodeText(c.type, c.in), c.out) << c.type << " " << c.in.toStdString();
    // GS1-128 keeps everything, for its check to name what GS1 cannot carry.
    const QString chinese = QString::fromUtf8("条形码");
    for (int t = 0; t < kBarcodeTypeCount; ++t)
        EXPECT_EQ(FilterBarcodeText(t, chinese).isEmpty(), t != bcEAN128) << t;
}

TEST(TypeListTest, MapsBothWays)
{
    const int listIndex[kBarcodeTypeCount] = {0, 1, 2, 4, 11, 3, 7, 8, 6, 12, 5, 9, 10};
    for (int t = 0; t < kBarcodeTypeCount; ++t) {
        EXPECT_EQ(BarcodeTypeToListIndex(t), listIndex[t]);
        EXPECT_EQ(ListIndexToBarcodeType(listIndex[t]), t);
    }
    EXPECT_EQ(BarcodeTypeToListIndex(200), 12);
    EXPECT_EQ(BarcodeListCaption(2), QString::fromUtf8("扩展的Code 39"));
    EXPECT_EQ(BarcodeListCaption(12), QStringLiteral("POSTNET"));
    EXPECT_EQ(BarcodeListCaption(9), QStringLiteral("UPC 2 digit Extention"));
}

TEST(UpcEanTest, CheckDigitsAndExpansion)
{
    const std::pair<QString, char> checks[] = {{"03600029145", '2'}, {"400638133393", '1'}, {"9638507", '4'},
                                               {"00000012345", '7'}, {"", '0'}};
    for (const auto &[digits, check] : checks)
        EXPECT_EQ(UpcEanCheckDigit(digits), QLatin1Char(check)) << digits.toStdString();

    const std::pair<QString, QString> expansions[] = {{"654321", "06510000432"}, {"123454", "01234000005"},
                                                      {"123450", "01200000345"}, {"123453", "01230000045"},
                                                      {"12", ""}};
    for (const auto &[body, full] : expansions)
        EXPECT_EQ(ExpandUPCE(body), full) << body.toStdString();
    EXPECT_EQ(UpcEanCheckDigit(ExpandUPCE("654321")), QLatin1Char('7'));
    EXPECT_EQ(UpcEanCheckDigit(ExpandUPCE("123454")), QLatin1Char('3'));
}

TEST(PaddingTest, ShortInputDrawsAsPadded)
{
    EXPECT_EQ(BarcodePattern(bcITF, "123"), BarcodePattern(bcITF, "0123"));
    EXPECT_EQ(BarcodePattern(bcUPCA, "12345"), BarcodePattern(bcUPCA, "00000012345"));
    EXPECT_EQ(BarcodePattern(bcUPCE, "123"), BarcodePattern(bcUPCE, "000123"));
    EXPECT_EQ(BarcodePattern(bcUPCSupp2, "7"), BarcodePattern(bcUPCSupp2, "07"));
    EXPECT_EQ(BarcodePattern(bcEAN8, "1"), BarcodePattern(bcEAN8, "0000001"));
}

TEST(PostnetTest, CheckDigits)
{
    EXPECT_EQ(PostnetCheckDigit("12345"), QLatin1Char('5'));
    EXPECT_EQ(PostnetCheckDigit("0"), QLatin1Char('0'));
    EXPECT_EQ(PostnetCheckDigit("9"), QLatin1Char('1'));
}

// Odd bar height 21: full bars 21 long, half bars 10 from v = 10 to 20, on
// the symbol's bottom side wherever rotation puts it; no text ever.
TEST(PostnetTest, HalfBarsLieOnTheBottomSideAtEveryRotation)
{
    const int L = BarcodeWidth(1, bcPostnet, "12345");
    for (int rotation = 0; rotation < 4; ++rotation) {
        TRecordingSurface s;
        DrawBarcode(s, bcPostnet, 0, 0, 1, 21, "12345", true, rotation, true);
        EXPECT_TRUE(s.texts.isEmpty());
        int full = 0, half = 0;
        for (const TRecordedFill &f : s.fills) {
            const bool upright = rotation % 2 == 0;
            const int across0 = upright ? f.y : f.x;
            const int across = upright ? f.h : f.w;
            const int along0 = upright ? f.x : f.y;
            const int along = upright ? f.w : f.h;
            EXPECT_EQ(along, 1);
            EXPECT_GE(along0, 10);
            EXPECT_LE(along0 + along, L - 10);
            if (across == 21) {
                EXPECT_EQ(across0, 0);
                ++full;
            } else {
                EXPECT_EQ(across, 10);
                // Frame v 10..20 on the device: bottom, left, top, right edges.
                const int expected[4] = {10, 1, 1, 10};
                EXPECT_EQ(across0, expected[rotation]) << "rotation " << rotation;
                ++half;
            }
        }
        EXPECT_EQ(full, 2 + 12) << "frame bars and two per digit of 123455";
        EXPECT_EQ(half, 18);
    }
}

TEST(FontTest, CellHeightFollowsTheModule)
{
    const std::pair<int, int> heights[] = {{1, 14}, {2, 24}, {3, 36}, {9, 108}};
    for (const auto &[module, cell] : heights) {
        EXPECT_EQ(BarcodeFontHeight(module), cell);
        TRecordingSurface rec;
        DrawBarcode(rec, bcCode128, 0, 0, module, 80, "AB", true, 0, false);
        ASSERT_EQ(rec.texts.size(), 1);
        EXPECT_EQ(rec.texts[0].cellHeight, cell);

        // The real surface picks the largest face whose cell still fits.
        QImage image(10, 10, QImage::Format_RGB32);
        QPainter painter(&image);
        TPainterSurface surface(painter);
        surface.SelectFont(QStringLiteral("Courier New"), cell, 0);
        int w = 0, h = 0;
        surface.MeasureText(QStringLiteral("0123"), w, h);
        EXPECT_LE(h, cell);
        EXPECT_GE(h, cell - cell / 8 - 1);
        EXPECT_GT(w, 0);
        surface.RestoreFont();
    }
}

// One frame rectangle (u 1..3, v 0..2) of a 10 x 6 symbol at (1, 1).
TEST(FrameTest, MapsEachRotationOntoTheDevice)
{
    const QRect expected[4] = {QRect(2, 1, 2, 2), QRect(5, 2, 2, 2), QRect(8, 5, 2, 2), QRect(1, 8, 2, 2)};
    for (int rotation = 0; rotation < 4; ++rotation) {
        QImage image(12, 12, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            TPainterSurface surface(painter);
            const TSymbolFrame frame{surface, 1, 1, 10, 6, rotation};
            frame.Fill(1, 3, 0, 2, true);
        }
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(IsBlack(image, x, y), expected[rotation].contains(x, y))
                    << "rotation " << rotation << " at " << x << "," << y;
    }
}

// Where the first bar, the bars' far ends and the text go at each rotation.
// Bars leave the text band free; without a check character (Code 39) they
// also stop short of the text's cell.
TEST(FrameTest, SymbolAndTextTurnTogether)
{
    const int m = 2, BH = 60, band = 5 * m, cell = BarcodeFontHeight(m);
    const int escapement[4] = {0, 2700, 1800, 900};
    for (const auto &[type, clear] : {std::pair{bcCode128, band}, std::pair{bcCode39, cell}}) {
        const int L = BarcodeWidth(m, type, "AB");
        for (int rotation = 0; rotation < 4; ++rotation) {
            const std::string where = "type " + std::to_string(type) + " rotation " + std::to_string(rotation);
            TRecordingSurface s;
            DrawBarcode(s, type, 0, 0, m, BH, "AB", true, rotation, false);
            ASSERT_FALSE(s.fills.isEmpty());
            EXPECT_FALSE(s.fills[0].black) << "background first";
            EXPECT_EQ(s.fills[0].w * s.fills[0].h, L * BH);
            int lo = INT_MAX, hi = INT_MIN;
            for (qsizetype i = 1; i < s.fills.size(); ++i) {
                const TRecordedFill &f = s.fills[i];
                ASSERT_TRUE(f.black);
                switch (rotation) {
                case 0: EXPECT_EQ(f.y, 0) << where; EXPECT_EQ(f.h, BH - clear) << where; break;
                case 1: EXPECT_EQ(f.x, clear) << where; EXPECT_EQ(f.w, BH - clear) << where; break;
                case 2: EXPECT_EQ(f.y, clear) << where; EXPECT_EQ(f.h, BH - clear) << where; break;
                case 3: EXPECT_EQ(f.x, 0) << where; EXPECT_EQ(f.w, BH - clear) << where; break;
                }
                lo = qMin(lo, rotation % 2 ? f.y : f.x);
                hi = qMax(hi, rotation % 2 ? f.y + f.h : f.x + f.w);
            }
            // The first bar sits 10 modules in from the symbol's start.
            if (rotation < 2)
                EXPECT_EQ(lo, 10 * m) << where;
            else
                EXPECT_EQ(hi, L - 10 * m) << where;
            ASSERT_EQ(s.texts.size(), 1);
            const TRecordedText &t = s.texts[0];
            EXPECT_EQ(t.escapement, escapement[rotation]);
            const int tw = 2 * t.cellHeight * 3 / 5, th = t.cellHeight;
            const int u = L / 2 - tw / 2, v = BH - th;
            const QPoint ref[4] = {{u, v}, {BH - v, u}, {L - u, BH - v}, {v, L - u}};
            EXPECT_EQ(QPoint(t.x, t.y), ref[rotation]) << where;
        }
    }
}

TEST(DrawTest, EmptyTextOrUnknownTypeGivesTheWhiteBoxOnly)
{
    for (const auto &[type, text] : {std::pair<int, QString>{bcCode128, ""}, {bcEAN13, ""}, {42, "123"}}) {
        TRecordingSurface s;
        DrawBarcode(s, type, 3, 4, 2, 30, text, true, 1, false);
        ASSERT_EQ(s.fills.size(), 1);
        EXPECT_FALSE(s.fills[0].black);
        EXPECT_EQ(s.texts.size(), 0);
    }
}

TEST(DrawTest, TransparentLeavesTheBackgroundButNotTheTextCell)
{
    TRecordingSurface s;
    DrawBarcode(s, bcCode128, 0, 0, 1, 40, "AB", true, 0, true);
    for (const TRecordedFill &f : s.fills)
        EXPECT_TRUE(f.black);
    EXPECT_EQ(s.texts.size(), 1);

    // On a real image the cell is painted white over a coloured background.
    QImage image(BarcodeWidth(1, bcCode128, "AB"), 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        TPainterSurface surface(painter);
        DrawBarcode(surface, bcCode128, 0, 0, 1, 40, "AB", true, 0, true);
    }
    EXPECT_EQ(image.pixel(2, 2), QColor(Qt::red).rgb());
    EXPECT_EQ(image.pixel(image.width() / 2, 38), QColor(Qt::white).rgb());
    EXPECT_EQ(image.pixel(2, 38), QColor(Qt::red).rgb());
}

// The symbologies without a check character lose the text's whole cell (14
// pixels at module 1), not just the band.
TEST(DrawTest, InterpretationShortensTheBars)
{
    for (const auto &[type, band, top] : {std::tuple{bcCode128, 5, 0}, {bcUPCSupp5, 15, 15}, {bcPostnet, 0, 0},
                                          {bcCode39, 14, 0}, {bcCode39Ext, 14, 0}, {bcITF, 14, 0}}) {
        const QString text = FilterBarcodeText(type, "12345");
        for (bool on : {false, true}) {
            TRecordingSurface s;
            DrawBarcode(s, type, 0, 0, 1, 50, text, on, 0, true);
            ASSERT_FALSE(s.fills.isEmpty());
            EXPECT_EQ(s.fills[0].y, on ? top : 0) << type;
            EXPECT_EQ(s.fills[0].h, on ? 50 - band : 50) << type;
        }
    }
}

struct LayoutCase {
    int type;
    QString text;
    QStringList strings;
};

TEST(LayoutTest, HumanReadableStrings)
{
    const LayoutCase cases[] = {
        {bcUPCA, "03600029145", {"0", "2", "36000", "29145"}},
        {bcUPCA, "12345", {"0", "7", "00000", "12345"}},
        {bcEAN13, "400638133393", {"4", "006381 333931"}},
        {bcUPCE, "654321", {"0", "7", "654321"}},
        {bcUPCE, "123", {"0", "3", "000123"}},
        {bcEAN8, "9638507", {"9638507"}},
        {bcITF, "123", {"123"}},
        {bcCode39Ext, "a", {"a"}},
        {bcEAN128, "1234", {"1234"}},
        {bcUPCSupp2, "7", {"7"}},
        {bcPostnet, "12345", {}},
    };
    for (const LayoutCase &c : cases) {
        TRecordingSurface s;
        DrawBarcode(s, c.type, 0, 0, 1, 60, c.text, true, 0, false);
        QStringList got;
        for (const TRecordedText &t : s.texts)
            got.append(t.text);
        EXPECT_EQ(got, c.strings) << c.type << " " << c.text.toStdString();
    }
}

TEST(LayoutTest, UpcAGroupsSitAroundTheCentre)
{
    TRecordingSurface s;
    const int m = 2, L = BarcodeWidth(m, bcUPCA, "1");
    DrawBarcode(s, bcUPCA, 0, 0, m, 80, "03600029145", true, 0, false);
    ASSERT_EQ(s.texts.size(), 4);
    const int cw = 24 * 3 / 5, groupWidth = 5 * 24 * 3 / 5;
    EXPECT_EQ(s.texts[0].x, 0);
    EXPECT_EQ(s.texts[1].x, L - cw);
    EXPECT_EQ(s.texts[2].x, L / 2 - 2 * m - groupWidth);
    EXPECT_EQ(s.texts[3].x, L / 2 + 2 * m);
    for (const TRecordedText &t : s.texts)
        EXPECT_EQ(t.y, 80 - 24);

    TRecordingSurface above;
    DrawBarcode(above, bcUPCSupp5, 0, 0, m, 80, "52495", true, 0, false);
    ASSERT_EQ(above.texts.size(), 1);
    EXPECT_EQ(above.texts[0].y, 0);
}

} // namespace
