#include "data/sourcechoice.h"

#include "data/dataimport.h"
#include "data/spreadsheet.h"
#include "data/sqlsource.h"

#include <QRegularExpression>

bool IsDatabaseUrl(const QString &name)
{
    // Any scheme://, so that an unknown one is refused as a URL rather than
    // looked for as a file; sqlite: and odbc: also go without the slashes.
    static const QRegularExpression url(QStringLiteral("^([a-z][a-z0-9+.-]*://|sqlite3?:|odbc:)"),
                                        QRegularExpression::CaseInsensitiveOption);
    return url.match(name.trimmed()).hasMatch();
}

bool HasDataSource(const TSourceChoice &choice)
{
    return !choice.Name.isEmpty();
}

std::unique_ptr<TRecordSource> OpenRecordSource(const TSourceChoice &choice, QString *error)
{
    if (IsDatabaseUrl(choice.Name))
        return OpenSqlSource(choice.Name, choice.Query, error, choice.Password);
    if (IsSpreadsheetFile(choice.Name))
        return OpenSpreadsheet(choice.Name, choice.Sheet, choice.Split.IgnoreHeader, error);
    auto reader = std::make_unique<TRecordReader>();
    if (!reader->OpenData(choice.Name, choice.Split, error))
        return nullptr;
    return reader;
}

QStringList SourceColumnNames(const TSourceChoice &choice, QString *error)
{
    const auto source = OpenRecordSource(choice, error);
    return source ? source->ColumnNames() : QStringList();
}
