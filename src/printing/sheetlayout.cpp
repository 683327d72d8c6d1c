#include "printing/sheetlayout.h"

#include "model/labelformat.h"

#include <QCoreApplication>
#include <climits>
#include <cmath>

namespace {

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

double Unit(const TLabelFormat &f, double v)
{
    return v / UnitsPerInch(f);
}

int Scale(qint64 v, int printerDpi, int screenDpi)
{
    if (screenDpi <= 0)
        return 0;
    const qint64 r = v * printerDpi / screenDpi; // C++ division truncates toward zero
    return r > INT_MAX ? INT_MAX : (r < INT_MIN ? INT_MIN : static_cast<int>(r));
}

} // namespace

TSheetLayout::TSheetLayout(const TLabelFormat &format, const TPrinterMetrics &metrics, int screenDpiX, int screenDpiY)
    : format_(format), metrics_(metrics), screenDpiX_(screenDpiX), screenDpiY_(screenDpiY)
{
    const TLabelFormat &f = format_;
    const TPrinterMetrics &m = metrics_;
    LabelRows = CountLabels(LabelUnitsToPrinter(f.Margin_Top, m.DpiY, LabelUnit(f)),
                            LabelUnitsToPrinter(f.Label_Height, m.DpiY, LabelUnit(f)),
                            LabelUnitsToPrinter(f.Gap_Height, m.DpiY, LabelUnit(f)), m.PaperHeight);
    LabelColumns = CountLabels(LabelUnitsToPrinter(f.Margin_Left, m.DpiX, LabelUnit(f)),
                               LabelUnitsToPrinter(f.Label_Width, m.DpiX, LabelUnit(f)),
                               LabelUnitsToPrinter(f.Gap_Width, m.DpiX, LabelUnit(f)), m.PaperWidth);
    // A roll page holds one label, whatever paper the device has.
    if (f.Roll) {
        LabelRows = qMin(LabelRows, 1);
        LabelColumns = qMin(LabelColumns, 1);
    }
    if (f.MaxRows > 0)
        LabelRows = qMin(LabelRows, f.MaxRows);
    if (f.MaxColumns > 0)
        LabelColumns = qMin(LabelColumns, f.MaxColumns);
    // Labels of a pixel or two would fill the memory with positions no sheet has.
    LabelColumns = qMin(LabelColumns, kMaxPagePositions);
    if (LabelColumns > 0)
        LabelRows = qMin(LabelRows, kMaxPagePositions / LabelColumns);
    for (int r = 0; r < LabelRows; ++r)
        for (int c = 0; c < LabelColumns; ++c)
            positions_.append(QPoint(ColumnLeft(c), RowTop(r)));
    if (f.Roll)
        return;
    // Further grids, each limited to what the paper holds as the first is.
    auto along = [&f](double margin, double gap, double size, int i, int dpi, int offset) {
        return TruncPx(Unit(f, margin) * dpi) - offset + TruncPx(Unit(f, gap) * dpi * i) + TruncPx(Unit(f, size) * dpi * i);
    };
    for (const TLabelGrid &g : f.ExtraGrids) {
        const int rows = qMin(g.Rows, CountLabels(LabelUnitsToPrinter(g.Margin_Top, m.DpiY, LabelUnit(f)),
                                                  LabelUnitsToPrinter(f.Label_Height, m.DpiY, LabelUnit(f)),
                                                  LabelUnitsToPrinter(g.Gap_Height, m.DpiY, LabelUnit(f)), m.PaperHeight));
        const int columns = qMin(g.Columns, CountLabels(LabelUnitsToPrinter(g.Margin_Left, m.DpiX, LabelUnit(f)),
                                                        LabelUnitsToPrinter(f.Label_Width, m.DpiX, LabelUnit(f)),
                                                        LabelUnitsToPrinter(g.Gap_Width, m.DpiX, LabelUnit(f)), m.PaperWidth));
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns && positions_.size() < kMaxPagePositions; ++c)
                positions_.append(QPoint(along(g.Margin_Left, g.Gap_Width, f.Label_Width, c, m.DpiX, m.OffsetX),
                                         along(g.Margin_Top, g.Gap_Height, f.Label_Height, r, m.DpiY, m.OffsetY)));
    }
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

int TSheetLayout::ColumnLeft(int c) const
{
    const TLabelFormat &f = format_;
    const int dpi = metrics_.DpiX;
    return TruncPx(Unit(f, f.Margin_Left) * dpi) - metrics_.OffsetX + TruncPx(Unit(f, f.Gap_Width) * dpi * c)
           + TruncPx(Unit(f, f.Label_Width) * dpi * c);
}

int TSheetLayout::RowTop(int r) const
{
    const TLabelFormat &f = format_;
    const int dpi = metrics_.DpiY;
    return TruncPx(Unit(f, f.Margin_Top) * dpi) - metrics_.OffsetY + TruncPx(Unit(f, f.Gap_Height) * dpi * r)
           + TruncPx(Unit(f, f.Label_Height) * dpi * r);
}

int TSheetLayout::LabelWidthPx() const
{
    return LabelUnitsToPrinter(format_.Label_Width, metrics_.DpiX, LabelUnit(format_));
}

int TSheetLayout::LabelHeightPx() const
{
    return LabelUnitsToPrinter(format_.Label_Height, metrics_.DpiY, LabelUnit(format_));
}

int LabelUnitsToPrinter(double v, int dpi, TLabelUnit unit)
{
    return TruncPx(v / UnitsPerInch(unit) * dpi);
}

int TSheetLayout::DesignToPrinterX(int v) const
{
    return Scale(v, metrics_.DpiX, screenDpiX_);
}

int TSheetLayout::DesignToPrinterY(int v) const
{
    return Scale(v, metrics_.DpiY, screenDpiY_);
}

QSizeF TSheetLayout::RollPageSizeMm() const
{
    const TLabelFormat &f = format_;
    const double mm = 25.4 / UnitsPerInch(f);
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

TSheetShortfall SheetShortfall(const TSheetLayout &layout)
{
    const TLabelFormat &f = layout.Format();
    TSheetShortfall s;
    if (f.Roll)
        return s;
    s.HeldRows = layout.LabelRows;
    s.HeldColumns = layout.LabelColumns;
    s.Rows = qMax(f.MaxRows, s.HeldRows);
    s.Columns = qMax(f.MaxColumns, s.HeldColumns);
    return s;
}
