#pragma once
// Geometry of several items taken together: the box around them and how far
// it may move while staying on the label.

#include "model/items.h"

#include <QList>
#include <QPoint>

// The smallest box holding all the items' boxes (empty for none).
TRect BoundsOf(const QList<TLabelControl *> &items);

// (dx, dy) cut so that `box` moved by it stays within 0..width x 0..height;
// a side already outside may not go further out, and one larger than the
// label does not move along that axis at all.
QPoint KeptInside(const TRect &box, int dx, int dy, int width, int height);

// Whether two boxes share at least one design pixel.
bool Touches(const TRect &a, const TRect &b);
