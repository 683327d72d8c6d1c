// Shapes: the six figures with the pen kept inside the box, for any target;
// the screen's pictures of them.

#include "render/itemdraw.h"
#include "render/renderutil.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Where the figure runs in its box, relative to the box's corner. The screen
// counts in pixel indices: a pen of odd width is centred on the pixel (offset
// one half), one of even width on its top-left corner, the pen's half `a` in
// on the left and top and `b` (one less for even widths) on the right and
// bottom, and lines stop one pixel short of their end point. Paper insets by
// ShapePenInsets on every side.
struct TShapeFrame {
    double Offset = 0;
    int Left = 0, Top = 0;
    int BoxRight = 0, BoxBottom = 0;   // rectangle, ellipse, rounded rectangle
    int LineRight = 0, LineBottom = 0; // ends of lines and the triangle's right
    int TriangleLeft = 0;
    int LeftLineTop = 0; // top of a left-aligned vertical line
};

TShapeFrame Frame(int pen, int W, int H, const TDrawTarget &t)
{
    TShapeFrame f;
    if (t.IsPaper()) {
        int hx = 0, hy = 0;
        ShapePenInsets(pen, t, hx, hy);
        f.Left = f.TriangleLeft = hx;
        f.Top = f.LeftLineTop = hy;
        f.BoxRight = f.LineRight = W - hx;
        f.BoxBottom = f.LineBottom = H - hy;
        return f;
    }
    const int a = pen / 2;
    const int b = pen / 2 - 1 + pen % 2;
    f.Offset = (pen % 2) ? 0.5 : 0.0;
    f.Left = f.Top = a;
    f.BoxRight = W - b - 1;
    f.BoxBottom = H - b - 1;
    f.LineRight = W - a - 1;
    f.LineBottom = H - a - 1;
    f.TriangleLeft = a + 1;
    f.LeftLineTop = b;
    return f;
}

} // namespace

void DrawShapeItem(QPainter &painter, const TShapeLabel &item, const QRect &box, const TDrawTarget &t)
{
    const int W = box.width(), H = box.height();
    // The pen in design pixels; a file may hold anything.
    const int designPen = t.IsPaper() ? int(item.Pen.Width) : qBound(1, int(item.Pen.Width), 999);
    const TShapeFrame f = Frame(designPen, W, H, t);
    const double o = f.Offset;
    const QPointF corner = QPointF(box.topLeft()) + QPointF(o, o);
    auto pt = [&](int x, int y) { return corner + QPointF(x, y); };
    auto rect = [&] { return QRectF(pt(f.Left, f.Top), QSizeF(f.BoxRight - f.Left, f.BoxBottom - f.Top)); };

    QPainterPath figure;
    bool closed = true;
    switch (item.ShapeKind) {
    case skRectangle:
        figure.addRect(rect());
        break;
    case skEllipse:
        figure.addEllipse(rect());
        break;
    case skTriangle:
        figure.addPolygon(QPolygonF({pt(W / 2, f.Top), pt(f.LineRight, f.BoxBottom), pt(f.TriangleLeft, f.BoxBottom)}));
        figure.closeSubpath();
        break;
    case skRoundRect: {
        const QSize c = RoundRectCorner(W, H, t);
        figure.addRoundedRect(rect(), c.width() / 2.0, c.height() / 2.0);
        break;
    }
    case skHorzLine: {
        const int y = item.VertAlign == iaTop ? f.Top : item.VertAlign == iaCenter ? H / 2 : f.BoxBottom;
        figure.moveTo(pt(f.Left, y));
        figure.lineTo(pt(f.LineRight, y));
        closed = false;
        break;
    }
    case skVertLine: {
        const int x = item.HorzAlign == iaLeft ? f.Left : item.HorzAlign == iaCenter ? W / 2 : f.BoxRight;
        figure.moveTo(pt(x, item.HorzAlign == iaLeft ? f.LeftLineTop : f.Top));
        figure.lineTo(pt(x, f.LineBottom));
        closed = false;
        break;
    }
    }

    // The figure is mirrored, not the painter: the hatching keeps its direction.
    if (item.FlipHorz || item.FlipVert)
        figure = MirroredIn(box, item.FlipHorz, item.FlipVert).map(figure);

    const QColor penColor = ColorToQColor(item.Pen.Color);
    const QBrush brush(ColorToQColor(item.Brush.Color), ToQtBrushStyle(item.Brush.Style));
    painter.save();
    if (t.IsPaper()) {
        if (!item.Transparent && !(item.Brush.Style == bsClear && item.Brush.Color == clWhite))
            painter.fillRect(box, Qt::white);
        painter.setPen(QPen(penColor, t.ToDeviceX(item.Pen.Width), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(closed ? brush : QBrush());
        painter.drawPath(figure);
    } else {
        // The outline is filled as a geometric stroke (square caps, mitred
        // joins), so its edges fall on pixel boundaries at every width.
        QPainterPathStroker stroker;
        stroker.setWidth(designPen);
        stroker.setCapStyle(Qt::SquareCap);
        stroker.setJoinStyle(Qt::MiterJoin);
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (closed)
            painter.fillPath(figure, brush);
        painter.fillPath(stroker.createStroke(figure), penColor);
    }
    painter.restore();
}

void RenderShape(TShapeLabel &item)
{
    item.ItemBitmap = NewItemBitmap(item.Width, item.Height, qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        QPainter painter(&item.ItemBitmap);
        DrawShapeItem(painter, item, item.ItemBitmap.rect(), ScreenTarget(item));
    }
}

QImage ShapePicture(const TShapeLabel &item, double scale)
{
    return ScaledItemPicture(item.Width, item.Height, scale, qRgb(255, 255, 255), [&](QPainter &p) {
        DrawShapeItem(p, item, QRect(0, 0, item.Width, item.Height), ScreenTarget(item));
    });
}
