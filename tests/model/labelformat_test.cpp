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
    constexpr auto cm = TLabelUnit::Centimetre, in = TLabelUnit::Inch, mm = TLabelUnit::Millimetre;
    const struct {
        int dpi;
        TLabelUnit unit;
        double w, h;
        double unitX, unitY;
        int sw, sh;
    } cases[] = {
        {96, cm, 2.5, 1.0, 38, 38, 96, 38},    // 38.4 rounds down; the label does not
        {96, in, 2.0, 1.25, 96, 96, 192, 120},
        {120, cm, 5.0, 2.5, 48, 48, 240, 120},
        {96, in, 0.015625, 0.015625 * 3, 96, 96, 2, 4}, // 1.5 -> 2 and 4.5 -> 4
        {96, mm, 50, 30, 96 / 25.4, 96 / 25.4, 189, 113}, // a millimetre is not rounded
        {300, mm, 25.4, 12.7, 300 / 25.4, 300 / 25.4, 300, 150},
    };
    for (const auto &c : cases) {
        TLabelFormat f;
        SetLabelUnit(f, c.unit);
        f.Label_Width = c.w;
        f.Label_Height = c.h;
        EXPECT_DOUBLE_EQ(UnitPixelsX(f, c.dpi), c.unitX);
        EXPECT_DOUBLE_EQ(UnitPixelsY(f, c.dpi), c.unitY);
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

    // Millimetres from either unit, and back; each keeps the surface.
    for (const TLabelFormat &from : {inch, cm}) {
        const TLabelFormat mm = ConvertUnits(from, TLabelUnit::Millimetre);
        EXPECT_EQ(LabelUnit(mm), TLabelUnit::Millimetre);
        EXPECT_TRUE(mm.Metric);
        EXPECT_DOUBLE_EQ(mm.Label_Width, 101.6);
        EXPECT_DOUBLE_EQ(mm.Gap_Height, 3.175);
        EXPECT_EQ(SurfaceWidthPx(mm, 96), SurfaceWidthPx(inch, 96));
        EXPECT_EQ(SurfaceHeightPx(mm, 96), SurfaceHeightPx(inch, 96));
        const TLabelFormat again = ConvertUnits(mm, LabelUnit(from));
        EXPECT_EQ(LabelUnit(again), LabelUnit(from));
        EXPECT_DOUBLE_EQ(again.Label_Width, from.Label_Width);
        EXPECT_DOUBLE_EQ(again.Margin_Top, from.Margin_Top);
    }
}

TEST(LabelFormat, ScreenDpiFromOffscreenScreen)
{
    const TDpi dpi = ScreenLogicalDpi();
    EXPECT_GT(dpi.X, 1);
    EXPECT_GT(dpi.Y, 1);
}
