#include "render/drawtarget.h"

#include "barcode/barcode.h"
#include "model/labelformat.h"

#include <climits>
#include <cmath>

namespace {

// v * device / design truncated toward zero; 0 without a design resolution.
int Scale(qint64 v, int device, int design)
{
    if (design <= 0)
        return 0;
    const qint64 r = v * device / design;
    return r > INT_MAX ? INT_MAX : (r < INT_MIN ? INT_MIN : static_cast<int>(r));
}

// Exact Trunc(a / b) for whole numbers; 0 when there is nothing to divide by.
int Div(qint64 a, qint64 b)
{
    return b == 0 ? 0 : int(a / b);
}

} // namespace

int TDrawTarget::ToDeviceX(int v) const
{
    return Scale(v, DeviceDpiX, DesignDpiX);
}

int TDrawTarget::ToDeviceY(int v) const
{
    return Scale(v, DeviceDpiY, DesignDpiY);
}

QFont ItemFont(const TItemFont &font, const TDrawTarget &t)
{
    // Design pixels at t.DesignDpiY.
    const int design = font.PixelHeight(t.DesignDpiY);
    if (t.IsPaper())
        return font.ScaledFont(qMax(1, t.ToDeviceY(design)));
    QFont f = font.ScaledFont(design);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

bool PaintsBackground(const TLabelControl &item, const TDrawTarget &t)
{
    return !t.IsPaper() || !item.Transparent;
}

QPoint AlignIn(int horzAlign, int vertAlign, const QRect &box, QSize extent)
{
    const int X = box.x(), Y = box.y(), W = box.width(), H = box.height();
    const int x = horzAlign == iaRight ? X + W - extent.width()
                  : horzAlign == iaCenter ? X + W / 2 - extent.width() / 2
                                          : X;
    const int y = vertAlign == iaBottom ? Y + H - extent.height()
                  : vertAlign == iaCenter ? Y + H / 2 - extent.height() / 2
                                          : Y;
    return {x, y};
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

QTransform MirroredIn(const QRect &box, bool horz, bool vert)
{
    const qreal dx = horz ? 2.0 * box.x() + box.width() : 0, dy = vert ? 2.0 * box.y() + box.height() : 0;
    return QTransform(horz ? -1 : 1, 0, 0, vert ? -1 : 1, dx, dy);
}

QTransform TurnedInto(const QRect &box, int rotation, bool flipHorz, bool flipVert)
{
    const qreal x = box.x(), y = box.y(), w = box.width(), h = box.height();
    QTransform turn;
    // x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy: whole quarter turns
    // about the box's corners, so pixels stay on pixels.
    switch (rotation % 4) {
    case 1: turn = QTransform(0, 1, -1, 0, x + w, y); break;
    case 2: turn = QTransform(-1, 0, 0, -1, x + w, y + h); break;
    case 3: turn = QTransform(0, -1, 1, 0, x, y + h); break;
    default: turn = QTransform::fromTranslate(x, y); break;
    }
    return flipHorz || flipVert ? turn * MirroredIn(box, flipHorz, flipVert) : turn;
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

int BarcodeModule(const TBarcodeLabel &item, const TDrawTarget &t)
{
    if (!t.IsPaper()) {
        // The spin box offers 1 to 9; a file may hold anything, and a module
        // of thousands of pixels would only exhaust memory.
        return item.AutoScale ? 1 : qBound(1, int(item.Scale), 9);
    }
    const bool across = item.Rotation == 0 || item.Rotation == 2;
    const int P = across ? t.DeviceDpiX : t.DeviceDpiY;
    const int S = across ? t.DesignDpiX : t.DesignDpiY;
    const int m = item.AutoScale ? P / (item.BarcodeType == bcPostnet ? 60 : 80) : Div(qint64(item.Scale) * P, S);
    // A printer too coarse for the rule still gets bars of one pixel.
    return qMax(1, m);
}

QSize PictureSize(bool keepAspect, int W, int H, int bw, int bh, const TDrawTarget &t)
{
    if (!keepAspect || bw <= 0 || bh <= 0)
        return {W, H};
    if (double(H) / bh >= double(W) / bw)
        return {W, t.IsPaper() ? Div(qint64(bh) * W, bw) : Round(double(bh) * W / bw)};
    return {t.IsPaper() ? Div(qint64(bw) * H, bh) : Round(double(bw) * H / bh), H};
}

QSize RoundRectCorner(int W, int H, const TDrawTarget &t)
{
    auto corner = [&t](int side) {
        const double d = side > 0 ? std::sqrt(double(side)) / 2 : 0;
        const int divisor = t.IsPaper() ? Trunc(d) : Round(d);
        return divisor > 0 ? side / divisor : side;
    };
    return {corner(W), corner(H)};
}

void ShapePenInsets(int penWidth, const TDrawTarget &t, int &hx, int &hy)
{
    hx = t.ToDeviceX(penWidth) / 2;
    if (hx % 2 != 0)
        hx += Div(t.DeviceDpiX, t.DesignDpiX);
    hy = t.ToDeviceY(penWidth) / 2;
    if (hy % 2 != 0)
        hy += Div(t.DeviceDpiY, t.DesignDpiY);
}
