#include "barcode/symbology.h"

namespace {

// Set A (left-hand, odd parity) patterns; set C is its complement and set B
// set C read backwards.
const quint32 kSetA[10] = {0b0001101, 0b0011001, 0b0010011, 0b0111101, 0b0100011,
                           0b0110001, 0b0101111, 0b0111011, 0b0110111, 0b0001011};

quint32 SetC(int d) { return ~kSetA[d] & 0x7f; }

quint32 SetB(int d)
{
    const quint32 c = SetC(d);
    quint32 r = 0;
    for (int i = 0; i < 7; ++i)
        r |= ((c >> i) & 1u) << (6 - i);
    return r;
}

// Parity of each position, 'A' or 'B'.
const char *const kEan13Parity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                      "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
const char *const kUpcEParity[10] = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                     "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};
const char *const kSupp5Parity[10] = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                      "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

int DigitAt(const QString &s, qsizetype i)
{
    const QChar c = s[i];
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : -1;
}

// Draws the digits s[from, to) in the set each gets: 'A', 'B' or 'C' from
// `sets` (one letter per digit) or `set` for all. False at a non-digit.
bool DrawDigits(TBarPen &pen, const QString &s, qsizetype from, qsizetype to, const char *sets, char set = 0)
{
    for (qsizetype i = from; i < to; ++i) {
        const int d = DigitAt(s, i);
        if (d < 0)
            return false;
        const char which = set ? set : sets[i - from];
        pen.DrawPattern(which == 'A' ? kSetA[d] : which == 'B' ? SetB(d) : SetC(d), 7);
    }
    return true;
}

constexpr quint32 kGuard = 0b101;
constexpr quint32 kCentre = 0b01010;

// Guard, left half, centre guard, right half in set C, guard.
void DrawTwoHalves(TBarPen &pen, const QString &s, qsizetype leftFrom, qsizetype half, const char *leftSets)
{
    pen.DrawPattern(kGuard, 3);
    if (!DrawDigits(pen, s, leftFrom, leftFrom + half, leftSets, leftSets ? 0 : 'A'))
        return;
    pen.DrawPattern(kCentre, 5);
    if (!DrawDigits(pen, s, leftFrom + half, leftFrom + 2 * half, nullptr, 'C'))
        return;
    pen.DrawPattern(kGuard, 3);
}

} // namespace

QChar UpcEanCheckDigit(const QString &digits)
{
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += weight * qMax(0, DigitAt(digits, i));
        weight = 4 - weight;
    }
    return QLatin1Char(char('0' + (10 - sum % 10) % 10));
}

QString ExpandUPCE(const QString &body)
{
    if (body.size() < 6)
        return {};
    const QString d = body.left(6);
    const QChar last = d[5];
    const QString zeros4 = QStringLiteral("0000");
    if (last <= QLatin1Char('2'))
        return QLatin1Char('0') + d.mid(0, 2) + last + zeros4 + d.mid(2, 3);
    if (last == QLatin1Char('3'))
        return QLatin1Char('0') + d.mid(0, 3) + zeros4 + QLatin1Char('0') + d.mid(3, 2);
    if (last == QLatin1Char('4'))
        return QLatin1Char('0') + d.mid(0, 4) + zeros4 + QLatin1Char('0') + d.mid(4, 1);
    return QLatin1Char('0') + d.mid(0, 5) + zeros4 + last;
}

void DrawUPCA(TBarPen &pen, const QString &text)
{
    const QString d = PadDigits(text, 11);
    DrawTwoHalves(pen, d + UpcEanCheckDigit(d), 0, 6, nullptr);
}

void DrawEAN13(TBarPen &pen, const QString &text)
{
    const QString d = PadDigits(text, 12);
    const int first = DigitAt(d, 0);
    if (first < 0)
        return;
    DrawTwoHalves(pen, d + UpcEanCheckDigit(d), 1, 6, kEan13Parity[first]);
}

void DrawEAN8(TBarPen &pen, const QString &text)
{
    const QString d = PadDigits(text, 7);
    DrawTwoHalves(pen, d + UpcEanCheckDigit(d), 0, 4, nullptr);
}

void DrawUPCE(TBarPen &pen, const QString &text)
{
    const QString s = PadDigits(text, 6);
    const int k = UpcEanCheckDigit(ExpandUPCE(s)).unicode() - '0';
    pen.DrawPattern(kGuard, 3);
    if (DrawDigits(pen, s, 0, 6, kUpcEParity[k]))
        pen.DrawPattern(0b010101, 6);
}

void DrawUPCSupp2(TBarPen &pen, const QString &text)
{
    const QString t = PadDigits(text, 2);
    const int d1 = DigitAt(t, 0), d2 = DigitAt(t, 1);
    pen.DrawPattern(0b1011, 4);
    if (d1 < 0)
        return;
    const int v = d1 * 10 + qMax(0, d2);
    const char sets[2] = {v % 4 >= 2 ? 'B' : 'A', v % 2 ? 'B' : 'A'};
    DrawDigits(pen, t, 0, 1, sets);
    pen.DrawPattern(0b01, 2);
    DrawDigits(pen, t, 1, 2, sets + 1);
}

void DrawUPCSupp5(TBarPen &pen, const QString &text)
{
    const QString t = PadDigits(text, 5);
    int sum = 0;
    for (int i = 0; i < 5; ++i)
        sum += (i % 2 ? 9 : 3) * qMax(0, DigitAt(t, i));
    const char *sets = kSupp5Parity[sum % 10];
    pen.DrawPattern(0b1011, 4);
    for (int i = 0; i < 5; ++i) {
        if (!DrawDigits(pen, t, i, i + 1, sets + i))
            return;
        if (i < 4)
            pen.DrawPattern(0b01, 2);
    }
}
