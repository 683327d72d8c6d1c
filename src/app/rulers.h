#pragma once
// The rulers beside the design surface: the tick positions in the label unit
// and the paint boxes that draw them.

#include "model/labelformat.h"

#include <QWidget>
#include <functional>
#include <vector>

enum class TRulerTickKind { Whole, Half, Eighth };

struct TRulerTick {
    int Pos = 0;           // pixel in the paint box (never 0)
    TRulerTickKind Kind = TRulerTickKind::Whole;
    int Number = 0;        // whole units from the surface origin (Whole only)
    bool operator==(const TRulerTick &) const = default;
};

// Ticks for pixels 1..length of a ruler whose surface origin lies at `origin`
// (0 unscrolled, negative when scrolled) with `unitPx` design pixels per unit,
// the surface shown at `zoom` screen pixels per design pixel. Eighth ticks
// only in inch mode; zoomed out, halves and eighths closer than 4 pixels are
// left out. In millimetres a whole tick marks ten (numbered in millimetres),
// a half tick five and an eighth tick one, each on the design pixel nearest
// to it.
std::vector<TRulerTick> RulerTicks(int length, int origin, double unitPx, TLabelUnit unit, double zoom = 1.0);
inline std::vector<TRulerTick> RulerTicks(int length, int origin, int unitPx, bool metric, double zoom = 1.0)
{
    return RulerTicks(length, origin, double(unitPx), metric ? TLabelUnit::Centimetre : TLabelUnit::Inch, zoom);
}

// How many whole ticks apart the figures go (1, 2, 5, 10, 20, 50…): the
// fewest that leave `gap` pixels between figures `extent` pixels long when
// whole ticks are `spacing` screen pixels apart.
int RulerFigureStep(double spacing, int extent, int gap = 4);
// The number a whole tick steps by: 10 in millimetres, else 1.
int RulerWholeNumber(TLabelUnit unit);

// A ruler paint box. The origin and the unit come from the owner at paint time.
class TRulerBox : public QWidget {
    Q_OBJECT
public:
    TRulerBox(Qt::Orientation orientation, QWidget *parent = nullptr);

    std::function<int()> Origin;   // the surface's left (horizontal) or top
    std::function<double()> UnitPixels;
    std::function<TLabelUnit()> Unit;
    std::function<double()> Zoom; // the surface's; 1 when unset

    Qt::Orientation orientation() const { return orientation_; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Qt::Orientation orientation_;
};
