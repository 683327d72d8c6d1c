// The glabels template files: sheets, their labels and layouts, and the
// paper sizes they name.
#include "printing/stocksheets.h"
#include "printing/stocksheets_p.h"

#include <QCoreApplication>
#include <QXmlStreamReader>

#include <cmath>

using stockdetail::Clean;
using stockdetail::SizeText;

// The text of the built-in sheets (stocksheets_builtin.cpp).
extern const char *const kBuiltInStockXml;

namespace {

// "2.5in", "63.5mm", "9pt", "1pc", or a bare number of points.
bool ParseLength(QStringView text, TStockLength &out)
{
    static const struct {
        const char *suffix;
        TStockLength::Unit unit;
    } units[] = {{"pt", TStockLength::Pt}, {"in", TStockLength::In}, {"mm", TStockLength::Mm},
                 {"cm", TStockLength::Cm}, {"pc", TStockLength::Pc}};
    QStringView number = text.trimmed();
    out.Units = TStockLength::Pt;
    for (const auto &u : units) {
        if (number.endsWith(QLatin1String(u.suffix), Qt::CaseInsensitive)) {
            number.chop(2);
            out.Units = u.unit;
            break;
        }
    }
    bool ok = false;
    out.Value = number.trimmed().toDouble(&ok);
    return ok && std::isfinite(out.Value);
}

struct KnownPaper {
    const char *id, *name;
    double w, h;
    TStockLength::Unit unit;
};
const KnownPaper kKnownPapers[] = {
    {"A4", "A4", 210, 297, TStockLength::Mm},
    {"US-Letter", "US Letter", 8.5, 11, TStockLength::In},
    {"US-Legal", "US Legal", 8.5, 14, TStockLength::In},
    {"A3", "A3", 297, 420, TStockLength::Mm},
    {"A5", "A5", 148, 210, TStockLength::Mm},
    {"A6", "A6", 105, 148, TStockLength::Mm},
};

// Reads the label element of a template and its layouts.
void ReadLabel(QXmlStreamReader &xml, TStockSheet &s)
{
    const QString element = xml.name().toString();
    s.Shape = element.mid(6); // after "Label-"
    const QXmlStreamAttributes a = xml.attributes();
    bool ok = true;
    if (s.Shape == QLatin1String("rectangle") || s.Shape == QLatin1String("ellipse")) {
        ok = ParseLength(a.value(QLatin1String("width")), s.Width) && ParseLength(a.value(QLatin1String("height")), s.Height);
        if (s.Shape == QLatin1String("rectangle") && !ParseLength(a.value(QLatin1String("round")), s.CornerRadius))
            s.CornerRadius = {};
    } else if (s.Shape == QLatin1String("round")) {
        // A round label prints in its bounding square.
        TStockLength r;
        ok = ParseLength(a.value(QLatin1String("radius")), r);
        s.Width = s.Height = TStockLength{Clean(2 * r.Value), r.Units};
    } else {
        // Listed with their bounding box, which is all they share with a grid.
        TStockLength r;
        if (ParseLength(a.value(QLatin1String("radius")), r))
            s.Width = s.Height = TStockLength{Clean(2 * r.Value), r.Units};
        else if (ParseLength(a.value(QLatin1String("width")), s.Width))
            ParseLength(a.value(QLatin1String("height")), s.Height);
        s.Note = QCoreApplication::translate("Stock", "%1 labels do not map onto a rectangular grid").arg(s.Shape);
    }
    if (!ok)
        s.Note = QCoreApplication::translate("Stock", "unreadable label size");
    else if (s.Note.isEmpty() && (s.Width.Value <= 0 || s.Height.Value <= 0))
        s.Note = QCoreApplication::translate("Stock", "label size not positive");
    int layouts = 0;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Layout")) {
            ++layouts;
            const QXmlStreamAttributes l = xml.attributes();
            TStockLayout read;
            read.Columns = l.value(QLatin1String("nx")).toInt();
            read.Rows = l.value(QLatin1String("ny")).toInt();
            // A missing pitch (one label in that direction) is no gap.
            auto length = [&l](const char *name, TStockLength &out, const TStockLength &missing) {
                const QStringView v = l.value(QLatin1String(name));
                if (v.isEmpty()) {
                    out = missing;
                    return true;
                }
                return ParseLength(v, out);
            };
            if (!length("x0", read.X0, TStockLength{}) || !length("y0", read.Y0, TStockLength{}) ||
                !length("dx", read.Dx, s.Width) || !length("dy", read.Dy, s.Height))
                s.Note = QCoreApplication::translate("Stock", "unreadable layout");
            if (read.Columns < 1 || read.Rows < 1)
                s.Note = QCoreApplication::translate("Stock", "no labels in the layout");
            else if (read.Columns > 1000 || read.Rows > 1000)
                s.Note = QCoreApplication::translate("Stock", "more than 1000 labels across or down");
            if (layouts == 1) {
                s.Columns = read.Columns;
                s.Rows = read.Rows;
                s.X0 = read.X0;
                s.Y0 = read.Y0;
                s.Dx = read.Dx;
                s.Dy = read.Dy;
            } else {
                s.ExtraLayouts.append(read);
            }
        }
        xml.skipCurrentElement();
    }
    if (layouts == 0 && s.Note.isEmpty())
        s.Note = QCoreApplication::translate("Stock", "no layout");
}

void SetPaper(TStockSheet &s, const QList<TStockPaper> &papers)
{
    if (s.PaperId == QLatin1String("Other") || s.PaperId.isEmpty()) {
        if (s.PaperWidth.Value > 0 && s.PaperHeight.Value > 0)
            s.PaperName = SizeText(s.PaperWidth, s.PaperHeight);
        else if (s.EquivalentOf.isEmpty() && s.Note.isEmpty())
            s.Note = QCoreApplication::translate("Stock", "no paper size");
        return;
    }
    for (const TStockPaper &p : papers) {
        if (p.Id == s.PaperId) {
            s.PaperName = p.Name;
            s.PaperWidth = p.Width;
            s.PaperHeight = p.Height;
            return;
        }
    }
    for (const KnownPaper &p : kKnownPapers) {
        if (s.PaperId == QLatin1String(p.id)) {
            s.PaperName = QString::fromLatin1(p.name);
            s.PaperWidth = TStockLength{p.w, p.unit};
            s.PaperHeight = TStockLength{p.h, p.unit};
            return;
        }
    }
    s.PaperName = s.PaperId;
    if (s.Note.isEmpty())
        s.Note = QCoreApplication::translate("Stock", "unknown paper %1").arg(s.PaperId);
}

} // namespace

QList<TStockPaper> ParseStockPapers(const QByteArray &data)
{
    QList<TStockPaper> papers;
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Paper-size"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        TStockPaper p;
        p.Id = a.value(QLatin1String("id")).toString();
        p.Name = a.value(QLatin1String("_name")).toString();
        if (p.Name.isEmpty())
            p.Name = a.value(QLatin1String("name")).toString();
        if (ParseLength(a.value(QLatin1String("width")), p.Width) &&
            ParseLength(a.value(QLatin1String("height")), p.Height) && !p.Id.isEmpty())
            papers.append(p);
    }
    return papers;
}

bool ParseStockTemplates(const QByteArray &data, const QList<TStockPaper> &papers, QList<TStockSheet> &out,
                         QString *error)
{
    QXmlStreamReader xml(data);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Template"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        TStockSheet s;
        s.Maker = a.value(QLatin1String("brand")).toString().simplified();
        s.Product = a.value(QLatin1String("part")).toString().simplified();
        s.Description = a.value(QLatin1String("_description")).toString().simplified();
        if (s.Description.isEmpty())
            s.Description = a.value(QLatin1String("description")).toString().simplified();
        s.EquivalentOf = a.value(QLatin1String("equiv")).toString().simplified();
        s.PaperId = a.value(QLatin1String("size")).toString();
        if (s.PaperId == QLatin1String("Other") &&
            (!ParseLength(a.value(QLatin1String("width")), s.PaperWidth) ||
             !ParseLength(a.value(QLatin1String("height")), s.PaperHeight)))
            s.Note = QCoreApplication::translate("Stock", "unreadable paper size");
        while (xml.readNextStartElement()) {
            if (xml.name().startsWith(QLatin1String("Label-")) && s.Shape.isEmpty()) {
                ReadLabel(xml, s);
            } else {
                if (xml.name() == QLatin1String("Meta")) {
                    if (const QString c = xml.attributes().value(QLatin1String("category")).toString(); !c.isEmpty())
                        s.Categories.append(c);
                }
                xml.skipCurrentElement();
            }
        }
        // A template cut short is not listed half read.
        if (s.Maker.isEmpty() || s.Product.isEmpty() || xml.hasError())
            continue;
        if (s.EquivalentOf.isEmpty() && s.Shape.isEmpty() && s.Note.isEmpty())
            s.Note = QCoreApplication::translate("Stock", "no label");
        SetPaper(s, papers);
        out.append(s);
    }
    if (xml.hasError()) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

QList<TStockSheet> BuiltInStockSheets()
{
    QList<TStockSheet> sheets;
    ParseStockTemplates(QByteArray(kBuiltInStockXml), {}, sheets);
    for (TStockSheet &s : sheets)
        s.BuiltIn = true;
    return sheets;
}
