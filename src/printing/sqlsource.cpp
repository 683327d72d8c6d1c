#include "printing/sqlsource.h"

std::unique_ptr<TRecordSource> OpenSqlSource(const QString &url, const QString &, QString *error)
{
    if (error)
        *error = QStringLiteral("Databases cannot be read: %1").arg(url);
    return nullptr;
}
