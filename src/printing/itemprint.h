#pragma once
// The five item printers: every item drawn again on the printer's painter at
// printer resolution (device pixels), with advanced text composed for the
// current record. (X, Y) is the item's top-left corner on the printable area.

#include "model/items.h"

#include <QPoint>
#include <QRect>

class QPainter;

void PrintTextItem(QPainter &p, TLabelControl &item, const TDataRow *row, int X, int Y);
void PrintMemoItem(QPainter &p, TLabelControl &item, const TDataRow *row, int X, int Y);
void PrintBarcodeItem(QPainter &p, TBarcodeLabel &item, const TDataRow *row, int X, int Y);
void PrintShapeItem(QPainter &p, TShapeLabel &item, int X, int Y);
void PrintPictureItem(QPainter &p, TGraphicLabel &item, int X, int Y);

// The text an item prints for this label (advances counters on LastCopy).
QString ItemPrintText(TLabelControl &item, const TDataRow *row);

// Placement rules, kept apart for checking.
// Reference point of a text cell TW x TH in the box (X, Y, W, H).
QPoint TextOrigin(int rotation, int horzAlign, int vertAlign, int X, int Y, int W, int H, int TW, int TH);
// The rectangle a wrapped memo text tw x th is drawn into.
QRect MemoRect(int horzAlign, int vertAlign, int X, int Y, int W, int H, int tw, int th);
// Module width in printer pixels on the barcode's length axis.
int BarcodeModule(const TBarcodeLabel &item);
// The picture's printed size for a box W x H and a picture bw x bh.
QSize PrinterPictureSize(bool keepAspect, int W, int H, int bw, int bh);
// Pen insets of a shape with pen width pw (design pixels).
void ShapePenInsets(int penWidth, int &hx, int &hy);
// Corner ellipse of a round rectangle W x H.
QSize PrinterRoundRectCorner(int W, int H);
