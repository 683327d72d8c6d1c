// Aligning, distributing, centring, matching sizes and snapping, in exact
// design pixels.

#include "model/arrange.h"
#include "model/snap.h"

#include <gtest/gtest.h>

namespace {

const TRect kLabel{0, 0, 240, 144};

std::string Text(const QList<TRect> &boxes)
{
    std::string s;
    for (const TRect &r : boxes)
        s += "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + ","
             + std::to_string(r.Bottom) + ")";
    return s;
}

} // namespace

TEST(Arrange, EveryArrangement)
{
    // Three boxes: 20 wide at 10, 30 wide at 100, 15 wide at 60 (by centre:
    // first, third, second); the joint box is 10..130 x 5..80.
    const QList<TRect> three{{10, 5, 30, 25}, {100, 40, 130, 80}, {60, 20, 75, 31}};
    const struct {
        const char *name;
        QList<TRect> in;
        TArrange how;
        int reference;
        QList<TRect> out;
    } cases[] = {
        {"left", three, TArrange::AlignLeft, 0, {{10, 5, 30, 25}, {10, 40, 40, 80}, {10, 20, 25, 31}}},
        {"right", three, TArrange::AlignRight, 0, {{110, 5, 130, 25}, {100, 40, 130, 80}, {115, 20, 130, 31}}},
        // Centre 70: a 15 wide box's 62.5 goes left.
        {"centre", three, TArrange::AlignCentre, 0, {{60, 5, 80, 25}, {55, 40, 85, 80}, {62, 20, 77, 31}}},
        {"top", three, TArrange::AlignTop, 0, {{10, 5, 30, 25}, {100, 5, 130, 45}, {60, 5, 75, 16}}},
        {"bottom", three, TArrange::AlignBottom, 0, {{10, 60, 30, 80}, {100, 40, 130, 80}, {60, 69, 75, 80}}},
        {"middle", three, TArrange::AlignMiddle, 0, {{10, 32, 30, 52}, {100, 22, 130, 62}, {60, 37, 75, 48}}},
        // One box aligns to the label.
        {"one left", {{50, 50, 70, 60}}, TArrange::AlignLeft, 0, {{0, 50, 20, 60}}},
        {"one right", {{50, 50, 70, 60}}, TArrange::AlignRight, 0, {{220, 50, 240, 60}}},
        {"one centre", {{50, 50, 71, 60}}, TArrange::AlignCentre, 0, {{109, 50, 130, 60}}},
        {"one bottom", {{50, 50, 70, 60}}, TArrange::AlignBottom, 0, {{50, 134, 70, 144}}},
        {"one middle", {{50, 50, 70, 61}}, TArrange::AlignMiddle, 0, {{50, 66, 70, 77}}},
        // 120 wide, 65 of boxes: gaps of 27 and 28; the outer two stay.
        {"distribute across", three, TArrange::DistributeHorz, 0,
         {{10, 5, 30, 25}, {100, 40, 130, 80}, {57, 20, 72, 31}}},
        // Overlapping boxes spread out by the same (negative) gaps.
        {"distribute overlapping", {{0, 0, 50, 10}, {10, 0, 60, 10}, {30, 0, 70, 10}}, TArrange::DistributeHorz, 0,
         {{0, 0, 50, 10}, {15, 0, 65, 10}, {30, 0, 70, 10}}},
        {"distribute down", {{0, 0, 10, 10}, {0, 90, 10, 100}, {0, 12, 10, 22}, {0, 30, 10, 70}}, TArrange::DistributeVert,
         0, {{0, 0, 10, 10}, {0, 90, 10, 100}, {0, 20, 10, 30}, {0, 40, 10, 80}}},
        {"two do not distribute", {{0, 0, 10, 10}, {50, 0, 60, 10}}, TArrange::DistributeHorz, 0,
         {{0, 0, 10, 10}, {50, 0, 60, 10}}},
        // The joint box (10..130, 5..80) centred; the places among them kept.
        {"centre on label across", three, TArrange::CentreHorz, 0,
         {{60, 5, 80, 25}, {150, 40, 180, 80}, {110, 20, 125, 31}}},
        {"centre on label down", three, TArrange::CentreVert, 0,
         {{10, 34, 30, 54}, {100, 69, 130, 109}, {60, 49, 75, 60}}},
        {"same width as the second", three, TArrange::SameWidth, 1,
         {{10, 5, 40, 25}, {100, 40, 130, 80}, {60, 20, 90, 31}}},
        {"same height as the third", three, TArrange::SameHeight, 2,
         {{10, 5, 30, 16}, {100, 40, 130, 51}, {60, 20, 75, 31}}},
        {"one has no size to copy", {{5, 5, 10, 10}}, TArrange::SameWidth, 0, {{5, 5, 10, 10}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Text(Arrange(c.in, c.how, kLabel, c.reference)), Text(c.out));
    }
}

TEST(Snap, EdgesCentresGridAndGuides)
{
    const TRect other{90, 40, 130, 60};
    const struct {
        const char *name;
        TRect box;
        int edges;
        bool items;
        double grid;
        int dx, dy;
        QList<TSnapGuide> guides;
    } cases[] = {
        // Left edge 3 short of the other's right edge: abuts it.
        {"abut", {127, 80, 147, 90}, seAll, true, 0, 3, 0, {{true, 130, 40, 90}}},
        {"left edges", {92, 80, 104, 90}, seAll, true, 0, -2, 0, {{true, 90, 40, 90}}},
        // Centre 111 against 110; top and bottom 2 off the other's top and middle.
        {"centres, top and bottom", {106, 42, 116, 52}, seAll, true, 0, -1, -2,
         {{true, 110, 40, 60}, {false, 40, 90, 130}, {false, 50, 90, 130}}},
        {"too far", {135, 80, 155, 90}, seAll, true, 0, 0, 0, {}},
        {"label's right edge", {217, 10, 237, 20}, seAll, true, 0, 3, 0, {{true, 240, 0, 144}}},
        {"items off", {127, 80, 147, 90}, seAll, false, 0, 0, 0, {}},
        // A grid of 24: 50 goes to 48, 70 to 72; the nearer wins.
        {"grid", {50, 70, 60, 83}, seAll, false, 24, -2, 2, {}},
        // Sizing moves only the dragged edge, and never snaps a centre.
        {"sizing right edge", {50, 80, 88, 90}, seRight, true, 0, 2, 0, {{true, 90, 40, 90}}},
        {"sizing ignores the centre", {50, 80, 60, 90}, seBottom, true, 0, 0, 0, {}},
        // At the same distance, the item wins over the grid.
        {"item before grid", {88, 80, 98, 90}, seAll, true, 24, 2, 0, {{true, 90, 40, 90}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TSnapRequest r;
        r.Box = c.box;
        r.Edges = c.edges;
        r.Others = {other};
        r.Label = kLabel;
        r.ToItems = c.items;
        r.GridX = r.GridY = c.grid;
        r.Threshold = 4;
        const TSnapResult s = SnapBox(r);
        EXPECT_EQ(s.Dx, c.dx);
        EXPECT_EQ(s.Dy, c.dy);
        EXPECT_EQ(s.Guides, c.guides);
    }
}

TEST(Snap, GridSteps)
{
    // The defaults keep the steps the grid always had (whole pixels, the
    // centimetre rounded first); other spacings are exact fractions.
    EXPECT_EQ(GridStepPixels(false, 96, kDefaultGridInches, kDefaultGridCentimetres), 24);
    EXPECT_EQ(GridStepPixels(true, 96, kDefaultGridInches, kDefaultGridCentimetres), 19);
    EXPECT_EQ(GridStepPixels(false, 97, kDefaultGridInches, kDefaultGridCentimetres), 24);
    EXPECT_DOUBLE_EQ(GridStepPixels(false, 96, 0.1, 0.5), 9.6);
    EXPECT_DOUBLE_EQ(GridStepPixels(true, 96, 0.25, 0.1), 3.8);
}
