#include "printing/sheetlayout.h"

#include "model/labelformat.h"

#include <QCoreApplication>
#include <climits>
#include <cmath>

int PrinterDpiX = 0, PrinterDpiY = 0, PaperWidth = 0, PaperHeight = 0, OffsetX = 0, OffsetY = 0,
    RightMargin = 0, BottomMargin = 0;
int LabelRows = 0, LabelColumns = 0;

namespace {

TPrinterMetricsSource &metricsSource()
{
    static TPrinterMetricsSource source;
    return source;
}

// Truncation of a product of a decimal label value and a resolution. The
// values come from text such as "0.29"; binary fractions put their products a
// hair below the whole number they stand for (0.29 x 100 = 28.999...), so a
// margin far below one pixel is allowed before cutting.
int TruncPx(double v)
{
    if (std::isnan(v))
        return 0;
    return Trunc(v + (v >= 0 ? 1e-7 : -1e-7));
}

double Unit(double v)
{
    return LabelFormat.Metric ? v / kCmPerInch : v;
}

int Scale(qint64 v, int printerDpi, int screenDpi)
{
    if (screenDpi <= 0)
        return 0;
    const qint64 r = v * printerDpi / screenDpi; // C++ division truncates toward zero
    return r > INT_MAX ? INT_MAX : (r < INT_MIN ? INT_MIN : static_cast<int>(r));
}

void RecomputeGrid()
{
    const TLabelFormat &f = LabelFormat;
    LabelRows = CountLabels(LabelUnitsToPrinter(f.Margin_Top, PrinterDpiY, f.Metric),
                            LabelUnitsToPrinter(f.Label_Height, PrinterDpiY, f.Metric),
                            LabelUnitsToPrinter(f.Gap_Height, PrinterDpiY, f.Metric), PaperHeight);
    LabelColumns = CountLabels(LabelUnitsToPrinter(f.Margin_Left, PrinterDpiX, f.Metric),
                               LabelUnitsToPrinter(f.Label_Width, PrinterDpiX, f.Metric),
                               LabelUnitsToPrinter(f.Gap_Width, PrinterDpiX, f.Metric), PaperWidth);
    // A roll page holds one label, whatever paper the device has.
    if (f.Roll) {
        LabelRows = qMin(LabelRows, 1);
        LabelColumns = qMin(LabelColumns, 1);
    }
    if (f.MaxRows > 0)
        LabelRows = qMin(LabelRows, f.MaxRows);
    if (f.MaxColumns > 0)
        LabelColumns = qMin(LabelColumns, f.MaxColumns);
}

} // namespace

void SetPrinterMetricsSource(TPrinterMetricsSource source)
{
    metricsSource() = std::move(source);
}

void ApplyPrinterMetrics(const TPrinterMetrics &m)
{
    PrinterDpiX = m.DpiX;
    PrinterDpiY = m.DpiY;
    PaperWidth = m.PaperWidth;
    PaperHeight = m.PaperHeight;
    OffsetX = m.OffsetX;
    OffsetY = m.OffsetY;
    RightMargin = m.RightMargin;
    BottomMargin = m.BottomMargin;
    RecomputeGrid();
}

TPrinterMetrics CurrentPrinterMetrics()
{
    TPrinterMetrics m;
    m.DpiX = PrinterDpiX;
    m.DpiY = PrinterDpiY;
    m.PaperWidth = PaperWidth;
    m.PaperHeight = PaperHeight;
    m.OffsetX = OffsetX;
    m.OffsetY = OffsetY;
    m.RightMargin = RightMargin;
    m.BottomMargin = BottomMargin;
    return m;
}

bool ComputeSheetLayout()
{
    if (metricsSource()) {
        TPrinterMetrics m;
        if (!metricsSource()(m))
            return false;
        ApplyPrinterMetrics(m);
        return true;
    }
    RecomputeGrid();
    return true;
}

int CountLabels(int start, int size, int gap, int extent)
{
    if (extent <= start || size <= 0)
        return 0;
    // The first label needs size, each further one gap + size; a step that
    // does not move forward would never reach the extent.
    const qint64 room = qint64(extent) - start;
    if (room < size)
        return 0;
    const qint64 step = qint64(gap) + size;
    if (step <= 0)
        return 0;
    const qint64 n = 1 + (room - size) / step;
    return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

int ColumnLeft(int c)
{
    const TLabelFormat &f = LabelFormat;
    return TruncPx(Unit(f.Margin_Left) * PrinterDpiX) - OffsetX + TruncPx(Unit(f.Gap_Width) * PrinterDpiX * c)
           + TruncPx(Unit(f.Label_Width) * PrinterDpiX * c);
}

int RowTop(int r)
{
    const TLabelFormat &f = LabelFormat;
    return TruncPx(Unit(f.Margin_Top) * PrinterDpiY) - OffsetY + TruncPx(Unit(f.Gap_Height) * PrinterDpiY * r)
           + TruncPx(Unit(f.Label_Height) * PrinterDpiY * r);
}

int LabelWidthPx()
{
    return LabelUnitsToPrinter(LabelFormat.Label_Width, PrinterDpiX, LabelFormat.Metric);
}

int LabelHeightPx()
{
    return LabelUnitsToPrinter(LabelFormat.Label_Height, PrinterDpiY, LabelFormat.Metric);
}

int LabelUnitsToPrinter(double v, int dpi, bool metric)
{
    return TruncPx((metric ? v / kCmPerInch : v) * dpi);
}

int DesignToPrinterX(int v)
{
    return Scale(v, PrinterDpiX, ScreenDpiX);
}

int DesignToPrinterY(int v)
{
    return Scale(v, PrinterDpiY, ScreenDpiY);
}

QSizeF RollPageSizeMm()
{
    const TLabelFormat &f = LabelFormat;
    const double mm = 25.4 / (f.Metric ? kCmPerInch : 1.0);
    return QSizeF((f.Label_Width + 2 * qMax(0.0, f.Margin_Left)) * mm,
                  (f.Label_Height + 2 * qMax(0.0, f.Margin_Top)) * mm);
}

QString OffPageMessage(const TLabelFormat &f)
{
    switch (OffPageField(f)) {
    case TOffPageField::MarginTop:
        return QCoreApplication::translate("Printing", "The top margin is %1: a negative margin places labels outside the page.")
            .arg(f.Margin_Top);
    case TOffPageField::MarginLeft:
        return QCoreApplication::translate("Printing", "The left margin is %1: a negative margin places labels outside the page.")
            .arg(f.Margin_Left);
    case TOffPageField::None:
        break;
    }
    return {};
}
