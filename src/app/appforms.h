#pragma once
// The six forms made at start-up, which live until the program ends.

#include <QString>
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
// each window's own ("未命名 — Quorvane" for the main window without a file).
inline const QString kApplicationTitle = QStringLiteral("Quorvane");

// Names the application (name, version, maker).
void NameApplication();
// Names the application and installs the translations of language (empty:
// the one chosen in the settings, Chinese by default; see language.h).
// Returns false when they could not be loaded (the texts stay as written).
bool InitApplication(const QString &language = QString());

// Main window first, then the label format dialog, the composed-text editor,
// the print dialog, the import wizard and the progress window; the main
// window owns the others. commandLineFile is opened at the first showing.
void CreateApplicationForms(const QString &commandLineFile = QString());
void DestroyApplicationForms();
