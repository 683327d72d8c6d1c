#pragma once
// Makers' label sheets: a catalogue read from the template files that the
// Debian package glabels-data installs, plus a few dozen common sheets built
// in so that the choice exists without it. A sheet maps onto the label
// format: its first label's corner gives the margins, its pitch minus the
// label's size the gaps.

#include "model/labelformat.h"

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <utility>

// A length as the template wrote it; converted only when it is used, in one
// step, to whatever unit is wanted.
struct TStockLength {
    enum Unit { Pt, In, Mm, Cm, Pc };
    double Value = 0;
    Unit Units = Pt;
    double Points() const;
    double Inches() const;
    double Millimetres() const;
    bool Metric() const { return Units == Mm || Units == Cm; }
};

// What a sheet is for, from its description, the categories of its template
// and its shape; the first that fits in this order.
enum class TStockKind { Media, BusinessCard, NameBadge, Filing, Address, Shipping, Photo, Card, Round, Oval,
                        Square, Rectangle, Other };
// The kind's caption in English and in Simplified Chinese. Both are data the
// search looks in, whatever the language of the window.
QString StockKindCaption(TStockKind kind, bool chinese);

struct TStockSheet;
// The kind of a sheet as read (LoadStockCatalogue sets it once equivalents
// have their base's categories and shape).
TStockKind StockKindOf(const TStockSheet &s);

// A further layout of a sheet: its first label's corner, pitch and counts.
struct TStockLayout {
    TStockLength X0, Y0, Dx, Dy;
    int Columns = 0, Rows = 0;
};

struct TStockSheet {
    QString Maker, Product, Description;
    QString EquivalentOf;   // the product this one is listed as equal to
    QString PaperId;        // "A4", "US-Letter", ... or "Other"
    QString PaperName;      // "A4", "US Letter", "60 × 90 mm"
    TStockLength PaperWidth, PaperHeight;
    QString Shape;          // "rectangle", "round", "ellipse", "cd", ...
    QStringList Categories; // the template's, such as "mail", "media", "round-label"
    TStockKind Kind = TStockKind::Other;
    TStockLength Width, Height, X0, Y0, Dx, Dy;
    int Columns = 0, Rows = 0;
    QString Note;           // why the sheet cannot be chosen; empty when it can
    QString Warning;        // where the printed grid differs from the sheet's
    bool BuiltIn = false;   // from the program, not the installed library
    QList<TStockLayout> ExtraLayouts; // after the first, in the template's order
    TStockLength CornerRadius; // a rectangle's rounded corners ("round"); 0 when square

    QString Name() const { return Maker + QLatin1Char(' ') + Product; }
    bool Selectable() const { return Note.isEmpty(); }
    int PerSheet() const
    {
        int n = Columns * Rows;
        for (const TStockLayout &l : ExtraLayouts)
            n += l.Columns * l.Rows;
        return n;
    }
    // Every length of the label and its layout in inches, points or picas.
    bool Imperial() const;
};

// Where glabels-data puts its templates.
extern const char *const kStockTemplateDir;

// Parses one template file. Paper sizes it names are looked up in `papers`
// (id -> width, height), filled from paper-sizes.xml; the common ones are
// known without it. Equivalents are left unresolved. False with a message
// when the XML is broken; the sheets read before the fault are kept.
struct TStockPaper {
    QString Id, Name;
    TStockLength Width, Height;
};
bool ParseStockTemplates(const QByteArray &xml, const QList<TStockPaper> &papers, QList<TStockSheet> &out,
                         QString *error = nullptr);
QList<TStockPaper> ParseStockPapers(const QByteArray &xml);

// The built-in sheets (read from their own XML by the same parser).
QList<TStockSheet> BuiltInStockSheets();

struct TStockCatalogue {
    QList<TStockSheet> Sheets; // sorted by paper, maker, product
    int Installed = 0;         // sheets read from the template folder
    QStringList Problems;      // files that could not be read
};
// The built-in sheets and those of every *-templates.xml in `dir`. An
// installed sheet replaces a built-in one of the same maker and product (the
// library is the makers' drawings; the built-in ones stand in without it);
// equivalents take their base's geometry (or stay unselectable with a note).
// Makers spelt in more than one case take the spelling most of their sheets
// use. The notes and warnings are in the language of the catalogue installed
// when it is read.
TStockCatalogue LoadStockCatalogue(const QString &dir = QString::fromLatin1(kStockTemplateDir));
// The catalogue of the default folder, read once.
const TStockCatalogue &StockCatalogue();

// Case-insensitive: every word of `text` in the maker, product, description,
// paper or the kind's caption in either language. An empty text matches all.
bool StockMatches(const TStockSheet &s, const QString &text);
// By "MAKER PRODUCT" (case and spacing ignored), or by the product alone
// when only one maker has it. nullptr when none.
const TStockSheet *FindStockSheet(const QList<TStockSheet> &sheets, const QString &name);
// The names nearest to `name` by edit distance, best first.
QStringList NearestStockNames(const QList<TStockSheet> &sheets, const QString &name, int count = 5);

// The label format of the sheet. The unit: inches for a sheet drawn in
// inches, points or picas; for one drawn in millimetres or centimetres,
// millimetres when each of the six lengths, as the format dialog writes it
// (seven characters, at most five decimals), is within 0.001 mm of the
// drawing, and inches otherwise.
TLabelFormat StockLabelFormat(const TStockSheet &s);
// Labels across and down the sheet's paper as the sheet layout counts them
// (at 600 pixels per inch, margins from the paper's edges, at most the
// sheet's own counts).
std::pair<int, int> StockGridOnPaper(const TStockSheet &s);
// The sheet's paper.
QPageSize StockPaper(const TStockSheet &s);
// "2.625 × 1 in", "63.5 × 38.1 mm": the label's size in the drawing's unit.
QString StockLabelSize(const TStockSheet &s);
// What the format dialog's field holds for v: "#0.0####" cut to 7 characters.
QString StockFieldText(double v);
