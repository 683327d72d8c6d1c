// Snapping on the design surface: the drag's box handed to SnapBox with the
// other items, the label and the grid, and the guides it returns drawn.

#include "canvas/canvaslabel.h"

#include "render/itemrender.h"

#include <QPainter>
#include <QtMath>

double TCanvasLabel::GridStepX() const
{
    return GridStepPixels(LabelUnit(LabelFormat), ScreenDpiX, GridInches, GridCentimetres, GridMillimetres);
}

double TCanvasLabel::GridStepY() const
{
    return GridStepPixels(LabelUnit(LabelFormat), ScreenDpiY, GridInches, GridCentimetres, GridMillimetres);
}

void TCanvasLabel::SnapDrag(TRect &box, int edges, Qt::KeyboardModifiers modifiers)
{
    TSnapRequest r;
    r.Box = box;
    r.Edges = edges;
    r.ToItems = SnapToItems;
    if (SnapToGrid) {
        r.GridX = GridStepX();
        r.GridY = GridStepY();
    }
    if (modifiers.testFlag(Qt::AltModifier) || (!r.ToItems && !SnapToGrid)) {
        SetSnapGuides({});
        return;
    }
    // The same reach on screen at every zoom, and at least a design pixel.
    r.Threshold = qMax(1, qFloor(kSnapScreenPixels / zoom_));
    r.Label = {0, 0, surfaceWidth_, surfaceHeight_};
    for (const TLabelControl *item : std::as_const(Items))
        if (!item->Selected && item != SelectedItem)
            r.Others << item->BoundsRect();
    const TSnapResult s = SnapBox(r);
    if (edges & seLeft)
        box.Left += s.Dx;
    if (edges & seRight)
        box.Right += s.Dx;
    if (edges & seTop)
        box.Top += s.Dy;
    if (edges & seBottom)
        box.Bottom += s.Dy;
    SetSnapGuides(s.Guides);
}

void TCanvasLabel::SetSnapGuides(const QList<TSnapGuide> &guides)
{
    if (guides == SnapGuides)
        return;
    auto dirty = [this](const TSnapGuide &g) {
        const int at = ScreenPixel(g.At, zoom_);
        const int from = ScreenPixel(g.From, zoom_), to = ScreenPixel(g.To, zoom_);
        update(g.Vertical ? QRect(at - 1, from - 1, 3, to - from + 3) : QRect(from - 1, at - 1, to - from + 3, 3));
    };
    for (const TSnapGuide &g : std::as_const(SnapGuides))
        dirty(g);
    SnapGuides = guides;
    for (const TSnapGuide &g : std::as_const(SnapGuides))
        dirty(g);
}

void TCanvasLabel::PaintSnapGuides(QPainter &p) const
{
    if (SnapGuides.isEmpty())
        return;
    p.save();
    p.setClipping(false);
    p.setRenderHint(QPainter::Antialiasing, false);
    // One screen pixel wide at every zoom; a colour no item frame uses.
    p.setPen(QPen(QColor(0xE0, 0x20, 0xC0), 0));
    for (const TSnapGuide &g : SnapGuides) {
        const int at = ScreenPixel(g.At, zoom_);
        const int from = ScreenPixel(g.From, zoom_), to = ScreenPixel(g.To, zoom_);
        if (g.Vertical)
            p.drawLine(at, from, at, to);
        else
            p.drawLine(from, at, to, at);
    }
    p.restore();
}
