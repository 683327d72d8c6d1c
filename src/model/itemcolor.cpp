// Colours as label files store them, and the item font's size on screen.
#include "model/items.h"

#include <QGuiApplication>
#include <QPalette>

#include <climits>
#include <cstdlib>

#include "model/labelformat.h"

// ---------------------------------------------------------------- colours

namespace {
constexpr quint32 kSystemColorFlag = 0x80000000u;

// Classic Windows system colours, used when no application palette exists
// or the palette has no matching role.
QRgb ClassicSystemColor(int index)
{
    static const QRgb table[] = {
        0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
        0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
        0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
        0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x0078D7, 0xF0F0F0,
    };
    if (index < 0 || index >= int(sizeof table / sizeof table[0]))
        return 0x000000;
    return table[index];
}

QColor SystemColor(int index)
{
    const bool havePalette = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    if (havePalette) {
        const QPalette pal = QGuiApplication::palette();
        switch (index) {
        case 4:  // COLOR_MENU
        case 15: // COLOR_BTNFACE
        case 30: // COLOR_MENUBAR
            return pal.color(QPalette::Button);
        case 5: // COLOR_WINDOW
            return pal.color(QPalette::Base);
        case 7:  // COLOR_MENUTEXT
        case 8:  // COLOR_WINDOWTEXT
            return pal.color(QPalette::Text);
        case 12: // COLOR_APPWORKSPACE
            return pal.color(QPalette::Window);
        case 13: // COLOR_HIGHLIGHT
        case 29: // COLOR_MENUHILIGHT
            return pal.color(QPalette::Highlight);
        case 14: // COLOR_HIGHLIGHTTEXT
            return pal.color(QPalette::HighlightedText);
        case 16: // COLOR_BTNSHADOW
            return pal.color(QPalette::Mid);
        case 17: // COLOR_GRAYTEXT
            return pal.color(QPalette::Disabled, QPalette::Text);
        case 18: // COLOR_BTNTEXT
            return pal.color(QPalette::ButtonText);
        case 20: // COLOR_BTNHIGHLIGHT
            return pal.color(QPalette::Light);
        case 21: // COLOR_3DDKSHADOW
            return pal.color(QPalette::Shadow);
        case 22: // COLOR_3DLIGHT
            return pal.color(QPalette::Midlight);
        case 23: // COLOR_INFOTEXT
            return pal.color(QPalette::ToolTipText);
        case 24: // COLOR_INFOBK
            return pal.color(QPalette::ToolTipBase);
        case 26: // COLOR_HOTLIGHT
            return pal.color(QPalette::Link);
        default:
            break;
        }
    }
    return QColor::fromRgb(ClassicSystemColor(index));
}
} // namespace

QColor ColorToQColor(TColor c)
{
    const quint32 u = static_cast<quint32>(c);
    const quint32 top = u >> 24;
    if (top == (kSystemColorFlag >> 24) || top == 0xFF)
        return SystemColor(static_cast<int>(u & 0xFF));
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

TColor QColorToColor(const QColor &c)
{
    if (!c.isValid())
        return clBlack;
    const QColor rgb = c.toRgb();
    return static_cast<TColor>(quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16));
}

Qt::BrushStyle ToQtBrushStyle(int style)
{
    switch (style) {
    case bsClear: return Qt::NoBrush;
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsSolid:
    default: return Qt::SolidPattern;
    }
}

// ------------------------------------------------------------------- font

namespace {
// a * b / c rounded half away from zero, as the Windows helper does; -1 when
// c is 0 or the result does not fit.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long ap = std::llabs(p), ac = std::llabs(static_cast<long long>(c));
    long long q = (ap + ac / 2) / ac;
    if ((p < 0) != (c < 0))
        q = -q;
    if (q > INT_MAX || q < INT_MIN)
        return -1;
    return static_cast<int>(q);
}
} // namespace

int TItemFont::PixelHeight(int dpiY) const
{
    if (Font.pointSize() <= 0 && Font.pixelSize() > 0)
        return Font.pixelSize();
    const int pt = Font.pointSize() > 0 ? Font.pointSize() : Round(Font.pointSizeF());
    const int h = MulDiv(pt, dpiY, 72);
    return h > 0 ? h : 1;
}

QFont TItemFont::ScaledFont(int pixelHeight) const
{
    QFont f = Font;
    f.setPixelSize(pixelHeight);
    return f;
}
