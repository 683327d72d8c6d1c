#pragma once
// Registration of the label (.lbl) and template (.lbf) file types with the
// desktop, for the current user only:
//
// - the program's "class" is a desktop entry
//   $XDG_DATA_HOME/applications/<keyname>.desktop whose Exec is the program;
// - each extension is a MIME type (.lbl application/x-quorvane-label, .lbf
//   application/x-quorvane-template, others application/x-<keyname>-<ext>)
//   declared in the shared-mime-info package
//   $XDG_DATA_HOME/mime/packages/<keyname>.xml;
// - the binding is the default application of that type in
//   $XDG_CONFIG_HOME/mimeapps.list (the previous default stays offered).
// update-mime-database and update-desktop-database are run when installed.
//
// All operations return false on a failed write and put
// "无法设置数据于 '<file>'" into *error when given; everything written before
// the failure stays. The questions are asked by the caller (see
// CheckFileAssociations).

#include "storage/settings.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Asked when .lbl or .lbf is not bound to this program.
inline const QString kAssociateQuestion = QStringLiteral(
    "标签文件(.lbl)，以及标签格式文件(.lbf)没有关联\r\n"
    "到Quorvane软件中。\r\n"
    "你是否愿意将Quorvane软件与这些文件进行关联？");
// Asked when the program runs from another folder than the one registered.
inline const QString kRelocatedQuestion = QStringLiteral(
    "Quorvane软件已经更改了新的目录！\r\n"
    "由于更改将导致Quorvane无法再关联到标签文件\r\n"
    "(.lbl)和标签格式文件(.lbf)。\r\n"
    "你是否愿意将他们与Quorvane进行文件关联?");

QString AssociateWriteErrorText(const QString &what);

// $XDG_DATA_HOME or ~/.local/share.
QString UserDataHome();

class TFileAssociate {
public:
    QString KeyName;          // the program's class: names the desktop entry and MIME package
    QString PathToApp;        // the program's full path
    QString IconPath;         // icon of the entry: used when it names an image file or an icon name
    int Icon = 0;             // kept for the callers; icons come from the icon path
    QString ShellCmd = QStringLiteral("Open");
    QString Shell;            // the Exec line of the desktop entry
    QString TypeName;         // description of the document types
    bool ShowInNew = false;   // no desktop counterpart; kept
    bool QuickView = false;   // no desktop counterpart; kept
    bool RunUpdateTools = true; // refresh the desktop's caches after a change

    // ".ext" from "ext", ".ext" or a file name ("a.lbl" gives ".lbl").
    static QString AddDot(const QString &extOrFile);
    static QString RemoveDot(const QString &ext);

    QString DesktopFileId() const;    // "<keyname>.desktop"
    QString DesktopFilePath() const;
    QString MimePackagePath() const;
    static QString MimeAppsListPath();
    QString MimeTypeFor(const QString &ext) const;

    // The program's class exists (its desktop entry is installed).
    bool IsRegistered() const;
    // Writes the desktop entry (keeping the types it already lists).
    bool RegisterFileType(QString *error = nullptr);
    // Declares the extension's MIME type, lists it in the desktop entry (whose
    // Exec becomes Shell) and makes this program its default application.
    bool Associate(const QString &ext, QString *error = nullptr);
    // The extensions (with dot) whose type is declared in the package and
    // opened by default by a desktop entry of a program with PathToApp's file
    // name.
    QStringList AssociatedExtensions() const;

private:
    bool WriteDesktopEntry(const QString &addedMimeType, QString *error) const;
    void RefreshCaches() const;
};

// Exec value for a program path: the path quoted as the desktop entry format
// requires, followed by " %f".
QString ShellCommandFor(const QString &appPath);
// The association component as the program fills it for itself.
std::unique_ptr<TFileAssociate> CreateFileAssociate(const QString &appPath);
// The program's folder: its path up to and including the last "/".
QString ProgramFolder(const QString &appPath);
// True when the program's folder differs from the recorded Path (exact).
bool ProgramFolderChanged(const QString &appPath, const QString &recordedPath);

// The check at start: registers the class when missing; then asks `ask` at
// most one question: the first when .lbl or .lbf is not bound to the
// program, otherwise the second when the program's folder differs from Path.
// A Yes binds both types and records the folder in settings.Path; a No records
// it in settings.DeclinedPath (both saved at once), and while the program stays
// in that folder nothing is asked.
// `ask` returns true for Yes.
using TAskYesNo = std::function<bool(const QString &question)>;
bool CheckFileAssociations(const QString &appPath, TSettings &settings, const TAskYesNo &ask,
                           QString *error = nullptr);
