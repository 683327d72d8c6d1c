#include "app/rulers.h"

#include "render/itemrender.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

#include <limits>

std::vector<TRulerTick> RulerTicks(int length, int origin, int unitPx, bool metric, double zoom)
{
    std::vector<TRulerTick> ticks;
    if (unitPx <= 0 || zoom <= 0)
        return ticks;
    // A unit too small to halve (or to split in eight) simply has no such ticks.
    auto readable = [zoom](int step) { return step > 0 && (zoom >= 1 || step * zoom >= 4) ? step : 0; };
    const int half = readable(unitPx / 2);
    const int eighth = metric ? 0 : readable(unitPx / 8);
    // d: design pixels from the surface origin; p: the ruler's pixel.
    const int first = qFloor((1 - origin) / zoom);
    const int last = qCeil((length - origin) / zoom);
    for (int d = first; d <= last; ++d) {
        const int p = origin + ScreenPixel(d, zoom);
        if (p < 1 || p > length)
            continue;
        TRulerTick t{p, TRulerTickKind::Whole, 0};
        if (d % unitPx == 0)
            t.Number = d / unitPx;
        else if (half > 0 && d % half == 0)
            t.Kind = TRulerTickKind::Half;
        else if (eighth > 0 && d % eighth == 0)
            t.Kind = TRulerTickKind::Eighth;
        else
            continue;
        // Zoomed out, design pixels share a ruler pixel: the stronger tick stays.
        if (!ticks.empty() && ticks.back().Pos == p) {
            if (int(t.Kind) < int(ticks.back().Kind))
                ticks.back() = t;
            continue;
        }
        ticks.push_back(t);
    }
    return ticks;
}

TRulerBox::TRulerBox(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent), orientation_(orientation)
{
    QFont f(QStringLiteral("Lucida Console"));
    f.setPixelSize(12);
    setFont(f);
}

void TRulerBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Light));
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    if (!Origin || !UnitPixels || !Metric)
        return;

    const bool horizontal = orientation_ == Qt::Horizontal;
    const int w = width();
    const int h = height();
    const QFontMetrics fm(font());
    const auto ticks = RulerTicks(horizontal ? w : h, Origin(), UnitPixels(), Metric(), Zoom ? Zoom() : 1.0);
    // Zoomed out, a number that would run into the previous one is left out.
    int numbersEnd = std::numeric_limits<int>::min();
    for (const TRulerTick &t : ticks) {
        const int at = t.Pos;
        switch (t.Kind) {
        case TRulerTickKind::Whole: {
            const QString num = QString::number(t.Number);
            const int start = horizontal ? at - fm.horizontalAdvance(num) / 2 : at - fm.height() / 2;
            const bool room = start > numbersEnd;
            if (room)
                numbersEnd = start + (horizontal ? fm.horizontalAdvance(num) : fm.height());
            if (horizontal) {
                p.drawLine(at, h, at, 0);
                if (room)
                    p.drawText(start, fm.ascent(), num);
            } else {
                p.drawLine(0, at, w, at);
                if (room)
                    p.drawText(0, start + fm.ascent(), num);
            }
            break;
        }
        case TRulerTickKind::Half:
            if (horizontal)
                p.drawLine(at, h, at, h / 2);
            else
                p.drawLine(w, at, w / 2, at);
            break;
        case TRulerTickKind::Eighth:
            if (horizontal)
                p.drawLine(at, h, at, 3 * h / 4);
            else
                p.drawLine(w, at, 3 * w / 4, at);
            break;
        }
    }
}
