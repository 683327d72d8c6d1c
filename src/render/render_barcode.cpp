// Barcode rendering through the barcode engine.

#include "barcode/barcode.h"
#include "render/renderutil.h"

#include <QPainter>

void TBarcodeLabel::Render()
{
    if (Loading)
        return;
    // The spin box offers 1 to 9; a file may hold anything, and a module of
    // thousands of pixels would only exhaust memory.
    const int module = AutoScale ? 1 : qBound(1, int(Scale), 9);
    Text = FilterBarcodeText(BarcodeType, GetDesignText());

    const int length = BarcodeWidth(module, BarcodeType, Text);
    const bool vertical = Rotation == 1 || Rotation == 3;
    const int barHeight = vertical ? Width : Height;
    const int bw = vertical ? Width : length;
    const int bh = vertical ? length : Height;

    ItemBitmap = NewItemBitmap(bw, bh, qRgb(255, 255, 255));
    if (!ItemBitmap.isNull()) {
        QPainter p(&ItemBitmap);
        p.setPen(ColorToQColor(Font.Color));
        p.setFont(Font.ScaledFont());
        TPainterSurface surface(p, QStringLiteral("Courier New"));
        DrawBarcode(surface, BarcodeType, 0, 0, module, barHeight, Text, Interpretation, Rotation, false);
    }
    if (AutoSize)
        ApplyRenderedSize(this, bw, bh);
    TLabelControl::Render();
}
