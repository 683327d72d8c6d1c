#include "model/selection.h"

#include "model/arrange.h"

#include <algorithm>

TRect BoundsOf(const QList<TLabelControl *> &items)
{
    QList<TRect> boxes;
    for (const TLabelControl *it : items)
        boxes << it->BoundsRect();
    return JointBox(boxes);
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
