// The main window's commands that open other windows: print, printer and
// label set-up, help and about; and the print forms it keeps.

#include "app/fmain.h"

#include "app/appprinter.h"
#include "app/dialogkit.h"
#include "app/fabout.h"
#include "app/fadvanced.h"
#include "app/fcalibration.h"
#include "app/flabelsettings.h"
#include "app/fprintdlg.h"
#include "app/fprintprogress.h"
#include "app/ftextimport.h"
#include "app/rulers.h"
#include "canvas/canvaslabel.h"
#include "data/sourcechoice.h"
#include "model/labelundo.h"
#include "app/messages.h"
#include "printing/qprinter_device.h"
#include "printing/sheetlayout.h"
#include "storage/document.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QToolBar>
#include <QUrl>

void TFMain::Print1Click()
{
    EnsureForms();
    CentreOnMain(FPrintDlg);
    TCounterEdit counters(Document->UndoTarget());
    const bool printed = FPrintDlg->Execute(*Surface);
    // The job may have advanced counters that the panel shows.
    SurfaceSelectItem(Surface->SelectedItem);
    if (!printed)
        return;
    // Printing advanced the counters: the label has changed.
    if (HasSequenceField(Surface->Items)) {
        for (TLabelControl *item : Surface->Items)
            item->MarkChanged(true);
        counters.Commit(UndoStack(), tr("打印计数"));
    }
}

void TFMain::PrintPreview1Click()
{
    EnsureForms();
    const bool printed = FPrintDlg->Preview(*Surface);
    SurfaceSelectItem(Surface->SelectedItem);
    // Only printing advances counters; the preview works on copies.
    if (printed && HasSequenceField(Surface->Items)) {
        for (TLabelControl *item : Surface->Items)
            item->MarkChanged(true);
        EnableSave();
    }
}

namespace {
// A data file's header names (an SQLite file's too). Other databases are
// left out: a server may be slow, or ask for a password, each time the
// editor opens.
QStringList fileColumnNames(const TSourceChoice &choice)
{
    if (!HasDataSource(choice) ||
        (IsDatabaseUrl(choice.Name) && !choice.Name.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive)))
        return {};
    QString error;
    return SourceColumnNames(choice, &error);
}
} // namespace

TFAdvanced *TFMain::AdvancedEditor()
{
    EnsureForms();
    FAdvanced->SetColumnNames(fileColumnNames(FPrintDlg->Choices().DataSource()));
    return FAdvanced;
}

void TFMain::AttachForms(TFLabelSettings *labelSettings, TFAdvanced *advanced, TFPrintDlg *printDlg,
                         TFTextImport *textImport, TFPrintProgress *printProgress)
{
    FLabelSettings = labelSettings;
    FAdvanced = advanced;
    FPrintDlg = printDlg;
    FTextImport = textImport;
    FPrintProgress = printProgress;
    FLabelSettings->PrinterSetup = [this](QWidget *parent) { return Printer->Setup(parent); };
    const auto printerMetrics = [this](TPrinterMetrics &m) { return Printer->Selected().Metrics(m); };
    FLabelSettings->PrinterMetrics = printerMetrics;
    FPrintDlg->PrinterMetrics = printerMetrics;
    FPrintDlg->SetForms(FTextImport, FPrintProgress);
    FPrintDlg->PrinterSetup = [this](QWidget *parent) { return Printer->Setup(parent); };
    FPrintDlg->DeviceFactory = [this] { return Printer->NewDevice(FPrintDlg); };
    FPrintDlg->LabelFileName = [this] { return Document->CurrentLabelFile; };
    // Calibration belongs to a printer; a PDF file has none.
    const auto printerName = [this] {
        return Printer->Selected().IsPdfFallback() ? QString() : Printer->Selected().Name();
    };
    const auto calibrate = [this, printerName](QWidget *parent) {
        TFCalibration dlg(parent);
        // Calibrated on the page the roll labels printed from here take.
        TPrintChoices choices;
        choices.Roll = parent == FPrintDlg && FPrintDlg->chkRoll->isChecked();
        const TLabelFormat format = JobFormat(Surface->LabelFormat, choices);
        if (format.Roll)
            dlg.RollPageMm = TSheetLayout(format, {}, Surface->ScreenDpiX, Surface->ScreenDpiY).RollPageSizeMm();
        dlg.Execute(printerName());
    };
    FPrintDlg->PrinterName = printerName;
    FPrintDlg->JobCalibration = [printerName] { return LoadCalibration(printerName()); };
    FPrintDlg->Calibrate = calibrate;
    FLabelSettings->Calibrate = calibrate;
    FPrintDlg->OnDataEncodingChanged = [this] { Document->SetLabelModified(true); };
    FPrintDlg->OnJobRunning = [this](bool running) {
        // The job reads the items between pages; nothing may change them.
        centralWidget()->setEnabled(!running);
        menuBar()->setEnabled(!running);
        for (QToolBar *bar : findChildren<QToolBar *>(Qt::FindDirectChildrenOnly))
            bar->setEnabled(!running);
    };
}

void TFMain::EnsureForms()
{
    if (FLabelSettings && FAdvanced && FPrintDlg && FTextImport && FPrintProgress)
        return;
    auto *labelSettings = FLabelSettings ? FLabelSettings : new TFLabelSettings(this);
    auto *advanced = FAdvanced ? FAdvanced : new TFAdvanced(this);
    auto *printDlg = FPrintDlg ? FPrintDlg : new TFPrintDlg(this, nullptr, nullptr);
    auto *textImport = FTextImport ? FTextImport : new TFTextImport(this);
    auto *printProgress = FPrintProgress ? FPrintProgress : new TFPrintProgress(this);
    AttachForms(labelSettings, advanced, printDlg, textImport, printProgress);
}

void TFMain::PrintSetup1Click()
{
    Printer->Setup(this);
}

void TFMain::LabelOptions1Click()
{
    EnsureForms();
    CentreOnMain(FLabelSettings);
    TLabelFormatEdit edit(Document->UndoTarget());
    if (!FLabelSettings->Execute(Surface->LabelFormat))
        return;
    SizeSurfaceFromFormat();
    pbHRuler->update();
    pbVRuler->update();
    Surface->FitItems();
    Surface->update();
    edit.Commit(UndoStack(), tr("自定义标签设置"));
    Document->SetTemplateModified(true);
}

// ---------------------------------------------------------------- help

QString TFMain::HelpFile()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        dir.filePath(QStringLiteral("Help.html")),
        dir.filePath(QStringLiteral("../share/quorvane/Help.html")),
        dir.filePath(QStringLiteral("../resources/Help.html")),
        dir.filePath(QStringLiteral("../../resources/Help.html")),
    };
    for (const QString &c : candidates) {
        const QFileInfo fi(c);
        if (fi.isFile())
            return fi.canonicalFilePath();
    }
    return {};
}

void TFMain::WebHelp1Click()
{
    const QString file = HelpFile();
    if (file.isEmpty()) {
        ShowMessage(tr("The help file Help.html was not found next to the program."));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const bool ok = QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    QGuiApplication::restoreOverrideCursor();
    if (!ok)
        ShowMessage(tr("Unable to open the help file ") + file);
}

void TFMain::About1Click()
{
    TFAbout about(this);
    CentreOnMain(&about);
    about.exec();
}

