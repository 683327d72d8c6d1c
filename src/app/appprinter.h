#pragma once
// The program's selected printer: the one the sheet layout is measured on,
// the one the set-up dialog changes and the one every print job prints on.

#include <QString>
#include <memory>

class QWidget;
class TPrinterDevice;
class TQPrinterDevice;

class TAppPrinter {
public:
    TAppPrinter();
    ~TAppPrinter();

    // The printer set-up dialog (printer, paper, orientation) on the selected
    // printer; true when confirmed (the sheet layout must then be recomputed).
    bool Setup(QWidget *parent);
    // A new device for one job on the selected printer with its page set-up.
    // Without an installed printer the job goes to a PDF file the user names;
    // nullptr when that is cancelled.
    std::unique_ptr<TPrinterDevice> NewDevice(QWidget *parent);

    TQPrinterDevice &Selected() { return *selected_; }

private:
    std::unique_ptr<TQPrinterDevice> selected_;
};
