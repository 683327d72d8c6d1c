// The values behind the parts: counter steps and radixes, check digits, date
// offsets and sources, asked values.
#include "model/advanced.h"

#include "model/items.h"

#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

// Counters ----------------------------------------------------------------------

namespace {
// The value after steps steps of size step from cur, wrapping as a counter
// does: beyond MaxVal counting up it takes MinVal, below MinVal counting down
// it takes MaxVal. Values are walked in O(1).
qint64 StepValue(qint64 cur, qint64 min, qint64 max, qint64 step, qint64 steps)
{
    if (steps <= 0)
        return cur;
    if (step == 0)
        step = 1;
    const qint64 k = std::abs(step);
    if (step > 0) {
        const qint64 toWrap = cur <= max ? (max - cur) / k + 1 : 1;
        if (steps < toWrap)
            return cur + steps * k;
        steps -= toWrap;
        const qint64 period = min <= max ? (max - min) / k + 1 : 1;
        return min + (steps % period) * k;
    }
    const qint64 toWrap = cur >= min ? (cur - min) / k + 1 : 1;
    if (steps < toWrap)
        return cur - steps * k;
    steps -= toWrap;
    const qint64 period = min <= max ? (max - min) / k + 1 : 1;
    return max - (steps % period) * k;
}
} // namespace

qint32 SequenceValueAfter(qint32 curVal, qint32 minVal, qint32 maxVal, qint64 n)
{
    return static_cast<qint32>(StepValue(curVal, minVal, maxVal, 1, n));
}

void CountSequence(TSequenceField &s, qint64 n)
{
    if (n <= 0)
        return;
    const qint64 repeat = std::max<qint32>(1, s.Repeat);
    // Pending from a file or an edited repeat may exceed the repeat: count it as full.
    const qint64 pending = std::clamp<qint64>(s.Pending, 0, repeat - 1);
    const qint64 total = pending + n;
    s.CurVal = static_cast<qint32>(StepValue(s.CurVal, s.MinVal, s.MaxVal, s.Step, total / repeat));
    s.Pending = static_cast<qint32>(total % repeat);
}

void CountSequences(const QList<TLabelControl *> &items, TCountPer per, qint64 n)
{
    for (TLabelControl *item : items) {
        if (!item || !item->Advanced)
            continue;
        for (auto &f : item->Fields)
            if (auto *s = dynamic_cast<TSequenceField *>(f.get()); s && s->FieldType == u"SEQUENCE" && s->Per == per)
                CountSequence(*s, n);
    }
}

QString RadixText(qint64 value, TCountRadix radix)
{
    if (value < 0)
        return QLatin1Char('-') + RadixText(value == std::numeric_limits<qint64>::min() ? 0 : -value, radix);
    switch (radix) {
    case TCountRadix::Decimal:
        return QString::number(value);
    case TCountRadix::Hex:
        return QString::number(value, 16).toUpper();
    case TCountRadix::Letters: {
        // Bijective base 26 from 0: A..Z, AA..ZZ, AAA..
        QString r;
        quint64 v = quint64(value) + 1;
        while (v > 0) {
            --v;
            r.prepend(QChar(u'A' + int(v % 26)));
            v /= 26;
        }
        return r;
    }
    }
    return QString::number(value);
}

QString SequenceText(const TSequenceField &s)
{
    return PadLeft(RadixText(s.CurVal, s.Radix), s.MinSize, QLatin1Char('0'));
}

// Check digits -----------------------------------------------------------------

namespace {
const QString kCode39Set = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");

bool AllDigits(const QString &t)
{
    return !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
} // namespace

QString CheckDigit(TCheckScheme scheme, const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    const qsizetype n = text.size();
    switch (scheme) {
    case TCheckScheme::Gs1:
    case TCheckScheme::Luhn: {
        if (!AllDigits(text))
            return {};
        int sum = 0;
        for (qsizetype i = 0; i < n; ++i) {
            const int d = text.at(n - 1 - i).unicode() - u'0';
            if (scheme == TCheckScheme::Gs1) {
                sum += i % 2 == 0 ? 3 * d : d;
            } else {
                // The rightmost payload digit is doubled: the check digit comes after it.
                const int v = i % 2 == 0 ? 2 * d : d;
                sum += v > 9 ? v - 9 : v;
            }
        }
        if (ok)
            *ok = true;
        return QString::number((10 - sum % 10) % 10);
    }
    case TCheckScheme::Mod43: {
        if (text.isEmpty())
            return {};
        int sum = 0;
        for (QChar c : text) {
            const qsizetype v = kCode39Set.indexOf(c);
            if (v < 0)
                return {};
            sum += int(v);
        }
        if (ok)
            *ok = true;
        return QString(kCode39Set.at(sum % 43));
    }
    case TCheckScheme::Mod11: {
        if (!AllDigits(text))
            return {};
        qint64 sum = 0;
        for (qsizetype i = 0; i < n; ++i)
            sum += qint64(text.at(n - 1 - i).unicode() - u'0') * (i + 2);
        const int c = int((11 - sum % 11) % 11);
        if (ok)
            *ok = true;
        return c == 10 ? QStringLiteral("X") : QString::number(c);
    }
    case TCheckScheme::Mod97: {
        if (text.isEmpty())
            return {};
        int r = 0;
        for (QChar ch : text) {
            const char16_t c = ch.toUpper().unicode();
            if (c >= u'0' && c <= u'9') {
                r = (r * 10 + (c - u'0')) % 97;
            } else if (c >= u'A' && c <= u'Z') {
                const int v = c - u'A' + 10;
                r = (r * 100 + v) % 97;
            } else {
                return {};
            }
        }
        r = (r * 100) % 97;
        if (ok)
            *ok = true;
        return QStringLiteral("%1").arg(98 - r, 2, 10, QLatin1Char('0'));
    }
    }
    return {};
}

namespace {
const char *const kSchemeNames[] = {"gs1", "luhn", "mod43", "mod11", "mod97"};
}

QString CheckSchemeName(TCheckScheme scheme)
{
    return QLatin1String(kSchemeNames[int(scheme)]);
}

bool ParseCheckScheme(const QString &name, TCheckScheme *scheme)
{
    for (int k = 0; k < 5; ++k) {
        if (name.trimmed().compare(QLatin1String(kSchemeNames[k]), Qt::CaseInsensitive) == 0) {
            if (scheme)
                *scheme = TCheckScheme(k);
            return true;
        }
    }
    return false;
}

QList<int> CheckCoverage(const QString &over, int self, int count)
{
    QList<int> parts;
    const QString list = over.simplified().remove(u' ');
    if (list.isEmpty()) {
        for (int k = 1; k < self && k <= count; ++k)
            parts << k;
        return parts;
    }
    static const QRegularExpression kRange(QStringLiteral("^(\\d{1,4})(?:-(\\d{1,4}))?$"));
    for (const QString &piece : list.split(u',')) {
        const auto m = kRange.match(piece);
        if (!m.hasMatch())
            return {};
        const int a = m.captured(1).toInt();
        const int b = m.captured(2).isEmpty() ? a : m.captured(2).toInt();
        if (a < 1 || b < a)
            return {};
        for (int k = a; k <= b && k <= count; ++k)
            if (k != self && !parts.contains(k))
                parts << k;
    }
    return parts;
}

// Dates ---------------------------------------------------------------------------

bool ParseDateOffset(const QString &text, qint32 *amount, QChar *unit)
{
    static const QRegularExpression kOffset(QStringLiteral("^\\s*([+-]?)\\s*(\\d{1,6})\\s*([dmyDMY])\\s*$"));
    const auto m = kOffset.match(text);
    if (!m.hasMatch())
        return false;
    const qint32 v = m.captured(2).toInt();
    if (amount)
        *amount = m.captured(1) == u"-" ? -v : v;
    if (unit)
        *unit = m.captured(3).at(0).toLower();
    return true;
}

QString DateOffsetText(qint32 amount, QChar unit)
{
    return (amount < 0 ? QStringLiteral("-") : QStringLiteral("+")) + QString::number(std::abs(qint64(amount)))
           + unit.toLower();
}

QDate AddDateOffset(const QDate &date, qint32 amount, QChar unit)
{
    if (!date.isValid() || amount == 0)
        return date;
    const QChar u = unit.toLower();
    if (u == u'd')
        return date.addDays(amount);
    const qint64 months = u == u'y' ? qint64(amount) * 12 : u == u'm' ? amount : 0;
    const qint64 index = qint64(date.year()) * 12 + (date.month() - 1) + months;
    const int year = int(index >= 0 ? index / 12 : -((-index + 11) / 12));
    const int month = int(index - qint64(year) * 12) + 1;
    if (year == 0 || year < -9999 || year > 9999)
        return {};
    const int day = std::min(date.day(), QDate(year, month, 1).daysInMonth());
    return QDate(year, month, day);
}

bool ParseDateSource(const QString &text, TDateSource *source, QString *name)
{
    const QString t = text.trimmed();
    TDateSource s = TDateSource::Now;
    QString n;
    if (t.isEmpty() || t.compare(u"now", Qt::CaseInsensitive) == 0) {
        s = TDateSource::Now;
    } else if (t.startsWith(u"column:", Qt::CaseInsensitive)) {
        s = TDateSource::Column;
        n = t.mid(7).trimmed();
    } else if (t.startsWith(u"ask:", Qt::CaseInsensitive)) {
        s = TDateSource::Ask;
        n = t.mid(4).trimmed();
    } else {
        return false;
    }
    if (s != TDateSource::Now && n.isEmpty())
        return false;
    if (source)
        *source = s;
    if (name)
        *name = n;
    return true;
}

QString DateSourceText(TDateSource source, const QString &name)
{
    switch (source) {
    case TDateSource::Now:
        return QStringLiteral("now");
    case TDateSource::Column:
        return QStringLiteral("column:") + name;
    case TDateSource::Ask:
        return QStringLiteral("ask:") + name;
    }
    return QStringLiteral("now");
}

int ColumnIndexByName(const QStringList &names, const QString &name)
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return -1;
    if (const qsizetype i = names.indexOf(name); i >= 0)
        return int(i);
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names[i].trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int FindColumn(const QString &nameOrNumber, const QStringList *columns)
{
    bool isNumber = false;
    const int n = nameOrNumber.trimmed().toInt(&isNumber);
    if (isNumber)
        return n;
    return columns ? ColumnIndexByName(*columns, nameOrNumber) + 1 : 0;
}

namespace {
// The stated pattern first; ISO 8601 as databases and files write dates
// when the pattern does not read them.
QDateTime ReadDate(const QString &pattern, const QString &text)
{
    QDateTime d = ParseDateTime(pattern, text);
    if (!d.isValid())
        d = QDateTime::fromString(text, Qt::ISODate);
    if (!d.isValid())
        d = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return d;
}
} // namespace

QDateTime DatePartMoment(const TDateField &f, const TComposeContext &context, TComposeFailure *failure)
{
    const QDateTime now = context.Now.isValid() ? context.Now : QDateTime::currentDateTime();
    QDateTime base = now;
    // Without a record or answers (the design surface) a date read from
    // elsewhere shows today's.
    if (f.Source == TDateSource::Column && context.Row) {
        const int column = FindColumn(f.SourceName, context.Columns);
        QDateTime cell;
        if (column >= 1 && context.CellDate)
            cell = context.CellDate(column);
        if (cell.isValid()) {
            base = cell;
        } else {
            const QString text = column >= 1 && column <= context.Row->size() ? context.Row->at(column - 1) : QString();
            base = ReadDate(f.InputPattern, text.trimmed());
            if (!base.isValid()) {
                if (failure && !*failure)
                    *failure = {TComposeFailure::DateUnreadable, text, f.InputPattern, {}, f.SourceName};
                return {};
            }
        }
    } else if (f.Source == TDateSource::Ask && context.Answers) {
        const QString text = context.Answers->value(f.SourceName);
        base = ReadDate(f.InputPattern, text.trimmed());
        if (!base.isValid()) {
            if (failure && !*failure)
                *failure = {TComposeFailure::DateUnreadable, text, f.InputPattern, {}, f.SourceName};
            return {};
        }
    }
    QTime time = base.time();
    if (!f.TimeOfDay.isEmpty()) {
        QTime fixed = QTime::fromString(f.TimeOfDay.trimmed(), QStringLiteral("H:mm:ss"));
        if (!fixed.isValid())
            fixed = QTime::fromString(f.TimeOfDay.trimmed(), QStringLiteral("H:mm"));
        if (fixed.isValid())
            time = fixed;
    }
    const QDate date = AddDateOffset(base.date(), f.Offset, f.OffsetUnit);
    return QDateTime(date, time.isValid() ? time : QTime(0, 0));
}

// Asked values -------------------------------------------------------------------

QList<TAskedValue> AskedValues(const QList<TLabelControl *> &items)
{
    QList<TAskedValue> asked;
    QList<bool> fromPart; // whether the entry came from an asked part (not a date)
    auto find = [&asked](const QString &name) {
        for (qsizetype i = 0; i < asked.size(); ++i)
            if (asked[i].Name == name)
                return i;
        return qsizetype(-1);
    };
    for (const TLabelControl *item : items) {
        if (!item || !item->Advanced)
            continue;
        for (const auto &f : item->Fields) {
            if (!f)
                continue;
            if (auto *a = dynamic_cast<const TAskField *>(f.get()); a && a->FieldType == u"ASK") {
                if (a->Name.isEmpty())
                    continue;
                const TAskedValue v{a->Name, a->Caption, a->Default, a->Pattern, a->Size};
                const qsizetype i = find(a->Name);
                if (i < 0) {
                    asked << v;
                    fromPart << true;
                } else if (!fromPart[i]) {
                    // A part says more about the value than a date that reads it.
                    asked[i] = v;
                    fromPart[i] = true;
                }
            } else if (auto *d = dynamic_cast<const TDateField *>(f.get());
                       d && d->FieldType == u"DATE" && d->Source == TDateSource::Ask && !d->SourceName.isEmpty()) {
                if (find(d->SourceName) < 0) {
                    asked << TAskedValue{d->SourceName, {}, {}, {}, 0};
                    fromPart << false;
                }
            }
        }
    }
    return asked;
}

TAnswerCheck CheckAnswer(const TAskedValue &asked, const QString &value)
{
    if (value.isEmpty())
        return TAnswerCheck::Missing;
    if (asked.Size > 0 && value.size() > asked.Size)
        return TAnswerCheck::TooLong;
    if (!asked.Pattern.isEmpty()) {
        const QRegularExpression re(QRegularExpression::anchoredPattern(asked.Pattern),
                                    QRegularExpression::UseUnicodePropertiesOption);
        if (!re.isValid())
            return TAnswerCheck::BadPattern;
        if (!re.match(value).hasMatch())
            return TAnswerCheck::NoMatch;
    }
    return TAnswerCheck::Ok;
}

TAnswerCheck ResolveAnswers(const QList<TLabelControl *> &items, const QHash<QString, QString> &given,
                            QHash<QString, QString> *answers, TAskedValue *which)
{
    if (answers)
        answers->clear();
    for (const TAskedValue &a : AskedValues(items)) {
        const QString value = given.contains(a.Name) ? given.value(a.Name) : a.Default;
        const TAnswerCheck check = CheckAnswer(a, value);
        if (check != TAnswerCheck::Ok) {
            if (which)
                *which = a;
            return check;
        }
        if (answers)
            answers->insert(a.Name, value);
    }
    return TAnswerCheck::Ok;
}

QStringList NamedColumns(const QList<TLabelControl *> &items)
{
    QStringList names;
    auto add = [&names](const QString &n) {
        bool isNumber = false;
        n.trimmed().toInt(&isNumber);
        if (!n.trimmed().isEmpty() && !isNumber && !names.contains(n))
            names << n;
    };
    for (const TLabelControl *item : items) {
        if (!item || !item->Advanced)
            continue;
        for (const auto &f : item->Fields) {
            if (auto *c = dynamic_cast<const TImportedField *>(f.get()); c && c->FieldType == u"FIELD")
                add(c->FieldName);
            else if (auto *d = dynamic_cast<const TDateField *>(f.get());
                     d && d->FieldType == u"DATE" && d->Source == TDateSource::Column)
                add(d->SourceName);
        }
    }
    return names;
}
