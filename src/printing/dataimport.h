#pragma once
// Text data import: splitting a line into fields and reading a data file
// record by record (streamed; memory stays flat whatever the file's size).

#include "model/advanced.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

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
};

TDataRow SplitDelimited(const QString &line, QChar separator, const QString &quote);
TDataRow SplitFixed(const QString &line, const QList<int> &widths, bool ltrim, bool rtrim);
TDataRow ParseLine(const QString &line, const TSplitSettings &s);

// Up to max lines from the start of the file (for the preview).
QStringList ReadSampleLines(const QString &fileName, int max, QString *error = nullptr);

class TRecordReader {
public:
    TRecordReader();
    ~TRecordReader();
    // Opens the file and reads the first data record (skipping the header
    // when asked). False with a message naming the file when it cannot be read.
    bool OpenData(const QString &fileName, const TSplitSettings &settings, QString *error = nullptr);
    void ReadRecord();
    bool DataEof() const;
    void CloseData();
    bool DataOpen() const;
    const TDataRow &DataRow() const;
    // Number of records read so far (the header included).
    qint64 RecordsRead() const;
    // True when a read error happened after opening.
    bool Failed() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
