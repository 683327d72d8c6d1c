#pragma once
// Watched folders: data files and job files dropped into a folder become
// jobs as if they had been posted, and are moved out of the way once stored.

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QSet>
#include <QString>
#include <QTimer>

class TJobService;
struct TServiceReply;

struct TWatchedFolder {
    QString Dir;
    QString Label;   // a .lbl name under the labels' folder
    QString Printer; // empty: the job makes a PDF
};

// Reads "DIR=LABEL@PRINTER" (the printer optional); false with *error when
// the text is not of that form.
bool ParseWatchedFolder(const QString &text, TWatchedFolder *out, QString *error);

// The body a file dropped in a watched folder stands for, as POST would
// carry it: a .json file with the folder's label and printer where it names
// none; a data file's rows as records under its header's column names.
// False with *error when the file cannot be read; false without an error for
// a file of no kind taken.
bool WatchedFileBody(const TWatchedFolder &folder, const QString &fileName, QByteArray *body, QString *error);

class TFolderWatcher {
public:
    TFolderWatcher(TWatchedFolder folder, TJobService *service);
    // Makes done/ and failed/ and starts watching; false with *error when
    // the folders cannot be made.
    bool Start(QString *error);
    // Takes every file that is complete now.
    void Scan();

private:
    struct TSeen {
        qint64 Size = -1;
        QDateTime Modified;
        qint64 Since = 0; // our clock (ms) when this size and time were first seen
    };
    void Take(const QString &name, qint64 size, const QDateTime &modified);
    bool MoveTo(const QString &name, const QString &subDir, QString *movedName);

    TWatchedFolder Folder;
    TJobService *Service;
    QFileSystemWatcher Watcher;
    QTimer Timer;
    QHash<QString, TSeen> Seen;
    // Files that could not be moved out, by name, size and time: tried
    // again only once they change, not every second.
    QSet<QString> Stuck;
};
