#include "cli/commands.h"

#include <cstdio>

const char *const kBarcodeUsage = "  barcode ... (not available yet)";

int RunBarcodeCommand(const QStringList &)
{
    std::fprintf(stderr, "quorvane-cli: barcode is not available yet\n");
    return 2;
}
