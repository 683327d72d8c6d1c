#include "data/sqlsource_p.h"

#include <QString>
#include <QStringView>

namespace {

// Whether a statement follows the first one under one reading of the
// dialects' quoting and comments (bit 1: backslash escapes in strings, 2: #
// starts a comment, 4: $tag$ quotes, 8: block comments nest, 16: -- needs a
// space after it, 32: /*...*/ is code).
bool secondStatement(QStringView sql, int reading)
{
    const bool backslash = reading & 1, hash = reading & 2, dollar = reading & 4, nest = reading & 8,
               dashSpace = reading & 16, blockCode = reading & 32;
    const qsizetype n = sql.size();
    auto at = [&](qsizetype i) { return i < n ? sql[i] : QChar(); };
    auto identChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); };
    bool ended = false; // a ';' outside quotes and comments was seen
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('-') && at(i + 1) == QLatin1Char('-') &&
            (!dashSpace || at(i + 2).isSpace() || i + 2 == n)) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (hash && c == QLatin1Char('#')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (!blockCode && c == QLatin1Char('/') && at(i + 1) == QLatin1Char('*')) {
            int depth = 1;
            i += 2;
            while (i < n && depth > 0) {
                if (sql[i] == QLatin1Char('*') && at(i + 1) == QLatin1Char('/')) {
                    --depth;
                    i += 2;
                } else if (nest && sql[i] == QLatin1Char('/') && at(i + 1) == QLatin1Char('*')) {
                    ++depth;
                    i += 2;
                } else {
                    ++i;
                }
            }
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char(';')) {
            ended = true;
            ++i;
            continue;
        }
        if (ended)
            return true;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            // E'...' takes backslash escapes whatever the reading.
            const bool escapes = backslash || (c == QLatin1Char('\'') && i > 0 &&
                                                  (sql[i - 1] == QLatin1Char('E') || sql[i - 1] == QLatin1Char('e')) &&
                                                  (i < 2 || !identChar(sql[i - 2])));
            ++i;
            while (i < n) {
                if (escapes && c != QLatin1Char('`') && sql[i] == QLatin1Char('\\')) {
                    i += 2;
                } else if (sql[i] == c) {
                    ++i;
                    if (at(i) != c)
                        break;
                    ++i; // doubled: one literal quote
                } else {
                    ++i;
                }
            }
            continue;
        }
        if (dollar && c == QLatin1Char('$') && (i == 0 || !identChar(sql[i - 1]))) {
            qsizetype k = i + 1;
            while (k < n && (sql[k].isLetter() || sql[k] == QLatin1Char('_') || (k > i + 1 && sql[k].isDigit())))
                ++k;
            if (at(k) == QLatin1Char('$')) {
                const QStringView tag = sql.mid(i, k - i + 1);
                const qsizetype close = sql.indexOf(tag, k + 1);
                i = close < 0 ? n : close + tag.size();
                continue;
            }
        }
        ++i;
    }
    return false;
}

} // namespace

namespace sqldetail {

// One statement only, under every reading a server might give the text: in
// doubt, more than one.
bool moreThanOneStatement(const QString &sql)
{
    for (int reading = 0; reading < 64; ++reading)
        if (secondStatement(sql, reading))
            return true;
    return false;
}

} // namespace sqldetail
