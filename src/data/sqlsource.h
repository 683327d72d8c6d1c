#pragma once
// A database query as a record source: each row of the result a record, its
// columns in the query's order, read forward only.

#include "data/recordsource.h"

#include <QString>
#include <QStringList>
#include <memory>

// A connection as a URL names it. Passwords never travel in URLs: they come
// from the session, QUORVANE_DB_PASSWORD, the keyring or the database's own
// means (~/.pgpass, peer authentication).
struct TSqlConnection {
    QString Scheme;   // "sqlite", "postgresql", "mysql" or "odbc"
    QString Driver;   // the Qt SQL driver: QSQLITE, QPSQL, QMYSQL, QODBC
    QString Host;     // a name, an address or (PostgreSQL, MySQL) a socket folder
    int Port = -1;
    QString Database; // the database, the SQLite file or the ODBC data source
    QString User;
    QStringList Options; // the driver's connect options, "key=value" each
};

// url: sqlite:///path, postgresql://user@host:port/db?key=value (libpq's
// connection URI; postgres:// too), mysql://user@host:port/db?socket=/path,
// odbc:DSN. False with *error when it is not such a URL or holds a password.
bool ParseSqlUrl(const QString &url, TSqlConnection &connection, QString *error);
// The URL of a connection (never with a password).
QString SqlUrl(const TSqlConnection &connection);

// The value of one column as the label prints it: NULL empty, numbers as the
// database writes them, dates in ISO 8601.
class QVariant;
QString SqlValueText(const QVariant &value);

class TSqlSource : public TRecordSource {
public:
    ~TSqlSource() override;
    void ReadRecord() override;
    bool DataEof() const override;
    const TDataRow &DataRow() const override;
    bool HasRecord() const override;
    bool Failed() const override;
    QString ErrorString() const override;
    QString SourceName() const override;
    // The result's column names, in order.
    QStringList ColumnNames() const override;
    // Date, datetime and timestamp values (with a time zone: in the session's
    // zone, as the record's text shows them); SQLite has no date type, so
    // there a text in ISO 8601 form ("2024-03-05", "2024-03-05 14:04:00")
    // is a date.
    QDateTime CellDate(int column) const override;

private:
    friend std::unique_ptr<TSqlSource> OpenSqlQuery(const QString &, const QString &, QString *, const QString &);
    TSqlSource();
    bool Fetch(TDataRow &row, QList<QPair<int, QDateTime>> &dates);
    struct Private;
    std::unique_ptr<Private> d;
};

// Opens the connection and runs the query; the first row is current. Null
// with *error naming the source and saying, in the database's own words,
// what went wrong.
// The password is the one typed for this run; empty: QUORVANE_DB_PASSWORD,
// else none and, when the server asks for one, the keyring's.
std::unique_ptr<TSqlSource> OpenSqlQuery(const QString &url, const QString &query, QString *error,
                                         const QString &password = {});
std::unique_ptr<TRecordSource> OpenSqlSource(const QString &url, const QString &query, QString *error,
                                             const QString &password = {});

