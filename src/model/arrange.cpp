#include "model/arrange.h"

#include <algorithm>
#include <numeric>

namespace {

// Division rounding toward minus infinity (positions may be negative).
int FloorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return int(q);
}

TRect Moved(const TRect &r, int dx, int dy)
{
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// Equal gaps along one axis; lo/hi pick the box's edges on it.
QList<TRect> Distribute(const QList<TRect> &boxes, int TRect::*lo, int TRect::*hi, bool horizontal)
{
    const int n = int(boxes.size());
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return boxes[a].*lo + boxes[a].*hi < boxes[b].*lo + boxes[b].*hi;
    });
    const int start = boxes[order.first()].*lo;
    const int end = boxes[order.last()].*hi;
    qint64 sizes = 0;
    for (const TRect &r : boxes)
        sizes += r.*hi - r.*lo;
    const qint64 free = end - start - sizes;
    QList<TRect> out = boxes;
    qint64 before = 0;
    for (int i = 0; i < n; ++i) {
        const TRect &r = boxes[order[i]];
        const int at = start + int(before) + FloorDiv(i * free, n - 1);
        out[order[i]] = horizontal ? Moved(r, at - r.Left, 0) : Moved(r, 0, at - r.Top);
        before += r.*hi - r.*lo;
    }
    return out;
}

} // namespace

TRect JointBox(const QList<TRect> &boxes)
{
    if (boxes.isEmpty())
        return {};
    TRect j = boxes.first();
    for (const TRect &r : boxes) {
        j.Left = std::min(j.Left, r.Left);
        j.Top = std::min(j.Top, r.Top);
        j.Right = std::max(j.Right, r.Right);
        j.Bottom = std::max(j.Bottom, r.Bottom);
    }
    return j;
}

int ArrangeMinimum(TArrange how)
{
    switch (how) {
    case TArrange::DistributeHorz:
    case TArrange::DistributeVert: return 3;
    case TArrange::SameWidth:
    case TArrange::SameHeight: return 2;
    default: return 1;
    }
}

QList<TRect> Arrange(const QList<TRect> &boxes, TArrange how, const TRect &label, int reference)
{
    if (boxes.size() < ArrangeMinimum(how))
        return boxes;
    const TRect to = boxes.size() == 1 ? label : JointBox(boxes);
    QList<TRect> out;
    out.reserve(boxes.size());
    switch (how) {
    case TArrange::DistributeHorz: return Distribute(boxes, &TRect::Left, &TRect::Right, true);
    case TArrange::DistributeVert: return Distribute(boxes, &TRect::Top, &TRect::Bottom, false);
    case TArrange::CentreHorz:
    case TArrange::CentreVert: {
        const TRect joint = JointBox(boxes);
        const bool h = how == TArrange::CentreHorz;
        const int d = h ? FloorDiv(qint64(label.Left) + label.Right - joint.Left - joint.Right, 2)
                        : FloorDiv(qint64(label.Top) + label.Bottom - joint.Top - joint.Bottom, 2);
        for (const TRect &r : boxes)
            out << (h ? Moved(r, d, 0) : Moved(r, 0, d));
        return out;
    }
    default: break;
    }
    const TRect &ref = boxes[qBound(0, reference, int(boxes.size()) - 1)];
    for (const TRect &r : boxes) {
        switch (how) {
        case TArrange::AlignLeft: out << Moved(r, to.Left - r.Left, 0); break;
        case TArrange::AlignRight: out << Moved(r, to.Right - r.Right, 0); break;
        case TArrange::AlignCentre:
            out << Moved(r, FloorDiv(qint64(to.Left) + to.Right - r.width(), 2) - r.Left, 0);
            break;
        case TArrange::AlignTop: out << Moved(r, 0, to.Top - r.Top); break;
        case TArrange::AlignBottom: out << Moved(r, 0, to.Bottom - r.Bottom); break;
        case TArrange::AlignMiddle:
            out << Moved(r, 0, FloorDiv(qint64(to.Top) + to.Bottom - r.height(), 2) - r.Top);
            break;
        case TArrange::SameWidth: out << TRect{r.Left, r.Top, r.Left + ref.width(), r.Bottom}; break;
        case TArrange::SameHeight: out << TRect{r.Left, r.Top, r.Right, r.Top + ref.height()}; break;
        default: out << r; break;
        }
    }
    return out;
}
