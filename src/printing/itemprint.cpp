#include "printing/itemprint.h"

#include "render/itemdraw.h"

#include <QPainter>

QString ItemPrintText(TLabelControl &item, const TLabelPrintState &label)
{
    if (!item.Advanced)
        return CutShownText(item.GetText());
    if (label.Context)
        return ComposePrintText(item.Fields, *label.Context, label.LastCopy, kMaxShownText, label.Failure);
    TComposeContext context;
    context.Row = label.Row;
    return ComposePrintText(item.Fields, context, label.LastCopy, kMaxShownText, label.Failure);
}

void PrintItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y)
{
    const TDrawTarget target = TDrawTarget::Paper(label.Dpi.ScreenDpiX, label.Dpi.ScreenDpiY, label.Dpi.PrinterDpiX, label.Dpi.PrinterDpiY);
    if (item.FillsBox())
        p.fillRect(target.DeviceBox(item, {X, Y}), Qt::white);
    // Shapes and pictures have no text; composing it would advance counters.
    const bool hasText = item.Kind == ikText || item.Kind == ikMemo || item.Kind == ikBarcode;
    DrawPlacedItem(p, item, hasText ? ItemPrintText(item, label) : QString(), target, {X, Y}, label.SymbolErrors);
}
