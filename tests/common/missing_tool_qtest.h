#pragma once
// The Qt Test side of missing_tool.h: QV_QSKIP_MISSING skips a test function
// for a tool the set-up installs, and QV_QTEST_MAIN (in place of QTEST_MAIN)
// then exits 77 so that CTest reports the program skipped, never passed.
// A QSKIP for any other reason says "not applicable" and passes.

#include <QApplication>
#include <QtTest>

namespace qvtest {
void NoteMissingTool();
int MissingTools();
}

#define QV_QSKIP_MISSING(what)                                                                                         \
    do {                                                                                                               \
        ::qvtest::NoteMissingTool();                                                                                   \
        QSKIP(qPrintable(QStringLiteral("SKIP: missing ") + QStringLiteral(what)));                                    \
    } while (0)

#define QV_QTEST_MAIN(TestObject)                                                                                      \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        const int status = QTest::qExec(&tc, argc, argv);                                                              \
        return status == 0 && ::qvtest::MissingTools() > 0 ? 77 : status;                                              \
    }
