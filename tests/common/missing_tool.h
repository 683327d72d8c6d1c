#pragma once
// A test that needs a tool or library the set-up installs (a decoder, zint,
// pdftoppm) and finds it missing is skipped, and the program then exits 77 so
// that CTest reports it skipped, never passed.

#include <gtest/gtest.h>

namespace qvtest {
void NoteMissingTool();
int MissingTools();
}

#define QV_SKIP_MISSING(what)                                                                                          \
    do {                                                                                                               \
        ::qvtest::NoteMissingTool();                                                                                   \
        GTEST_SKIP() << "SKIP: missing " << what;                                                                      \
    } while (0)
