#pragma once
// A record source named by the user: a data file or a database, with what
// reading it needs. The designer, the command line and the print engine all
// open their records through OpenRecordSource.

#include "data/dataimport.h"
#include "data/recordsource.h"

#include <QString>
#include <memory>

struct TSourceChoice {
    // A data file's path, or a database URL: sqlite:///path,
    // postgresql://USER@HOST/DB, mysql://USER@HOST/DB, odbc:DSN.
    QString Name;
    TSplitSettings Split; // text files
    QString Sheet;        // spreadsheets: a sheet's name or number from 1; empty for the one saved showing
    QString Query;        // databases: one SELECT statement
    // A database's password typed for this run (never stored in files);
    // empty: QUORVANE_DB_PASSWORD, else the keyring's when the server asks.
    QString Password;
};

// True when the name is a URL (scheme://…, sqlite:FILE, odbc:DSN) rather
// than a file.
bool IsDatabaseUrl(const QString &name);
// True when the choice names a source at all.
bool HasDataSource(const TSourceChoice &choice);
// A database for a URL, a spreadsheet by the file's extension, otherwise
// text split by choice.Split. Null with *error naming the source when it
// cannot be opened.
std::unique_ptr<TRecordSource> OpenRecordSource(const TSourceChoice &choice, QString *error);
// The source's column names (its header line, a query's fields), opening it
// to read them; empty when it has none, and empty with *error when it cannot
// be opened.
QStringList SourceColumnNames(const TSourceChoice &choice, QString *error);
