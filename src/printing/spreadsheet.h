#pragma once
// Spreadsheets (.xlsx, .ods, .xls) as record sources: one row a record, one
// column a field.

#include "printing/recordsource.h"

#include <QString>
#include <memory>

// True for the file names read as spreadsheets (by extension, any case).
bool IsSpreadsheetFile(const QString &fileName);
// Opens a sheet (its name, or its number from 1; empty for the first). Null
// with *error naming the file when it cannot be read.
std::unique_ptr<TRecordSource> OpenSpreadsheet(const QString &fileName, const QString &sheet, bool ignoreHeader,
                                               QString *error);
