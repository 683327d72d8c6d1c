#pragma once
// GS1 element strings: "(01)09501101530003(17)261231(10)AB-123" read into
// application identifiers and values, each value checked against the GS1
// table of AIs, and written back as the data a symbol carries.

#include <QList>
#include <QString>

struct TGs1Element {
    QString ai;          // "01", "3103", "8020"
    QString value;
    bool fixedLength;    // in GS1's table of predefined lengths: no FNC1 after it
};

struct TGs1Data {
    QList<TGs1Element> elements;
    QString error;       // empty when every element is right

    bool Ok() const { return error.isEmpty(); }
    // "(01)09501101530003(17)261231": the human-readable form.
    QString Bracketed() const;
    // The AIs and values run together, `separator` where an FNC1 goes: after
    // a variable-length element that another follows.
    QString Data(QChar separator) const;
};

// The group separator, which stands for an FNC1 inside the data.
constexpr char16_t kGs1Separator = 0x1d;

// Reads the bracketed form. With `runTogether`, a text that does not begin
// with "(" is read as AIs and values without brackets, a group separator
// (or the end) closing each variable-length value: the form EAN 128 labels
// have always held.
TGs1Data ParseGs1(const QString &text, bool runTogether = false);

// GS1 mod-10 check digit ('0'..'9') of a digit string (the digits before it).
QChar Gs1CheckDigit(const QString &digits);

struct TSymbology;

// Why a GS1 symbology cannot take the text; empty when it can. Every row
// marked gs1 is checked here before it is encoded. Our own GS1-128 encoder
// also takes the form without brackets.
QString Gs1TextError(const TSymbology &row, const QString &text);

// What a GS1-128 symbol carries after its leading FNC1: the element string
// with a group separator for each further FNC1; a text that is no element
// string is carried as it is, less what is not ASCII.
QString Gs1128Data(const QString &text);
