// .xlsx: the workbook names the sheets and, through its relationships, their
// members; shared strings and the cell styles' number formats are loaded
// whole (they are small beside the sheet), the sheet itself is streamed.

#include "data/sheetcells.h"
#include "data/sheetrows.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>

namespace {

struct TSheetEntry {
    QString Name;
    QString Member;
    bool Hidden = false;
};

// "xl/" + "worksheets/sheet1.xml", or an absolute "/xl/worksheets/sheet1.xml".
QString ResolveTarget(const QString &baseFolder, const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    QStringList parts = (baseFolder + target).split(u'/');
    QStringList out;
    for (const QString &p : parts) {
        if (p == QLatin1String(".."))
            out.removeLast();
        else if (p != QLatin1String(".") && !p.isEmpty())
            out.append(p);
    }
    return out.join(u'/');
}

// Relationship Id -> (Type, member) of one .rels file.
bool ReadRels(const QString &fileName, const QString &relsMember, const QString &baseFolder,
              QHash<QString, QPair<QString, QString>> &rels, QString *error)
{
    TZipXml z;
    bool missing = false;
    if (!z.Open(fileName, relsMember, error, &missing))
        return missing;
    while (true) {
        const auto t = z.Next();
        if (t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndDocument)
            break;
        if (t == QXmlStreamReader::StartElement && z.Xml().name() == QLatin1String("Relationship")) {
            const auto a = z.Xml().attributes();
            if (a.value(QLatin1String("TargetMode")) == QLatin1String("External"))
                continue;
            rels.insert(a.value(QLatin1String("Id")).toString(),
                        {a.value(QLatin1String("Type")).toString(),
                         ResolveTarget(baseFolder, a.value(QLatin1String("Target")).toString())});
        }
    }
    if (!z.Error().isEmpty()) {
        if (error)
            *error = SheetErrorText(fileName, z.Error());
        return false;
    }
    return true;
}

struct TWorkbook {
    QList<TSheetEntry> Sheets;
    QString SharedStrings;
    QString Styles;
    bool Date1904 = false;
    int ActiveTab = -1;
};

bool ReadWorkbook(const QString &fileName, TWorkbook &wb, QString *error)
{
    QHash<QString, QPair<QString, QString>> root;
    if (!ReadRels(fileName, QStringLiteral("_rels/.rels"), QString(), root, error))
        return false;
    QString workbook = QStringLiteral("xl/workbook.xml");
    for (const auto &r : std::as_const(root))
        if (r.first.endsWith(QLatin1String("/officeDocument")))
            workbook = r.second;
    const qsizetype slash = workbook.lastIndexOf(u'/');
    const QString folder = workbook.left(slash + 1);
    QHash<QString, QPair<QString, QString>> rels;
    if (!ReadRels(fileName, folder + QStringLiteral("_rels/") + workbook.mid(slash + 1) + QStringLiteral(".rels"),
                  folder, rels, error))
        return false;
    for (const auto &r : std::as_const(rels)) {
        if (r.first.endsWith(QLatin1String("/sharedStrings")))
            wb.SharedStrings = r.second;
        else if (r.first.endsWith(QLatin1String("/styles")))
            wb.Styles = r.second;
    }
    TZipXml z;
    if (!z.Open(fileName, workbook, error))
        return false;
    while (true) {
        const auto t = z.Next();
        if (t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndDocument)
            break;
        if (t != QXmlStreamReader::StartElement)
            continue;
        const auto a = z.Xml().attributes();
        if (z.Xml().name() == QLatin1String("workbookPr")) {
            const auto v = a.value(QLatin1String("date1904"));
            wb.Date1904 = v == QLatin1String("1") || v == QLatin1String("true");
        } else if (z.Xml().name() == QLatin1String("workbookView") && wb.ActiveTab < 0) {
            bool ok = false;
            const int tab = a.value(QLatin1String("activeTab")).toInt(&ok);
            wb.ActiveTab = ok ? tab : 0;
        } else if (z.Xml().name() == QLatin1String("sheet")) {
            QString id;
            for (const auto &attr : a)
                if (attr.name() == QLatin1String("id"))
                    id = attr.value().toString();
            const QString member = rels.value(id).second;
            const auto state = a.value(QLatin1String("state"));
            wb.Sheets.append({a.value(QLatin1String("name")).toString(),
                              member.isEmpty() ? folder + QStringLiteral("worksheets/sheet%1.xml")
                                                             .arg(wb.Sheets.size() + 1)
                                               : member,
                              state == QLatin1String("hidden") || state == QLatin1String("veryHidden")});
        }
    }
    if (!z.Error().isEmpty()) {
        if (error)
            *error = SheetErrorText(fileName, z.Error());
        return false;
    }
    if (wb.Sheets.isEmpty()) {
        if (error)
            *error = SheetErrorText(fileName, QCoreApplication::translate("Spreadsheet", "the workbook has no sheets"));
        return false;
    }
    return true;
}

QList<TSheetInfo> SheetInfos(const TWorkbook &wb)
{
    QList<TSheetInfo> sheets;
    for (const TSheetEntry &s : wb.Sheets)
        sheets.append({s.Name, s.Hidden});
    return sheets;
}

// The shared strings in one buffer: a QString each would cost several times
// the text (a workbook of 100,000 rows may hold 300,000 of them).
class TStringPool {
public:
    void Append(const QString &s)
    {
        text_ += s;
        ends_.append(text_.size());
    }
    qsizetype Size() const { return ends_.size(); }
    QString At(qsizetype i) const
    {
        const qsizetype start = i == 0 ? 0 : ends_[i - 1];
        return text_.mid(start, ends_[i] - start);
    }
    void Squeeze()
    {
        text_.squeeze();
        ends_.squeeze();
    }

private:
    QString text_;
    QList<qsizetype> ends_;
};

bool ReadSharedStrings(const QString &fileName, const QString &member, TStringPool &out, QString *error)
{
    if (member.isEmpty())
        return true;
    TZipXml z;
    bool missing = false;
    if (!z.Open(fileName, member, error, &missing))
        return missing;
    while (true) {
        const auto t = z.Next();
        if (t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndDocument)
            break;
        // Phonetic runs (rPh) are guides above the text, not the text.
        if (t == QXmlStreamReader::StartElement && z.Xml().name() == QLatin1String("si"))
            out.Append(z.ElementText({QStringLiteral("rPh"), QStringLiteral("phoneticPr")}));
    }
    out.Squeeze();
    if (!z.Error().isEmpty()) {
        if (error)
            *error = SheetErrorText(fileName, z.Error());
        return false;
    }
    return true;
}

// For each cell style (cellXfs, by index) its number format code.
bool ReadStyles(const QString &fileName, const QString &member, QStringList &styles, QString *error)
{
    if (member.isEmpty())
        return true;
    TZipXml z;
    bool missing = false;
    if (!z.Open(fileName, member, error, &missing))
        return missing;
    QHash<int, QString> formats;
    bool inCellXfs = false;
    while (true) {
        const auto t = z.Next();
        if (t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndDocument)
            break;
        const auto name = z.Xml().name();
        if (t == QXmlStreamReader::EndElement && name == QLatin1String("cellXfs"))
            inCellXfs = false;
        if (t != QXmlStreamReader::StartElement)
            continue;
        const auto a = z.Xml().attributes();
        if (name == QLatin1String("numFmt")) {
            formats.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
        } else if (name == QLatin1String("cellXfs")) {
            inCellXfs = true;
        } else if (inCellXfs && name == QLatin1String("xf")) {
            const int id = a.value(QLatin1String("numFmtId")).toInt();
            styles.append(formats.contains(id) ? formats.value(id) : BuiltinFormatCode(id));
        }
    }
    if (!z.Error().isEmpty()) {
        if (error)
            *error = SheetErrorText(fileName, z.Error());
        return false;
    }
    return true;
}

class TXlsxRows : public TSheetRows {
public:
    bool Open(const QString &fileName, const TWorkbook &wb, int index, QString *error)
    {
        fileName_ = fileName;
        sheet_ = wb.Sheets[index].Name;
        date1904_ = wb.Date1904;
        if (!ReadSharedStrings(fileName, wb.SharedStrings, strings_, error) ||
            !ReadStyles(fileName, wb.Styles, styles_, error))
            return false;
        for (const QString &code : std::as_const(styles_))
            dateStyles_.append(IsDateFormatCode(code));
        if (!z_.Open(fileName, wb.Sheets[index].Member, error))
            return false;
        // Up to the rows; the dimension comes before them.
        while (true) {
            const auto t = z_.Next();
            if (t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndDocument)
                break;
            if (t != QXmlStreamReader::StartElement)
                continue;
            if (z_.Xml().name() == QLatin1String("dimension")) {
                const QString ref = z_.Xml().attributes().value(QLatin1String("ref")).toString();
                const QString last = ref.section(u':', -1);
                width_ = ColumnNumber(last);
            } else if (z_.Xml().name() == QLatin1String("sheetData")) {
                inData_ = true;
                break;
            }
        }
        if (!z_.Error().isEmpty()) {
            if (error)
                *error = SheetErrorText(fileName, z_.Error());
            return false;
        }
        return true;
    }

    bool NextRow(TDataRow &row, qint64 &count) override
    {
        if (pending_) {
            row = std::move(pendingRow_);
            pendingRow_.clear();
            dates_ = std::move(pendingDates_);
            pendingDates_.clear();
            pending_ = false;
            count = 1;
            return true;
        }
        while (inData_) {
            const auto t = z_.Next();
            if (t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndDocument ||
                (t == QXmlStreamReader::EndElement && z_.Xml().name() == QLatin1String("sheetData"))) {
                inData_ = false;
                break;
            }
            if (t != QXmlStreamReader::StartElement || z_.Xml().name() != QLatin1String("row"))
                continue;
            const auto ref = z_.Xml().attributes().value(QLatin1String("r"));
            bool ok = false;
            const qint64 r = ref.toLongLong(&ok);
            if (!ref.isEmpty() && (!ok || r <= rowNumber_)) {
                // A row out of place would print its cells on another label.
                cellError_ = QCoreApplication::translate("Spreadsheet", "%1: the row number \"%2\" is out of order")
                                 .arg(CellName(sheet_, 0, rowNumber_ + 1), ref.toString());
                inData_ = false;
                break;
            }
            const qint64 number = ok ? r : rowNumber_ + 1;
            const qint64 gap = number - rowNumber_ - 1;
            rowNumber_ = number;
            TDataRow cells;
            TRowDates dates;
            ReadRowCells(cells, dates);
            if (!z_.Error().isEmpty() || !cellError_.isEmpty()) {
                inData_ = false; // no half row
                break;
            }
            count = 1;
            if (gap > 0) {
                // Rows the file leaves out are empty rows of the sheet.
                pendingRow_ = std::move(cells);
                pendingDates_ = std::move(dates);
                pending_ = true;
                row.clear();
                dates_.clear();
                count = gap;
                return true;
            }
            row = std::move(cells);
            dates_ = std::move(dates);
            return true;
        }
        return false;
    }

    QString Error() const override
    {
        if (!cellError_.isEmpty())
            return SheetErrorText(fileName_, cellError_);
        return z_.Error().isEmpty() ? QString() : SheetErrorText(fileName_, z_.Error());
    }
    int DeclaredWidth() const override { return width_; }
    QString SheetName() const override { return sheet_; }
    const TRowDates &RowDates() const override { return dates_; }

private:
    void ReadRowCells(TDataRow &cells, TRowDates &dates)
    {
        int column = 0;
        while (true) {
            const auto t = z_.Next();
            if (t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndElement)
                return; // </row>
            if (t != QXmlStreamReader::StartElement)
                continue;
            if (z_.Xml().name() != QLatin1String("c")) {
                z_.SkipElement();
                continue;
            }
            const auto a = z_.Xml().attributes();
            const auto ref = a.value(QLatin1String("r"));
            if (!ref.isEmpty()) {
                const int c = ColumnNumber(ref);
                qsizetype digits = 0;
                while (digits < ref.size() && ref[digits].isLetter())
                    ++digits;
                if (c == 0 || c > kMaxColumns || digits == 0 || ref.mid(digits).toLongLong() != rowNumber_) {
                    cellError_ = QCoreApplication::translate("Spreadsheet", "%1: the cell reference \"%2\" is not valid")
                                     .arg(CellName(sheet_, column + 1, rowNumber_), ref.toString());
                    return;
                }
                if (c <= column) {
                    // A cell out of order would print in another field.
                    cellError_ = QCoreApplication::translate("Spreadsheet", "%1: the cell is out of place (after %2)")
                                     .arg(CellName(sheet_, c, rowNumber_), CellName(sheet_, column, rowNumber_));
                    return;
                }
                column = c;
            } else {
                ++column;
            }
            const QString type = a.value(QLatin1String("t")).toString();
            const int style = a.value(QLatin1String("s")).toInt();
            QString value, inlineText;
            bool hasValue = false, hasInline = false;
            while (true) {
                const auto u = z_.Next();
                if (u == QXmlStreamReader::Invalid || u == QXmlStreamReader::EndElement)
                    break; // </c>
                if (u != QXmlStreamReader::StartElement)
                    continue;
                if (z_.Xml().name() == QLatin1String("v")) {
                    value = z_.ElementText();
                    hasValue = true;
                } else if (z_.Xml().name() == QLatin1String("is")) {
                    inlineText = z_.ElementText({QStringLiteral("rPh"), QStringLiteral("phoneticPr")});
                    hasInline = true;
                } else {
                    z_.SkipElement(); // the formula, extensions
                }
            }
            QString text;
            QDateTime when;
            if (type == QLatin1String("inlineStr"))
                text = FormatText(hasInline ? inlineText : value, StyleCode(style));
            else if (!hasValue)
                text.clear();
            else if (type == QLatin1String("s")) {
                bool ok = false;
                const qlonglong i = value.trimmed().toLongLong(&ok);
                if (!ok || i < 0 || i >= strings_.Size()) {
                    cellError_ = QCoreApplication::translate("Spreadsheet",
                                                             "%1: shared string %2 does not exist (the workbook has %3)")
                                     .arg(CellName(sheet_, column, rowNumber_), value.trimmed())
                                     .arg(strings_.Size());
                    return;
                }
                text = FormatText(strings_.At(i), StyleCode(style));
            }
            else if (type == QLatin1String("b"))
                text = value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
            else if (type == QLatin1String("str"))
                text = FormatText(value, StyleCode(style));
            else if (type == QLatin1String("e"))
                text = value;
            else if (type == QLatin1String("d")) {
                text = value;
                when = IsoDateTime(value);
            }
            else
                text = NumberText(value, style, &when);
            if (text.isEmpty())
                continue;
            if (when.isValid())
                dates.append({column, when});
            while (cells.size() < column - 1)
                cells.append(QString());
            cells.append(text);
        }
    }

    QString StyleCode(int style) const
    {
        return style >= 0 && style < styles_.size() ? styles_[style] : QString();
    }
    // *when: the date a serial under a date format stands for.
    QString NumberText(const QString &value, int style, QDateTime *when) const
    {
        bool ok = false;
        const double v = value.trimmed().toDouble(&ok);
        if (!ok)
            return value;
        if (style >= 0 && style < dateStyles_.size() && dateStyles_[style])
            *when = DateSerialDateTime(v, date1904_);
        return FormatNumber(v, StyleCode(style), date1904_);
    }

    static constexpr int kMaxColumns = 16384;
    QString fileName_, sheet_, cellError_;
    TZipXml z_;
    TStringPool strings_;
    QStringList styles_;
    QList<bool> dateStyles_; // by style: its code shows dates or times
    TRowDates dates_, pendingDates_;
    bool date1904_ = false;
    bool inData_ = false;
    int width_ = 0;
    qint64 rowNumber_ = 0;
    bool pending_ = false;
    TDataRow pendingRow_;
};

} // namespace

QList<TSheetInfo> XlsxSheets(const QString &fileName, int *active, QString *error)
{
    TWorkbook wb;
    if (!ReadWorkbook(fileName, wb, error))
        return {};
    if (active)
        *active = wb.ActiveTab;
    return SheetInfos(wb);
}

std::unique_ptr<TSheetRows> OpenXlsxRows(const QString &fileName, int index, QString *error)
{
    TWorkbook wb;
    if (!ReadWorkbook(fileName, wb, error))
        return nullptr;
    if (index < 0)
        index = OpeningSheet(SheetInfos(wb), wb.ActiveTab);
    if (index >= wb.Sheets.size())
        return nullptr;
    auto rows = std::make_unique<TXlsxRows>();
    if (!rows->Open(fileName, wb, index, error))
        return nullptr;
    return rows;
}
