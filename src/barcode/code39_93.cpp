#include "barcode/symbology.h"

#include <QList>

namespace {

// Code 39: the nine elements of each character, bar first, 1 = wide.
struct Code39Char {
    char c;
    const char *wide;
};
const Code39Char kCode39[44] = {
    {'0', "000110100"}, {'1', "100100001"}, {'2', "001100001"}, {'3', "101100000"}, {'4', "000110001"},
    {'5', "100110000"}, {'6', "001110000"}, {'7', "000100101"}, {'8', "100100100"}, {'9', "001100100"},
    {'A', "100001001"}, {'B', "001001001"}, {'C', "101001000"}, {'D', "000011001"}, {'E', "100011000"},
    {'F', "001011000"}, {'G', "000001101"}, {'H', "100001100"}, {'I', "001001100"}, {'J', "000011100"},
    {'K', "100000011"}, {'L', "001000011"}, {'M', "101000010"}, {'N', "000010011"}, {'O', "100010010"},
    {'P', "001010010"}, {'Q', "000000111"}, {'R', "100000110"}, {'S', "001000110"}, {'T', "000010110"},
    {'U', "110000001"}, {'V', "011000001"}, {'W', "111000000"}, {'X', "010010001"}, {'Y', "110010000"},
    {'Z', "011010000"}, {'-', "010000101"}, {'.', "110000100"}, {' ', "011000100"}, {'*', "010010100"},
    {'$', "010101000"}, {'/', "010100010"}, {'+', "010001010"}, {'%', "000101010"},
};

// 13-bit patterns (the character and its trailing gap) by code 32..90; 0 = none.
struct Code39Table {
    quint32 bits[128] = {};
    Code39Table()
    {
        for (const Code39Char &e : kCode39) {
            quint32 p = 0;
            bool bar = true;
            for (const char *w = e.wide; *w; ++w, bar = !bar)
                for (int j = 0; j < (*w == '1' ? 2 : 1); ++j)
                    p = (p << 1) | (bar ? 1 : 0);
            bits[int(e.c)] = p << 1;
        }
    }
};
const Code39Table &Code39Patterns()
{
    static const Code39Table table;
    return table;
}

// The full-ASCII form: the (shift, letter) pair of every code 0..127; a code
// that stands for itself has shift 0.
struct AsciiPair {
    char shift;
    char letter;
};

AsciiPair FullAscii39(int code)
{
    if (code == 0)
        return {'%', 'U'};
    if (code <= 26)
        return {'$', char('A' + code - 1)};
    if (code <= 31)
        return {'%', char('A' + code - 27)};
    if (code == ' ' || code == '-' || code == '.' || (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        return {0, char(code)};
    if (code <= 44)
        return {'/', char('A' + code - 33)};
    if (code == '/')
        return {'/', 'O'};
    if (code == ':')
        return {'/', 'Z'};
    if (code <= 63)
        return {'%', char('F' + code - 59)};
    if (code == '@')
        return {'%', 'V'};
    if (code <= 95)
        return {'%', char('K' + code - 91)};
    if (code == '`')
        return {'%', 'W'};
    if (code <= 122)
        return {'+', char('A' + code - 97)};
    return {'%', char('P' + code - 123)};
}

AsciiPair FullAscii93(int code)
{
    if (code == '$' || code == '%' || code == '+' || code == '/')
        return {0, char(code)};
    return FullAscii39(code);
}

bool DrawCode39Char(TBarPen &pen, int code)
{
    if (code < 32 || code > 90 || !Code39Patterns().bits[code])
        return false;
    pen.DrawPattern(Code39Patterns().bits[code], 13);
    return true;
}

// Code 93 symbols by value: widths bar first.
const char *const kCode93Widths[47] = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",
    "221121", "222111", "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211",
};
const char kCode93Chars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";

int Code93Value(char c)
{
    for (int v = 0; v < 43; ++v)
        if (kCode93Chars[v] == c)
            return v;
    return -1;
}

int Code93ShiftValue(char shift)
{
    switch (shift) {
    case '$': return 43;
    case '%': return 44;
    case '/': return 45;
    default: return 46;  // '+'
    }
}

// The symbol values of a text; stops at a code above 127.
QList<int> Code93Values(const QString &text)
{
    QList<int> values;
    for (QChar c : text) {
        if (c.unicode() > 127)
            break;
        const AsciiPair p = FullAscii93(c.unicode());
        if (p.shift)
            values.append(Code93ShiftValue(p.shift));
        values.append(Code93Value(p.letter));
    }
    return values;
}

int WeightedSum(const QList<int> &values, int maxWeight)
{
    int sum = 0;
    int weight = 1;
    for (qsizetype k = values.size() - 1; k >= 0; --k) {
        sum = (sum + weight * values[k]) % 47;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return sum;
}

void DrawCode93Value(TBarPen &pen, int value)
{
    pen.DrawWidths(kCode93Widths[value]);
}

} // namespace

int Code39ExtLength(const QString &text)
{
    int n = 0;
    for (QChar c : text)
        n += c.unicode() <= 127 && FullAscii39(c.unicode()).shift ? 2 : 1;
    return n;
}

int Code93Length(const QString &text)
{
    int n = 0;
    for (QChar c : text)
        n += c.unicode() <= 127 && FullAscii93(c.unicode()).shift ? 2 : 1;
    return n;
}

int Code93CheckC(const QString &text)
{
    return WeightedSum(Code93Values(text), 20);
}

int Code93CheckK(const QString &text)
{
    QList<int> values = Code93Values(text);
    values.append(WeightedSum(values, 20));
    return WeightedSum(values, 15);
}

void DrawCode39(TBarPen &pen, const QString &text)
{
    const QString full = QLatin1Char('*') + text + QLatin1Char('*');
    for (QChar c : full)
        if (!DrawCode39Char(pen, c.unicode()))
            return;
}

void DrawCode39Ext(TBarPen &pen, const QString &text)
{
    DrawCode39Char(pen, '*');
    for (QChar c : text) {
        if (c.unicode() > 127)
            break;
        const AsciiPair p = FullAscii39(c.unicode());
        if (p.shift)
            DrawCode39Char(pen, p.shift);
        DrawCode39Char(pen, p.letter);
    }
    DrawCode39Char(pen, '*');
}

void DrawCode93(TBarPen &pen, const QString &text)
{
    pen.DrawPattern(0b101011110, 9);
    for (int v : Code93Values(text))
        DrawCode93Value(pen, v);
    DrawCode93Value(pen, Code93CheckC(text));
    DrawCode93Value(pen, Code93CheckK(text));
    pen.DrawPattern(0b1010111101, 10);
}
