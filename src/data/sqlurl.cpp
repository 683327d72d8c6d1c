#include "data/sqlsource.h"
#include "data/sqlsource_p.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

using sqldetail::fail;

namespace {

// Seconds a connection attempt may take before it counts as failed.
constexpr int kConnectTimeout = 15;

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

QString decode(const QString &s)
{
    return QUrl::fromPercentEncoding(s.toUtf8());
}

QString encode(const QString &s, const QByteArray &keep = QByteArray())
{
    return QString::fromLatin1(QUrl::toPercentEncoding(s, keep));
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

} // namespace

namespace sqldetail {

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
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

} // namespace sqldetail

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
