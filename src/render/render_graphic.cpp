// Picture rendering: the loaded picture stretched into the box.

#include "render/renderutil.h"

#include <QPainter>

void RenderGraphic(TGraphicLabel &item)
{
    const QSize size =
        FitPictureSize(item.Width, item.Height, item.Picture.width(), item.Picture.height(), item.KeepAspect);
    item.ItemBitmap = NewItemBitmap(size.width(), size.height(), qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        if (!item.Picture.isNull()) {
            QPainter p(&item.ItemBitmap);
            p.setRenderHint(QPainter::SmoothPixmapTransform, true);
            p.drawImage(QRect(QPoint(0, 0), size), item.Picture);
        }
        // A picture keys out the colour of its bottom-left pixel.
        item.TransparentColor = item.ItemBitmap.pixel(0, item.ItemBitmap.height() - 1);
    }
}

QImage GraphicPicture(const TGraphicLabel &item, double scale)
{
    const QSize size =
        FitPictureSize(item.Width, item.Height, item.Picture.width(), item.Picture.height(), item.KeepAspect);
    return ScaledItemPicture(size.width(), size.height(), scale, qRgb(255, 255, 255), [&](QPainter &p) {
        if (item.Picture.isNull())
            return;
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRect(QPoint(0, 0), size), item.Picture);
    });
}
