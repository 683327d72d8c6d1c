#pragma once
// Drawing items into their bitmaps and the whole label onto any painter.

#include "model/items.h"

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

// The label's interior, to which items are clipped: a rectangle inset by 3
// pixels (1 on the right and bottom) with rounded corners.
class QPainterPath;
QPainterPath LabelClipPath(int width, int height);
