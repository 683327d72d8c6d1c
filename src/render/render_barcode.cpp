// Barcode rendering through the barcode engine.

#include "barcode/barcode.h"
#include "render/renderutil.h"

#include <QPainter>

void RenderBarcode(TBarcodeLabel &item)
{
    // The spin box offers 1 to 9; a file may hold anything, and a module of
    // thousands of pixels would only exhaust memory.
    const int module = item.AutoScale ? 1 : qBound(1, int(item.Scale), 9);
    item.Text = FilterBarcodeText(item.BarcodeType, item.GetDesignText());

    const int length = BarcodeWidth(module, item.BarcodeType, item.Text);
    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    const int barHeight = vertical ? item.Width : item.Height;
    const int bw = vertical ? item.Width : length;
    const int bh = vertical ? length : item.Height;

    item.ItemBitmap = NewItemBitmap(bw, bh, qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        QPainter p(&item.ItemBitmap);
        p.setPen(ColorToQColor(item.Font.Color));
        p.setFont(item.Font.ScaledFont());
        TPainterSurface surface(p, QStringLiteral("Courier New"));
        DrawBarcode(surface, item.BarcodeType, 0, 0, module, barHeight, item.Text, item.Interpretation,
                    item.Rotation, false);
    }
    if (item.AutoSize)
        item.SetRenderedSize(bw, bh);
}
