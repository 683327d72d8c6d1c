#pragma once
// Internals shared by the symbology routines: the symbol's own frame, the bar
// pen, and the routines DrawBarcode dispatches to.

#include "barcode/barcode.h"

// u runs along the symbol from the outer edge of the leading quiet zone, v
// across it from the box's top edge; Fill maps a frame rectangle to the device.
struct TSymbolFrame {
    TBarcodeSurface &surface;
    int x;
    int y;
    int length;     // L, the box's extent along the symbol
    int barHeight;  // BH, the box's extent across it
    int rotation;

    // Frame rectangle u in [a, b), v in [c, d).
    void Fill(int a, int b, int c, int d, bool black) const;
    // Device point of the frame point (u, v).
    void Point(int u, int v, int &px, int &py) const;
};

// The pen of the symbology routines. Touching bars of the same extent are
// gathered into one rectangle: the same pixels, and no seams between modules
// on vector surfaces.
class TBarPen {
public:
    TBarPen(const TSymbolFrame &frame, int u, int top, int length, int module)
        : m_frame(frame), m_u(u), m_top(top), m_length(length), m_module(module)
    {
        m_frame.surface.SaveBrush();
    }
    ~TBarPen()
    {
        Flush();
        m_frame.surface.RestoreBrush();
    }
    TBarPen(const TBarPen &) = delete;
    TBarPen &operator=(const TBarPen &) = delete;

    int Module() const { return m_module; }
    int Top() const { return m_top; }
    int Length() const { return m_length; }

    void DrawModuleBar(int w) { DrawBar(w, m_top, m_length); }
    // A bar of its own extent across the symbol (POSTNET half bars).
    void DrawBar(int w, int top, int length);
    void AdvanceModule(int w) { m_u += w; }
    // Walk the low `bits` bits of `pattern`, most significant first, one module each.
    void DrawPattern(quint32 pattern, int bits);
    // Walk element widths in modules ("2112..."), bar first, alternating.
    void DrawWidths(const char *widths);
    void Flush();

private:
    const TSymbolFrame &m_frame;
    int m_u;
    int m_top;
    int m_length;
    int m_module;
    bool m_pending = false;
    int m_pendStart = 0;
    int m_pendEnd = 0;
    int m_pendTop = 0;
    int m_pendLength = 0;
};

void DrawCode128(TBarPen &pen, const QString &text);
void DrawEAN128(TBarPen &pen, const QString &text);
void DrawCode39(TBarPen &pen, const QString &text);
void DrawCode39Ext(TBarPen &pen, const QString &text);
void DrawCode93(TBarPen &pen, const QString &text);
void DrawUPCA(TBarPen &pen, const QString &text);
void DrawEAN13(TBarPen &pen, const QString &text);
void DrawEAN8(TBarPen &pen, const QString &text);
void DrawUPCE(TBarPen &pen, const QString &text);
void DrawUPCSupp2(TBarPen &pen, const QString &text);
void DrawUPCSupp5(TBarPen &pen, const QString &text);
void DrawITF(TBarPen &pen, const QString &text);
void DrawPostnet(TBarPen &pen, const QString &text);

// Number of Code 39 characters (full-ASCII) or Code 93 symbols a text takes.
int Code39ExtLength(const QString &text);
int Code93Length(const QString &text);
// Left-pad a digit string with '0' to n characters.
QString PadDigits(const QString &text, int n);
