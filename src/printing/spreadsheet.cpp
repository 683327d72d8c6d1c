#include "printing/spreadsheet.h"

bool IsSpreadsheetFile(const QString &)
{
    return false;
}

std::unique_ptr<TRecordSource> OpenSpreadsheet(const QString &fileName, const QString &, bool, QString *error)
{
    if (error)
        *error = QStringLiteral("Spreadsheets cannot be read: %1").arg(fileName);
    return nullptr;
}
