#pragma once

#include "browse/webprofile.h"
#include "platform/resources.h"
#include "testguard.h"

#include <QApplication>
#include <QTest>

// Sets the environment every end-to-end test program needs (no sandbox as root, no GPU, the
// offscreen platform unless an X screen is there and no platform was chosen) unless the caller
// set it already, then runs the test object in a widgets application with the web engine.
inline void quorvinkTestEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --disable-component-update "
                "--no-first-run --disable-sync");
    WebProfile::registerSchemes();
}

#define QUORVINK_TEST_MAIN(TestObject)                                                             \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        quorvinkTestEnvironment();                                                                 \
        QApplication app(argc, argv);                                                              \
        initResources();                                                                           \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
