#pragma once

#include "testguard.h"

#include <QCoreApplication>
#include <QTest>
#if __has_include(<QApplication>)
#include <QApplication>
#endif

// The mains of unit tests: no web engine. Files and models run in a core application; widgets
// in a widgets application on the offscreen platform, at 96 dots per inch.
#define QUORVINK_CORE_TEST_MAIN(TestObject)                                                        \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        QCoreApplication app(argc, argv);                                                          \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#define QUORVINK_WIDGETS_TEST_MAIN(TestObject)                                                     \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication::setAttribute(Qt::AA_Use96Dpi, true);                                         \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
