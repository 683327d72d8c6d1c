#pragma once
// Where an item is drawn and the rules that device needs. Every item kind has
// one drawing (itemdraw.h); the screen and the paper differ only by this value.
//
// The screen draws in design pixels: a zoom or a high-density screen scales
// the painter, so glyphs and edges land on device pixels. Paper draws in
// device dots: every design length is truncated to whole dots (so items land
// exactly where the label's grid puts them), the font height likewise, and a
// transparent item leaves the paper as it is, where the screen keys a colour
// out of the item's opaque picture afterwards.

#include "model/items.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTransform>

enum class TDrawMode { Screen, Paper };

struct TDrawTarget {
    int DesignDpiX = 96, DesignDpiY = 96; // resolution of the item geometry
    int DeviceDpiX = 96, DeviceDpiY = 96; // paper: the printer's; screen: the design's
    TDrawMode Mode = TDrawMode::Screen;

    static TDrawTarget Screen(int designDpiX, int designDpiY)
    {
        return {designDpiX, designDpiY, designDpiX, designDpiY, TDrawMode::Screen};
    }
    static TDrawTarget Paper(int designDpiX, int designDpiY, int deviceDpiX, int deviceDpiY)
    {
        return {designDpiX, designDpiY, deviceDpiX, deviceDpiY, TDrawMode::Paper};
    }
    bool IsPaper() const { return Mode == TDrawMode::Paper; }
    // A design length in device pixels, truncated toward zero, exact.
    int ToDeviceX(int v) const;
    int ToDeviceY(int v) const;
    // The item's box (design pixels) in device pixels, its corner at `at`.
    QRect DeviceBox(const TLabelControl &item, QPoint at) const
    {
        return {at, QSize(ToDeviceX(item.Width), ToDeviceY(item.Height))};
    }
};

// The item's font at the target: design pixels on screen, without
// antialiasing so that keyed transparency leaves no fringe; on paper the
// height in whole dots.
QFont ItemFont(const TItemFont &font, const TDrawTarget &t);

// Whether the item's drawing paints its own background: always on screen
// (its picture is opaque and keyed afterwards), on paper unless transparent.
bool PaintsBackground(const TLabelControl &item, const TDrawTarget &t);

// Where an extent w x h lies in the box by the item's alignment (left/top
// otherwise); the rule of pictures, barcodes and screen bitmaps.
QPoint AlignIn(int horzAlign, int vertAlign, const QRect &box, QSize extent);

// Reference point (top-left of the unrotated cell) of a text cell TW x TH
// turned by `rotation` quarter turns clockwise in the box (X, Y, W, H).
QPoint TextOrigin(int rotation, int horzAlign, int vertAlign, int X, int Y, int W, int H, int TW, int TH);

// Mirrors a drawing in `box`: left for right, top for bottom, or both.
QTransform MirroredIn(const QRect &box, bool horz, bool vert);
// A drawing laid out upright from (0, 0) (its unturned extent), carried into
// `box` (its extent turned by `rotation` quarter turns clockwise) and then
// mirrored there; the painter transform of memos and pictures.
QTransform TurnedInto(const QRect &box, int rotation, bool flipHorz = false, bool flipVert = false);

// The rectangle a wrapped memo block tw x th is drawn into on paper.
QRect MemoRect(int horzAlign, int vertAlign, int X, int Y, int W, int H, int tw, int th);

// Module width in device pixels on the barcode's length axis: the item's
// scale on screen (1 to 9, one when automatic); on paper the scale in dots,
// or a printer's own module (1/80 inch, 1/60 for POSTNET) when automatic.
int BarcodeModule(const TBarcodeLabel &item, const TDrawTarget &t);

// A picture bw x bh in a box W x H, keeping the aspect ratio when asked:
// the shorter side rounded on screen, truncated on paper.
QSize PictureSize(bool keepAspect, int W, int H, int bw, int bh, const TDrawTarget &t);

// Corner ellipse of a rounded rectangle W x H: W div (sqrt(W)/2), rounded on
// screen and truncated on paper; a divisor of 0 gives the side itself.
QSize RoundRectCorner(int W, int H, const TDrawTarget &t);

// Paper's pen insets of a shape whose pen is penWidth design pixels: half the
// pen in dots, one design pixel's dots more when that half is odd.
void ShapePenInsets(int penWidth, const TDrawTarget &t, int &hx, int &hy);
