// Data files: every splitting mode (chosen by the first bytes) reads any file
// to its end, one record per line, without hanging; splitting keeps every
// character that is not a separator, quote or trimmed blank.

#include "fuzz_common.h"

#include "data/dataimport.h"

namespace {

TSplitSettings SettingsFrom(TFuzzInput &in)
{
    TSplitSettings s;
    const uint8_t flags = in.Byte();
    s.Mode = TSplitMode(flags & 3);
    s.IgnoreHeader = flags & 4;
    s.LTrim = flags & 8;
    s.RTrim = flags & 16;
    switch ((flags >> 5) & 3) {
    case 0: s.QuoteChar = QStringLiteral("\""); break;
    case 1: s.QuoteChar = QString(); break;
    case 2: s.QuoteChar = QStringLiteral("'"); break;
    default: s.QuoteChar = QString(QChar(in.Byte())); break; // the separator itself, a blank, a line end...
    }
    const uint8_t sep = in.Byte();
    s.CustomSeparator = sep == 0xFF ? QString() : QString(QChar(sep));
    // Up to 15 columns; widths include 0, 1 and very large values.
    const int columns = in.Byte() & 15;
    s.ColumnSizes.clear();
    for (int i = 0; i < columns; ++i) {
        const uint8_t w = in.Byte();
        s.ColumnSizes << (w == 0xFF ? INT32_MAX : w == 0xFE ? -5 : int(w));
    }
    if (s.ColumnSizes.isEmpty())
        s.ColumnSizes << 10;
    return s;
}

void CheckSplit(const QString &line, const TSplitSettings &s)
{
    const TDataRow row = ParseLine(line, s);
    if (s.Mode == TSplitMode::Fixed) {
        FUZZ_CHECK(row.size() == s.ColumnSizes.size(), line.left(80));
        return;
    }
    // Nothing is made up: the fields hold at most the line's characters.
    qsizetype total = 0;
    for (const QString &f : row)
        total += f.size();
    FUZZ_CHECK(total <= line.size(), line.left(80));
    FUZZ_CHECK(row.size() <= line.size() + 1, line.left(80));
    if (s.QuoteChar.isEmpty() && !line.isEmpty()) {
        // Without quoting, joining the fields with the separator gives the line
        // back (less a trailing separator).
        QString joined = row.join(s.Separator());
        QString expect = line;
        if (expect.endsWith(s.Separator()) && !(row.isEmpty() && expect.size() == 1))
            expect.chop(1);
        if (row.isEmpty())
            expect.clear();
        FUZZ_CHECK(joined == expect, line.left(80) + QStringLiteral(" -> ") + joined.left(80));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const TSplitSettings s = SettingsFrom(in);
    const QByteArray body = in.Rest();
    const QString path = FuzzWriteFile(QStringLiteral("data.txt"), body);

    QString error;
    const QStringList samples = ReadSampleLines(path, 10, &error);
    FUZZ_CHECK(error.isEmpty(), error);
    FUZZ_CHECK(samples.size() <= 10, QString::number(samples.size()));
    FUZZ_CHECK(InitialFixedWidth(samples) >= 10, QString());
    for (const QString &line : samples)
        CheckSplit(line, s);

    TRecordReader reader;
    FUZZ_CHECK(reader.OpenData(path, s, &error), error);
    FUZZ_CHECK(reader.DataOpen(), path);
    // A line holds at least one byte or ends with a line end, so a file of n
    // bytes has at most n + 1 lines: more reads than that would be a hang.
    qint64 reads = 0;
    while (!reader.DataEof()) {
        reader.ReadRecord();
        FUZZ_CHECK(++reads <= body.size() + 1, QStringLiteral("%1 reads of %2 bytes").arg(reads).arg(body.size()));
    }
    FUZZ_CHECK(!reader.Failed(), reader.ErrorString());
    FUZZ_CHECK(reader.RecordsRead() <= body.size() + 1, QString::number(reader.RecordsRead()));
    if (s.Mode == TSplitMode::Fixed && reader.HasRecord())
        FUZZ_CHECK(reader.DataRow().size() == s.ColumnSizes.size(), QString());
    reader.ReadRecord(); // at the end: nothing happens
    FUZZ_CHECK(reader.DataEof(), QString());
    reader.CloseData();
    FUZZ_CHECK(!reader.DataOpen(), QString());
    return 0;
}
