#pragma once
// The readers behind the spreadsheet record source: each gives a sheet's rows
// in order, streamed, one row at a time.

#include "model/advanced.h"

#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <memory>

class TSheetRows {
public:
    virtual ~TSheetRows() = default;
    // The next row and how many times it stands in a row (rows left out of
    // the file, and repeated rows, come as one row with a count). The cells
    // may stop before the row's last empty ones. False at the end, and on an
    // error (Error then says what is wrong).
    virtual bool NextRow(TDataRow &row, qint64 &count) = 0;
    virtual QString Error() const = 0;
    // The sheet's width as the file states it; 0 when it does not.
    virtual int DeclaredWidth() const { return 0; }
};

// A workbook's sheet names in order, or an empty list and *error.
QStringList XlsxSheetNames(const QString &fileName, QString *error);
QStringList OdsSheetNames(const QString &fileName, QString *error);
QStringList XlsSheetNames(const QString &fileName, QString *error);
// The sheet at index (from 0); null with *error.
std::unique_ptr<TSheetRows> OpenXlsxRows(const QString &fileName, int index, QString *error);
std::unique_ptr<TSheetRows> OpenOdsRows(const QString &fileName, int index, QString *error);
std::unique_ptr<TSheetRows> OpenXlsRows(const QString &fileName, int index, QString *error);

// One member of a zip archive read as XML, a chunk at a time.
class TZipXml {
public:
    TZipXml();
    ~TZipXml();
    TZipXml(const TZipXml &) = delete;
    TZipXml &operator=(const TZipXml &) = delete;
    // False with *error ("no member" when the archive lacks it and
    // *missing is given: then *missing is set instead).
    bool Open(const QString &fileName, const QString &member, QString *error, bool *missing = nullptr);
    // The next token, reading more of the member as the parser needs it;
    // Invalid at the end of the document or on an error.
    QXmlStreamReader::TokenType Next();
    QXmlStreamReader &Xml() { return xml_; }
    // Empty unless reading or parsing failed.
    QString Error() const;
    // The text up to the end of the current element (skipping the text of
    // elements named in `skip`, by local name).
    QString ElementText(const QStringList &skip = {});
    // Skips to the end of the current element.
    void SkipElement();

private:
    struct Zip;
    std::unique_ptr<Zip> zip_;
    QXmlStreamReader xml_;
    QString member_;
    QString readError_;
    bool eof_ = false;
};

// "Cannot read the spreadsheet "FILE": WHY"
QString SheetErrorText(const QString &fileName, const QString &why);
