#pragma once

#include <QRegularExpression>
#include <QTest>

// Fails the running test on every warning message, except the known noise of the platform itself
// (listed below); a test that expects a warning says so with QTest::ignoreMessage. Call it from
// init(), so that it holds for every test function and every data row.
namespace TestGuard {

inline void failOnWarnings()
{
    // Messages of the platform that say nothing about the program: the offscreen platform has
    // neither window hints nor graphics, and the web engine may still write to its cache folder
    // while a temporary program directory is removed.
    static const QRegularExpression anythingButNoise(
        QStringLiteral("^(?!This plugin does not support|QStandardPaths: |No suitable graphics "
                       "backend found|QTemporaryDir: Unable to remove)"));
    QTest::failOnWarning(anythingButNoise);
}

} // namespace TestGuard
