#include "storage/safesave.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

QString WriteErrorText(const QString &fileName, const QString &reason)
{
    const QString text = QCoreApplication::translate("Storage", "无法写入到 %1").arg(QDir::toNativeSeparators(fileName));
    return reason.isEmpty() ? text : text + QStringLiteral(": ") + reason;
}

QString WriteFailureReason(QSaveFile &file)
{
    // Qt reports a short write (a full disk, a file-size limit) without its
    // cause; one more byte at the end of the discarded file shows it.
    if (const int fd = file.handle(); fd >= 0) {
        const off_t end = ::lseek(fd, 0, SEEK_END);
        if (end >= 0 && ::pwrite(fd, "", 1, end) < 0)
            return QString::fromLocal8Bit(std::strerror(errno));
    }
    return file.errorString();
}

bool CommitWhole(QSaveFile &file, QString *reason, QFileDevice::Permissions permissions)
{
    const auto fail = [&](const QString &why) {
        if (reason)
            *reason = why;
        file.cancelWriting();
        file.commit(); // after cancelWriting only removes the temporary
        return false;
    };
    if (!file.isOpen())
        return fail(file.errorString());
    // What commit would flush while closing, and what the kernel still holds,
    // must fail before the old file goes.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return fail(WriteFailureReason(file));
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (permissions && !file.setPermissions(permissions))
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

bool SaveWhole(const QString &fileName, const QByteArray &bytes, QString *error, QFileDevice::Permissions permissions)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = WriteErrorText(fileName, file.errorString());
        return false;
    }
    QString reason;
    if (file.write(bytes) != bytes.size()) {
        reason = WriteFailureReason(file);
        file.cancelWriting();
        file.commit();
    } else if (CommitWhole(file, &reason, permissions)) {
        return true;
    }
    if (error)
        *error = WriteErrorText(fileName, reason);
    return false;
}
