// Pictures: the loaded picture stretched into its size, for any target; the
// screen's pictures of them.

#include "render/itemdraw.h"
#include "render/renderutil.h"

#include <QPainter>

QSize ItemPictureSize(const TGraphicLabel &item, int W, int H, const TDrawTarget &t)
{
    // A quarter-turned picture fits its upright self into the upright box.
    if (item.Rotation % 2)
        return PictureSize(item.KeepAspect, H, W, item.Picture.width(), item.Picture.height(), t).transposed();
    return PictureSize(item.KeepAspect, W, H, item.Picture.width(), item.Picture.height(), t);
}

void DrawPictureItem(QPainter &p, const TGraphicLabel &item, const QRect &rect, const TDrawTarget &t)
{
    if (item.Picture.isNull() || rect.isEmpty())
        return;
    p.save();
    // Smoothed on screen only: on paper the picture goes to the device as it is.
    if (!t.IsPaper())
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const int turns = item.Rotation % 4;
    if (turns || item.FlipHorz || item.FlipVert) {
        // Through the painter rather than a turned copy: a PDF then holds the
        // picture once however many labels print it.
        p.setTransform(TurnedInto(rect, turns, item.FlipHorz, item.FlipVert), true);
        p.drawImage(QRect(QPoint(), turns % 2 ? rect.size().transposed() : rect.size()), item.Picture);
    } else {
        p.drawImage(rect, item.Picture);
    }
    p.restore();
}

void RenderGraphic(TGraphicLabel &item)
{
    const TDrawTarget t = ScreenTarget(item);
    const QSize size = ItemPictureSize(item, item.Width, item.Height, t);
    item.ItemBitmap = NewItemBitmap(size.width(), size.height(), qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        QPainter p(&item.ItemBitmap);
        DrawPictureItem(p, item, QRect(QPoint(), size), t);
        p.end();
        // A picture keys out the colour of its bottom-left pixel.
        item.TransparentColor = item.ItemBitmap.pixel(0, item.ItemBitmap.height() - 1);
    }
}

QImage GraphicPicture(const TGraphicLabel &item, double scale)
{
    const TDrawTarget t = ScreenTarget(item);
    const QSize size = ItemPictureSize(item, item.Width, item.Height, t);
    return ScaledItemPicture(size.width(), size.height(), scale, qRgb(255, 255, 255),
                             [&](QPainter &p) { DrawPictureItem(p, item, QRect(QPoint(), size), t); });
}
