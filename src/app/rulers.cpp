#include "app/rulers.h"

#include "render/itemrender.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

#include <limits>

namespace {

// Zoomed out, design pixels share a ruler pixel: the stronger tick stays.
void AddTick(std::vector<TRulerTick> &ticks, const TRulerTick &t)
{
    if (!ticks.empty() && ticks.back().Pos == t.Pos) {
        if (int(t.Kind) < int(ticks.back().Kind))
            ticks.back() = t;
        return;
    }
    ticks.push_back(t);
}

std::vector<TRulerTick> MillimetreTicks(int length, int origin, double mmPx, double zoom)
{
    std::vector<TRulerTick> ticks;
    auto readable = [zoom, mmPx](int mm) { return zoom >= 1 || mm * mmPx * zoom >= 4; };
    const bool halves = readable(5), ones = readable(1);
    const int first = qFloor((1 - origin) / zoom / mmPx) - 1;
    const int last = qCeil((length - origin) / zoom / mmPx) + 1;
    for (int n = first; n <= last; ++n) {
        const int p = origin + ScreenPixel(Round(n * mmPx), zoom);
        if (p < 1 || p > length)
            continue;
        TRulerTick t{p, TRulerTickKind::Whole, 0};
        if (n % 10 == 0)
            t.Number = n;
        else if (halves && n % 5 == 0)
            t.Kind = TRulerTickKind::Half;
        else if (ones)
            t.Kind = TRulerTickKind::Eighth;
        else
            continue;
        AddTick(ticks, t);
    }
    return ticks;
}

} // namespace

std::vector<TRulerTick> RulerTicks(int length, int origin, double unitPxF, TLabelUnit unit, double zoom)
{
    std::vector<TRulerTick> ticks;
    if (!(unitPxF > 0) || zoom <= 0)
        return ticks;
    if (unit == TLabelUnit::Millimetre)
        return MillimetreTicks(length, origin, unitPxF, zoom);
    const int unitPx = Round(unitPxF);
    if (unitPx <= 0)
        return ticks;
    const bool metric = unit != TLabelUnit::Inch;
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
        AddTick(ticks, t);
    }
    return ticks;
}

int RulerFigureStep(double spacing, int extent, int gap)
{
    if (!(spacing > 0))
        return 1;
    // Rounding may bring neighbours a pixel closer than their spacing.
    const double need = extent + gap + 1;
    for (int step = 1; step < 1000000000 / 10; step *= 10)
        for (int m : {1, 2, 5})
            if (step * m * spacing >= need)
                return step * m;
    return 1000000000;
}

int RulerWholeNumber(TLabelUnit unit)
{
    return unit == TLabelUnit::Millimetre ? 10 : 1;
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
    if (!Origin || !UnitPixels || !Unit)
        return;

    const bool horizontal = orientation_ == Qt::Horizontal;
    const int w = width();
    const int h = height();
    const QFontMetrics fm(font());
    const TLabelUnit unit = Unit();
    const double zoom = Zoom ? Zoom() : 1.0;
    const auto ticks = RulerTicks(horizontal ? w : h, Origin(), UnitPixels(), unit, zoom);
    // Figures every so many whole ticks, chosen from the zoom so that they
    // never run together; the check below is only for rounding's sake.
    const int per = RulerWholeNumber(unit);
    int extent = horizontal ? 0 : fm.height();
    if (horizontal)
        for (const TRulerTick &t : ticks)
            if (t.Kind == TRulerTickKind::Whole)
                extent = qMax(extent, fm.horizontalAdvance(QString::number(t.Number)));
    const int step = RulerFigureStep(UnitPixels() * per * zoom, extent);
    int numbersEnd = std::numeric_limits<int>::min();
    for (const TRulerTick &t : ticks) {
        const int at = t.Pos;
        switch (t.Kind) {
        case TRulerTickKind::Whole: {
            const QString num = QString::number(t.Number);
            const int start = horizontal ? at - fm.horizontalAdvance(num) / 2 : at - fm.height() / 2;
            const bool figured = (t.Number / per) % step == 0;
            const bool room = figured && start > numbersEnd;
            if (room)
                numbersEnd = start + (horizontal ? fm.horizontalAdvance(num) : fm.height());
            // Those between the figures reach as far as a half, so that
            // the figured ones stand out.
            const int reach = figured ? 0 : 2;
            if (horizontal) {
                p.drawLine(at, h, at, reach ? h / reach : 0);
                if (room)
                    p.drawText(start, fm.ascent(), num);
            } else {
                p.drawLine(reach ? w / reach : 0, at, w, at);
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
