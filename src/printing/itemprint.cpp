#include "printing/itemprint.h"

#include "barcode/barcode.h"
#include "model/labelformat.h"
#include "printing/sheetlayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

namespace {

// Exact Trunc(a / b) for whole numbers; 0 when there is nothing to divide by.
int Div(qint64 a, qint64 b)
{
    return b == 0 ? 0 : int(a / b);
}

int AlignFlags(int horzAlign)
{
    const int h = horzAlign == iaCenter ? Qt::AlignHCenter : (horzAlign == iaRight ? Qt::AlignRight : Qt::AlignLeft);
    return h | Qt::AlignTop | Qt::TextWordWrap;
}

// The item's font at printer scale (the height truncated like every length).
QFont PrinterFont(const TItemFont &f, const TPrintResolution &dpi)
{
    return f.ScaledFont(qMax(1, dpi.DesignToPrinterY(f.PixelHeight(dpi.ScreenDpiY))));
}

const QColor kBackground(Qt::white);

} // namespace

QString ItemPrintText(TLabelControl &item, const TLabelPrintState &label)
{
    return item.Advanced ? ComposePrintText(item.Fields, label.Row, label.LastCopy, kMaxShownText)
                         : CutShownText(item.GetText());
}

QPoint TextOrigin(int rotation, int horzAlign, int vertAlign, int X, int Y, int W, int H, int TW, int TH)
{
    int x = X, y = Y;
    const bool left = horzAlign == iaLeft, right = horzAlign == iaRight, hc = horzAlign == iaCenter;
    const bool top = vertAlign == iaTop, bottom = vertAlign == iaBottom, vc = vertAlign == iaCenter;
    switch (rotation) {
    case 0:
        x = left ? X : right ? X + W - TW : hc ? X + W / 2 - TW / 2 : X;
        y = top ? Y : bottom ? Y + H - TH : vc ? Y + H / 2 - TH / 2 : Y;
        break;
    case 1:
        x = left ? X + TH : right ? X + W : hc ? X + W / 2 + TH / 2 : X;
        y = top ? Y : bottom ? Y + H - TW : vc ? Y + H / 2 - TW / 2 : Y;
        break;
    case 2:
        x = left ? X + TW : right ? X + W : hc ? X + W / 2 + TW / 2 : X;
        y = top ? Y + TH : bottom ? Y + H : vc ? Y + H / 2 + TH / 2 : Y;
        break;
    case 3:
        x = left ? X : right ? X + W - TH : hc ? X + W / 2 - TH / 2 : X;
        y = top ? Y + TW : bottom ? Y + H : vc ? Y + H / 2 + TW / 2 : Y;
        break;
    default:
        break;
    }
    return {x, y};
}

QRect MemoRect(int horzAlign, int vertAlign, int X, int Y, int W, int H, int tw, int th)
{
    int l = X, t = Y, r = X + tw, b = Y + th;
    if (horzAlign == iaRight) {
        l = X + W - tw;
        r = X + W;
    } else if (horzAlign == iaCenter) {
        l = X + Trunc(W / 2.0 - tw / 2.0);
        r = X + Round(W / 2.0 + tw / 2.0);
    }
    if (vertAlign == iaBottom) {
        t = Y + H - th;
        b = Y + H;
    } else if (vertAlign == iaCenter) {
        t = Y + H / 2 - th / 2;
        b = Y + H / 2 + th / 2;
    }
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1)); // right and bottom exclusive
}

int BarcodeModule(const TBarcodeLabel &item, const TPrintResolution &dpi)
{
    const bool across = item.Rotation == 0 || item.Rotation == 2;
    const int P = across ? dpi.PrinterDpiX : dpi.PrinterDpiY;
    const int S = across ? dpi.ScreenDpiX : dpi.ScreenDpiY;
    const int m = item.AutoScale ? P / (item.BarcodeType == bcPostnet ? 60 : 80) : Div(qint64(item.Scale) * P, S);
    // A printer too coarse for the rule still gets bars of one pixel.
    return qMax(1, m);
}

QSize PrinterPictureSize(bool keepAspect, int W, int H, int bw, int bh)
{
    if (keepAspect && bw > 0 && bh > 0) {
        if (double(H) / bh < double(W) / bw)
            W = Div(qint64(bw) * H, bh);
        else
            H = Div(qint64(bh) * W, bw);
    }
    return {W, H};
}

void ShapePenInsets(int penWidth, const TPrintResolution &dpi, int &hx, int &hy)
{
    hx = dpi.DesignToPrinterX(penWidth) / 2;
    if (hx % 2 != 0)
        hx += Div(dpi.PrinterDpiX, dpi.ScreenDpiX);
    hy = dpi.DesignToPrinterY(penWidth) / 2;
    if (hy % 2 != 0)
        hy += Div(dpi.PrinterDpiY, dpi.ScreenDpiY);
}

QSize PrinterRoundRectCorner(int W, int H)
{
    // Boxes under 4 pixels would divide by zero; their corner is the box.
    const int dw = W > 0 ? Trunc(std::sqrt(double(W)) / 2) : 0;
    const int dh = H > 0 ? Trunc(std::sqrt(double(H)) / 2) : 0;
    return {dw > 0 ? W / dw : W, dh > 0 ? H / dh : H};
}

void PrintTextItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y)
{
    const int W = label.Dpi.DesignToPrinterX(item.Width), H = label.Dpi.DesignToPrinterY(item.Height);
    const QFont font = PrinterFont(item.Font, label.Dpi);
    const QString s = ItemPrintText(item, label);
    const QFontMetrics fm(font, p.device());
    const int TW = fm.horizontalAdvance(s), TH = fm.height();
    const QPoint o = TextOrigin(item.Rotation, item.HorzAlign, item.VertAlign, X, Y, W, H, TW, TH);

    p.save();
    p.translate(o);
    p.rotate(90.0 * (item.Rotation % 4)); // quarter turns clockwise on the page = escapement 2700, 1800, 900
    if (!item.Transparent)
        p.fillRect(QRect(0, 0, TW, TH), kBackground);
    p.setFont(font);
    p.setPen(ColorToQColor(item.Font.Color));
    p.drawText(QPoint(0, fm.ascent()), s);
    p.restore();
}

void PrintMemoItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y)
{
    const int W = label.Dpi.DesignToPrinterX(item.Width), H = label.Dpi.DesignToPrinterY(item.Height);
    const QString s = ItemPrintText(item, label);
    const int flags = AlignFlags(item.HorzAlign);

    p.save();
    p.setFont(PrinterFont(item.Font, label.Dpi));
    const QRect need = p.boundingRect(QRect(X, Y, qMax(W, 1), qMax(H, 1)), flags, s);
    const QRect r = MemoRect(item.HorzAlign, item.VertAlign, X, Y, W, H, need.width(), need.height());
    if (!item.Transparent)
        p.fillRect(r, kBackground);
    p.setPen(ColorToQColor(item.Font.Color));
    p.drawText(r, flags, s);
    p.restore();
}

void PrintBarcodeItem(QPainter &p, TBarcodeLabel &item, const TLabelPrintState &label, int X, int Y)
{
    const int m = BarcodeModule(item, label.Dpi);
    const QString s = FilterBarcodeText(item.BarcodeType, ItemPrintText(item, label));
    const TBarcodeSymbol symbol(item.BarcodeType, s, {item.BarcodeEcc, item.BarcodeSize, item.BarcodeRectangular});
    if (!symbol.Ok() && !s.isEmpty()) {
        if (label.SymbolErrors)
            label.SymbolErrors->append(symbol.Error());
        return;
    }
    const int Wi = label.Dpi.DesignToPrinterX(item.Width), Hi = label.Dpi.DesignToPrinterY(item.Height);
    const bool across = item.Rotation == 0 || item.Rotation == 2;
    const int barHeight = across ? Hi : Wi;
    const QSize box = symbol.Box(m, barHeight, item.Rotation);
    const int hExt = box.width(), vExt = box.height();
    int x = X, y = Y;
    if (item.HorzAlign == iaRight)
        x = X + Wi - hExt;
    else if (item.HorzAlign == iaCenter)
        x = X + Wi / 2 - hExt / 2;
    if (item.VertAlign == iaBottom)
        y = Y + Hi - vExt;
    else if (item.VertAlign == iaCenter)
        y = Y + Hi / 2 - vExt / 2;

    p.save();
    {
        TPainterSurface surface(p, QStringLiteral("Courier New"));
        if (symbol.Ok()) {
            symbol.Draw(surface, x, y, m, barHeight, item.Interpretation, item.Rotation, item.Transparent);
        } else if (!item.Transparent) {
            // An empty text prints the empty box, as it always has.
            surface.FillRect(x, y, hExt, vExt, false);
        }
    }
    p.restore();
}

void PrintShapeItem(QPainter &p, TShapeLabel &item, const TPrintResolution &dpi, int X, int Y)
{
    const int W = dpi.DesignToPrinterX(item.Width), H = dpi.DesignToPrinterY(item.Height);
    const int pw = dpi.DesignToPrinterX(item.Pen.Width);
    p.save();
    QPen pen(ColorToQColor(item.Pen.Color), pw, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (!item.Transparent && !(item.Brush.Style == bsClear && item.Brush.Color == clWhite))
        p.fillRect(QRect(X, Y, W, H), kBackground);
    p.setPen(pen);
    p.setBrush(QBrush(ColorToQColor(item.Brush.Color), ToQtBrushStyle(item.Brush.Style)));
    int hx = 0, hy = 0;
    ShapePenInsets(item.Pen.Width, dpi, hx, hy);
    const QRectF box(X + hx, Y + hy, W - 2 * hx, H - 2 * hy);
    switch (item.ShapeKind) {
    case skRectangle:
        p.drawRect(box);
        break;
    case skEllipse:
        p.drawEllipse(box);
        break;
    case skTriangle: {
        const QPoint pts[3] = {{X + W / 2, Y + hy}, {X + W - hx, Y + H - hy}, {X + hx, Y + H - hy}};
        p.drawPolygon(pts, 3);
        break;
    }
    case skRoundRect: {
        const QSize c = PrinterRoundRectCorner(W, H);
        p.drawRoundedRect(box, c.width() / 2.0, c.height() / 2.0, Qt::AbsoluteSize);
        break;
    }
    case skHorzLine: {
        const int y = item.VertAlign == iaTop ? Y + hy : item.VertAlign == iaCenter ? Y + H / 2 : Y + H - hy;
        p.drawLine(X + hx, y, X + W - hx, y);
        break;
    }
    case skVertLine: {
        const int x = item.HorzAlign == iaLeft ? X + hx : item.HorzAlign == iaCenter ? X + W / 2 : X + W - hx;
        p.drawLine(x, Y + hy, x, Y + H - hy);
        break;
    }
    }
    p.restore();
}

void PrintPictureItem(QPainter &p, TGraphicLabel &item, const TPrintResolution &dpi, int X, int Y)
{
    if (item.Picture.isNull())
        return;
    const int Wi = dpi.DesignToPrinterX(item.Width), Hi = dpi.DesignToPrinterY(item.Height);
    const QSize sz = PrinterPictureSize(item.KeepAspect, Wi, Hi, item.Picture.width(), item.Picture.height());
    if (sz.width() <= 0 || sz.height() <= 0)
        return;
    int x = X, y = Y;
    if (item.HorzAlign == iaRight)
        x = X + Wi - sz.width();
    else if (item.HorzAlign == iaCenter)
        x = X + Wi / 2 - sz.width() / 2;
    if (item.VertAlign == iaBottom)
        y = Y + Hi - sz.height();
    else if (item.VertAlign == iaCenter)
        y = Y + Hi / 2 - sz.height() / 2;
    p.drawImage(QRect(x, y, sz.width(), sz.height()), item.Picture);
}

namespace {

class TItemPrinter : public TItemVisitor {
public:
    TItemPrinter(QPainter &p, const TLabelPrintState &label, int x, int y) : p_(p), label_(label), x_(x), y_(y) {}
    void Visit(TBarcodeLabel &item) override { PrintBarcodeItem(p_, item, label_, x_, y_); }
    void Visit(TTextLabel &item) override { PrintTextItem(p_, item, label_, x_, y_); }
    void Visit(TMemoLabel &item) override { PrintMemoItem(p_, item, label_, x_, y_); }
    void Visit(TShapeLabel &item) override { PrintShapeItem(p_, item, label_.Dpi, x_, y_); }
    void Visit(TGraphicLabel &item) override { PrintPictureItem(p_, item, label_.Dpi, x_, y_); }

private:
    QPainter &p_;
    const TLabelPrintState &label_;
    int x_, y_;
};

} // namespace

void PrintItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y)
{
    if (item.FillsBox())
        p.fillRect(QRect(X, Y, label.Dpi.DesignToPrinterX(item.Width), label.Dpi.DesignToPrinterY(item.Height)),
                   kBackground);
    TItemPrinter printer(p, label, X, Y);
    item.Accept(printer);
}
