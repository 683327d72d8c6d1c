#include "model/labelformat.h"

#include <QPainterPath>

#include <QGuiApplication>
#include <QScreen>

#include <cfenv>
#include <climits>
#include <cmath>

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

TDpi ScreenLogicalDpi()
{
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (!screen)
        return {};
    const int x = Round(screen->logicalDotsPerInchX());
    const int y = Round(screen->logicalDotsPerInchY());
    return {x > 0 ? x : kDefaultDesignDpi, y > 0 ? y : kDefaultDesignDpi};
}

TLabelUnit LabelUnit(const TLabelFormat &f)
{
    return f.Millimetres ? TLabelUnit::Millimetre : f.Metric ? TLabelUnit::Centimetre : TLabelUnit::Inch;
}

void SetLabelUnit(TLabelFormat &f, TLabelUnit unit)
{
    f.Metric = unit != TLabelUnit::Inch;
    f.Millimetres = unit == TLabelUnit::Millimetre;
}

double UnitsPerInch(TLabelUnit unit)
{
    switch (unit) {
    case TLabelUnit::Centimetre: return kCmPerInch;
    case TLabelUnit::Millimetre: return 25.4;
    case TLabelUnit::Inch: break;
    }
    return 1.0;
}

namespace {

double UnitPixels(const TLabelFormat &f, int dpi)
{
    switch (LabelUnit(f)) {
    case TLabelUnit::Centimetre: return Round(dpi / kCmPerInch);
    case TLabelUnit::Millimetre: return dpi / 25.4;
    case TLabelUnit::Inch: break;
    }
    return dpi;
}

} // namespace

double UnitPixelsX(const TLabelFormat &f, int dpiX)
{
    return UnitPixels(f, dpiX);
}

double UnitPixelsY(const TLabelFormat &f, int dpiY)
{
    return UnitPixels(f, dpiY);
}

int SurfaceWidthPx(const TLabelFormat &f, int dpiX)
{
    return Round(dpiX / UnitsPerInch(f) * f.Label_Width);
}

int SurfaceHeightPx(const TLabelFormat &f, int dpiY)
{
    return Round(dpiY / UnitsPerInch(f) * f.Label_Height);
}

TLabelFormat ConvertUnits(const TLabelFormat &f, TLabelUnit to)
{
    const double from = UnitsPerInch(f), into = UnitsPerInch(to);
    TLabelFormat r = f;
    SetLabelUnit(r, to);
    if (from == into)
        return r;
    // Through inches, dividing first, so that inches and centimetres convert
    // as they always have and a round trip is exact.
    auto convert = [from, into](double v) { return v / from * into; };
    for (double TLabelFormat::*field : {&TLabelFormat::Label_Width, &TLabelFormat::Label_Height,
                                        &TLabelFormat::Margin_Top, &TLabelFormat::Margin_Left,
                                        &TLabelFormat::Gap_Height, &TLabelFormat::Gap_Width,
                                        &TLabelFormat::CornerRadius})
        r.*field = convert(f.*field);
    for (TLabelGrid &g : r.ExtraGrids)
        for (double *v : {&g.Margin_Top, &g.Margin_Left, &g.Gap_Height, &g.Gap_Width})
            *v = convert(*v);
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

bool HasDieCutShape(const TLabelFormat &f)
{
    return f.Shape == TLabelShape::Round || f.Shape == TLabelShape::Ellipse ||
           (f.Shape == TLabelShape::RoundedRectangle && f.CornerRadius > 0);
}

QPainterPath LabelShapePath(const TLabelFormat &f, const QRectF &box)
{
    QPainterPath path;
    if (!HasDieCutShape(f) || box.isEmpty())
        return path;
    if (f.Shape == TLabelShape::RoundedRectangle) {
        // The radius scales with the box; no more than half a side.
        const double rx = qMin(f.CornerRadius * box.width() / qMax(1e-9, f.Label_Width), box.width() / 2);
        const double ry = qMin(f.CornerRadius * box.height() / qMax(1e-9, f.Label_Height), box.height() / 2);
        path.addRoundedRect(box, rx, ry);
    } else {
        path.addEllipse(box);
    }
    return path;
}
