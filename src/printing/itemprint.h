#pragma once
// Items on the page: each drawn by its kind's one drawing (render/itemdraw.h)
// at printer resolution, with advanced text composed for the current record.
// (X, Y) is the item's top-left corner on the printable area.

#include "model/items.h"
#include "printing/sheetlayout.h"

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
    // The job's columns, date cells and asked values; its Row is this label's
    // record. Null: Row alone.
    const TComposeContext *Context = nullptr;
    // The first part that could not be composed; the item still prints.
    TComposeFailure *Failure = nullptr;
    // Set by PrintLabel: the index in the items of the one that failed first.
    int *FailedItem = nullptr;
};

// Prints an item of any kind.
void PrintItem(QPainter &p, TLabelControl &item, const TLabelPrintState &label, int X, int Y);

// The text an item prints on this label (advances counters on the last copy).
QString ItemPrintText(TLabelControl &item, const TLabelPrintState &label);
