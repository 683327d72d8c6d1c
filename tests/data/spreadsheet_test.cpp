#include "data/dataimport.h"
#include "data/memorysource.h"
#include "data/sheetcells.h"
#include "data/sourcechoice.h"
#include "data/spreadsheet.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The fixtures in tests/sheets come from tests/sheets/make_fixtures.py:
// stock.ods by odfpy, stock.xlsx and stock.xls from it by LibreOffice,
// cells.xlsx and broken.xlsx zipped by hand.

// Readable failures: the rows as text.
static std::string Show(const QList<TDataRow> &rows)
{
    QStringList lines;
    for (const TDataRow &r : rows)
        lines.append(r.join(u'|'));
    return lines.join(u'\n').toStdString();
}

namespace {

QString Fixture(const QString &name)
{
    return qEnvironmentVariable("QV_SOURCE_DIR", QStringLiteral(".")) + QStringLiteral("/tests/sheets/") + name;
}

std::string Iso(const QDateTime &t)
{
    return t.toString(Qt::ISODateWithMs).toStdString();
}

QList<TDataRow> ReadAll(TRecordSource &source)
{
    QList<TDataRow> rows;
    if (!source.HasRecord())
        return rows;
    for (;;) {
        rows.append(source.DataRow());
        if (source.DataEof())
            break;
        source.ReadRecord();
    }
    EXPECT_FALSE(source.Failed()) << source.ErrorString().toStdString();
    return rows;
}

// The twin of a workbook, what a spreadsheet program shows.
QList<TDataRow> ReadCsv(const QString &file)
{
    TSplitSettings csv;
    csv.Mode = TSplitMode::Comma;
    TRecordReader reader;
    EXPECT_TRUE(reader.OpenData(file, csv)) << file.toStdString();
    return ReadAll(reader);
}

QList<TDataRow> ReadSheet(const QString &file, const QString &sheet = QString(), bool header = true)
{
    QString error;
    auto source = OpenSpreadsheet(file, sheet, header, &error);
    EXPECT_TRUE(source) << error.toStdString();
    return source ? ReadAll(*source) : QList<TDataRow>();
}

TEST(SpreadsheetCells, NumbersAndDates)
{
    const struct {
        double value;
        const char *text;
    } numbers[] = {{0.1, "0.1"},       {0.1 + 0.2, "0.3"},  {-12, "-12"},       {1e20, "1E+20"},
                   {6901234567892, "6901234567892"},        {1.5e-7, "1.5E-07"}, {123.456, "123.456"},
                   {-0.0, "0"},        {2.0 / 3, "0.666666666666667"}};
    for (const auto &n : numbers)
        EXPECT_EQ(ShortestNumberText(n.value), QLatin1String(n.text)) << n.text;

    const struct {
        double serial;
        const char *code;
        const char *text;
    } dates[] = {
        {45356, "", "2024-03-05"},
        {45356.75, "", "2024-03-05T18:00:00"},
        {0.5, "", "12:00:00"},
        {45356.75, "dd/mm/yyyy\\ hh:mm", "05/03/2024 18:00"},
        {45356, "d-mmm-yy", "5-Mar-24"},
        {45356, "dddd, mmmm d, yyyy", "Tuesday, March 5, 2024"},
        {45356, "[$-409]yyyy\"年\"m\"月\"d\"日\";@", "2024年3月5日"},
        {45356.5625, "h:mm AM/PM", "1:30 PM"},
        {45356.99999999, "yyyy-mm-dd hh:mm:ss", "2024-03-06 00:00:00"},
        {1.5, "[h]:mm:ss", "36:00:00"},
        {0.000011574, "mm:ss.0", "00:01.0"},
        {45356, "#,##0.00", "2024-03-05"}, // not a date format: ISO
        {59, "yyyy-mm-dd", "1900-02-28"},
        {61, "yyyy-mm-dd", "1900-03-01"},
    };
    for (const auto &d : dates)
        EXPECT_EQ(FormatDateSerial(d.serial, QString::fromUtf8(d.code)), QString::fromUtf8(d.text)) << d.code;
    EXPECT_EQ(FormatDateSerial(0, QStringLiteral("yyyy-mm-dd"), true), QStringLiteral("1904-01-01"));
    EXPECT_TRUE(IsDateFormatCode(QStringLiteral("yyyy-mm-dd")));
    EXPECT_FALSE(IsDateFormatCode(QStringLiteral("0.00\"d\"")));
    EXPECT_FALSE(IsDateFormatCode(QStringLiteral("[Red]0.00")));
}

// Shared, inline and rich strings, booleans, cached formula text, a row left
// out, cells without references, dates through their formats, a lone cell,
// no dimension: every record as wide as the widest row.
TEST(Spreadsheet, CellCases)
{
    const QList<TDataRow> want = {
        {"0.3", "共享", "inline", "TRUE", "0.3x", "rich text"},
        {"", "", "", "", "", ""},
        {"2024-03-05", "05/03/2024 18:00", "5-Mar-24", "1.50", "1E+20", ""},
        {"", "", "", "", "-12", ""},
    };
    EXPECT_EQ(ReadSheet(Fixture("cells.xlsx")), want);
    EXPECT_EQ(ReadSheet(Fixture("cells.xlsx"), QString(), false).value(0), TDataRow({"h1"}));
}

// Each cell of formats.xlsx and of its .xls twin as LibreOffice shows it
// (formats.csv, written by make_fixtures.py from its export). The workbook's
// active first sheet is hidden: the second is read by default, and the chooser marks the first.
TEST(Spreadsheet, FormatsAsTheSheetShows)
{
    const QList<TDataRow> want = ReadCsv(Fixture("formats.csv"));
    ASSERT_GT(want.size(), 30);
    // LibreOffice's .xls export saves the built-in dates 14 and 31 and the
    // time 34 under its own codes (m/d/yyyy, h:mm:ss), which the .xls shows.
    const struct {
        const char *file;
        QHash<int, QString> own; // row: what this file shows instead
    } twins[] = {{"formats.xlsx", {}}, {"formats.xls", {{33, "3/5/2024"}, {35, "13:30:00"}, {37, "3/5/2024"}}}};
    for (const auto &t : twins) {
        const QList<TDataRow> got = ReadSheet(Fixture(t.file));
        ASSERT_EQ(got.size(), want.size()) << t.file << Show(got);
        for (int i = 0; i < want.size(); ++i)
            EXPECT_EQ(got[i].value(0).toStdString(), t.own.value(i + 2, want[i].value(0)).toStdString())
                << t.file << " row " << i + 2 << ", format " << want[i].value(1).toStdString();
    }

    // styles.ods: values without their text, shown through the data styles
    // (as LibreOffice shows them); its active sheet is the last.
    EXPECT_EQ(ReadSheet(Fixture("styles.ods"), QString(), false),
              QList<TDataRow>({{"1,234.50", "25.6%", "(2.50)", "2.50", "2024年3月5日", "36:00", "000042", "1.23E+04",
                                "0.3"}}));

    const struct {
        const char *file;
        int sheets, opensAt;
    } workbooks[] = {{"formats.xlsx", 4, 1}, {"formats.xls", 4, 1}, {"styles.ods", 3, 2}, {"stock.xls", 2, 0}};
    for (const auto &w : workbooks) {
        int opensAt = -1;
        const QList<TSheetInfo> sheets = SpreadsheetSheets(Fixture(w.file), &opensAt);
        ASSERT_EQ(sheets.size(), w.sheets) << w.file;
        EXPECT_EQ(sheets[0].Hidden, w.opensAt > 0) << w.file;
        EXPECT_FALSE(sheets[1].Hidden) << w.file;
        EXPECT_EQ(opensAt, w.opensAt) << w.file;
    }
}

// The same records as the CSV twin, from every writer; sheets by name and
// number; the wizard's first rows.
TEST(Spreadsheet, SameRecordsAsCsv)
{
    const QList<TDataRow> want = ReadCsv(Fixture("stock.csv"));
    ASSERT_EQ(want.size(), 30);
    for (const char *name : {"stock.ods", "stock.xlsx", "stock.xls", "STOCK.XLSX"}) {
        const QString file = Fixture(QString::fromLatin1(name).toLower());
        EXPECT_TRUE(IsSpreadsheetFile(QString::fromLatin1(name)));
        const QList<TDataRow> got = ReadSheet(file);
        EXPECT_EQ(got, want) << name << "\n" << Show(got);
        EXPECT_EQ(ReadSheet(file, QStringLiteral("Notes"), false), QList<TDataRow>({{"second sheet"}})) << name;
        EXPECT_EQ(ReadSheet(file, QStringLiteral("2"), false), QList<TDataRow>({{"second sheet"}})) << name;
        EXPECT_EQ(SpreadsheetSheetNames(file), QStringList({"Stock", "Notes"})) << name;
        const QList<TDataRow> first = ReadSpreadsheetRows(file, QString(), 3);
        ASSERT_EQ(first.size(), 3) << name;
        EXPECT_EQ(first[0], TDataRow({"sku", "price", "date", "name", "qty"}));
        EXPECT_EQ(first[2], want[1]);
    }
    EXPECT_FALSE(IsSpreadsheetFile(QStringLiteral("stock.csv")));
}

// The header row names the columns; date cells give their dates (serials
// under date formats, .ods date values), other cells none.
TEST(Spreadsheet, ColumnNamesAndDateCells)
{
    const QStringList stock{"sku", "price", "date", "name", "qty"};
    const QDateTime none;
    const struct {
        const char *file;
        bool header;
        QStringList names;
        int record, column; // record from 0, column from 1
        QDateTime date;
    } cases[] = {
        {"stock.xlsx", true, stock, 0, 3, QDateTime(QDate(2024, 3, 2), QTime(0, 0))},
        {"stock.ods", true, stock, 29, 3, QDateTime(QDate(2024, 3, 31), QTime(0, 0))},
        {"stock.xls", true, stock, 1, 3, QDateTime(QDate(2024, 3, 3), QTime(0, 0))},
        {"stock.xlsx", true, stock, 0, 2, none}, // a number
        {"stock.xls", true, stock, 0, 1, none},  // a text
        {"cells.xlsx", true, {"h1"}, 2, 1, QDateTime(QDate(2024, 3, 5), QTime(0, 0))},
        {"cells.xlsx", true, {"h1"}, 2, 2, QDateTime(QDate(2024, 3, 5), QTime(18, 0))},
        {"cells.xlsx", true, {"h1"}, 2, 3, QDateTime(QDate(2024, 3, 5), QTime(0, 0))},
        {"cells.xlsx", true, {"h1"}, 2, 4, none}, // "0.00"
        {"cells.xlsx", true, {"h1"}, 1, 1, none}, // the row the file leaves out
        {"styles.ods", false, {}, 0, 5, QDateTime(QDate(2024, 3, 5), QTime(14, 4))},
        {"styles.ods", false, {}, 0, 1, none},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.file) + " record " + std::to_string(c.record) + " column " +
                     std::to_string(c.column));
        QString error;
        const auto source = OpenSpreadsheet(Fixture(c.file), QString(), c.header, &error);
        ASSERT_TRUE(source) << error.toStdString();
        EXPECT_EQ(source->ColumnNames(), c.names);
        for (int i = 0; i < c.record; ++i)
            source->ReadRecord();
        EXPECT_EQ(Iso(source->CellDate(c.column)), Iso(c.date)) << source->DataRow().join(u'|').toStdString();
    }
}

// One opener for every kind of source, chosen by the name alone.
TEST(RecordSource, OpensByName)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("stock.db"));
    {
        QSqlDatabase make = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        make.setDatabaseName(db);
        ASSERT_TRUE(make.open());
        QSqlQuery q(make);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE stock (sku TEXT, price TEXT, made DATETIME)")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO stock VALUES ('QV-00001', '0.1', '2024-03-05 14:04:00')")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    const TDataRow first{"QV-00001", "0.1", "2024-03-02", "Item 1", "12"};
    const QStringList names{"sku", "price", "date", "name", "qty"};
    const struct {
        QString name, query;
        TDataRow record;   // the first record, when it opens
        const char *error; // part of the message, when it does not
        QStringList names;
        QDateTime date; // column 3's date cell
    } cases[] = {
        {Fixture("stock.csv"), "", first, nullptr, names, {}}, // text: no date cells
        {Fixture("stock.xlsx"), "", first, nullptr, names, QDateTime(QDate(2024, 3, 2), QTime(0, 0))},
        {"sqlite://" + db, "SELECT sku, price AS \"Price\", made FROM stock", {"QV-00001", "0.1", "2024-03-05 14:04:00"},
         nullptr, {"sku", "Price", "made"}, QDateTime(QDate(2024, 3, 5), QTime(14, 4))},
        {"ftp://host/stock.csv", "", {}, "ftp://host/stock.csv", {}, {}},
        {dir.filePath(QStringLiteral("missing.csv")), "", {}, "missing.csv", {}, {}},
    };
    EXPECT_FALSE(HasDataSource(TSourceChoice()));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        TSourceChoice choice;
        choice.Name = c.name;
        choice.Split.Mode = TSplitMode::Comma;
        choice.Query = c.query;
        EXPECT_TRUE(HasDataSource(choice));
        QString error, namesError;
        const std::unique_ptr<TRecordSource> source = OpenRecordSource(choice, &error);
        EXPECT_EQ(SourceColumnNames(choice, &namesError), c.names);
        if (c.error) {
            EXPECT_FALSE(source);
            EXPECT_TRUE(error.contains(QLatin1String(c.error))) << error.toStdString();
            EXPECT_EQ(namesError, error);
            continue;
        }
        ASSERT_TRUE(source) << error.toStdString();
        EXPECT_TRUE(source->HasRecord());
        EXPECT_EQ(source->DataRow(), c.record);
        EXPECT_EQ(source->ColumnNames(), c.names);
        EXPECT_EQ(Iso(source->CellDate(3)), Iso(c.date));
        EXPECT_FALSE(source->CellDate(1).isValid());
    }
}

// The rule every reader of names follows: the same name, else the same but
// for case and surrounding blanks.
TEST(RecordSource, ColumnIndexByName)
{
    const QStringList names{"SKU", "sku", " Name ", "", "数量"};
    const std::pair<const char *, int> cases[] = {
        {"sku", 1}, {"Sku", 0}, {"name", 2}, {" Name ", 2}, {"数量 ", 4}, {"price", -1}, {"", -1}, {"  ", -1},
    };
    for (const auto &[name, index] : cases)
        EXPECT_EQ(ColumnIndexByName(names, QString::fromUtf8(name)), index) << name;
}

// Walked as the print job walks a source, then paged back as the preview does.
TEST(RecordSource, MemoryRecords)
{
    const QList<TDataRow> rows{{"A1", "1"}, {"B2", "2"}, {"C3", "3"}};
    for (const QStringList &columns : {QStringList{"SKU", "数量"}, QStringList{}}) {
        auto source = OpenMemorySource(columns, rows, QStringLiteral("job 12"));
        EXPECT_EQ(source->SourceName(), "job 12");
        EXPECT_EQ(source->ColumnNames(), columns);
        ASSERT_TRUE(source->CanSeek());
        QList<TDataRow> seen;
        QList<qint64> marks;
        while (source->HasRecord()) {
            seen << source->DataRow();
            marks << source->Tell();
            if (source->DataEof())
                break;
            source->ReadRecord();
        }
        EXPECT_EQ(seen, rows);
        source->ReadRecord(); // past the end: the last stays current
        EXPECT_EQ(source->DataRow(), rows.last());
        EXPECT_FALSE(source->Failed());
        ASSERT_TRUE(source->Seek(marks[1]));
        EXPECT_EQ(source->DataRow(), rows[1]);
        EXPECT_FALSE(source->DataEof());
        EXPECT_FALSE(source->Seek(3));
        EXPECT_EQ(source->DataRow(), rows[1]);
    }
    auto none = OpenMemorySource({}, {}, QStringLiteral("job 13"));
    EXPECT_FALSE(none->HasRecord());
    EXPECT_TRUE(none->DataEof());
    EXPECT_TRUE(none->DataRow().isEmpty());
    EXPECT_EQ(none->Tell(), -1);
}

TEST(Spreadsheet, Errors)
{
    QTemporaryDir dir;
    const QString fake = dir.filePath(QStringLiteral("fake.xlsx"));
    const QString fakeXls = dir.filePath(QStringLiteral("fake.xls"));
    for (const QString &path : {fake, fakeXls}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("sku,name\n");
    }
    const struct {
        QString file, sheet, message;
    } cases[] = {
        {Fixture("none.ods"), "", "no such file"},
        {dir.path() + "/x.ods", "", "no such file"},
        {Fixture("stock.xlsx"), "Prices", "no sheet \"Prices\" (the sheets: Stock, Notes)"},
        {Fixture("stock.ods"), "3", "no sheet \"3\""},
        {Fixture("stock.xls"), "0", "no sheet \"0\""},
        {Fixture("broken.xlsx"), "", "xl/worksheets/data.xml, line 5: Premature end of document"},
        {Fixture("protected.xlsx"), "", "protected by a password"},
        {fake, "", "it is a text file"},
        {fakeXls, "", "it is a text file"},
        {Fixture("formats.xlsx"), "BadString", "BadString!B2: shared string 99 does not exist (the workbook has 2)"},
        {Fixture("formats.xlsx"), "BadRef", "BadRef!B2: the cell is out of place (after BadRef!C2)"},
    };
    for (const auto &c : cases) {
        QString error;
        EXPECT_FALSE(OpenSpreadsheet(c.file, c.sheet, true, &error));
        EXPECT_TRUE(error.contains(c.message)) << error.toStdString();
        EXPECT_TRUE(error.contains(QFileInfo(c.file).fileName())) << error.toStdString();
    }
}

} // namespace
