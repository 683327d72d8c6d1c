// .ods: content.xml holds every sheet as table:table; rows and cells may
// stand for many (number-rows-repeated, number-columns-repeated), and a cell
// carries the text it shows in its paragraphs (text:p).

#include "data/sheetcells.h"
#include "data/sheetrows.h"

#include <QCoreApplication>
#include <QDate>
#include <QHash>
#include <QSet>

namespace {

const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kStyleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kConfigNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:config:1.0");
constexpr int kMaxColumns = 16384;

bool IsEnd(QXmlStreamReader::TokenType t)
{
    return t == QXmlStreamReader::Invalid || t == QXmlStreamReader::EndDocument;
}

qint64 Repeat(const QXmlStreamAttributes &a, const QString &name)
{
    bool ok = false;
    const qint64 n = a.value(kTableNs, name).toLongLong(&ok);
    return ok && n > 0 ? n : 1;
}

// "PT10H30M05S" as hours, minutes and seconds.
void DurationParts(const QString &iso, int &h, int &m, double &s)
{
    h = m = 0;
    s = 0;
    QString num;
    for (QChar c : iso.mid(iso.indexOf(u'T') + 1)) {
        if (c.isDigit() || c == u'.') {
            num += c;
        } else {
            if (c == u'H') h = num.toInt();
            else if (c == u'M') m = num.toInt();
            else if (c == u'S') s = num.toDouble();
            num.clear();
        }
    }
}

// "PT10H30M05S" as "10:30:05".
QString DurationText(const QString &iso)
{
    int h, m;
    double s;
    DurationParts(iso, h, m, s);
    return QStringLiteral("%1:%2:%3").arg(h, 2, 10, QChar(u'0')).arg(m, 2, 10, QChar(u'0'))
        .arg(qRound(s), 2, 10, QChar(u'0'));
}

double DurationDays(const QString &iso)
{
    int h, m;
    double s;
    DurationParts(iso, h, m, s);
    return (h * 3600.0 + m * 60.0 + s) / 86400.0;
}

const QString kNumberNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");

// The cells' data styles as number format codes, so that a cell saved
// without the text it shows (writers other than the spreadsheet programs)
// still shows it as its style says.
class TDataStyles {
public:
    // Takes one token of styles.xml or of content.xml before its body.
    void See(TZipXml &z)
    {
        const auto &x = z.Xml();
        if (x.isEndElement() && x.namespaceUri() == kNumberNs && x.name().endsWith(QLatin1String("-style")) &&
            !current_.isEmpty()) {
            codes_.insert(current_, {code_, maps_});
            current_.clear();
            return;
        }
        if (!x.isStartElement())
            return;
        const auto a = x.attributes();
        if (x.namespaceUri() == kStyleNs) {
            if (x.name() == QLatin1String("style") &&
                a.value(kStyleNs, QStringLiteral("family")) == QLatin1String("table-cell") &&
                a.hasAttribute(kStyleNs, QStringLiteral("data-style-name")))
                cells_.insert(a.value(kStyleNs, QStringLiteral("name")).toString(),
                              a.value(kStyleNs, QStringLiteral("data-style-name")).toString());
            else if (x.name() == QLatin1String("map") && !current_.isEmpty())
                maps_.append({a.value(kStyleNs, QStringLiteral("condition")).toString().remove(QStringLiteral("value()")),
                              a.value(kStyleNs, QStringLiteral("apply-style-name")).toString()});
            return;
        }
        if (x.namespaceUri() != kNumberNs)
            return;
        const QStringView name = x.name();
        if (name.endsWith(QLatin1String("-style"))) {
            current_ = a.value(kStyleNs, QStringLiteral("name")).toString();
            kind_ = name.toString();
            elapsed_ = a.value(kNumberNs, QStringLiteral("truncate-on-overflow")) == QLatin1String("false");
            code_.clear();
            maps_.clear();
            return;
        }
        if (current_.isEmpty())
            return;
        const bool isLong = a.value(kNumberNs, QStringLiteral("style")) == QLatin1String("long");
        const int decimals = a.value(kNumberNs, QStringLiteral("decimal-places")).toInt();
        const int integers = a.value(kNumberNs, QStringLiteral("min-integer-digits")).toInt();
        if (name == QLatin1String("number") || name == QLatin1String("scientific-number")) {
            QString whole(integers, u'0');
            if (a.value(kNumberNs, QStringLiteral("grouping")) == QLatin1String("true")) {
                whole = whole.rightJustified(4, u'#');
                whole.insert(whole.size() - 3, u',');
            } else if (whole.isEmpty()) {
                whole = QStringLiteral("#");
            }
            bool ok = false;
            const int least = a.value(kNumberNs, QStringLiteral("min-decimal-places")).toInt(&ok);
            code_ += whole;
            if (decimals > 0)
                code_ += u'.' + QString(ok ? qMin(least, decimals) : decimals, u'0') +
                         QString(ok ? decimals - qMin(least, decimals) : 0, u'#');
            if (name == QLatin1String("scientific-number"))
                code_ += QStringLiteral("E+") +
                         QString(qMax(1, a.value(kNumberNs, QStringLiteral("min-exponent-digits")).toInt()), u'0');
        } else if (name == QLatin1String("fraction")) {
            code_ += QStringLiteral("# ?/?"); // shown by the General rule
        } else if (name == QLatin1String("text") || name == QLatin1String("currency-symbol")) {
            const QString text = z.ElementText();
            if (text == QLatin1String("%") && kind_ == QLatin1String("percentage-style"))
                code_ += u'%';
            else
                code_ += u'"' + QString(text).remove(u'"') + u'"';
        } else if (name == QLatin1String("text-content")) {
            code_ += u'@';
        } else if (name == QLatin1String("year")) {
            code_ += isLong ? QStringLiteral("yyyy") : QStringLiteral("yy");
        } else if (name == QLatin1String("month")) {
            const bool textual = a.value(kNumberNs, QStringLiteral("textual")) == QLatin1String("true");
            code_ += textual ? (isLong ? QStringLiteral("mmmm") : QStringLiteral("mmm"))
                             : (isLong ? QStringLiteral("mm") : QStringLiteral("m"));
        } else if (name == QLatin1String("day")) {
            code_ += isLong ? QStringLiteral("dd") : QStringLiteral("d");
        } else if (name == QLatin1String("day-of-week")) {
            code_ += isLong ? QStringLiteral("dddd") : QStringLiteral("ddd");
        } else if (name == QLatin1String("hours")) {
            const QString h = isLong ? QStringLiteral("hh") : QStringLiteral("h");
            code_ += elapsed_ ? u'[' + h + u']' : h;
        } else if (name == QLatin1String("minutes")) {
            code_ += isLong ? QStringLiteral("mm") : QStringLiteral("m");
        } else if (name == QLatin1String("seconds")) {
            code_ += isLong ? QStringLiteral("ss") : QStringLiteral("s");
            if (decimals > 0)
                code_ += u'.' + QString(decimals, u'0');
        } else if (name == QLatin1String("am-pm")) {
            code_ += QStringLiteral("AM/PM");
        }
    }

    // The code of a cell style's data style: its conditional maps first
    // ("[>=0]0.00;(0.00)"), then its own; empty without one.
    QString CodeFor(const QString &cellStyle) const
    {
        const auto it = codes_.constFind(cells_.value(cellStyle));
        if (it == codes_.cend())
            return QString();
        QStringList sections;
        for (const auto &map : it->Maps)
            sections.append(u'[' + map.first + u']' + codes_.value(map.second).Code);
        sections.append(it->Code);
        return sections.join(u';');
    }

private:
    struct TCode {
        QString Code;
        QList<QPair<QString, QString>> Maps; // condition, style applied
    };
    QHash<QString, TCode> codes_;
    QHash<QString, QString> cells_; // cell style -> data style
    QString current_, kind_, code_;
    QList<QPair<QString, QString>> maps_;
    bool elapsed_ = false;
};

// The sheet the workbook was saved showing (settings.xml), or "".
QString ActiveTable(const QString &fileName)
{
    TZipXml z;
    bool missing = false;
    if (!z.Open(fileName, QStringLiteral("settings.xml"), nullptr, &missing))
        return QString();
    while (!IsEnd(z.Next())) {
        if (z.Xml().isStartElement() && z.Xml().name() == QLatin1String("config-item") &&
            z.Xml().attributes().value(kConfigNs, QStringLiteral("name")) == QLatin1String("ActiveTable"))
            return z.ElementText();
    }
    return QString();
}

// Within content.xml: collects the table styles that hide a sheet, and
// tells whether a table element is hidden by one.
class THiddenTables {
public:
    void See(TZipXml &z)
    {
        const auto &x = z.Xml();
        if (!x.isStartElement())
            return;
        if (x.name() == QLatin1String("style") && x.namespaceUri() == kStyleNs)
            style_ = x.attributes().value(kStyleNs, QStringLiteral("name")).toString();
        else if (x.name() == QLatin1String("table-properties") &&
                 x.attributes().value(kTableNs, QStringLiteral("display")) == QLatin1String("false"))
            hidden_.insert(style_);
    }
    bool IsHidden(const QXmlStreamAttributes &table) const
    {
        return hidden_.contains(table.value(kTableNs, QStringLiteral("style-name")).toString());
    }

private:
    QString style_;
    QSet<QString> hidden_;
};

bool IsTable(TZipXml &z)
{
    return z.Xml().isStartElement() && z.Xml().name() == QLatin1String("table") &&
           z.Xml().namespaceUri() == kTableNs;
}

class TOdsRows : public TSheetRows {
public:
    // The sheet at index, or (index < 0) the one named `active` unless it
    // is hidden, or else (`active` empty) the first visible one.
    bool Open(const QString &fileName, int index, const QString &active, QString *error)
    {
        fileName_ = fileName;
        {
            TZipXml styles;
            bool missing = false;
            if (styles.Open(fileName, QStringLiteral("styles.xml"), nullptr, &missing))
                while (!IsEnd(styles.Next()))
                    styles_.See(styles);
        }
        if (!z_.Open(fileName, QStringLiteral("content.xml"), error))
            return false;
        int seen = 0;
        THiddenTables hidden;
        while (true) {
            const auto t = z_.Next();
            if (IsEnd(t))
                break;
            hidden.See(z_);
            styles_.See(z_);
            if (IsTable(z_)) {
                const auto a = z_.Xml().attributes();
                const QString name = a.value(kTableNs, QStringLiteral("name")).toString();
                const bool take = index >= 0 ? seen == index
                                             : (active.isEmpty() || name == active) && !hidden.IsHidden(a);
                ++seen;
                if (take) {
                    sheet_ = name;
                    inTable_ = true;
                    return true;
                }
                z_.SkipElement();
            }
        }
        if (error)
            *error = SheetErrorText(fileName, z_.Error().isEmpty()
                                                  ? QCoreApplication::translate("Spreadsheet", "the sheet is missing")
                                                  : z_.Error());
        return false;
    }
    QString SheetName() const override { return sheet_; }

    bool NextRow(TDataRow &row, qint64 &count) override
    {
        int depth = 0; // row groups and header rows within the table
        while (inTable_) {
            const auto t = z_.Next();
            if (IsEnd(t)) {
                inTable_ = false;
                break;
            }
            if (t == QXmlStreamReader::EndElement) {
                if (depth-- == 0)
                    inTable_ = false; // </table:table>
                continue;
            }
            if (t != QXmlStreamReader::StartElement)
                continue;
            const auto name = z_.Xml().name();
            if (name == QLatin1String("table-row")) {
                count = Repeat(z_.Xml().attributes(), QStringLiteral("number-rows-repeated"));
                row.clear();
                dates_.clear();
                ReadRowCells(row);
                if (!z_.Error().isEmpty()) {
                    inTable_ = false; // no half row
                    break;
                }
                return true;
            }
            if (name == QLatin1String("table-row-group") || name == QLatin1String("table-header-rows") ||
                name == QLatin1String("table-rows"))
                ++depth;
            else
                z_.SkipElement(); // columns, shapes, named ranges
        }
        return false;
    }

    QString Error() const override
    {
        return z_.Error().isEmpty() ? QString() : SheetErrorText(fileName_, z_.Error());
    }
    const TRowDates &RowDates() const override { return dates_; }

private:
    void ReadRowCells(TDataRow &cells)
    {
        qint64 emptyRun = 0; // empty cells not yet added: trailing ones never are
        while (true) {
            const auto t = z_.Next();
            if (IsEnd(t) || t == QXmlStreamReader::EndElement)
                return; // </table:table-row>
            if (t != QXmlStreamReader::StartElement)
                continue;
            const auto name = z_.Xml().name();
            if (name != QLatin1String("table-cell") && name != QLatin1String("covered-table-cell")) {
                z_.SkipElement();
                continue;
            }
            const auto a = z_.Xml().attributes();
            const qint64 repeat = Repeat(a, QStringLiteral("number-columns-repeated"));
            const QDateTime when = ValueDate(a);
            QString text = CellText();
            if (text.isNull())
                text = ValueText(a);
            if (text.isEmpty()) {
                emptyRun += repeat;
                continue;
            }
            if (cells.size() + emptyRun >= kMaxColumns)
                continue;
            for (; emptyRun > 0; --emptyRun)
                cells.append(QString());
            for (qint64 k = 0; k < repeat && cells.size() < kMaxColumns; ++k) {
                cells.append(text);
                if (when.isValid())
                    dates_.append({int(cells.size()), when});
            }
        }
    }

    // The cell's paragraphs, one a line; null when it has none.
    QString CellText()
    {
        QString text;
        bool any = false;
        int depth = 1;
        while (depth > 0) {
            const auto t = z_.Next();
            if (IsEnd(t))
                break;
            if (t == QXmlStreamReader::EndElement) {
                --depth;
            } else if (t == QXmlStreamReader::StartElement) {
                const auto name = z_.Xml().name();
                if (name == QLatin1String("annotation")) {
                    z_.SkipElement();
                } else if (name == QLatin1String("p") && z_.Xml().namespaceUri() == kTextNs) {
                    if (any)
                        text += u'\n';
                    any = true;
                    text += ParagraphText();
                    text.truncate(kMaxCellText);
                } else {
                    ++depth;
                }
            }
        }
        return any ? text : QString();
    }

    QString ParagraphText()
    {
        QString text;
        int depth = 1;
        while (depth > 0) {
            const auto t = z_.Next();
            if (IsEnd(t))
                break;
            if (t == QXmlStreamReader::EndElement) {
                --depth;
            } else if (t == QXmlStreamReader::Characters) {
                if (text.size() < kMaxCellText)
                    text += z_.Xml().text().left(kMaxCellText - text.size());
            } else if (t == QXmlStreamReader::StartElement) {
                const auto name = z_.Xml().name();
                if (name == QLatin1String("s")) {
                    bool ok = false;
                    const int c = z_.Xml().attributes().value(kTextNs, QStringLiteral("c")).toInt(&ok);
                    text += QString(ok && c > 0 ? qMin<qsizetype>(c, kMaxCellText - text.size()) : 1, u' ');
                    z_.SkipElement();
                } else if (name == QLatin1String("tab")) {
                    text += u'\t';
                    z_.SkipElement();
                } else if (name == QLatin1String("line-break")) {
                    text += u'\n';
                    z_.SkipElement();
                } else if (name == QLatin1String("annotation") || name == QLatin1String("note")) {
                    z_.SkipElement();
                } else {
                    ++depth; // spans, links
                }
            }
        }
        return text;
    }

    // A date or time value (a time alone on the serials' day 0); invalid for others.
    static QDateTime ValueDate(const QXmlStreamAttributes &a)
    {
        const auto type = a.value(kOfficeNs, QStringLiteral("value-type"));
        if (type == QLatin1String("date"))
            return IsoDateTime(a.value(kOfficeNs, QStringLiteral("date-value")).toString());
        if (type == QLatin1String("time"))
            return DateSerialDateTime(DurationDays(a.value(kOfficeNs, QStringLiteral("time-value")).toString()));
        return {};
    }

    // A cell without paragraphs: its stored value, through its data style.
    QString ValueText(const QXmlStreamAttributes &a) const
    {
        const auto type = a.value(kOfficeNs, QStringLiteral("value-type"));
        const QString code = styles_.CodeFor(a.value(kTableNs, QStringLiteral("style-name")).toString());
        if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
            type == QLatin1String("currency")) {
            bool ok = false;
            const double v = a.value(kOfficeNs, QStringLiteral("value")).toDouble(&ok);
            return ok ? FormatNumber(v, code) : QString();
        }
        if (type == QLatin1String("date")) {
            const QString iso = a.value(kOfficeNs, QStringLiteral("date-value")).toString();
            const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
            qint64 days = QDate(1899, 12, 30).daysTo(date);
            if (code.isEmpty() || !date.isValid() || days < 1)
                return iso;
            if (days < 61)
                --days; // the serials count a 29 February 1900
            const QTime time = iso.size() > 11 ? QTime::fromString(iso.mid(11, 8), Qt::ISODate) : QTime(0, 0);
            return FormatNumber(double(days) + (time.isValid() ? time.msecsSinceStartOfDay() / 86400000.0 : 0), code);
        }
        if (type == QLatin1String("time")) {
            const QString iso = a.value(kOfficeNs, QStringLiteral("time-value")).toString();
            return code.isEmpty() ? DurationText(iso) : FormatNumber(DurationDays(iso), code);
        }
        if (type == QLatin1String("boolean"))
            return a.value(kOfficeNs, QStringLiteral("boolean-value")) == QLatin1String("true") ? QStringLiteral("TRUE")
                                                                                             : QStringLiteral("FALSE");
        if (type == QLatin1String("string"))
            return CutShownText(a.value(kOfficeNs, QStringLiteral("string-value")).toString());
        return QString();
    }

    QString fileName_, sheet_;
    TDataStyles styles_;
    TZipXml z_;
    TRowDates dates_;
    bool inTable_ = false;
};

} // namespace

QList<TSheetInfo> OdsSheets(const QString &fileName, int *active, QString *error)
{
    TZipXml z;
    if (!z.Open(fileName, QStringLiteral("content.xml"), error))
        return {};
    const QString shown = ActiveTable(fileName);
    QList<TSheetInfo> sheets;
    THiddenTables hidden;
    *active = -1;
    while (true) {
        const auto t = z.Next();
        if (IsEnd(t))
            break;
        hidden.See(z);
        if (IsTable(z)) {
            const auto a = z.Xml().attributes();
            sheets.append({a.value(kTableNs, QStringLiteral("name")).toString(), hidden.IsHidden(a)});
            if (sheets.last().Name == shown)
                *active = int(sheets.size()) - 1;
            z.SkipElement();
        }
    }
    if (!z.Error().isEmpty()) {
        if (error)
            *error = SheetErrorText(fileName, z.Error());
        return {};
    }
    if (sheets.isEmpty() && error)
        *error = SheetErrorText(fileName, QCoreApplication::translate("Spreadsheet", "the workbook has no sheets"));
    return sheets;
}

std::unique_ptr<TSheetRows> OpenOdsRows(const QString &fileName, int index, QString *error)
{
    auto rows = std::make_unique<TOdsRows>();
    if (index >= 0)
        return rows->Open(fileName, index, QString(), error) ? std::move(rows) : nullptr;
    // The sheet it was saved showing; when that is hidden or gone, the first visible.
    const QString active = ActiveTable(fileName);
    if (!active.isEmpty() && rows->Open(fileName, -1, active, nullptr))
        return rows;
    rows = std::make_unique<TOdsRows>();
    if (rows->Open(fileName, -1, QString(), nullptr))
        return rows;
    rows = std::make_unique<TOdsRows>();
    return rows->Open(fileName, 0, QString(), error) ? std::move(rows) : nullptr;
}
