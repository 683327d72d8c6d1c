// Barcode rendering through the barcode engine.

#include "barcode/barcode.h"
#include "render/itemrender.h"
#include "render/renderutil.h"

#include <QPainter>

namespace {

TBarcodeSymbol ItemSymbol(const TBarcodeLabel &item, const QString &filteredText)
{
    return TBarcodeSymbol(item.BarcodeType, filteredText,
                          {item.BarcodeEcc, item.BarcodeSize, item.BarcodeRectangular});
}

// An empty text is no error: it draws the empty box, as linear symbols do.
QString SymbolError(const TBarcodeSymbol &symbol)
{
    return symbol.Text().isEmpty() ? QString() : symbol.Error();
}

} // namespace

QString BarcodeItemError(const TBarcodeLabel &item)
{
    return SymbolError(ItemSymbol(item, FilterBarcodeText(item.BarcodeType, item.GetDesignText())));
}

void RenderBarcode(TBarcodeLabel &item)
{
    // The spin box offers 1 to 9; a file may hold anything, and a module of
    // thousands of pixels would only exhaust memory.
    const int module = item.AutoScale ? 1 : qBound(1, int(item.Scale), 9);
    item.Text = FilterBarcodeText(item.BarcodeType, item.GetDesignText());

    const TBarcodeSymbol symbol = ItemSymbol(item, item.Text);
    item.BarcodeError = SymbolError(symbol);
    if (!item.BarcodeError.isEmpty()) {
        // No symbol: the box keeps its size and shows a thin cross, so the
        // item stays visible and can be selected.
        item.ItemBitmap = NewItemBitmap(item.Width, item.Height, qRgb(255, 255, 255));
        if (!item.ItemBitmap.isNull()) {
            QPainter p(&item.ItemBitmap);
            p.setPen(QPen(ColorToQColor(item.Font.Color), 0));
            const int r = item.Width - 1, b = item.Height - 1;
            p.drawLine(0, 0, r, b);
            p.drawLine(r, 0, 0, b);
        }
        return;
    }

    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    const int barHeight = vertical ? item.Width : item.Height;
    const QSize box = symbol.Box(module, barHeight, item.Rotation);

    item.ItemBitmap = NewItemBitmap(box.width(), box.height(), qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        QPainter p(&item.ItemBitmap);
        p.setPen(ColorToQColor(item.Font.Color));
        p.setFont(item.Font.ScaledFont());
        TPainterSurface surface(p, QStringLiteral("Courier New"));
        symbol.Draw(surface, 0, 0, module, barHeight, item.Interpretation, item.Rotation, false);
    }
    if (item.AutoSize)
        item.SetRenderedSize(box.width(), box.height());
}
