#pragma once
// Snapping a dragged box: to the grid, and to the edges and centres of other
// boxes and of the label. A pure function on design-pixel boxes; the design
// surface calls it on every move of a drag and draws the guides it returns.

#include "model/items.h"

#include <QList>

// The grid's spacing until the user sets one: a quarter inch, half a centimetre.
constexpr double kDefaultGridInches = 0.25;
constexpr double kDefaultGridCentimetres = 0.5;
constexpr double kDefaultGridMillimetres = 5;

// Design pixels between grid lines at `dpi` for a label measured in
// centimetres (metric) or inches. The default spacings give the whole-pixel
// steps the grid always had; others the exact fraction of the ruler's unit.
double GridStepPixels(bool metric, int dpi, double inches, double centimetres);
// The same for a label in any unit; millimetres are true ones, 25.4 an inch.
double GridStepPixels(TLabelUnit unit, int dpi, double inches, double centimetres, double millimetres);

// A line where the box snapped: vertical at x = At from y = From to To, or
// horizontal at y = At from x = From to To (design pixels, To exclusive).
struct TSnapGuide {
    bool Vertical = true;
    int At = 0, From = 0, To = 0;
    bool operator==(const TSnapGuide &) const = default;
};

// Which edges of the box follow the pointer: all when moving, the dragged
// ones when sizing (only moving snaps the centre).
enum TSnapEdges : int { seLeft = 1, seTop = 2, seRight = 4, seBottom = 8, seAll = 15 };

struct TSnapRequest {
    TRect Box; // where the pointer puts the dragged box
    int Edges = seAll;
    QList<TRect> Others; // the boxes it snaps to
    TRect Label;         // the label's box; snapped to with the others
    bool ToItems = true; // snap to Others and Label
    // The grid's steps in design pixels (lines at multiples of them); 0 none.
    double GridX = 0, GridY = 0;
    int Threshold = 4; // the farthest a snap moves an edge, in design pixels
};

struct TSnapResult {
    int Dx = 0, Dy = 0; // add to the moving edges
    // Lines of the other boxes and the label the snapped box now meets.
    QList<TSnapGuide> Guides;
};

// Each axis snaps on its own to the nearest line within the threshold; at
// equal distance an item's or the label's line wins over the grid's.
TSnapResult SnapBox(const TSnapRequest &request);
