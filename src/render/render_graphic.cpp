// Picture rendering: the loaded picture stretched into the box.

#include "render/renderutil.h"

#include <QPainter>

void TGraphicLabel::Render()
{
    if (Loading)
        return;
    const QSize size = FitPictureSize(Width, Height, Picture.width(), Picture.height(), KeepAspect);
    ItemBitmap = NewItemBitmap(size.width(), size.height(), qRgb(255, 255, 255));
    if (!ItemBitmap.isNull()) {
        if (!Picture.isNull()) {
            QPainter p(&ItemBitmap);
            p.setRenderHint(QPainter::SmoothPixmapTransform, true);
            p.drawImage(QRect(QPoint(0, 0), size), Picture);
        }
        // A picture keys out the colour of its bottom-left pixel.
        TransparentColor = ItemBitmap.pixel(0, ItemBitmap.height() - 1);
    }
    TLabelControl::Render();
}
