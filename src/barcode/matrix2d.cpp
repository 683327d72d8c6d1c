#include "barcode/matrix2d.h"
#include "barcode/symbology.h"

#include <QCoreApplication>

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct ZintDeleter {
    void operator()(zint_symbol *symbol) const { ZBarcode_Delete(symbol); }
};
using ZintSymbol = std::unique_ptr<zint_symbol, ZintDeleter>;

// The row of a two-dimensional symbology; nullptr for any other value.
const TSymbology *MatrixRow(TMatrixSymbology symbology)
{
    const TSymbology *row = FindSymbology(int(symbology));
    return row && row->IsMatrix() ? row : nullptr;
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

ZintOptions ToZint(const TSymbology &row, const TBarcodeOptions &o)
{
    ZintOptions z;
    auto bad = [&](const char *rule) {
        z.error = QStringLiteral("%1: %2").arg(row.Caption(), QCoreApplication::translate("Barcode", rule));
        return z;
    };
    if (!row.eccChoices.empty()) {
        // libzint quietly ignores an out-of-range level.
        z.option1 = row.eccZintAuto;
        if (o.ecc != -1) {
            const auto it = std::find_if(row.eccChoices.begin(), row.eccChoices.end(),
                                         [&](const TEccChoice &c) { return c.value == o.ecc; });
            if (it == row.eccChoices.end())
                return bad(row.eccRule);
            z.option1 = row.eccZintFirst + int(it - row.eccChoices.begin());
        }
    }
    if (o.size < 0 || o.size > row.sizeCount)
        return bad(row.sizeRule);
    z.option2 = o.size;
    z.option3 = row.rectangles && o.size == 0 && !o.rectangular ? DM_SQUARE : 0;
    return z;
}

int Encode(zint_symbol *symbol, const TSymbology &row, const QByteArray &data, bool utf8Eci, const ZintOptions &z,
           int option2)
{
    ZBarcode_Clear(symbol);
    symbol->symbology = row.zintSymbology;
    symbol->input_mode = row.gs1 ? GS1_MODE | GS1PARENS_MODE : UNICODE_MODE;
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
    const TSymbology *row = MatrixRow(symbology);
    return row ? row->Caption() : QString();
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
    const TSymbology *row = MatrixRow(symbology);
    if (!row) {
        m.error = QCoreApplication::translate("Barcode", "Unknown two-dimensional symbology %1").arg(int(symbology));
        return m;
    }
    if (row->ordinal >= kClassicSymbologyCount)
        return EncodeZintRows(*row, text, options);
    const ZintOptions z = ToZint(*row, options);
    if (!z.error.isEmpty()) {
        m.error = z.error;
        return m;
    }
    const QString tooLong = QCoreApplication::translate("Barcode", "Data too long for %1").arg(row->Caption());
    // Every character takes at least a byte; spare converting what cannot fit.
    if (text.size() > ZINT_MAX_DATA_LEN) {
        m.error = tooLong;
        return m;
    }
    const bool utf8Eci = !row->gs1 && !IsAscii(text);
    const QByteArray data = text.toUtf8();

    ZintSymbol symbol(ZBarcode_Create());
    if (!symbol) {
        m.error = QCoreApplication::translate("Barcode", "Out of memory");
        return m;
    }
    int rc = 0;
    const bool rectangles = options.size == 0 && options.rectangular && row->rectangles;
    if (rectangles) {
        // libzint chooses among squares and rectangles together; the smallest
        // rectangle that holds the text is the first of 8x18 .. 16x48 to take it.
        for (int size = 25; size <= 30; ++size) {
            rc = Encode(symbol.get(), *row, data, utf8Eci, z, size);
            if (rc != ZINT_ERROR_TOO_LONG)
                break;
        }
    } else {
        rc = Encode(symbol.get(), *row, data, utf8Eci, z, z.option2);
    }
    if (rc >= ZINT_ERROR || symbol->rows <= 0 || symbol->width <= 0) {
        m.error = rc == ZINT_ERROR_TOO_LONG ? tooLong : QString::fromUtf8(symbol->errtxt);
        if (m.error.isEmpty())
            m.error = QCoreApplication::translate("Barcode", "%1 could not be encoded").arg(row->Caption());
        return m;
    }

    m.rows = symbol->rows;
    m.cols = symbol->width;
    m.quietZone = row->quietZone;
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
