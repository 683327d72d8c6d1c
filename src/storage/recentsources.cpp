#include "storage/recentsources.h"

#include "storage/settings.h"

namespace {

// "SqlUrl1", "SqlQuery1", ...; the query as UTF-8 bytes, since a query may
// span lines and the settings file keeps a string on one.
QString urlName(int i)
{
    return QStringLiteral("SqlUrl%1").arg(i + 1);
}

QString queryName(int i)
{
    return QStringLiteral("SqlQuery%1").arg(i + 1);
}

QList<TRecentSqlSource> readSources(const TRegistryFile &reg)
{
    QList<TRecentSqlSource> out;
    for (int i = 0; i < kMaxRecentSqlSources; ++i) {
        const auto url = reg.ReadString(urlName(i));
        const auto query = reg.ReadBinary(queryName(i));
        if (!url || url->isEmpty() || !query)
            break;
        out.append({*url, QString::fromUtf8(*query)});
    }
    return out;
}

} // namespace

QList<TRecentSqlSource> LoadRecentSqlSources()
{
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load())
        return {};
    return readSources(reg);
}

bool SaveRecentSqlSource(const TRecentSqlSource &source)
{
    TRegistryFile reg(SettingsFilePath());
    if (!reg.Load())
        return false;
    QList<TRecentSqlSource> list = readSources(reg);
    list.removeIf([&](const TRecentSqlSource &s) { return s.Url == source.Url && s.Query == source.Query; });
    list.prepend(source);
    while (list.size() > kMaxRecentSqlSources)
        list.removeLast();
    for (int i = 0; i < kMaxRecentSqlSources; ++i) {
        if (i < list.size()) {
            reg.WriteString(urlName(i), list[i].Url);
            reg.WriteBinary(queryName(i), list[i].Query.toUtf8());
        } else {
            reg.DeleteValue(urlName(i));
            reg.DeleteValue(queryName(i));
        }
    }
    return reg.Save();
}
