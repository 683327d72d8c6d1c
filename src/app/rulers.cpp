#include "app/rulers.h"

#include <QFontMetrics>
#include <QPainter>

std::vector<TRulerTick> RulerTicks(int length, int origin, int unitPx, bool metric)
{
    std::vector<TRulerTick> ticks;
    if (unitPx <= 0)
        return ticks;
    // A unit too small to halve (or to split in eight) simply has no such ticks.
    const int half = unitPx / 2;
    const int eighth = metric ? 0 : unitPx / 8;
    for (int p = 1; p <= length; ++p) {
        const int d = p - origin;
        if (d % unitPx == 0)
            ticks.push_back({p, TRulerTickKind::Whole, d / unitPx});
        else if (half > 0 && d % half == 0)
            ticks.push_back({p, TRulerTickKind::Half, 0});
        else if (eighth > 0 && d % eighth == 0)
            ticks.push_back({p, TRulerTickKind::Eighth, 0});
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
    const auto ticks = RulerTicks(horizontal ? w : h, Origin(), UnitPixels(), Metric());
    for (const TRulerTick &t : ticks) {
        const int at = t.Pos;
        switch (t.Kind) {
        case TRulerTickKind::Whole: {
            const QString num = QString::number(t.Number);
            if (horizontal) {
                p.drawLine(at, h, at, 0);
                p.drawText(at - fm.horizontalAdvance(num) / 2, fm.ascent(), num);
            } else {
                p.drawLine(0, at, w, at);
                p.drawText(0, at - fm.height() / 2 + fm.ascent(), num);
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
