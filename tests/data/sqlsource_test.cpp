// Database URLs as the command line and the settings hold them, and the text
// a column's value prints as. The databases themselves are exercised against a
// real server and file by tests/cli/sql_print_test.sh.
#include "data/sqlsource.h"

#include <QDateTime>
#include <QVariant>
#include <gtest/gtest.h>

TEST(SqlUrl, ParsesEveryDriverAndRefusesWhatItCannotUse)
{
    struct Row {
        const char *url;
        const char *driver, *host;
        int port;
        const char *database, *user, *options; // options joined by '|'
        const char *error;                     // part of the message, or null when it parses
        const char *back;                      // SqlUrl of the result, or null when the same
    } rows[] = {
        {"sqlite:///var/lib/shop/stock.db", "QSQLITE", "", -1, "/var/lib/shop/stock.db", "", "", nullptr, nullptr},
        {"sqlite:stock%20list.db", "QSQLITE", "", -1, "stock list.db", "", "", nullptr, "sqlite://stock%20list.db"},
        {"postgresql://clerk@db.example:5433/shop", "QPSQL", "db.example", 5433, "shop", "clerk", "", nullptr, nullptr},
        {"postgres://clerk@/shop?host=/run/postgresql&sslmode=disable", "QPSQL", "/run/postgresql", -1, "shop", "clerk",
         "sslmode=disable", nullptr, "postgresql://clerk@/shop?host=/run/postgresql&sslmode=disable"},
        {"postgresql://%2Ftmp%2Fpg/shop", "QPSQL", "/tmp/pg", -1, "shop", "", "", nullptr,
         "postgresql:///shop?host=/tmp/pg"},
        {"postgresql://[::1]:5432/shop?user=admin&dbname=stock", "QPSQL", "::1", 5432, "stock", "admin", "", nullptr,
         "postgresql://admin@[::1]:5432/stock"},
        {"mysql://clerk@db.example/shop", "QMYSQL", "db.example", -1, "shop", "clerk", "", nullptr, nullptr},
        {"mysql://clerk@localhost/shop?socket=/run/mysqld/mysqld.sock", "QMYSQL", "localhost", -1, "shop", "clerk",
         "UNIX_SOCKET=/run/mysqld/mysqld.sock", nullptr, nullptr},
        {"odbc:Inventory", "QODBC", "", -1, "Inventory", "", "", nullptr, nullptr},
        {"postgresql://clerk:secret@db/shop", "", "", -1, "", "", "", "password does not belong", nullptr},
        {"postgresql://db/shop?password=secret", "", "", -1, "", "", "", "password does not belong", nullptr},
        {"postgresql://db:99999/shop", "", "", -1, "", "", "", "bad port", nullptr},
        {"postgresql:shop", "", "", -1, "", "", "", "not a database URL", nullptr},
        {"oracle://db/shop", "", "", -1, "", "", "", "not a database URL", nullptr},
        {"sqlite://server/stock.db", "", "", -1, "", "", "", "sqlite:///path", nullptr},
        {"odbc:", "", "", -1, "", "", "", "no data source", nullptr},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.url);
        TSqlConnection c;
        QString error;
        const bool ok = ParseSqlUrl(QString::fromUtf8(r.url), c, &error);
        if (r.error) {
            EXPECT_FALSE(ok);
            EXPECT_TRUE(error.contains(QLatin1String(r.error))) << error.toStdString();
            EXPECT_FALSE(error.contains(QLatin1String("secret"))) << error.toStdString();
            continue;
        }
        ASSERT_TRUE(ok) << error.toStdString();
        EXPECT_EQ(c.Driver, QLatin1String(r.driver));
        EXPECT_EQ(c.Host, QLatin1String(r.host));
        EXPECT_EQ(c.Port, r.port);
        EXPECT_EQ(c.Database, QLatin1String(r.database));
        EXPECT_EQ(c.User, QLatin1String(r.user));
        EXPECT_EQ(c.Options.join(QLatin1Char('|')), QLatin1String(r.options));
        EXPECT_EQ(SqlUrl(c).toStdString(), r.back ? r.back : r.url);
    }
}

TEST(SqlValueText, PrintsValuesAsTheDatabaseShowsThem)
{
    const std::pair<QVariant, const char *> rows[] = {
        {QVariant(), ""},
        {QVariant(QMetaType::fromType<int>()), ""}, // a NULL integer
        {QVariant(0.1), "0.1"},
        {QVariant(0.1 + 0.2 - 0.3 + 0.3), "0.30000000000000004"}, // the double it is, shortest
        {QVariant(qlonglong(9007199254740993LL)), "9007199254740993"},
        {QVariant(QDate(2024, 2, 29)), "2024-02-29"},
        {QVariant(QDateTime(QDate(2024, 2, 29), QTime(13, 5, 0))), "2024-02-29 13:05:00"},
        {QVariant(QByteArray("货品")), "货品"},
    };
    for (const auto &[value, text] : rows)
        EXPECT_EQ(SqlValueText(value), QString::fromUtf8(text)) << text;
}
