#pragma once
// Two designers on one label file. A lock beside the file (".<name>.lock",
// QLockFile) tells a second designer that another one has it open; what the
// file held when this designer last read or wrote it tells, before a save,
// whether someone else has saved over it since.

#include <QByteArray>
#include <QString>
#include <memory>

class QLockFile;

// Who holds a label file's lock: a process of this or another machine.
struct TFileHolder {
    qint64 Pid = 0;
    QString Host;
    bool operator==(const TFileHolder &) const = default;
};

class TLabelFileGuard {
public:
    TLabelFileGuard();
    ~TLabelFileGuard();
    TLabelFileGuard(const TLabelFileGuard &) = delete;
    TLabelFileGuard &operator=(const TLabelFileGuard &) = delete;

    // The file was opened: remembers it as it is on disk and takes its lock.
    // False, with *holder set, when another live process holds the lock; a
    // lock left by a process that is gone is taken over. A folder where no
    // lock can be made (read-only) leaves the file unlocked, without a word;
    // an empty name is an untitled label (Close).
    bool Open(const QString &fileName, TFileHolder *holder = nullptr);
    // The file was written by this designer: remembered as written, and the
    // lock moves to it when the name is new.
    void Saved(const QString &fileName);
    // The label is no longer this file: forgets it and frees the lock.
    void Close();

    // The file remembered (absolute), empty when none.
    QString FileName() const { return file_; }
    // Whether `fileName` is the file remembered.
    bool IsFile(const QString &fileName) const;
    // Whether the file now holds anything but what was read or written last.
    // A file that is gone has nothing to lose: not changed.
    bool ChangedOnDisk() const;

    static QString LockFileName(const QString &fileName);

private:
    QString file_;
    QByteArray digest_;
    std::unique_ptr<QLockFile> lock_;
};
