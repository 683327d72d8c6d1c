// Number format codes applied to a cell's value: sections, conditions,
// decimals, thousands, percent, scientific, literal text.
#include "data/sheetcells.h"

#include <QStringList>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The sections of a code, split at the ';' outside quotes, escapes and brackets.
QStringList Sections(const QString &code)
{
    QStringList out(QString{});
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code[i];
        qsizetype end = i;
        if (c == u'"')
            end = code.indexOf(u'"', i + 1);
        else if (c == u'[')
            end = code.indexOf(u']', i);
        else if (c == u'\\' || c == u'_' || c == u'*')
            end = i + 1;
        else if (c == u';') {
            out.append(QString());
            continue;
        }
        if (end < 0 || end >= n)
            end = n - 1;
        out.last() += code.mid(i, end - i + 1);
        i = end;
    }
    return out;
}

// "[>=100]" at a section's start: true and the test when it has one.
bool Condition(const QString &section, double value, bool *holds)
{
    static const char *const ops[] = {"<=", ">=", "<>", "<", ">", "="};
    if (!section.startsWith(u'['))
        return false;
    const QString inner = section.mid(1, section.indexOf(u']') - 1);
    for (const char *op : ops) {
        if (!inner.startsWith(QLatin1String(op)))
            continue;
        bool ok = false;
        const double v = inner.mid(qstrlen(op)).toDouble(&ok);
        if (!ok)
            return false;
        const QLatin1String o(op);
        *holds = o == QLatin1String("<=") ? value <= v : o == QLatin1String(">=") ? value >= v
               : o == QLatin1String("<>") ? value != v : o == QLatin1String("<") ? value < v
               : o == QLatin1String(">")  ? value > v : value == v;
        return true;
    }
    return false;
}

// The decimal digits of v >= 0 rounded half away from zero to `decimals`
// places, after the 15 significant digits a spreadsheet keeps: the integer
// digits (none for 0) and exactly `decimals` fraction digits.
void RoundedDigits(double v, int decimals, QString &whole, QString &fraction)
{
    whole.clear();
    fraction = QString(decimals, u'0');
    if (!(v > 0))
        return;
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    const std::string_view text(buf, r.ptr - buf);
    const size_t e = text.find('e');
    std::string digits;
    for (size_t k = 0; k < e; ++k)
        if (text[k] != '.')
            digits += text[k];
    int point = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1; // digits before the point
    if (point < 0) {
        digits.insert(0, size_t(-point), '0');
        point = 0;
    }
    const size_t keep = size_t(point) + size_t(decimals);
    if (digits.size() <= keep)
        digits.append(keep + 1 - digits.size(), '0');
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
        size_t k = keep;
        while (k > 0 && digits[k - 1] == '9')
            digits[--k] = '0';
        if (k == 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        } else {
            ++digits[k - 1];
        }
    }
    whole = QString::fromLatin1(digits.substr(0, size_t(point)));
    while (whole.startsWith(u'0'))
        whole.remove(0, 1);
    fraction = QString::fromLatin1(digits.substr(size_t(point)));
}

enum class NTok { Literal, Digit, Point, Comma, Percent, Exponent, General, Text };

struct NToken {
    NTok Kind;
    QString Text; // the literal; the placeholder (0 # ?); the exponent's sign (+ -)
};

// A number section as tokens; false when it holds what this reader cannot
// show (fractions).
bool NumberTokens(const QString &section, QList<NToken> &out)
{
    const qsizetype n = section.size();
    bool point = false;
    for (qsizetype i = 0; i < n;) {
        const QChar c = section[i];
        if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            out.append({NTok::Literal, section.mid(i + 1, (end < 0 ? n : end) - i - 1)});
            i = end < 0 ? n : end + 1;
        } else if (c == u'\\') {
            out.append({NTok::Literal, section.mid(i + 1, 1)});
            i += 2;
        } else if (c == u'_') {
            out.append({NTok::Literal, QStringLiteral(" ")});
            i += 2;
        } else if (c == u'*') {
            i += 2;
        } else if (c == u'[') {
            const qsizetype end = section.indexOf(u']', i);
            const QString inner = section.mid(i + 1, (end < 0 ? n : end) - i - 1);
            if (inner.startsWith(u'$')) // "[$€-407]": the currency's symbol
                out.append({NTok::Literal, inner.mid(1).section(u'-', 0, 0)});
            i = end < 0 ? n : end + 1;
        } else if (section.mid(i, 7).compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) {
            out.append({NTok::General, QString()});
            i += 7;
        } else if (c == u'0' || c == u'#' || c == u'?') {
            out.append({NTok::Digit, QString(c)});
            ++i;
        } else if (c == u'.' && !point) {
            point = true;
            out.append({NTok::Point, QString()});
            ++i;
        } else if (c == u',') {
            out.append({NTok::Comma, QString()});
            ++i;
        } else if (c == u'%') {
            out.append({NTok::Percent, QStringLiteral("%")});
            ++i;
        } else if ((c == u'E' || c == u'e') && i + 1 < n && (section[i + 1] == u'+' || section[i + 1] == u'-')) {
            out.append({NTok::Exponent, section.mid(i + 1, 1)});
            i += 2;
        } else if (c == u'@') {
            out.append({NTok::Text, QString()});
            ++i;
        } else if (c == u'/') {
            return false;
        } else {
            out.append({NTok::Literal, QString(c)});
            ++i;
        }
    }
    return true;
}

QString FormatNumberSection(double v, const QString &section)
{
    QList<NToken> tokens;
    if (!NumberTokens(section, tokens))
        return ShortestNumberText(v);
    int percent = 0, exponentAt = -1, pointAt = -1;
    for (int k = 0; k < tokens.size(); ++k) {
        if (tokens[k].Kind == NTok::Percent)
            ++percent;
        else if (tokens[k].Kind == NTok::Exponent && exponentAt < 0)
            exponentAt = k;
        else if (tokens[k].Kind == NTok::Point && exponentAt < 0)
            pointAt = k;
    }
    const int mantissaEnd = exponentAt < 0 ? int(tokens.size()) : exponentAt;
    const int intEnd = pointAt < 0 ? mantissaEnd : pointAt;
    // A comma between digit placeholders groups thousands; commas right after
    // the last digit placeholder divide by 1,000 each; others are text.
    bool grouping = false;
    int scale = 0, lastDigit = -1;
    for (int k = 0; k < mantissaEnd; ++k)
        if (tokens[k].Kind == NTok::Digit)
            lastDigit = k;
    for (int k = 0; k < mantissaEnd; ++k) {
        if (tokens[k].Kind != NTok::Comma)
            continue;
        bool before = false, after = false;
        for (int j = 0; j < k; ++j)
            before = before || tokens[j].Kind == NTok::Digit;
        after = k + 1 < intEnd && tokens[k + 1].Kind == NTok::Digit;
        if (before && after && k < intEnd) {
            grouping = true;
            tokens[k] = {NTok::Literal, QString()};
        } else if (k > lastDigit && lastDigit >= 0 &&
                   std::all_of(tokens.begin() + lastDigit + 1, tokens.begin() + k + 1,
                               [](const NToken &t) {
                                   return t.Kind == NTok::Comma || t.Kind == NTok::Point ||
                                          (t.Kind == NTok::Literal && t.Text.isEmpty()); // a comma already taken
                               })) {
            ++scale;
            tokens[k] = {NTok::Literal, QString()};
        } else {
            tokens[k] = {NTok::Literal, QStringLiteral(",")};
        }
    }
    QList<int> ints, fracs, exps;
    for (int k = 0; k < tokens.size(); ++k) {
        if (tokens[k].Kind != NTok::Digit)
            continue;
        (k < intEnd ? ints : k < mantissaEnd ? fracs : exps).append(k);
    }
    if (ints.isEmpty() && fracs.isEmpty()) {
        // Only text and perhaps "General": the number by the General rule.
        QString out;
        bool general = false;
        for (const NToken &t : std::as_const(tokens)) {
            if (t.Kind == NTok::General) {
                out += ShortestNumberText(v);
                general = true;
            } else if (t.Kind == NTok::Literal || t.Kind == NTok::Percent) {
                out += t.Text;
            }
        }
        return general || !out.isEmpty() || section.isEmpty() ? out : ShortestNumberText(v);
    }
    double x = v * std::pow(100.0, percent) / std::pow(1000.0, scale);
    int exponent = 0;
    QString whole, fraction;
    RoundedDigits(x, int(fracs.size()), whole, fraction);
    if (exponentAt >= 0 && x > 0) {
        // "##0.0E+0" keeps exponents in steps of its integer digits.
        const int step = ints.size() > 1 && tokens[ints.first()].Text == u'#' ? int(ints.size()) : 1;
        const int digits = step > 1 ? 1 : qMax(1, int(ints.size()));
        auto place = [&](int e10) {
            exponent = step > 1 ? int(std::floor(double(e10) / step)) * step : e10 - (digits - 1);
            if (ints.isEmpty())
                exponent = e10 + 1;
            RoundedDigits(x / std::pow(10.0, exponent), int(fracs.size()), whole, fraction);
        };
        const int e10 = int(std::floor(std::log10(x)));
        place(e10);
        // Rounding up may carry into one more integer digit (9.99 as 10.0).
        if (whole.size() > (step > 1 ? step : ints.isEmpty() ? 0 : digits))
            place(e10 + 1);
    }
    // Each integer placeholder's text, right to left, with group separators.
    QList<QString> intText(ints.size());
    int counted = 0;
    for (int j = int(ints.size()) - 1; j >= 0; --j) {
        const int fromRight = int(ints.size()) - 1 - j;
        QString chars;
        if (fromRight < whole.size()) {
            chars = j == 0 ? whole.left(whole.size() - fromRight) : QString(whole[whole.size() - 1 - fromRight]);
        } else {
            const QChar kind = tokens[ints[j]].Text[0];
            chars = kind == u'0' ? QStringLiteral("0") : kind == u'?' ? QStringLiteral(" ") : QString();
        }
        QString shown;
        for (qsizetype c = chars.size() - 1; c >= 0; --c) {
            if (chars[c].isDigit()) {
                if (grouping && counted > 0 && counted % 3 == 0)
                    shown.prepend(u',');
                ++counted;
            }
            shown.prepend(chars[c]);
        }
        intText[j] = shown;
    }
    qsizetype lastShown = fraction.size() - 1;
    while (lastShown >= 0 && fraction[lastShown] == u'0')
        --lastShown;
    QString out;
    int intIndex = 0, fracIndex = 0, expIndex = 0;
    const QString expDigits = QString::number(std::abs(exponent));
    for (int k = 0; k < tokens.size(); ++k) {
        const NToken &t = tokens[k];
        switch (t.Kind) {
        case NTok::Literal:
        case NTok::Percent:
            out += t.Text;
            break;
        case NTok::Point:
            out += u'.';
            break;
        case NTok::Exponent:
            out += u'E';
            if (exponent < 0)
                out += u'-';
            else if (t.Text == u'+')
                out += u'+';
            break;
        case NTok::Digit:
            if (k < intEnd) {
                out += intText[intIndex++];
            } else if (k < mantissaEnd) {
                const int f = fracIndex++;
                if (f <= lastShown || t.Text == u'0')
                    out += fraction[f];
                else if (t.Text == u'?')
                    out += u' ';
            } else {
                const int fromRight = int(exps.size()) - 1 - expIndex++;
                if (fromRight < expDigits.size())
                    out += expIndex == 1 ? expDigits.left(expDigits.size() - fromRight)
                                         : QString(expDigits[expDigits.size() - 1 - fromRight]);
                else if (t.Text == u'0')
                    out += u'0';
            }
            break;
        case NTok::General:
        case NTok::Text:
        case NTok::Comma:
            break;
        }
    }
    return out;
}

// The tokens of a text section around "@".
QString FormatTextSection(const QString &text, const QString &section)
{
    QList<NToken> tokens;
    NumberTokens(QString(section).replace(u'/', QStringLiteral("\\/")), tokens);
    QString out;
    for (const NToken &t : std::as_const(tokens)) {
        if (t.Kind == NTok::Text)
            out += text;
        else if (t.Kind == NTok::Literal || t.Kind == NTok::Percent)
            out += t.Text;
        else if (t.Kind == NTok::Digit)
            out += t.Text;
        else if (t.Kind == NTok::Point)
            out += u'.';
        else if (t.Kind == NTok::Comma)
            out += u',';
    }
    return out;
}

} // namespace

QString FormatNumber(double value, const QString &code, bool date1904)
{
    if (!std::isfinite(value) || code.isEmpty() || code == QLatin1String("General"))
        return ShortestNumberText(value);
    QStringList sections = Sections(code);
    if (sections.size() > 3)
        sections = sections.mid(0, 3); // the fourth is for text
    int chosen = 0;
    bool negativeSign = value < 0;
    bool holds = false;
    if (Condition(sections[0], value, &holds)) {
        // "[<=9999999]###-####;(###) ###-####": the first section whose test holds.
        bool second = true;
        if (!holds && sections.size() > 1)
            chosen = !Condition(sections[1], value, &second) || second || sections.size() < 3 ? 1 : 2;
        negativeSign = false; // the sections say how a negative shows, as LibreOffice takes them
    } else if (value < 0 && sections.size() > 1) {
        chosen = 1;
        negativeSign = false;
    } else if (value == 0 && sections.size() > 2) {
        chosen = 2;
    }
    const QString &section = sections[chosen];
    if (IsDateFormatCode(section))
        return FormatDateSerial(value, section, date1904);
    QString shown = FormatNumberSection(std::fabs(value), section);
    // No minus before a number that shows as nothing but zeros.
    bool nonZero = false;
    for (QChar c : std::as_const(shown))
        nonZero = nonZero || (c.isDigit() && c != u'0');
    if (negativeSign && nonZero)
        shown.prepend(u'-');
    return shown;
}

QString FormatText(const QString &text, const QString &code)
{
    if (!code.contains(u'@'))
        return text;
    const QStringList sections = Sections(code);
    if (sections.size() >= 4)
        return FormatTextSection(text, sections[3]);
    if (sections.size() == 1 && sections[0].contains(u'@'))
        return FormatTextSection(text, sections[0]);
    return text;
}
