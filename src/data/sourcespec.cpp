#include "data/sourcespec.h"

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

bool HasDataSource(const TSourceSpec &spec)
{
    return !spec.Name.isEmpty();
}

std::unique_ptr<TRecordSource> OpenRecordSource(const TSourceSpec &spec, QString *error)
{
    if (IsDatabaseUrl(spec.Name))
        return OpenSqlSource(spec.Name, spec.Query, error);
    if (IsSpreadsheetFile(spec.Name))
        return OpenSpreadsheet(spec.Name, spec.Sheet, spec.Split.IgnoreHeader, error);
    auto reader = std::make_unique<TRecordReader>();
    if (!reader->OpenData(spec.Name, spec.Split, error))
        return nullptr;
    return reader;
}
