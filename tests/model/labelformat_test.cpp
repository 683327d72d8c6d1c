#include "model/labelformat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

TEST(LabelFormat, RoundIsHalfToEvenAndSaturates)
{
    const struct {
        double in;
        int out;
    } cases[] = {
        {2.5, 2}, {3.5, 4}, {0.5, 0}, {1.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3},
        {38.4, 38}, {-0.4, 0}, {1e300, INT_MAX}, {-1e300, INT_MIN},
        {std::numeric_limits<double>::quiet_NaN(), 0}, {std::numeric_limits<double>::infinity(), INT_MAX},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Round(c.in), c.out) << c.in;
}

TEST(LabelFormat, TruncIsTowardZeroAndSaturates)
{
    const struct {
        double in;
        int out;
    } cases[] = {
        {2.9, 2}, {-2.9, -2}, {0.999, 0}, {1e20, INT_MAX}, {-1e20, INT_MIN},
        {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Trunc(c.in), c.out) << c.in;
}

TEST(LabelFormat, UnitPixelsAndSurfaceSize)
{
    const struct {
        int dpi;
        bool metric;
        double w, h;
        int unitX, unitY, sw, sh;
    } cases[] = {
        {96, true, 2.5, 1.0, 38, 38, 96, 38},    // 38.4 rounds down; the label does not
        {96, false, 2.0, 1.25, 96, 96, 192, 120},
        {120, true, 5.0, 2.5, 48, 48, 240, 120},
        {96, false, 0.015625, 0.015625 * 3, 96, 96, 2, 4}, // 1.5 -> 2 and 4.5 -> 4
    };
    for (const auto &c : cases) {
        TLabelFormat f;
        f.Metric = c.metric;
        f.Label_Width = c.w;
        f.Label_Height = c.h;
        EXPECT_EQ(UnitPixelsX(f, c.dpi), c.unitX);
        EXPECT_EQ(UnitPixelsY(f, c.dpi), c.unitY);
        EXPECT_EQ(SurfaceWidthPx(f, c.dpi), c.sw) << c.w;
        EXPECT_EQ(SurfaceHeightPx(f, c.dpi), c.sh) << c.h;
    }
}

TEST(LabelFormat, UnitSwitchRoundTripKeepsSurface)
{
    TLabelFormat inch;
    inch.Label_Width = 4;
    inch.Label_Height = 1.3;
    inch.Margin_Top = 0.3;
    inch.Margin_Left = 0.1;
    inch.Gap_Height = 0.125;
    inch.Gap_Width = 0.2;
    const TLabelFormat cm = ConvertUnits(inch, true);
    EXPECT_TRUE(cm.Metric);
    EXPECT_DOUBLE_EQ(cm.Label_Width, 10.0);
    EXPECT_DOUBLE_EQ(cm.Gap_Height, 0.3125);
    EXPECT_EQ(SurfaceWidthPx(cm, 96), SurfaceWidthPx(inch, 96));
    EXPECT_EQ(SurfaceHeightPx(cm, 96), SurfaceHeightPx(inch, 96));

    const TLabelFormat back = ConvertUnits(cm, false);
    EXPECT_FALSE(back.Metric);
    EXPECT_DOUBLE_EQ(back.Label_Width, 4.0);
    EXPECT_DOUBLE_EQ(back.Margin_Top, 0.3);
    EXPECT_DOUBLE_EQ(back.Gap_Width, 0.2);
    // Converting to the unit already in use changes nothing.
    EXPECT_DOUBLE_EQ(ConvertUnits(inch, false).Label_Width, 4.0);
}

TEST(LabelFormat, ScreenDpiFromOffscreenScreen)
{
    const TDpi dpi = ScreenLogicalDpi();
    EXPECT_GT(dpi.X, 1);
    EXPECT_GT(dpi.Y, 1);
}
