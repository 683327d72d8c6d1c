#include "model/labelformat.h"
#include "printing/sheetlayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace {

TPrinterMetrics Sheet(int dpi, int w, int h, int offX = 0, int offY = 0)
{
    TPrinterMetrics m;
    m.DpiX = m.DpiY = dpi;
    m.PaperWidth = w;
    m.PaperHeight = h;
    m.OffsetX = offX;
    m.OffsetY = offY;
    return m;
}

// The counting walk as a person would do it on paper, with a step limit.
int WalkCount(int start, int size, int gap, int extent)
{
    if (extent <= start)
        return 0;
    long long p = start;
    int n = 0;
    for (int steps = 0; extent > p && steps < 100000; ++steps) {
        p += (p == start) ? size : gap + size;
        if (extent >= p)
            ++n;
    }
    return n;
}

} // namespace

TEST(SheetLayout, CountLabels)
{
    struct Case {
        int start, size, gap, extent, expected;
    } cases[] = {
        {0, 600, 0, 2400, 4},        // four 1 in labels on 4 in
        {0, 600, 60, 2400, 3},       // 0.1 in gaps: 600, 1260, 1920, then 2580 passes
        {2400, 600, 0, 2400, 0},     // margin equal to the sheet
        {3000, 600, 0, 2400, 0},     // margin beyond the sheet
        {0, 2400, 0, 2400, 1},       // exactly as long as the sheet
        {0, 2401, 0, 2400, 0},       // one pixel too long
        {150, 600, 0, 2400, 3},
        {-300, 600, 0, 2400, 4},     // negative margin
        {0, 600, -100, 2400, 4},     // overlapping labels: 600, 1100, 1600, 2100
        // Hostile inputs end instead of counting forever.
        {0, 0, 0, 2400, 0},
        {0, -10, 0, 2400, 0},
        {0, 0, 50, 2400, 0},
        {0, 600, -600, 2400, 0},
        {0, 600, -601, 2400, 0},
        {0, 600, INT_MIN, 2400, 0},
        {INT_MIN, 1, 0, INT_MAX, INT_MAX},
        {0, INT_MAX, INT_MAX, INT_MAX, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CountLabels(c.start, c.size, c.gap, c.extent), c.expected)
            << c.start << " " << c.size << " " << c.gap << " " << c.extent;
}

TEST(SheetLayout, CountLabelsAgreesWithTheWalk)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> start(-50, 300), size(1, 200), gap(-50, 100), extent(-20, 1500);
    for (int i = 0; i < 20000; ++i) {
        const int s = start(rng), z = size(rng), g = gap(rng), e = extent(rng);
        if (g + z <= 0)
            continue;
        ASSERT_EQ(CountLabels(s, z, g, e), WalkCount(s, z, g, e)) << s << " " << z << " " << g << " " << e;
    }
}

TEST(SheetLayout, GridAndPositions)
{
    struct Case {
        const char *name;
        TLabelFormat format;
        TPrinterMetrics sheet;
        int rows, columns, left0, left1, top0, top2, width, height;
    } cases[] = {
        {"inches, no margins", {1, 1, 0, 0, 0, 0, false}, Sheet(600, 2400, 2400), 4, 4, 0, 600, 0, 1200, 600, 600},
        {"gaps of 0.1 in", {1, 1, 0, 0, 0.1, 0.1, false}, Sheet(600, 2400, 2400), 3, 3, 0, 660, 0, 1320, 600, 600},
        {"margin under the strip", {1, 1, 0.25, 0.25, 0, 0, false}, Sheet(600, 2400, 2400, 100, 40), 3, 3, 50, 650,
         110, 1310, 600, 600},
        {"metric 5 x 2.5 at 300", {5, 2.5, 0, 0, 0, 0, true}, Sheet(300, 2400, 2400), 8, 4, 0, 600, 0, 600, 600, 300},
        {"decimal values", {0.29, 0.29, 0, 0, 0, 0, false}, Sheet(100, 100, 100), 3, 3, 0, 29, 0, 58, 29, 29},
        {"label larger than the sheet", {10, 1, 0, 0, 0, 0, false}, Sheet(600, 2400, 2400), 4, 0, 0, 6000, 0, 1200,
         6000, 600},
        {"limited to 3 x 2", {1, 1, 0, 0, 0, 0, false, false, 3, 2}, Sheet(600, 2400, 2400), 2, 3, 0, 600, 0, 1200,
         600, 600},
        {"limits beyond the paper", {1, 1, 0, 0, 0, 0, false, false, 9, 9}, Sheet(600, 2400, 2400), 4, 4, 0, 600, 0,
         1200, 600, 600},
    };
    for (const Case &c : cases) {
        const TSheetLayout L(c.format, c.sheet, 96, 96);
        EXPECT_EQ(L.LabelRows, c.rows) << c.name;
        EXPECT_EQ(L.LabelColumns, c.columns) << c.name;
        EXPECT_EQ(L.ColumnLeft(0), c.left0) << c.name;
        EXPECT_EQ(L.ColumnLeft(1), c.left1) << c.name;
        EXPECT_EQ(L.RowTop(0), c.top0) << c.name;
        EXPECT_EQ(L.RowTop(2), c.top2) << c.name;
        EXPECT_EQ(L.LabelWidthPx(), c.width) << c.name;
        EXPECT_EQ(L.LabelHeightPx(), c.height) << c.name;
    }
}

TEST(SheetLayout, StripsMoveLabelsButKeepTheCount)
{
    const TLabelFormat f = {2.5, 1.25, 0.5, 0.25, 0, 0.125, false};
    const TSheetLayout full(f, Sheet(600, 5100, 6600, 0, 0), 96, 96);
    const TSheetLayout stripped(f, Sheet(600, 5100, 6600, 75, 0), 96, 96);
    EXPECT_EQ(stripped.LabelColumns, full.LabelColumns);
    EXPECT_EQ(stripped.ColumnLeft(2), full.ColumnLeft(2) - 75);
}

// A page's positions: the first grid row by row, then each further grid, less
// what its paper cannot hold; a roll page keeps one label.
TEST(SheetLayout, PositionsGridByGrid)
{
    TLabelFormat f = {1, 0.5, 0.25, 0.5, 0, 0.5, false, false, 2, 1};
    f.ExtraGrids = {{2, 0.25, 0.25, 0, 1, 4}, {3.5, 3, 0, 0, 2, 1}};
    const TSheetLayout L(f, Sheet(100, 450, 400, 10, 20), 96, 96);
    const QList<QPoint> want = {{40, 5}, {190, 5}, {15, 180}, {15, 255}, {15, 330}, {290, 330}};
    EXPECT_EQ(L.Positions(), want);
    f.Roll = true;
    EXPECT_EQ(TSheetLayout(f, Sheet(100, 450, 400), 96, 96).PositionCount(), 1);
    // Labels of a dot on a large page: the page is cut to its most positions.
    const TSheetLayout dots({0.01, 0.01, 0, 0, 0, 0, false, false}, Sheet(600, 4960, 7016), 96, 96);
    EXPECT_LE(qint64(dots.LabelRows) * dots.LabelColumns, kMaxPagePositions);
    EXPECT_EQ(dots.PositionCount(), dots.LabelRows * dots.LabelColumns);
}

TEST(SheetLayout, LayoutsAreIndependentValues)
{
    // Two jobs side by side: a sheet at 300 dpi and a roll label at 203 dpi.
    const TSheetLayout sheet({1, 1, 0, 0, 0, 0, false}, Sheet(300, 1200, 900), 96, 96);
    const TSheetLayout roll({2, 1, 0.1, 0.1, 0, 0, false, true}, Sheet(203, 2000, 2000), 120, 120);
    EXPECT_EQ(sheet.LabelColumns, 4);
    EXPECT_EQ(sheet.LabelRows, 3);
    EXPECT_EQ(roll.LabelColumns, 1);
    EXPECT_EQ(roll.LabelRows, 1);
    EXPECT_EQ(sheet.ColumnLeft(1), 300);
    EXPECT_EQ(roll.ColumnLeft(0), 20);
    EXPECT_EQ(sheet.DesignToPrinterX(96), 300);
    EXPECT_EQ(roll.DesignToPrinterX(120), 203);
    EXPECT_NEAR(roll.RollPageSizeMm().width(), 2.2 * 25.4, 1e-9);
    EXPECT_NEAR(roll.RollPageSizeMm().height(), 1.2 * 25.4, 1e-9);
}

TEST(SheetLayout, DesignPixelsToPrinter)
{
    const TSheetLayout L({}, Sheet(600, 100, 100), 96, 120);
    EXPECT_EQ(L.DesignToPrinterX(1), 6);   // 6.25
    EXPECT_EQ(L.DesignToPrinterX(16), 100);
    EXPECT_EQ(L.DesignToPrinterX(-1), -6); // toward zero
    EXPECT_EQ(L.DesignToPrinterY(1), 5);
    EXPECT_EQ(TSheetLayout({}, Sheet(600, 100, 100), 0, 0).DesignToPrinterX(10), 0);
}

TEST(SheetLayout, ShortfallOfTheNamedGrid)
{
    struct Case {
        const char *name;
        TLabelFormat format;
        TPrinterMetrics paper;
        int rows, heldRows, columns, heldColumns;
    } cases[] = {
        // 3 x 7 labels made for A4 (11.1 in tall) on Letter: row 7 is lost.
        {"A4 sheet on Letter", {2.5, 1.5, 0.6, 0.29, 0, 0.1, false, false, 3, 7}, Sheet(100, 850, 1100), 7, 6, 3, 3},
        {"fits", {2.5, 1.5, 0.6, 0.29, 0, 0.1, false, false, 3, 6}, Sheet(100, 850, 1100), 6, 6, 3, 3},
        {"no named count", {1, 1, 0, 0, 0, 0, false}, Sheet(600, 2400, 2400), 4, 4, 4, 4},
        {"both ways", {1, 1, 0, 0, 0, 0, false, false, 9, 5}, Sheet(600, 2400, 2400), 5, 4, 9, 4},
        {"roll", {1, 1, 0, 0, 0, 0, false, true, 9, 9}, Sheet(600, 600, 600), 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const TSheetShortfall s = SheetShortfall(TSheetLayout(c.format, c.paper, 96, 96));
        EXPECT_EQ(s.Rows, c.rows) << c.name;
        EXPECT_EQ(s.HeldRows, c.heldRows) << c.name;
        EXPECT_EQ(s.Columns, c.columns) << c.name;
        EXPECT_EQ(s.HeldColumns, c.heldColumns) << c.name;
        EXPECT_EQ(s.Any(), c.rows > c.heldRows || c.columns > c.heldColumns) << c.name;
    }
}
