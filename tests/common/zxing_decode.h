#pragma once
// Reads barcodes back from a rendered image with ZXing-C++, in process: a
// second reader beside zbar, and the one that knows the matrix symbologies.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

struct TZxingSymbol {
    QString format;      // ZXing's name: "Code39", "ITF", "QRCode", "DataMatrix", "PDF417", "Aztec", ...
    QString text;        // the content as text (ECI applied; GS1 data as ZXing renders it)
    QByteArray bytes;    // the raw content, no character set applied
    QString identifier;  // symbology identifier, "]d2" for GS1 DataMatrix
    bool hasEci = false;
};

// True when the tests were built with ZXing-C++.
bool ZxingAvailable();

// Every symbol ZXing finds in the image, searching hard (every line, turned
// images too). `formats` names the symbologies to look for ("Code39|ITF"); empty
// means all. Code 39 is read raw unless `code39Extended` is set.
QList<TZxingSymbol> ZxingDecode(const QImage &image, const QString &formats = {}, bool code39Extended = false);
