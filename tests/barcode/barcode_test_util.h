#pragma once
// Rendering helpers shared by the barcode tests.

#include "barcode/barcode.h"

#include <QImage>
#include <QPainter>

// Draws a symbol on white with `margin` pixels of white all round, as the
// item renderer does: a QPainter on a QImage through TPainterSurface.
inline QImage RenderSymbol(int type, const QString &text, int module, int rotation, int barHeight = 60,
                           bool interpretation = true, int margin = 20)
{
    const QString filtered = FilterBarcodeText(type, text);
    const int length = BarcodeWidth(module, type, filtered);
    const bool upright = rotation % 2 == 0;
    QImage image((upright ? length : barHeight) + 2 * margin, (upright ? barHeight : length) + 2 * margin,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TPainterSurface surface(painter);
    DrawBarcode(surface, type, margin, margin, module, barHeight, filtered, interpretation, rotation, false);
    return image;
}

inline bool IsBlack(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}
