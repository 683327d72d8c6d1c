#include "barcode/gs1.h"
#include "barcode/barcode.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace {

// One AI or a run of AIs sharing a format, as the GS1 General
// Specifications list them. The format is a list of components, each
// "<set><length>[,check...]": N digits, X character set 82, Y set 39, Z set
// 64; "N6" exactly 6, "X..20" 1 to 20; a component in brackets may be left
// out when the data ends before it. Only the last may vary in length.
struct TAiRow {
    const char *first;
    const char *last;
    bool fixedLength;  // the table of predefined lengths: no FNC1 needed after it
    const char *format;
};

const TAiRow kAis[] = {
    {"00", "00", true, "N18,csum"},
    {"01", "01", true, "N14,csum"},
    {"02", "02", true, "N14,csum"},
    {"03", "03", true, "N14,csum"},
    {"10", "10", false, "X..20"},
    {"11", "11", true, "N6,yymmd0"},
    {"12", "12", true, "N6,yymmd0"},
    {"13", "13", true, "N6,yymmd0"},
    {"15", "15", true, "N6,yymmd0"},
    {"16", "16", true, "N6,yymmd0"},
    {"17", "17", true, "N6,yymmd0"},
    {"20", "20", true, "N2"},
    {"21", "21", false, "X..20"},
    {"22", "22", false, "X..20"},
    {"235", "235", false, "X..28"},
    {"240", "240", false, "X..30"},
    {"241", "241", false, "X..30"},
    {"242", "242", false, "N..6"},
    {"243", "243", false, "X..20"},
    {"250", "250", false, "X..30"},
    {"251", "251", false, "X..30"},
    {"253", "253", false, "N13,csum [X..17]"},
    {"254", "254", false, "X..20"},
    {"255", "255", false, "N13,csum [N..12]"},
    {"30", "30", false, "N..8"},
    {"3100", "3105", true, "N6"},
    {"3110", "3115", true, "N6"},
    {"3120", "3125", true, "N6"},
    {"3130", "3135", true, "N6"},
    {"3140", "3145", true, "N6"},
    {"3150", "3155", true, "N6"},
    {"3160", "3165", true, "N6"},
    {"3200", "3205", true, "N6"},
    {"3210", "3215", true, "N6"},
    {"3220", "3225", true, "N6"},
    {"3230", "3235", true, "N6"},
    {"3240", "3245", true, "N6"},
    {"3250", "3255", true, "N6"},
    {"3260", "3265", true, "N6"},
    {"3270", "3275", true, "N6"},
    {"3280", "3285", true, "N6"},
    {"3290", "3295", true, "N6"},
    {"3300", "3305", true, "N6"},
    {"3310", "3315", true, "N6"},
    {"3320", "3325", true, "N6"},
    {"3330", "3335", true, "N6"},
    {"3340", "3345", true, "N6"},
    {"3350", "3355", true, "N6"},
    {"3360", "3365", true, "N6"},
    {"3370", "3375", true, "N6"},
    {"3400", "3405", true, "N6"},
    {"3410", "3415", true, "N6"},
    {"3420", "3425", true, "N6"},
    {"3430", "3435", true, "N6"},
    {"3440", "3445", true, "N6"},
    {"3450", "3455", true, "N6"},
    {"3460", "3465", true, "N6"},
    {"3470", "3475", true, "N6"},
    {"3480", "3485", true, "N6"},
    {"3490", "3495", true, "N6"},
    {"3500", "3505", true, "N6"},
    {"3510", "3515", true, "N6"},
    {"3520", "3525", true, "N6"},
    {"3530", "3535", true, "N6"},
    {"3540", "3545", true, "N6"},
    {"3550", "3555", true, "N6"},
    {"3560", "3565", true, "N6"},
    {"3570", "3575", true, "N6"},
    {"3600", "3605", true, "N6"},
    {"3610", "3615", true, "N6"},
    {"3620", "3625", true, "N6"},
    {"3630", "3635", true, "N6"},
    {"3640", "3645", true, "N6"},
    {"3650", "3655", true, "N6"},
    {"3660", "3665", true, "N6"},
    {"3670", "3675", true, "N6"},
    {"3680", "3685", true, "N6"},
    {"3690", "3695", true, "N6"},
    {"37", "37", false, "N..8"},
    {"3900", "3909", false, "N..15"},
    {"3910", "3919", false, "N3 N..15"},
    {"3920", "3929", false, "N..15"},
    {"3930", "3939", false, "N3 N..15"},
    {"3940", "3943", false, "N4"},
    {"3950", "3955", false, "N6"},
    {"400", "400", false, "X..30"},
    {"401", "401", false, "X..30"},
    {"402", "402", false, "N17,csum"},
    {"403", "403", false, "X..30"},
    {"410", "410", true, "N13,csum"},
    {"411", "411", true, "N13,csum"},
    {"412", "412", true, "N13,csum"},
    {"413", "413", true, "N13,csum"},
    {"414", "414", true, "N13,csum"},
    {"415", "415", true, "N13,csum"},
    {"416", "416", true, "N13,csum"},
    {"417", "417", true, "N13,csum"},
    {"420", "420", false, "X..20"},
    {"421", "421", false, "N3 X..9"},
    {"422", "422", false, "N3"},
    {"423", "423", false, "N3 [N3] [N3] [N3] [N3]"},
    {"424", "424", false, "N3"},
    {"425", "425", false, "N3 [N3] [N3] [N3] [N3]"},
    {"426", "426", false, "N3"},
    {"427", "427", false, "X..3"},
    {"4300", "4300", false, "X..35,pcenc"},
    {"4301", "4301", false, "X..35,pcenc"},
    {"4302", "4302", false, "X..70,pcenc"},
    {"4303", "4303", false, "X..70,pcenc"},
    {"4304", "4304", false, "X..70,pcenc"},
    {"4305", "4305", false, "X..70,pcenc"},
    {"4306", "4306", false, "X..70,pcenc"},
    {"4307", "4307", false, "X2"},
    {"4308", "4308", false, "X..30"},
    {"4309", "4309", false, "N10 N10"},
    {"4310", "4310", false, "X..35,pcenc"},
    {"4311", "4311", false, "X..35,pcenc"},
    {"4312", "4312", false, "X..70,pcenc"},
    {"4313", "4313", false, "X..70,pcenc"},
    {"4314", "4314", false, "X..70,pcenc"},
    {"4315", "4315", false, "X..70,pcenc"},
    {"4316", "4316", false, "X..70,pcenc"},
    {"4317", "4317", false, "X2"},
    {"4318", "4318", false, "X..20"},
    {"4319", "4319", false, "X..30"},
    {"4320", "4320", false, "X..35,pcenc"},
    {"4321", "4321", false, "N1,yesno"},
    {"4322", "4322", false, "N1,yesno"},
    {"4323", "4323", false, "N1,yesno"},
    {"4324", "4324", false, "N6,yymmd0 N4,hhmi"},
    {"4325", "4325", false, "N6,yymmd0 N4,hhmi"},
    {"4326", "4326", false, "N6,yymmdd"},
    {"4330", "4330", false, "N6 [X1],hyphen"},
    {"4331", "4331", false, "N6 [X1],hyphen"},
    {"4332", "4332", false, "N6 [X1],hyphen"},
    {"4333", "4333", false, "N6 [X1],hyphen"},
    {"7001", "7001", false, "N13"},
    {"7002", "7002", false, "X..30"},
    {"7003", "7003", false, "N6,yymmdd N4,hhmi"},
    {"7004", "7004", false, "N..4"},
    {"7005", "7005", false, "X..12"},
    {"7006", "7006", false, "N6,yymmdd"},
    {"7007", "7007", false, "N6,yymmdd [N6],yymmdd"},
    {"7008", "7008", false, "X..3"},
    {"7009", "7009", false, "X..10"},
    {"7010", "7010", false, "X..2"},
    {"7011", "7011", false, "N6,yymmdd [N4],hhmi"},
    {"7020", "7020", false, "X..20"},
    {"7021", "7021", false, "X..20"},
    {"7022", "7022", false, "X..20"},
    {"7023", "7023", false, "X..30"},
    {"7030", "7030", false, "N3 X..27"},
    {"7031", "7031", false, "N3 X..27"},
    {"7032", "7032", false, "N3 X..27"},
    {"7033", "7033", false, "N3 X..27"},
    {"7034", "7034", false, "N3 X..27"},
    {"7035", "7035", false, "N3 X..27"},
    {"7036", "7036", false, "N3 X..27"},
    {"7037", "7037", false, "N3 X..27"},
    {"7038", "7038", false, "N3 X..27"},
    {"7039", "7039", false, "N3 X..27"},
    {"7040", "7040", false, "N1 X1 X1 X1"},
    {"7041", "7041", false, "X..4"},
    {"710", "710", false, "X..20"},
    {"711", "711", false, "X..20"},
    {"712", "712", false, "X..20"},
    {"713", "713", false, "X..20"},
    {"714", "714", false, "X..20"},
    {"715", "715", false, "X..20"},
    {"716", "716", false, "X..20"},
    {"717", "717", false, "X..20"},
    {"7230", "7230", false, "X2 X..28"},
    {"7231", "7231", false, "X2 X..28"},
    {"7232", "7232", false, "X2 X..28"},
    {"7233", "7233", false, "X2 X..28"},
    {"7234", "7234", false, "X2 X..28"},
    {"7235", "7235", false, "X2 X..28"},
    {"7236", "7236", false, "X2 X..28"},
    {"7237", "7237", false, "X2 X..28"},
    {"7238", "7238", false, "X2 X..28"},
    {"7239", "7239", false, "X2 X..28"},
    {"7240", "7240", false, "X..20"},
    {"7241", "7241", false, "N2"},
    {"7242", "7242", false, "X..25"},
    {"7250", "7250", false, "N8,yyyymmdd"},
    {"7251", "7251", false, "N8,yyyymmdd N4,hhmi"},
    {"7252", "7252", false, "N1"},
    {"7253", "7253", false, "X..40,pcenc"},
    {"7254", "7254", false, "X..40,pcenc"},
    {"7255", "7255", false, "X..10"},
    {"7256", "7256", false, "X..90,pcenc"},
    {"7257", "7257", false, "X..70,pcenc"},
    {"7258", "7258", false, "X3"},
    {"7259", "7259", false, "X..40,pcenc"},
    {"8001", "8001", false, "N4,nonzero N5,nonzero N3,nonzero N1,winding N1"},
    {"8002", "8002", false, "X..20"},
    {"8003", "8003", false, "N1,zero N13,csum [X..16]"},
    {"8004", "8004", false, "X..30"},
    {"8005", "8005", false, "N6"},
    {"8006", "8006", false, "N14,csum N4,pieceoftotal"},
    {"8007", "8007", false, "X..34"},
    {"8008", "8008", false, "N6,yymmdd N2,hh [N2],mi [N2],ss"},
    {"8009", "8009", false, "X..50"},
    {"8010", "8010", false, "Y..30"},
    {"8011", "8011", false, "N..12,nozeroprefix"},
    {"8012", "8012", false, "X..20"},
    {"8013", "8013", false, "X..25"},
    {"8014", "8014", false, "X..25,hasnondigit"},
    {"8017", "8017", false, "N18,csum"},
    {"8018", "8018", false, "N18,csum"},
    {"8019", "8019", false, "N..10"},
    {"8020", "8020", false, "X..25"},
    {"8026", "8026", false, "N14,csum N4,pieceoftotal"},
    {"8030", "8030", false, "Z..90"},
    {"8040", "8040", false, "N15"},
    {"8041", "8041", false, "N15"},
    {"8042", "8042", false, "N32"},
    {"8043", "8043", false, "N18 [N..2]"},
    {"8110", "8110", false, "X..70"},
    {"8111", "8111", false, "N4"},
    {"8112", "8112", false, "X..70"},
    {"8200", "8200", false, "X..70"},
    {"90", "90", false, "X..30"},
    {"91", "99", false, "X..90"},
};

QString Tr(const char *text)
{
    return QCoreApplication::translate("Barcode", text);
}

const TAiRow *FindAi(const QString &ai)
{
    const QByteArray a = ai.toLatin1();
    for (const TAiRow &r : kAis)
        if (qstrlen(r.first) == size_t(a.size()) && qstrcmp(a, r.first) >= 0 && qstrcmp(a, r.last) <= 0)
            return &r;
    return nullptr;
}

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool AllDigits(const QString &s)
{
    return std::all_of(s.begin(), s.end(), IsDigit);
}

struct TComponent {
    char set = 'N';
    int min = 0;
    int max = 0;
    bool optional = false;
    QStringList checks;
};

std::vector<TComponent> Components(const char *format)
{
    std::vector<TComponent> out;
    for (const QString &word : QString::fromLatin1(format).split(u' ', Qt::SkipEmptyParts)) {
        QStringList parts = word.split(u',');
        QString head = parts.takeFirst();
        TComponent c;
        c.optional = head.startsWith(u'[');
        head.remove(u'[').remove(u']');
        c.set = char(head[0].unicode());
        if (head.mid(1).startsWith(QLatin1String(".."))) {
            c.min = 1;
            c.max = head.mid(3).toInt();
        } else {
            c.min = c.max = head.mid(1).toInt();
        }
        c.checks = parts;
        out.push_back(c);
    }
    return out;
}

// Characters each set holds besides digits.
bool InSet(char set, QChar ch)
{
    const char16_t u = ch.unicode();
    const bool digit = u >= '0' && u <= '9';
    const bool upper = u >= 'A' && u <= 'Z';
    const bool lower = u >= 'a' && u <= 'z';
    switch (set) {
    case 'N':
        return digit;
    case 'Y':
        return digit || upper || u == '#' || u == '-' || u == '/';
    case 'Z':
        return digit || upper || lower || u == '-' || u == '_' || u == '=';
    default:
        return digit || upper || lower || (u < 128 && QByteArrayView("!\"%&'()*+,-./:;<=>?_").contains(char(u)));
    }
}

const char *SetRule(char set)
{
    switch (set) {
    case 'N':
        return QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 may hold only digits, not %3");
    case 'Y':
        return QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 may not hold %3 (GS1 character set 39)");
    case 'Z':
        return QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 may not hold %3 (GS1 character set 64)");
    default:
        return QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 may not hold %3 (GS1 character set 82)");
    }
}

QString Shown(QChar c)
{
    return c.unicode() < 32 || c.unicode() == 127 ? QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'))
                                                  : QStringLiteral("'%1'").arg(c);
}

int DaysIn(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// A YYMMDD or YYYYMMDD date; day 00 (the month's end) where `dayZero`.
bool ValidDate(const QString &s, bool dayZero)
{
    const int n = int(s.size());
    // Two-digit years fall in 2000..2099 under GS1's sliding window until 2050,
    // and only the leap years matter here.
    const int year = n == 8 ? s.left(4).toInt() : 2000 + s.left(2).toInt();
    const int month = s.mid(n - 4, 2).toInt();
    const int day = s.mid(n - 2, 2).toInt();
    if (month < 1 || month > 12)
        return false;
    return (day == 0 && dayZero) || (day >= 1 && day <= DaysIn(year, month));
}

// The first check a component's value fails, as a message; empty when none.
QString Check(const QString &ai, const QString &check, const QString &v)
{
    auto fail = [&](const char *text) { return Tr(text).arg(ai, v); };
    if (check == QLatin1String("csum")) {
        const QChar want = Gs1CheckDigit(v.left(v.size() - 1));
        if (v.back() != want)
            return Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1): the check digit of %2 is wrong; it should be %3"))
                .arg(ai, v, want);
    } else if (check == QLatin1String("yymmdd") || check == QLatin1String("yymmd0")) {
        if (!ValidDate(v, check.endsWith(u'0')))
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 is not a valid date (YYMMDD)"));
    } else if (check == QLatin1String("yyyymmdd") || check == QLatin1String("yyyymmd0")) {
        if (!ValidDate(v, check.endsWith(u'0')))
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 is not a valid date (YYYYMMDD)"));
    } else if (check == QLatin1String("hhmi")) {
        if (v.left(2).toInt() > 23 || v.mid(2).toInt() > 59)
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 is not a valid time (HHMM)"));
    } else if (check == QLatin1String("hh")) {
        if (v.toInt() > 23)
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 is not a valid hour (HH)"));
    } else if (check == QLatin1String("mi") || check == QLatin1String("ss")) {
        if (v.toInt() > 59)
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 is not a valid minute or second"));
    } else if (check == QLatin1String("nonzero")) {
        if (v.toLongLong() == 0)
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 may not be zero"));
    } else if (check == QLatin1String("zero")) {
        if (v != QLatin1String("0"))
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 must be 0"));
    } else if (check == QLatin1String("yesno")) {
        if (v != QLatin1String("0") && v != QLatin1String("1"))
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 must be 0 or 1"));
    } else if (check == QLatin1String("winding")) {
        if (v != QLatin1String("0") && v != QLatin1String("1") && v != QLatin1String("9"))
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 must be 0, 1 or 9"));
    } else if (check == QLatin1String("pieceoftotal")) {
        const int piece = v.left(v.size() / 2).toInt(), total = v.mid(v.size() / 2).toInt();
        if (piece < 1 || piece > total)
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 is not a piece of a total (piece 1 to total)"));
    } else if (check == QLatin1String("hyphen")) {
        if (v != QLatin1String("-"))
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 must be a hyphen"));
    } else if (check == QLatin1String("nozeroprefix")) {
        if (v.size() > 1 && v.front() == u'0')
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 may not begin with 0"));
    } else if (check == QLatin1String("hasnondigit")) {
        if (AllDigits(v))
            return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 must hold a character other than a digit"));
    } else if (check == QLatin1String("pcenc")) {
        for (qsizetype i = v.indexOf(u'%'); i >= 0; i = v.indexOf(u'%', i + 1))
            if (i + 2 >= v.size() || !isxdigit(v[i + 1].toLatin1()) || !isxdigit(v[i + 2].toLatin1()))
                return fail(QT_TRANSLATE_NOOP("Barcode", "AI (%1): in %2 a % is not followed by two hex digits"));
    }
    return {};
}

// Why the value does not fit the AI's format; empty when it does.
QString CheckValue(const QString &ai, const TAiRow &row, const QString &value)
{
    if (value.isEmpty())
        return Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1): the value is missing")).arg(ai);
    const std::vector<TComponent> parts = Components(row.format);
    int min = 0, max = 0;
    for (const TComponent &c : parts) {
        min += c.optional ? 0 : c.min;
        max += c.max;
    }
    const int n = int(value.size());
    if (n < min || n > max) {
        const QString count = QString::number(n);
        if (min == max)
            return Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 has %3 characters; it takes %4"))
                .arg(ai, value, count, QString::number(min));
        if (n > max)
            return Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 has %3 characters; it takes at most %4"))
                .arg(ai, value, count, QString::number(max));
        return Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 has %3 characters; it takes at least %4"))
            .arg(ai, value, count, QString::number(min));
    }
    int at = 0;
    for (const TComponent &c : parts) {
        if (at >= n)
            break;  // only optional components are left
        const QString v = value.mid(at, c.max);
        if (v.size() < c.min)
            return Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1): %2 is too short for its last part"))
                .arg(ai, value);
        for (QChar ch : v)
            if (!InSet(c.set, ch))
                return Tr(SetRule(c.set)).arg(ai, value, Shown(ch));
        for (const QString &check : c.checks)
            if (const QString why = Check(ai, check, v); !why.isEmpty())
                return why;
        at += int(v.size());
    }
    return {};
}

// "(" followed by 2 to 4 digits and ")": where an AI begins in bracketed text.
qsizetype AiLength(const QString &text, qsizetype at)
{
    if (at >= text.size() || text[at] != u'(')
        return -1;
    qsizetype n = 0;
    while (at + 1 + n < text.size() && IsDigit(text[at + 1 + n]))
        ++n;
    return n >= 2 && n <= 4 && at + 1 + n < text.size() && text[at + 1 + n] == u')' ? n : -1;
}

TGs1Data ParseBracketed(const QString &text)
{
    TGs1Data d;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype n = AiLength(text, at);
        if (n < 0) {
            const qsizetype close = text.indexOf(u')', at);
            const QString what = text.mid(at, close < 0 ? 6 : close + 1 - at);
            d.error = at == 0 && text[0] != u'('
                          ? Tr(QT_TRANSLATE_NOOP("Barcode", "GS1 data must begin with an AI in brackets, such as (01)"))
                          : Tr(QT_TRANSLATE_NOOP("Barcode", "%1 is not an AI: 2 to 4 digits in brackets")).arg(what);
            return d;
        }
        const QString ai = text.mid(at + 1, n);
        at += n + 2;
        // The value runs to the next AI; brackets that do not hold one are data.
        qsizetype end = at;
        while (end < text.size() && AiLength(text, end) < 0)
            ++end;
        const TAiRow *row = FindAi(ai);
        if (!row) {
            d.error = Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1) is not in the GS1 table")).arg(ai);
            return d;
        }
        d.elements.append({ai, text.mid(at, end - at), row->fixedLength});
        at = end;
    }
    return d;
}

TGs1Data ParseRunTogether(const QString &text)
{
    TGs1Data d;
    qsizetype at = 0;
    while (at < text.size()) {
        const TAiRow *row = nullptr;
        QString ai;
        for (int n = 2; n <= 4 && !row; ++n) {
            ai = text.mid(at, n);
            if (ai.size() == n && AllDigits(ai))
                row = FindAi(ai);
        }
        if (!row) {
            d.error = AllDigits(text.mid(at, 4)) && text.size() - at >= 4
                          ? Tr(QT_TRANSLATE_NOOP("Barcode", "AI (%1) is not in the GS1 table")).arg(text.mid(at, 4))
                          : Tr(QT_TRANSLATE_NOOP("Barcode", "GS1 data without brackets must begin with an AI: "
                                                            "%1 does not"))
                                .arg(text.mid(at, 6));
            return d;
        }
        at += ai.size();
        qsizetype end = text.indexOf(QChar(kGs1Separator), at);
        if (end < 0)
            end = text.size();
        if (row->fixedLength) {
            int length = 0;
            for (const TComponent &c : Components(row->format))
                length += c.max;
            end = std::min(end, at + length);
        }
        d.elements.append({ai, text.mid(at, end - at), row->fixedLength});
        at = end;
        if (at < text.size() && text[at] == QChar(kGs1Separator))
            ++at;
    }
    return d;
}

} // namespace

QChar Gs1CheckDigit(const QString &digits)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i, weight = 4 - weight)
        sum += (digits[i].unicode() - '0') * weight;
    return QChar(u'0' + (10 - sum % 10) % 10);
}

QString TGs1Data::Bracketed() const
{
    QString s;
    for (const TGs1Element &e : elements)
        s += u'(' + e.ai + u')' + e.value;
    return s;
}

QString TGs1Data::Data(QChar separator) const
{
    QString s;
    for (qsizetype i = 0; i < elements.size(); ++i) {
        s += elements[i].ai + elements[i].value;
        if (!elements[i].fixedLength && i + 1 < elements.size())
            s += separator;
    }
    return s;
}

TGs1Data ParseGs1(const QString &text, bool runTogether)
{
    if (text.isEmpty()) {
        TGs1Data d;
        d.error = Tr(QT_TRANSLATE_NOOP("Barcode", "GS1 data is empty"));
        return d;
    }
    TGs1Data d = runTogether && text[0] != u'(' ? ParseRunTogether(text) : ParseBracketed(text);
    for (const TGs1Element &e : d.elements) {
        if (!d.error.isEmpty())
            break;
        d.error = CheckValue(e.ai, *FindAi(e.ai), e.value);
    }
    return d;
}

QString Gs1TextError(const TSymbology &row, const QString &text)
{
    return ParseGs1(text, row.IsLinear()).error;
}

QString Gs1128Data(const QString &text)
{
    const TGs1Data d = ParseGs1(text, true);
    if (d.Ok())
        return d.Data(QChar(kGs1Separator));
    QString ascii;
    for (QChar c : text)
        if (c.unicode() >= 1 && c.unicode() <= 127)
            ascii += c;
    return ascii;
}
