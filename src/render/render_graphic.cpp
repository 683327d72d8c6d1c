// Pictures: the loaded picture stretched into its size, for any target; the
// screen's pictures of them.

#include "render/itemdraw.h"
#include "render/renderutil.h"

#include <QPainter>
#include <QSvgRenderer>

namespace {

// A picture with transparent parts (or a drawing) is rendered over nothing,
// so that what lies beneath shows through it on screen as on paper.
bool SeeThrough(const TGraphicLabel &item)
{
    return item.IsVector() || item.Picture.hasAlphaChannel();
}

QRgb Background(const TGraphicLabel &item)
{
    return SeeThrough(item) ? qRgba(0, 0, 0, 0) : qRgb(255, 255, 255);
}

} // namespace

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
    // A linked picture that could not be read leaves its place on the paper
    // as it is (the job says so once); the screen shows the blank stand-in.
    if (t.IsPaper() && item.PictureMissing())
        return;
    p.save();
    const int turns = item.Rotation % 4;
    QRect box = rect;
    if (turns || item.FlipHorz || item.FlipVert) {
        // Through the painter rather than a turned copy: a PDF then holds the
        // picture once however many labels print it.
        p.setTransform(TurnedInto(rect, turns, item.FlipHorz, item.FlipVert), true);
        box = QRect(QPoint(), turns % 2 ? rect.size().transposed() : rect.size());
    }
    if (item.IsVector()) {
        // As paths, so a PDF keeps the drawing and a zoomed screen stays sharp.
        QSvgRenderer svg(item.PictureData);
        if (svg.isValid()) {
            p.setRenderHint(QPainter::Antialiasing, true);
            svg.render(&p, QRectF(box));
            p.restore();
            return;
        }
    }
    // Smoothed on screen only: on paper the picture goes to the device as it is.
    if (!t.IsPaper())
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // Qt's PDF output re-encodes every picture; only a JPEG's is allowed to be
    // lossy again (as DCT data), the others keep every pixel. BMP stays as it
    // always went.
    else if (item.PictureFormat != "jpeg" && item.PictureFormat != "bmp" && !item.PictureFormat.isEmpty())
        p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.drawImage(box, item.Picture);
    p.restore();
}

void RenderGraphic(TGraphicLabel &item)
{
    const TDrawTarget t = ScreenTarget(item);
    const QSize size = ItemPictureSize(item, item.Width, item.Height, t);
    item.ItemBitmap = NewItemBitmap(size.width(), size.height(), Background(item));
    if (!item.ItemBitmap.isNull()) {
        QPainter p(&item.ItemBitmap);
        DrawPictureItem(p, item, QRect(QPoint(), size), t);
        p.end();
        // A picture keys out the colour of its bottom-left pixel; one that is
        // transparent there keys nothing (WithoutColor).
        item.TransparentColor = item.ItemBitmap.pixel(0, item.ItemBitmap.height() - 1);
    }
}

QImage GraphicPicture(const TGraphicLabel &item, double scale)
{
    const TDrawTarget t = ScreenTarget(item);
    const QSize size = ItemPictureSize(item, item.Width, item.Height, t);
    return ScaledItemPicture(size.width(), size.height(), scale, Background(item),
                             [&](QPainter &p) { DrawPictureItem(p, item, QRect(QPoint(), size), t); });
}
