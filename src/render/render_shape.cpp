// Shape rendering: the six figures with the pen kept inside the box.

#include "render/renderutil.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The figure in a W x H box of design pixels, on a white background.
void DrawShape(const TShapeLabel &item, QPainter &painter, int W, int H)
{
    const int p = qBound(1, int(item.Pen.Width), 999);
    // Insets that keep a pen of width p inside the bitmap: a on the left
    // and top, b (one less for even widths) on the right and bottom.
    const int a = p / 2;
    const int b = p / 2 - 1 + p % 2;
    // Figure coordinates are pixel indices; a pen of odd width is centred
    // on the pixel, one of even width on its top-left corner.
    const double o = (p % 2) ? 0.5 : 0.0;
    auto pt = [o](int x, int y) { return QPointF(x + o, y + o); };
    // Box (l, t, r, b) with r and b exclusive, as path rectangle.
    auto box = [o](int l, int t, int r, int bt) { return QRectF(l + o, t + o, r - 1 - l, bt - 1 - t); };

    QPainterPath figure;
    bool closed = true;
    switch (item.ShapeKind) {
    case skRectangle:
        figure.addRect(box(a, a, W - b, H - b));
        break;
    case skEllipse:
        figure.addEllipse(box(a, a, W - b, H - b));
        break;
    case skTriangle:
        figure.addPolygon(QPolygonF({pt(W / 2, a), pt(W - (a + 1), H - (b + 1)), pt(a + 1, H - (b + 1))}));
        figure.closeSubpath();
        break;
    case skRoundRect: {
        const QSize corner = RoundRectCorner(W, H);
        figure.addRoundedRect(box(a, a, W - b, H - b), corner.width() / 2.0, corner.height() / 2.0);
        break;
    }
    case skHorzLine: {
        const int y = item.VertAlign == iaTop ? a : item.VertAlign == iaCenter ? H / 2 : H - b - 1;
        // Lines stop one pixel short of their end point.
        figure.moveTo(pt(a, y));
        figure.lineTo(pt(W - a - 1, y));
        closed = false;
        break;
    }
    case skVertLine: {
        const int x = item.HorzAlign == iaLeft ? a : item.HorzAlign == iaCenter ? W / 2 : W - b - 1;
        figure.moveTo(pt(x, item.HorzAlign == iaLeft ? b : a));
        figure.lineTo(pt(x, H - a - 1));
        closed = false;
        break;
    }
    }

    // The outline is filled as a geometric stroke (square caps, mitred
    // joins), so its edges fall on pixel boundaries at every width.
    QPainterPathStroker stroker;
    stroker.setWidth(p);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (closed)
        painter.fillPath(figure, QBrush(ColorToQColor(item.Brush.Color), ToQtBrushStyle(item.Brush.Style)));
    painter.fillPath(stroker.createStroke(figure), ColorToQColor(item.Pen.Color));
}

} // namespace

void RenderShape(TShapeLabel &item)
{
    item.ItemBitmap = NewItemBitmap(item.Width, item.Height, qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        QPainter painter(&item.ItemBitmap);
        DrawShape(item, painter, item.Width, item.Height);
    }
}

QImage ShapePicture(const TShapeLabel &item, double scale)
{
    return ScaledItemPicture(item.Width, item.Height, scale, qRgb(255, 255, 255),
                             [&](QPainter &p) { DrawShape(item, p, item.Width, item.Height); });
}
