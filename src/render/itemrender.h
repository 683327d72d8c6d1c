#pragma once
// Drawing items into their bitmaps and the whole label onto any painter.

#include "model/items.h"

#include <QHash>
#include <QImage>

#include <cmath>

class QPainter;

// Draws the item into its ItemBitmap from its properties (an auto-sized box
// follows the drawing) and marks it unchanged without raising OnChange.
// Nothing is drawn while the item is loading.
void RenderItem(TLabelControl &item);

// Why the barcode item draws no symbol with its current properties ("Data
// too long for QR Code", or the encoder's own reason); empty when it draws one
// or has no text. The designer's rendering keeps the same in BarcodeError.
QString BarcodeItemError(const TBarcodeLabel &item);

// The label as the design surface shows it: outline, grid, items (rendered
// when changed), frames and handles. Used by the surface and by headless export.
void PaintLabel(QPainter &painter, TItemContainer &items, bool showGrids);

// The design surface's grid spacing in design pixels until the user sets one
// (a quarter inch, half the format's centimetre, or five millimetres).
QSizeF GridStep(const TItemContainer &items);

// The item's rendering (as in ItemBitmap, uncut) drawn afresh at `scale`
// device pixels per design pixel; the item must be rendered already.
QImage RenderItemPicture(TLabelControl &item, double scale);

// The first screen pixel of design pixel d shown at `scale`: enlarged, the one
// whose centre lies at or past d x scale; reduced, the one whose left edge
// does. The surface maps the mouse back the same way (TCanvasLabel::ToDesign),
// so a click on a ruler mark or an item's edge finds that design pixel.
inline int ScreenPixel(int d, double scale)
{
    return int(std::ceil(scale < 1 ? d * scale : d * scale - 0.5));
}

// The items' screen pictures of one surface, kept between paints and redrawn
// when an item renders again or the scale changes.
class TItemPictureCache {
public:
    // The item's bitmap as placed (cut to w x h design pixels) at `scale`,
    // keyed when the item is drawn transparent; its device pixel ratio is the
    // scale it was made at.
    QImage Picture(TLabelControl &item, int w, int h, double scale);
    // Forgets the items no longer on the surface.
    void Keep(const QList<TLabelControl *> &items);
    void Clear() { entries_.clear(); }

private:
    struct TEntry {
        qint64 BitmapKey = 0;
        double Scale = 0;
        bool Transparent = false;
        QRgb Key = 0;
        QSize Size;
        QImage Picture;
    };
    QHash<const TLabelControl *, TEntry> entries_;
};

// The label as a surface shown at `zoom` shows it: geometry in design pixels
// times zoom, items drawn at zoom times the device's pixel ratio, frames and
// handles at their screen size. The cache may be null. gridX and gridY are
// the grid's steps in design pixels; 0 gives a quarter inch or half a
// centimetre.
void PaintLabel(QPainter &painter, TItemContainer &items, bool showGrids, double zoom,
                TItemPictureCache *cache, double gridX = 0, double gridY = 0);

// The label's interior, to which items are clipped: a rectangle inset by 3
// pixels (1 on the right and bottom) with rounded corners.
class QPainterPath;
QPainterPath LabelClipPath(int width, int height);
