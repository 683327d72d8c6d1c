#include "barcode/gs1.h"
#include "barcode/symbology.h"

namespace {

// Bar/space widths of the symbol values 0..106, bar first; 106 is the stop
// with its final two-module bar.
const char *const kCode128Widths[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

enum : int {
    kShift = 98,
    kCodeC = 99,
    kCodeB = 100,
    kCodeA = 101,
    kFnc1 = 102,
    kStartA = 103,
    kStartB = 104,
    kStartC = 105,
    kStop = 106,
};

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsControl(QChar c) { return c.unicode() < 32; }
bool IsSmall(QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); }
// Characters that only code set B holds: the small letters and ` { | } ~ DEL.
bool IsSetBOnly(QChar c) { return c.unicode() >= 96 && c.unicode() <= 127; }

int DigitRun(const QString &t, qsizetype i)
{
    int n = 0;
    while (i + n < t.size() && IsDigit(t[i + n]))
        ++n;
    return n;
}

// In GS1-128 data a group separator stands for an FNC1, which every code set has.
bool IsFnc1(const QString &t, qsizetype i, bool ean) { return ean && t[i].unicode() == 0x1d; }

char StartSet(const QString &text, bool ean)
{
    if (DigitRun(text, 0) >= 4)
        return 'C';
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsControl(text[i]) && !IsFnc1(text, i, ean))
            return 'A';
        if (IsSmall(text[i]))
            return 'B';
    }
    return 'B';
}

} // namespace

char Code128StartSet(const QString &text)
{
    return StartSet(text, false);
}

int Code128CheckChar(const QByteArray &symbols)
{
    if (symbols.isEmpty())
        return 0;
    int sum = (uchar(symbols[0]) - 32) % 103;
    for (qsizetype k = 1; k < symbols.size(); ++k)
        sum = (sum + int(k) * (uchar(symbols[k]) - 32)) % 103;
    return sum;
}

QByteArray Code128Encode(const QString &t, bool ean)
{
    QByteArray out;
    auto put = [&out](int v) { out.append(char(v + 32)); };
    const qsizetype n = t.size();
    char set = StartSet(t, ean);
    put(set == 'A' ? kStartA : set == 'B' ? kStartB : kStartC);
    if (ean)
        put(kFnc1);
    bool shifted = false;
    qsizetype i = 0;
    // Change between A and B for the one character at i (SHIFT) when the next
    // one belongs to the set we leave, else for good (CODE A / CODE B).
    auto switchAB = [&](char target, bool (*nextKeepsOldSet)(QChar)) {
        if (i + 1 < n && nextKeepsOldSet(t[i + 1])) {
            put(kShift);
            shifted = true;
        } else {
            put(target == 'A' ? kCodeA : kCodeB);
        }
        set = target;
    };
    while (i < n) {
        // Characters only set B holds cannot be written in set A; they switch
        // as a small letter would, so every filtered text reads back intact.
        if (set == 'A' && IsSetBOnly(t[i]))
            switchAB('B', IsControl);
        const QChar c = t[i];
        if (IsFnc1(t, i, ean)) {
            put(kFnc1);
            i += 1;
        } else if (set == 'C') {
            put((c.unicode() - '0') * 10 + (t[i + 1].unicode() - '0'));
            i += 2;
        } else {
            put(set == 'A' && IsControl(c) ? c.unicode() + 64 : c.unicode() - 32);
            i += 1;
        }
        if (i >= n)
            break;
        if (shifted) {
            set = set == 'A' ? 'B' : 'A';
            shifted = false;
            continue;
        }
        if (IsFnc1(t, i, ean))
            continue;
        if (set == 'A' || set == 'B') {
            const int run = DigitRun(t, i);
            if (run >= 4 && run % 2 == 0) {
                put(kCodeC);
                set = 'C';
            } else if (set == 'B' && IsControl(t[i])) {
                switchAB('A', IsSmall);
            } else if (set == 'A' && IsSmall(t[i])) {
                switchAB('B', IsControl);
            }
        } else if (i == n - 1) {
            // A control character left alone after a digit run needs set A.
            set = IsControl(t[i]) ? 'A' : 'B';
            put(set == 'A' ? kCodeA : kCodeB);
        } else if (!(IsDigit(t[i]) && IsDigit(t[i + 1]))) {
            set = StartSet(t.mid(i), ean);
            put(set == 'A' ? kCodeA : kCodeB);
        }
    }
    put(Code128CheckChar(out));
    put(kStop);
    return out;
}

namespace {

void DrawSymbols(TBarPen &pen, const QByteArray &symbols)
{
    for (qsizetype k = 0; k < symbols.size(); ++k) {
        const int v = uchar(symbols[k]) - 32;
        if (v < 0 || v > 106)
            return;
        pen.DrawWidths(kCode128Widths[v]);
    }
}

} // namespace

void DrawCode128(TBarPen &pen, const QString &text)
{
    DrawSymbols(pen, Code128Encode(text, false));
}

void DrawEAN128(TBarPen &pen, const QString &text)
{
    DrawSymbols(pen, Code128Encode(Gs1128Data(text), true));
}
