#pragma once
// Sub-commands of quorvane-cli. Each returns the process exit status:
// 0 success, 2 bad arguments or files, 1 any other failure; barcode --batch
// 3 when some lines could not be drawn.

#include <QStringList>

int RunBarcodeCommand(const QStringList &args);
int RunPrintCommand(const QStringList &args);
int RunRenderCommand(const QStringList &args);

// One-line usage texts, collected by --help.
const char *BarcodeUsage();
extern const char *const kPrintUsage;
extern const char *const kRenderUsage;
