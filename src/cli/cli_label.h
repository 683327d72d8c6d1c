#pragma once
// Loading a label for the headless commands: the design resolution is the
// container's default of 96 pixels per inch (label files keep item geometry in
// inches, so any resolution gives the same label; 96 is what the designer
// mostly runs at).

#include "model/labelformat.h"
#include "storage/document.h"
#include "storage/inifile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>

// False with a one-line message naming the file. The load's warnings are
// written to stderr, one each.
inline bool LoadLabelForCli(TLabelDocument &doc, const QString &fileName, QString &error)
{
    const QFileInfo info(fileName);
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!info.exists()) {
        error = QCoreApplication::translate("Cli", "no such label file: %1").arg(shown);
        return false;
    }
    if (!info.isFile()) {
        error = QCoreApplication::translate("Cli", "not a label file: %1").arg(shown);
        return false;
    }
    if (DocumentKindOf(fileName) == TDocumentKind::None) {
        error = QCoreApplication::translate("Cli", "not a label file (.lbl or .lbf): %1").arg(shown);
        return false;
    }
    // The reasons the document gives name the file by its full path; the
    // message names it once, as it was given.
    const QString path = info.absoluteFilePath();
    QString why;
    QStringList warnings;
    const bool loaded = doc.LoadLabelFile(path, &why, &warnings);
    // What was read other than as written (a margin read as 0, a picture
    // missing) goes on: the label still prints, and stderr says so.
    for (const QString &warning : warnings)
        std::fprintf(stderr, "%s\n", warning.toLocal8Bit().constData());
    if (!loaded) {
        // A file over the reader's limit says so.
        error = why == NotALabelMessage(path)         ? NotALabelMessage(shown)
                : info.size() > kIniMaxReadBytes ? QString(why).replace(path, shown)
                                                  : QCoreApplication::translate("Cli", "cannot read the label file %1").arg(shown);
        return false;
    }
    return true;
}
