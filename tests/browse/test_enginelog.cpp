#include "browse/enginelog.h"
#include "testguard.h"

#include "unittestmain.h"

class TestEngineLog : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    // The engine logs only what is fatal unless the user's own flags ask for its log.
    void chromiumFlags_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("none") << QByteArray() << QByteArray("--log-level=3");
        QTest::addRow("blank") << QByteArray("  ") << QByteArray("--log-level=3");
        QTest::addRow("other flags kept")
            << QByteArray(" --disable-gpu  --no-first-run ")
            << QByteArray("--disable-gpu  --no-first-run --log-level=3");
        QTest::addRow("own level") << QByteArray("--disable-gpu --log-level=0")
                                   << QByteArray("--disable-gpu --log-level=0");
        QTest::addRow("logging on")
            << QByteArray("--enable-logging=stderr") << QByteArray("--enable-logging=stderr");
        QTest::addRow("verbose") << QByteArray("--v=1") << QByteArray("--v=1");
        QTest::addRow("verbose modules")
            << QByteArray("--vmodule=gpu*=2") << QByteArray("--vmodule=gpu*=2");
        QTest::addRow("look-alike is not a log flag")
            << QByteArray("--log-levels --vmodules=1 --validate")
            << QByteArray("--log-levels --vmodules=1 --validate --log-level=3");
    }
    void chromiumFlags()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, expected);
        QCOMPARE(EngineLog::chromiumFlags(user), expected);
    }
};

QUORVINK_CORE_TEST_MAIN(TestEngineLog)
#include "test_enginelog.moc"
