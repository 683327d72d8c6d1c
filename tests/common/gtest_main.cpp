#include <QGuiApplication>
#include <gtest/gtest.h>

#include "missing_tool.h"
#include <cstdio>

// Fonts, images and painters need an application object; the tests never show a
// window, so the offscreen platform serves when none is set.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (status == 0 && qvtest::MissingTools() > 0) {
        std::fprintf(stderr, "SKIP: %d test(s) lacked a tool or library\n", qvtest::MissingTools());
        return 77;
    }
    return status;
}
