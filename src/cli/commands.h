#pragma once
// Sub-commands of quorvane-cli. Each returns the process exit status:
// 0 success, 2 bad arguments or files, 1 any other failure; 3 when barcode
// --batch could not draw some lines or print left out barcodes some records
// could not hold.

#include <QByteArray>
#include <QList>
#include <QStringList>

// rawArgs: the same arguments as the system gave them, before Qt decoded them.
int RunBarcodeCommand(const QStringList &args, const QList<QByteArray> &rawArgs);
int RunPrintCommand(const QStringList &args);
int RunRenderCommand(const QStringList &args);
int RunCalibrateCommand(const QStringList &args);

// One-line usage texts, collected by --help.
const char *BarcodeUsage();
extern const char *const kPrintUsage;
extern const char *const kRenderUsage;
extern const char *const kCalibrateUsage;
