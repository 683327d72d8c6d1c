#include "storage/textencoding.h"

#include <QChar>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>
#include <optional>

namespace {

// The cost of a two-byte GB18030 character by its bytes (see the header).
int PairCost(uchar lead, uchar trail)
{
    if (trail < 0xA1 || trail == 0xFF)
        return 2; // GBK extension
    if ((lead >= 0xB0 && lead <= 0xD7) || lead == 0xA1 || lead == 0xA3)
        return 0;
    if ((lead >= 0xD8 && lead <= 0xF7) || (lead >= 0xA2 && lead <= 0xA9))
        return 1;
    return 2; // user-defined areas
}

struct CharInfo {
    uchar length = 2;
    uchar cost = 2;
};

// GB18030 length and cost of every BMP character, from one pass of the codec.
const std::array<CharInfo, 0x10000> &BmpTable()
{
    static const std::array<CharInfo, 0x10000> table = [] {
        std::array<CharInfo, 0x10000> t{};
        for (char32_t c = 0; c < 0x80; ++c)
            t[c] = {1, 0};
        QString all;
        all.reserve(0x10000);
        for (char32_t c = 0x80; c < 0x10000; ++c)
            if (c < 0xD800 || c > 0xDFFF)
                all.append(QChar(char16_t(c)));
        QStringEncoder enc("GB18030", QStringConverter::Flag::Stateless);
        if (!enc.isValid())
            return t;
        const QByteArray b = enc.encode(all);
        qsizetype i = 0;
        for (QChar qc : all) {
            if (i >= b.size())
                break;
            CharInfo &info = t[qc.unicode()];
            const uchar lead = uchar(b[i]);
            if (lead < 0x80 || i + 1 >= b.size()) {
                info = {1, 2};
                i += 1;
            } else if (uchar(b[i + 1]) >= 0x30 && uchar(b[i + 1]) <= 0x39) {
                info = {4, 2};
                i += 4;
            } else {
                info = {2, uchar(PairCost(lead, uchar(b[i + 1])))};
                i += 2;
            }
        }
        return t;
    }();
    return table;
}

int CharCost(char32_t c)
{
    return c < 0x10000 ? BmpTable()[c].cost : 2;
}

// A letter's script, or -1.
int LetterScript(char32_t c)
{
    return QChar::isLetter(c) ? int(QChar::script(c)) : -1;
}

int Utf8ReadingCost(const QString &text)
{
    const qsizetype n = text.size();
    auto at = [&](qsizetype i, qsizetype *next) -> char32_t {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            *next = i + 2;
            return QChar::surrogateToUcs4(c, text[i + 1]);
        }
        *next = i + 1;
        return c.unicode();
    };
    int cost = 0;
    int prevScript = -1;
    qsizetype i = 0, next = 0;
    char32_t c = n > 0 ? at(0, &next) : 0;
    while (i < n) {
        qsizetype after = next;
        const char32_t following = next < n ? at(next, &after) : 0;
        const int script = LetterScript(c);
        if (c >= 0x80) {
            int k = CharCost(c);
            if (k > 0 && c < 0x800 && script >= 0 && (prevScript == script || (next < n && LetterScript(following) == script)))
                k = 0;
            cost += k;
        }
        prevScript = script;
        i = next;
        next = after;
        c = following;
    }
    return cost;
}

bool IsAsciiLetter(uchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int Gb18030ReadingCost(QByteArrayView b, bool truncated, bool latinNeighbours)
{
    int cost = 0;
    const qsizetype n = b.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar c = uchar(b[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c == 0x80 || c == 0xFF) {
            cost += 2;
            ++i;
            continue;
        }
        if (i + 1 >= n) {
            cost += truncated ? 0 : 2;
            break;
        }
        const uchar t = uchar(b[i + 1]);
        if (t >= 0x30 && t <= 0x39) {
            if (i + 3 >= n) {
                cost += truncated ? 0 : 2;
                break;
            }
            const uchar t2 = uchar(b[i + 2]), t3 = uchar(b[i + 3]);
            cost += 2;
            i += (t2 >= 0x81 && t2 <= 0xFE && t3 >= 0x30 && t3 <= 0x39) ? 4 : 1;
        } else if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFE)) {
            cost += PairCost(c, t);
            if (latinNeighbours)
                cost += int(i > 0 && IsAsciiLetter(uchar(b[i - 1]))) + int(i + 2 < n && IsAsciiLetter(uchar(b[i + 2])));
            i += 2;
        } else {
            cost += 2;
            ++i;
        }
    }
    return cost;
}

// Drops a UTF-8 sequence cut off by the end of the bytes.
QByteArrayView WithoutCutSequence(QByteArrayView b)
{
    for (qsizetype back = 1; back <= 3 && back <= b.size(); ++back) {
        const uchar c = uchar(b[b.size() - back]);
        if ((c & 0xC0) == 0x80)
            continue; // continuation byte: look further back
        const int len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return len > back ? b.first(b.size() - back) : b;
    }
    return b;
}

} // namespace

namespace {

// The UTF-8 reading when the bytes are plainly UTF-8 (see the header).
std::optional<QString> PlainUtf8(QByteArrayView bytes, bool truncated, bool latinNeighbours = false)
{
    const QByteArrayView body = truncated ? WithoutCutSequence(bytes) : bytes;
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(body);
    if (utf8.hasError() || Utf8ReadingCost(text) >= Gb18030ReadingCost(body, truncated, latinNeighbours))
        return std::nullopt;
    return text;
}

} // namespace

TTextEncoding DetectTextEncoding(QByteArrayView bytes, bool truncated)
{
    return PlainUtf8(bytes, truncated) ? TTextEncoding::Utf8 : TTextEncoding::Gb18030;
}

TTextEncoding DetectDataEncoding(QByteArrayView bytes, bool truncated)
{
    return PlainUtf8(bytes, truncated, true) ? TTextEncoding::Utf8 : TTextEncoding::Gb18030;
}

bool TextEncodingFromName(const QString &name, TTextEncoding *encoding)
{
    const QString n = name.trimmed().toUpper().remove(QLatin1Char('-')).remove(QLatin1Char('_'));
    if (n == QLatin1String("UTF8"))
        *encoding = TTextEncoding::Utf8;
    else if (n == QLatin1String("GB18030") || n == QLatin1String("GBK") || n == QLatin1String("GB2312"))
        *encoding = TTextEncoding::Gb18030;
    else if (n == QLatin1String("UTF16LE"))
        *encoding = TTextEncoding::Utf16Le;
    else if (n == QLatin1String("UTF16BE"))
        *encoding = TTextEncoding::Utf16Be;
    else
        return false;
    return true;
}

QString TextEncodingName(TTextEncoding encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TTextEncoding::Utf16Le:
        return QStringLiteral("UTF-16LE");
    case TTextEncoding::Utf16Be:
        return QStringLiteral("UTF-16BE");
    case TTextEncoding::Gb18030:
        break;
    }
    return QStringLiteral("GB18030");
}

QByteArray EncodeGb18030(const QString &text)
{
    QStringEncoder enc("GB18030", QStringConverter::Flag::Stateless);
    if (!enc.isValid()) // a Qt without ICU: keep the text rather than lose it
        return text.toUtf8();
    return enc.encode(text);
}

QString DecodeGb18030(QByteArrayView bytes)
{
    QStringDecoder dec("GB18030", QStringConverter::Flag::Stateless);
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    return dec.decode(bytes);
}

QString DecodeTextFile(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::Stateless);
        return dec.decode(bytes.sliced(2));
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    if (std::optional<QString> text = PlainUtf8(bytes, false))
        return *std::move(text);
    return DecodeGb18030(bytes);
}

int Gb18030Length(char32_t ch)
{
    return ch < 0x10000 ? BmpTable()[ch].length : 4;
}
