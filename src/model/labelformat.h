#pragma once
// Label geometry and design resolution. Item geometry is held in whole design
// pixels at the container's ScreenDpiX x ScreenDpiY; the label format in
// inches or (when Metric) centimetres of exactly 0.4 in.

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
};

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

// Design pixels a unit of the format at the design resolution.
int UnitPixelsX(const TLabelFormat &f, int dpiX);
int UnitPixelsY(const TLabelFormat &f, int dpiY);
// Design surface size in design pixels for the format.
int SurfaceWidthPx(const TLabelFormat &f, int dpiX);
int SurfaceHeightPx(const TLabelFormat &f, int dpiY);

// Converts the six lengths between inches (metric false) and centimetres.
TLabelFormat ConvertUnits(const TLabelFormat &f, bool toMetric);

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
