// What a real scanner reads from the drawn symbols: every symbology rendered
// through TPainterSurface on a QImage and decoded by libzbar.
//
// zbar's habits the expectations follow: UPC-A is reported as itself (enabled
// in ZbarDecode), so an EAN-13 whose first digit is 0 reads as that UPC-A; UPC-E
// reads as 8 digits (number system, body, check); Code 39 is read raw, so
// full-ASCII Code 39 comes back as its shift pairs; Code 93 is read in its
// full-ASCII form; one-pixel modules are enlarged before reading; an add-on only reads beside a main symbol, and the pair is
// reported as one composite symbol, main digits then add-on digits.

#include "barcode/gs1.h"
#include "barcode_test_util.h"
#include "zbar_decode.h"
#include "zxing_decode.h"

#include <gtest/gtest.h>

#include <QMap>

#include <random>
#include <string_view>
#include "missing_tool.h"

namespace {

// The published full-ASCII Code 39 table, as the shift pairs a raw reader returns.
const char *const kFullAscii39[128] = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T",
};

QString Pad(const QString &s, int n)
{
    return QString(qMax(0, n - int(s.size())), QLatin1Char('0')) + s;
}

struct Expected {
    QString typeName;
    QByteArray data;
    bool gs1 = false;
};

// What zbar should report for a filtered text.
Expected ExpectedRead(int type, const QString &text)
{
    switch (type) {
    case bcCode128:
        return {"CODE-128", text.toLatin1()};
    case bcEAN128: {
        // A group separator is an FNC1; first or last it separates nothing, and reads as nothing.
        QByteArray data = Gs1128Data(text).toLatin1();
        while (data.startsWith('\x1d'))
            data.remove(0, 1);
        while (data.endsWith('\x1d'))
            data.chop(1);
        return {"CODE-128", data, true};
    }
    case bcCode39:
        return {"CODE-39", text.toLatin1()};
    case bcCode39Ext: {
        QByteArray raw;
        for (QChar c : text)
            raw += kFullAscii39[c.unicode()];
        return {"CODE-39", raw};
    }
    case bcCode93:
        return {"CODE-93", text.toLatin1()};
    case bcUPCA: {
        const QString s = Pad(text, 11);
        return {"UPC-A", (s + UpcEanCheckDigit(s)).toLatin1()};
    }
    case bcEAN13: {
        const QString s = Pad(text, 12);
        const QByteArray full = (s + UpcEanCheckDigit(s)).toLatin1();
        return full.startsWith('0') ? Expected{"UPC-A", full.mid(1)} : Expected{"EAN-13", full};
    }
    case bcEAN8: {
        const QString s = Pad(text, 7);
        return {"EAN-8", (s + UpcEanCheckDigit(s)).toLatin1()};
    }
    case bcUPCE: {
        const QString s = Pad(text, 6);
        return {"UPC-E", ("0" + s + UpcEanCheckDigit(ExpandUPCE(s))).toLatin1()};
    }
    case bcITF:
        return {"I2/5", Pad(text, int(text.size() + text.size() % 2)).toLatin1()};
    default:
        return {};
    }
}

// zbar's edge detector misses some one-pixel elements: a module-1 drawing is
// enlarged pixel for pixel, which reads exactly the pattern drawn.
QImage Readable(const QImage &image, int module)
{
    return module > 1 ? image : image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

std::string Printable(const QByteArray &b)
{
    return b.toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[\\]^`{|}~").toStdString();
}

// The zbar symbology a type reads as.
int ZbarType(int type)
{
    const int kTypes[kBarcodeTypeCount] = {128, 39, 39, 12, 25, 93, 13, 8, 128, 0, 9, 0, 0};
    return kTypes[type];
}

// Renders, decodes with a scanner set for the symbology alone (as a shop's
// scanner is; short Interleaved 2 of 5 reads of glyph strokes are thus not
// counted) and compares; returns a description of the mismatch or "".
std::string RoundTrip(int type, const QString &raw, int module, int rotation, int barHeight,
                      bool interpretation = true)
{
    const QString text = FilterBarcodeText(type, raw);
    const Expected want = ExpectedRead(type, text);
    QList<TZbarSetting> only = {{0, 0, 0}, {ZbarType(type), 0, 1}};
    // zbar finds a UPC-A through its EAN-13 reader.
    if (type == bcEAN13 || type == bcUPCA)
        only.append({ZbarType(type == bcEAN13 ? bcUPCA : bcEAN13), 0, 1});
    const QImage image = RenderSymbol(type, text, module, rotation, barHeight, interpretation, 12 * module);
    const QList<TDecodedSymbol> got = ZbarDecode(Readable(image, module), only);
    const std::string where = " (type " + std::to_string(type) + ", text " + Printable(text.toLatin1()) +
                              ", module " + std::to_string(module) + ", rotation " + std::to_string(rotation) + ")";
    if (got.size() != 1) {
        std::string all;
        for (const TDecodedSymbol &d : got)
            all += " " + d.typeName.toStdString() + ":" + Printable(d.data);
        return std::to_string(got.size()) + " symbols read" + all + where;
    }
    if (got[0].typeName != want.typeName || got[0].data != want.data || got[0].gs1 != want.gs1)
        return "read " + got[0].typeName.toStdString() + " " + Printable(got[0].data) + (got[0].gs1 ? " gs1" : "") +
               ", wanted " + want.typeName.toStdString() + " " + Printable(want.data) + where;
    return {};
}

class DecodeTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!ZbarAvailable())
            QV_SKIP_MISSING("libzbar");
    }
};

TEST_F(DecodeTest, EverySymbologyAtModulesOneToThreeUprightAndTurned)
{
    struct Case {
        int type;
        QString text;
    };
    const Case cases[] = {
        {bcCode128, "Quorvane-2026 x"},
        {bcCode128, "1234567890"},
        {bcCode128, QStringLiteral("AB\tcd\x01{|}~\x7f`")},
        {bcCode128, QStringLiteral("\x01{")},
        {bcCode128, QStringLiteral("98765\t")},
        {bcEAN128, "0101234567890128"},
        {bcEAN128, "(10)ABC123"},
        {bcEAN128, "(01)09501101530003(17)261231(10)AB-123"},
        {bcEAN128, "(10)AB-123(21)12345(17)261231"},
        {bcCode39, "CODE 39-$/+%."},
        {bcCode39Ext, "Ab c!@~"},
        {bcCode93, "TEST93"},
        {bcCode93, "Hello, world! 1234567890 abcdefghij"},
        {bcUPCA, "03600029145"},
        {bcUPCA, "12345"},
        {bcUPCE, "654321"},
        {bcUPCE, "123454"},
        {bcUPCE, "123"},
        {bcEAN13, "400638133393"},
        {bcEAN13, "978711112345"},
        {bcEAN8, "9638507"},
        {bcITF, "123"},
        {bcITF, "12345678"},
    };
    for (const Case &c : cases)
        for (int module = 1; module <= 3; ++module)
            for (int rotation : {0, 1})
                EXPECT_EQ(RoundTrip(c.type, c.text, module, rotation, 40 * module), "");
}

// GS1-128 as ZXing reports it: the GS1 symbology identifier, and every
// element with an FNC1 (shown as a group separator) after each variable-length
// value that another follows.
TEST_F(DecodeTest, Gs1128ElementStringsReadBackWithFnc1InPlace)
{
    if (!ZxingAvailable())
        QV_SKIP_MISSING("ZXing-C++");
    const QString gs = QString(QChar(kGs1Separator));
    const struct {
        QString text;
        QString read;
    } cases[] = {
        {"(01)09501101530003(17)261231(10)AB-123", "01095011015300031726123110AB-123"},
        {"(10)AB-123(21)S/N-7(17)261231", "10AB-123" + gs + "21S/N-7" + gs + "17261231"},
        {"(00)106141412345678908(3103)001250(400)PO-17", "0010614141234567890831030012504" "00PO-17"},
    };
    for (const auto &c : cases)
        for (int rotation : {0, 1}) {
            const QList<TZxingSymbol> got =
                ZxingDecode(RenderSymbol(bcEAN128, c.text, 2, rotation, 80, true, 24), QStringLiteral("Code128"));
            ASSERT_EQ(got.size(), 1) << c.text.toStdString();
            EXPECT_EQ(got[0].identifier, QStringLiteral("]C1")) << c.text.toStdString();
            EXPECT_EQ(got[0].text, c.read) << c.text.toStdString();
        }
}

// Code 128 texts that pass through set A with set-B-only signs, which need a
// change of set to be readable at all.
TEST_F(DecodeTest, Code128SetBOnlySignsAfterControlCharacters)
{
    const QString texts[] = {
        QStringLiteral("\t`"),      QStringLiteral("\t{\t"),   QStringLiteral("\x01\x02~abc"),
        QStringLiteral("\x1b|\x1b|"), QStringLiteral("\x7f\t\x7f"), QStringLiteral("12\x05}\x06"),
    };
    for (const QString &t : texts) {
        EXPECT_EQ(RoundTrip(bcCode128, t, 1, 0, 40), "");
        EXPECT_EQ(RoundTrip(bcEAN128, t, 2, 1, 80), "");
    }
}

TEST_F(DecodeTest, AddOnsBesideAnEan13)
{
    struct Case {
        int type;
        QString text;
        QByteArray digits;
    };
    const Case cases[] = {{bcUPCSupp2, "12", "12"}, {bcUPCSupp2, "34", "34"}, {bcUPCSupp2, "7", "07"},
                          {bcUPCSupp2, "99", "99"}, {bcUPCSupp5, "52495", "52495"}, {bcUPCSupp5, "0", "00000"},
                          {bcUPCSupp5, "90000", "90000"}, {bcUPCSupp5, "12345", "12345"}};
    for (const Case &c : cases)
        for (int module = 1; module <= 3; ++module)
            for (int rotation : {0, 1}) {
                const int bh = 40 * module, margin = 12 * module;
                const int length = BarcodeWidth(module, bcEAN13, "1") + 94 * module;
                const bool upright = rotation == 0;
                QImage image((upright ? length : bh) + 2 * margin, (upright ? bh : length) + 2 * margin,
                             QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    QPainter painter(&image);
                    TPainterSurface surface(painter);
                    DrawBarcode(surface, bcEAN13, margin, margin, module, bh, "400638133393", true, rotation, false);
                    // Nine modules between the main symbol's last bar and the add-on's first.
                    const int offset = 104 * module;
                    DrawBarcode(surface, c.type, margin + (upright ? offset : 0), margin + (upright ? 0 : offset),
                                module, bh, c.text, true, rotation, true);
                }
                const QList<TDecodedSymbol> got = ZbarDecode(Readable(image, module));
                ASSERT_EQ(got.size(), 1) << c.text.toStdString() << " module " << module << " rotation " << rotation;
                EXPECT_EQ(got[0].data, "4006381333931" + c.digits)
                    << c.text.toStdString() << " module " << module << " rotation " << rotation;
            }
}

// Without a check character nothing catches a short symbol read where the
// human-readable line cuts the bars (Code 39 "6" once read as "P" and "S" too),
// so the bars stop above the text's cell. Two readers, each searching every
// line, must find the right value and nothing else, with the line shown.
TEST_F(DecodeTest, NoCheckCharacterSymbologiesReadOnlyTheirValueThroughTheText)
{
    if (!ZxingAvailable())
        QV_SKIP_MISSING("ZXing-C++");
    struct Kind {
        int type;
        std::string alphabet;
        const char *zxingFormat;
    };
    std::string ascii;
    for (int c = 1; c < 128; ++c)
        ascii += char(c);
    const Kind kinds[] = {{bcCode39, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", "Code39"},
                          {bcCode39Ext, ascii, "Code39"},
                          {bcITF, "0123456789", "ITF"}};
    int failures = 0;
    for (const Kind &k : kinds) {
        std::mt19937 rng(20260114u + unsigned(k.type));
        std::uniform_int_distribution<int> len(1, 8);
        std::uniform_int_distribution<size_t> pick(0, k.alphabet.size() - 1);
        for (int i = 0; i < 100 && failures < 10; ++i) {
            QString text = i == 0 ? QStringLiteral("6") : QString();
            for (int n = i == 0 ? 0 : len(rng); n > 0; --n)
                text.append(QLatin1Char(k.alphabet[pick(rng)]));
            text = FilterBarcodeText(k.type, text);
            const Expected want = ExpectedRead(k.type, text);
            // ZXing's reader shows Code 39 decoded to full ASCII, and needs 6 digits of ITF.
            const QString zxingWant = k.type == bcCode39Ext ? text : QString::fromLatin1(want.data);
            const bool zxingReads = k.type != bcITF || want.data.size() >= 6;
            for (int module = 1; module <= 3; ++module)
                for (int rotation = 0; rotation < 4; ++rotation) {
                    const QImage image = Readable(
                        RenderSymbol(k.type, text, module, rotation, 40 * module, true, 12 * module), module);
                    QStringList zbarReads, zxingReadsGot;
                    for (const TDecodedSymbol &d : ZbarDecode(image, {{0, 0, 0}, {ZbarType(k.type), 0, 1}}))
                        zbarReads.append(QString::fromLatin1(d.data));
                    for (const TZxingSymbol &d : ZxingDecode(image, k.zxingFormat, k.type == bcCode39Ext))
                        zxingReadsGot.append(d.text);
                    const QStringList zbarWant = {QString::fromLatin1(want.data)};
                    const QStringList zxingWantList = zxingReads ? QStringList{zxingWant} : QStringList{};
                    if (zbarReads != zbarWant || zxingReadsGot != zxingWantList) {
                        ADD_FAILURE() << "type " << k.type << " text " << Printable(text.toLatin1()) << " module "
                                      << module << " rotation " << rotation << ": zbar read "
                                      << Printable(zbarReads.join(QLatin1Char('|')).toLatin1()) << ", ZXing read "
                                      << Printable(zxingReadsGot.join(QLatin1Char('|')).toLatin1());
                        ++failures;
                    }
                }
        }
    }
}

// Random texts: a fixed seed, a few thousand per symbology, each drawn and read
// back, bars alone (the human-readable line is checked above).
class RandomRoundTrip : public DecodeTest {
protected:
    void Run(int type, const std::string &alphabet, int minLength, int maxLength, int count = 1200)
    {
        std::mt19937 rng(20261208u + unsigned(type));
        std::uniform_int_distribution<int> len(minLength, maxLength);
        std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
        int failures = 0;
        for (int i = 0; i < count && failures < 5; ++i) {
            QString text;
            for (int n = len(rng); n > 0; --n)
                text.append(QLatin1Char(alphabet[pick(rng)]));
            const std::string error = RoundTrip(type, text, 1 + i % 2, (i / 2) % 2, 24, false);
            if (!error.empty()) {
                ADD_FAILURE() << error;
                ++failures;
            }
        }
    }
    static std::string Ascii()
    {
        std::string s;
        for (int c = 1; c < 128; ++c)
            s += char(c);
        return s;
    }
    static std::string Digits() { return "0123456789"; }
};

TEST_F(RandomRoundTrip, Code128) { Run(bcCode128, Ascii(), 1, 20); }
TEST_F(RandomRoundTrip, Code128DigitsAndControls) { Run(bcCode128, "0123456789\t\x01aZ`", 1, 16); }
TEST_F(RandomRoundTrip, EAN128) { Run(bcEAN128, Ascii(), 1, 20); }
TEST_F(RandomRoundTrip, Code39) { Run(bcCode39, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", 1, 16); }
TEST_F(RandomRoundTrip, Code39Ext) { Run(bcCode39Ext, Ascii(), 1, 10); }
TEST_F(RandomRoundTrip, Code93) { Run(bcCode93, Ascii(), 1, 22); }
TEST_F(RandomRoundTrip, UPCA) { Run(bcUPCA, Digits(), 1, 11); }
TEST_F(RandomRoundTrip, UPCE) { Run(bcUPCE, Digits(), 1, 6); }
TEST_F(RandomRoundTrip, EAN13) { Run(bcEAN13, Digits(), 1, 12); }
TEST_F(RandomRoundTrip, EAN8) { Run(bcEAN8, Digits(), 1, 7); }
TEST_F(RandomRoundTrip, ITF) { Run(bcITF, Digits(), 1, 20); }

// The symbologies libzint encodes for us, drawn by our engine through
// TPainterSurface and read back by ZXing or zbar (whichever reads it): the
// composites' linear part, DataBar, Codabar, ITF-14, Micro QR, MaxiCode, GS1
// QR. Han Xin, DotCode, rMQR and DataBar Limited have no reader here (ZXing
// 1.4, zbar 0.23), and ZXing 1.4 fails an assertion on stacked DataBar;
// zint_test checks their modules.
TEST(DecodeZintRows, ReadersGetTheTextBack)
{
    struct Case {
        const char *cliName;
        QString text;
        QMap<QString, QString> options;
        const char *zxing;  // ZXing's format; nullptr: zbar reads it
        int zbar;           // zbar's symbology when ZXing does not
        QString want;
    };
    const Case cases[] = {
        {"codabar", "A37859B", {}, "Codabar", 0, "37859"},  // ZXing leaves out start and stop
        {"itf14", "1234567890123", {}, "ITF", 0, "12345678901231"},
        {"itf14", "1234567890123", {{"bearer", "bars"}}, nullptr, 25, "12345678901231"},
        {"dbar_omn", "0950110153000", {}, "DataBar", 0, "09501101530003"},
        {"dbar_exp", "(01)09501101530003(10)AB123", {}, "DataBarExpanded", 0, "(01)09501101530003(10)AB123"},
        {"dbar_exp_cc", "(01)09501101530003", {{"composite", "(17)261231"}}, nullptr, 35, "0109501101530003"},
        {"gs1_128_cc", "(01)09501101530003", {{"composite", "(17)261231"}}, "Code128", 0, "0109501101530003"},
        {"eanx_cc", "331234567890", {{"composite", "(17)261231"}}, "EAN13", 0, "3312345678903"},
        {"microqr", "12345", {}, "MicroQRCode", 0, "12345"},
        {"microqr", "QV-42", {{"version", "M4"}, {"ecc", "Q"}}, "MicroQRCode", 0, "QV-42"},
        {"maxicode", "Quorvane 42", {}, "MaxiCode", 0, "Quorvane 42"},
        {"maxicode", "Quorvane 42", {{"mode", "5"}}, "MaxiCode", 0, "Quorvane 42"},
        {"gs1qr", "(01)09501101530003(10)AB12", {}, "QRCode", 0, "010950110153000310AB12"},
        {"hibc_qr", "A123BJC5D6E71", {}, "QRCode", 0, "+A123BJC5D6E71G"},
        {"hibc_128", "A123BJC5D6E71", {}, "Code128", 0, "+A123BJC5D6E71G"},
        {"code32", "12345678", {}, nullptr, 39, "3PRM8N"},  // zbar reads the Code 39 underneath
        {"logmars", "ABC123", {}, "Code39", 0, "ABC123"},
        {"pdf417comp", "Quorvane 条形码", {}, "PDF417", 0, "Quorvane 条形码"},
    };
    const bool zxing = ZxingAvailable(), zbar = ZbarAvailable();
    if (!zxing && !zbar)
        QV_SKIP_MISSING("ZXing-C++ and libzbar");
    for (const Case &c : cases) {
        const TSymbology *row = FindSymbologyByCliName(QString::fromLatin1(c.cliName));
        ASSERT_NE(row, nullptr) << c.cliName;
        TBarcodeOptions options;
        options.named = c.options;
        const TBarcodeSymbol symbol(row->ordinal, c.text, options);
        ASSERT_TRUE(symbol.Ok()) << c.cliName << ": " << symbol.Error().toStdString();
        for (int module : {2, 3})
            for (int rotation : {0, 1}) {
                // ZXing finds a MaxiCode only upright.
                if (rotation && c.zxing && c.zxing == std::string_view("MaxiCode"))
                    continue;
                const int margin = 10 * module, bh = 50 * module;
                const QSize box = symbol.Box(module, bh, rotation);
                QImage image(box + QSize(2 * margin, 2 * margin), QImage::Format_RGB32);
                image.fill(Qt::white);
                {
                    QPainter painter(&image);
                    TPainterSurface surface(painter);
                    symbol.Draw(surface, margin, margin, module, bh, false, rotation, false);
                }
                const std::string where = std::string(c.cliName) + " module " + std::to_string(module) +
                                          " rotation " + std::to_string(rotation);
                QStringList got;
                if (c.zxing && zxing) {
                    for (const TZxingSymbol &d : ZxingDecode(image, QLatin1String(c.zxing)))
                        got.append(d.text);
                } else if (!c.zxing && zbar) {
                    for (const TDecodedSymbol &d : ZbarDecode(image, {{0, 0, 0}, {c.zbar, 0, 1}}))
                        got.append(QString::fromUtf8(d.data));
                } else {
                    continue;
                }
                EXPECT_EQ(got.join(QLatin1Char('|')).toStdString(), c.want.toStdString()) << where;
            }
    }
}

} // namespace
