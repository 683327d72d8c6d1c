#include "storage/document.h"

#include "model/labelformat.h"
#include "storage/labelfile.h"

#include <QCoreApplication>
#include <QFileInfo>

TDocumentKind DocumentKindOf(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    if (name.endsWith(QStringLiteral(".lbl"), Qt::CaseInsensitive))
        return TDocumentKind::Label;
    if (name.endsWith(QStringLiteral(".lbf"), Qt::CaseInsensitive))
        return TDocumentKind::Template;
    return TDocumentKind::None;
}

QString FirstOpenableFile(const QStringList &files)
{
    for (const QString &f : files) {
        const QFileInfo info(f);
        if (info.isFile() && DocumentKindOf(f) != TDocumentKind::None)
            return info.absoluteFilePath();
    }
    return QString();
}

QString NotALabelMessage(const QString &fileName)
{
    return QCoreApplication::translate("Storage", "%1 is not a label file: it has no FORMAT section.").arg(fileName);
}

QString FileNotFoundMessage(const QString &fileName)
{
    return QCoreApplication::translate("Storage", "Unable to locate file") + QStringLiteral("\n\r") + fileName;
}

TLabelDocument::TLabelDocument(TItemContainer &items) : items_(items)
{
    // A long session keeps every step; each holds only what it changed.
    undo_.setUndoLimit(0);
    QObject::connect(&undo_, &QUndoStack::cleanChanged, &undo_, [this](bool clean) {
        if (syncing_)
            return;
        LabelModified = !clean;
        Changed();
    });
}

void TLabelDocument::ResetUndo()
{
    syncing_ = true;
    undo_.clear();
    // clear() keeps a clean state that was given up on an empty stack.
    undo_.setClean();
    syncing_ = false;
}

void TLabelDocument::Changed()
{
    if (OnStateChange)
        OnStateChange();
}

void TLabelDocument::SetLabelModified(bool b)
{
    syncing_ = true;
    if (b)
        undo_.resetClean();
    else
        undo_.setClean();
    syncing_ = false;
    LabelModified = b;
    Changed();
}

void TLabelDocument::SetTemplateModified(bool b)
{
    TemplateModified = b;
    Changed();
}

void TLabelDocument::NewLabel()
{
    CurrentLabelFile.clear();
    CurrentTemplateFile.clear();
    // The steps point into the items.
    ResetUndo();
    items_.ClearItems();
    items_.Invalidate();
    items_.DataEncoding.clear();
    LabelModified = false;
    TemplateModified = false;
    Changed();
}

bool TLabelDocument::SaveLabelFile(const QString &fileName, QString *error)
{
    saveFailed_ = !::SaveLabelFile(fileName, items_, error);
    if (saveFailed_)
        return false;
    CurrentLabelFile = fileName;
    syncing_ = true;
    undo_.setClean();
    syncing_ = false;
    LabelModified = false;
    Changed();
    return true;
}

bool TLabelDocument::SaveTemplateFile(const QString &fileName, QString *error)
{
    if (!SaveLabelFormat(fileName, items_.LabelFormat, error))
        return false;
    CurrentTemplateFile = fileName;
    TemplateModified = false;
    Changed();
    return true;
}

namespace {
// The file parsed before anything is discarded, so an unreadable file changes
// nothing; null for a missing file (no error), an unreadable one, or one that
// is no label at all: without its FORMAT section a data file or a note would
// load as an empty label and be overwritten by the next save.
std::unique_ptr<TIniFile> ReadDocumentFile(const QString &fileName, QString *error)
{
    if (!QFileInfo(fileName).isFile())
        return nullptr;
    auto ini = std::make_unique<TIniFile>(fileName);
    // A file read in part (larger than the reader takes) would open cut short.
    if (!ini->Readable() || !ini->ReadError().isEmpty()) {
        if (error)
            *error = ini->ReadError();
        return nullptr;
    }
    if (!ini->SectionExists(kFormatSection)) {
        if (error)
            *error = NotALabelMessage(fileName);
        return nullptr;
    }
    return ini;
}
} // namespace

void TLabelDocument::ApplyFormat(const TIniFile &ini, QStringList *warnings)
{
    ReadLabelFormat(ini, items_.LabelFormat, warnings);
    items_.FitSurfaceToFormat();
}

bool TLabelDocument::LoadLabelFile(const QString &fileName, QString *error, QStringList *warnings)
{
    const auto ini = ReadDocumentFile(fileName, error);
    if (!ini)
        return false;
    if (!items_.Items.isEmpty())
        NewLabel();
    ResetUndo();
    LabelModified = false;
    ApplyFormat(*ini, warnings);
    ReadLabel(*ini, items_, warnings);
    for (TLabelControl *item : items_.Items)
        item->SetSelected(false);
    items_.SelectItem(nullptr);
    items_.Invalidate();
    CurrentLabelFile = fileName;
    Changed();
    return true;
}

bool TLabelDocument::LoadTemplateFile(const QString &fileName, QString *error, QStringList *warnings)
{
    const auto ini = ReadDocumentFile(fileName, error);
    if (!ini)
        return false;
    ApplyFormat(*ini, warnings);
    items_.Invalidate();
    CurrentTemplateFile = fileName;
    Changed();
    return true;
}

bool TLabelDocument::OpenDocument(const QString &fileName, QString *error, QStringList *warnings)
{
    switch (DocumentKindOf(fileName)) {
    case TDocumentKind::Template:
        return LoadTemplateFile(fileName, error, warnings);
    case TDocumentKind::Label:
        return LoadLabelFile(fileName, error, warnings);
    case TDocumentKind::None:
        break;
    }
    return false;
}

bool TLabelDocument::QuerySave(bool autoSaveSeq, const std::function<void()> &saveLabel, const std::function<TSaveAnswer()> &ask)
{
    if (autoSaveSeq && HasSequenceField(items_.Items))
        saveLabel();
    if (!LabelModified)
        return true;
    switch (ask()) {
    case TSaveAnswer::Cancel:
        return false;
    case TSaveAnswer::No:
        return true;
    case TSaveAnswer::Yes:
        // A save that failed (a full disk) must not let the label go; a save
        // dialog that was cancelled still does.
        saveFailed_ = false;
        saveLabel();
        return !saveFailed_;
    }
    return true;
}
