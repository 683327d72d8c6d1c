#include "printing/sqlsource.h"

#include "printing/keyring.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
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

namespace {

// Seconds a connection attempt may take before it counts as failed.
constexpr int kConnectTimeout = 15;

// Whether a statement follows the first one under one reading of the
// dialects' quoting and comments (bit 1: backslash escapes in strings, 2: #
// starts a comment, 4: $tag$ quotes, 8: block comments nest, 16: -- needs a
// space after it, 32: /*...*/ is code).
bool secondStatement(QStringView sql, int reading)
{
    const bool backslash = reading & 1, hash = reading & 2, dollar = reading & 4, nest = reading & 8,
               dashSpace = reading & 16, blockCode = reading & 32;
    const qsizetype n = sql.size();
    auto at = [&](qsizetype i) { return i < n ? sql[i] : QChar(); };
    auto identChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); };
    bool ended = false; // a ';' outside quotes and comments was seen
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('-') && at(i + 1) == QLatin1Char('-') &&
            (!dashSpace || at(i + 2).isSpace() || i + 2 == n)) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (hash && c == QLatin1Char('#')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (!blockCode && c == QLatin1Char('/') && at(i + 1) == QLatin1Char('*')) {
            int depth = 1;
            i += 2;
            while (i < n && depth > 0) {
                if (sql[i] == QLatin1Char('*') && at(i + 1) == QLatin1Char('/')) {
                    --depth;
                    i += 2;
                } else if (nest && sql[i] == QLatin1Char('/') && at(i + 1) == QLatin1Char('*')) {
                    ++depth;
                    i += 2;
                } else {
                    ++i;
                }
            }
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char(';')) {
            ended = true;
            ++i;
            continue;
        }
        if (ended)
            return true;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            // E'...' takes backslash escapes whatever the reading.
            const bool escapes = backslash || (c == QLatin1Char('\'') && i > 0 &&
                                                  (sql[i - 1] == QLatin1Char('E') || sql[i - 1] == QLatin1Char('e')) &&
                                                  (i < 2 || !identChar(sql[i - 2])));
            ++i;
            while (i < n) {
                if (escapes && c != QLatin1Char('`') && sql[i] == QLatin1Char('\\')) {
                    i += 2;
                } else if (sql[i] == c) {
                    ++i;
                    if (at(i) != c)
                        break;
                    ++i; // doubled: one literal quote
                } else {
                    ++i;
                }
            }
            continue;
        }
        if (dollar && c == QLatin1Char('$') && (i == 0 || !identChar(sql[i - 1]))) {
            qsizetype k = i + 1;
            while (k < n && (sql[k].isLetter() || sql[k] == QLatin1Char('_') || (k > i + 1 && sql[k].isDigit())))
                ++k;
            if (at(k) == QLatin1Char('$')) {
                const QStringView tag = sql.mid(i, k - i + 1);
                const qsizetype close = sql.indexOf(tag, k + 1);
                i = close < 0 ? n : close + tag.size();
                continue;
            }
        }
        ++i;
    }
    return false;
}

// One statement only, under every reading a server might give the text: in
// doubt, more than one.
bool moreThanOneStatement(const QString &sql)
{
    for (int reading = 0; reading < 64; ++reading)
        if (secondStatement(sql, reading))
            return true;
    return false;
}

// key=value pairs of an ODBC connection string or a driver's options that
// carry a password.
bool holdsPassword(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("(^|[;&?{\\s])\\s*(pwd|password|passwd)\\s*="), QRegularExpression::CaseInsensitiveOption);
    return re.match(text).hasMatch();
}

// The text with any password in it blotted out, for messages.
QString withoutPassword(QString text)
{
    static const QRegularExpression userInfo(QStringLiteral("(//[^/@:?#]*):[^/@]*@"));
    static const QRegularExpression pair(
        QStringLiteral("((?:^|[;&?{\\s])\\s*(?:pwd|password|passwd)\\s*=)(\\{[^}]*\\}|[^;&]*)"),
        QRegularExpression::CaseInsensitiveOption);
    text.replace(userInfo, QStringLiteral("\\1:***@"));
    text.replace(pair, QStringLiteral("\\1***"));
    return text;
}

QString passwordRefused()
{
    return QCoreApplication::translate(
        "Database", "a password does not belong in the connection (set QUORVANE_DB_PASSWORD or use the keyring)");
}

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

// This run's passwords, shared by every job of the process (jobs may run on
// several threads).
struct TSessionPasswords {
    QMutex Lock;
    QHash<QString, QString> ByUrl;
};

TSessionPasswords &sessionPasswords()
{
    static TSessionPasswords passwords;
    return passwords;
}

QString decode(const QString &s)
{
    return QUrl::fromPercentEncoding(s.toUtf8());
}

QString encode(const QString &s, const QByteArray &keep = QByteArray())
{
    return QString::fromLatin1(QUrl::toPercentEncoding(s, keep));
}

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

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// host[:port] or [v6]:port of a URL's authority.
bool splitHostPort(const QString &hostPort, TSqlConnection &c, const QString &url, QString *error)
{
    QString host = hostPort, port;
    if (host.startsWith(QLatin1Char('['))) {
        const qsizetype close = host.indexOf(QLatin1Char(']'));
        if (close < 0)
            return fail(
                error, QCoreApplication::translate("Database", "not a database URL (unclosed '['): %1").arg(url));
        port = host.mid(close + 1);
        host = host.mid(1, close - 1);
        if (!port.isEmpty() && !port.startsWith(QLatin1Char(':')))
            return fail(error, QCoreApplication::translate("Database", "not a database URL (bad host): %1").arg(url));
        port = port.mid(1);
    } else if (const qsizetype colon = host.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        port = host.mid(colon + 1);
        host = host.left(colon);
    }
    c.Host = decode(host);
    if (!port.isEmpty()) {
        bool ok = false;
        c.Port = port.toInt(&ok);
        if (!ok || c.Port < 1 || c.Port > 65535)
            return fail(
                error, QCoreApplication::translate("Database", "not a database URL (bad port %1): %2").arg(port, url));
    }
    return true;
}

// A connect option as libpq reads it: key='value'.
QString pqOption(const QString &key, QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return key + QLatin1String("='") + value + QLatin1Char('\'');
}

// scheme://[user@][host][:port][/database][?key=value&...]
bool parseServerUrl(const QString &url, const QString &rest, TSqlConnection &c, QString *error)
{
    QString main = rest, query;
    if (const qsizetype q = main.indexOf(QLatin1Char('?')); q >= 0) {
        query = main.mid(q + 1);
        main = main.left(q);
    }
    QString authority = main, path;
    if (const qsizetype slash = main.indexOf(QLatin1Char('/')); slash >= 0) {
        authority = main.left(slash);
        path = main.mid(slash + 1);
    }
    if (const qsizetype at = authority.lastIndexOf(QLatin1Char('@')); at >= 0) {
        const QString userInfo = authority.left(at);
        authority = authority.mid(at + 1);
        if (userInfo.contains(QLatin1Char(':')))
            return fail(error, passwordRefused());
        c.User = decode(userInfo);
    }
    if (!splitHostPort(authority, c, url, error))
        return false;
    c.Database = decode(path);
    const bool pg = c.Driver == QLatin1String("QPSQL");
    for (const QString &pair : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return fail(
                error, QCoreApplication::translate("Database", "not a database URL (bad parameter '%1')").arg(pair));
        const QString key = decode(pair.left(eq)), value = decode(pair.mid(eq + 1));
        if (holdsPassword(key + QLatin1Char('=')) || holdsPassword(value))
            return fail(error, passwordRefused());
        // Several statements in one go would pass the one-statement rule.
        if (key.compare(QLatin1String("CLIENT_MULTI_STATEMENTS"), Qt::CaseInsensitive) == 0)
            return fail(error, QCoreApplication::translate("Database", "the option %1 is not allowed").arg(key));
        if (key == QLatin1String("host")) {
            c.Host = value;
        } else if (key == QLatin1String("port")) {
            bool ok = false;
            c.Port = value.toInt(&ok);
            if (!ok || c.Port < 1 || c.Port > 65535)
                return fail(
                    error, QCoreApplication::translate("Database", "not a database URL (bad port %1)").arg(value));
        } else if (key == QLatin1String("user")) {
            c.User = value;
        } else if (key == QLatin1String("dbname") || key == QLatin1String("database")) {
            c.Database = value;
        } else if (pg) {
            c.Options.append(key + QLatin1Char('=') + value);
        } else if (key == QLatin1String("socket")) {
            c.Options.append(QLatin1String("UNIX_SOCKET=") + value);
        } else {
            c.Options.append(key + QLatin1Char('=') + value);
        }
    }
    // A socket folder given as the host goes where libpq and MySQL look for it.
    if (!pg && c.Host.startsWith(QLatin1Char('/'))) {
        c.Options.append(QLatin1String("UNIX_SOCKET=") + c.Host);
        c.Host.clear();
    }
    return true;
}

// Connect options as the driver takes them.
QString driverOptions(const TSqlConnection &c)
{
    QStringList out;
    const bool pg = c.Driver == QLatin1String("QPSQL");
    bool timeout = false;
    for (const QString &o : c.Options) {
        const qsizetype eq = o.indexOf(QLatin1Char('='));
        const QString key = o.left(eq), value = o.mid(eq + 1);
        if (key == QLatin1String("connect_timeout") || key == QLatin1String("MYSQL_OPT_CONNECT_TIMEOUT"))
            timeout = true;
        out.append(pg ? pqOption(key, value) : o);
    }
    if (!timeout && pg)
        out.append(pqOption(QStringLiteral("connect_timeout"), QString::number(kConnectTimeout)));
    if (!timeout && c.Driver == QLatin1String("QMYSQL"))
        out.append(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(kConnectTimeout));
    if (c.Driver == QLatin1String("QSQLITE"))
        out.append(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (c.Driver == QLatin1String("QODBC"))
        out.append(QStringLiteral("SQL_ATTR_ACCESS_MODE=SQL_MODE_READ_ONLY"));
    return out.join(QLatin1Char(';'));
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

bool ParseSqlUrl(const QString &urlText, TSqlConnection &c, QString *error)
{
    c = TSqlConnection();
    const QString url = urlText.trimmed();
    const QString shown = withoutPassword(url);
    const qsizetype colon = url.indexOf(QLatin1Char(':'));
    const QString scheme = colon > 0 ? url.left(colon).toLower() : QString();
    QString rest = url.mid(colon + 1);
    if (scheme == QLatin1String("sqlite") || scheme == QLatin1String("sqlite3")) {
        c.Scheme = QStringLiteral("sqlite");
        c.Driver = QStringLiteral("QSQLITE");
        if (rest.startsWith(QLatin1String("//"))) {
            rest = rest.mid(2);
            // sqlite:///abs/path or sqlite://localhost/abs/path
            if (rest.startsWith(QLatin1String("localhost/")))
                rest = rest.mid(9);
            if (!rest.startsWith(QLatin1Char('/')))
                return fail(
                    error, QCoreApplication::translate("Database", "not a database URL (sqlite:///path/to/file.db): %1")
                               .arg(shown));
        }
        c.Database = decode(rest);
        if (c.Database.isEmpty())
            return fail(error, QCoreApplication::translate("Database", "no database file in the URL: %1").arg(shown));
        return true;
    }
    if (scheme == QLatin1String("odbc")) {
        c.Scheme = scheme;
        c.Driver = QStringLiteral("QODBC");
        if (rest.startsWith(QLatin1String("//")))
            rest = rest.mid(2);
        c.Database = rest;
        if (holdsPassword(rest))
            return fail(error, passwordRefused());
        if (c.Database.isEmpty())
            return fail(
                error, QCoreApplication::translate("Database", "no data source in the URL (odbc:DSN): %1").arg(shown));
        return true;
    }
    if (scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres")) {
        c.Scheme = QStringLiteral("postgresql");
        c.Driver = QStringLiteral("QPSQL");
    } else if (scheme == QLatin1String("mysql") || scheme == QLatin1String("mariadb")) {
        c.Scheme = QStringLiteral("mysql");
        c.Driver = QStringLiteral("QMYSQL");
    } else {
        return fail(error,
            QCoreApplication::translate("Database", "not a database URL (sqlite:///FILE, postgresql://USER@HOST/DB, "
                                                    "mysql://USER@HOST/DB or odbc:DSN): %1")
                .arg(shown));
    }
    if (!rest.startsWith(QLatin1String("//")))
        return fail(error, QCoreApplication::translate("Database", "not a database URL (%1://USER@HOST:PORT/DB): %2")
                               .arg(c.Scheme, shown));
    return parseServerUrl(shown, rest.mid(2), c, error);
}

QString SqlUrl(const TSqlConnection &c)
{
    if (c.Scheme == QLatin1String("sqlite"))
        return QLatin1String("sqlite://") + encode(c.Database, "/");
    if (c.Scheme == QLatin1String("odbc"))
        return QLatin1String("odbc:") + c.Database;
    if (c.Scheme.isEmpty())
        return QString();
    QString url = c.Scheme + QLatin1String("://");
    if (!c.User.isEmpty())
        url += encode(c.User) + QLatin1Char('@');
    QStringList params;
    QStringList options = c.Options;
    const QString host = c.Host;
    for (QString &o : options) {
        if (o.startsWith(QLatin1String("UNIX_SOCKET=")))
            o = QLatin1String("socket=") + o.mid(12);
    }
    // A socket folder reads better as a parameter than percent-encoded.
    if (host.startsWith(QLatin1Char('/')))
        params.append(QLatin1String("host=") + encode(host, "/"));
    else if (host.contains(QLatin1Char(':')))
        url += QLatin1Char('[') + host + QLatin1Char(']');
    else
        url += encode(host);
    if (c.Port > 0)
        url += QLatin1Char(':') + QString::number(c.Port);
    url += QLatin1Char('/') + encode(c.Database);
    for (const QString &o : std::as_const(options)) {
        const qsizetype eq = o.indexOf(QLatin1Char('='));
        params.append(eq < 0 ? encode(o) : encode(o.left(eq)) + QLatin1Char('=') + encode(o.mid(eq + 1), "/"));
    }
    if (!params.isEmpty())
        url += QLatin1Char('?') + params.join(QLatin1Char('&'));
    return url;
}

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

void SetSessionSqlPassword(const QString &url, const QString &password)
{
    TSessionPasswords &session = sessionPasswords();
    const QMutexLocker lock(&session.Lock);
    if (password.isEmpty())
        session.ByUrl.remove(url);
    else
        session.ByUrl.insert(url, password);
}

struct TSqlSource::Private {
    QString name;       // the connection's unique name
    QString source;     // the URL, for messages
    QSqlDatabase db;
    std::unique_ptr<QSqlQuery> query;
    QStringList columns;
    QList<bool> timestampTz; // by column: PostgreSQL timestamptz
    QTimeZone zone;          // the session's
    TDataRow row, next;
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

bool TSqlSource::Fetch(TDataRow &row)
{
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
    }
    return true;
}

void TSqlSource::ReadRecord()
{
    if (!d->hasNext)
        return;
    std::swap(d->row, d->next);
    d->hasRecord = true;
    d->hasNext = Fetch(d->next);
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

std::unique_ptr<TSqlSource> OpenSqlQuery(const QString &url, const QString &queryText, QString *error)
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
    QString password;
    {
        TSessionPasswords &session = sessionPasswords();
        const QMutexLocker lock(&session.Lock);
        password = session.ByUrl.value(key);
    }
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
    s->d->hasRecord = s->Fetch(s->d->row);
    if (s->d->failed) {
        fail(error, s->d->error);
        return nullptr;
    }
    if (s->d->hasRecord)
        s->d->hasNext = s->Fetch(s->d->next);
    if (s->d->failed) {
        fail(error, s->d->error);
        return nullptr;
    }
    return s;
}

std::unique_ptr<TRecordSource> OpenSqlSource(const QString &url, const QString &query, QString *error)
{
    return OpenSqlQuery(url, query, error);
}
