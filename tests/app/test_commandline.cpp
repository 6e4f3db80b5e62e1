// The real browser as a process of its own: it reads no command line, writes nothing outside its
// program directory, and without a display says what is missing.
#include "testguard.h"

#include "appfixture.h"
#include "httpserver.h"
#include "tempprogramdir.h"
#include "testmain.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

class TestCommandLine : public QObject {
    Q_OBJECT

    HttpServer server;

    // A portable install of its own (the program directory is the executable's folder), with the
    // server's page as its home page when one is named; the executable's path.
    QString install(const TempProgramDir& dir, const char* homePage = nullptr)
    {
        const QString program = dir.file(QStringLiteral("orvelquorvink"));
        if (!QFile::copy(QStringLiteral(QUORVINK_BROWSER), program))
            return QString();
        const QByteArray home = server.url(QLatin1String(homePage)).toEncoded();
        return !homePage || dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                                      " 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + home + "\r\nEnglish\r\n")
                   ? program
                   : QString();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("given.html"), htmlPage(QStringLiteral("Given")));
        server.setPage(QStringLiteral("framed.html"),
                       htmlPage(QStringLiteral("Framed"),
                                QStringLiteral("<iframe src=\"inner.html\"></iframe>"
                                               "<a href=\"mailto:one@example.com\">one</a>")));
        server.setPage(QStringLiteral("inner.html"), htmlPage(QStringLiteral("Inner")));
    }
    void init() { TestGuard::failOnWarnings(); }

    // Arguments Qt or the web engine would otherwise act on: the program starts as usual on its
    // home page and opens nothing it was given.
    void argumentsChangeNothing()
    {
        TempProgramDir dir;
        const QString program = install(dir, "home.html");
        QVERIFY(!program.isEmpty());
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

    // Started where no display can be opened, the program says what is missing and ends with a
    // failure code, without Qt's abort (and its core dump), having written nothing: not even the
    // options file a first start makes. A display the check cannot judge (on another host) is
    // left to Qt, whose refusal ends the start the same way.
    void noDisplaySaysWhatIsMissing_data()
    {
        QTest::addColumn<QString>("display"); // DISPLAY, or none
        QTest::addColumn<bool>("oneLine");    // the program's own line alone
        QTest::newRow("none") << QString() << true;
        QTest::newRow("gone") << ":93" << true;
        QTest::newRow("another host, refused") << "127.0.0.1:93" << false;
    }
    void noDisplaySaysWhatIsMissing()
    {
        QFETCH(QString, display);
        QFETCH(bool, oneLine);
        TempProgramDir dir;
        const QString program = install(dir);
        QVERIFY(!program.isEmpty());
        const auto files = [&dir] {
            QStringList found;
            for (QDirIterator it(dir.root(), QDir::AllEntries | QDir::NoDotAndDotDot,
                                 QDirIterator::Subdirectories);
                 it.hasNext();)
                found << it.next() + QString::number(it.fileInfo().size());
            return found;
        };
        const QStringList before = files();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        if (!display.isEmpty())
            environment.insert(QStringLiteral("DISPLAY"), display);
        QProcess browser;
        browser.setProcessEnvironment(environment);
        browser.start(program, {});
        QVERIFY(browser.waitForFinished(30000));
        QCOMPARE(browser.exitStatus(), QProcess::NormalExit);
        QCOMPARE(browser.exitCode(), 1);
        QCOMPARE(files(), before);
        const QStringList lines =
            QString::fromUtf8(browser.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        if (oneLine) {
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines[0].contains(QStringLiteral("DISPLAY")), qPrintable(lines[0]));
        }
    }

    // A start and a close with a home folder of its own write nothing outside the program
    // directory (the web engine's preferences and caches included) and print at most one line on
    // the terminal (the sandbox notice when running as root).
    void startWritesOnlyItsFolderQuietly()
    {
        TempProgramDir dir;
        const QString program = install(dir, "framed.html");
        QVERIFY(!program.isEmpty());
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
        QVERIFY2(output.count(QLatin1Char('\n')) == 0, qPrintable(output));
    }
};

QUORVINK_TEST_MAIN(TestCommandLine)
#include "test_commandline.moc"
