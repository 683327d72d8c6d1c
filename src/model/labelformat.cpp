#include "model/labelformat.h"

#include <QGuiApplication>
#include <QScreen>

#include <cfenv>
#include <climits>
#include <cmath>

TLabelFormat LabelFormat;
bool ShowGrids = true;
QString DataEncoding;
bool AutoSaveSeq = true;
QString Path;
QString DeclinedPath;

int ScreenDpiX = 96;
int ScreenDpiY = 96;

namespace {
// Saturates an already integral double into the int range.
int SaturateToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}
} // namespace

int Round(double v)
{
    // Ties go to the even neighbour whatever mode another library left behind.
    const int saved = std::fegetround();
    if (saved != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    if (saved != FE_TONEAREST)
        std::fesetround(saved);
    return SaturateToInt(r);
}

int Trunc(double v)
{
    return SaturateToInt(std::trunc(v));
}

void InitScreenDpi()
{
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (!screen) {
        SetScreenDpi(96, 96);
        return;
    }
    const int x = Round(screen->logicalDotsPerInchX());
    const int y = Round(screen->logicalDotsPerInchY());
    SetScreenDpi(x > 0 ? x : 96, y > 0 ? y : 96);
}

void SetScreenDpi(int x, int y)
{
    ScreenDpiX = x;
    ScreenDpiY = y;
}

int UnitPixelsX()
{
    return LabelFormat.Metric ? Round(ScreenDpiX / kCmPerInch) : ScreenDpiX;
}

int UnitPixelsY()
{
    return LabelFormat.Metric ? Round(ScreenDpiY / kCmPerInch) : ScreenDpiY;
}

int SurfaceWidthPx(const TLabelFormat &f)
{
    const double perUnit = f.Metric ? ScreenDpiX / kCmPerInch : ScreenDpiX;
    return Round(perUnit * f.Label_Width);
}

int SurfaceHeightPx(const TLabelFormat &f)
{
    const double perUnit = f.Metric ? ScreenDpiY / kCmPerInch : ScreenDpiY;
    return Round(perUnit * f.Label_Height);
}

int SurfaceWidthPx() { return SurfaceWidthPx(LabelFormat); }
int SurfaceHeightPx() { return SurfaceHeightPx(LabelFormat); }

TLabelFormat ConvertUnits(const TLabelFormat &f, bool toMetric)
{
    if (f.Metric == toMetric)
        return f;
    TLabelFormat r = f;
    for (double TLabelFormat::*field : {&TLabelFormat::Label_Width, &TLabelFormat::Label_Height,
                                        &TLabelFormat::Margin_Top, &TLabelFormat::Margin_Left,
                                        &TLabelFormat::Gap_Height, &TLabelFormat::Gap_Width}) {
        // Division, not multiplication by 0.4, so that a round trip is exact.
        r.*field = toMetric ? f.*field * kCmPerInch : f.*field / kCmPerInch;
    }
    r.Metric = toMetric;
    return r;
}

TOffPageField OffPageField(const TLabelFormat &f)
{
    if (f.Margin_Top < 0)
        return TOffPageField::MarginTop;
    if (f.Margin_Left < 0)
        return TOffPageField::MarginLeft;
    return TOffPageField::None;
}
