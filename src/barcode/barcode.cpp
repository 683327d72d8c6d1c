#include "barcode/barcode.h"
#include "barcode/symbology.h"

#include <iterator>

namespace {

struct TypeInfo {
    int listIndex;
    const char *caption;  // UTF-8
    int maxLength;        // 0: no limit
    // No check character: a scan line through the human-readable line would
    // read the glyph-cut bars as another, valid symbol, so no bar may reach it.
    bool barsClearText;
};

// Indexed by ordinal.
const TypeInfo kTypes[kBarcodeTypeCount] = {
    {0, "Code 128", 0, false},
    {1, "Code 39", 0, true},
    {2, "扩展的Code 39", 0, true},
    {4, "UPC A", 11, false},
    {11, "Interleaved 2 of 5", 0, true},
    {3, "Code 93", 0, false},
    {7, "EAN 13", 12, false},
    {8, "EAN 8", 7, false},
    {6, "EAN 128", 0, false},
    {12, "POSTNET", 11, false},
    {5, "UPC E", 6, false},
    {9, "UPC 2 digit Extention", 2, false},
    {10, "UPC 5 digit Extention", 5, false},
};

// Positions along the symbol that depend on the string's measured width.
constexpr int kCentre = -1000000;
constexpr int kRight = -1000001;
constexpr int kLeftOfCentre = -1000002;

bool IsKnownType(int type) { return type >= 0 && type < kBarcodeTypeCount; }

bool IsCode39Char(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || u == ' ' || u == '$' || u == '%' || u == '+' ||
           u == '-' || u == '.' || u == '/';
}

bool Keeps(int type, QChar c)
{
    const ushort u = c.unicode();
    switch (type) {
    case bcCode128:
    case bcCode39Ext:
    case bcCode93:
    case bcEAN128:
        return u >= 1 && u <= 127;
    case bcCode39:
        return IsCode39Char(c);
    default:
        return u >= '0' && u <= '9';
    }
}

} // namespace

int BarcodeTypeToListIndex(int type)
{
    return IsKnownType(type) ? kTypes[type].listIndex : kTypes[bcPostnet].listIndex;
}

int ListIndexToBarcodeType(int index)
{
    for (int t = 0; t < kBarcodeTypeCount; ++t)
        if (kTypes[t].listIndex == index)
            return t;
    return bcPostnet;
}

QString BarcodeListCaption(int index)
{
    return QString::fromUtf8(kTypes[ListIndexToBarcodeType(index)].caption);
}

QString FilterBarcodeText(int type, const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (type == bcCode39 && c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = c.toUpper();
        if (Keeps(type, c))
            out.append(c);
    }
    if (IsKnownType(type) && kTypes[type].maxLength > 0)
        out.truncate(kTypes[type].maxLength);
    return out;
}

int BarcodeWidth(int module, int type, const QString &filteredText)
{
    if (filteredText.isEmpty())
        return 20 * module;
    const int n = int(filteredText.size());
    int modules = 0;
    switch (type) {
    case bcCode128:
    case bcEAN128:
        modules = int(Code128Encode(filteredText, type == bcEAN128).size()) * 11 + 22;
        break;
    case bcCode39:
        modules = (n + 2) * 13 + 20;
        break;
    case bcCode39Ext:
        modules = (2 + Code39ExtLength(filteredText)) * 13 + 20;
        break;
    case bcUPCA:
    case bcEAN13:
        modules = 115;
        break;
    case bcITF:
        modules = (n + n % 2) * 9 + 29;
        break;
    case bcCode93:
        modules = Code93Length(filteredText) * 9 + 57;
        break;
    case bcEAN8:
        modules = 87;
        break;
    case bcPostnet:
        modules = (n + 1) * 10 + 23;
        break;
    case bcUPCE:
        modules = 71;
        break;
    case bcUPCSupp2:
        modules = 40;
        break;
    case bcUPCSupp5:
        modules = 67;
        break;
    default:
        return 0;
    }
    return modules * module;
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
    rotation &= 3;
    const int length = BarcodeWidth(module, type, filteredText);
    const bool upright = rotation == 0 || rotation == 2;
    const int boxW = upright ? length : barHeight;
    const int boxH = upright ? barHeight : length;
    if (!transparent)
        surface.FillRect(x, y, boxW, boxH, false);

    int band = interpretation ? 5 * module : 0;
    int top = 0;
    if (type == bcUPCSupp2 || type == bcUPCSupp5) {
        band *= 3;
        top = band;
    } else if (type == bcPostnet) {
        band = 0;
    }
    int barLength = qMax(0, barHeight - band);
    if (interpretation && !filteredText.isEmpty() && IsKnownType(type) && kTypes[type].barsClearText) {
        // The bars end where the text's cell begins (v = BH - TH), not at the band.
        surface.SelectFont(surface.FontFace(), BarcodeFontHeight(module), 0);
        int tw = 0, th = 0;
        surface.MeasureText(filteredText, tw, th);
        surface.RestoreFont();
        barLength = qBound(0, barHeight - th, barLength);
    }

    if (!filteredText.isEmpty() && IsKnownType(type)) {
        using Routine = void (*)(TBarPen &, const QString &);
        static const Routine kRoutines[kBarcodeTypeCount] = {
            DrawCode128, DrawCode39, DrawCode39Ext, DrawUPCA,  DrawITF,      DrawCode93,   DrawEAN13,
            DrawEAN8,    DrawEAN128, DrawPostnet,   DrawUPCE, DrawUPCSupp2, DrawUPCSupp5,
        };
        const TSymbolFrame frame{surface, x, y, length, barHeight, rotation};
        TBarPen pen(frame, 10 * module, top, barLength, module);
        kRoutines[type](pen, filteredText);
    }
    if (interpretation && !filteredText.isEmpty())
        DrawBarcodeText(surface, type, module, x, y, boxW, boxH, filteredText, rotation);
}

void DrawBarcodeText(TBarcodeSurface &surface, int type, int module, int x, int y, int width, int height,
                     const QString &text, int rotation)
{
    if (!IsKnownType(type) || type == bcPostnet)
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

    switch (type) {
    case bcUPCA: {
        const QString d = PadDigits(text, 11);
        const QString s = d + UpcEanCheckDigit(d);
        put(s.left(1), 0, -1);
        put(s.mid(11, 1), kRight, -1);
        put(s.mid(1, 5), kLeftOfCentre, -1);
        put(s.mid(6, 5), length / 2 + 2 * module, -1);
        break;
    }
    case bcEAN13: {
        const QString d = PadDigits(text, 12);
        const QString s = d + UpcEanCheckDigit(d);
        put(s.left(1), 0, -1);
        put(s.mid(1, 6) + QLatin1Char(' ') + s.mid(7, 6), kCentre, -1);
        break;
    }
    case bcUPCE: {
        const QString d = PadDigits(text, 6);
        put(QStringLiteral("0"), 0, -1);
        put(QString(UpcEanCheckDigit(ExpandUPCE(d))), kRight, -1);
        put(d, kCentre, -1);
        break;
    }
    case bcUPCSupp2:
    case bcUPCSupp5:
        put(text, kCentre, 0);
        break;
    default:
        put(text, kCentre, -1);
        break;
    }
    surface.RestoreBrush();
    surface.RestoreFont();
}
