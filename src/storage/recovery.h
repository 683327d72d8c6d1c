#pragma once
// The copy of a label with unsaved changes that outlives a crash. While the
// label is modified the designer writes it, as a label file, to
// $XDG_STATE_HOME/quorvane/recovery-<pid>.qvl (default ~/.local/state/quorvane),
// together with the names of the label and template files it belongs to in
// its RECOVERY section. A clean end removes it, so a file found at start-up
// was left by a run that did not end.
//
// Each file has a lock (QLockFile, <file>.lock) held by the program writing
// it, so that two programs running at once never take each other's files:
// only a file whose lock is free or stale (its process is gone) is offered.

#include "model/items.h"

#include <QList>
#include <QString>
#include <map>
#include <memory>
#include <utility>

class QLockFile;

// $XDG_STATE_HOME/quorvane, or ~/.local/state/quorvane.
QString RecoveryFolder();

// A file left by a run that did not end cleanly, claimed (locked) by this one.
struct TLeftRecovery {
    QString RecoveryFile;
    QString LabelFile;    // the label's own name; empty for an untitled label
    QString TemplateFile; // the template last loaded or saved, if any
};

class TRecoveryStore {
public:
    // Changes between two writes: every fifth change writes the label.
    static constexpr int kChangesPerWrite = 5;

    explicit TRecoveryStore(const QString &folder = RecoveryFolder(), qint64 pid = -1);
    ~TRecoveryStore();
    TRecoveryStore(const TRecoveryStore &) = delete;
    TRecoveryStore &operator=(const TRecoveryStore &) = delete;

    // This program's recovery file.
    QString FilePath() const;

    // Writes the label and its file names, replacing the previous copy at
    // once (a crash during the write leaves the previous one). False with
    // *error when the folder or the file cannot be written.
    bool Write(const TItemContainer &items, const QString &labelFile, const QString &templateFile,
               QString *error = nullptr);
    // The label is saved or discarded: its copy goes.
    void Remove();

    // Counts one change of the label; true when it is time to write it (every
    // kChangesPerWrite changes since the last write).
    bool CountChange();
    // Whether the label changed since the last write (the periodic write).
    bool Pending() const { return changes_ > 0; }

    // The files other runs left behind, newest first, each locked for this
    // program until Discard or Release. Files of running programs are skipped;
    // those that cannot be read as a copy are set aside (TakeSetAside).
    QList<TLeftRecovery> FindLeftOver();
    // Renames a copy that cannot be read (to <file>.unreadable), so that it is
    // neither offered nor lost.
    void SetAside(const QString &file);
    // The copies set aside since the last call, each told once: the old name,
    // and the new one (empty when even the rename failed).
    struct TSetAside {
        QString From, To;
    };
    QList<TSetAside> TakeSetAside() { return std::exchange(setAside_, {}); }
    // Deletes a left-over file (declined, or taken over by this program).
    void Discard(const TLeftRecovery &left);
    // Leaves it for a later start.
    void Release(const TLeftRecovery &left);

private:
    bool LockOwn();

    QString folder_;
    qint64 pid_;
    int changes_ = 0;
    std::unique_ptr<QLockFile> ownLock_;
    std::map<QString, std::unique_ptr<QLockFile>> claimed_;
    QList<TSetAside> setAside_;
};
