#include "missing_tool.h"

#include <atomic>

namespace qvtest {
namespace {
std::atomic<int> missing{0};
}
void NoteMissingTool() { ++missing; }
int MissingTools() { return missing; }
}
