#pragma once
// Label geometry and design resolution. Item geometry is held in whole design
// pixels at the container's ScreenDpiX x ScreenDpiY; the label format in
// inches, (when Metric) centimetres of exactly 0.4 in, or (when Millimetres,
// which goes with Metric) true millimetres.

#include <QList>
#include <QRectF>
#include <QString>

class QPainterPath;

// A further grid of a sheet that carries labels of one size in more than one
// arrangement: measured like the first grid (margins from the paper's edge,
// gaps between labels, in the format's unit), with its own counts.
struct TLabelGrid {
    double Margin_Top = 0, Margin_Left = 0;
    double Gap_Height = 0, Gap_Width = 0;
    int Columns = 1, Rows = 1;
};

// The die-cut outline of each label. Round is an ellipse whose box is square
// (the format dialog keeps its sides equal); both print in the label's box.
enum class TLabelShape { Rectangle, RoundedRectangle, Round, Ellipse };

struct TLabelFormat {
    double Label_Width = 2.5;
    double Label_Height = 1.5;
    double Margin_Top = 0.25;
    double Margin_Left = 0.25;
    double Gap_Height = 0.0;
    double Gap_Width = 0.0;
    bool Metric = false;
    // One label a page (roll printers): the page is the label with its
    // margins all round; the gaps do not apply.
    bool Roll = false;
    // Labels across and down a page at most (a maker's sheet whose paper has
    // room for more than it carries); 0 = as many as the paper holds.
    int MaxColumns = 0;
    int MaxRows = 0;
    // The grids after the first, printed in this order after it; empty for
    // a sheet of one grid.
    QList<TLabelGrid> ExtraGrids;
    TLabelShape Shape = TLabelShape::Rectangle;
    // The corners of a rounded rectangle, in the format's unit.
    double CornerRadius = 0.0;
    // True millimetres, 25.4 an inch; Metric is set with it, so that a reader
    // that knows only Metric at least takes the figures as metric.
    bool Millimetres = false;
};

enum class TLabelUnit { Inch, Centimetre, Millimetre };

TLabelUnit LabelUnit(const TLabelFormat &f);
// Sets Metric and Millimetres for the unit; the figures are left as they are.
void SetLabelUnit(TLabelFormat &f, TLabelUnit unit);
// The one measure of a unit: how many make an inch.
double UnitsPerInch(TLabelUnit unit);
inline double UnitsPerInch(const TLabelFormat &f) { return UnitsPerInch(LabelUnit(f)); }

// The design resolution of a label nobody chose one for (headless tools,
// detached items).
constexpr int kDefaultDesignDpi = 96;

struct TDpi {
    int X = kDefaultDesignDpi;
    int Y = kDefaultDesignDpi;
};

// The primary screen's logical DPI (96 when there is no screen).
TDpi ScreenLogicalDpi();

// Round half to even, the one rounding rule of the program.
int Round(double v);
// Truncation toward zero, saturated to the int range (NaN gives 0).
int Trunc(double v);

// Centimetres are exactly 0.4 inch.
constexpr double kCmPerInch = 2.5;

// Design pixels a unit of the format at the design resolution: whole for an
// inch and for the format's centimetre (38 at 96 per inch, as the rulers have
// always shown it), exact for a millimetre.
double UnitPixelsX(const TLabelFormat &f, int dpiX);
double UnitPixelsY(const TLabelFormat &f, int dpiY);
// Design surface size in design pixels for the format.
int SurfaceWidthPx(const TLabelFormat &f, int dpiX);
int SurfaceHeightPx(const TLabelFormat &f, int dpiY);

// Converts the lengths to another unit.
TLabelFormat ConvertUnits(const TLabelFormat &f, TLabelUnit to);
// Between inches (metric false) and the format's centimetres.
inline TLabelFormat ConvertUnits(const TLabelFormat &f, bool toMetric)
{
    return ConvertUnits(f, toMetric ? TLabelUnit::Centimetre : TLabelUnit::Inch);
}

// Margins are measured from the paper's edge: a negative one puts the first
// row or column (and, counted from there, most of a job) off the paper. The
// margin at fault, top first; None when the labels start on the paper.
enum class TOffPageField { None, MarginTop, MarginLeft };
TOffPageField OffPageField(const TLabelFormat &f);

// True when the label is cut to something other than its box: what is printed
// on it is clipped to LabelShapePath.
bool HasDieCutShape(const TLabelFormat &f);
// The label's die-cut outline drawn in box (the label's rectangle in any
// units); an empty path for a plain rectangle.
QPainterPath LabelShapePath(const TLabelFormat &f, const QRectF &box);
