#pragma once
// The labels last opened or saved, newest first, for the file menu. They are
// kept in the settings file as "RecentFile1".."RecentFile8", written only when
// the list changes, and read apart from the other settings: a missing or odd
// value is no reason to drop them.

#include <QString>
#include <QStringList>

constexpr int kMaxRecentFiles = 8;

// The list with fileName at its front: the same file (by absolute path) is
// listed once, and the oldest beyond kMaxRecentFiles drop out.
QStringList AddRecentFile(const QStringList &list, const QString &fileName);
// The list without fileName.
QStringList RemoveRecentFile(const QStringList &list, const QString &fileName);

QStringList LoadRecentFiles();
bool SaveRecentFiles(const QStringList &files, QString *error = nullptr);
