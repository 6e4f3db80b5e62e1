// The program reads no command line: the real browser, started with arguments Qt or the web
// engine would otherwise act on, starts as usual on its home page and opens nothing it was given.
#include "testguard.h"

#include "appfixture.h"
#include "httpserver.h"
#include "tempprogramdir.h"
#include "testmain.h"

#include <QProcess>

class TestCommandLine : public QObject {
    Q_OBJECT

    HttpServer server;

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void argumentsChangeNothing()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("given.html"), htmlPage(QStringLiteral("Given")));

        // A portable install of its own: the program directory is the executable's folder.
        TempProgramDir dir;
        const QString program = dir.file(QStringLiteral("orvelquorvink"));
        QVERIFY(QFile::copy(QStringLiteral(QUORVINK_BROWSER), program));
        const QString home = server.url(QStringLiteral("home.html")).toString();
        QVERIFY(dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                          (" 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + home + "\r\nEnglish\r\n").toUtf8()));

        QProcess browser;
        browser.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        browser.start(program, {QStringLiteral("-platform"), QStringLiteral("no-such-platform"),
                                QStringLiteral("-stylesheet"), dir.file(QStringLiteral("x.qss")),
                                QStringLiteral("--remote-debugging-port=1"),
                                server.url(QStringLiteral("given.html")).toString()});
        QVERIFY(browser.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("home.html")) > 0 ||
                                     browser.state() == QProcess::NotRunning,
                                 30000);
        QCOMPARE(browser.state(), QProcess::Running);
        QCOMPARE(server.requestCount(QStringLiteral("given.html")), 0);
        browser.kill();
        QVERIFY(browser.waitForFinished());
    }

    // Started where no display can be opened, the program says in one line what is missing and
    // ends with a failure code, without Qt's abort (and its core dump).
    void noDisplaySaysWhatIsMissing()
    {
        TempProgramDir dir;
        const QString program = dir.file(QStringLiteral("orvelquorvink"));
        QVERIFY(QFile::copy(QStringLiteral(QUORVINK_BROWSER), program));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        QProcess browser;
        browser.setProcessEnvironment(environment);
        browser.start(program, {});
        QVERIFY(browser.waitForFinished(30000));
        QCOMPARE(browser.exitStatus(), QProcess::NormalExit);
        QCOMPARE(browser.exitCode(), 1);
        const QStringList lines =
            QString::fromUtf8(browser.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].contains(QStringLiteral("DISPLAY")), qPrintable(lines[0]));
    }
};

QUORVINK_TEST_MAIN(TestCommandLine)
#include "test_commandline.moc"
