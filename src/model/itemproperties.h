#pragma once
// The plain stored properties of each item kind (a bool, an int, an enum),
// declared once. Copies, undo states, the label file and the properties
// panel walk these rows, so a new property is one row here. What is not a
// plain value (the box, the font, the text and its parts, the picture) is
// handled by each of them on its own.

#include "model/items.h"

#include <span>

// How a row's value is written in the label file.
enum TPropertyForm : quint8 {
    pfBool,         // 0 or 1
    pfInt,          // a decimal integer
    pfQuarterTurns, // quarter turns, written in degrees ("0", "90", "180", "270")
};

// What becomes of a value out of [Min, Max] read from a file.
enum TPropertyRange : quint8 {
    prAny,      // every value is kept (colours)
    prFallback, // it is taken as Default (enumerations)
    prClamp,    // it is brought to the nearer end
    prSetter,   // the setter bounds it, after rules that need the raw value
};

enum TPropertyFlag : quint8 {
    // Written after the item's text, with its parts; the others after its box.
    kpAfterText = 1,
    // Set after every other property of an item being built: the attachment's
    // setter resets it.
    kpSetLast = 2,
    // An option of the two-dimensional symbologies: which values one offers,
    // and whether a linear one has it at all, is the barcode engine's.
    kpSymbologyOption = 4,
    // Written only when it differs from its default: files that do not use
    // it stay as they were.
    kpWrittenWhenSet = 8,
};

struct TItemProperty {
    const char *Key;  // its key in the item's section of a label file
    TPropertyForm Form;
    TPropertyRange Range;
    int Default;      // what a missing key stands for
    int Min, Max;
    quint8 Flags;
    // The name of an edit of it (untranslated; the panel's context
    // translates it), or nullptr when its edit is named otherwise.
    const char *Caption;
    int (*Get)(const TLabelControl &item);
    // Through the item's setter: its rules apply and the item is marked changed.
    void (*Set)(TLabelControl &item, int value);
    // Straight into the member, for copies and restored states.
    void (*Put)(TLabelControl &item, int value);

    bool Has(TPropertyFlag f) const { return (Flags & f) != 0; }
    // A value read from a file, brought into range as Range says.
    int Bounded(int value) const;
};

// The rows every kind has, then those of one kind (empty for a kind
// without any), each in the order their keys are written.
std::span<const TItemProperty> CommonProperties();
std::span<const TItemProperty> KindProperties(TItemKind kind);
// The row of `key` among the common ones and those of `kind`, or nullptr.
const TItemProperty *FindProperty(TItemKind kind, const char *key);
// Every row's value from one item into another of the same kind, raw.
void CopyProperties(const TLabelControl &from, TLabelControl &to);
