#include "data/spreadsheet.h"

#include "data/sheetrows.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

enum class TKind { None, Xlsx, Ods, Xls };

TKind KindOf(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("xlsx"))
        return TKind::Xlsx;
    if (ext == QLatin1String("ods"))
        return TKind::Ods;
    if (ext == QLatin1String("xls"))
        return TKind::Xls;
    return TKind::None;
}

// A sheet by its name first (a sheet may be called "2"), then by its number.
int FindSheet(const QString &fileName, const QStringList &names, const QString &sheet, QString *error)
{
    if (const qsizetype i = names.indexOf(sheet); i >= 0)
        return int(i);
    bool ok = false;
    const int n = sheet.trimmed().toInt(&ok);
    if (ok && n >= 1 && n <= names.size())
        return n - 1;
    if (error)
        *error = SheetErrorText(fileName, QCoreApplication::translate("Spreadsheet", "no sheet \"%1\" (the sheets: %2)")
                                              .arg(sheet, names.join(QStringLiteral(", "))));
    return -1;
}

std::unique_ptr<TSheetRows> OpenRows(const QString &fileName, const QString &sheet, QString *error)
{
    // Listing the sheets of an .ods reads all of content.xml: only for a choice.
    int index = -1;
    if (!sheet.isEmpty()) {
        const QStringList names = SpreadsheetSheetNames(fileName, error);
        if (names.isEmpty())
            return nullptr;
        index = FindSheet(fileName, names, sheet, error);
        if (index < 0)
            return nullptr;
    }
    switch (KindOf(fileName)) {
    case TKind::Xlsx: return OpenXlsxRows(fileName, index, error);
    case TKind::Ods: return OpenOdsRows(fileName, index, error);
    case TKind::Xls: return OpenXlsRows(fileName, index, error);
    case TKind::None: break;
    }
    return nullptr;
}

// The sheet's records in order: rows with their repeat counts unfolded, the
// empty rows held back until something follows them, each record as wide as
// the sheet.
class TRowStream {
public:
    explicit TRowStream(std::unique_ptr<TSheetRows> rows) : rows_(std::move(rows)) {}

    // *dates: the record's date cells.
    bool Next(TDataRow &out, TRowDates *dates = nullptr)
    {
        if (emptyLeft_ == 0 && rowLeft_ == 0 && !Fill())
            return false;
        if (emptyLeft_ > 0) {
            --emptyLeft_;
            out = TDataRow();
            if (dates)
                dates->clear();
        } else {
            --rowLeft_;
            out = row_;
            if (dates)
                *dates = rows_->RowDates();
        }
        while (out.size() < width_)
            out.append(QString());
        return true;
    }
    QString Error() const { return rows_->Error(); }
    QString SheetName() const { return rows_->SheetName(); }

private:
    bool Fill()
    {
        qint64 empties = 0;
        TDataRow row;
        qint64 count = 0;
        while (seen_ < kMaxRows && rows_->NextRow(row, count)) {
            // A row number or repeat count past the formats' last row is
            // damage, not a billion labels.
            count = qBound<qint64>(1, count, kMaxRows - seen_);
            seen_ += count;
            bool empty = true;
            for (const QString &cell : std::as_const(row))
                empty = empty && cell.isEmpty();
            if (empty) {
                empties += count;
                continue;
            }
            width_ = qMax(width_, qMax(rows_->DeclaredWidth(), int(row.size())));
            emptyLeft_ = empties;
            row_ = std::move(row);
            rowLeft_ = count;
            return true;
        }
        return false;
    }

    static constexpr qint64 kMaxRows = 1 << 20; // .xlsx and .ods: 1,048,576 rows
    std::unique_ptr<TSheetRows> rows_;
    TDataRow row_;
    qint64 emptyLeft_ = 0, rowLeft_ = 0, seen_ = 0;
    int width_ = 0;
};

class TSpreadsheetSource : public TRecordSource {
public:
    TSpreadsheetSource(const QString &fileName, std::unique_ptr<TSheetRows> rows)
        : fileName_(fileName), stream_(std::move(rows))
    {
    }

    void Start(bool ignoreHeader)
    {
        if (ignoreHeader) {
            TDataRow header;
            stream_.Next(header);
            for (const QString &name : std::as_const(header))
                names_.append(name.trimmed());
        }
        hasRecord_ = stream_.Next(row_, &dates_);
        hasNext_ = hasRecord_ && stream_.Next(next_, &nextDates_);
    }

    void ReadRecord() override
    {
        if (!hasNext_)
            return;
        row_ = std::move(next_);
        next_ = TDataRow();
        std::swap(dates_, nextDates_);
        hasNext_ = stream_.Next(next_, &nextDates_);
    }
    bool DataEof() const override { return !hasNext_; }
    const TDataRow &DataRow() const override { return row_; }
    bool HasRecord() const override { return hasRecord_; }
    bool Failed() const override { return !stream_.Error().isEmpty(); }
    QString ErrorString() const override { return stream_.Error(); }
    QString SourceName() const override
    {
        return QCoreApplication::translate("Spreadsheet", "%1, sheet \"%2\"").arg(fileName_, stream_.SheetName());
    }
    QStringList ColumnNames() const override { return names_; }
    QDateTime CellDate(int column) const override
    {
        for (const TCellDate &d : dates_)
            if (d.Column == column)
                return d.When;
        return {};
    }

private:
    QString fileName_;
    TRowStream stream_;
    QStringList names_;
    TDataRow row_, next_;
    TRowDates dates_, nextDates_;
    bool hasRecord_ = false, hasNext_ = false;
};

} // namespace

bool IsSpreadsheetFile(const QString &fileName)
{
    return KindOf(fileName) != TKind::None;
}

int OpeningSheet(const QList<TSheetInfo> &sheets, int active)
{
    if (active >= 0 && active < sheets.size() && !sheets[active].Hidden)
        return active;
    for (int i = 0; i < sheets.size(); ++i)
        if (!sheets[i].Hidden)
            return i;
    return 0;
}

QList<TSheetInfo> SpreadsheetSheets(const QString &fileName, int *opensAt, QString *error)
{
    int active = -1;
    QList<TSheetInfo> sheets;
    switch (KindOf(fileName)) {
    case TKind::Xlsx: sheets = XlsxSheets(fileName, &active, error); break;
    case TKind::Ods: sheets = OdsSheets(fileName, &active, error); break;
    case TKind::Xls: sheets = XlsSheets(fileName, &active, error); break;
    case TKind::None:
        if (error)
            *error = SheetErrorText(fileName, QCoreApplication::translate("Spreadsheet", "it is not a spreadsheet"));
        break;
    }
    if (opensAt)
        *opensAt = OpeningSheet(sheets, active);
    return sheets;
}

QStringList SpreadsheetSheetNames(const QString &fileName, QString *error)
{
    QStringList names;
    for (const TSheetInfo &s : SpreadsheetSheets(fileName, nullptr, error))
        names.append(s.Name);
    return names;
}

std::unique_ptr<TRecordSource> OpenSpreadsheet(const QString &fileName, const QString &sheet, bool ignoreHeader,
                                               QString *error)
{
    auto rows = OpenRows(fileName, sheet, error);
    if (!rows)
        return nullptr;
    auto source = std::make_unique<TSpreadsheetSource>(fileName, std::move(rows));
    source->Start(ignoreHeader);
    if (source->Failed()) {
        if (error)
            *error = source->ErrorString();
        return nullptr;
    }
    return source;
}

QList<TDataRow> ReadSpreadsheetRows(const QString &fileName, const QString &sheet, int max, QString *error)
{
    auto rows = OpenRows(fileName, sheet, error);
    if (!rows)
        return {};
    TRowStream stream(std::move(rows));
    QList<TDataRow> out;
    TDataRow row;
    while (out.size() < max && stream.Next(row))
        out.append(row);
    if (!stream.Error().isEmpty()) {
        if (error)
            *error = stream.Error();
        return {};
    }
    int width = 0;
    for (const TDataRow &r : std::as_const(out))
        width = qMax(width, int(r.size()));
    for (TDataRow &r : out)
        while (r.size() < width)
            r.append(QString());
    return out;
}
