#include "barcode/matrix2d.h"
#include "barcode/symbology.h"

#include <zint.h>

#include <cmath>
#include <memory>

namespace {

struct ZintDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};
using ZintSymbol = std::unique_ptr<zint_symbol, ZintDeleter>;

struct SymbologyInfo {
    const char *caption;
    int zintType;
    int quietZone;  // modules, the symbology's own: ISO/IEC 18004, 16022, 15438, 24778
};

const SymbologyInfo &Info(TMatrixSymbology symbology)
{
    static const SymbologyInfo kInfo[] = {
        {"QR Code", BARCODE_QRCODE, 4},
        {"Data Matrix", BARCODE_DATAMATRIX, 1},
        {"PDF417", BARCODE_PDF417, 2},
        {"Aztec Code", BARCODE_AZTEC, 0},
        {"GS1 DataMatrix", BARCODE_DATAMATRIX, 1},
    };
    static const SymbologyInfo kUnknown = {"", 0, 0};
    const int i = int(symbology) - kMatrixSymbologyFirst;
    return i >= 0 && i < int(std::size(kInfo)) ? kInfo[i] : kUnknown;
}

bool IsAscii(const QString &text)
{
    for (QChar c : text)
        if (c.unicode() > 127)
            return false;
    return true;
}

// libzint's options for the symbology, or a reason the options are out of range.
struct ZintOptions {
    int option1 = -1;
    int option2 = 0;
    int option3 = 0;
    QString error;
};

ZintOptions ToZint(TMatrixSymbology symbology, const TMatrixOptions &o)
{
    ZintOptions z;
    auto bad = [&](const char *what) {
        z.error = QStringLiteral("%1: %2").arg(MatrixSymbologyCaption(symbology), QLatin1String(what));
        return z;
    };
    switch (symbology) {
    case TMatrixSymbology::QRCode:
        // libzint quietly ignores an out-of-range level or version.
        if (o.ecc < -1 || o.ecc > 3)
            return bad("error correction must be L, M, Q or H");
        if (o.size < 0 || o.size > 40)
            return bad("version must be 1 to 40 or automatic");
        z.option1 = o.ecc < 0 ? 2 : o.ecc + 1;  // M unless chosen
        z.option2 = o.size;
        break;
    case TMatrixSymbology::DataMatrix:
    case TMatrixSymbology::GS1DataMatrix:
        if (o.size < 0 || o.size > 30)
            return bad("size must be 1 to 30 or automatic");
        z.option2 = o.size;
        z.option3 = o.size == 0 && !o.rectangular ? DM_SQUARE : 0;
        break;
    case TMatrixSymbology::PDF417:
        if (o.ecc < -1 || o.ecc > 8)
            return bad("security level must be 0 to 8 or automatic");
        if (o.size < 0 || o.size > 30)
            return bad("columns must be 1 to 30 or automatic");
        z.option1 = o.ecc;
        z.option2 = o.size;
        break;
    case TMatrixSymbology::Aztec: {
        const int level = o.ecc == -1 ? -1 : o.ecc == 10 ? 1 : o.ecc == 23 ? 2 : o.ecc == 36 ? 3 : o.ecc == 50 ? 4 : 0;
        if (level == 0)
            return bad("error correction must be 10, 23, 36 or 50 %");
        if (o.size < 0 || o.size > 36)
            return bad("size must be 1 to 36 or automatic");
        z.option1 = level;
        z.option2 = o.size;
        break;
    }
    default:
        z.error = QStringLiteral("Unknown two-dimensional symbology %1").arg(int(symbology));
        break;
    }
    return z;
}

int Encode(zint_symbol *symbol, TMatrixSymbology symbology, const QByteArray &data, bool utf8Eci,
           const ZintOptions &z, int option2)
{
    ZBarcode_Clear(symbol);
    symbol->symbology = Info(symbology).zintType;
    symbol->input_mode =
        symbology == TMatrixSymbology::GS1DataMatrix ? GS1_MODE | GS1PARENS_MODE : UNICODE_MODE;
    symbol->option_1 = z.option1;
    symbol->option_2 = option2;
    symbol->option_3 = z.option3;
    // A warning (a GS1 date that does not exist, columns widened) is a refusal:
    // the symbol would not say what the user asked for.
    symbol->warn_level = WARN_FAIL_ALL;
    zint_seg seg{reinterpret_cast<unsigned char *>(const_cast<char *>(data.constData())), int(data.size()),
                 utf8Eci ? 26 : 0};
    return ZBarcode_Encode_Segs(symbol, &seg, 1);
}

} // namespace

QString MatrixSymbologyCaption(TMatrixSymbology symbology)
{
    return QString::fromLatin1(Info(symbology).caption);
}

int TMatrix2D::HeightModules() const
{
    int h = 0;
    for (int rh : rowHeights)
        h += rh;
    return h;
}

TMatrix2D Encode2D(TMatrixSymbology symbology, const QString &text, const TMatrixOptions &options)
{
    TMatrix2D m;
    const ZintOptions z = ToZint(symbology, options);
    if (!z.error.isEmpty()) {
        m.error = z.error;
        return m;
    }
    const QString tooLong = QStringLiteral("Data too long for %1").arg(MatrixSymbologyCaption(symbology));
    // Every character takes at least a byte; spare converting what cannot fit.
    if (text.size() > ZINT_MAX_DATA_LEN) {
        m.error = tooLong;
        return m;
    }
    const bool gs1 = symbology == TMatrixSymbology::GS1DataMatrix;
    const bool utf8Eci = !gs1 && !IsAscii(text);
    const QByteArray data = text.toUtf8();

    ZintSymbol symbol(ZBarcode_Create());
    if (!symbol) {
        m.error = QStringLiteral("Out of memory");
        return m;
    }
    int rc = 0;
    const bool rectangles = options.size == 0 && options.rectangular &&
                            (symbology == TMatrixSymbology::DataMatrix || gs1);
    if (rectangles) {
        // libzint chooses among squares and rectangles together; the smallest
        // rectangle that holds the text is the first of 8x18 .. 16x48 to take it.
        for (int size = 25; size <= 30; ++size) {
            rc = Encode(symbol.get(), symbology, data, utf8Eci, z, size);
            if (rc != ZINT_ERROR_TOO_LONG)
                break;
        }
    } else {
        rc = Encode(symbol.get(), symbology, data, utf8Eci, z, z.option2);
    }
    if (rc >= ZINT_ERROR || symbol->rows <= 0 || symbol->width <= 0) {
        m.error = rc == ZINT_ERROR_TOO_LONG ? tooLong : QString::fromUtf8(symbol->errtxt);
        if (m.error.isEmpty())
            m.error = QStringLiteral("%1 could not be encoded").arg(MatrixSymbologyCaption(symbology));
        return m;
    }

    m.rows = symbol->rows;
    m.cols = symbol->width;
    m.quietZone = Info(symbology).quietZone;
    m.bits.resize(m.rows * m.cols);
    // libzint keeps each row's modules as bits, least significant first.
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            if ((symbol->encoded_data[r][c >> 3] >> (c & 7)) & 1)
                m.bits.setBit(r * m.cols + c);
    // Rows of height 0 share what the symbol's height leaves after the fixed
    // ones (PDF417: 3 modules each); kept to whole modules.
    float fixed = 0;
    int shared = 0;
    for (int r = 0; r < m.rows; ++r) {
        if (symbol->row_height[r] > 0)
            fixed += symbol->row_height[r];
        else
            ++shared;
    }
    const float share = shared > 0 ? std::max(0.0f, symbol->height - fixed) / float(shared) : 0.0f;
    for (int r = 0; r < m.rows; ++r) {
        const float h = symbol->row_height[r] > 0 ? symbol->row_height[r] : share;
        m.rowHeights.append(std::max(1, int(std::lround(h))));
    }
    m.ok = true;
    return m;
}

QSize MatrixBoxSize(const TMatrix2D &matrix, int module, int rotation)
{
    if (!matrix.ok || module <= 0)
        return {};
    const int w = (matrix.cols + 2 * matrix.quietZone) * module;
    const int h = (matrix.HeightModules() + 2 * matrix.quietZone) * module;
    return rotation % 2 ? QSize(h, w) : QSize(w, h);
}

void DrawMatrix2D(TBarcodeSurface &surface, const TMatrix2D &matrix, int x, int y, int module, int rotation,
                  bool transparent)
{
    if (!matrix.ok || module <= 0)
        return;
    rotation &= 3;
    const QSize upright = MatrixBoxSize(matrix, module, 0);
    const QSize box = MatrixBoxSize(matrix, module, rotation);
    if (!transparent)
        surface.FillRect(x, y, box.width(), box.height(), false);
    // The symbol's own frame: u along its rows, v down its columns, turned
    // with the item as the linear symbols are.
    const TSymbolFrame frame{surface, x, y, upright.width(), upright.height(), rotation};
    surface.SaveBrush();
    const int q = matrix.quietZone * module;
    int v = q;
    for (int r = 0; r < matrix.rows; ++r) {
        const int h = matrix.rowHeights[r] * module;
        // A run of dark modules is one rectangle: no seams on vector surfaces.
        for (int c = 0; c < matrix.cols;) {
            if (!matrix.Dark(r, c)) {
                ++c;
                continue;
            }
            int end = c + 1;
            while (end < matrix.cols && matrix.Dark(r, end))
                ++end;
            frame.Fill(q + c * module, q + end * module, v, v + h, true);
            c = end;
        }
        v += h;
    }
    surface.RestoreBrush();
}
