#include "render/renderutil.h"

#include "model/labelformat.h"

#include <cmath>

QImage NewItemBitmap(int w, int h, QRgb fill)
{
    if (w <= 0 || h <= 0 || w > kMaxItemBitmapSide || h > kMaxItemBitmapSide)
        return QImage();
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(fill);
    return image;
}

QImage WithoutColor(const QImage &image, QRgb key)
{
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

QSize RoundRectCorner(int w, int h)
{
    auto corner = [](int side) {
        const int divisor = side > 0 ? Round(std::sqrt(double(side)) / 2.0) : 0;
        return side / (divisor > 0 ? divisor : 1);
    };
    return {corner(w), corner(h)};
}

QSize FitPictureSize(int boxW, int boxH, int picW, int picH, bool keepAspect)
{
    if (!keepAspect || picW <= 0 || picH <= 0)
        return {boxW, boxH};
    if (double(boxH) / picH >= double(boxW) / picW)
        return {boxW, Round(double(picH) * boxW / picW)};
    return {Round(double(picW) * boxH / picH), boxH};
}

QFont ItemDrawFont(const TItemFont &font, int dpiY)
{
    QFont f = font.ScaledFont(font.PixelHeight(dpiY));
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QRgb TextBackground(const TLabelControl &item)
{
    const bool whiteOnTransparent = item.Transparent && item.Font.Color == clWhite;
    return whiteOnTransparent ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}
