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

// The specifier that starts at pattern[i]; empty when none does.
QLatin1StringView SpecifierAt(const QString &pattern, qsizetype i)
{
    for (QLatin1StringView s : kSpecifiers)
        if (MatchAt(pattern, i, s))
            return s;
    return {};
}

// Chinese weekdays, Monday first, whatever the machine's language.
const QString kWeekPrefix = QStringLiteral("星期");
const QString kWeekDays = QStringLiteral("一二三四五六日");

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
        if (pattern.mid(i, 2) == kWeekPrefix) {
            out += kWeekPrefix + kWeekDays.at(date.dayOfWeek() - 1);
            i += 2;
            continue;
        }
        const QLatin1StringView token = SpecifierAt(pattern, i);
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

namespace {
// Reads up to maxDigits digits (at least one) at text[j].
bool ReadNumber(const QString &text, qsizetype &j, int maxDigits, int *value)
{
    int v = 0, n = 0;
    while (n < maxDigits && j < text.size() && text[j] >= u'0' && text[j] <= u'9') {
        v = v * 10 + (text[j].unicode() - u'0');
        ++j;
        ++n;
    }
    *value = v;
    return n > 0;
}

// The longest of names that text continues with at j (without regard to
// case); its index from 1, 0 when none.
int ReadName(const QString &text, qsizetype &j, const QStringList &names)
{
    int best = 0;
    qsizetype bestLen = 0;
    for (int k = 0; k < names.size(); ++k) {
        const QString &n = names[k];
        if (n.size() > bestLen && text.mid(j, n.size()).compare(n, Qt::CaseInsensitive) == 0) {
            best = k + 1;
            bestLen = n.size();
        }
    }
    j += bestLen;
    return best;
}

QStringList Names(const QLocale &locale, bool months, QLocale::FormatType type)
{
    QStringList out;
    const QLocale c = QLocale::c();
    for (const QLocale *l : {&locale, &c})
        for (int k = 1; k <= (months ? 12 : 7); ++k)
            out << (months ? l->monthName(k, type) : l->dayName(k, type));
    return out;
}
} // namespace

QDateTime ParseDateTime(const QString &pattern, const QString &text, const QLocale &locale)
{
    if (pattern.isEmpty() || text.isEmpty())
        return {};
    int year = -1, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    int pm = -1; // 0 am, 1 pm, -1 not given
    bool anyDate = false; // a time alone is today's
    qsizetype i = 0, j = 0;
    const QString t = text.trimmed();
    while (i < pattern.size()) {
        if (pattern.mid(i, 2) == kWeekPrefix) {
            if (t.mid(j, 2) != kWeekPrefix || j + 2 >= t.size() || !kWeekDays.contains(t[j + 2]))
                return {};
            i += 2;
            j += 3;
            continue;
        }
        const QLatin1StringView token = SpecifierAt(pattern, i);
        if (token.isEmpty()) {
            const QChar p = pattern[i++];
            if (p.isSpace()) {
                while (j < t.size() && t[j].isSpace())
                    ++j;
            } else if (j < t.size() && t[j].toCaseFolded() == p.toCaseFolded()) {
                ++j;
            } else {
                return {};
            }
            continue;
        }
        i += token.size();
        int v = 0;
        bool ok = true;
        const QChar lead = token[0] == 'a' || token[0] == '/' || token[0] == ':' ? QChar() : QChar(token[0]);
        if (lead == u'd' || lead == u'm' || lead == u'y')
            anyDate = true;
        if (token == QLatin1StringView("d") || token == QLatin1StringView("dd")) ok = ReadNumber(t, j, 2, &day);
        else if (token == QLatin1StringView("m") || token == QLatin1StringView("mm")) ok = ReadNumber(t, j, 2, &month);
        else if (token == QLatin1StringView("yy")) {
            ok = ReadNumber(t, j, 2, &v);
            year = 2000 + v;
        } else if (token == QLatin1StringView("yyyy")) ok = ReadNumber(t, j, 4, &year);
        else if (token == QLatin1StringView("h") || token == QLatin1StringView("hh")) ok = ReadNumber(t, j, 2, &hour);
        else if (token == QLatin1StringView("n") || token == QLatin1StringView("nn")) ok = ReadNumber(t, j, 2, &minute);
        else if (token == QLatin1StringView("s") || token == QLatin1StringView("ss")) ok = ReadNumber(t, j, 2, &second);
        else if (token == QLatin1StringView("mmm") || token == QLatin1StringView("mmmm")) {
            const int k = ReadName(t, j, Names(locale, true, token.size() == 3 ? QLocale::ShortFormat : QLocale::LongFormat));
            ok = k > 0;
            month = (k - 1) % 12 + 1;
        } else if (token == QLatin1StringView("ddd") || token == QLatin1StringView("dddd")) {
            ok = ReadName(t, j, Names(locale, false, token.size() == 3 ? QLocale::ShortFormat : QLocale::LongFormat)) > 0;
        } else if (token == QLatin1StringView("am/pm") || token == QLatin1StringView("a/p")
                   || token == QLatin1StringView("ampm")) {
            const QStringList marks = token == QLatin1StringView("a/p")
                                          ? QStringList{QStringLiteral("a"), QStringLiteral("p")}
                                          : QStringList{QStringLiteral("am"), QStringLiteral("pm"), locale.amText(),
                                                        locale.pmText()};
            const int k = ReadName(t, j, marks);
            ok = k > 0;
            pm = (k - 1) % 2;
        } else if (token == QLatin1StringView("/")) {
            // Whatever separates dates here, or the usual ones.
            const QString sep = Separator(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
            ok = j < t.size() && (t.mid(j, sep.size()) == sep || QStringLiteral("/-.").contains(t[j]));
            j += ok && t.mid(j, sep.size()) == sep ? sep.size() : 1;
        } else if (token == QLatin1StringView(":")) {
            ok = j < t.size() && t[j] == u':';
            ++j;
        }
        if (!ok)
            return {};
    }
    if (j != t.size())
        return {};
    if (!anyDate) {
        const QDate today = QDate::currentDate();
        year = today.year();
        month = today.month();
        day = today.day();
    } else if (year < 0) {
        year = QDate::currentDate().year();
    }
    if (pm >= 0 && hour <= 12)
        hour = (hour % 12) + (pm == 1 ? 12 : 0);
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
