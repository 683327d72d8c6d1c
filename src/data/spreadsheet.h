#pragma once
// Spreadsheets (.xlsx, .ods, .xls) as record sources: one row a record, one
// column a field (column A is field 1). A cell gives the text the spreadsheet
// shows; empty cells are empty fields, and every record has the sheet's width
// (the width the file states, else the widest row read so far). Empty rows
// between rows are empty records; empty rows after the last row that holds
// something are not records. The sheet's first row is the header line.

#include "data/recordsource.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// True for the file names read as spreadsheets (by extension, any case).
bool IsSpreadsheetFile(const QString &fileName);
// Opens a sheet (its name, or its number from 1; empty for the one the
// workbook opens at). Null
// with *error naming the file when it cannot be read.
std::unique_ptr<TRecordSource> OpenSpreadsheet(const QString &fileName, const QString &sheet, bool ignoreHeader,
                                               QString *error);
struct TSheetInfo {
    QString Name;
    bool Hidden = false;
};
// The workbook's sheets in order and in *opensAt the one read when none is
// chosen (the active sheet, else the first visible); an empty list and
// *error when it cannot be read.
QList<TSheetInfo> SpreadsheetSheets(const QString &fileName, int *opensAt = nullptr, QString *error = nullptr);
QStringList SpreadsheetSheetNames(const QString &fileName, QString *error = nullptr);
// Up to max rows from the sheet's start, the header line among them, each as
// wide as the sheet (for the import wizard). Empty with *error on failure.
QList<TDataRow> ReadSpreadsheetRows(const QString &fileName, const QString &sheet, int max,
                                    QString *error = nullptr);
