#pragma once
// The printer calibration dialog: per printer, where it prints (offset in
// millimetres) and how large (scale in percent), measured on the calibration
// page it prints.

#include "storage/settings.h"

#include <QDialog>
#include <QSizeF>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

class TFCalibration : public QDialog {
    Q_OBJECT
public:
    explicit TFCalibration(QWidget *parent = nullptr);

    // Shows the dialog on `printer` (the list holds every installed printer);
    // OK stores the shown printer's values. True when stored.
    bool Execute(const QString &printer);

    // Prints the calibration page on the printer; an empty text when it was
    // printed, else why not. Replaceable for tests.
    std::function<QString(const QString &printer)> PrintPage;
    // The roll page of the label being printed (millimetres): the page is
    // printed that size. Invalid: the queue's media when a label printer's,
    // else its paper.
    QSizeF RollPageMm;

    QComboBox *cbPrinter;
    QDoubleSpinBox *eOffsetX, *eOffsetY, *eScaleX, *eScaleY;
    QLabel *lHint;
    QPushButton *btnPrintPage, *btnReset, *btnOk, *btnCancel;

    TCalibration Values() const;
    void ShowValues(const TCalibration &c);

private:
    void PrinterChanged();
    void PrintPageClick();
    void OkClick();
};
