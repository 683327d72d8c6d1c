#pragma once
// Small image helpers for the rendering tests.

#include <QImage>
#include <QRect>

namespace rendertest {

inline bool IsInk(QRgb c, QRgb background = qRgb(255, 255, 255))
{
    return (c & 0xFFFFFF) != (background & 0xFFFFFF);
}

// Bounding box of the pixels that differ from the background (empty if none).
inline QRect InkBox(const QImage &img, QRgb background = qRgb(255, 255, 255))
{
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (IsInk(img.pixel(x, y), background))
                box |= QRect(x, y, 1, 1);
    return box;
}

inline int InkCount(const QImage &img, const QRect &area, QRgb background = qRgb(255, 255, 255))
{
    int n = 0;
    const QRect r = area & img.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += IsInk(img.pixel(x, y), background);
    return n;
}

inline QRgb Rgb(const QImage &img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

} // namespace rendertest
