#pragma once
// Reads barcodes back from a rendered image with libzbar, in process, so tests
// check what a real scanner sees rather than what the engine meant to draw.

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

struct TDecodedSymbol {
    int zbarType = 0;  // zbar_symbol_type_t: 128 Code 128, 39 Code 39, 13 EAN-13, ...
    QString typeName;  // zbar's name: "CODE-128", "EAN-13", "UPC-A", "EAN-2", ...
    QByteArray data;   // the decoded bytes as zbar reports them
    bool gs1 = false;  // FNC1 in first position (EAN 128)
};

// A zbar setting (symbology, zbar_config_t, value); symbology 0 means all.
struct TZbarSetting {
    int symbology;
    int config;
    int value;
};

// True when the tests were built with libzbar.
bool ZbarAvailable();

// Every symbol zbar finds in the image. The scanner starts with every
// symbology enabled (UPC-A reported as itself, the EAN add-ons on, ISBN off), minimum
// lengths of 1 and full-ASCII Code 39 off; `settings` are applied on top.
QList<TDecodedSymbol> ZbarDecode(const QImage &image, const QList<TZbarSetting> &settings = {});
