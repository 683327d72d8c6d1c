#include "cli/commands.h"

#include <cstdio>

const char *const kPrintUsage = "  print ... (not available yet)";

int RunPrintCommand(const QStringList &)
{
    std::fprintf(stderr, "quorvane-cli: print is not available yet\n");
    return 2;
}
