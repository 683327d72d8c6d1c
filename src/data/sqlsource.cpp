#include "data/sqlsource.h"

#include "data/keyring.h"
#include "data/sheetcells.h"
#include "data/sqlsource_p.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>
#include <QTimeZone>
#include <QUrl>
#include <QVariant>
#include <atomic>

using sqldetail::driverOptions;
using sqldetail::fail;
using sqldetail::moreThanOneStatement;

namespace {

// A timestamp with time zone as the server's text form writes it in the
// session's zone: 2024-03-05 14:04:00.5+01, 2024-03-05 14:04:00+05:30.
QString serverTimestampText(const QDateTime &value, const QTimeZone &zone)
{
    const QDateTime t = zone.isValid() ? value.toTimeZone(zone) : value.toUTC();
    QString text = t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (const int ms = t.time().msec()) {
        QString fraction = QStringLiteral("%1").arg(ms, 3, 10, QLatin1Char('0'));
        while (fraction.endsWith(QLatin1Char('0')))
            fraction.chop(1);
        text += QLatin1Char('.') + fraction;
    }
    const int offset = t.offsetFromUtc();
    const int a = qAbs(offset);
    text += (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
            QStringLiteral("%1").arg(a / 3600, 2, 10, QLatin1Char('0'));
    if (a % 3600)
        text += QStringLiteral(":%1").arg(a / 60 % 60, 2, 10, QLatin1Char('0'));
    if (a % 60)
        text += QStringLiteral(":%1").arg(a % 60, 2, 10, QLatin1Char('0'));
    return text;
}

constexpr int kPgTimestampTz = 1184; // the type's oid

// One line, as a message box or the command line shows it.
QString oneLine(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")).trimmed();
}

QString errorText(const QSqlError &e)
{
    // QPSQL appends the SQLSTATE in brackets, empty when the connection broke.
    QString db = oneLine(e.databaseText()).remove(QRegularExpression(QStringLiteral("\\s*\\(\\)$")));
    const QString driver = oneLine(e.driverText());
    if (db.isEmpty())
        return driver;
    return db;
}



QString driverPackage(const QString &driver)
{
    if (driver == QLatin1String("QPSQL"))
        return QStringLiteral("libqt6sql6-psql");
    if (driver == QLatin1String("QMYSQL"))
        return QStringLiteral("libqt6sql6-mysql");
    if (driver == QLatin1String("QODBC"))
        return QStringLiteral("libqt6sql6-odbc");
    return QStringLiteral("libqt6sql6-sqlite");
}

// The server asked for a password that was not given (libpq, MySQL).
bool wantsPassword(const QSqlError &e)
{
    const QString text = e.databaseText() + e.driverText();
    return text.contains(QLatin1String("password"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("Access denied"), Qt::CaseInsensitive);
}

QString binaryColumn(const QString &source, const QString &column)
{
    return QCoreApplication::translate(
        "Database", "The database %1 gives binary data in the column \"%2\", which a label cannot print.")
        .arg(source, column);
}

// A session that cannot write, and the query in a read-only transaction: a
// single statement cannot end it. Says what failed when the database did not
// take it.
bool makeReadOnly(QSqlDatabase &db, const QString &driver, QString *why)
{
    auto run = [&](const QString &sql, const QString &expect = QString()) {
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            *why = sql + QLatin1String(": ") + errorText(q.lastError());
            return false;
        }
        if (!expect.isNull() && (!q.next() || q.value(0).toString() != expect)) {
            *why = QCoreApplication::translate("Database", "%1 answers \"%2\"")
                       .arg(sql, q.isValid() ? q.value(0).toString() : QString());
            return false;
        }
        return true;
    };
    if (driver == QLatin1String("QPSQL"))
        return run(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")) &&
               run(QStringLiteral("START TRANSACTION READ ONLY")) &&
               run(QStringLiteral("SHOW transaction_read_only"), QStringLiteral("on"));
    if (driver == QLatin1String("QMYSQL"))
        return run(QStringLiteral("SET SESSION TRANSACTION READ ONLY")) &&
               run(QStringLiteral("START TRANSACTION READ ONLY"));
    if (driver == QLatin1String("QSQLITE")) // opened read-only besides
        return run(QStringLiteral("PRAGMA query_only = ON")) &&
               run(QStringLiteral("PRAGMA query_only"), QStringLiteral("1")) && run(QStringLiteral("BEGIN"));
    // ODBC: the access mode asked for at connecting is a hint some drivers
    // ignore; a transaction that is never committed is what holds.
    if (db.driver()->hasFeature(QSqlDriver::Transactions) && !db.transaction()) {
        *why = errorText(db.lastError());
        return false;
    }
    return true;
}

} // namespace


QString SqlValueText(const QVariant &v)
{
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::Float:
        return QString::number(v.toFloat(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QTime: {
        const QTime t = v.toTime();
        return t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
    }
    case QMetaType::QDateTime: {
        const QDateTime t = v.toDateTime();
        return t.toString(t.time().msec() ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                          : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case QMetaType::QByteArray:
        return QString::fromUtf8(v.toByteArray());
    default:
        return v.toString();
    }
}

struct TSqlSource::Private {
    QString name;       // the connection's unique name
    QString source;     // the URL, for messages
    QSqlDatabase db;
    std::unique_ptr<QSqlQuery> query;
    QStringList columns;
    QList<bool> timestampTz; // by column: PostgreSQL timestamptz
    QTimeZone zone;          // the session's
    bool sqlite = false;     // no date type: dates are ISO 8601 texts
    TDataRow row, next;
    QList<QPair<int, QDateTime>> dates, nextDates; // the rows' date values, column from 1
    bool hasRecord = false, hasNext = false, failed = false;
    QString error;
};

TSqlSource::TSqlSource() : d(std::make_unique<Private>()) {}

TSqlSource::~TSqlSource()
{
    d->query.reset();
    if (d->db.isValid())
        d->db.close();
    d->db = QSqlDatabase();
    if (!d->name.isEmpty())
        QSqlDatabase::removeDatabase(d->name);
}

bool TSqlSource::Fetch(TDataRow &row, QList<QPair<int, QDateTime>> &dates)
{
    dates.clear();
    if (d->failed || !d->query)
        return false;
    if (!d->query->next()) {
        if (d->query->lastError().isValid()) {
            d->failed = true;
            d->error = QCoreApplication::translate("Database", "Reading from the database %1 failed: %2")
                           .arg(d->source, errorText(d->query->lastError()));
        }
        d->query.reset(); // the result is done with; frees it on the server too
        return false;
    }
    const int n = int(d->columns.size());
    row.resize(n);
    for (int i = 0; i < n; ++i) {
        const QVariant v = d->query->value(i);
        // SQLite types values, not columns: a blob may turn up in any row.
        if (v.typeId() == QMetaType::QByteArray) {
            d->failed = true;
            d->error = binaryColumn(d->source, d->columns[i]);
            d->query.reset();
            return false;
        }
        row[i] =
            d->timestampTz.value(i) && !v.isNull() ? serverTimestampText(v.toDateTime(), d->zone) : SqlValueText(v);
        if (v.isNull())
            continue;
        QDateTime when;
        if (v.typeId() == QMetaType::QDate)
            when = QDateTime(v.toDate(), QTime(0, 0));
        else if (v.typeId() == QMetaType::QDateTime)
            when = !d->timestampTz.value(i) ? v.toDateTime()
                   : d->zone.isValid()      ? v.toDateTime().toTimeZone(d->zone)
                                            : v.toDateTime().toUTC();
        else if (d->sqlite && v.typeId() == QMetaType::QString)
            when = IsoDateTime(row[i]);
        if (when.isValid())
            dates.append({i + 1, when});
    }
    return true;
}

void TSqlSource::ReadRecord()
{
    if (!d->hasNext)
        return;
    std::swap(d->row, d->next);
    std::swap(d->dates, d->nextDates);
    d->hasRecord = true;
    d->hasNext = Fetch(d->next, d->nextDates);
}

bool TSqlSource::DataEof() const
{
    return !d->hasNext;
}

const TDataRow &TSqlSource::DataRow() const
{
    return d->row;
}

bool TSqlSource::HasRecord() const
{
    return d->hasRecord;
}

bool TSqlSource::Failed() const
{
    return d->failed;
}

QString TSqlSource::ErrorString() const
{
    return d->error;
}

QString TSqlSource::SourceName() const
{
    return d->source;
}

QStringList TSqlSource::ColumnNames() const
{
    return d->columns;
}

QDateTime TSqlSource::CellDate(int column) const
{
    for (const auto &[c, when] : d->dates)
        if (c == column)
            return when;
    return {};
}

std::unique_ptr<TSqlSource> OpenSqlQuery(const QString &url, const QString &queryText, QString *error,
                                         const QString &typedPassword)
{
    TSqlConnection c;
    if (!ParseSqlUrl(url, c, error))
        return nullptr;
    const QString source = url.trimmed();
    if (queryText.trimmed().isEmpty()) {
        fail(error, QCoreApplication::translate("Database", "No query for the database %1.").arg(source));
        return nullptr;
    }
    if (moreThanOneStatement(queryText)) {
        fail(error, QCoreApplication::translate(
                        "Database", "The database %1 refused the query: only one SELECT statement is allowed.")
                        .arg(source));
        return nullptr;
    }
    if (!QSqlDatabase::isDriverAvailable(c.Driver)) {
        fail(error, QCoreApplication::translate(
                        "Database", "The database %1 cannot be read: the Qt SQL driver %2 is not installed (%3).")
                        .arg(source, c.Driver, driverPackage(c.Driver)));
        return nullptr;
    }
    if (c.Driver == QLatin1String("QSQLITE") && !QFileInfo(c.Database).isFile()) {
        fail(error, QCoreApplication::translate("Database", "Cannot open the database %1: no such file.").arg(source));
        return nullptr;
    }

    static std::atomic<int> counter{0};
    std::unique_ptr<TSqlSource> s(new TSqlSource);
    s->d->source = source;
    s->d->name = QStringLiteral("quorvane-sql-%1").arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(c.Driver, s->d->name);
    s->d->db = db;
    db.setHostName(c.Host);
    if (c.Port > 0)
        db.setPort(c.Port);
    db.setDatabaseName(c.Database);
    db.setUserName(c.User);
    db.setConnectOptions(driverOptions(c));

    // The password: this run's, the environment's, else none (the database's
    // own means) and, when the server asks for one, the keyring's.
    const QString key = SqlUrl(c);
    QString password = typedPassword;
    if (password.isEmpty())
        password = qEnvironmentVariable("QUORVANE_DB_PASSWORD");
    db.setPassword(password);
    bool open = db.open();
    QString keyringNote;
    if (!open && password.isEmpty() && c.Driver != QLatin1String("QSQLITE") && wantsPassword(db.lastError())) {
        QString stored, why;
        const TKeyringResult r = ReadKeyringPassword(key, &stored, &why);
        if (r == TKeyringResult::Done && !stored.isEmpty()) {
            db.setPassword(stored);
            open = db.open();
        } else if (r == TKeyringResult::Unavailable) {
            keyringNote = QCoreApplication::translate("Database", " (no password from the keyring: %1)").arg(why);
        }
    }
    if (!open) {
        fail(error, QCoreApplication::translate("Database", "Cannot connect to the database %1: %2%3")
                        .arg(source, errorText(db.lastError()), keyringNote));
        return nullptr;
    }

    QString why;
    if (!makeReadOnly(db, c.Driver, &why)) {
        fail(error, QCoreApplication::translate(
                        "Database", "The database %1 was not read: the session could not be made read-only (%2).")
                        .arg(source, why));
        return nullptr;
    }
    if (c.Driver == QLatin1String("QPSQL")) {
        QSqlQuery zone(db);
        if (zone.exec(QStringLiteral("SHOW TimeZone")) && zone.next())
            s->d->zone = QTimeZone(zone.value(0).toString().toUtf8());
    }

    s->d->query = std::make_unique<QSqlQuery>(db);
    QSqlQuery &q = *s->d->query;
    // Rows one at a time: SQLite steps its statement, QPSQL switches libpq to
    // single-row mode, QMYSQL streams with mysql_use_result.
    q.setForwardOnly(true);
    // Numbers as the database writes them, free of binary noise.
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!q.exec(queryText)) {
        fail(error, QCoreApplication::translate("Database", "The database %1 refused the query: %2")
                        .arg(source, errorText(q.lastError())));
        return nullptr;
    }
    if (!q.isSelect()) {
        fail(error, QCoreApplication::translate(
                        "Database", "The query on the database %1 returns no rows (it is not a SELECT).")
                        .arg(source));
        return nullptr;
    }
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i) {
        s->d->columns.append(rec.fieldName(i));
        if (rec.field(i).metaType().id() == QMetaType::QByteArray) {
            fail(error, binaryColumn(source, rec.fieldName(i)));
            return nullptr;
        }
        s->d->timestampTz.append(c.Driver == QLatin1String("QPSQL") && rec.field(i).typeID() == kPgTimestampTz);
    }
    s->d->sqlite = c.Driver == QLatin1String("QSQLITE");
    s->d->hasRecord = s->Fetch(s->d->row, s->d->dates);
    if (s->d->failed) {
        fail(error, s->d->error);
        return nullptr;
    }
    if (s->d->hasRecord)
        s->d->hasNext = s->Fetch(s->d->next, s->d->nextDates);
    if (s->d->failed) {
        fail(error, s->d->error);
        return nullptr;
    }
    return s;
}

std::unique_ptr<TRecordSource> OpenSqlSource(const QString &url, const QString &query, QString *error,
                                             const QString &password)
{
    return OpenSqlQuery(url, query, error, password);
}
