#include "barcode/symbology.h"

namespace {

// Five elements per digit, most significant first, 1 = wide (ITF) or full bar (POSTNET).
const quint32 kItf[10] = {0b00110, 0b10001, 0b01001, 0b11000, 0b00101,
                          0b10100, 0b01100, 0b00011, 0b10010, 0b01010};
const quint32 kPostnet[10] = {0b11000, 0b00011, 0b00101, 0b00110, 0b01001,
                              0b01010, 0b01100, 0b10001, 0b10010, 0b10100};

int Digit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : -1;
}

} // namespace

QChar PostnetCheckDigit(const QString &digits)
{
    int sum = 0;
    for (QChar c : digits)
        sum += qMax(0, Digit(c));
    return QLatin1Char(char('0' + (10 - sum % 10) % 10));
}

void DrawITF(TBarPen &pen, const QString &text)
{
    const int m = pen.Module();
    const QString t = text.size() % 2 ? QLatin1Char('0') + text : text;
    pen.DrawPattern(0b1010, 4);
    for (qsizetype i = 0; i + 1 < t.size(); i += 2) {
        const int bars = Digit(t[i]), spaces = Digit(t[i + 1]);
        if (bars < 0 || spaces < 0)
            return;
        for (int j = 4; j >= 0; --j) {
            const int bw = (kItf[bars] >> j) & 1 ? 3 * m : m;
            pen.DrawModuleBar(bw);
            pen.AdvanceModule(bw);
            pen.AdvanceModule((kItf[spaces] >> j) & 1 ? 3 * m : m);
        }
    }
    pen.DrawPattern(0b11101, 5);
}

void DrawPostnet(TBarPen &pen, const QString &text)
{
    const int m = pen.Module();
    const int full = pen.Length();
    const int half = full / 2;
    const QString t = text + PostnetCheckDigit(text);
    pen.DrawModuleBar(m);
    pen.AdvanceModule(m);
    for (QChar c : t) {
        const int d = Digit(c);
        if (d < 0)
            return;
        for (int j = 4; j >= 0; --j) {
            pen.AdvanceModule(m);
            if ((kPostnet[d] >> j) & 1)
                pen.DrawModuleBar(m);
            else
                pen.DrawBar(m, pen.Top() + half, half);
            pen.AdvanceModule(m);
        }
    }
    pen.AdvanceModule(m);
    pen.DrawModuleBar(m);
}
