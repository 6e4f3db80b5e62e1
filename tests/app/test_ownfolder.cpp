// The real browser, started with a home folder of its own: a start and a close write nothing
// outside the program directory (the web engine's preferences and caches included) and print at
// most one line on the terminal (the sandbox notice when running as root).
#include "testguard.h"

#include "appfixture.h"
#include "httpserver.h"
#include "tempprogramdir.h"
#include "testmain.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

class TestOwnFolder : public QObject {
    Q_OBJECT

    HttpServer server;

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void startWritesOnlyItsFolderQuietly()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"),
                       htmlPage(QStringLiteral("Home"),
                                QStringLiteral("<iframe src=\"inner.html\"></iframe>"
                                               "<a href=\"mailto:one@example.com\">one</a>")));
        server.setPage(QStringLiteral("inner.html"), htmlPage(QStringLiteral("Inner")));

        TempProgramDir dir;
        const QString program = dir.file(QStringLiteral("orvelquorvink"));
        QVERIFY(QFile::copy(QStringLiteral(QUORVINK_BROWSER), program));
        const QString home = server.url(QStringLiteral("home.html")).toString();
        QVERIFY(dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                          (" 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + home + "\r\nEnglish\r\n").toUtf8()));

        // The user's folders as on a desktop without the XDG variables: all below HOME.
        QTemporaryDir userHome;
        QVERIFY(userHome.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                 "QT_LOGGING_RULES", "QT_LOGGING_CONF", "QT_DEBUG_PLUGINS"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("HOME"), userHome.path());

        QProcess browser;
        browser.setProcessEnvironment(environment);
        browser.setProcessChannelMode(QProcess::MergedChannels);
        browser.start(program, {});
        QVERIFY(browser.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("inner.html")) > 0 ||
                                     browser.state() == QProcess::NotRunning,
                                 60000);
        QCOMPARE(browser.state(), QProcess::Running);
        browser.terminate();
        if (!browser.waitForFinished(30000)) {
            browser.kill();
            QVERIFY(browser.waitForFinished());
        }

        QStringList outside;
        QDirIterator it(userHome.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            outside.append(it.next());
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QLatin1Char('\n'))));
        QVERIFY(QFileInfo(dir.file(QStringLiteral("Data/Engine"))).isDir());

        const QString output = QString::fromLocal8Bit(browser.readAll()).trimmed();
        const QStringList lines =
            output.isEmpty() ? QStringList() : output.split(QLatin1Char('\n'));
        QVERIFY2(lines.size() <= 1, qPrintable(output));
    }
};

QUORVINK_TEST_MAIN(TestOwnFolder)
#include "test_ownfolder.moc"
