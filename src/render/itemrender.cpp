// Items drawn into their bitmaps, and the label as the design surface shows it.

#include "render/itemrender.h"

#include "render/renderutil.h"
#include "model/labelformat.h"
#include "model/snap.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

struct TItemRenderer final : TItemVisitor {
    void Visit(TBarcodeLabel &item) override { RenderBarcode(item); }
    void Visit(TTextLabel &item) override { RenderText(item); }
    void Visit(TMemoLabel &item) override { RenderMemo(item); }
    void Visit(TShapeLabel &item) override { RenderShape(item); }
    void Visit(TGraphicLabel &item) override { RenderGraphic(item); }
};

struct TPictureRenderer final : TItemVisitor {
    explicit TPictureRenderer(double scale) : Scale(scale) {}
    double Scale;
    QImage Picture;
    void Visit(TBarcodeLabel &item) override { Picture = BarcodePicture(item, Scale); }
    void Visit(TTextLabel &item) override { Picture = TextPicture(item, Scale); }
    void Visit(TMemoLabel &item) override { Picture = MemoPicture(item, Scale); }
    void Visit(TShapeLabel &item) override { Picture = ShapePicture(item, Scale); }
    void Visit(TGraphicLabel &item) override { Picture = GraphicPicture(item, Scale); }
};

void PaintGrid(QPainter &p, const TItemContainer &items, int width, int height, double zoom, double stepX,
               double stepY)
{
    const QSizeF step = GridStep(items);
    if (stepX <= 0)
        stepX = step.width();
    if (stepY <= 0)
        stepY = step.height();
    // Lines closer than 4 screen pixels would only grey the label.
    auto shown = [zoom](double step) { return step > 0 && step * zoom >= 4; };
    auto at = [zoom](int v) { return ScreenPixel(v, zoom); };
    p.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), 0, Qt::DotLine));
    if (shown(stepX))
        for (int k = 1, x; (x = 1 + Round(k * stepX)) <= width; ++k)
            p.drawLine(at(x), at(2), at(x), at(height - 2));
    if (shown(stepY))
        for (int k = 1, y; (y = 1 + Round(k * stepY)) <= height; ++k)
            p.drawLine(at(2), at(y), at(width - 2), at(y));
}

// The item's picture cut to w x h design pixels at `scale` (or less for a very
// large one: its device pixel ratio tells), keyed when drawn transparent.
QImage PlacedPicture(TLabelControl &item, int w, int h, double scale)
{
    QImage picture = RenderItemPicture(item, scale);
    if (picture.isNull()) // too large even so: the design bitmap, stretched
        picture = item.ItemBitmap;
    const double made = picture.devicePixelRatio();
    const int pw = qMin(picture.width(), qRound(w * made));
    const int ph = qMin(picture.height(), qRound(h * made));
    if (pw != picture.width() || ph != picture.height())
        picture = picture.copy(0, 0, pw, ph);
    if (item.BitmapTransparent)
        picture = WithoutColor(picture, item.TransparentColor);
    picture.setDevicePixelRatio(made);
    return picture;
}

void PaintItem(QPainter &p, TLabelControl *item, double zoom, double deviceRatio, TItemPictureCache *cache,
               bool handles)
{
    if (item->Changed)
        RenderItem(*item);
    if (item->FillsBox()) {
        const int left = ScreenPixel(item->Left, zoom), top = ScreenPixel(item->Top, zoom);
        p.fillRect(left, top, ScreenPixel(item->Left + item->Width, zoom) - left,
                   ScreenPixel(item->Top + item->Height, zoom) - top, Qt::white);
    }
    QImage &bitmap = item->ItemBitmap;
    const int w = qMin(bitmap.width(), item->Width);
    const int h = qMin(bitmap.height(), item->Height);
    if (w > 0 && h > 0) {
        // Only the part inside the box is kept, as the item shows it.
        if (w != bitmap.width() || h != bitmap.height())
            bitmap = bitmap.copy(0, 0, w, h);
        const QPoint placed =
            AlignIn(item->HorzAlign, item->VertAlign, QRect(item->Left, item->Top, item->Width, item->Height), {w, h});
        const int x = placed.x(), y = placed.y();
        const double scale = zoom * deviceRatio;
        if (scale == 1.0 && zoom == 1.0) {
            if (item->BitmapTransparent)
                p.drawImage(x, y, WithoutColor(bitmap, item->TransparentColor));
            else
                p.drawImage(x, y, bitmap);
        } else {
            const QImage picture = cache ? cache->Picture(*item, w, h, scale) : PlacedPicture(*item, w, h, scale);
            // On a whole device pixel, and pixel for pixel when made at the
            // device's scale.
            const QPointF at(ScreenPixel(x, scale) / deviceRatio, ScreenPixel(y, scale) / deviceRatio);
            const double made = picture.devicePixelRatio();
            QRectF target(at, QSizeF(w * zoom, h * zoom));
            if (made == scale)
                target.setSize(QSizeF(picture.width() / deviceRatio, picture.height() / deviceRatio));
            p.save();
            p.setRenderHint(QPainter::SmoothPixmapTransform, made != scale);
            p.drawImage(target, picture, QRectF(0, 0, picture.width(), picture.height()));
            p.restore();
        }
    }

    // Frames and handles keep their screen size.
    const int left = ScreenPixel(item->Left, zoom), top = ScreenPixel(item->Top, zoom);
    const int right = ScreenPixel(item->Left + item->Width, zoom);
    const int bottom = ScreenPixel(item->Top + item->Height, zoom);
    p.setBrush(Qt::NoBrush);
    // One of several selected items is framed in solid blue, without
    // handles: a group is moved, never resized by hand.
    const bool grouped = item->Selected && !handles;
    const QColor frame = grouped ? QColor(0, 0x50, 0xD0) : item->Selected ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80);
    p.setPen(QPen(frame, 0, grouped ? Qt::SolidLine : Qt::DotLine));
    p.drawRect(left - 1, top - 1, right - left + 1, bottom - top + 1);
    if (item->Selected && handles)
        for (const QPoint c : {QPoint(left, top), QPoint(left, bottom), QPoint(right, top), QPoint(right, bottom)})
            p.fillRect(c.x() - 2, c.y() - 2, 4, 4, Qt::black);
}

} // namespace

QSizeF GridStep(const TItemContainer &items)
{
    const TLabelUnit unit = LabelUnit(items.LabelFormat);
    auto step = [unit](int dpi) {
        return GridStepPixels(unit, dpi, kDefaultGridInches, kDefaultGridCentimetres, kDefaultGridMillimetres);
    };
    return {step(items.ScreenDpiX), step(items.ScreenDpiY)};
}

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

QImage RenderItemPicture(TLabelControl &item, double scale)
{
    TPictureRenderer renderer(scale);
    item.Accept(renderer);
    return renderer.Picture;
}

QImage TItemPictureCache::Picture(TLabelControl &item, int w, int h, double scale)
{
    TEntry &e = entries_[&item];
    // Every rendering makes a new bitmap, so its key tells a stale picture.
    const qint64 key = item.ItemBitmap.cacheKey();
    if (e.Picture.isNull() || e.BitmapKey != key || e.Scale != scale || e.Picture.width() == 0
        || e.Transparent != item.BitmapTransparent || e.Key != item.TransparentColor || e.Size != QSize(w, h))
        e = {key, scale, item.BitmapTransparent, item.TransparentColor, QSize(w, h), PlacedPicture(item, w, h, scale)};
    return e.Picture;
}

void TItemPictureCache::Keep(const QList<TLabelControl *> &items)
{
    for (auto it = entries_.begin(); it != entries_.end();)
        it = items.contains(const_cast<TLabelControl *>(it.key())) ? std::next(it) : entries_.erase(it);
}

void PaintLabel(QPainter &p, TItemContainer &items, bool showGrids)
{
    PaintLabel(p, items, showGrids, 1.0, nullptr);
}

void PaintLabel(QPainter &p, TItemContainer &items, bool showGrids, double zoom, TItemPictureCache *cache,
                double gridX, double gridY)
{
    const int width = items.SurfaceWidth();
    const int height = items.SurfaceHeight();
    const double deviceRatio = p.device() ? p.device()->devicePixelRatio() : 1.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);

    // The outline: pixels 1 .. width-1, rounded with 10 x 10 corners.
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(zoom, zoom, (width - 2) * zoom, (height - 2) * zoom), 5 * zoom, 5 * zoom);

    p.setClipPath(QTransform::fromScale(zoom, zoom).map(LabelClipPath(width, height)), Qt::IntersectClip);
    if (showGrids)
        PaintGrid(p, items, width, height, zoom, gridX, gridY);
    if (cache)
        cache->Keep(items.Items);
    const bool handles = std::count_if(items.Items.cbegin(), items.Items.cend(),
                                       [](const TLabelControl *it) { return it->Selected; }) <= 1;
    for (TLabelControl *item : items.Items)
        PaintItem(p, item, zoom, deviceRatio, cache, handles);
    // A die-cut label: what lies outside the cut is greyed (items may still
    // go there; they are not printed) and the cut is drawn.
    if (const QPainterPath shape = LabelShapePath(items.LabelFormat, QRectF(0, 0, width * zoom, height * zoom));
        !shape.isEmpty()) {
        QPainterPath outside;
        outside.addRect(QRectF(0, 0, width * zoom, height * zoom));
        p.setRenderHint(QPainter::Antialiasing, true);
        p.fillPath(outside.subtracted(shape), QColor(128, 128, 128, 110));
        p.setPen(QPen(QColor(96, 96, 96), 0, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
    }
    p.restore();
}
