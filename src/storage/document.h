#pragma once
// The open document: the current label and template file names, their
// modified states, and the file commands without their dialogs. The main
// window owns one TLabelDocument for its design surface, asks the questions
// and shows the dialogs itself, and repaints after each command.

#include "model/items.h"
#include "model/labelundo.h"
#include "storage/inifile.h"

#include <QUndoStack>

#include <QString>
#include <QStringList>
#include <functional>

// The save-changes question; the window that asks it words the buttons.
inline const QString kSaveChangesQuestion = QStringLiteral("Do you wish to save changes to this label?");

enum class TDocumentKind { None, Label, Template };
// By extension, without regard to case: ".lbl" a label, ".lbf" a template.
TDocumentKind DocumentKindOf(const QString &fileName);
// The first of the dropped files that exists and is a label or template, as
// an absolute path; empty when none qualifies.
QString FirstOpenableFile(const QStringList &files);

// Why a file without a FORMAT section is not opened.
QString NotALabelMessage(const QString &fileName);
// A file named on the command line that does not exist.
QString FileNotFoundMessage(const QString &fileName);

enum class TSaveAnswer { Yes, No, Cancel };

class TLabelDocument {
public:
    explicit TLabelDocument(TItemContainer &items);
    ~TLabelDocument() { syncing_ = true; }

    QString CurrentLabelFile;
    QString CurrentTemplateFile;
    bool LabelModified = false;
    bool TemplateModified = false;
    // Raised whenever a name or a modified state may have changed (the main
    // window enables WriteBtn/Save1 from LabelModified, SaveFormat1 from
    // TemplateModified).
    std::function<void()> OnStateChange;

    TItemContainer &Items() const { return items_; }
    // The label's changes, one undoable step each. Its clean state is the
    // label as last saved or loaded, and LabelModified follows it: undoing
    // back to it leaves the label unmodified. New and load start it afresh.
    QUndoStack &Undo() { return undo_; }
    TUndoTarget &UndoTarget() { return undoTarget_; }
    // True marks a change made outside the steps (the saved state can then
    // no longer be reached by undoing); false makes the current state the
    // saved one.
    void SetLabelModified(bool b);
    void SetTemplateModified(bool b);

    // Empties both names, deletes every item and clears both modified states.
    // The label format stays.
    void NewLabel();

    // Label save to `fileName` (format and items in one write). On success the
    // name becomes CurrentLabelFile and LabelModified is cleared; on failure
    // false, *error set ("无法写入到 <file>"), the file on disk and the whole
    // state unchanged.
    bool SaveLabelFile(const QString &fileName, QString *error = nullptr);
    // Template save; on success CurrentTemplateFile and TemplateModified.
    bool SaveTemplateFile(const QString &fileName, QString *error = nullptr);

    // Loads a label: nothing happens (false, no error) when the file does not
    // exist. Otherwise a non-empty label is first replaced by a new one, the
    // format and the items are read, the surface is sized to the label, no
    // item is selected and CurrentLabelFile is set. False with *error when
    // the file exists but cannot be read or has no FORMAT section (then
    // nothing changes). What was read other than as written is appended to
    // *warnings (see ReadLabel) for the caller to show. The caller connects
    // the items to its window and repaints.
    bool LoadLabelFile(const QString &fileName, QString *error = nullptr, QStringList *warnings = nullptr);
    // Loads a template: the format and CurrentTemplateFile only; the items
    // and CurrentLabelFile stay. Same results as LoadLabelFile.
    bool LoadTemplateFile(const QString &fileName, QString *error = nullptr, QStringList *warnings = nullptr);
    // A file named on the command line or dropped: a template or label by its
    // extension; any other file opens nothing (false).
    bool OpenDocument(const QString &fileName, QString *error = nullptr, QStringList *warnings = nullptr);

    // Whether the current label may be discarded. `saveLabel` is the save
    // command (Save1Click: to CurrentLabelFile, or through the save dialog);
    // `ask` asks kSaveChangesQuestion. A label with counters is saved first
    // without asking when autoSaveSeq (the preference) is on; an unmodified label may go; Yes
    // saves and goes on (also when the dialog was cancelled, not when the
    // file could not be written), No goes on, Cancel stops.
    bool QuerySave(bool autoSaveSeq, const std::function<void()> &saveLabel, const std::function<TSaveAnswer()> &ask);

private:
    void Changed();
    // No steps, and the label as it is now counts as saved.
    void ResetUndo();
    void ApplyFormat(const TIniFile &ini, QStringList *warnings);
    TItemContainer &items_;
    // Set while the document itself moves the clean state (and while the
    // stack goes, whose clearing reports too).
    bool syncing_ = false;
    bool saveFailed_ = false; // the last SaveLabelFile could not write the file
    TUndoTarget undoTarget_{items_};
    QUndoStack undo_;
};
