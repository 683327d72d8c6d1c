#pragma once
// How labels lie on a printer page: the printer's measurements (device
// pixels) and the label grid, recomputed from the label format.

#include <QSizeF>
#include <QString>
#include <functional>

struct TLabelFormat;

struct TPrinterMetrics {
    int DpiX = 600, DpiY = 600;
    int PaperWidth = 0, PaperHeight = 0;       // whole sheet
    int OffsetX = 0, OffsetY = 0;              // unprintable strips left/top
    int RightMargin = 0, BottomMargin = 0;     // unprintable strips right/bottom
};

extern int PrinterDpiX, PrinterDpiY, PaperWidth, PaperHeight, OffsetX, OffsetY, RightMargin, BottomMargin;
extern int LabelRows, LabelColumns;

// Where ComputeSheetLayout reads the selected printer from. Returns false
// when there is no printer; the values then keep their previous contents.
using TPrinterMetricsSource = std::function<bool(TPrinterMetrics &)>;
void SetPrinterMetricsSource(TPrinterMetricsSource source);
// Stores the measurements and recomputes LabelRows and LabelColumns.
void ApplyPrinterMetrics(const TPrinterMetrics &m);
// The measurements currently held.
TPrinterMetrics CurrentPrinterMetrics();

// Reads the source (when one is set) and recomputes the grid from the
// current label format. False when the source has no printer.
bool ComputeSheetLayout();
// Whole labels of length size, gap apart, between start and extent. Ends for
// every input: a size <= 0, or a gap that makes a step <= 0, gives 0.
int CountLabels(int start, int size, int gap, int extent);
int ColumnLeft(int c);
int RowTop(int r);
int LabelWidthPx();
int LabelHeightPx();
// A length in label units to printer pixels (truncated; metric divides by 2.5).
int LabelUnitsToPrinter(double v, int dpi, bool metric);
// Design (screen) pixels to printer pixels, truncated toward zero, exact.
int DesignToPrinterX(int v);
int DesignToPrinterY(int v);

// Why the format cannot be printed as it stands: a margin that puts labels
// off the paper (OffPageField), named with its value; empty when it can.
QString OffPageMessage(const TLabelFormat &f);

// Roll labels: the page of one label, the label with its margins all round,
// in millimetres.
QSizeF RollPageSizeMm();
