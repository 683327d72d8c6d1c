#include "model/labelformat.h"
#include "printing/sheetlayout.h"
#include "printing/stocksheets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QHash>
#include <QSizeF>

namespace {

// A format length back in millimetres, whichever unit it chose.
double Mm(double v, const TLabelFormat &f)
{
    return v / UnitsPerInch(f) * 25.4;
}

} // namespace

// Installed sheets against the makers' drawings (millimetres), and the unit
// each gets: inches for a drawing in inches or points, millimetres (the
// drawing's own figures) for one in millimetres.
TEST(StockSheets, InstalledSheetsMatchTheDrawings)
{
    ASSERT_TRUE(QDir(QString::fromLatin1(kStockTemplateDir)).exists())
        << "glabels-data is not installed (scripts/deps.sh installs it)";
    const TStockCatalogue catalogue = LoadStockCatalogue();
    EXPECT_TRUE(catalogue.Problems.isEmpty()) << catalogue.Problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(catalogue.Installed, 1500);

    struct Row {
        const char *name, *paper;
        double w, h, top, left, gapH, gapW; // mm
        int columns, rows;
        bool metric;
    } rows[] = {
        // 5160 family: 2 5/8 x 1 in, 3/16 in side margin, 1/2 in top, pitch 2 3/4 x 1 in
        {"Worldlabel WL-875", "US-Letter", 66.675, 25.4, 12.7, 4.7625, 0, 3.175, 3, 10, false},
        // L7160 family: 63.5 x 38.1 mm, 21 a sheet
        {"Endisch 6406338x", "A4", 63.5, 38.1, 15.15, 7.21, 0, 2.54, 3, 7, true},
        // 4 x 2 in shipping, 10 a sheet
        {"Online Labels OL125", "US-Letter", 101.6, 50.8, 12.7, 4.572, 0, 3.556, 2, 5, false},
        // Room for a 21st row on the top margin's height: the sheet's 20 limit the grid.
        {"Avery 5167", "US-Letter", 44.45, 12.7, 12.7, 7.14375, 0, 7.9375, 4, 20, false},
        // The library's drawing wins over the built-in one (3/16 in margin, 1/8 in gap):
        // 5160 with 5/32 in of each; an equivalent takes its base's geometry.
        {"Avery 5160", "US-Letter", 66.675, 25.4, 12.7, 3.96875, 0, 3.96875, 3, 10, false},
        {"Avery 8160", "US-Letter", 66.675, 25.4, 12.7, 3.96875, 0, 3.96875, 3, 10, false},
        // Bare numbers are points: 181.4 x 108 pt.
        {"Avery 7160", "A4", 181.4 / 72 * 25.4, 38.1, 43.9 / 72 * 25.4, 21.2 / 72 * 25.4, 0, 5.8 / 72 * 25.4, 3, 7,
         false},
        // A round label by its bounding square (radius 1 21/32 in).
        {"Avery 5195", "US-Letter", 84.1375, 84.1375, 0.4844 * 25.4, 0.6406 * 25.4, (3.3594 - 3.3125) * 25.4,
         (3.9063 - 3.3125) * 25.4, 2, 3, false},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        const TStockSheet *s = FindStockSheet(catalogue.Sheets, QString::fromLatin1(r.name));
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(s->Selectable()) << s->Note.toStdString();
        EXPECT_EQ(s->PaperId, QLatin1String(r.paper));
        EXPECT_EQ(s->Columns, r.columns);
        EXPECT_EQ(s->Rows, r.rows);
        const TLabelFormat f = StockLabelFormat(*s);
        EXPECT_EQ(LabelUnit(f), r.metric ? TLabelUnit::Millimetre : TLabelUnit::Inch);
        EXPECT_NEAR(Mm(f.Label_Width, f), r.w, 1e-6);
        EXPECT_NEAR(Mm(f.Label_Height, f), r.h, 1e-6);
        EXPECT_NEAR(Mm(f.Margin_Top, f), r.top, 1e-6);
        EXPECT_NEAR(Mm(f.Margin_Left, f), r.left, 1e-6);
        EXPECT_NEAR(Mm(f.Gap_Height, f), r.gapH, 1e-6);
        EXPECT_NEAR(Mm(f.Gap_Width, f), r.gapW, 1e-6);
        if (r.metric) { // the figures of the drawing, as the dialog shows them
            EXPECT_EQ(f.Label_Width, r.w);
            EXPECT_EQ(f.Label_Height, r.h);
            EXPECT_EQ(f.Margin_Left, r.left);
        }
        EXPECT_EQ(f.MaxColumns, r.columns);
        EXPECT_EQ(f.MaxRows, r.rows);
        EXPECT_EQ(StockGridOnPaper(*s), std::make_pair(r.columns, r.rows));
        EXPECT_TRUE(s->Warning.isEmpty()) << s->Warning.toStdString();
        EXPECT_FALSE(s->BuiltIn);
    }
    // Three layouts of one label (70 x 34 mm): the first as the format's grid,
    // the others as further grids in the template's order, in its unit.
    const TStockSheet *jac = FindStockSheet(catalogue.Sheets, QStringLiteral("JAC 987349-2"));
    ASSERT_NE(jac, nullptr);
    ASSERT_TRUE(jac->Selectable()) << jac->Note.toStdString();
    EXPECT_EQ(jac->PerSheet(), 5);
    const TLabelFormat jf = StockLabelFormat(*jac);
    ASSERT_EQ(jf.ExtraGrids.size(), 2);
    ASSERT_EQ(LabelUnit(jf), TLabelUnit::Millimetre);
    const struct {
        double top, left, gapH;
        int columns, rows;
    } grids[] = {{216.5, 133, 5, 1, 2}, {130, 5.5, 0, 1, 1}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(jf.ExtraGrids[i].Margin_Top, grids[i].top) << i;
        EXPECT_EQ(jf.ExtraGrids[i].Margin_Left, grids[i].left) << i;
        EXPECT_EQ(jf.ExtraGrids[i].Gap_Height, grids[i].gapH) << i;
        EXPECT_EQ(jf.ExtraGrids[i].Columns, grids[i].columns) << i;
        EXPECT_EQ(jf.ExtraGrids[i].Rows, grids[i].rows) << i;
    }

    // Listed, with a reason, but not for choosing.
    for (const char *name : {"Avery 8676" /* CD */, "JAC 987349-1" /* CD in two layouts */}) {
        const TStockSheet *s = FindStockSheet(catalogue.Sheets, QString::fromLatin1(name));
        ASSERT_NE(s, nullptr) << name;
        EXPECT_FALSE(s->Selectable()) << name;
    }
    // A product code alone, any case; a near miss is not a match but is named.
    ASSERT_NE(FindStockSheet(catalogue.Sheets, QStringLiteral("  avery   l7160 ")), nullptr);
    EXPECT_EQ(FindStockSheet(catalogue.Sheets, QStringLiteral("wl-875"))->Maker, QLatin1String("Worldlabel"));
    EXPECT_EQ(FindStockSheet(catalogue.Sheets, QStringLiteral("Avery 5l60")), nullptr);
    EXPECT_TRUE(NearestStockNames(catalogue.Sheets, QStringLiteral("Avery 5l60")).contains(QLatin1String("Avery 5160")));
    // Each sheet's kind, found by its caption in either language.
    const struct {
        const char *search, *finds;
        TStockKind kind;
    } kinds[] = {
        {"地址", "Avery 5160", TStockKind::Address},      {"address a4", "Avery J8160", TStockKind::Address},
        {"运输", "Avery 5163", TStockKind::Shipping},     {"光盘", "Avery 8676", TStockKind::Media},
        {"名片", "Avery 5371", TStockKind::BusinessCard}, {"胸卡", "Avery 5395", TStockKind::NameBadge},
        {"文件夹", "Avery 5366", TStockKind::Filing},     {"圆形", "Avery 5195", TStockKind::Round},
    };
    for (const auto &k : kinds) {
        const TStockSheet *s = FindStockSheet(catalogue.Sheets, QString::fromLatin1(k.finds));
        ASSERT_NE(s, nullptr) << k.finds;
        EXPECT_EQ(int(s->Kind), int(k.kind)) << k.finds;
        EXPECT_TRUE(StockMatches(*s, QString::fromUtf8(k.search))) << k.search;
    }
    // Makers spelt in two cases ("APLI", "Apli") are listed as one.
    QHash<QString, QString> makers;
    for (const TStockSheet &s : catalogue.Sheets) {
        EXPECT_EQ(makers.value(s.Maker.toCaseFolded(), s.Maker), s.Maker) << s.Maker.toStdString();
        makers.insert(s.Maker.toCaseFolded(), s.Maker);
    }
    // Paper that is no standard size.
    const TStockSheet *dymo = FindStockSheet(catalogue.Sheets, QStringLiteral("Dymo 11352"));
    ASSERT_NE(dymo, nullptr);
    EXPECT_EQ(StockPaper(*dymo).size(QPageSize::Millimeter), QSizeF(25, 54));
}

// Every built-in sheet: its grid on its own paper holds the one it names, and
// both A4 and Letter are well represented.
TEST(StockSheets, BuiltInSheetsFitTheirPaper)
{
    const TStockCatalogue catalogue = LoadStockCatalogue(QStringLiteral("/nonexistent"));
    EXPECT_EQ(catalogue.Installed, 0);
    int a4 = 0, letter = 0;
    for (const TStockSheet &s : catalogue.Sheets) {
        SCOPED_TRACE(s.Name().toStdString());
        ASSERT_TRUE(s.BuiltIn);
        ASSERT_TRUE(s.Selectable()) << s.Note.toStdString();
        // A sheet whose margin holds one more row (Avery 5167's 21st) is
        // limited to its own counts, so none needs a warning.
        EXPECT_EQ(StockGridOnPaper(s), std::make_pair(s.Columns, s.Rows));
        EXPECT_TRUE(s.Warning.isEmpty()) << s.Warning.toStdString();
        if (s.EquivalentOf.isEmpty())
            (s.PaperId == QLatin1String("A4") ? a4 : letter) += 1;
    }
    EXPECT_GE(a4, 10);
    EXPECT_GE(letter, 10);
}

// The unit rule: a millimetre or centimetre drawing is measured in
// millimetres while the seven-character fields hold it to a thousandth of a
// millimetre, and in inches beyond that.
TEST(StockSheets, UnitRule)
{
    struct Row {
        const char *width, *x0;
        bool metric;
    } rows[] = {
        {"63.5mm", "7.21mm", true},
        {"5cm", "0mm", true},
        {"1100mm", "0mm", true},
        {"1100.0078mm", "0mm", false}, // the field holds 1100.00, 0.0078 mm short
    };
    // Broken files are listed, never trusted.
    struct Bad {
        const char *xml;
        bool listed;
    } bad[] = {
        {R"(<Template brand="T" part="1" size="A4"><Label-rectangle width="-1mm" height="2mm"><Layout nx="1" ny="1"/></Label-rectangle></Template>)", true},
        {R"(<Template brand="T" part="1" size="A4"><Label-rectangle width="1mm" height="2mm"><Layout nx="100000" ny="100000"/></Label-rectangle></Template>)", true},
        {R"(<Template brand="T" part="1" size="A4"><Label-rectangle width="1furlong" height="2mm"><Layout nx="1" ny="1"/></Label-rectangle></Template>)", true},
        {R"(<Template brand="T" part="1" size="Nowhere"><Label-rectangle width="1mm" height="2mm"><Layout nx="1" ny="1"/></Label-rectangle></Template>)", true},
        {R"(<Template brand="T" part="1" size="A4"><Label-rectangle width="1mm" height="2mm"></Label-rectangle></Template>)", true},
        {R"(<Template brand="T" part="1" size="A4"><Label-rectangle width="1mm")", false},
    };
    for (const Bad &b : bad) {
        SCOPED_TRACE(b.xml);
        QList<TStockSheet> sheets;
        ParseStockTemplates(QByteArray(b.xml), {}, sheets);
        ASSERT_EQ(sheets.size(), b.listed ? 1 : 0);
        if (b.listed) {
            EXPECT_FALSE(sheets[0].Selectable());
        }
    }
    for (const Row &r : rows) {
        SCOPED_TRACE(r.width);
        const QByteArray xml = QStringLiteral(R"(<Glabels-templates>
  <Template brand="T" part="1" size="Other" width="1200mm" height="300mm" _description="d">
    <Label-rectangle id="0" width="%1" height="20mm" round="0">
      <Layout nx="1" ny="2" x0="%2" y0="0" dx="0" dy="25mm"/>
    </Label-rectangle>
  </Template></Glabels-templates>)")
                                   .arg(QLatin1String(r.width), QLatin1String(r.x0))
                                   .toUtf8();
        QList<TStockSheet> sheets;
        ASSERT_TRUE(ParseStockTemplates(xml, {}, sheets));
        ASSERT_EQ(sheets.size(), 1);
        const TLabelFormat f = StockLabelFormat(sheets[0]);
        EXPECT_EQ(LabelUnit(f), r.metric ? TLabelUnit::Millimetre : TLabelUnit::Inch);
        EXPECT_NEAR(Mm(f.Gap_Height, f), 5.0, 1e-6);
        if (r.metric) {
            EXPECT_EQ(f.Label_Height, 20.0);
        }
        EXPECT_EQ(f.Gap_Width, 0.0); // one column: no gap
    }
}

TEST(StockSheets, DieCutShapes)
{
    struct Row {
        const char *label;
        TLabelShape shape;
        double radius; // in the format's unit
    } rows[] = {
        {R"(<Label-rectangle id="0" width="2in" height="1in" round="0.0625in">)", TLabelShape::RoundedRectangle, 0.0625},
        {R"(<Label-rectangle id="0" width="2in" height="1in" round="0in">)", TLabelShape::Rectangle, 0},
        {R"(<Label-rectangle id="0" width="2in" height="1in">)", TLabelShape::Rectangle, 0},
        {R"(<Label-round id="0" radius="0.75in">)", TLabelShape::Round, 0},
        {R"(<Label-ellipse id="0" width="2in" height="1in">)", TLabelShape::Ellipse, 0},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.label);
        const QString element = QString::fromLatin1(r.label).section(u' ', 0, 0).mid(1);
        const QByteArray xml = QStringLiteral(R"(<Glabels-templates>
  <Template brand="T" part="1" size="US-Letter" _description="d">
    %1<Layout nx="2" ny="2" x0="0.5in" y0="0.5in" dx="2.5in" dy="2in"/></%2>
  </Template></Glabels-templates>)")
                                   .arg(QLatin1String(r.label), element)
                                   .toUtf8();
        QList<TStockSheet> sheets;
        ASSERT_TRUE(ParseStockTemplates(xml, {}, sheets));
        ASSERT_EQ(sheets.size(), 1);
        ASSERT_TRUE(sheets[0].Selectable()) << sheets[0].Note.toStdString();
        const TLabelFormat f = StockLabelFormat(sheets[0]);
        EXPECT_EQ(f.Shape, r.shape);
        EXPECT_DOUBLE_EQ(f.CornerRadius, r.radius);
    }
}
