#include "storage/recentfiles.h"

#include "storage/safesave.h"
#include "storage/settings.h"

#include <QFileInfo>

namespace {

QString ValueName(int i)
{
    return QStringLiteral("RecentFile%1").arg(i + 1);
}

QString Canonical(const QString &fileName)
{
    return QFileInfo(fileName).absoluteFilePath();
}

} // namespace

QStringList AddRecentFile(const QStringList &list, const QString &fileName)
{
    const QString file = Canonical(fileName);
    QStringList out = RemoveRecentFile(list, file);
    out.prepend(file);
    while (out.size() > kMaxRecentFiles)
        out.removeLast();
    return out;
}

QStringList RemoveRecentFile(const QStringList &list, const QString &fileName)
{
    const QString file = Canonical(fileName);
    QStringList out;
    for (const QString &f : list)
        if (Canonical(f) != file)
            out << f;
    return out;
}

QStringList LoadRecentFiles()
{
    TRegistryFile reg(SettingsFilePath());
    QStringList files;
    if (!reg.Load())
        return files;
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const QString f = reg.ReadString(ValueName(i)).value_or(QString());
        if (!f.isEmpty() && !files.contains(f))
            files << f;
    }
    return files;
}

bool SaveRecentFiles(const QStringList &files, QString *error)
{
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load()) {
        if (error)
            *error = WriteErrorText(SettingsFilePath());
        return false;
    }
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        if (i < files.size())
            reg.WriteString(ValueName(i), files[i]);
        else
            reg.DeleteValue(ValueName(i));
    }
    return reg.Save(error);
}
