#pragma once
// The barcode engine: filters a text for a symbology, measures the symbol and
// draws it on any surface at any of four rotations. No state, no widgets.

#include <QString>

class QPainter;

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
};
constexpr int kBarcodeTypeCount = 13;

// The symbology list shown to the user has its own order.
int BarcodeTypeToListIndex(int type);   // unknown ordinal -> last entry (POSTNET)
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

QString FilterBarcodeText(int type, const QString &text);
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
