// The two-dimensional symbologies: what libzint makes of texts and options,
// the modules drawn against libzint's own picture, and what a real reader
// (ZXing-C++) reads back at every module and rotation.

#include "barcode/matrix2d.h"
#include "barcode/recording_surface.h"
#include "zxing_decode.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>
#include <zint.h>
#include "missing_tool.h"

namespace {

using S = TMatrixSymbology;

QImage Render(const TMatrix2D &m, int module, int rotation)
{
    QImage image(MatrixBoxSize(m, module, rotation), QImage::Format_RGB32);
    image.fill(Qt::red);  // the box must be painted whole
    QPainter painter(&image);
    TPainterSurface surface(painter);
    DrawMatrix2D(surface, m, 0, 0, module, rotation, false);
    return image;
}

QString LongText()
{
    QString s;
    for (int i = 0; s.size() < 600; ++i)
        s += QStringLiteral("Item %1: Quorvane label, lot A-%2; ").arg(i).arg(i * 7919 % 100000);
    return s + QString::fromUtf8("，条形码标签打印测试。");
}

std::string Show(const QString &s)
{
    return s.toUtf8().toPercentEncoding(" ()/:;,.?=&").toStdString();
}

TEST(Matrix2DTest, ReaderGetsTheTextBackAtEveryModuleAndRotation)
{
    if (!ZxingAvailable())
        QV_SKIP_MISSING("ZXing-C++");
    struct Case {
        S symbology;
        QString text;
        TMatrixOptions options;
        QString read;  // empty: the text itself
    };
    const QString ascii = QStringLiteral("Quorvane 2026: https://example.com/a?b=1&c=2");
    const QString chinese = QString::fromUtf8("条形码标签打印 Quorvane 中文测试");
    const QString gs1 = QStringLiteral("(01)09501101530003(17)261231(10)AB12");
    const QString gs1Long = QStringLiteral("(01)09501101530003(17)261231(10)LOT123456789(21)SERIAL0123456789ABC"
                                           "(240)ADDITIONAL-ID-42(400)ORDER-2026-0001");
    const QChar gs = QChar(0x1D);  // ends a variable-length field that is not the last
    std::vector<Case> cases;
    for (S s : {S::QRCode, S::DataMatrix, S::PDF417, S::Aztec})
        for (const QString &t : {ascii, chinese, LongText(), gs1})
            cases.push_back({s, t, {}, {}});
    cases.push_back({S::QRCode, chinese, {3, 0, false}, {}});
    cases.push_back({S::DataMatrix, ascii, {-1, 0, true}, {}});
    cases.push_back({S::DataMatrix, QStringLiteral("QV-000042-LOT7919"), {-1, 30, false}, {}});  // 16x48
    cases.push_back({S::PDF417, ascii, {5, 3, false}, {}});
    cases.push_back({S::Aztec, chinese, {50, 0, false}, {}});
    cases.push_back({S::GS1DataMatrix, gs1, {}, QStringLiteral("01095011015300031726123110AB12")});
    cases.push_back({S::GS1DataMatrix, QStringLiteral("(00)106141412345678908"), {},
                     QStringLiteral("00106141412345678908")});
    cases.push_back({S::GS1DataMatrix, QStringLiteral("(01)09501101530003(10)AB12(21)XYZ"), {-1, 0, true},
                     QStringLiteral("010950110153000310AB12") + gs + QStringLiteral("21XYZ")});
    cases.push_back({S::GS1DataMatrix, gs1Long, {},
                     QStringLiteral("01095011015300031726123110LOT123456789") + gs +
                         QStringLiteral("21SERIAL0123456789ABC") + gs + QStringLiteral("240ADDITIONAL-ID-42") + gs +
                         QStringLiteral("400ORDER-2026-0001")});

    const char *const format[] = {"QRCode", "DataMatrix", "PDF417", "Aztec", "DataMatrix"};
    for (const Case &c : cases) {
        const TMatrix2D m = Encode2D(c.symbology, c.text, c.options);
        const std::string what = MatrixSymbologyCaption(c.symbology).toStdString() + " " + Show(c.text.left(40));
        ASSERT_TRUE(m.ok) << what << ": " << m.error.toStdString();
        const QString want = c.read.isEmpty() ? c.text : c.read;
        const bool gs1Mode = c.symbology == S::GS1DataMatrix;
        for (int module = 1; module <= 4; ++module)
            for (int rotation = 0; rotation < 4; ++rotation) {
                QImage image = Render(m, module, rotation);
                // ZXing finds no Data Matrix of one-pixel modules (nor libzint's
                // own); enlarged pixel for pixel it reads exactly what was drawn.
                if (module == 1 && (c.symbology == S::DataMatrix || gs1Mode))
                    image = image.scaled(image.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
                const QList<TZxingSymbol> got =
                    ZxingDecode(image, QLatin1String(format[int(c.symbology) - kMatrixSymbologyFirst]));
                const std::string where = what + " module " + std::to_string(module) + " rotation " +
                                          std::to_string(rotation);
                ASSERT_EQ(got.size(), 1) << where;
                EXPECT_EQ(Show(got[0].text), Show(want)) << where;
                EXPECT_EQ(got[0].hasEci, !gs1Mode && c.text.toUtf8().size() != c.text.size()) << where;
                if (gs1Mode) {
                    EXPECT_EQ(got[0].identifier, QStringLiteral("]d2")) << where;
                }
            }
    }
}

// Module for module, row heights and quiet zones included, what libzint
// itself draws at one and three pixels a module.
TEST(Matrix2DTest, SameModulesAsLibzintsOwnPicture)
{
    struct Case {
        S symbology;
        int zintType;
        int inputMode;
        const char *text;
    };
    const Case cases[] = {
        {S::QRCode, BARCODE_QRCODE, UNICODE_MODE, "Quorvane"},
        {S::DataMatrix, BARCODE_DATAMATRIX, UNICODE_MODE, "Quorvane 12345"},
        {S::PDF417, BARCODE_PDF417, UNICODE_MODE, "Quorvane PDF417 rows"},
        {S::Aztec, BARCODE_AZTEC, UNICODE_MODE, "Quorvane"},
        {S::GS1DataMatrix, BARCODE_DATAMATRIX, GS1_MODE | GS1PARENS_MODE, "(01)09501101530003(10)AB12"},
    };
    for (const Case &c : cases)
        for (int module : {1, 3}) {
            const TMatrix2D m = Encode2D(c.symbology, QString::fromLatin1(c.text));
            ASSERT_TRUE(m.ok) << c.text;
            const QImage ours = Render(m, module, 0);

            zint_symbol *z = ZBarcode_Create();
            z->symbology = c.zintType;
            z->input_mode = c.inputMode;
            if (c.symbology == S::QRCode)
                z->option_1 = 2;  // M, as Encode2D's default
            if (c.symbology == S::DataMatrix || c.symbology == S::GS1DataMatrix)
                z->option_3 = DM_SQUARE;
            z->output_options = BARCODE_QUIET_ZONES;
            z->scale = module / 2.0f;  // libzint draws 2 x scale pixels a module
            ASSERT_LT(ZBarcode_Encode_and_Buffer(z, reinterpret_cast<const unsigned char *>(c.text), 0, 0),
                      ZINT_ERROR)
                << z->errtxt;
            EXPECT_EQ(ours.size(), QSize(z->bitmap_width, z->bitmap_height)) << c.text << " module " << module;
            int differ = 0;
            for (int y = 0; y < qMin(ours.height(), z->bitmap_height); ++y)
                for (int x = 0; x < qMin(ours.width(), z->bitmap_width); ++x) {
                    const bool zintDark = z->bitmap[(size_t(y) * size_t(z->bitmap_width) + size_t(x)) * 3] < 128;
                    differ += zintDark != (qGray(ours.pixel(x, y)) < 128);
                }
            EXPECT_EQ(differ, 0) << c.text << " module " << module;
            ZBarcode_Delete(z);
        }
}

TEST(Matrix2DTest, SizesOptionsAndRefusals)
{
    struct Case {
        S symbology;
        QString text;
        TMatrixOptions options;
        int rows, cols, rowHeight;  // 0 rows: refused
        QString error;              // part of the reason
    };
    const QString tooLong = QString(5000, QLatin1Char('A'));  // v40 holds 3391 at M
    const Case cases[] = {
        {S::QRCode, "A", {}, 21, 21, 1, {}},
        {S::QRCode, "A", {0, 5, false}, 37, 37, 1, {}},
        {S::QRCode, "A", {4, 0, false}, 0, 0, 0, "QR Code: error correction"},
        {S::QRCode, "A", {-1, 41, false}, 0, 0, 0, "version"},
        {S::QRCode, tooLong, {}, 0, 0, 0, "Data too long for QR Code"},
        {S::QRCode, QString(ZINT_MAX_DATA_LEN + 1, QLatin1Char('1')), {}, 0, 0, 0, "Data too long for QR Code"},
        {S::QRCode, "", {}, 0, 0, 0, "No input data"},
        {S::DataMatrix, "A", {}, 10, 10, 1, {}},
        {S::DataMatrix, "A", {-1, 0, true}, 8, 18, 1, {}},
        {S::DataMatrix, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", {-1, 0, true}, 12, 36, 1, {}},
        {S::DataMatrix, "A", {-1, 30, false}, 16, 48, 1, {}},
        {S::DataMatrix, "A", {-1, 31, false}, 0, 0, 0, "size"},
        {S::DataMatrix, QString(200, QLatin1Char('A')), {-1, 0, true}, 0, 0, 0, "Data too long for Data Matrix"},
        {S::PDF417, "Hello", {-1, 0, false}, 6, 103, 3, {}},
        {S::PDF417, "Hello", {-1, 30, false}, 3, 579, 3, {}},
        {S::PDF417, "Hello", {9, 0, false}, 0, 0, 0, "security level"},
        {S::Aztec, "A", {-1, 1, false}, 15, 15, 1, {}},
        {S::Aztec, "A", {-1, 36, false}, 151, 151, 1, {}},
        {S::Aztec, "A", {37, 0, false}, 0, 0, 0, "10, 23, 36 or 50"},
        {S::GS1DataMatrix, "(01)09501101530004", {}, 0, 0, 0, "checksum"},
        {S::GS1DataMatrix, "(17)261299", {}, 0, 0, 0, "Invalid day"},
        {S::GS1DataMatrix, "(0A)1", {}, 0, 0, 0, "Invalid AI"},
        {S::GS1DataMatrix, "0109501101530003", {}, 0, 0, 0, "does not start with an AI"},
        {S::GS1DataMatrix, QString::fromUtf8("(10)条形码"), {}, 0, 0, 0, "not supported by GS1"},
        {S(12), "A", {}, 0, 0, 0, "Unknown"},
    };
    for (const Case &c : cases) {
        const TMatrix2D m = Encode2D(c.symbology, c.text, c.options);
        const std::string what = MatrixSymbologyCaption(c.symbology).toStdString() + " " + Show(c.text.left(20));
        EXPECT_EQ(m.ok, c.rows > 0) << what << ": " << m.error.toStdString();
        if (c.rows == 0) {
            EXPECT_TRUE(m.error.contains(c.error)) << what << ": " << m.error.toStdString();
            EXPECT_TRUE(MatrixBoxSize(m, 2).isEmpty());
            TRecordingSurface s;
            DrawMatrix2D(s, m, 0, 0, 2, 0, false);
            EXPECT_TRUE(s.fills.isEmpty()) << what;
            continue;
        }
        EXPECT_EQ(m.rows, c.rows) << what;
        EXPECT_EQ(m.cols, c.cols) << what;
        EXPECT_EQ(m.rowHeights, QList<int>(c.rows, c.rowHeight)) << what;
        EXPECT_EQ(m.bits.size(), c.rows * c.cols) << what;
        const int quiet[] = {4, 1, 2, 0, 1};
        EXPECT_EQ(m.quietZone, quiet[int(c.symbology) - kMatrixSymbologyFirst]) << what;
        EXPECT_EQ(MatrixBoxSize(m, 3, 1),
                  QSize((c.rows * c.rowHeight + 2 * m.quietZone) * 3, (c.cols + 2 * m.quietZone) * 3))
            << what;
    }
}

// Every size the designer's list and --size name is the symbol libzint makes
// for that size number: rows x columns, and "compact" only where it is.
TEST(Matrix2DTest, EverySizeNameIsTheSymbolMade)
{
    for (S s : {S::QRCode, S::DataMatrix, S::Aztec, S::GS1DataMatrix}) {
        const TSymbology &row = *FindSymbology(int(s));
        const QString text = row.gs1 ? QStringLiteral("(90)1") : QStringLiteral("1");
        QSet<QString> names;
        for (int size = 1; size <= row.sizeCount; ++size) {
            const QString name = row.sizeName(size);
            const std::string what = row.cliName + std::string(" ") + std::to_string(size) + " " + name.toStdString();
            names.insert(name);
            const TMatrix2D m = Encode2D(s, text, {-1, size, false});
            ASSERT_TRUE(m.ok) << what << ": " << m.error.toStdString();
            const QString compact = s == S::Aztec && size <= 4 ? QStringLiteral(" compact") : QString();
            EXPECT_EQ(name, QStringLiteral("%1x%2").arg(m.rows).arg(m.cols) + compact) << what;
        }
        EXPECT_EQ(names.size(), row.sizeCount) << row.cliName;
    }
}

// One row per symbology: ordinals in order, names and list positions found
// back, linear rows first; and TBarcodeSymbol measuring and drawing every
// kind through one entry, or refusing with a reason and drawing nothing.
TEST(SymbologyTableTest, RowsLookupsAndTheCommonEntry)
{
    ASSERT_EQ(Symbologies().size(), size_t(kSymbologyCount));
    QSet<int> listIndices;
    for (const TSymbology &s : Symbologies()) {
        EXPECT_EQ(&s, FindSymbology(s.ordinal));
        EXPECT_EQ(&s, FindSymbologyByCliName(QString::fromLatin1(s.cliName).toUpper()));
        EXPECT_EQ(&s, SymbologyAtListIndex(s.listIndex));
        EXPECT_NE(s.IsLinear(), s.IsMatrix()) << s.cliName;
        EXPECT_EQ(s.IsLinear(), s.ordinal < kBarcodeTypeCount) << s.cliName;
        listIndices.insert(s.listIndex);
    }
    EXPECT_EQ(listIndices.size(), kSymbologyCount);
    EXPECT_EQ(FindSymbology(kSymbologyCount), nullptr);
    EXPECT_EQ(FindSymbologyByCliName(u"nosuch"), nullptr);
    EXPECT_EQ(FindSymbologyByCliName(u"gs1datamatrix")->Caption(), QStringLiteral("GS1 DataMatrix"));

    struct Case {
        int type;
        QString text;
        TBarcodeOptions options;
        int module, rotation;
        QSize box;      // barHeight 30
        QString error;  // part of the reason; empty: drawn
    };
    const Case cases[] = {
        {bcCode128, "1234", {}, 2, 1, {30, 154}, {}},
        {bcPostnet, "", {}, 1, 0, {20, 30}, {}},
        {bcQRCode, "A", {}, 3, 0, {87, 87}, {}},
        {bcDataMatrix, "A", {-1, 0, true}, 2, 1, {20, 40}, {}},
        {bcAztec, "A", {}, 1, 2, {15, 15}, {}},
        {bcQRCode, QString(5000, QLatin1Char('A')), {}, 2, 0, {40, 40}, "Data too long for QR Code"},
        {bcGS1DataMatrix, "(01)09501101530004", {}, 2, 0, {40, 40}, "AI (01): the check digit"},
        {bcPDF417, "A", {9, 0, false}, 2, 0, {40, 40}, "security level"},
        {kSymbologyCount, "1", {}, 1, 0, {20, 30}, "Unknown barcode type"},
        // The rows libzint encodes: an option refused by name, libzint's reason.
        {FindSymbologyByCliName(u"maxicode")->ordinal, "1", {-1, 0, false, {{"mode", "9"}}}, 1, 0, {20, 20},
         "MaxiCode: mode must be one of 2, 3, 4, 5, 6"},
        {FindSymbologyByCliName(u"itf14")->ordinal, "1", {-1, 0, false, {{"size", "2"}}}, 1, 0, {20, 20},
         "ITF-14 has no option 'size'"},
        {FindSymbologyByCliName(u"itf14")->ordinal, "12A", {}, 1, 0, {20, 20}, "ITF-14: Error"},
    };
    for (const Case &c : cases) {
        const TBarcodeSymbol symbol(c.type, FilterBarcodeText(c.type, c.text), c.options);
        const std::string what = std::to_string(c.type) + " " + Show(c.text.left(20));
        EXPECT_EQ(symbol.Box(c.module, 30, c.rotation), c.box) << what;
        EXPECT_TRUE(symbol.Error().contains(c.error)) << what << ": " << symbol.Error().toStdString();
        TRecordingSurface drawn;
        EXPECT_EQ(symbol.Draw(drawn, 0, 0, c.module, 30, true, c.rotation, false), c.error.isEmpty()) << what;
        if (!c.error.isEmpty()) {
            EXPECT_TRUE(drawn.fills.isEmpty()) << what;
        } else if (c.type < kBarcodeTypeCount) {
            // The linear entry points draw the very same.
            TRecordingSurface legacy;
            DrawBarcode(legacy, c.type, 0, 0, c.module, 30, symbol.Text(), true, c.rotation, false);
            EXPECT_EQ(drawn.fills.size(), legacy.fills.size()) << what;
            EXPECT_EQ(drawn.texts.size(), legacy.texts.size()) << what;
            EXPECT_EQ(BarcodePattern(symbol), BarcodePattern(c.type, symbol.Text())) << what;
        } else {
            const TMatrix2D *m = symbol.Matrix();
            ASSERT_NE(m, nullptr) << what;
            EXPECT_TRUE(drawn.texts.isEmpty()) << what;
            const QStringList rows = BarcodePattern(symbol).split(QLatin1Char('\n'));
            EXPECT_EQ(rows.size(), m->HeightModules()) << what;
            EXPECT_EQ(rows.first().size(), m->cols) << what;
        }
    }
}

} // namespace
