// Barcodes through the barcode engine: measured and drawn for any target;
// the screen's pictures of them.

#include "render/itemdraw.h"
#include "render/itemrender.h"
#include "render/renderutil.h"

#include <QPainter>

namespace {

TBarcodeSymbol ItemSymbol(const TBarcodeLabel &item, const QString &filteredText)
{
    return TBarcodeSymbol(item.BarcodeType, filteredText,
                          {item.BarcodeEcc, item.BarcodeSize, item.BarcodeRectangular, item.BarcodeNamedOptions});
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

TBarcodeDrawing MeasureBarcode(const TBarcodeLabel &item, const QString &filteredText, const TDrawTarget &t)
{
    TBarcodeDrawing d{ItemSymbol(item, filteredText), {}, BarcodeModule(item, t), 0, {}};
    d.Error = SymbolError(d.Symbol);
    const int W = t.ToDeviceX(item.Width), H = t.ToDeviceY(item.Height);
    if (!d.Error.isEmpty()) {
        d.Size = QSize(W, H);
        return d;
    }
    const bool vertical = item.Rotation == 1 || item.Rotation == 3;
    d.BarHeight = vertical ? W : H;
    d.Size = d.Symbol.Box(d.Module, d.BarHeight, item.Rotation);
    return d;
}

void DrawBarcodeItem(QPainter &p, const TBarcodeLabel &item, const TBarcodeDrawing &d, QPoint at,
                     const TDrawTarget &t)
{
    p.save();
    if (!d.Error.isEmpty()) {
        if (!t.IsPaper()) {
            p.setPen(QPen(ColorToQColor(item.Font.Color), 0));
            const int r = at.x() + d.Size.width() - 1, b = at.y() + d.Size.height() - 1;
            p.drawLine(at.x(), at.y(), r, b);
            p.drawLine(r, at.y(), at.x(), b);
        }
    } else {
        // The human-readable line takes the painter's pen (the engine picks
        // its font): the item's colour on screen, the page's pen on paper.
        if (!t.IsPaper())
            p.setPen(ColorToQColor(item.Font.Color));
        TPainterSurface surface(p, QStringLiteral("Courier New"));
        const bool opaque = PaintsBackground(item, t);
        if (d.Symbol.Ok())
            d.Symbol.Draw(surface, at.x(), at.y(), d.Module, d.BarHeight, item.Interpretation, item.Rotation, !opaque);
        else if (opaque) // an empty text: the empty box
            surface.FillRect(at.x(), at.y(), d.Size.width(), d.Size.height(), false);
    }
    p.restore();
}

// ---- the screen's pictures

void RenderBarcode(TBarcodeLabel &item)
{
    const TDrawTarget t = ScreenTarget(item);
    item.Text = FilterBarcodeText(item.BarcodeType, item.GetDesignText());
    const TBarcodeDrawing d = MeasureBarcode(item, item.Text, t);
    item.BarcodeError = d.Error;
    item.ItemBitmap = NewItemBitmap(d.Size.width(), d.Size.height(), qRgb(255, 255, 255));
    if (!item.ItemBitmap.isNull()) {
        QPainter p(&item.ItemBitmap);
        DrawBarcodeItem(p, item, d, QPoint(), t);
    }
    // Without a symbol the box keeps its size.
    if (item.AutoSize && d.Error.isEmpty())
        item.SetRenderedSize(d.Size.width(), d.Size.height());
}

QImage BarcodePicture(const TBarcodeLabel &item, double scale)
{
    // Drawn from the stored (already filtered) text: the design rendering
    // keeps it current. Bars are whole design pixels; under the scaled
    // painter each edge falls on a device pixel, so the bars stay sharp.
    const TDrawTarget t = ScreenTarget(item);
    const TBarcodeDrawing d = MeasureBarcode(item, item.Text, t);
    return ScaledItemPicture(d.Size.width(), d.Size.height(), scale, qRgb(255, 255, 255),
                             [&](QPainter &p) { DrawBarcodeItem(p, item, d, QPoint(), t); });
}
