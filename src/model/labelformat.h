#pragma once
// Process-wide label geometry, display switches and screen measurements.
// Item geometry is held in whole screen pixels at ScreenDpiX x ScreenDpiY;
// the label format in inches or (when Metric) centimetres of exactly 0.4 in.

#include <QString>

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
};

extern TLabelFormat LabelFormat;
extern bool ShowGrids;     // grid drawn on the design surface
// The encoding of the label's text data files as the user chose it ("UTF-8",
// "GB18030", "UTF-16LE", "UTF-16BE"); empty: told from each file's bytes.
extern QString DataEncoding;
extern bool AutoSaveSeq;   // labels with counters are saved before being discarded
extern QString Path;       // program folder the file types were last registered for
extern QString DeclinedPath; // program folder for which binding the file types was declined

extern int ScreenDpiX;
extern int ScreenDpiY;

// Reads the primary screen's logical DPI (96 when there is no screen).
void InitScreenDpi();
// Tests and headless tools fix the resolution themselves.
void SetScreenDpi(int x, int y);

// Round half to even, the one rounding rule of the program.
int Round(double v);
// Truncation toward zero, saturated to the int range (NaN gives 0).
int Trunc(double v);

// Centimetres are exactly 0.4 inch.
constexpr double kCmPerInch = 2.5;

int UnitPixelsX();
int UnitPixelsY();
// Design surface size in screen pixels for the current format.
int SurfaceWidthPx();
int SurfaceHeightPx();
int SurfaceWidthPx(const TLabelFormat &f);
int SurfaceHeightPx(const TLabelFormat &f);

// Converts the six lengths between inches (metric false) and centimetres.
TLabelFormat ConvertUnits(const TLabelFormat &f, bool toMetric);

// Margins are measured from the paper's edge: a negative one puts the first
// row or column (and, counted from there, most of a job) off the paper. The
// margin at fault, top first; None when the labels start on the paper.
enum class TOffPageField { None, MarginTop, MarginLeft };
TOffPageField OffPageField(const TLabelFormat &f);
