#pragma once

#include "platform/Desktop.h"
#include "support/StopTest.h"

#include <QApplication>
#include <QTest>

/// Like QTEST_MAIN, but headless by default (offscreen platform) and with the program's
/// own look, so window tests measure what users see.
#define CHROMALUNE_TEST_MAIN(TestClass)                                                            \
    int main(int argc, char* argv[]) {                                                             \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication app(argc, argv);                                                              \
        app.setApplicationName("ChromaLune");                                                      \
        platform::applyDesktopLook(app);                                                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestClass tc;                                                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        try {                                                                                      \
            return QTest::qExec(&tc, argc, argv);                                                  \
        } catch (const TestStopped&) {                                                             \
            return 1;                                                                              \
        }                                                                                          \
    }
