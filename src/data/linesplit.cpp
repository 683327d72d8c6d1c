// Lines into fields: delimited, quoted and fixed-width splitting, and the
// choices the import wizard starts from.
#include "data/dataimport.h"

#include <QFileInfo>

QChar TSplitSettings::Separator() const
{
    switch (Mode) {
    case TSplitMode::Comma:
        return QLatin1Char(',');
    case TSplitMode::Tab:
        return QLatin1Char('\t');
    case TSplitMode::Custom:
    case TSplitMode::Fixed:
        break;
    }
    return CustomSeparator.isEmpty() ? QChar(0) : CustomSeparator.at(0);
}

TDataRow SplitDelimited(const QString &line, QChar separator, const QString &quote)
{
    TDataRow row;
    const bool quoting = !quote.isEmpty();
    const QChar q = quoting ? quote.at(0) : QChar();
    QString field;
    bool inQuotes = false;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line.at(i);
        if (quoting && c == q) {
            if (i + 1 < n && line.at(i + 1) == q) {
                field += q; // a doubled quote is one literal quote
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
            continue;
        }
        if (c == separator && !inQuotes) {
            row.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    if (!field.isEmpty())
        row.append(field);
    return row;
}

namespace {

// The bytes one character counts in a fixed-width line.
int FixedWidthBytes(char32_t ch, TTextEncoding encoding)
{
    if (ch < 0x80)
        return 1;
    if (encoding != TTextEncoding::Gb18030)
        return 2;
    return ch == 0xFFFD ? 1 : Gb18030Length(ch); // a byte that did not decode stood alone
}

// The character at i and its length in UTF-16 units.
char32_t CharAt(QStringView s, qsizetype i, qsizetype *units)
{
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(c, s[i + 1]);
    }
    *units = 1;
    return c.unicode();
}

} // namespace

qint64 FixedWidthLength(QStringView line, TTextEncoding encoding)
{
    qint64 bytes = 0;
    for (qsizetype i = 0, units = 0; i < line.size(); i += units)
        bytes += FixedWidthBytes(CharAt(line, i, &units), encoding);
    return bytes;
}

TDataRow SplitFixed(const QString &line, const QList<int> &widths, bool ltrim, bool rtrim, TTextEncoding encoding)
{
    TDataRow row;
    const qsizetype n = line.size();
    qsizetype i = 0; // the next character
    qint64 at = 0;   // its byte position
    qint64 p = 0;    // the column's first byte
    for (int w : widths) {
        const qint64 end = p + qMax(w, 0);
        const qsizetype start = i;
        while (i < n && at < end) {
            qsizetype units = 0;
            at += FixedWidthBytes(CharAt(line, i, &units), encoding);
            i += units;
        }
        QString field = line.mid(start, i - start);
        if (ltrim) {
            qsizetype k = 0;
            while (k < field.size() && field.at(k) == QLatin1Char(' '))
                ++k;
            field.remove(0, k);
        }
        if (rtrim) {
            qsizetype k = field.size();
            while (k > 0 && field.at(k - 1) == QLatin1Char(' '))
                --k;
            field.truncate(k);
        }
        row.append(field);
        p = end;
    }
    return row;
}

TDataRow ParseLine(const QString &line, const TSplitSettings &s, TTextEncoding encoding)
{
    if (s.Mode == TSplitMode::Fixed)
        return SplitFixed(line, s.ColumnSizes, s.LTrim, s.RTrim, encoding);
    return SplitDelimited(line, s.Separator(), s.QuoteChar);
}

bool SplitModeForFile(const QString &fileName, TSplitMode &mode)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    if (ext == QLatin1String("TXT"))
        mode = TSplitMode::Tab;
    else if (ext == QLatin1String("CSV"))
        mode = TSplitMode::Comma;
    else if (ext == QLatin1String("PRN"))
        mode = TSplitMode::Fixed;
    else if (ext == QLatin1String("DAT"))
        mode = TSplitMode::Custom;
    else
        return false;
    return true;
}

int InitialFixedWidth(const QStringList &sampleLines, TTextEncoding encoding)
{
    qint64 w = 10;
    for (const QString &l : sampleLines)
        w = qMax(w, FixedWidthLength(l, encoding));
    return int(qMin<qint64>(w, INT_MAX));
}

bool QuoteOpen(QStringView line, const TSplitSettings &s)
{
    if (s.Mode == TSplitMode::Fixed || s.QuoteChar.isEmpty())
        return false;
    // Only a quote that opens a field spans lines, as spreadsheets write it: a
    // stray one inside a field (24" screen) stays on its line.
    const QChar q = s.QuoteChar.at(0), separator = s.Separator();
    bool inQuotes = false, fieldStart = true, openedAtStart = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == q && i + 1 < line.size() && line[i + 1] == q) {
            ++i; // a doubled quote is one literal quote
        } else if (c == q) {
            if (!inQuotes)
                openedAtStart = fieldStart;
            inQuotes = !inQuotes;
        } else if (c == separator && !inQuotes) {
            fieldStart = true;
            continue;
        }
        fieldStart = false;
    }
    return inQuotes && openedAtStart;
}

QStringList SampleRecords(const QStringList &lines, const TSplitSettings &s)
{
    QStringList records;
    bool open = false;
    for (const QString &line : lines) {
        if (open)
            records.last() += QLatin1Char('\n') + line;
        else
            records.append(line);
        open = QuoteOpen(records.last(), s);
    }
    return records;
}
