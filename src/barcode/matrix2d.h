#pragma once
// Two-dimensional symbologies: libzint encodes the text into a module matrix,
// which is drawn through the same surface as the linear symbols, so screen,
// printer, PDF and PNG draw the same modules.

#include "barcode/barcode.h"

#include <QBitArray>
#include <QList>
#include <QSize>
#include <QString>

// The value is the symbology's ordinal (TBarcodeType); the facts of each are
// its row in the symbology table.
enum class TMatrixSymbology : quint8 {
    QRCode = bcQRCode,
    DataMatrix = bcDataMatrix,
    PDF417 = bcPDF417,
    Aztec = bcAztec,
    GS1DataMatrix = bcGS1DataMatrix,
};
constexpr int kMatrixSymbologyFirst = bcQRCode;
constexpr int kMatrixSymbologyLast = bcGS1DataMatrix;

// "QR Code", "Data Matrix", "PDF417", "Aztec Code", "GS1 DataMatrix"; empty for
// any other value.
QString MatrixSymbologyCaption(TMatrixSymbology symbology);

// The options are the engine's own (see TBarcodeOptions).
using TMatrixOptions = TBarcodeOptions;

struct TMatrix2D {
    bool ok = false;
    int rows = 0;             // module rows
    int cols = 0;             // modules per row
    QList<int> rowHeights;    // height of each row in modules: 1, or 3 for PDF417 rows
    QBitArray bits;           // rows x cols, row-major; set = dark module
    int quietZone = 0;        // modules of space on every side: QR 4, Data Matrix 1, PDF417 2, Aztec 0
    QString error;            // when not ok: "Data too long for QR Code", or libzint's own reason

    bool Dark(int row, int col) const { return bits.testBit(row * cols + col); }
    int HeightModules() const;  // the rows' heights added up, quiet zone left out

    // The symbologies drawn from libzint's rows (see TSymbology) also keep:
    bool stretch = false;       // rows across the bar height, quiet zone left and right only
    bool hexagons = false;      // MaxiCode: 33 rows of 30 hexagons and the bullseye
    bool dots = false;          // DotCode: a dot in each dark module
    QList<float> rowWeights;    // stretch: libzint's row heights, its shared ones filled in
    QString text;               // libzint's human-readable text; empty when it has none
    bool bind = false;          // bars above and below (ITF-14 bearer bars, stacked symbols' binding)
    bool box = false;           // and at both ends
    int borderWidth = 0;        // of those bars, in modules
    int separator = 0;          // stacked: bars of this many modules between rows
    int separatorFrom = 0;      // and where they start and end along the row, in modules
    int separatorTo = 0;
    bool ownRows = false;       // one pattern line per row, as zint --dump gives
    // Ultracode: each module's colour, libzint's 1..8 (C B M R Y G K W), 0 none;
    // bits then marks every module that has one, as zint --dump does, and the
    // drawing is dark for all but white.
    QByteArray colours;
};

// Encodes the text. Plain ASCII is encoded as it is; any other text as UTF-8
// under ECI 26, so readers give back the same characters.
TMatrix2D Encode2D(TMatrixSymbology symbology, const QString &text, const TMatrixOptions &options = {});

// The same for the symbologies from kClassicSymbologyCount on: their options
// by name (TBarcodeOptions::named), libzint's own defaults for the rest, and
// libzint's own character set choice for text beyond ASCII.
TMatrix2D EncodeZintRows(const TSymbology &row, const QString &text, const TBarcodeOptions &options);
// Box and drawing of those that are not square modules (stretch, hexagons,
// dots); the others are drawn as two-dimensional symbols are.
QSize ZintBoxSize(const TMatrix2D &matrix, int module, int barHeight, int rotation);
void DrawZintRows(TBarcodeSurface &surface, const TMatrix2D &matrix, int x, int y, int module, int barHeight,
                  bool interpretation, int rotation, bool transparent);

// Device size of the symbol's box, quiet zone included, at a module of
// `module` pixels, turned by `rotation` quarter turns clockwise (0..3).
// An empty size for a symbol that did not encode.
QSize MatrixBoxSize(const TMatrix2D &matrix, int module, int rotation = 0);

// Draws the symbol with its box's top-left corner at (x, y): square modules of
// `module` whole pixels, turned as the linear symbols turn. Unless transparent,
// the box is filled white first. A symbol that did not encode draws nothing.
void DrawMatrix2D(TBarcodeSurface &surface, const TMatrix2D &matrix, int x, int y, int module, int rotation,
                  bool transparent);
