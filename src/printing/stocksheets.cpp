#include "printing/stocksheets.h"

#include "printing/sheetlayout.h"
#include "printing/stocksheets_p.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSizeF>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

const char *const kStockTemplateDir = "/usr/share/libglabels-3.0/templates";

double TStockLength::Points() const
{
    switch (Units) {
    case In: return Value * 72.0;
    case Mm: return Value * 72.0 / 25.4;
    case Cm: return Value * 720.0 / 25.4;
    case Pc: return Value * 12.0;
    case Pt: break;
    }
    return Value;
}

double TStockLength::Inches() const
{
    switch (Units) {
    case In: return Value;
    case Mm: return Value / 25.4;
    case Cm: return Value / 2.54;
    case Pc: return Value / 6.0;
    case Pt: break;
    }
    return Value / 72.0;
}

double TStockLength::Millimetres() const
{
    switch (Units) {
    case Mm: return Value;
    case Cm: return Value * 10.0;
    case In: return Value * 25.4;
    case Pc: return Value * 25.4 / 6.0;
    case Pt: break;
    }
    return Value * 25.4 / 72.0;
}

bool TStockSheet::Imperial() const
{
    for (const TStockLength *l : {&Width, &Height, &X0, &Y0, &Dx, &Dy})
        if (l->Metric())
            return false;
    for (const TStockLayout &layout : ExtraLayouts)
        for (const TStockLength *l : {&layout.X0, &layout.Y0, &layout.Dx, &layout.Dy})
            if (l->Metric())
                return false;
    return true;
}

using stockdetail::Clean;
using stockdetail::SizeText;

namespace {

QString Number(double v, int decimals)
{
    QString s = QString::number(v, 'f', decimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s;
}

QString Key(const QString &maker, const QString &product)
{
    return maker.toCaseFolded() + QLatin1Char('\n') + product.toCaseFolded();
}

QString Normalised(const QString &name)
{
    return name.simplified().toCaseFolded();
}

int EditDistance(const QString &a, const QString &b)
{
    QList<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

int PaperOrder(const QString &id)
{
    if (id == QLatin1String("A4"))
        return 0;
    if (id == QLatin1String("US-Letter"))
        return 1;
    if (id == QLatin1String("Other"))
        return 3;
    return 2;
}

} // namespace

namespace stockdetail {

// Removes the noise of binary fractions (2.4999999999999996 for 2.5), which
// would otherwise cost a printer pixel where lengths are truncated.
double Clean(double v)
{
    return std::round(v * 1e9) / 1e9;
}

QString SizeText(const TStockLength &w, const TStockLength &h)
{
    if (w.Metric())
        return QStringLiteral("%1x%2 mm").arg(Number(w.Millimetres(), 2), Number(h.Millimetres(), 2));
    return QStringLiteral("%1x%2 in").arg(Number(w.Inches(), 4), Number(h.Inches(), 4));
}

} // namespace stockdetail

QString StockKindCaption(TStockKind kind, bool chinese)
{
    static const struct {
        TStockKind kind;
        const char *english, *chinese;
    } captions[] = {
        {TStockKind::Media, "CD/DVD and media", "光盘及媒体标签"},
        {TStockKind::BusinessCard, "Business cards", "名片"},
        {TStockKind::NameBadge, "Name badges", "胸卡"},
        {TStockKind::Filing, "File folder labels", "文件夹标签"},
        {TStockKind::Address, "Address labels", "地址标签"},
        {TStockKind::Shipping, "Shipping labels", "运输标签"},
        {TStockKind::Photo, "Photo labels", "照片标签"},
        {TStockKind::Card, "Cards", "卡片"},
        {TStockKind::Round, "Round labels", "圆形标签"},
        {TStockKind::Oval, "Oval labels", "椭圆形标签"},
        {TStockKind::Square, "Square labels", "方形标签"},
        {TStockKind::Rectangle, "Rectangular labels", "矩形标签"},
        {TStockKind::Other, "Other labels", "其他标签"},
    };
    for (const auto &c : captions)
        if (c.kind == kind)
            return chinese ? QString::fromUtf8(c.chinese) : QString::fromLatin1(c.english);
    return {};
}

TStockKind StockKindOf(const TStockSheet &s)
{
    // The description names the use more often than the categories do
    // ("Address Labels" under "label", "rectangle-label"); the words and
    // categories are those of glabels-data's templates.
    static const struct {
        TStockKind kind;
        const char *words;    // in the description, whole words, any case
        const char *category; // or this category
    } rules[] = {
        {TStockKind::Media, "cd|dvd|disc|disk|diskette|floppy|video|zip|minidisc|cassette|audio|media|blu-ray",
         "media"},
        {TStockKind::BusinessCard, "business\\s+cards?", "business-card"},
        {TStockKind::NameBadge, "badges?|name\\s+tags?", "name-badge"},
        {TStockKind::Filing, "file|files|folders?|filing|arch|dividers?|binders?|spine|index", "filing"},
        {TStockKind::Address, "address|addressing|mailing", nullptr},
        {TStockKind::Shipping, "shipping|parcel|postage|package|courier", "mail"},
        {TStockKind::Photo, "photo|photos", "photo"},
        {TStockKind::Card, "cards?|postcards?", "card"},
    };
    static const QList<QRegularExpression> words = [] {
        QList<QRegularExpression> list;
        for (const auto &r : rules)
            list.append(QRegularExpression(QStringLiteral("\\b(%1)\\b").arg(QLatin1String(r.words)),
                                           QRegularExpression::CaseInsensitiveOption));
        return list;
    }();
    for (qsizetype i = 0; i < words.size(); ++i) {
        const auto &r = rules[i];
        if (words[i].match(s.Description).hasMatch()
            || (r.category && s.Categories.contains(QLatin1String(r.category))))
            return r.kind;
    }
    if (s.Shape == QLatin1String("cd"))
        return TStockKind::Media;
    if (s.Shape == QLatin1String("round") || s.Categories.contains(QLatin1String("round-label")))
        return TStockKind::Round;
    if (s.Shape == QLatin1String("ellipse") || s.Categories.contains(QLatin1String("elliptical-label")))
        return TStockKind::Oval;
    if (s.Categories.contains(QLatin1String("square-label")))
        return TStockKind::Square;
    if (s.Shape == QLatin1String("rectangle"))
        return TStockKind::Rectangle;
    return TStockKind::Other;
}

TStockCatalogue LoadStockCatalogue(const QString &dir)
{
    TStockCatalogue c;
    QHash<QString, qsizetype> index;

    const QDir folder(dir);
    QList<TStockPaper> papers;
    if (QFile f(folder.filePath(QStringLiteral("paper-sizes.xml"))); f.open(QIODevice::ReadOnly))
        papers = ParseStockPapers(f.readAll());
    const QStringList files =
        folder.entryList({QStringLiteral("*-templates.xml")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : files) {
        QFile f(folder.filePath(name));
        QList<TStockSheet> read;
        QString error;
        if (!f.open(QIODevice::ReadOnly)) {
            c.Problems.append(QStringLiteral("%1: %2").arg(f.fileName(), f.errorString()));
            continue;
        }
        if (!ParseStockTemplates(f.readAll(), papers, read, &error))
            c.Problems.append(QStringLiteral("%1: %2").arg(f.fileName(), error));
        for (TStockSheet &s : read) {
            const QString key = Key(s.Maker, s.Product);
            if (index.contains(key))
                continue; // the first of two
            index.insert(key, c.Sheets.size());
            c.Sheets.append(s);
            ++c.Installed;
        }
    }
    // The built-in sheets stand in for those the library lacks: where both
    // have a product, the makers' drawing in the library is the one used.
    for (const TStockSheet &s : BuiltInStockSheets()) {
        const QString key = Key(s.Maker, s.Product);
        if (index.contains(key))
            continue;
        index.insert(key, c.Sheets.size());
        c.Sheets.append(s);
    }

    // Equivalents: the base's geometry and paper under the equivalent's name.
    for (TStockSheet &s : c.Sheets) {
        if (s.EquivalentOf.isEmpty() || !s.Shape.isEmpty())
            continue;
        const TStockSheet *base = nullptr;
        QString next = s.EquivalentOf;
        for (int depth = 0; depth < 8 && !next.isEmpty(); ++depth) {
            const auto it = index.constFind(Key(s.Maker, next));
            if (it == index.cend())
                break;
            base = &c.Sheets[*it];
            next = base->Shape.isEmpty() ? base->EquivalentOf : QString();
        }
        if (!base || base->Shape.isEmpty()) {
            s.Note = QCoreApplication::translate("Stock", "equivalent of %1, which is not listed").arg(s.EquivalentOf);
            continue;
        }
        const TStockSheet copy = *base;
        const QString maker = s.Maker, product = s.Product, equiv = s.EquivalentOf;
        const QString description = s.Description;
        // The source said is the geometry's: the base's.
        s = copy;
        s.Maker = maker;
        s.Product = product;
        s.EquivalentOf = equiv;
        if (!description.isEmpty())
            s.Description = description;
    }

    // The format limits the grid to the sheet's counts; only a paper with
    // room for fewer labels than the sheet has still prints a different grid.
    for (TStockSheet &s : c.Sheets) {
        if (!s.Selectable())
            continue;
        const auto [columns, rows] = StockGridOnPaper(s);
        if (columns != s.Columns || rows != s.Rows)
            s.Warning = QCoreApplication::translate("Stock", "prints %1x%2 on this paper, the sheet has %3x%4")
                            .arg(columns)
                            .arg(rows)
                            .arg(s.Columns)
                            .arg(s.Rows);
    }

    // One spelling a maker ("APLI" and "Apli" are one), the most used.
    QHash<QString, QHash<QString, int>> spellings;
    for (const TStockSheet &s : c.Sheets)
        ++spellings[s.Maker.toCaseFolded()][s.Maker];
    for (TStockSheet &s : c.Sheets) {
        const QHash<QString, int> &counts = spellings[s.Maker.toCaseFolded()];
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > counts.value(s.Maker) || (it.value() == counts.value(s.Maker) && it.key() < s.Maker))
                s.Maker = it.key();
        s.Kind = StockKindOf(s);
    }

    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(c.Sheets.begin(), c.Sheets.end(), [&collator](const TStockSheet &a, const TStockSheet &b) {
        const int pa = PaperOrder(a.PaperId), pb = PaperOrder(b.PaperId);
        if (pa != pb)
            return pa < pb;
        if (const int r = collator.compare(a.PaperName, b.PaperName))
            return r < 0;
        if (const int r = collator.compare(a.Maker, b.Maker))
            return r < 0;
        return collator.compare(a.Product, b.Product) < 0;
    });
    return c;
}

const TStockCatalogue &StockCatalogue()
{
    static const TStockCatalogue catalogue = LoadStockCatalogue();
    return catalogue;
}

bool StockMatches(const TStockSheet &s, const QString &text)
{
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const QString hay = QStringList{s.Maker,
                                    s.Product,
                                    s.Description,
                                    s.PaperName,
                                    s.EquivalentOf,
                                    StockKindCaption(s.Kind, false),
                                    StockKindCaption(s.Kind, true)}
                            .join(QLatin1Char(' '));
    for (const QString &w : words)
        if (!hay.contains(w, Qt::CaseInsensitive))
            return false;
    return true;
}

const TStockSheet *FindStockSheet(const QList<TStockSheet> &sheets, const QString &name)
{
    const QString wanted = Normalised(name);
    if (wanted.isEmpty())
        return nullptr;
    const TStockSheet *byProduct = nullptr;
    int productMatches = 0;
    for (const TStockSheet &s : sheets) {
        if (Normalised(s.Name()) == wanted)
            return &s;
        if (Normalised(s.Product) == wanted) {
            byProduct = &s;
            ++productMatches;
        }
    }
    return productMatches == 1 ? byProduct : nullptr;
}

QStringList NearestStockNames(const QList<TStockSheet> &sheets, const QString &name, int count)
{
    const QString wanted = Normalised(name);
    QList<QPair<int, QString>> scored;
    scored.reserve(sheets.size());
    for (const TStockSheet &s : sheets) {
        const int d = std::min(EditDistance(wanted, Normalised(s.Name())), EditDistance(wanted, Normalised(s.Product)));
        scored.append({d, s.Name()});
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList names;
    for (const auto &p : scored) {
        if (names.size() >= count)
            break;
        if (!names.contains(p.second))
            names.append(p.second);
    }
    return names;
}

QString StockFieldText(double v)
{
    QString s = QString::number(v, 'f', 5);
    while (s.endsWith(QLatin1Char('0')) && s.indexOf(QLatin1Char('.')) < s.size() - 2)
        s.chop(1);
    return s.left(7);
}

TLabelFormat StockLabelFormat(const TStockSheet &s)
{
    // Differences are taken in the drawing's own unit when both lengths
    // share it, so 66.04 mm - 63.5 mm is 2.54 mm before any conversion.
    auto difference = [](const TStockLength &a, const TStockLength &b) {
        if (a.Units == b.Units)
            return TStockLength{a.Value - b.Value, a.Units};
        return TStockLength{a.Points() - b.Points(), TStockLength::Pt};
    };
    const TStockLength gapW = s.Columns > 1 ? difference(s.Dx, s.Width) : TStockLength{};
    const TStockLength gapH = s.Rows > 1 ? difference(s.Dy, s.Height) : TStockLength{};
    const TStockLength *lengths[] = {&s.Width, &s.Height, &s.Y0, &s.X0, &gapH, &gapW};
    // Each further layout as a grid: top and left margins, gaps down and across.
    QList<TStockLength> extra;
    for (const TStockLayout &l : s.ExtraLayouts)
        extra << l.Y0 << l.X0 << (l.Rows > 1 ? difference(l.Dy, s.Height) : TStockLength{})
              << (l.Columns > 1 ? difference(l.Dx, s.Width) : TStockLength{});
    QList<const TStockLength *> all(std::begin(lengths), std::end(lengths));
    for (const TStockLength &l : extra)
        all.append(&l);

    // A sheet drawn in millimetres or centimetres is measured in millimetres,
    // so that the dialog shows the drawing's own figures.
    bool metric = false;
    if (!s.Imperial()) {
        metric = true;
        for (const TStockLength *l : all) {
            const double mm = l->Millimetres();
            if (std::abs(StockFieldText(Clean(mm)).toDouble() - mm) > 0.001)
                metric = false;
        }
    }
    double v[6];
    for (int i = 0; i < 6; ++i)
        v[i] = Clean(metric ? lengths[i]->Millimetres() : lengths[i]->Inches());
    TLabelFormat f;
    f.Label_Width = v[0];
    f.Label_Height = v[1];
    f.Margin_Top = v[2];
    f.Margin_Left = v[3];
    f.Gap_Height = v[4];
    f.Gap_Width = v[5];
    SetLabelUnit(f, metric ? TLabelUnit::Millimetre : TLabelUnit::Inch);
    // Many papers have room for a row or column more than the sheet carries
    // (a label's height of top margin): that one would print on the backing.
    f.MaxColumns = std::max(s.Columns, 0);
    f.MaxRows = std::max(s.Rows, 0);
    auto unit = [metric](const TStockLength &l) { return Clean(metric ? l.Millimetres() : l.Inches()); };
    for (qsizetype i = 0; i < s.ExtraLayouts.size(); ++i) {
        TLabelGrid g;
        g.Margin_Top = unit(extra[4 * i]);
        g.Margin_Left = unit(extra[4 * i + 1]);
        g.Gap_Height = unit(extra[4 * i + 2]);
        g.Gap_Width = unit(extra[4 * i + 3]);
        g.Columns = s.ExtraLayouts[i].Columns;
        g.Rows = s.ExtraLayouts[i].Rows;
        f.ExtraGrids.append(g);
    }
    // The die cut follows the sheet; other shapes ("cd") are never selectable.
    if (s.Shape == QLatin1String("round")) {
        f.Shape = TLabelShape::Round;
    } else if (s.Shape == QLatin1String("ellipse")) {
        f.Shape = TLabelShape::Ellipse;
    } else if (s.CornerRadius.Value > 0) {
        f.Shape = TLabelShape::RoundedRectangle;
        f.CornerRadius = unit(s.CornerRadius);
    }
    return f;
}

std::pair<int, int> StockGridOnPaper(const TStockSheet &s)
{
    const TLabelFormat f = StockLabelFormat(s);
    const auto px = [&f](double v) { return LabelUnitsToPrinter(v, 600, LabelUnit(f)); };
    const int paperW = Round(s.PaperWidth.Inches() * 600), paperH = Round(s.PaperHeight.Inches() * 600);
    auto limit = [](int n, int max) { return max > 0 ? std::min(n, max) : n; };
    return {limit(CountLabels(px(f.Margin_Left), px(f.Label_Width), px(f.Gap_Width), paperW), f.MaxColumns),
            limit(CountLabels(px(f.Margin_Top), px(f.Label_Height), px(f.Gap_Height), paperH), f.MaxRows)};
}

QPageSize StockPaper(const TStockSheet &s)
{
    static const struct {
        const char *id;
        QPageSize::PageSizeId size;
    } standard[] = {{"A4", QPageSize::A4},           {"US-Letter", QPageSize::Letter},
                    {"US-Legal", QPageSize::Legal},  {"US-Executive", QPageSize::Executive},
                    {"A3", QPageSize::A3},           {"A5", QPageSize::A5},
                    {"A6", QPageSize::A6},           {"B4", QPageSize::B4}};
    for (const auto &p : standard)
        if (s.PaperId == QLatin1String(p.id))
            return QPageSize(p.size);
    if (s.PaperWidth.Metric())
        return QPageSize(QSizeF(s.PaperWidth.Millimetres(), s.PaperHeight.Millimetres()), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    return QPageSize(QSizeF(s.PaperWidth.Inches(), s.PaperHeight.Inches()), QPageSize::Inch, QString(),
                     QPageSize::ExactMatch);
}

QString StockLabelSize(const TStockSheet &s)
{
    return SizeText(s.Width, s.Height);
}
