#include "data/sheetcells.h"

#include <QDate>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

QString ShortestNumberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("#NUM!");
    if (value == 0)
        return QStringLiteral("0");
    // A spreadsheet keeps 15 significant digits; rounding there first drops
    // the noise of its arithmetic too (0.1+0.2 shows "0.3").
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    *r.ptr = 0;
    const double shown = std::strtod(buf, nullptr);
    const double a = std::fabs(shown);
    if (a >= 1e-5 && a < 1e15)
        r = std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::fixed);
    else
        r = std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::scientific);
    return QString::fromLatin1(buf, r.ptr - buf).toUpper(); // "1E+20", as a sheet shows it
}

QString BuiltinDateFormatCode(int id)
{
    switch (id) {
    case 15: return QStringLiteral("d-mmm-yy");
    case 16: return QStringLiteral("d-mmm");
    case 17: return QStringLiteral("mmm-yy");
    case 18: return QStringLiteral("h:mm AM/PM");
    case 19: return QStringLiteral("h:mm:ss AM/PM");
    case 20: return QStringLiteral("h:mm");
    case 21: return QStringLiteral("h:mm:ss");
    case 22: return QStringLiteral("yyyy-mm-dd h:mm"); // the locale's short date and a time
    case 45: return QStringLiteral("mm:ss");
    case 46: return QStringLiteral("[h]:mm:ss");
    case 47: return QStringLiteral("mm:ss.0");
    case 14: return QStringLiteral("yyyy-mm-dd"); // the locale's short date: ISO here
    case 27: case 36: case 50: case 52: case 57: return QStringLiteral("yyyy\"年\"m\"月\"");
    case 28: case 29: case 51: case 53: case 54: case 58: return QStringLiteral("m\"月\"d\"日\"");
    case 30: return QStringLiteral("m-d-yy");
    case 31: return QStringLiteral("yyyy\"年\"m\"月\"d\"日\"");
    case 32: return QStringLiteral("h\"时\"mm\"分\"");
    case 33: return QStringLiteral("h\"时\"mm\"分\"ss\"秒\"");
    case 34: case 55: return QStringLiteral("上午/下午h\"时\"mm\"分\"");
    case 35: case 56: return QStringLiteral("上午/下午h\"时\"mm\"分\"ss\"秒\"");
    default: return QString();
    }
}

QString BuiltinFormatCode(int id)
{
    switch (id) {
    case 1: return QStringLiteral("0");
    case 2: return QStringLiteral("0.00");
    case 3: return QStringLiteral("#,##0");
    case 4: return QStringLiteral("#,##0.00");
    case 5: return QStringLiteral("\"¥\"#,##0;\"¥\"\\-#,##0");
    case 6: return QStringLiteral("\"¥\"#,##0;[Red]\"¥\"\\-#,##0");
    case 7: return QStringLiteral("\"¥\"#,##0.00;\"¥\"\\-#,##0.00");
    case 8: return QStringLiteral("\"¥\"#,##0.00;[Red]\"¥\"\\-#,##0.00");
    case 9: return QStringLiteral("0%");
    case 10: return QStringLiteral("0.00%");
    case 11: return QStringLiteral("0.00E+00");
    case 37: return QStringLiteral("#,##0 ;(#,##0)");
    case 38: return QStringLiteral("#,##0 ;[Red](#,##0)");
    case 39: return QStringLiteral("#,##0.00;(#,##0.00)");
    case 40: return QStringLiteral("#,##0.00;[Red](#,##0.00)");
    case 48: return QStringLiteral("##0.0E+0");
    case 49: return QStringLiteral("@");
    default: break;
    }
    const QString date = BuiltinDateFormatCode(id);
    return date.isEmpty() ? QStringLiteral("General") : date;
}

namespace {

enum class TTok { Literal, Year, Month, Minute, Day, Hour, Second, Fraction, AmPm, Elapsed, Unknown };

struct TToken {
    TTok Kind;
    int Len = 0;         // letters in the specifier
    QString Text;        // literal text, or the am/pm spelling
};

// The first section of a format code as tokens.
QList<TToken> Tokenize(const QString &code)
{
    QList<TToken> out;
    auto literal = [&](const QString &s) {
        if (!out.isEmpty() && out.last().Kind == TTok::Literal)
            out.last().Text += s;
        else
            out.append({TTok::Literal, 0, s});
    };
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = code[i];
        const QChar lc = c.toLower();
        if (c == u';')
            break;
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            literal(code.mid(i + 1, (end < 0 ? n : end) - i - 1));
            i = end < 0 ? n : end + 1;
        } else if (c == u'\\') {
            if (i + 1 < n)
                literal(code.mid(i + 1, 1));
            i += 2;
        } else if (c == u'_') {
            literal(QStringLiteral(" "));
            i += 2;
        } else if (c == u'*') {
            i += 2;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            const QString inner = code.mid(i + 1, (end < 0 ? n : end) - i - 1).toLower();
            if (!inner.isEmpty() && inner.count(inner[0]) == inner.size() &&
                (inner[0] == u'h' || inner[0] == u'm' || inner[0] == u's'))
                out.append({TTok::Elapsed, int(inner.size()), inner.left(1)});
            // Colours, conditions and locales ("[$-409]") show nothing.
            i = end < 0 ? n : end + 1;
        } else if (code.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out.append({TTok::AmPm, 5, code.mid(i, 5)});
            i += 5;
        } else if (code.mid(i, 5) == QStringLiteral("上午/下午")) {
            out.append({TTok::AmPm, 2, code.mid(i, 5)});
            i += 5;
        } else if (code.mid(i, 3).compare(QLatin1String("a/p"), Qt::CaseInsensitive) == 0) {
            out.append({TTok::AmPm, 3, code.mid(i, 3)});
            i += 3;
        } else if (lc == u'y' || lc == u'm' || lc == u'd' || lc == u'h' || lc == u's') {
            qsizetype j = i;
            while (j < n && code[j].toLower() == lc)
                ++j;
            const TTok kind = lc == u'y' ? TTok::Year : lc == u'm' ? TTok::Month : lc == u'd' ? TTok::Day
                            : lc == u'h' ? TTok::Hour : TTok::Second;
            out.append({kind, int(j - i), QString()});
            i = j;
        } else if (c == u'.' && i + 1 < n && code[i + 1] == u'0' && !out.isEmpty() &&
                   (out.last().Kind == TTok::Second ||
                    (out.last().Kind == TTok::Elapsed && out.last().Text == u's'))) {
            qsizetype j = i + 1;
            while (j < n && code[j] == u'0')
                ++j;
            out.append({TTok::Fraction, int(j - i - 1), QString()});
            i = j;
        } else if (c.isLetterOrNumber() || c == u'#' || c == u'?' || c == u'@') {
            out.append({TTok::Unknown, 1, QString(c)});
            ++i;
        } else {
            literal(QString(c));
            ++i;
        }
    }
    // "m" is minutes right after hours or right before seconds.
    int prev = -1;
    for (int k = 0; k < out.size(); ++k) {
        if (out[k].Kind == TTok::Literal)
            continue;
        if (out[k].Kind == TTok::Month && out[k].Len <= 2) {
            int next = k + 1;
            while (next < out.size() && out[next].Kind == TTok::Literal)
                ++next;
            const bool afterHour = prev >= 0 && (out[prev].Kind == TTok::Hour ||
                                                 (out[prev].Kind == TTok::Elapsed && out[prev].Text == u'h'));
            const bool beforeSecond = next < out.size() && (out[next].Kind == TTok::Second ||
                                                            (out[next].Kind == TTok::Elapsed && out[next].Text == u's'));
            if (afterHour || beforeSecond)
                out[k].Kind = TTok::Minute;
        }
        prev = k;
    }
    return out;
}

bool IsDateToken(TTok k)
{
    return k != TTok::Literal && k != TTok::Unknown && k != TTok::Fraction && k != TTok::AmPm;
}

QString Pad(qint64 v, int width)
{
    return QString::number(v).rightJustified(width, u'0');
}

} // namespace

bool IsDateFormatCode(const QString &code)
{
    for (const TToken &t : Tokenize(code))
        if (IsDateToken(t.Kind))
            return true;
    return false;
}

QString FormatDateSerial(double serial, const QString &code, bool date1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return ShortestNumberText(serial);
    const QList<TToken> tokens = Tokenize(code);
    bool known = false, fraction = false, ampm = false;
    for (const TToken &t : tokens) {
        if (t.Kind == TTok::Unknown) {
            known = false;
            break;
        }
        known = known || IsDateToken(t.Kind);
        fraction = fraction || t.Kind == TTok::Fraction;
        ampm = ampm || t.Kind == TTok::AmPm;
    }
    qint64 days = qint64(std::floor(serial));
    qint64 ms = std::llround((serial - double(days)) * 86400000.0);
    if (!fraction || !known)
        ms = (ms + 500) / 1000 * 1000;
    if (ms >= 86400000) {
        ++days;
        ms -= 86400000;
    }
    // The 1900 system counts a 29 February 1900 that never was.
    const QDate base = date1904 ? QDate(1904, 1, 1) : days < 61 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    const QDate date = base.addDays(days);
    // ... and shows it: serial 60 is 1900-02-29, a Wednesday.
    const bool leapDay = !date1904 && days == 60;
    const int year = leapDay ? 1900 : date.year(), month = leapDay ? 2 : date.month(),
              day = leapDay ? 29 : date.day(), weekday = leapDay ? 3 : date.dayOfWeek();
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms));
    if (!known) {
        const QString iso = QStringLiteral("%1-%2-%3").arg(Pad(year, 4), Pad(month, 2), Pad(day, 2));
        if (ms == 0 && days > 0)
            return iso;
        if (days == 0)
            return time.toString(QStringLiteral("HH:mm:ss"));
        return iso + u'T' + time.toString(QStringLiteral("HH:mm:ss"));
    }
    const QLocale c = QLocale::c();
    QString out;
    for (const TToken &t : tokens) {
        switch (t.Kind) {
        case TTok::Literal: out += t.Text; break;
        case TTok::Year:
            out += t.Len <= 2 ? Pad(year % 100, 2) : Pad(year, 4);
            break;
        case TTok::Month:
            if (t.Len == 1) out += QString::number(month);
            else if (t.Len == 2) out += Pad(month, 2);
            else if (t.Len == 3) out += c.monthName(month, QLocale::ShortFormat);
            else if (t.Len == 5) out += c.monthName(month).left(1);
            else out += c.monthName(month);
            break;
        case TTok::Day:
            if (t.Len == 1) out += QString::number(day);
            else if (t.Len == 2) out += Pad(day, 2);
            else if (t.Len == 3) out += c.dayName(weekday, QLocale::ShortFormat);
            else out += c.dayName(weekday);
            break;
        case TTok::Hour: {
            int h = time.hour();
            if (ampm) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += t.Len == 1 ? QString::number(h) : Pad(h, 2);
            break;
        }
        case TTok::Minute: out += t.Len == 1 ? QString::number(time.minute()) : Pad(time.minute(), 2); break;
        case TTok::Second: out += t.Len == 1 ? QString::number(time.second()) : Pad(time.second(), 2); break;
        case TTok::Fraction:
            out += u'.' + Pad(time.msec(), 3).left(qMin(3, t.Len)) + QString(qMax(0, t.Len - 3), u'0');
            break;
        case TTok::AmPm: {
            const bool pm = time.hour() >= 12;
            if (t.Len == 2)
                out += pm ? QStringLiteral("下午") : QStringLiteral("上午");
            else if (t.Len == 5)
                out += t.Text[0].isUpper() ? (pm ? QStringLiteral("PM") : QStringLiteral("AM"))
                                           : (pm ? QStringLiteral("pm") : QStringLiteral("am"));
            else
                out += t.Text[0].isUpper() ? (pm ? u'P' : u'A') : (pm ? u'p' : u'a');
            break;
        }
        case TTok::Elapsed: {
            const qint64 total = days * 86400 + time.msecsSinceStartOfDay() / 1000;
            const qint64 v = t.Text == u'h' ? total / 3600 : t.Text == u'm' ? total / 60 : total;
            out += Pad(v, t.Len);
            break;
        }
        case TTok::Unknown: break;
        }
    }
    return out;
}

QDateTime DateSerialDateTime(double serial, bool date1904)
{
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466)
        return {};
    qint64 days = qint64(std::floor(serial));
    qint64 ms = std::llround((serial - double(days)) * 86400000.0);
    if (ms >= 86400000) {
        ++days;
        ms -= 86400000;
    }
    if (!date1904 && days == 60)
        return {};
    const QDate base = date1904 ? QDate(1904, 1, 1) : days < 61 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    return QDateTime(base.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QDateTime IsoDateTime(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() < 10 || t[4] != u'-' || t[7] != u'-')
        return {};
    if (t.size() == 10) {
        const QDate date = QDate::fromString(t, Qt::ISODate);
        return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
    }
    if (t[10] != u'T' && t[10] != u' ')
        return {};
    return QDateTime::fromString(QString(t).replace(10, 1, u'T'), Qt::ISODateWithMs);
}

int ColumnNumber(QStringView letters)
{
    int n = 0;
    for (QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        n = n * 26 + (u - u'A' + 1);
        if (n > 1 << 20)
            return 0;
    }
    return n;
}
