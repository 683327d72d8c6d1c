#include "app/appforms.h"

#include "app/fadvanced.h"
#include "app/flabelsettings.h"
#include "app/fmain.h"
#include "app/fprintdlg.h"
#include "app/fprintprogress.h"
#include "app/ftextimport.h"
#include "app/language.h"

#include <QCoreApplication>
#include <QFileInfo>

TApplicationForms Forms;

void NameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quorvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    QCoreApplication::setOrganizationName(QStringLiteral("Maudrel Software"));
    // No application display name: the window system would append it to every
    // caption.
}

bool InitApplication(const QString &language)
{
    NameApplication();
    return InstallTranslators(*QCoreApplication::instance(), language.isEmpty() ? ChosenLanguage() : language);
}

namespace {
template <typename T> T *Make(const char *name, QWidget *owner)
{
    T *form = new T(owner);
    Forms.CreationOrder << QLatin1String(name);
    return form;
}
} // namespace

void CreateApplicationForms(const QString &commandLineFile)
{
    Forms = TApplicationForms();
    // A relative name means the folder the program was started in, which the
    // main window leaves for the program's own.
    const QString file = commandLineFile.isEmpty() ? QString() : QFileInfo(commandLineFile).absoluteFilePath();
    Forms.FMain = new TFMain;
    Forms.CreationOrder << QStringLiteral("TFMain");
    if (!file.isEmpty()) {
        Forms.FMain->CommandLineFile = file;
        Forms.FMain->OpenedFromCommandLine = true;
    }
    TFMain *owner = Forms.FMain;
    Forms.FLabelSettings = Make<TFLabelSettings>("TFLabelSettings", owner);
    Forms.FAdvanced = Make<TFAdvanced>("TFAdvanced", owner);
    // The wizard and the progress window do not exist yet; they are handed to
    // the print dialog when the main window takes all five.
    Forms.FPrintDlg = new TFPrintDlg(owner, nullptr, nullptr);
    Forms.CreationOrder << QStringLiteral("TFPrintDlg");
    Forms.FTextImport = Make<TFTextImport>("TFTextImport", owner);
    Forms.FPrintProgress = Make<TFPrintProgress>("TFPrintProgress", owner);
    owner->AttachForms(Forms.FLabelSettings, Forms.FAdvanced, Forms.FPrintDlg, Forms.FTextImport,
                       Forms.FPrintProgress);
}

void DestroyApplicationForms()
{
    delete Forms.FMain; // owns the other five
    Forms = TApplicationForms();
}
