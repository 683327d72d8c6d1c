#pragma once
// The barcode engine: filters a text for a symbology, measures the symbol and
// draws it on any surface at any of four rotations. No state, no widgets.

#include <QMap>
#include <QSize>
#include <QString>
#include <QStringView>

#include <memory>
#include <span>

class QPainter;
class TBarPen;
struct TMatrix2D;

enum TBarcodeType : quint8 {
    bcCode128 = 0,
    bcCode39 = 1,
    bcCode39Ext = 2,
    bcUPCA = 3,
    bcITF = 4,
    bcCode93 = 5,
    bcEAN13 = 6,
    bcEAN8 = 7,
    bcEAN128 = 8,
    bcPostnet = 9,
    bcUPCE = 10,
    bcUPCSupp2 = 11,
    bcUPCSupp5 = 12,
    bcQRCode = 13,
    bcDataMatrix = 14,       // ECC 200
    bcPDF417 = 15,
    bcAztec = 16,
    bcGS1DataMatrix = 17,    // text as "(AI)value" pairs
};
// The linear symbologies, ordinals 0..12; the two-dimensional ones follow.
constexpr int kBarcodeTypeCount = 13;
// The symbologies before the ones drawn from libzint's rows; those follow,
// numbered from here on.
constexpr int kClassicSymbologyCount = 18;
// Every symbology the engine draws.
constexpr int kSymbologyCount = 97;

// Options of a two-dimensional symbol; linear symbols have none.
struct TBarcodeOptions {
    // Error correction, -1 for the symbology's own choice.
    //   QR Code: 0..3 = L, M, Q, H (automatic: M).
    //   PDF417: security level 0..8 (automatic: by the amount of data).
    //   Aztec: 10, 23, 36 or 50 per cent (automatic: 23).
    //   Data Matrix has a fixed error correction; the value is ignored.
    int ecc = -1;
    // Symbol size, 0 for the smallest that holds the text.
    //   QR Code: version 1..40.
    //   Data Matrix: libzint's numbers, 1..24 the squares 10x10 .. 144x144
    //     (no 112x112), 25..30 the rectangles 8x18, 8x32, 12x26, 12x36, 16x36,
    //     16x48, rows x columns.
    //   PDF417: number of data columns 1..30.
    //   Aztec: 1..4 compact (15x15 .. 27x27), 5..36 full range (19x19 .. 151x151).
    int size = 0;
    // Data Matrix of automatic size: the smallest rectangle instead of the smallest square.
    bool rectangular = false;
    // Options by name (TSymbolOption::name -> value as typed: "3", "box",
    // "M2", "(17)261231"); a name absent takes the symbology's default. The
    // rows drawn from libzint's rows take every option here.
    QMap<QString, QString> named;
};

// The families of the designer's list.
enum class TSymbologyFamily : quint8 {
    Linear,
    GS1,
    Matrix2D,   // two-dimensional and stacked
    Postal,
    Pharmacy,
    HIBC,
};
constexpr int kSymbologyFamilyCount = 6;
// "Linear", "GS1", "2D", "Postal", "Pharmacy", "HIBC", translated.
QString SymbologyFamilyCaption(TSymbologyFamily family);

enum class TOptionKind : quint8 {
    Choice,  // one of named values
    Range,   // a whole number min..max
    Text,    // free text (a composite's 2D part, a MaxiCode primary message)
    Flag,    // "1" or "0"
};

// One value of a choice: its name as typed and stored ("box", "M2", "L"), its
// caption (English source for translate in context "Barcode"), and what
// libzint takes for it.
struct TOptionChoice {
    const char *name;
    const char *caption;
    int zint;
};

// Which field of libzint's symbol an option sets.
enum class TZintField : quint8 {
    Option1,
    Option2,
    Option3,
    Bearer,     // ITF-14's bearer bars: 0 none, 1 top and bottom, 2 box
    Composite,  // the 2D part of a composite: the text goes to libzint's primary, this to its data
    Primary,    // MaxiCode modes 2 and 3: postcode, country, service
    Flags,      // input_mode/output_options bits ORed in when the flag is set
};

// An option a symbology has, described by data.
struct TSymbolOption {
    const char *name;          // as on the command line: --option NAME=VALUE; label file key BCOPT_NAME
    const char *caption;       // English source for translate ("Barcode"), the standard's name
    TOptionKind kind;
    std::span<const TOptionChoice> choices = {};  // Choice
    int min = 0;               // Range
    int max = 0;
    const char *defaultValue = "";  // what an absent value means; "" automatic (libzint's choice)
    TZintField field = TZintField::Option1;
    int zintOffset = 0;        // Range: libzint's value is value + zintOffset; Flags: the bits
};

// Which characters a symbology's filter keeps.
enum class TKeepSet : quint8 {
    Digits,
    Ascii,   // 1..127
    Code39,  // 0-9 A-Z space $ % + - . /, small letters made capitals
    Any,     // the encoder takes any text, or says why not
};

// Where the human-readable line goes.
enum class TTextLayout : quint8 {
    None,   // no line, no band for it
    Below,  // the text centred under the bars
    Above,  // a band three times as high above the bars (UPC add-ons)
    UPCA,   // first and check digit outside the guards, five digits each side of the centre
    EAN13,  // first digit outside the left guard, the rest centred
    UPCE,   // number system 0 left, check digit right, the six digits centred
};

// An error correction choice of a two-dimensional symbology: the value as in
// TBarcodeOptions::ecc, and its name ("L", "5", "23").
struct TEccChoice {
    int value;
    const char *name;
};

// Everything the engine knows about one symbology. One row per symbology in
// one table; adding a symbology is adding its row and its encoder.
struct TSymbology {
    int ordinal;            // BCTYPE in label files
    const char *caption;    // UTF-8: the designer's list and messages
    const char *cliName;    // quorvane-cli barcode --type
    int listIndex;          // position in the designer's list
    TKeepSet keep;
    int maxLength;          // the filter keeps this many characters at most; 0: no limit

    // Linear symbols: modules from the outer edge of one quiet zone to the
    // other for a non-empty filtered text, and the routine drawing the bars.
    int (*modules)(const QString &filteredText) = nullptr;
    void (*draw)(TBarPen &pen, const QString &filteredText) = nullptr;
    TTextLayout textLayout = TTextLayout::None;
    // No check character: a scan line through the human-readable line would
    // read the glyph-cut bars as another, valid symbol, so no bar may reach it.
    bool barsClearText = false;

    // Two-dimensional symbols: libzint's symbology, GS1 "(AI)value" input
    // (checked for linear GS1 symbologies too), the quiet zone in modules (the
    // symbology's own), and the options.
    int zintSymbology = 0;
    bool gs1 = false;
    int quietZone = 0;
    std::span<const TEccChoice> eccChoices = {};  // empty: ecc is ignored
    int eccZintAuto = -1;    // libzint's option_1 for automatic error correction
    int eccZintFirst = 0;    // libzint's option_1 for the first choice; the next ones follow
    const char *eccRule = "";
    int sizeCount = 0;       // sizes 1..sizeCount
    const char *sizeRule = "";
    QString (*sizeName)(int size) = nullptr;  // "21x21", "8x18", "5 columns"
    bool rectangles = false; // automatic size may be asked for as a rectangle

    // Rows drawn from libzint's encoded rows (ordinals from
    // kClassicSymbologyCount on): how they look, and what the designer shows.
    TSymbologyFamily family = TSymbologyFamily::Linear;
    std::span<const TSymbolOption> options = {};
    // The symbol's rows stretch across the item's bar height (linear, stacked
    // and postal symbols) instead of square modules of the module size.
    bool stretch = false;
    // The human-readable line: libzint's text under the bars.
    bool humanReadable = false;
    // Drawn as MaxiCode hexagons or DotCode dots instead of square modules.
    bool hexagons = false;
    bool dots = false;

    bool IsLinear() const { return draw != nullptr; }
    bool IsMatrix() const { return zintSymbology != 0; }
    QString Caption() const { return QString::fromUtf8(caption); }
};

// Every symbology, by ordinal.
std::span<const TSymbology> Symbologies();
// nullptr for an ordinal no symbology has.
const TSymbology *FindSymbology(int ordinal);
// By --type name, any case; nullptr when none has it.
const TSymbology *FindSymbologyByCliName(QStringView name);
// The symbology at a position of the designer's list; nullptr past its end.
const TSymbology *SymbologyAtListIndex(int index);

// The option of that name a symbology has; nullptr when it has none.
const TSymbolOption *FindSymbolOption(const TSymbology &row, QStringView name);
// Why `value` is no value of the option `name` for the symbology (the message
// names the option and the symbology: "ITF-14: bearer must be box, bars or
// none", "MaxiCode has no option 'bearer'"); empty when it is one.
QString CheckSymbolOption(const TSymbology &row, QStringView name, QStringView value);
// The first message of CheckSymbolOption over all of options.named; empty when all are good.
QString CheckSymbolOptions(const TSymbology &row, const TBarcodeOptions &options);

// The options as the symbology offers them: an error correction or a size it
// does not offer becomes automatic, rectangular only for those that have
// rectangles; named options only those it has (by their own names); a linear
// or unknown symbology has none (all automatic).
TBarcodeOptions OfferedOptions(int type, const TBarcodeOptions &options);

// The symbology list shown to the user has its own order.
int BarcodeTypeToListIndex(int type);   // unknown ordinal -> last linear entry (POSTNET)
int ListIndexToBarcodeType(int index);
QString BarcodeListCaption(int index);  // "Code 128", "Code 39", ...

// What the engine draws on: a screen bitmap, a PDF page or a printer page.
class TBarcodeSurface {
public:
    virtual ~TBarcodeSurface() = default;
    // Fill a device rectangle (x, y, w, h) with black or white.
    virtual void FillRect(int x, int y, int w, int h, bool black) = 0;
    // Face of the surface's current font (callers set "Courier New").
    virtual QString FontFace() const = 0;
    // Select a font of this face with a character-cell height in pixels and an
    // escapement in tenths of a degree (0, 900, 1800, 2700); keeps the old one.
    virtual void SelectFont(const QString &face, int cellHeight, int escapement) = 0;
    virtual void RestoreFont() = 0;
    // Width and height of the text's cell in the selected font, unrotated.
    virtual void MeasureText(const QString &text, int &width, int &height) = 0;
    // Draw the text with its cell's top-left corner (reference point) at
    // (x, y), turned by the selected escapement, cell painted white first.
    virtual void DrawTextOpaque(int x, int y, const QString &text) = 0;
    virtual void SaveBrush() {}
    virtual void RestoreBrush() {}
};

// The one real surface: a QPainter on a QImage, a QPdfWriter or a QPrinter.
class TPainterSurface : public TBarcodeSurface {
public:
    explicit TPainterSurface(QPainter &painter, const QString &fontFace = QStringLiteral("Courier New"));
    ~TPainterSurface() override;
    void FillRect(int x, int y, int w, int h, bool black) override;
    QString FontFace() const override;
    void SelectFont(const QString &face, int cellHeight, int escapement) override;
    void RestoreFont() override;
    void MeasureText(const QString &text, int &width, int &height) override;
    void DrawTextOpaque(int x, int y, const QString &text) override;
    void SaveBrush() override;
    void RestoreBrush() override;

private:
    struct Private;
    Private *d;
};

// Keeps the characters the symbology takes (see TKeepSet); an ordinal no
// symbology has keeps digits.
QString FilterBarcodeText(int type, const QString &text);
// Why a linear symbol of `text` would have no bars: the text is empty, or the
// symbology takes none of its characters. Empty when it has bars, and for the
// two-dimensional symbologies (their encoder says why it cannot).
QString EmptyBarcodeTextError(int type, const QString &text);

// A filtered text encoded for a symbology with its options: measured and drawn
// as often as needed without encoding again. The one entry for linear and
// two-dimensional symbols alike.
class TBarcodeSymbol {
public:
    TBarcodeSymbol(int type, const QString &filteredText, const TBarcodeOptions &options = {});

    const TSymbology *Symbology() const { return m_row; }
    const QString &Text() const { return m_text; }
    // False when the symbology cannot hold the text (too long, invalid GS1
    // data, options out of range) or the ordinal is unknown: Error() says why,
    // and Draw draws nothing.
    bool Ok() const { return m_error.isEmpty(); }
    const QString &Error() const { return m_error; }
    // The encoded modules of a two-dimensional symbol; nullptr otherwise.
    const TMatrix2D *Matrix() const { return m_matrix.get(); }

    // Device size of the box at a module of `module` whole pixels, turned by
    // `rotation` quarter turns clockwise. Linear: its length by barHeight.
    // Two-dimensional: its modules and quiet zone, every module square;
    // barHeight is not used. A symbol that did not encode keeps the box of an
    // empty one (20 modules long; square when two-dimensional).
    QSize Box(int module, int barHeight, int rotation = 0) const;
    // True when Draw puts a human-readable line in the box.
    bool DrawsText(bool interpretation) const;
    // Draws the symbol with its box's top-left corner at (x, y), filling the
    // box white first unless transparent. Two-dimensional symbols have no
    // human-readable line. Returns Ok().
    bool Draw(TBarcodeSurface &surface, int x, int y, int module, int barHeight, bool interpretation, int rotation,
              bool transparent) const;

private:
    const TSymbology *m_row = nullptr;
    QString m_text;
    QString m_error;
    std::shared_ptr<const TMatrix2D> m_matrix;
};

// The linear symbols' entry points, kept for their callers: any other ordinal
// (two-dimensional ones included) measures 0, or 20 modules when the text is
// empty, and draws only the white box. TBarcodeSymbol draws every symbology.
int BarcodeWidth(int module, int type, const QString &filteredText);
void DrawBarcode(TBarcodeSurface &surface, int type, int x, int y, int module, int barHeight,
                 const QString &filteredText, bool interpretation, int rotation, bool transparent);

// Human-readable line, drawn by DrawBarcode; (x, y, width, height) is the box.
void DrawBarcodeText(TBarcodeSurface &surface, int type, int module, int x, int y, int width, int height,
                     const QString &filteredText, int rotation);
// Cell height in pixels of the human-readable line's font for a module.
int BarcodeFontHeight(int module);

// Code 128: the code set ('A', 'B' or 'C') a text starts with, and the symbol
// string (each symbol value v held as the byte v + 32), check and stop included.
char Code128StartSet(const QString &text);
QByteArray Code128Encode(const QString &filteredText, bool ean);
int Code128CheckChar(const QByteArray &symbols);

// Code 93 check characters, values 0..46.
int Code93CheckC(const QString &filteredText);
int Code93CheckK(const QString &filteredText);

// UPC/EAN check digit ('0'..'9') of a digit string, and the 11-digit UPC-A
// number a 6-digit UPC-E body stands for (empty when the body is too short).
QChar UpcEanCheckDigit(const QString &digits);
QString ExpandUPCE(const QString &body);

QChar PostnetCheckDigit(const QString &digits);
