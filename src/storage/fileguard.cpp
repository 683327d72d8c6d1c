#include "storage/fileguard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

// Empty when the file cannot be read (then there is nothing to compare).
QByteArray Digest(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&f))
        return {};
    return hash.result();
}

QString Absolute(const QString &fileName)
{
    return fileName.isEmpty() ? QString() : QFileInfo(fileName).absoluteFilePath();
}

} // namespace

TLabelFileGuard::TLabelFileGuard() = default;
TLabelFileGuard::~TLabelFileGuard() = default;

QString TLabelFileGuard::LockFileName(const QString &fileName)
{
    const QFileInfo info(fileName);
    return info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + QLatin1String(".lock"));
}

bool TLabelFileGuard::IsFile(const QString &fileName) const
{
    return !file_.isEmpty() && Absolute(fileName) == file_;
}

bool TLabelFileGuard::Open(const QString &fileName, TFileHolder *holder)
{
    Close();
    if (fileName.isEmpty())
        return true;
    file_ = Absolute(fileName);
    digest_ = Digest(file_);
    auto lock = std::make_unique<QLockFile>(LockFileName(file_));
    // Only a lock whose process is gone is stale, however old it is.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        return true;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return true;
    TFileHolder h;
    QString app;
    if (!lock->getLockInfo(&h.Pid, &h.Host, &app))
        h = {};
    if (holder)
        *holder = h;
    return false;
}

void TLabelFileGuard::Saved(const QString &fileName)
{
    if (!IsFile(fileName))
        Open(fileName);
    else
        digest_ = Digest(file_);
}

void TLabelFileGuard::Close()
{
    lock_.reset();
    file_.clear();
    digest_.clear();
}

bool TLabelFileGuard::ChangedOnDisk() const
{
    if (file_.isEmpty() || !QFileInfo::exists(file_))
        return false;
    return Digest(file_) != digest_;
}
