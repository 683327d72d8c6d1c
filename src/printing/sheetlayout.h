#pragma once
// How labels lie on a printer page: the printer's measurements (device
// pixels) and the label grid made from them and the label format.

#include "model/labelformat.h"

#include <QList>
#include <QPoint>
#include <QSizeF>
#include <QString>

struct TPrinterMetrics {
    int DpiX = 600, DpiY = 600;
    int PaperWidth = 0, PaperHeight = 0;       // whole sheet
    int OffsetX = 0, OffsetY = 0;              // unprintable strips left/top
    int RightMargin = 0, BottomMargin = 0;     // unprintable strips right/bottom
};

// Whole labels of length size, gap apart, between start and extent. Ends for
// every input: a size <= 0, or a gap that makes a step <= 0, gives 0.
int CountLabels(int start, int size, int gap, int extent);
// A length in label units to printer pixels (truncated).
int LabelUnitsToPrinter(double v, int dpi, TLabelUnit unit);

// Printer and design resolutions: what item geometry is scaled by.
struct TPrintResolution {
    int PrinterDpiX = 600, PrinterDpiY = 600;
    int ScreenDpiX = kDefaultDesignDpi, ScreenDpiY = kDefaultDesignDpi;
};

// Labels a page holds at most, far more than any sheet carries.
constexpr int kMaxPagePositions = 100000;

// The label grid of one job: the label format on one printer's page, with
// item geometry at the design resolution. A value: each job makes its own.
class TSheetLayout {
public:
    TSheetLayout() = default;
    TSheetLayout(const TLabelFormat &format, const TPrinterMetrics &metrics, int screenDpiX, int screenDpiY);

    const TLabelFormat &Format() const { return format_; }
    const TPrinterMetrics &Metrics() const { return metrics_; }
    int PrinterDpiX() const { return metrics_.DpiX; }
    int PrinterDpiY() const { return metrics_.DpiY; }
    int ScreenDpiX() const { return screenDpiX_; }
    int ScreenDpiY() const { return screenDpiY_; }
    TPrintResolution Resolution() const { return {metrics_.DpiX, metrics_.DpiY, screenDpiX_, screenDpiY_}; }

    int LabelRows = 0, LabelColumns = 0;

    int ColumnLeft(int c) const;
    int RowTop(int r) const;
    int LabelWidthPx() const;
    int LabelHeightPx() const;
    // Design pixels to printer pixels, truncated toward zero, exact.
    int DesignToPrinterX(int v) const;
    int DesignToPrinterY(int v) const;
    // Roll labels: the page of one label, the label with its margins all
    // round, in millimetres (a job's format has none when the job made a
    // sheet label a roll: JobFormat).
    QSizeF RollPageSizeMm() const;

    // Every label position of a page in the order labels fill it: the first
    // grid row by row, then each further grid of the format likewise. Corners
    // in device pixels of the printable area, as ColumnLeft and RowTop.
    const QList<QPoint> &Positions() const { return positions_; }
    int PositionCount() const { return int(positions_.size()); }

private:
    QList<QPoint> positions_;
    TLabelFormat format_;
    TPrinterMetrics metrics_;
    int screenDpiX_ = kDefaultDesignDpi, screenDpiY_ = kDefaultDesignDpi;
};

// Why the format cannot be printed as it stands: a margin that puts labels
// off the paper (OffPageField), named with its value; empty when it can.
QString OffPageMessage(const TLabelFormat &f);

// What the paper cannot hold of the grid the format names (MaxRows,
// MaxColumns, as a maker's sheet sets them): the counts asked for and held.
// A format that names no count takes what the paper holds and loses nothing;
// so does a roll page, one label by definition.
struct TSheetShortfall {
    int Rows = 0, HeldRows = 0;       // Rows > HeldRows: rows HeldRows+1..Rows are lost
    int Columns = 0, HeldColumns = 0; // likewise for columns
    bool LosesRows() const { return Rows > HeldRows; }
    bool LosesColumns() const { return Columns > HeldColumns; }
    bool Any() const { return LosesRows() || LosesColumns(); }
};
TSheetShortfall SheetShortfall(const TSheetLayout &layout);
