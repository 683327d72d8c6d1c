#pragma once
// Makers' label sheets on the command line: the templates command and the
// print command's --stock.

#include <QPageSize>
#include <QString>

class TQPrinterDevice;
struct TStockSheet;

extern const char *const kTemplatesUsage;
int RunTemplatesCommand(const QStringList &args);

// The sheet named "MAKER PRODUCT" (or a product code only one maker has);
// nullptr with a message naming the nearest sheets when there is none, or
// why the sheet cannot be used.
const TStockSheet *FindStockForCli(const QString &name, QString &error);
// Asks the printer for the sheet's paper.
void UseStockPaper(TQPrinterDevice &device, const QPageSize &paper);
