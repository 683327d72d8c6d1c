#pragma once
// The six forms made at start-up, which live until the program ends.

#include <QStringList>

class TFMain;
class TFLabelSettings;
class TFAdvanced;
class TFPrintDlg;
class TFTextImport;
class TFPrintProgress;

struct TApplicationForms {
    TFMain *FMain = nullptr;
    TFLabelSettings *FLabelSettings = nullptr;
    TFAdvanced *FAdvanced = nullptr;
    TFPrintDlg *FPrintDlg = nullptr;
    TFTextImport *FTextImport = nullptr;
    TFPrintProgress *FPrintProgress = nullptr;
    // Class names in the order the forms were made.
    QStringList CreationOrder;
};

extern TApplicationForms Forms;

// The program's title, the caption of its plain messages. Window captions are
// each window's own ("Quorvane V1.00" for the main window).
inline const QString kApplicationTitle = QStringLiteral("Fenwold");

// Names the application and loads Qt's own Simplified-Chinese texts, so the
// standard dialogs (font, colour, file, printer) speak the program's language.
// Returns false when those texts are not installed (the dialogs stay English).
bool InitApplication();

// Main window first, then the label format dialog, the composed-text editor,
// the print dialog, the import wizard and the progress window; the main
// window owns the others. commandLineFile is opened at the first showing.
void CreateApplicationForms(const QString &commandLineFile = QString());
void DestroyApplicationForms();
