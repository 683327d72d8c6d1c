#pragma once
// A database query as a record source: each row of the result a record, its
// columns in the query's order, read forward only.

#include "printing/recordsource.h"

#include <QString>
#include <memory>

// url: sqlite:///path, postgresql://user@host:port/db, mysql://user@host/db,
// odbc:DSN. Null with *error naming the source when it cannot be opened.
std::unique_ptr<TRecordSource> OpenSqlSource(const QString &url, const QString &query, QString *error);
