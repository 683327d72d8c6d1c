#pragma once
// Two-dimensional symbologies: libzint encodes the text into a module matrix,
// which is drawn through the same surface as the linear symbols, so screen,
// printer, PDF and PNG draw the same modules.

#include "barcode/barcode.h"

#include <QBitArray>
#include <QList>
#include <QSize>
#include <QString>

// The value is the symbology's ordinal, after the thirteen linear ones.
enum class TMatrixSymbology : quint8 {
    QRCode = 13,
    DataMatrix = 14,        // ECC 200
    PDF417 = 15,
    Aztec = 16,
    GS1DataMatrix = 17,     // text as "(AI)value" pairs
};
constexpr int kMatrixSymbologyFirst = 13;
constexpr int kMatrixSymbologyLast = 17;

// "QR Code", "Data Matrix", "PDF417", "Aztec Code", "GS1 DataMatrix"; empty for
// any other value.
QString MatrixSymbologyCaption(TMatrixSymbology symbology);

struct TMatrixOptions {
    // Error correction, -1 for the symbology's own choice.
    //   QR Code: 0..3 = L, M, Q, H (automatic: M).
    //   PDF417: security level 0..8 (automatic: by the amount of data).
    //   Aztec: 10, 23, 36 or 50 per cent (automatic: 23).
    //   Data Matrix has a fixed error correction; the value is ignored.
    int ecc = -1;
    // Symbol size, 0 for the smallest that holds the text.
    //   QR Code: version 1..40.
    //   Data Matrix: 1..24 the squares 10x10 .. 144x144, 25..30 the rectangles
    //     8x18, 8x32, 12x26, 12x36, 16x36, 16x48.
    //   PDF417: number of data columns 1..30.
    //   Aztec: 1..4 compact (15x15 .. 27x27), 5..36 full range (19x19 .. 151x151).
    int size = 0;
    // Data Matrix of automatic size: the smallest rectangle instead of the smallest square.
    bool rectangular = false;
};

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
