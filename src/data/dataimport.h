#pragma once
// Text data import: splitting a line into fields and reading a data file
// record by record (streamed; memory stays flat whatever the file's size).
//
// Lines end at CR LF, LF or a lone CR; a line end before the end of the file
// does not start another (empty) line. A record is a line, or several when a
// field that starts with the quote holds line breaks (each kept as LF). The encoding is the one
// the user chose; else a byte-order mark's (UTF-8, UTF-16 LE or BE; the mark
// is dropped); else GB18030 unless plainly UTF-8 (DetectDataEncoding), judged
// on the first 64 KiB, or from the first line that is not ASCII when those are
// all ASCII. In a detected UTF-8 file a line that is not valid UTF-8 is read
// as GB18030 on its own.
//
// Fixed widths count bytes of the ANSI code page: in a GB18030 file the bytes
// of the line (a hanzi is two, a rare character four), in a UTF-8 or UTF-16
// file one for ASCII and two for any other character. A character that a
// column boundary cuts belongs to the column where it starts.

#include "data/recordsource.h"
#include "model/advanced.h"
#include "storage/textencoding.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

enum class TSplitMode { Comma, Tab, Custom, Fixed };

// The choices the import wizard shows; the record reader splits with them.
struct TSplitSettings {
    TSplitMode Mode = TSplitMode::Tab;
    QString CustomSeparator = QStringLiteral(",");  // first character used; empty means character 0
    QString QuoteChar = QStringLiteral("\"");        // empty: no quoting
    bool IgnoreHeader = true;
    bool LTrim = true;
    bool RTrim = true;
    QList<int> ColumnSizes = {10};
    std::optional<TTextEncoding> Encoding; // the user's choice; none: detected

    // The separator ParseLine uses for the delimited modes.
    QChar Separator() const;
};

TDataRow SplitDelimited(const QString &line, QChar separator, const QString &quote);
TDataRow SplitFixed(const QString &line, const QList<int> &widths, bool ltrim, bool rtrim,
                    TTextEncoding encoding = TTextEncoding::Gb18030);
// encoding: the data file's, for fixed widths.
TDataRow ParseLine(const QString &line, const TSplitSettings &s, TTextEncoding encoding = TTextEncoding::Gb18030);
// The length of a line in the bytes fixed widths count.
qint64 FixedWidthLength(QStringView line, TTextEncoding encoding);

// The wizard's choice for a file name by its extension (any case): .txt tab,
// .csv comma, .prn fixed, .dat custom; false (mode untouched) for others.
bool SplitModeForFile(const QString &fileName, TSplitMode &mode);
// The first fixed column for the sample lines: the longest line, at least 10.
int InitialFixedWidth(const QStringList &sampleLines, TTextEncoding encoding = TTextEncoding::Gb18030);

// True when the line ends inside a quoted field that a quote at its start
// opened: the record goes on in the next line.
bool QuoteOpen(QStringView line, const TSplitSettings &s);
// The sample lines joined into records as the record reader joins them.
QStringList SampleRecords(const QStringList &lines, const TSplitSettings &s);

// Up to max lines from the start of the file (for the preview). An empty
// list and a message naming the file when it cannot be read. *encoding
// receives the file's encoding as the record reader will take it; chosen is
// the user's.
QStringList ReadSampleLines(const QString &fileName, int max, QString *error = nullptr,
                            TTextEncoding *encoding = nullptr, std::optional<TTextEncoding> chosen = std::nullopt);

// A text data file as a record source.
class TRecordReader : public TRecordSource {
public:
    TRecordReader();
    ~TRecordReader() override;
    TRecordReader(const TRecordReader &) = delete;
    TRecordReader &operator=(const TRecordReader &) = delete;

    // Opens the file and reads the first data record (skipping the header
    // when asked). False with a message naming the file when it cannot be
    // read. Does nothing (true) when a file is already open.
    bool OpenData(const QString &fileName, const TSplitSettings &settings, QString *error = nullptr);
    // Reads and splits the next line; at the end of the file the current
    // record stays as it is.
    void ReadRecord() override;
    // True when no further line can be read (also after a read error).
    bool DataEof() const override;
    void CloseData();
    bool DataOpen() const;
    const TDataRow &DataRow() const override;
    // Number of records read so far (the header included).
    qint64 RecordsRead() const;
    // True when DataRow holds a data record (not the header, not nothing).
    bool HasRecord() const override;
    // True when a read error happened after opening; ErrorString names the file.
    bool Failed() const override;
    QString ErrorString() const override;
    QString SourceName() const override;
    // The header line split as the records are, each name trimmed; empty
    // when the file is read without a header.
    QStringList ColumnNames() const override;
    // A token is the file position of the record's first line.
    bool CanSeek() const override;
    qint64 Tell() const override;
    bool Seek(qint64 token) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
