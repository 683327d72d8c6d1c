#pragma once
// The label format dialog: label size, margins, gaps and unit, with the
// labels per sheet and the printer's unprintable strips shown while typing.

#include "model/labelformat.h"
#include "printing/sheetlayout.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TLeaveWatcher;
struct TStockSheet;

class TFLabelSettings : public QDialog {
    Q_OBJECT
public:
    explicit TFLabelSettings(QWidget *parent = nullptr);

    // Shows the dialog for format; on OK stores the fields into it and
    // returns true. Cancel leaves format untouched.
    bool Execute(TLabelFormat &format);

    // Shows the platform's printer set-up dialog; true when confirmed. Set by
    // the owner of the printer.
    std::function<bool(QWidget *parent)> PrinterSetup;
    // Reads the selected printer's measurements; false when there is none
    // (the last ones read are then shown). Set by the owner of the printer.
    std::function<bool(TPrinterMetrics &)> PrinterMetrics;

    QRadioButton *rbInches, *rbCentimetres;
    QLineEdit *eMarginTop, *eMarginLeft, *eLabelHeight, *eLabelWidth, *eGapHeight, *eGapWidth;
    QLabel *lRows, *lColumns, *LnpTop, *LnpBottom, *LnpLeft, *LnpRight;
    QPushButton *btnOk, *btnCancel, *btnPrinterSetup;
    // The stock chooser and the sheet last taken from it.
    QPushButton *btnStock;
    QLabel *lStock;
    // Roll labels (one a page) and the selected printer's calibration.
    QCheckBox *cbRoll;
    // The die cut: 矩形, 圆角矩形 (with eRadius), 圆形, 椭圆 (TLabelShape's order).
    QComboBox *cbShape;
    QLineEdit *eRadius;
    QPushButton *btnCalibration;
    // Opens the calibration dialog on the selected printer. Set by the owner
    // of the printer.
    std::function<void(QWidget *parent)> Calibrate;

    // Leave rules: margins and gaps, height, width.
    void MarginOrGapExit(QLineEdit *field);
    void HeightExit();
    void WidthExit();
    void PrinterSetupClick();
    // Recomputes the labels per sheet and the strips from the fields.
    void Refresh();
    // Opens the stock chooser; a sheet chosen there fills the fields.
    void StockClick();
    // Fills the size, margins, gaps and unit from a maker's sheet; they stay
    // editable and are stored only by OK.
    void ApplyStock(const TStockSheet &sheet);

private:
    void LoadFields(const TLabelFormat &f);
    void SwitchUnit(TLabelUnit to);
    // The six lengths as typed, into f (in the unit shown).
    void ReadLengths(TLabelFormat &f) const;
    void ShowLengths(const TLabelFormat &f);
    void CheckSize(QLineEdit *field, const QString &inchMessage, const QString &cmMessage, const QString &mmMessage);
    void OkClick();

    TLeaveWatcher *leave_;
    // The printer as last read; unknown (all 0) until one is.
    TPrinterMetrics metrics_{0, 0};
    TLabelFormat *target_ = nullptr;
    bool loading_ = false;
    // The grid limits of the format (a maker's sheet); cleared when a length
    // is typed, since the sheet then no longer describes the format.
    int maxColumns_ = 0, maxRows_ = 0;
    // The sheet's grids after the first: not edited here, kept through every
    // other change (converted with the unit) and said in lGrids.
    QList<TLabelGrid> extraGrids_;
    QLabel *lGrids = nullptr;
    void ShowGrids();

public:
    QRadioButton *rbMillimetres = nullptr;
    TLabelUnit CurrentUnit() const;

private:
    // The unit the fields are in, which a click on another converts from.
    TLabelUnit shownUnit_ = TLabelUnit::Inch;
};

// "#0.0####"
QString FormatLabelUnits(double v);
