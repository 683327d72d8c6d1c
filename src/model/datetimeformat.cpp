#include "model/advanced.h"

#include <array>

namespace {
// Case-insensitive test whether token starts at pattern[i].
bool MatchAt(const QString &pattern, qsizetype i, QLatin1StringView token)
{
    if (i + token.size() > pattern.size())
        return false;
    for (qsizetype k = 0; k < token.size(); ++k)
        if (pattern[i + k].toCaseFolded() != QChar(token[k]).toCaseFolded())
            return false;
    return true;
}

// Specifiers, longest first so that "dddd" wins over "dd" and "am/pm" over "a/p".
constexpr std::array<QLatin1StringView, 21> kSpecifiers = {
    QLatin1StringView("am/pm"), QLatin1StringView("ampm"), QLatin1StringView("dddd"),
    QLatin1StringView("mmmm"),  QLatin1StringView("yyyy"), QLatin1StringView("a/p"),
    QLatin1StringView("ddd"),   QLatin1StringView("mmm"),  QLatin1StringView("dd"),
    QLatin1StringView("mm"),    QLatin1StringView("yy"),   QLatin1StringView("hh"),
    QLatin1StringView("nn"),    QLatin1StringView("ss"),   QLatin1StringView("d"),
    QLatin1StringView("m"),     QLatin1StringView("h"),    QLatin1StringView("n"),
    QLatin1StringView("s"),     QLatin1StringView("/"),    QLatin1StringView(":"),
};

// An hour uses the 12-hour clock when the first "a" after it, before any
// further hour, opens an am/pm specifier.
bool TwelveHourFollows(const QString &pattern, qsizetype from)
{
    for (qsizetype i = from; i < pattern.size(); ++i) {
        const QChar c = pattern[i].toCaseFolded();
        if (c == QLatin1Char('h'))
            return false;
        if (c == QLatin1Char('a'))
            return MatchAt(pattern, i, QLatin1StringView("am/pm")) || MatchAt(pattern, i, QLatin1StringView("a/p"))
                || MatchAt(pattern, i, QLatin1StringView("ampm"));
    }
    return false;
}

// The first punctuation of the locale's short format, or the fallback.
QString Separator(const QString &format, QChar fallback)
{
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || c.isLetterOrNumber() || c.isSpace())
            continue;
        return QString(c);
    }
    return QString(fallback);
}

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }
} // namespace

QString FormatDateTime(const QString &pattern, const QDateTime &when, const QLocale &locale)
{
    const QDate date = when.date();
    const QTime time = when.time().isValid() ? when.time() : QTime(0, 0);
    const int hour = time.hour();
    const bool pm = hour >= 12;
    QString out;
    qsizetype i = 0;
    while (i < pattern.size()) {
        QLatin1StringView token;
        for (QLatin1StringView s : kSpecifiers) {
            if (MatchAt(pattern, i, s)) {
                token = s;
                break;
            }
        }
        if (token.isEmpty()) {
            out += pattern[i++];
            continue;
        }
        const qsizetype at = i;
        i += token.size();
        if (token == QLatin1StringView("d")) out += QString::number(date.day());
        else if (token == QLatin1StringView("dd")) out += Two(date.day());
        else if (token == QLatin1StringView("ddd")) out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
        else if (token == QLatin1StringView("dddd")) out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
        else if (token == QLatin1StringView("m")) out += QString::number(date.month());
        else if (token == QLatin1StringView("mm")) out += Two(date.month());
        else if (token == QLatin1StringView("mmm")) out += locale.monthName(date.month(), QLocale::ShortFormat);
        else if (token == QLatin1StringView("mmmm")) out += locale.monthName(date.month(), QLocale::LongFormat);
        else if (token == QLatin1StringView("yy")) out += Two(((date.year() % 100) + 100) % 100);
        else if (token == QLatin1StringView("yyyy")) out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
        else if (token == QLatin1StringView("h") || token == QLatin1StringView("hh")) {
            int h = hour;
            if (TwelveHourFollows(pattern, i)) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += token.size() == 2 ? Two(h) : QString::number(h);
        }
        else if (token == QLatin1StringView("n")) out += QString::number(time.minute());
        else if (token == QLatin1StringView("nn")) out += Two(time.minute());
        else if (token == QLatin1StringView("s")) out += QString::number(time.second());
        else if (token == QLatin1StringView("ss")) out += Two(time.second());
        // The pattern's own letters, in their case: "AM/PM" prints AM or PM.
        else if (token == QLatin1StringView("am/pm")) out += pattern.mid(at + (pm ? 3 : 0), 2);
        else if (token == QLatin1StringView("a/p")) out += pattern.mid(at + (pm ? 2 : 0), 1);
        else if (token == QLatin1StringView("ampm")) out += pm ? locale.pmText() : locale.amText();
        else if (token == QLatin1StringView("/")) out += Separator(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
        else if (token == QLatin1StringView(":")) out += Separator(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
    }
    return out;
}
