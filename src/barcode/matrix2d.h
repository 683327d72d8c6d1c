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
};

// Encodes the text. Plain ASCII is encoded as it is; any other text as UTF-8
// under ECI 26, so readers give back the same characters.
TMatrix2D Encode2D(TMatrixSymbology symbology, const QString &text, const TMatrixOptions &options = {});

// Device size of the symbol's box, quiet zone included, at a module of
// `module` pixels, turned by `rotation` quarter turns clockwise (0..3).
// An empty size for a symbol that did not encode.
QSize MatrixBoxSize(const TMatrix2D &matrix, int module, int rotation = 0);

// Draws the symbol with its box's top-left corner at (x, y): square modules of
// `module` whole pixels, turned as the linear symbols turn. Unless transparent,
// the box is filled white first. A symbol that did not encode draws nothing.
void DrawMatrix2D(TBarcodeSurface &surface, const TMatrix2D &matrix, int x, int y, int module, int rotation,
                  bool transparent);
