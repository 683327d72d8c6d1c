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

namespace {

int ItemModule(const TBarcodeLabel &item)
{
    // The spin box offers 1 to 9; a file may hold anything, and a module of
    // thousands of pixels would only exhaust memory.
    return item.AutoScale ? 1 : qBound(1, int(item.Scale), 9);
}

// The box for an unencodable text: a thin cross, so the item stays visible
// and can be selected.
void DrawErrorCross(const TBarcodeLabel &item, QPainter &p)
{
    p.setPen(QPen(ColorToQColor(item.Font.Color), 0));
    const int r = item.Width - 1, b = item.Height - 1;
    p.drawLine(0, 0, r, b);
    p.drawLine(r, 0, 0, b);
}

void DrawSymbol(const TBarcodeLabel &item, const TBarcodeSymbol &symbol, QPainter &p, int barHeight)
{
    p.setPen(ColorToQColor(item.Font.Color));
    p.setFont(item.Font.ScaledFont(item.Font.PixelHeight(item.DesignDpiY())));
    TPainterSurface surface(p, QStringLiteral("Courier New"));
    symbol.Draw(surface, 0, 0, ItemModule(item), barHeight, item.Interpretation, item.Rotation, false);
}

int BarHeight(const TBarcodeLabel &item)
{
    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    return vertical ? item.Width : item.Height;
}

} // namespace

void RenderBarcode(TBarcodeLabel &item)
{
    item.Text = FilterBarcodeText(item.BarcodeType, item.GetDesignText());

    const TBarcodeSymbol symbol = ItemSymbol(item, item.Text);
    item.BarcodeError = SymbolError(symbol);
    if (!item.BarcodeError.isEmpty()) {
        // No symbol: the box keeps its size.
        item.ItemBitmap = NewItemBitmap(item.Width, item.Height, qRgb(255, 255, 255));
        if (!item.ItemBitmap.isNull()) {
            QPainter p(&item.ItemBitmap);
            DrawErrorCross(item, p);
        }
        return;
    }

    const int barHeight = BarHeight(item);
    const QSize box = symbol.Box(ItemModule(item), barHeight, item.Rotation);

    item.ItemBitmap = NewItemBitmap(box.width(), box.height(), qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        QPainter p(&item.ItemBitmap);
        DrawSymbol(item, symbol, p, barHeight);
    }
    if (item.AutoSize)
        item.SetRenderedSize(box.width(), box.height());
}

QImage BarcodePicture(const TBarcodeLabel &item, double scale)
{
    // Drawn from the stored (already filtered) text: the design rendering
    // keeps it current.
    const TBarcodeSymbol symbol = ItemSymbol(item, item.Text);
    const QRgb white = qRgb(255, 255, 255);
    if (!SymbolError(symbol).isEmpty())
        return ScaledItemPicture(item.Width, item.Height, scale, white,
                                 [&](QPainter &p) { DrawErrorCross(item, p); });
    const int barHeight = BarHeight(item);
    const QSize box = symbol.Box(ItemModule(item), barHeight, item.Rotation);
    // Bars are whole design pixels; under the scaled painter each edge falls
    // on a device pixel, so the bars stay sharp.
    return ScaledItemPicture(box.width(), box.height(), scale, white,
                             [&](QPainter &p) { DrawSymbol(item, symbol, p, barHeight); });
}
