#pragma once
// Drawing items into their bitmaps and the whole label onto any painter.

#include "model/items.h"

class QPainter;

// Loads a BMP or JPEG file into the item's Picture; false (with a message for
// a missing or unreadable file) when nothing was loaded.
bool LoadGraphic(TGraphicLabel *item, const QString &fileName);

// The label as the design surface shows it: outline, grid, items (rendered
// when changed), frames and handles. Used by the surface and by headless export.
void PaintLabel(QPainter &painter, TItemContainer &items, bool showGrids);

// The label's interior, to which items are clipped: a rectangle inset by 3
// pixels (1 on the right and bottom) with rounded corners.
class QPainterPath;
QPainterPath LabelClipPath(int width, int height);
