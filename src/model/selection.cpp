#include "model/selection.h"

#include <algorithm>

TRect BoundsOf(const QList<TLabelControl *> &items)
{
    if (items.isEmpty())
        return {};
    TRect r = items.first()->BoundsRect();
    for (const TLabelControl *it : items) {
        const TRect b = it->BoundsRect();
        r = {std::min(r.Left, b.Left), std::min(r.Top, b.Top), std::max(r.Right, b.Right), std::max(r.Bottom, b.Bottom)};
    }
    return r;
}

namespace {

int Kept(int d, int low, int high, int limit)
{
    if (high - low > limit)
        return 0;
    const int most = std::max(0, limit - high), least = std::min(0, -low);
    return std::clamp(d, least, most);
}

} // namespace

QPoint KeptInside(const TRect &box, int dx, int dy, int width, int height)
{
    return {Kept(dx, box.Left, box.Right, width), Kept(dy, box.Top, box.Bottom, height)};
}

bool Touches(const TRect &a, const TRect &b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
