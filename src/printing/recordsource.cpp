#include "printing/recordsource.h"

#include "printing/dataimport.h"
#include "printing/printengine.h"
#include "printing/sqlsource.h"
#include "printing/spreadsheet.h"

bool HasDataSource(const TPrintChoices &choices)
{
    return !choices.DataFile.isEmpty() || !choices.SqlUrl.isEmpty();
}

std::unique_ptr<TRecordSource> OpenRecordSource(const TPrintChoices &choices, QString *error)
{
    if (!choices.SqlUrl.isEmpty())
        return OpenSqlSource(choices.SqlUrl, choices.SqlQuery, error);
    if (IsSpreadsheetFile(choices.DataFile))
        return OpenSpreadsheet(choices.DataFile, choices.Sheet, choices.Split.IgnoreHeader, error);
    auto reader = std::make_unique<TRecordReader>();
    if (!reader->OpenData(choices.DataFile, choices.Split, error))
        return nullptr;
    return reader;
}
