// .ods: content.xml holds every sheet as table:table; rows and cells may
// stand for many (number-rows-repeated, number-columns-repeated), and a cell
// carries the text it shows in its paragraphs (text:p).

#include "printing/sheetcells.h"
#include "printing/sheetrows.h"

namespace {

const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
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

// "PT10H30M05S" as "10:30:05".
QString DurationText(const QString &iso)
{
    int h = 0, m = 0;
    double s = 0;
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
    return QStringLiteral("%1:%2:%3").arg(h, 2, 10, QChar(u'0')).arg(m, 2, 10, QChar(u'0'))
        .arg(qRound(s), 2, 10, QChar(u'0'));
}

class TOdsRows : public TSheetRows {
public:
    bool Open(const QString &fileName, int index, QString *error)
    {
        fileName_ = fileName;
        if (!z_.Open(fileName, QStringLiteral("content.xml"), error))
            return false;
        int seen = 0;
        while (true) {
            const auto t = z_.Next();
            if (IsEnd(t))
                break;
            if (t == QXmlStreamReader::StartElement && z_.Xml().name() == QLatin1String("table") &&
                z_.Xml().namespaceUri() == kTableNs) {
                if (seen++ == index) {
                    inTable_ = true;
                    return true;
                }
                z_.SkipElement();
            }
        }
        if (error)
            *error = SheetErrorText(fileName, z_.Error().isEmpty() ? QStringLiteral("the sheet is missing")
                                                                   : z_.Error());
        return false;
    }

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
            for (qint64 k = 0; k < repeat && cells.size() < kMaxColumns; ++k)
                cells.append(text);
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
                text += z_.Xml().text();
            } else if (t == QXmlStreamReader::StartElement) {
                const auto name = z_.Xml().name();
                if (name == QLatin1String("s")) {
                    bool ok = false;
                    const int c = z_.Xml().attributes().value(kTextNs, QStringLiteral("c")).toInt(&ok);
                    text += QString(ok && c > 0 ? qMin(c, 10000) : 1, u' ');
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

    // A cell without paragraphs: its stored value.
    static QString ValueText(const QXmlStreamAttributes &a)
    {
        const auto type = a.value(kOfficeNs, QStringLiteral("value-type"));
        if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
            type == QLatin1String("currency")) {
            bool ok = false;
            const double v = a.value(kOfficeNs, QStringLiteral("value")).toDouble(&ok);
            return ok ? ShortestNumberText(v) : QString();
        }
        if (type == QLatin1String("date"))
            return a.value(kOfficeNs, QStringLiteral("date-value")).toString();
        if (type == QLatin1String("time"))
            return DurationText(a.value(kOfficeNs, QStringLiteral("time-value")).toString());
        if (type == QLatin1String("boolean"))
            return a.value(kOfficeNs, QStringLiteral("boolean-value")) == QLatin1String("true") ? QStringLiteral("TRUE")
                                                                                             : QStringLiteral("FALSE");
        if (type == QLatin1String("string"))
            return a.value(kOfficeNs, QStringLiteral("string-value")).toString();
        return QString();
    }

    QString fileName_;
    TZipXml z_;
    bool inTable_ = false;
};

} // namespace

QStringList OdsSheetNames(const QString &fileName, QString *error)
{
    TZipXml z;
    if (!z.Open(fileName, QStringLiteral("content.xml"), error))
        return {};
    QStringList names;
    while (true) {
        const auto t = z.Next();
        if (IsEnd(t))
            break;
        if (t == QXmlStreamReader::StartElement && z.Xml().name() == QLatin1String("table") &&
            z.Xml().namespaceUri() == kTableNs) {
            names.append(z.Xml().attributes().value(kTableNs, QStringLiteral("name")).toString());
            z.SkipElement();
        }
    }
    if (!z.Error().isEmpty()) {
        if (error)
            *error = SheetErrorText(fileName, z.Error());
        return {};
    }
    if (names.isEmpty() && error)
        *error = SheetErrorText(fileName, QStringLiteral("the workbook has no sheets"));
    return names;
}

std::unique_ptr<TSheetRows> OpenOdsRows(const QString &fileName, int index, QString *error)
{
    auto rows = std::make_unique<TOdsRows>();
    if (!rows->Open(fileName, index, error))
        return nullptr;
    return rows;
}
