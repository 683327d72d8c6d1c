// The symbologies drawn from libzint's encoded rows: their options set on
// libzint's symbol, the rows read back, and the shapes libzint's own pictures
// have (bars across the bar height, MaxiCode hexagons, DotCode dots, bearer
// bars) drawn in whole device pixels through the engine's surfaces.

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

// A value as libzint takes it; the option's value has been checked.
int ZintValue(const TSymbolOption &o, const QString &value)
{
    switch (o.kind) {
    case TOptionKind::Choice:
        for (const TOptionChoice &c : o.choices)
            if (value.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return c.zint;
        return 0;
    case TOptionKind::Range:
        return value.trimmed().toInt() + o.zintOffset;
    case TOptionKind::Flag:
        return value == u"1" ? o.zintOffset : 0;
    case TOptionKind::Text:
        break;
    }
    return 0;
}

void CopyPrimary(zint_symbol *symbol, const QByteArray &bytes)
{
    const size_t n = std::min(size_t(bytes.size()), sizeof symbol->primary - 1);
    std::copy_n(bytes.constData(), n, symbol->primary);
    symbol->primary[n] = 0;
}

// Pixel spans of a shape across one device row: the pixels whose centres it
// holds, so that the picture is the same at any module and on every surface.
struct TSpanFiller {
    const TSymbolFrame &frame;
    double module;  // pixels per module
    int u0;         // the symbol's origin in the frame
    int v0;

    // Fills [a, b) x [c, d) given in modules as the pixels whose centres lie inside.
    void Span(double a, double b, int row) const
    {
        const int from = int(std::ceil(a * module - 0.5));
        const int to = int(std::ceil(b * module - 0.5));
        if (to > from)
            frame.Fill(u0 + from, u0 + to, v0 + row, v0 + row + 1, true);
    }
    // Device rows whose centres lie in [top, bottom), in modules.
    void Rows(double top, double bottom, int &first, int &end) const
    {
        first = int(std::ceil(top * module - 0.5));
        end = int(std::ceil(bottom * module - 0.5));
    }
    double Centre(int row) const { return (row + 0.5) / module; }
};

// MaxiCode, after ISO/IEC 16023 figure 8 as libzint draws it: hexagons one
// module across (W), rows sqrt(3)/2 apart, odd rows shifted right by half.
constexpr double kSqrt3Half = 0.86602540378443864676;
constexpr double kHexHeight = 2.0 / 1.73205080756887729353;  // V, the long diameter
constexpr double kMaxiHeight = 32 * kSqrt3Half + kHexHeight;

void DrawHexagon(const TSpanFiller &f, double cx, double cy)
{
    const double r = kHexHeight / 2;  // the points up and down
    int first = 0, end = 0;
    f.Rows(cy - r, cy + r, first, end);
    for (int row = first; row < end; ++row) {
        const double dy = std::abs(f.Centre(row) - cy);
        // Full width in the middle half, narrowing to the points.
        const double half = dy <= r / 2 ? 0.5 : 0.5 * (r - dy) / (r / 2);
        f.Span(cx - half, cx + half, row);
    }
}

// A ring (a disc when inner is 0) centred on (cx, cy), radii in modules.
void DrawRing(const TSpanFiller &f, double cx, double cy, double inner, double outer)
{
    int first = 0, end = 0;
    f.Rows(cy - outer, cy + outer, first, end);
    for (int row = first; row < end; ++row) {
        const double dy = f.Centre(row) - cy;
        if (std::abs(dy) >= outer)
            continue;
        const double xo = std::sqrt(outer * outer - dy * dy);
        if (std::abs(dy) >= inner) {
            f.Span(cx - xo, cx + xo, row);
        } else {
            const double xi = std::sqrt(inner * inner - dy * dy);
            f.Span(cx - xo, cx - xi, row);
            f.Span(cx + xi, cx + xo, row);
        }
    }
}

void DrawMaxiCode(const TSpanFiller &f, const TMatrix2D &m)
{
    for (int r = 0; r < m.rows; ++r) {
        const double cy = r * kSqrt3Half + kHexHeight / 2;
        const double dx = r & 1 ? 1.0 : 0.5;
        for (int c = 0; c < m.cols; ++c)
            if (m.Dark(r, c))
                DrawHexagon(f, c + dx, cy);
    }
    // Three dark rings about the centre, libzint's proportions of the
    // standard's 9W bullseye.
    const double cx = 14.5, cy = kMaxiHeight / 2;
    const double step = (9 - kHexHeight) / 5, width = step / 2;
    for (int k : {5, 3, 1}) {
        const double d = kHexHeight + step * k - width;
        DrawRing(f, cx, cy, (d - width) / 2, (d + width) / 2);
    }
}

void DrawDots(const TSpanFiller &f, const TMatrix2D &m)
{
    // libzint's dot: 0.8 of a module across, centred in the module.
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            if (m.Dark(r, c))
                DrawRing(f, c + 0.5, r + 0.5, 0, 0.4);
}

int ModulesAcross(const TMatrix2D &m)
{
    return m.cols + 2 * m.quietZone + (m.box ? 2 * m.borderWidth : 0);
}

// Pixels of the MaxiCode's height: whole pixels holding its 28.87 modules.
int MaxiPixels(int module)
{
    return int(std::ceil(kMaxiHeight * module - 1e-9));
}

} // namespace

TMatrix2D EncodeZintRows(const TSymbology &row, const QString &text, const TBarcodeOptions &options)
{
    TMatrix2D m;
    const QString problem = CheckSymbolOptions(row, options);
    if (!problem.isEmpty()) {
        m.error = problem;
        return m;
    }
    if (text.size() > ZINT_MAX_DATA_LEN) {
        m.error = QCoreApplication::translate("Barcode", "Data too long for %1").arg(row.Caption());
        return m;
    }
    std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
    if (!symbol) {
        m.error = QCoreApplication::translate("Barcode", "Out of memory");
        return m;
    }
    zint_symbol *z = symbol.get();
    z->symbology = row.zintSymbology;
    z->input_mode = row.gs1 ? GS1_MODE | GS1PARENS_MODE : UNICODE_MODE;
    // A GS1 warning (a date that does not exist) is a refusal: the symbol
    // would not say what the user asked for. Others (text converted to the
    // symbology's own character set) are libzint's defaults at work.
    z->warn_level = row.gs1 ? WARN_FAIL_ALL : WARN_DEFAULT;
    QByteArray data = text.toUtf8();
    int bearer = -1;
    for (const TSymbolOption &o : row.options) {
        const auto it = options.named.constFind(QLatin1String(o.name));
        if (it == options.named.cend() && *o.defaultValue == 0)
            continue;
        const QString value = it == options.named.cend() ? QString::fromLatin1(o.defaultValue) : it.value();
        switch (o.field) {
        case TZintField::Option1: z->option_1 = ZintValue(o, value); break;
        case TZintField::Option2: z->option_2 = ZintValue(o, value); break;
        case TZintField::Option3: z->option_3 = ZintValue(o, value); break;
        case TZintField::Flags: z->output_options |= ZintValue(o, value); break;
        case TZintField::Bearer: bearer = ZintValue(o, value); break;
        case TZintField::Primary: CopyPrimary(z, value.toUtf8()); break;
        case TZintField::Composite:
            // The item's text is the linear part; libzint takes it as primary.
            CopyPrimary(z, data);
            data = value.toUtf8();
            break;
        }
    }
    zint_seg seg{reinterpret_cast<unsigned char *>(data.data()), int(data.size()), 0};
    const int rc = ZBarcode_Encode_Segs(z, &seg, 1);
    if (rc >= ZINT_ERROR || z->rows <= 0 || z->width <= 0) {
        m.error = rc == ZINT_ERROR_TOO_LONG
                      ? QCoreApplication::translate("Barcode", "Data too long for %1").arg(row.Caption())
                      : QStringLiteral("%1: %2").arg(row.Caption(), QString::fromUtf8(z->errtxt));
        return m;
    }

    m.rows = z->rows;
    m.cols = z->width;
    m.quietZone = row.quietZone;
    m.stretch = row.stretch;
    m.hexagons = row.hexagons;
    m.dots = row.dots;
    m.ownRows = true;
    m.bits.resize(m.rows * m.cols);
    if (row.zintSymbology == BARCODE_ULTRA) {
        m.colours.resize(m.rows * m.cols);
        for (int r = 0; r < m.rows; ++r)
            for (int c = 0; c < m.cols; ++c) {
                const unsigned char colour = z->encoded_data[r][c];
                m.colours[r * m.cols + c] = char(colour);
                if (colour)
                    m.bits.setBit(r * m.cols + c);
            }
    } else {
        for (int r = 0; r < m.rows; ++r)
            for (int c = 0; c < m.cols; ++c)
                if ((z->encoded_data[r][c >> 3] >> (c & 7)) & 1)
                    m.bits.setBit(r * m.cols + c);
    }
    float fixed = 0;
    int shared = 0;
    for (int r = 0; r < m.rows; ++r) {
        if (z->row_height[r] > 0)
            fixed += z->row_height[r];
        else
            ++shared;
    }
    const float share = shared > 0 ? std::max(1.0f, z->height - fixed) / float(shared) : 0.0f;
    for (int r = 0; r < m.rows; ++r) {
        const float h = z->row_height[r] > 0 ? z->row_height[r] : share;
        m.rowWeights.append(h);
        m.rowHeights.append(std::max(1, int(std::lround(h))));
    }
    if (row.humanReadable)
        m.text = QString::fromUtf8(reinterpret_cast<const char *>(z->text));
    // Binding and box as libzint's pictures have them; ITF-14's bearer bars
    // as chosen.
    m.borderWidth = z->border_width;
    m.bind = (z->output_options & BARCODE_BIND) && m.borderWidth > 0;
    m.box = (z->output_options & BARCODE_BOX) && m.borderWidth > 0;
    if (bearer >= 0) {
        m.bind = bearer == 1;
        m.box = bearer == 2;
    }
    if ((z->output_options & BARCODE_BIND) && m.rows > 1 && m.stretch) {
        m.separator = z->option_3 > 0 && z->option_3 <= 4 ? z->option_3 : 1;
        const bool codablock = row.zintSymbology == BARCODE_CODABLOCKF || row.zintSymbology == BARCODE_HIBC_BLOCKF;
        m.separatorFrom = codablock ? 11 : 0;
        m.separatorTo = codablock ? m.cols - 13 : m.cols;
        // Codablock-F binds its rows only, not across the quiet zones.
        if (codablock && !m.box)
            m.bind = false;
    }
    m.ok = true;
    return m;
}

QSize ZintBoxSize(const TMatrix2D &m, int module, int barHeight, int rotation)
{
    if (!m.ok || module <= 0)
        return {};
    int w = ModulesAcross(m) * module;
    int h = barHeight;
    if (m.hexagons)
        h = MaxiPixels(module) + 2 * m.quietZone * module;
    else if (m.dots)
        h = (m.rows + 2 * m.quietZone) * module;
    else if (!m.stretch)
        return MatrixBoxSize(m, module, rotation);
    if (m.hexagons || m.dots)
        w = (m.cols + 2 * m.quietZone) * module;
    return rotation % 2 ? QSize(h, w) : QSize(w, h);
}

void DrawZintRows(TBarcodeSurface &surface, const TMatrix2D &m, int x, int y, int module, int barHeight,
                  bool interpretation, int rotation, bool transparent)
{
    if (!m.ok || module <= 0)
        return;
    if (!m.colours.isEmpty()) {
        // White (8) is the one light colour.
        TMatrix2D mono = m;
        mono.colours.clear();
        for (qsizetype i = 0; i < m.colours.size(); ++i)
            mono.bits.setBit(i, m.colours[i] != 0 && m.colours[i] != 8);
        DrawMatrix2D(surface, mono, x, y, module, rotation, transparent);
        return;
    }
    if (!m.stretch && !m.hexagons && !m.dots) {
        DrawMatrix2D(surface, m, x, y, module, rotation, transparent);
        return;
    }
    rotation &= 3;
    const QSize upright = ZintBoxSize(m, module, barHeight, 0);
    const QSize box = ZintBoxSize(m, module, barHeight, rotation);
    if (!transparent)
        surface.FillRect(x, y, box.width(), box.height(), false);
    const TSymbolFrame frame{surface, x, y, upright.width(), upright.height(), rotation};
    const int q = m.quietZone * module;
    surface.SaveBrush();
    if (m.hexagons || m.dots) {
        const TSpanFiller f{frame, double(module), q, q};
        if (m.hexagons)
            DrawMaxiCode(f, m);
        else
            DrawDots(f, m);
        surface.RestoreBrush();
        return;
    }

    const int L = upright.width(), BH = upright.height();
    const int bw = (m.bind || m.box) ? m.borderWidth * module : 0;
    int textHeight = 0;
    const bool text = interpretation && !m.text.isEmpty();
    if (text) {
        surface.SelectFont(surface.FontFace(), BarcodeFontHeight(module), 0);
        int tw = 0;
        surface.MeasureText(m.text, tw, textHeight);
        surface.RestoreFont();
    }
    const int area = std::max(0, BH - textHeight - 2 * bw);
    const int u0 = q + (m.box ? bw : 0);
    double total = 0;
    for (float w : m.rowWeights)
        total += w;
    // Rows in whole pixels, rounded where the weights add up: no gaps.
    double cum = 0;
    QList<int> edges{bw};
    for (int r = 0; r < m.rows; ++r) {
        cum += m.rowWeights[r];
        edges.append(bw + int(std::lround(cum * area / std::max(total, 1e-9))));
    }
    for (int r = 0; r < m.rows; ++r) {
        for (int c = 0; c < m.cols;) {
            if (!m.Dark(r, c)) {
                ++c;
                continue;
            }
            int end = c + 1;
            while (end < m.cols && m.Dark(r, end))
                ++end;
            frame.Fill(u0 + c * module, u0 + end * module, edges[r], edges[r + 1], true);
            c = end;
        }
    }
    if (m.separator > 0) {
        const int sh = m.separator * module;
        for (int r = 1; r < m.rows; ++r)
            frame.Fill(u0 + m.separatorFrom * module, u0 + m.separatorTo * module, edges[r] - sh / 2,
                       edges[r] - sh / 2 + sh, true);
    }
    if (m.bind || m.box) {
        frame.Fill(0, L, 0, bw, true);
        frame.Fill(0, L, bw + area, 2 * bw + area, true);
    }
    if (m.box) {
        frame.Fill(0, bw, bw, bw + area, true);
        frame.Fill(L - bw, L, bw, bw + area, true);
    }
    surface.RestoreBrush();
    if (text) {
        static const int kEscapement[4] = {0, 2700, 1800, 900};
        surface.SelectFont(surface.FontFace(), BarcodeFontHeight(module), kEscapement[rotation]);
        surface.SaveBrush();
        int tw = 0, th = 0;
        surface.MeasureText(m.text, tw, th);
        int px = 0, py = 0;
        frame.Point(L / 2 - tw / 2, BH - th, px, py);
        surface.DrawTextOpaque(px, py, m.text);
        surface.RestoreBrush();
        surface.RestoreFont();
    }
}
