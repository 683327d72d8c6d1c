#pragma once
// The readers behind the spreadsheet record source: each gives a sheet's rows
// in order, streamed, one row at a time.

#include "data/spreadsheet.h"
#include "model/advanced.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <memory>

// A row's cells that hold dates: only those, so that a row costs nothing
// more when it holds none.
struct TCellDate {
    int Column = 0; // from 1
    QDateTime When;
};
using TRowDates = QList<TCellDate>;

class TSheetRows {
public:
    virtual ~TSheetRows() = default;
    // The next row and how many times it stands in a row (rows left out of
    // the file, and repeated rows, come as one row with a count). The cells
    // may stop before the row's last empty ones. False at the end, and on an
    // error (Error then says what is wrong).
    virtual bool NextRow(TDataRow &row, qint64 &count) = 0;
    virtual QString Error() const = 0;
    // The date cells of the row NextRow gave last (a date serial under a date
    // format, a date or time value).
    virtual const TRowDates &RowDates() const { return noDates_; }
    // The sheet's width as the file states it; 0 when it does not.
    virtual int DeclaredWidth() const { return 0; }
    virtual QString SheetName() const = 0;

private:
    TRowDates noDates_;
};

// A workbook's sheets in order and in *active the one it was saved showing
// (-1 when it does not say), or an empty list and *error.
QList<TSheetInfo> XlsxSheets(const QString &fileName, int *active, QString *error);
QList<TSheetInfo> OdsSheets(const QString &fileName, int *active, QString *error);
QList<TSheetInfo> XlsSheets(const QString &fileName, int *active, QString *error);
// The sheet a workbook opens at: the active one unless it is hidden, else
// the first visible one, else the first.
int OpeningSheet(const QList<TSheetInfo> &sheets, int active);
// No cell keeps more than this of its text (in UTF-16 units): what a label
// can show, so that one enormous cell costs no more than a long one.
constexpr qsizetype kMaxCellText = kMaxShownText;
// "Sheet1!B7"
QString CellName(const QString &sheet, int column, qint64 row);
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
    void Feed(const char *data, qsizetype size);

    struct Zip;
    std::unique_ptr<Zip> zip_;
    // Text between tags is cut to kMaxCellText before the parser sees it.
    qint64 textRun_ = 0;
    bool inTag_ = false, inEntity_ = false, dropping_ = false;
    QXmlStreamReader xml_;
    QString member_;
    QString readError_;
    bool eof_ = false;
};

// "Cannot read the spreadsheet "FILE": WHY"
QString SheetErrorText(const QString &fileName, const QString &why);
// Why a file named as a spreadsheet is none: a password-protected workbook,
// a text file; empty when neither.
QString NotASpreadsheetReason(const QString &fileName);
