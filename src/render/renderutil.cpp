#include "render/renderutil.h"

#include "model/labelformat.h"


QImage NewItemBitmap(int w, int h, QRgb fill)
{
    if (w <= 0 || h <= 0 || w > kMaxItemBitmapSide || h > kMaxItemBitmapSide)
        return QImage();
    // A see-through fill needs the alpha channel; every other stays as it was.
    QImage image(w, h, qAlpha(fill) == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(qAlpha(fill) == 255 ? fill : qPremultiply(fill));
    return image;
}

QImage WithoutColor(const QImage &image, QRgb key)
{
    if (qAlpha(key) == 0)
        return image; // a transparent key: what it stands for is transparent already
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb rgbKey = key & 0x00FFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == rgbKey)
                line[x] = 0;
    }
    return out;
}

TDrawTarget ScreenTarget(const TLabelControl &item)
{
    return TDrawTarget::Screen(item.DesignDpiX(), item.DesignDpiY());
}

QRgb TextBackground(const TLabelControl &item)
{
    const bool whiteOnTransparent = item.Transparent && item.Font.Color == clWhite;
    return whiteOnTransparent ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}
