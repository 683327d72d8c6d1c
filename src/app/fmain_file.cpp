// The file commands of the main window: new, open, save, and loading
// without dialogs for the command line and drops.

#include "app/fmain.h"

#include "app/ask.h"
#include "app/propertiespanel.h"
#include "app/rulers.h"
#include "canvas/canvaslabel.h"
#include "model/labelformat.h"
#include "model/labelundo.h"
#include "app/messages.h"
#include "storage/document.h"
#include "storage/fileguard.h"
#include "storage/recovery.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScrollBar>

namespace {

// The file dialogs of the file commands, by [template][save].
struct TFileDialogSetup {
    const char *DefaultSuffix;
    const char *Filter; // Qt form: "Label Files (*.lbl)"
    const char *Title;
};
const TFileDialogSetup kFileDialogs[2][2] = {
    {{"lbl", QT_TRANSLATE_NOOP("TFMain", "Label Files (*.lbl)"), QT_TRANSLATE_NOOP("TFMain", " Load Label")},
     {"lbl", QT_TRANSLATE_NOOP("TFMain", "Label Files (*.lbl)"), QT_TRANSLATE_NOOP("TFMain", "Save Label")}},
    {{"lbf", QT_TRANSLATE_NOOP("TFMain", "Label Template (*.lbf)"), QT_TRANSLATE_NOOP("TFMain", "Load Template")},
     {"lbf", QT_TRANSLATE_NOOP("TFMain", "Label Template (*.lbf)"), QT_TRANSLATE_NOOP("TFMain", "Save Template")}},
};

} // namespace

void TFMain::New1Click()
{
    Document->NewLabel();
    FileGuard->Close();
    SurfaceSelectItem(nullptr);
    Surface->update();
}

QString TFMain::FileDialog(bool save, const QString &title, const QString &filter, const QString &suffix,
                           const QString &initial)
{
    QFileDialog dlg(this, title, initial, filter);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(suffix);
    if (!initial.isEmpty())
        dlg.selectFile(initial);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    const QString file = dlg.selectedFiles().first();
    QDir::setCurrent(QFileInfo(file).absolutePath());
    return file;
}

void TFMain::AfterDocumentLoad()
{
    HScrollBar->setValue(0);
    VScrollBar->setValue(0);
    SizeSurfaceFromFormat();
    // A label file brings its own grid setting.
    ShowGrids1->setChecked(Surface->ShowGrids);
    for (TLabelControl *item : Surface->Items)
        item->OnBoundsChange = [this](TLabelControl *) { RefreshStatus(); };
    for (TLabelControl *item : Surface->Items)
        item->SetSelected(false);
    Surface->SelectedItem = nullptr;
    SurfaceSelectItem(nullptr);
    pbHRuler->update();
    pbVRuler->update();
    Surface->update();
}

bool TFMain::LoadLabelFile(const QString &fileName)
{
    QString error;
    QStringList warnings;
    const bool ok = Document->LoadLabelFile(fileName, &error, &warnings);
    ShowMessages(warnings);
    if (!error.isEmpty())
        ShowMessage(error);
    if (ok) {
        AfterDocumentLoad();
        // The label it replaced was saved or given up.
        Recovery->Remove();
        NoteRecentFile(fileName);
        TFileHolder holder;
        if (!FileGuard->Open(fileName, &holder))
            ShowMessage(tr("另一个设计器（%1 上的进程 %2）已经打开了此标签：\n%3\n两处的保存会互相覆盖。")
                            .arg(holder.Host, QString::number(holder.Pid), QDir::toNativeSeparators(fileName)));
    }
    return ok;
}

bool TFMain::LoadTemplateFile(const QString &fileName)
{
    QString error;
    TLabelFormatEdit edit(Document->UndoTarget());
    QStringList warnings;
    const bool ok = Document->LoadTemplateFile(fileName, &error, &warnings);
    ShowMessages(warnings);
    if (!error.isEmpty())
        ShowMessage(error);
    if (ok) {
        HScrollBar->setValue(0);
        VScrollBar->setValue(0);
        SizeSurfaceFromFormat();
        Surface->FitItems();
        edit.Commit(UndoStack(), tr("载入标签格式"));
        pbHRuler->update();
        pbVRuler->update();
        Surface->update();
    }
    return ok;
}

bool TFMain::OpenDocument(const QString &fileName)
{
    switch (DocumentKindOf(fileName)) {
    case TDocumentKind::Label:
        return LoadLabelFile(fileName);
    case TDocumentKind::Template:
        return LoadTemplateFile(fileName);
    default:
        return false;
    }
}

bool TFMain::QuerySave()
{
    saveStopped_ = false;
    return Document->QuerySave(Settings.AutoSaveSeq, [this] { Save1Click(); },
                               [this] {
                                   switch (TAsk::Current().Question(this, kSaveChangesQuestion, true)) {
                                   case TAsk::Yes: return TSaveAnswer::Yes;
                                   case TAsk::No: return TSaveAnswer::No;
                                   default: return TSaveAnswer::Cancel;
                                   }
                               })
           && !saveStopped_;
}

void TFMain::Open1Click()
{
    OpenWithDialog(false);
}

void TFMain::LoadFormat1Click()
{
    OpenWithDialog(true);
}

void TFMain::OpenWithDialog(bool isTemplate)
{
    if (!QuerySave())
        return;
    const TFileDialogSetup &d = kFileDialogs[isTemplate][false];
    const QString file = FileDialog(false, tr(d.Title), tr(d.Filter), QString::fromLatin1(d.DefaultSuffix),
                                    isTemplate ? Document->CurrentTemplateFile : Document->CurrentLabelFile);
    if (file.isEmpty())
        return;
    if (isTemplate)
        LoadTemplateFile(file);
    else
        LoadLabelFile(file);
}

void TFMain::SaveDocument(bool isTemplate, bool askName)
{
    QString file = isTemplate ? Document->CurrentTemplateFile : Document->CurrentLabelFile;
    if (!isTemplate && !askName && !MaySaveOver(file, &askName))
        return;
    if (askName || file.isEmpty()) {
        const TFileDialogSetup &d = kFileDialogs[isTemplate][true];
        file = FileDialog(true, tr(d.Title), tr(d.Filter), QString::fromLatin1(d.DefaultSuffix), file);
        if (file.isEmpty())
            return;
    }
    QString error;
    const bool ok = isTemplate ? Document->SaveTemplateFile(file, &error) : Document->SaveLabelFile(file, &error);
    if (!ok)
        ShowMessage(error);
    else if (!isTemplate) {
        FileGuard->Saved(file);
        NoteRecentFile(file);
    }
}

bool TFMain::MaySaveOver(const QString &fileName, bool *askName)
{
    if (fileName.isEmpty() || !FileGuard->IsFile(fileName) || !FileGuard->ChangedOnDisk())
        return true;
    const QString question = tr("此标签文件在打开或上次保存之后已被其他人更改：\n%1\n覆盖它会丢失那些更改。")
                                 .arg(QDir::toNativeSeparators(fileName));
    switch (TAsk::Current().Choose(this, question, {tr("另存为(&A)..."), tr("重新载入(&R)"), tr("覆盖(&O)"), tr("取消")})) {
    case 0:
        *askName = true;
        return true;
    case 1:
        // This designer's changes are given up for the file as it is now.
        LoadLabelFile(fileName);
        return false;
    case 2:
        return true;
    default:
        saveStopped_ = true;
        return false;
    }
}

void TFMain::Save1Click()
{
    SaveDocument(false, false);
}

void TFMain::SaveLabelAs1Click()
{
    SaveDocument(false, true);
}

void TFMain::SaveFormat1Click()
{
    SaveDocument(true, false);
}

void TFMain::SaveLabelFormatAs1Click()
{
    SaveDocument(true, true);
}

void TFMain::Exit1Click()
{
    close();
}

