#include "storage/recovery.h"

#include "storage/inifile.h"
#include "storage/labelfile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>

namespace {

const QString kRecoverySection = QStringLiteral("RECOVERY");
const QString kLabelKey = QStringLiteral("LABEL");
const QString kTemplateKey = QStringLiteral("TEMPLATE");

QString LockPath(const QString &file)
{
    return file + QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> NewLock(const QString &file)
{
    auto lock = std::make_unique<QLockFile>(LockPath(file));
    // A lock is stale only when its process is gone, however old it is: a
    // designer left open for a day still owns its file.
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

QString RecoveryFolder()
{
    const QString xdg = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !xdg.isEmpty() && QDir::isAbsolutePath(xdg) ? QDir::cleanPath(xdg)
                                                                      : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/quorvane");
}

TRecoveryStore::TRecoveryStore(const QString &folder, qint64 pid)
    : folder_(QDir::cleanPath(QDir(folder).absolutePath())), pid_(pid >= 0 ? pid : QCoreApplication::applicationPid())
{
}

TRecoveryStore::~TRecoveryStore() = default;

QString TRecoveryStore::FilePath() const
{
    return folder_ + QStringLiteral("/recovery-%1.qvl").arg(pid_);
}

bool TRecoveryStore::LockOwn()
{
    if (ownLock_)
        return true;
    // The copies hold whatever the labels hold (customer data): the owner's
    // alone, the folder too when an older run made it open to others.
    if (!QDir().mkpath(folder_) ||
        !QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        return false;
    // A left-over file of our own number (a dead process of the same id),
    // claimed at start and taken over: its lock is already ours.
    if (auto it = claimed_.find(FilePath()); it != claimed_.end()) {
        ownLock_ = std::move(it->second);
        claimed_.erase(it);
        return true;
    }
    auto lock = NewLock(FilePath());
    // A file of the same number left by a dead process is taken over.
    if (!lock->tryLock(0))
        return false;
    ownLock_ = std::move(lock);
    return true;
}

bool TRecoveryStore::Write(const TItemContainer &items, const QString &labelFile, const QString &templateFile,
                           QString *error)
{
    if (!LockOwn()) {
        if (error)
            *error = IniWriteErrorText(FilePath());
        return false;
    }
    TIniFile ini(FilePath(), TIniFile::StartEmpty);
    WriteLabelFormat(ini, items.LabelFormat);
    WriteLabel(ini, items);
    ini.WriteString(kRecoverySection, kLabelKey, labelFile);
    ini.WriteString(kRecoverySection, kTemplateKey, templateFile);
    if (!ini.UpdateFile(error, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return false;
    changes_ = 0;
    return true;
}

void TRecoveryStore::Remove()
{
    changes_ = 0;
    if (!ownLock_)
        return;
    QFile::remove(FilePath());
    ownLock_.reset(); // unlocks and deletes the lock file
}

bool TRecoveryStore::CountChange()
{
    return ++changes_ >= kChangesPerWrite;
}

QList<TLeftRecovery> TRecoveryStore::FindLeftOver()
{
    QList<TLeftRecovery> found;
    const QDir dir(folder_);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("recovery-*.qvl")},
                                                  QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::System,
                                                  QDir::Time);
    for (const QFileInfo &info : files) {
        const QString file = info.absoluteFilePath();
        if (file == FilePath() && ownLock_)
            continue;
        if (claimed_.count(file))
            continue;
        auto lock = NewLock(file);
        if (!lock->tryLock(0))
            continue; // its program is still running
        // A copy of ours names exactly the item sections it holds; one that
        // does not, or cannot be read whole, would be offered at every start
        // (or take the start with it): it is set aside, once, under another name.
        std::unique_ptr<TIniFile> ini;
        if (info.isFile())
            ini = std::make_unique<TIniFile>(file);
        const QList<int> items = ini ? ini->SectionIndices(kItemSectionPrefix) : QList<int>();
        if (!ini || !ini->Readable() || !ini->ReadError().isEmpty() || !ini->SectionExists(kFormatSection) ||
            (!items.isEmpty() && items.last() > ini->Sections().size())) {
            SetAside(file);
            continue;
        }
        found.append({file, ini->ReadString(kRecoverySection, kLabelKey, QString()),
                      ini->ReadString(kRecoverySection, kTemplateKey, QString())});
        claimed_[file] = std::move(lock);
    }
    return found;
}

void TRecoveryStore::SetAside(const QString &file)
{
    QString target = file + QStringLiteral(".unreadable");
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = file + QStringLiteral(".unreadable-%1").arg(n);
    if (QFile::rename(file, target) || QDir().rename(file, target))
        setAside_.append({file, target});
    else
        setAside_.append({file, QString()});
    claimed_.erase(file);
}

void TRecoveryStore::Discard(const TLeftRecovery &left)
{
    if (ownLock_ && left.RecoveryFile == FilePath())
        return; // taken over: it is this program's copy now
    QFile::remove(left.RecoveryFile);
    claimed_.erase(left.RecoveryFile);
}

void TRecoveryStore::Release(const TLeftRecovery &left)
{
    claimed_.erase(left.RecoveryFile);
}
