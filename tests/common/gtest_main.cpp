#include <QGuiApplication>
#include <gtest/gtest.h>

// Fonts, images and painters need an application object; the tests never show a
// window, so the offscreen platform serves when none is set.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
