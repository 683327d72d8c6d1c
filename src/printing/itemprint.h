#pragma once
// The five item printers: every item drawn again on the printer's painter at
// printer resolution (device pixels), with advanced text composed for the
// current record. (X, Y) is the item's top-left corner on the printable area.

#include "model/items.h"
#include "printing/sheetlayout.h"

#include <QPoint>
#include <QRect>
#include <QStringList>

class QPainter;

// What the item printers take from the job for the label being printed.
struct TLabelPrintState {
    const TDataRow *Row = nullptr; // current data record; none without a data file
    bool LastCopy = false;         // last copy of this content: counters advance
    // When set, the reason of every barcode whose text its symbology cannot
    // hold (that item prints nothing; the label goes on) is added here.
    QStringList *SymbolErrors = nullptr;
    TPrintResolution Dpi;          // the job's printer and the label's design resolution
};

// Prints an item of any kind through the printer of its kind.
void PrintItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y);
void PrintTextItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y);
void PrintMemoItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y);
void PrintBarcodeItem(QPainter &p, TBarcodeLabel &item, const TLabelPrintState &label, int X, int Y);
void PrintShapeItem(QPainter &p, TShapeLabel &item, const TPrintResolution &dpi, int X, int Y);
void PrintPictureItem(QPainter &p, TGraphicLabel &item, const TPrintResolution &dpi, int X, int Y);

// The text an item prints on this label (advances counters on the last copy).
QString ItemPrintText(TLabelControl &item, const TLabelPrintState &label);

// Placement rules, kept apart for checking.
// Reference point of a text cell TW x TH in the box (X, Y, W, H).
QPoint TextOrigin(int rotation, int horzAlign, int vertAlign, int X, int Y, int W, int H, int TW, int TH);
// The rectangle a wrapped memo text tw x th is drawn into.
QRect MemoRect(int horzAlign, int vertAlign, int X, int Y, int W, int H, int tw, int th);
// Module width in printer pixels on the barcode's length axis.
int BarcodeModule(const TBarcodeLabel &item, const TPrintResolution &dpi);
// The picture's printed size for a box W x H and a picture bw x bh.
QSize PrinterPictureSize(bool keepAspect, int W, int H, int bw, int bh);
// Pen insets of a shape with pen width pw (design pixels).
void ShapePenInsets(int penWidth, const TPrintResolution &dpi, int &hx, int &hy);
// Corner ellipse of a round rectangle W x H.
QSize PrinterRoundRectCorner(int W, int H);
