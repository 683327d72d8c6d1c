// Items drawn in place on a page: each kind measured at the target, placed in
// its box by its alignment and drawn by its one drawing.

#include "render/itemdraw.h"

#include <QPainter>
#include <QStringList>

namespace {

struct TPlacedDrawer final : TItemVisitor {
    TPlacedDrawer(QPainter &p, const QString &text, const TDrawTarget &t, QPoint at, QStringList *errors)
        : P(p), Text(text), T(t), At(at), Errors(errors)
    {
    }
    QPainter &P;
    const QString &Text;
    const TDrawTarget &T;
    QPoint At;
    QStringList *Errors;

    QRect Box(const TLabelControl &item) const { return T.DeviceBox(item, At); }

    void Visit(TTextLabel &item) override
    {
        const TTextCell c = MeasureTextCell(item, Text, T, P.device());
        const QRect b = Box(item);
        DrawTextCell(P, item, c,
                     TextOrigin(item.Rotation, item.HorzAlign, item.VertAlign, b.x(), b.y(), b.width(), b.height(),
                                c.Width, c.Height),
                     T);
    }
    void Visit(TMemoLabel &item) override
    {
        const TMemoBlock m = MeasureMemo(item, Text, T, P.device());
        const QRect b = Box(item);
        if (m.Rotation) {
            // Placed in the box as a turned extent, like a picture.
            P.save();
            P.setTransform(TurnedInto(QRect(AlignIn(item.HorzAlign, item.VertAlign, b, m.Extent()), m.Extent()),
                                      m.Rotation),
                           true);
            DrawMemoBlock(P, item, m, QRect(QPoint(), m.Size), T);
            P.restore();
            return;
        }
        DrawMemoBlock(P, item, m,
                      MemoRect(item.HorzAlign, item.VertAlign, b.x(), b.y(), b.width(), b.height(), m.Size.width(),
                               m.Size.height()),
                      T);
    }
    void Visit(TBarcodeLabel &item) override
    {
        const TBarcodeDrawing d = MeasureBarcode(item, FilterBarcodeText(item.BarcodeType, Text), T);
        if (!d.Error.isEmpty() && Errors)
            Errors->append(d.Error);
        DrawBarcodeItem(P, item, d, AlignIn(item.HorzAlign, item.VertAlign, Box(item), d.Size), T);
    }
    void Visit(TShapeLabel &item) override { DrawShapeItem(P, item, Box(item), T); }
    void Visit(TGraphicLabel &item) override
    {
        const QRect b = Box(item);
        const QSize size = ItemPictureSize(item, b.width(), b.height(), T);
        DrawPictureItem(P, item, QRect(AlignIn(item.HorzAlign, item.VertAlign, b, size), size), T);
    }
};

} // namespace

void DrawPlacedItem(QPainter &p, TLabelControl &item, const QString &text, const TDrawTarget &t, QPoint at,
                    QStringList *symbolErrors)
{
    TPlacedDrawer drawer(p, text, t, at, symbolErrors);
    item.Accept(drawer);
}
