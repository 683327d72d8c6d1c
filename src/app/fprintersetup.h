#pragma once
// The printer set-up dialog: which printer, which paper, which way up. Jobs
// are started elsewhere (the print dialog), so there are no copies, page
// ranges or print button here.

#include <QDialog>
#include <QPageSize>

class QComboBox;
class QPushButton;
class QRadioButton;
class TQPrinterDevice;

class TFPrinterSetup : public QDialog {
    Q_OBJECT
public:
    explicit TFPrinterSetup(QWidget *parent = nullptr);

    // Shows the device's printer, paper and orientation; on OK they are
    // given to the device. True when confirmed.
    bool Execute(TQPrinterDevice &device);

    QComboBox *cbPrinter, *cbPaper;
    QRadioButton *rbPortrait, *rbLandscape;
    QPushButton *OkayBtn, *CancelBtn;

private:
    // The papers of the printer chosen in cbPrinter, keeping `keep` chosen
    // when that printer has it.
    void FillPapers(const QPageSize &keep);
    bool pdfOnly_ = false;
};
