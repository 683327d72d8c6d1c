#pragma once
// The one drawing of each item kind, for every device: the design surface at
// any zoom and density, the preview, the printer, PDF and PNG. Each kind is
// measured for its target, then drawn where its caller puts it: the screen
// draws into the item's picture and places the picture on the surface, paper
// draws the item in place on the page (DrawPlacedItem). What the two need
// differently is the TDrawTarget. The text to draw is an input: the design
// text on screen, the record's composed text on paper.

#include "barcode/barcode.h"
#include "render/drawtarget.h"

#include <QFont>
#include <QString>
#include <QStringList>

class QPainter;
class QPaintDevice;


// ---- single-line text

struct TTextCell {
    QFont Font;
    QString Text;
    int Ascent = 0;
    int Width = 0, Height = 0; // the unrotated cell
    int TwoZeros = 0;          // the width of "00", an empty box's least
    int Rotation = 0;
    // The cell as turned on the device.
    QSize Extent() const { return Rotation % 2 ? QSize(Height, Width) : QSize(Width, Height); }
};

TTextCell MeasureTextCell(const TLabelControl &item, const QString &text, const TDrawTarget &t,
                          const QPaintDevice *device = nullptr);
// The cell with its reference point (the unrotated cell's top-left) at
// `origin`, turned by the item's rotation, over its background when the
// target paints it.
void DrawTextCell(QPainter &p, const TLabelControl &item, const TTextCell &c, QPoint origin, const TDrawTarget &t);

// ---- multi-line text

struct TMemoBlock {
    QFont Font;
    QString Text;
    int Flags = 0;
    QRect Layout, Block; // the width lines wrap at, and the wrapped block in it
    QSize Size;          // the upright block
    int Rotation = 0;
    // The block as turned on the device.
    QSize Extent() const { return Rotation % 2 ? Size.transposed() : Size; }
};

// Wrapped at the item's box width before its rotation (a longer word widens
// it). A turned memo's block is drawn upright through TurnedInto.
TMemoBlock MeasureMemo(const TLabelControl &item, const QString &text, const TDrawTarget &t,
                       const QPaintDevice *device = nullptr);
// The block drawn into `rect` (its size, or on paper the MemoRect).
void DrawMemoBlock(QPainter &p, const TLabelControl &item, const TMemoBlock &m, const QRect &rect,
                   const TDrawTarget &t);

// ---- barcode

struct TBarcodeDrawing {
    TBarcodeSymbol Symbol;
    QString Error; // the symbology cannot hold the text: no symbol
    int Module = 1, BarHeight = 0;
    QSize Size; // the symbol's box; the item's box on screen when there is none
};

// The text is filtered for the symbology already.
TBarcodeDrawing MeasureBarcode(const TBarcodeLabel &item, const QString &filteredText, const TDrawTarget &t);
// The symbol with its box's top-left at `at`. Without one the screen draws a
// thin cross, so the item stays visible and can be selected; paper nothing.
void DrawBarcodeItem(QPainter &p, const TBarcodeLabel &item, const TBarcodeDrawing &d, QPoint at,
                     const TDrawTarget &t);

// ---- shape and picture

// The figure filling `box` (device pixels), the pen kept inside, mirrored
// in the box as the item says.
void DrawShapeItem(QPainter &p, const TShapeLabel &item, const QRect &box, const TDrawTarget &t);

// The picture's size in a device box W x H, turned as the item is.
QSize ItemPictureSize(const TGraphicLabel &item, int W, int H, const TDrawTarget &t);
// The picture stretched into `rect` (its turned size), turned and mirrored
// as the item says.
void DrawPictureItem(QPainter &p, const TGraphicLabel &item, const QRect &rect, const TDrawTarget &t);

// ---- in place

// The item drawn on the page with its box's top-left at `at` (device pixels),
// placed in its box by its alignment. The text is the item's (unfiltered)
// text. The reason of a barcode whose symbology cannot hold the text is
// added to symbolErrors when given.
void DrawPlacedItem(QPainter &p, TLabelControl &item, const QString &text, const TDrawTarget &t, QPoint at,
                    QStringList *symbolErrors = nullptr);
