// Items drawn into their bitmaps, and the label as the design surface shows it.

#include "render/itemrender.h"

#include "render/renderutil.h"
#include "model/labelformat.h"

#include <QPainter>
#include <QPainterPath>

namespace {

struct TItemRenderer final : TItemVisitor {
    void Visit(TBarcodeLabel &item) override { RenderBarcode(item); }
    void Visit(TTextLabel &item) override { RenderText(item); }
    void Visit(TMemoLabel &item) override { RenderMemo(item); }
    void Visit(TShapeLabel &item) override { RenderShape(item); }
    void Visit(TGraphicLabel &item) override { RenderGraphic(item); }
};

void PaintGrid(QPainter &p, int width, int height)
{
    const int stepX = LabelFormat.Metric ? Round(ScreenDpiX / kCmPerInch) / 2 : ScreenDpiX / 4;
    const int stepY = LabelFormat.Metric ? Round(ScreenDpiY / kCmPerInch) / 2 : ScreenDpiY / 4;
    p.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 0, Qt::DotLine));
    if (stepX > 0)
        for (int x = 1 + stepX; x <= width; x += stepX)
            p.drawLine(x, 2, x, height - 2);
    if (stepY > 0)
        for (int y = 1 + stepY; y <= height; y += stepY)
            p.drawLine(2, y, width - 2, y);
}

void PaintItem(QPainter &p, TLabelControl *item)
{
    if (item->Changed)
        RenderItem(*item);
    QImage &bitmap = item->ItemBitmap;
    const int w = qMin(bitmap.width(), item->Width);
    const int h = qMin(bitmap.height(), item->Height);
    if (w > 0 && h > 0) {
        // Only the part inside the box is kept, as the item shows it.
        if (w != bitmap.width() || h != bitmap.height())
            bitmap = bitmap.copy(0, 0, w, h);
        const int x = item->HorzAlign == iaRight    ? item->Left + item->Width - w
                      : item->HorzAlign == iaCenter ? item->Left + item->Width / 2 - w / 2
                                                    : item->Left;
        const int y = item->VertAlign == iaBottom   ? item->Top + item->Height - h
                      : item->VertAlign == iaCenter ? item->Top + item->Height / 2 - h / 2
                                                    : item->Top;
        if (item->BitmapTransparent)
            p.drawImage(x, y, WithoutColor(bitmap, item->TransparentColor));
        else
            p.drawImage(x, y, bitmap);
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(item->Selected ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80), 0, Qt::DotLine));
    p.drawRect(item->Left - 1, item->Top - 1, item->Width + 1, item->Height + 1);
    if (item->Selected) {
        const int right = item->Left + item->Width;
        const int bottom = item->Top + item->Height;
        for (const QPoint c : {QPoint(item->Left, item->Top), QPoint(item->Left, bottom), QPoint(right, item->Top),
                               QPoint(right, bottom)})
            p.fillRect(c.x() - 2, c.y() - 2, 4, 4, Qt::black);
    }
}

} // namespace

void RenderItem(TLabelControl &item)
{
    if (item.Loading)
        return;
    TItemRenderer renderer;
    item.Accept(renderer);
    item.MarkChanged(false);
}

QPainterPath LabelClipPath(int width, int height)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(3, 3, width - 4, height - 4), 5, 5);
    return path;
}

void PaintLabel(QPainter &p, TItemContainer &items, bool showGrids)
{
    const int width = items.SurfaceWidth();
    const int height = items.SurfaceHeight();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);

    // The outline: pixels 1 .. width-1, rounded with 10 x 10 corners.
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRect(1, 1, width - 2, height - 2), 5, 5);

    p.setClipPath(LabelClipPath(width, height), Qt::IntersectClip);
    if (showGrids)
        PaintGrid(p, width, height);
    for (TLabelControl *item : items.Items)
        PaintItem(p, item);
    p.restore();
}
