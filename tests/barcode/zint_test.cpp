// The engine's patterns against an independent encoder: the zint command-line
// program's --dump, when it is installed. POSTNET has no reader in zbar, so
// this is where its bars are checked.

#include "barcode/recording_surface.h"

#include <QImage>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include "missing_tool.h"

#include <set>

#include <zint.h>

namespace {

// zint's dump: one line of hexadecimal per row, most significant bit first.
QStringList ZintRows(int zintType, const QStringList &args)
{
    QProcess zint;
    zint.start(QStringLiteral("zint"),
               QStringList{QStringLiteral("-b"), QString::number(zintType), QStringLiteral("--dump")} + args);
    if (!zint.waitForFinished(10000) || zint.exitCode() != 0)
        return {};
    QStringList rows;
    for (const QString &line : QString::fromLatin1(zint.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        QString bits;
        for (const QString &hex : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            for (QChar h : hex) {
                const int v = QString(h).toInt(nullptr, 16);
                for (int b = 3; b >= 0; --b)
                    bits.append((v >> b) & 1 ? QLatin1Char('1') : QLatin1Char('0'));
            }
        if (!bits.isEmpty())
            rows.append(bits);
    }
    return rows;
}

QString TrimSpaces(QString s)
{
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    return s;
}

struct ZintCase {
    int type;
    int zintType;
    QString text;
};

TEST(ZintTest, PatternsMatchAnIndependentEncoder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("zint")).isEmpty())
        QV_SKIP_MISSING("zint");
    const ZintCase cases[] = {
        {bcCode128, 20, "1234"},        {bcCode128, 20, "AB1234"},       {bcCode128, 20, "Hello"},
        {bcCode39, 8, "AB"},            {bcCode39, 8, "CODE-39 $/+%."},  {bcCode93, 25, "TEST93"},
        {bcCode93, 25, "AB"},           {bcEAN13, 13, "400638133393"},   {bcUPCA, 34, "03600029145"},
        {bcUPCE, 37, "654321"},         {bcUPCE, 37, "123454"},          {bcEAN8, 10, "9638507"},
        {bcITF, 3, "0123"},             {bcITF, 3, "12345678"},          {bcPostnet, 40, "12345"},
        {bcPostnet, 40, "0"},           {bcPostnet, 40, "98765432101"},  {bcPostnet, 40, "555"},
    };
    for (const ZintCase &c : cases) {
        const QStringList rows = ZintRows(c.zintType, {QStringLiteral("-d"), c.text});
        ASSERT_FALSE(rows.isEmpty()) << "zint -b " << c.zintType << " " << c.text.toStdString();
        QString want;
        if (c.type == bcPostnet) {
            // Top row: the full bars; bottom row: every bar.
            ASSERT_EQ(rows.size(), 2);
            for (qsizetype i = 0; i < rows[1].size(); ++i)
                want.append(rows[0][i] == QLatin1Char('1')   ? QLatin1Char('F')
                            : rows[1][i] == QLatin1Char('1') ? QLatin1Char('H')
                                                             : QLatin1Char('0'));
        } else {
            want = rows[0];
        }
        EXPECT_EQ(BarcodePattern(c.type, c.text), TrimSpaces(want)) << c.type << " " << c.text.toStdString();
    }
}

// The rows drawn from libzint's rows: the pattern (each row once) is zint
// --dump's for the same text and options, libzint's defaults for the rest.
struct ZintRowCase {
    const char *cliName;
    QString text;
    QMap<QString, QString> options;
    QStringList zintArgs;
};

TEST(ZintTest, RowsFromLibzintMatchItsDump)
{
    using namespace Qt::StringLiterals;
    if (QStandardPaths::findExecutable(QStringLiteral("zint")).isEmpty())
        QV_SKIP_MISSING("zint");
    const ZintRowCase cases[] = {
        {"codabar", u"A37859B"_s, {}, {}},
        {"code11", u"123-45"_s, {}, {}},
        {"msi_plessey", u"1234567"_s, {}, {}},
        {"plessey", u"1234ABCD"_s, {}, {}},
        {"telepen", u"ABC123"_s, {}, {}},
        {"telepen_num", u"123456"_s, {}, {}},
        {"c25standard", u"123456"_s, {}, {}},
        {"c25ind", u"123456"_s, {}, {}},
        {"c25iata", u"123456"_s, {}, {}},
        {"c25logic", u"123456"_s, {}, {}},
        {"itf14", u"1234567890123"_s, {}, {}},
        {"ean14", u"1234567890123"_s, {}, {}},
        {"nve18", u"12345678901234567"_s, {}, {}},
        {"isbnx", u"9780306406157"_s, {}, {}},
        {"logmars", u"ABC123"_s, {}, {}},
        {"code32", u"12345678"_s, {}, {}},
        {"pzn", u"123456"_s, {}, {}},
        {"pharma", u"1234"_s, {}, {}},
        {"pharma_two", u"1234"_s, {}, {}},
        {"channel", u"123"_s, {}, {}},
        {"bc412", u"AQ45670"_s, {}, {}},
        {"vin", u"1M8GDM9AXKP042788"_s, {}, {}},
        {"dpd", u"%000393206219912345678101040"_s, {}, {}},
        {"code16k", u"AB1234"_s, {}, {}},
        {"code49", u"AB1234"_s, {}, {}},
        {"codablockf", u"HELLO WORLD"_s, {}, {}},
        {"micropdf417", u"Hello"_s, {}, {}},
        {"pdf417comp", u"Hello"_s, {}, {}},
        {"dbar_omn", u"0950110153000"_s, {}, {}},
        {"dbar_ltd", u"0950110153000"_s, {}, {}},
        {"dbar_exp", u"(01)09501101530003(10)AB123"_s, {}, {}},
        {"dbar_stk", u"0950110153000"_s, {}, {}},
        {"dbar_omnstk", u"0950110153000"_s, {}, {}},
        {"dbar_expstk", u"(01)09501101530003(10)AB123"_s, {}, {}},
        {"eanx_cc", u"331234567890"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"upca_cc", u"12345678901"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"upce_cc", u"1234567"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"gs1_128_cc", u"(01)09501101530003"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"dbar_omn_cc", u"0950110153000"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"dbar_ltd_cc", u"0950110153000"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"dbar_exp_cc", u"(01)09501101530003"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"dbar_stk_cc", u"0950110153000"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"dbar_omnstk_cc", u"0950110153000"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"dbar_expstk_cc", u"(01)09501101530003"_s, {{"composite", "(99)1234-abcd"}}, {}},
        {"microqr", u"12345"_s, {}, {}},
        {"rmqr", u"ABC123"_s, {}, {}},
        {"hanxin", u"汉信码"_s, {}, {}},
        {"dotcode", u"DotCode"_s, {}, {}},
        {"gridmatrix", u"Grid"_s, {}, {}},
        {"codeone", u"Code One"_s, {}, {}},
        {"ultra", u"Ultra"_s, {}, {}},
        {"upnqr", u"UPNQR"_s, {}, {}},
        {"maxicode", u"Hello"_s, {}, {}},
        {"gs1qr", u"(01)09501101530003"_s, {}, {}},
        {"azrune", u"123"_s, {}, {}},
        {"usps_imail", u"01234567094987654321"_s, {}, {}},
        {"planet", u"12345678901"_s, {}, {}},
        {"rm4scc", u"SN34RD1A"_s, {}, {}},
        {"mailmark", u"11210012341234567AB19XY1A"_s, {}, {}},
        {"kix", u"2500GG30250"_s, {}, {}},
        {"auspost", u"12345678"_s, {}, {}},
        {"ausreply", u"12345678"_s, {}, {}},
        {"ausroute", u"12345678"_s, {}, {}},
        {"ausredirect", u"12345678"_s, {}, {}},
        {"japanpost", u"15400233-16-4-205"_s, {}, {}},
        {"koreapost", u"123456"_s, {}, {}},
        {"dpleit", u"1234567890123"_s, {}, {}},
        {"dpident", u"12345678901"_s, {}, {}},
        {"cepnet", u"12345678"_s, {}, {}},
        {"fim", u"A"_s, {}, {}},
        {"hibc_128", u"A123BJC5D6E71"_s, {}, {}},
        {"hibc_39", u"A123BJC5D6E71"_s, {}, {}},
        {"hibc_dm", u"A123BJC5D6E71"_s, {}, {}},
        {"hibc_qr", u"A123BJC5D6E71"_s, {}, {}},
        {"hibc_pdf", u"A123BJC5D6E71"_s, {}, {}},
        {"hibc_micpdf", u"A123BJC5D6E71"_s, {}, {}},
        {"hibc_blockf", u"A123BJC5D6E71"_s, {}, {}},
        {"hibc_aztec", u"A123BJC5D6E71"_s, {}, {}},
        {"flat", u"1304056"_s, {}, {}},
        {"maxicode", u"Hello"_s, {{"mode", "5"}}, {"--mode=5"}},
        {"microqr", u"12345"_s, {{"version", "M3"}, {"ecc", "M"}}, {"--vers=3", "--secure=2"}},
        {"hanxin", u"Han Xin 汉信"_s, {{"ecc", "L3"}}, {"--secure=3"}},
        {"msi_plessey", u"1234567"_s, {{"checkdigit", "mod11"}}, {"--vers=3"}},
        {"codabar", u"A37859B"_s, {{"checkdigit", "1"}}, {"--vers=1"}},
        {"rmqr", u"ABC123"_s, {{"version", "R13x43"}}, {"--vers=18"}},
        {"dbar_expstk", u"(01)09501101530003(10)AB123"_s, {{"columns", "2"}}, {"--cols=2"}},
        {"pdf417comp", u"Hello"_s, {{"columns", "3"}, {"ecc", "4"}}, {"--cols=3", "--secure=4"}},
        {"gridmatrix", u"Grid"_s, {{"ecc", "3"}}, {"--secure=3"}},
        {"code11", u"123-45"_s, {{"checkdigit", "0"}}, {"--vers=2"}},
        {"eanx_cc", u"331234567890"_s, {{"composite", "(99)1234-abcd"}, {"ccmode", "b"}}, {"--mode=2"}},
        {"codablockf", u"HELLO WORLD"_s, {{"columns", "10"}}, {"--cols=15"}},
    };
    std::set<int> covered;
    for (const ZintRowCase &c : cases) {
        const TSymbology *row = FindSymbologyByCliName(QString::fromLatin1(c.cliName));
        ASSERT_NE(row, nullptr) << c.cliName;
        covered.insert(row->ordinal);
        TBarcodeOptions options;
        options.named = c.options;
        const TBarcodeSymbol symbol(row->ordinal, c.text, options);
        ASSERT_TRUE(symbol.Ok()) << c.cliName << ": " << symbol.Error().toStdString();
        QStringList args = c.zintArgs;
        if (row->gs1)
            args << QStringLiteral("--gs1") << QStringLiteral("--gs1parens");
        if (c.options.contains(QStringLiteral("composite")))
            args << u"--primary="_s + c.text << QStringLiteral("-d") << c.options.value(QStringLiteral("composite"));
        else
            args << QStringLiteral("-d") << c.text;
        const QStringList want = ZintRows(row->zintSymbology, args);
        const QStringList got = BarcodePattern(symbol).split(QLatin1Char('\n'));
        ASSERT_EQ(got.size(), want.size()) << c.cliName;
        for (qsizetype r = 0; r < got.size(); ++r) {
            // The dump pads a row to whole hexadecimal digits.
            const qsizetype pad = want[r].size() - got[r].size();
            EXPECT_TRUE(pad >= 0 && pad < 4 && want[r].startsWith(got[r]) &&
                        !want[r].mid(got[r].size()).contains(u'1'))
                << c.cliName << " row " << r << "\n  ours " << got[r].toStdString() << "\n  zint "
                << want[r].toStdString();
        }
    }
    for (const TSymbology &s : Symbologies())
        EXPECT_TRUE(s.ordinal < kClassicSymbologyCount || covered.count(s.ordinal)) << s.cliName << " has no row";
}

// Pixel for pixel what libzint draws itself (its raster with its quiet zones,
// no text) for a few of each shape: square modules, bars across the height,
// bearer box, stacked rows.
TEST(ZintTest, SamePixelsAsLibzintsOwnRaster)
{
    struct Case {
        const char *cliName;
        const char *text;
    };
    const Case cases[] = {
        {"microqr", "12345"}, {"hanxin", "Han Xin 42"}, {"gridmatrix", "Grid 42"}, {"rmqr", "ABC123"},
        {"codabar", "A37859B"}, {"itf14", "1234567890123"}, {"dbar_omn", "0950110153000"}, {"telepen", "ABC123"},
    };
    for (const Case &c : cases)
        for (int module : {2, 4}) {
            const TSymbology *row = FindSymbologyByCliName(QString::fromLatin1(c.cliName));
            ASSERT_NE(row, nullptr) << c.cliName;
            const TBarcodeSymbol symbol(row->ordinal, QString::fromUtf8(c.text));
            ASSERT_TRUE(symbol.Ok()) << c.cliName << ": " << symbol.Error().toStdString();
            zint_symbol *z = ZBarcode_Create();
            z->symbology = row->zintSymbology;
            z->input_mode = UNICODE_MODE;
            z->output_options = BARCODE_QUIET_ZONES;
            z->show_hrt = 0;
            z->scale = module / 2.0f;  // libzint draws 2 x scale pixels a module
            if (row->stretch)
                z->height = 40;
            const QByteArray data = QByteArray(c.text);
            ASSERT_LT(ZBarcode_Encode_and_Buffer(z, reinterpret_cast<const unsigned char *>(data.constData()),
                                                 int(data.size()), 0),
                      ZINT_ERROR)
                << z->errtxt;
            // Bars as high as libzint's whole picture (ITF-14's bearer box
            // takes its share of it).
            QImage ours(symbol.Box(module, z->bitmap_height), QImage::Format_RGB32);
            ours.fill(Qt::red);
            {
                QPainter painter(&ours);
                TPainterSurface surface(painter);
                symbol.Draw(surface, 0, 0, module, z->bitmap_height, false, 0, false);
            }
            EXPECT_EQ(ours.size(), QSize(z->bitmap_width, z->bitmap_height)) << c.cliName << " module " << module;
            int differ = 0;
            for (int y = 0; y < qMin(ours.height(), z->bitmap_height); ++y)
                for (int x = 0; x < qMin(ours.width(), z->bitmap_width); ++x) {
                    const bool zintDark = z->bitmap[(size_t(y) * size_t(z->bitmap_width) + size_t(x)) * 3] < 128;
                    differ += zintDark != (qGray(ours.pixel(x, y)) < 128);
                }
            EXPECT_EQ(differ, 0) << c.cliName << " module " << module;
            ZBarcode_Delete(z);
        }
}

} // namespace
