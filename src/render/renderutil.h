#pragma once
// Helpers shared by the item renderers and the label painter.

#include "model/items.h"
#include "render/drawtarget.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSize>

#include <cmath>

// The screen's target: the design resolution of the item's label.
TDrawTarget ScreenTarget(const TLabelControl &item);

// The drawing of each kind, for RenderItem: the bitmap from the properties,
// and an auto-sized box following it.
void RenderBarcode(TBarcodeLabel &item);
void RenderText(TTextLabel &item);
void RenderMemo(TMemoLabel &item);
void RenderShape(TShapeLabel &item);
void RenderGraphic(TGraphicLabel &item);

// The same drawings for a zoomed or high-density screen: `scale` device pixels
// per design pixel, so edges and glyphs land on device pixels instead of being
// blown up from the design bitmap. They leave the item as it is.
QImage BarcodePicture(const TBarcodeLabel &item, double scale);
QImage TextPicture(const TTextLabel &item, double scale);
QImage MemoPicture(const TMemoLabel &item, double scale);
QImage ShapePicture(const TShapeLabel &item, double scale);
QImage GraphicPicture(const TGraphicLabel &item, double scale);

// Bitmaps never grow past this on either side; a stray value from a file must
// not turn into a multi-gigabyte allocation.
constexpr int kMaxItemBitmapSide = 32767;

// A w x h RGB32 bitmap filled with the colour (ARGB32 premultiplied for a
// colour that is not opaque), or a null image when either side is not
// positive or too large (nothing to draw).
QImage NewItemBitmap(int w, int h, QRgb fill);

// A picture larger than this many pixels is made at a lower scale (it is then
// stretched on screen): memory stays bounded at high zoom.
constexpr double kMaxPicturePixels = 24.0 * 1024 * 1024;

// A bw x bh design-pixel drawing made at `scale` (or less, see above): the
// bitmap is the scaled size, filled, and `draw` paints in design pixels. The
// picture's device pixel ratio is the scale it was made at.
template <class Draw> QImage ScaledItemPicture(int bw, int bh, double scale, QRgb fill, Draw draw)
{
    const double area = double(bw) * bh * scale * scale;
    if (area > kMaxPicturePixels)
        scale *= std::sqrt(kMaxPicturePixels / area);
    QImage image = NewItemBitmap(qRound(bw * scale), qRound(bh * scale), fill);
    if (!image.isNull()) {
        {
            QPainter p(&image);
            p.scale(scale, scale);
            // Hatching keeps its spacing in design pixels, as in the design bitmap.
            p.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
            draw(p);
        }
        image.setDevicePixelRatio(scale);
    }
    return image;
}

// A copy of the image in which every pixel of the key colour (alpha ignored)
// is fully transparent; the image as it is for a fully transparent key.
QImage WithoutColor(const QImage &image, QRgb key);

// Background of a text rendering: white, or black for white text on a
// transparent item so that the text stays visible once white is keyed out.
QRgb TextBackground(const TLabelControl &item);
