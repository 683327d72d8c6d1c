#include "cli/commands.h"

#include <cstdio>

const char *const kRenderUsage = "  render ... (not available yet)";

int RunRenderCommand(const QStringList &)
{
    std::fprintf(stderr, "quorvane-cli: render is not available yet\n");
    return 2;
}
