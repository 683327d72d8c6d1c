#include "model/snap.h"

#include "model/labelformat.h"

#include <cmath>
#include <cstdlib>

namespace {

// One axis, in doubled pixels so that centres stay whole.
struct TAxis {
    QList<int> moving;  // the box's snapping lines
    QList<int> targets; // the other boxes' and the label's lines
};

void AddLines(QList<int> &to, int lo, int hi, bool centre)
{
    to << 2 * lo << 2 * hi;
    if (centre)
        to << lo + hi;
}

// The best shift (doubled) and whether one was found; grid lines are the
// multiples of step, tried for the edges only.
bool BestShift(const TAxis &axis, const QList<int> &gridEdges, double step, int threshold, int *shift)
{
    bool found = false;
    int best = 0;
    auto consider = [&](int d, bool preferred) {
        if (std::abs(d) > 2 * threshold)
            return;
        if (!found || std::abs(d) < std::abs(best) || (preferred && std::abs(d) == std::abs(best))) {
            best = d;
            found = true;
        }
    };
    if (step > 0)
        for (int m : gridEdges) {
            const int line = Round(Round(m / 2.0 / step) * step);
            consider(2 * line - m, false);
        }
    for (int m : axis.moving)
        for (int t : axis.targets)
            consider(t - m, true);
    *shift = best;
    return found;
}

int HalfDown(int v)
{
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

} // namespace

double GridStepPixels(bool metric, int dpi, double inches, double centimetres)
{
    const int cm = Round(dpi / kCmPerInch);
    if (metric)
        return centimetres == kDefaultGridCentimetres ? cm / 2 : centimetres * cm;
    return inches == kDefaultGridInches ? dpi / 4 : inches * dpi;
}

double GridStepPixels(TLabelUnit unit, int dpi, double inches, double centimetres, double millimetres)
{
    if (unit == TLabelUnit::Millimetre)
        return millimetres * dpi / 25.4;
    return GridStepPixels(unit == TLabelUnit::Centimetre, dpi, inches, centimetres);
}

TSnapResult SnapBox(const TSnapRequest &r)
{
    const TRect &b = r.Box;
    const bool moving = r.Edges == seAll;
    TAxis x, y;
    QList<int> gridX, gridY;
    if (r.Edges & seLeft)
        x.moving << 2 * b.Left;
    if (r.Edges & seRight)
        x.moving << 2 * b.Right;
    if (r.Edges & seTop)
        y.moving << 2 * b.Top;
    if (r.Edges & seBottom)
        y.moving << 2 * b.Bottom;
    gridX = x.moving;
    gridY = y.moving;
    if (moving) {
        x.moving << b.Left + b.Right;
        y.moving << b.Top + b.Bottom;
    }
    if (r.ToItems) {
        QList<TRect> all = r.Others;
        all << r.Label;
        for (const TRect &o : all) {
            AddLines(x.targets, o.Left, o.Right, true);
            AddLines(y.targets, o.Top, o.Bottom, true);
        }
    }
    TSnapResult out;
    int sx = 0, sy = 0;
    BestShift(x, gridX, r.GridX, r.Threshold, &sx);
    BestShift(y, gridY, r.GridY, r.Threshold, &sy);
    out.Dx = HalfDown(sx);
    out.Dy = HalfDown(sy);
    if (!r.ToItems)
        return out;

    // Guides where a snapped line meets a line of another box or the label.
    auto shifted = [](const QList<int> &lines, int d) {
        QList<int> s;
        for (int v : lines)
            s << v + 2 * d;
        return s;
    };
    const QList<int> mx = shifted(x.moving, out.Dx), my = shifted(y.moving, out.Dy);
    const TRect moved{b.Left + ((r.Edges & seLeft) ? out.Dx : 0), b.Top + ((r.Edges & seTop) ? out.Dy : 0),
                      b.Right + ((r.Edges & seRight) ? out.Dx : 0), b.Bottom + ((r.Edges & seBottom) ? out.Dy : 0)};
    QList<TRect> all = r.Others;
    all << r.Label;
    for (const TRect &o : all) {
        for (int t : {2 * o.Left, o.Left + o.Right, 2 * o.Right}) {
            if (mx.contains(t)) {
                const TSnapGuide g{true, HalfDown(t), std::min(o.Top, moved.Top), std::max(o.Bottom, moved.Bottom)};
                if (!out.Guides.contains(g))
                    out.Guides << g;
            }
        }
        for (int t : {2 * o.Top, o.Top + o.Bottom, 2 * o.Bottom}) {
            if (my.contains(t)) {
                const TSnapGuide g{false, HalfDown(t), std::min(o.Left, moved.Left), std::max(o.Right, moved.Right)};
                if (!out.Guides.contains(g))
                    out.Guides << g;
            }
        }
    }
    return out;
}
