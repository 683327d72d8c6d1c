#include "barcode/barcode.h"
#include "barcode/symbology.h"

#include <QCoreApplication>

#include <iterator>

#include "barcode/gs1.h"
#include "barcode/matrix2d.h"

namespace {

// Positions along the symbol that depend on the string's measured width.
constexpr int kCentre = -1000000;
constexpr int kRight = -1000001;
constexpr int kLeftOfCentre = -1000002;

// The row of a linear symbology; nullptr for any other ordinal.
const TSymbology *LinearRow(int type)
{
    const TSymbology *row = FindSymbology(type);
    return row && row->IsLinear() ? row : nullptr;
}

int LinearLength(const TSymbology *row, int module, const QString &filteredText)
{
    if (filteredText.isEmpty())
        return 20 * module;
    return row ? row->modules(filteredText) * module : 0;
}

void DrawLinear(TBarcodeSurface &surface, const TSymbology *row, int x, int y, int module, int barHeight,
                const QString &filteredText, bool interpretation, int rotation, bool transparent)
{
    rotation &= 3;
    const int length = LinearLength(row, module, filteredText);
    const bool upright = rotation == 0 || rotation == 2;
    const int boxW = upright ? length : barHeight;
    const int boxH = upright ? barHeight : length;
    if (!transparent)
        surface.FillRect(x, y, boxW, boxH, false);
    if (!row)
        return;

    int band = interpretation ? 5 * module : 0;
    int top = 0;
    if (row->textLayout == TTextLayout::Above) {
        band *= 3;
        top = band;
    } else if (row->textLayout == TTextLayout::None) {
        band = 0;
    }
    int barLength = qMax(0, barHeight - band);
    if (interpretation && !filteredText.isEmpty() && row->barsClearText) {
        // The bars end where the text's cell begins (v = BH - TH), not at the band.
        surface.SelectFont(surface.FontFace(), BarcodeFontHeight(module), 0);
        int tw = 0, th = 0;
        surface.MeasureText(filteredText, tw, th);
        surface.RestoreFont();
        barLength = qBound(0, barHeight - th, barLength);
    }

    if (!filteredText.isEmpty()) {
        const TSymbolFrame frame{surface, x, y, length, barHeight, rotation};
        TBarPen pen(frame, 10 * module, top, barLength, module);
        row->draw(pen, filteredText);
    }
    if (interpretation && !filteredText.isEmpty())
        DrawBarcodeText(surface, row->ordinal, module, x, y, boxW, boxH, filteredText, rotation);
}

} // namespace

int BarcodeWidth(int module, int type, const QString &filteredText)
{
    return LinearLength(LinearRow(type), module, filteredText);
}

int BarcodeFontHeight(int module)
{
    return 12 * module <= 12 ? 14 : 12 * module;
}

void TSymbolFrame::Fill(int a, int b, int c, int d, bool black) const
{
    if (b <= a || d <= c)
        return;
    switch (rotation) {
    case 1:
        surface.FillRect(x + barHeight - d, y + a, d - c, b - a, black);
        break;
    case 2:
        surface.FillRect(x + length - b, y + barHeight - d, b - a, d - c, black);
        break;
    case 3:
        surface.FillRect(x + c, y + length - b, d - c, b - a, black);
        break;
    default:
        surface.FillRect(x + a, y + c, b - a, d - c, black);
        break;
    }
}

void TSymbolFrame::Point(int u, int v, int &px, int &py) const
{
    switch (rotation) {
    case 1:
        px = x + barHeight - v;
        py = y + u;
        break;
    case 2:
        px = x + length - u;
        py = y + barHeight - v;
        break;
    case 3:
        px = x + v;
        py = y + length - u;
        break;
    default:
        px = x + u;
        py = y + v;
        break;
    }
}

void TBarPen::DrawBar(int w, int top, int length)
{
    if (m_pending && m_pendEnd == m_u && m_pendTop == top && m_pendLength == length) {
        m_pendEnd = m_u + w;
        return;
    }
    Flush();
    m_pending = true;
    m_pendStart = m_u;
    m_pendEnd = m_u + w;
    m_pendTop = top;
    m_pendLength = length;
}

void TBarPen::DrawPattern(quint32 pattern, int bits)
{
    for (int i = bits - 1; i >= 0; --i) {
        if (pattern & (1u << i))
            DrawModuleBar(m_module);
        AdvanceModule(m_module);
    }
}

void TBarPen::DrawWidths(const char *widths)
{
    bool bar = true;
    for (const char *w = widths; *w; ++w, bar = !bar)
        for (int j = 0; j < *w - '0'; ++j) {
            if (bar)
                DrawModuleBar(m_module);
            AdvanceModule(m_module);
        }
}

void TBarPen::Flush()
{
    if (!m_pending)
        return;
    m_pending = false;
    m_frame.Fill(m_pendStart, m_pendEnd, m_pendTop, m_pendTop + m_pendLength, true);
}

QString PadDigits(const QString &text, int n)
{
    return text.size() >= n ? text : QString(n - text.size(), QLatin1Char('0')) + text;
}

void DrawBarcode(TBarcodeSurface &surface, int type, int x, int y, int module, int barHeight,
                 const QString &filteredText, bool interpretation, int rotation, bool transparent)
{
    DrawLinear(surface, LinearRow(type), x, y, module, barHeight, filteredText, interpretation, rotation,
               transparent);
}

void DrawBarcodeText(TBarcodeSurface &surface, int type, int module, int x, int y, int width, int height,
                     const QString &text, int rotation)
{
    const TSymbology *row = LinearRow(type);
    if (!row || row->textLayout == TTextLayout::None)
        return;
    rotation &= 3;
    const bool upright = rotation == 0 || rotation == 2;
    const int length = upright ? width : height;
    const int barHeight = upright ? height : width;
    const TSymbolFrame frame{surface, x, y, length, barHeight, rotation};
    static const int kEscapement[4] = {0, 2700, 1800, 900};

    surface.SelectFont(surface.FontFace(), BarcodeFontHeight(module), kEscapement[rotation]);
    surface.SaveBrush();
    // Places a string by its cell's top-left corner in the frame; v < 0 puts
    // the cell on the box's bottom edge.
    auto put = [&](const QString &s, int u, int v) {
        int tw = 0, th = 0;
        surface.MeasureText(s, tw, th);
        if (u == kCentre)
            u = length / 2 - tw / 2;
        else if (u == kRight)
            u = length - tw;
        else if (u == kLeftOfCentre)
            u = length / 2 - 2 * module - tw;
        if (v < 0)
            v = barHeight - th;
        int px = 0, py = 0;
        frame.Point(u, v, px, py);
        surface.DrawTextOpaque(px, py, s);
    };

    switch (row->textLayout) {
    case TTextLayout::UPCA: {
        const QString d = PadDigits(text, 11);
        const QString s = d + UpcEanCheckDigit(d);
        put(s.left(1), 0, -1);
        put(s.mid(11, 1), kRight, -1);
        put(s.mid(1, 5), kLeftOfCentre, -1);
        put(s.mid(6, 5), length / 2 + 2 * module, -1);
        break;
    }
    case TTextLayout::EAN13: {
        const QString d = PadDigits(text, 12);
        const QString s = d + UpcEanCheckDigit(d);
        put(s.left(1), 0, -1);
        put(s.mid(1, 6) + QLatin1Char(' ') + s.mid(7, 6), kCentre, -1);
        break;
    }
    case TTextLayout::UPCE: {
        const QString d = PadDigits(text, 6);
        put(QStringLiteral("0"), 0, -1);
        put(QString(UpcEanCheckDigit(ExpandUPCE(d))), kRight, -1);
        put(d, kCentre, -1);
        break;
    }
    case TTextLayout::Above:
        put(text, kCentre, 0);
        break;
    case TTextLayout::Below:
    case TTextLayout::None:
        put(text, kCentre, -1);
        break;
    }
    surface.RestoreBrush();
    surface.RestoreFont();
}

TBarcodeSymbol::TBarcodeSymbol(int type, const QString &filteredText, const TBarcodeOptions &options)
    : m_row(FindSymbology(type)), m_text(filteredText)
{
    if (!m_row) {
        m_error = QCoreApplication::translate("Barcode", "Unknown barcode type %1").arg(type);
        return;
    }
    // GS1 data is refused before any encoder sees it, in the same words for
    // every GS1 symbology. A composite's 2D part is an element string, and so
    // is its linear part unless that is an EAN or UPC (digits, which the
    // encoder checks).
    if (m_row->gs1 && !filteredText.isEmpty()) {
        const bool composite = FindSymbolOption(*m_row, u"composite") != nullptr;
        if (!composite || filteredText.startsWith(QLatin1Char('(')))
            m_error = Gs1TextError(*m_row, filteredText);
        const QString part = options.named.value(QStringLiteral("composite"));
        if (m_error.isEmpty() && composite && !part.isEmpty())
            m_error = Gs1TextError(*m_row, part);
    }
    if (m_error.isEmpty() && m_row->IsMatrix()) {
        auto matrix = std::make_shared<TMatrix2D>(Encode2D(TMatrixSymbology(type), filteredText, options));
        if (matrix->ok)
            m_matrix = std::move(matrix);
        else
            m_error = matrix->error;
    }
}

QSize TBarcodeSymbol::Box(int module, int barHeight, int rotation) const
{
    if (m_matrix)
        return ZintBoxSize(*m_matrix, module, barHeight, rotation);
    const bool square = m_row && m_row->IsMatrix();
    const int length = Ok() ? LinearLength(m_row, module, m_text) : 20 * module;
    const int across = square ? length : barHeight;
    return rotation % 2 ? QSize(across, length) : QSize(length, across);
}

bool TBarcodeSymbol::DrawsText(bool interpretation) const
{
    if (m_matrix)
        return interpretation && m_matrix->stretch && !m_matrix->text.isEmpty();
    return interpretation && Ok() && m_row->IsLinear() && m_row->textLayout != TTextLayout::None &&
           !m_text.isEmpty();
}

bool TBarcodeSymbol::Draw(TBarcodeSurface &surface, int x, int y, int module, int barHeight, bool interpretation,
                          int rotation, bool transparent) const
{
    if (!Ok())
        return false;
    if (m_matrix)
        DrawZintRows(surface, *m_matrix, x, y, module, barHeight, interpretation, rotation, transparent);
    else
        DrawLinear(surface, m_row, x, y, module, barHeight, m_text, interpretation, rotation, transparent);
    return true;
}
