#pragma once
// Files that are replaced only when the new text is written whole.
//
// Qt 6.4's QSaveFile::commit() can return true after a failed write: the
// last buffered bytes are written when it closes the file, and that error is
// not checked. Every save of the program goes through CommitWhole, which
// flushes and syncs first and keeps the old file on any failure.

#include <QFileDevice>
#include <QString>

class QByteArray;
class QSaveFile;

// "无法写入到 FILE" and, when known, the reason ("No space left on device").
QString WriteErrorText(const QString &fileName, const QString &reason = QString());

// Finishes a QSaveFile opened for writing: the old file is replaced only when
// every byte reached the disk; otherwise the new text is dropped, the old file
// stays and *reason says why ("No space left on device"). `permissions`, when
// given, are those of the new file (the old one's are kept otherwise).
bool CommitWhole(QSaveFile &file, QString *reason = nullptr, QFileDevice::Permissions permissions = {});

// Why a write to `file` failed, for a file about to be discarded.
QString WriteFailureReason(QSaveFile &file);

// The whole new content of fileName, through CommitWhole; *error is
// WriteErrorText with the reason.
bool SaveWhole(const QString &fileName, const QByteArray &bytes, QString *error = nullptr,
               QFileDevice::Permissions permissions = {});
