#pragma once
// A record source named by the user: a data file or a database, with what
// reading it needs. The designer, the command line and the print engine all
// open their records through OpenRecordSource.

#include "data/dataimport.h"
#include "data/recordsource.h"

#include <QString>
#include <memory>

struct TSourceSpec {
    // A data file's path, or a database URL: sqlite:///path,
    // postgresql://USER@HOST/DB, mysql://USER@HOST/DB, odbc:DSN.
    QString Name;
    TSplitSettings Split; // text files
    QString Sheet;        // spreadsheets: a sheet's name or number from 1; empty for the one saved showing
    QString Query;        // databases: one SELECT statement
};

// True when the name is a URL (scheme://…, sqlite:FILE, odbc:DSN) rather
// than a file.
bool IsDatabaseUrl(const QString &name);
// True when the spec names a source at all.
bool HasDataSource(const TSourceSpec &spec);
// A database for a URL, a spreadsheet by the file's extension, otherwise
// text split by spec.Split. Null with *error naming the source when it
// cannot be opened.
std::unique_ptr<TRecordSource> OpenRecordSource(const TSourceSpec &spec, QString *error);
