#pragma once
// The database sources last used for printing, newest first, kept in the
// settings file beside the other preferences. Never a password: the URLs
// handed in carry none.

#include <QList>
#include <QString>

struct TRecentSqlSource {
    QString Url;
    QString Query;
};

inline constexpr int kMaxRecentSqlSources = 8;

QList<TRecentSqlSource> LoadRecentSqlSources();
// Puts the source first (once), keeping the newest kMaxRecentSqlSources.
bool SaveRecentSqlSource(const TRecentSqlSource &source);
