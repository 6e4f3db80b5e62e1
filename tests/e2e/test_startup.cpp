// Start-up and exit of the real main window in a temporary program directory.
#include "appfixture.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "browse/addressbox.h"
#include "core/wait.h"
#include "mail/harvester.h"

#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>

class TestStartup : public QObject {
    Q_OBJECT

    HttpServer server;
    // The window of the tests that are not about a start of their own.
    AppFixture app;

    QString base() const { return QStringLiteral("http://") + server.hostPort(); }
    QUrl home() const { return server.url(QStringLiteral("home.html")); }

    // A window for a test about a start.
    std::unique_ptr<AppFixture> ownApp(bool withLanguages = true, int tabs = 3)
    {
        return ownAppBeside(app, base(), withLanguages, tabs);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"),
                       "<html><head><title>Home</title></head><body>home</body></html>");
        QVERIFY(startShared(app, base(), home(), kTestTimings));
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(home()));
    }

    void cleanupTestCase() { app.close(); }

    void firstRunOpensOwnStartPageAndWritesFilesAtExit()
    {
        auto own = ownApp();
        QVERIFY(own);
        own->start();
        QVERIFY(AppFixture::waitFor(own->view(0), QUrl(QStringLiteral("quorvink:start"))));
        QCOMPARE(own->view(0)->LocationName(), QStringLiteral("OrvelQuorvink"));
        QVERIFY(own->view(0)->isVisible());
        QCOMPARE(own->browser->tabs().caption(0), QStringLiteral("Quorvink:start"));
        // Created on first run with five lines.
        QCOMPARE(linesOf(own->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).size(), 5);

        own->window->close(); // by the frame
        QVERIFY(own->browser->hasExited());
        QVERIFY(!own->window->isVisible());
        const QStringList options =
            linesOf(own->dir.read(QStringLiteral("Data/orvelquorvink.Opt")));
        QCOMPARE(options.size(), 6);
        QCOMPARE(options[4], QStringLiteral("quorvink:start"));
        QCOMPARE(options[5], QStringLiteral("English"));
        QCOMPARE(linesOf(own->dir.read(QStringLiteral("Data/orvelquorvink.Ini"))).size(), 13);
        QVERIFY(own->desktop.messages.isEmpty());
    }

    void closingByFrameAndByExitWriteTheSameFiles()
    {
        QHash<QString, QByteArray> written[2];
        for (int run = 0; run < 2; ++run) {
            auto own = ownApp();
            QVERIFY(own);
            own->dir.write(QStringLiteral("Data/orvelquorvink.Ini"),
                           " 300 \r\n 450 \r\n 6000 \r\n 13500 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"
                           " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
            own->dir.write(QStringLiteral("Data/orvelquorvink.Hys"), "http://a.test/x\r\n");
            own->start(home().toString());
            QVERIFY(AppFixture::waitFor(own->view(0), home()));
            if (run == 0)
                own->window->close();
            else
                own->browser->GO_Exit();
            QVERIFY(own->browser->hasExited());
            for (const char* name :
                 {"Data/orvelquorvink.Opt", "Data/orvelquorvink.Ini", "Data/orvelquorvink.Hys"})
                written[run].insert(QLatin1String(name), own->dir.read(QLatin1String(name)));
        }
        QCOMPARE(written[0], written[1]);
        QCOMPARE(written[0].value(QStringLiteral("Data/orvelquorvink.Ini")).left(29),
                 QByteArray(" 300 \r\n 450 \r\n 6000 \r\n 13500 "));
        QCOMPARE(written[0].value(QStringLiteral("Data/orvelquorvink.Hys")),
                 QByteArray("http://a.test/x\r\n"));
    }

    void windowModeTwoCoversTheScreenAcrossRuns()
    {
        QByteArray settings = " 300 \r\n 450 \r\n 3000 \r\n 4000 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"
                              " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 2 \r\n";
        for (int run = 0; run < 2; ++run) {
            auto own = ownApp();
            QVERIFY(own);
            own->dir.write(QStringLiteral("Data/orvelquorvink.Ini"), settings);
            own->start(home().toString());
            QCOMPARE(own->window->frameGeometry(), own->window->screen()->geometry());
            own->close();
            settings = own->dir.read(QStringLiteral("Data/orvelquorvink.Ini"));
            QCOMPARE(linesOf(settings).value(12), QStringLiteral(" 2 "));
        }
    }

    void badSettingsFilesStartWithDefaultsSilently_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("asDirectory");
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(static_cast<char>((i * 7919) % 256));
        QTest::addRow("binary junk") << junk << false;
        QByteArray many;
        for (int i = 0; i < 100000; ++i)
            many.append(" 12 \r\n");
        QTest::addRow("100,000 lines") << many << false;
        // Not a file at all: the defaults, and a message that names it.
        QTest::addRow("a folder in its place") << QByteArray() << true;
    }
    void badSettingsFilesStartWithDefaultsSilently()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, asDirectory);
        auto own = ownApp();
        QVERIFY(own);
        if (asDirectory)
            QVERIFY(QDir(own->dir.root()).mkpath(QStringLiteral("Data/orvelquorvink.Ini")));
        else
            own->dir.write(QStringLiteral("Data/orvelquorvink.Ini"), content);
        own->start(home().toString());
        QVERIFY(own->window->isVisible());
        QVERIFY(own->window->width() >= 200 && own->window->height() >= 150);
        QVERIFY(AppFixture::waitFor(own->view(0), home()));
        if (asDirectory) {
            QCOMPARE(own->desktop.messages.size(), 1);
            QVERIFY(own->desktop.messages[0].text.contains(QLatin1String("orvelquorvink.Ini")));
        } else {
            QVERIFY(own->desktop.messages.isEmpty());
        }
        own->browser->GO_Exit();
        QVERIFY(own->browser->hasExited());
    }

    // A request to end from outside (a signal) lets a short wait in place end first, but not a
    // long one: an export waiting for the office ends with the exit, within two seconds.
    void requestToEndDuringALongWait()
    {
        auto own = ownApp();
        QVERIFY(own);
        own->start(home().toString());
        QVERIFY(AppFixture::waitFor(own->view(0), home()));
        Browser& w = *own->browser;
        QTimer::singleShot(0, &w, &Browser::requestExit);
        QElapsedTimer waited;
        waited.start();
        QVERIFY(Wait::until([&w] { return w.hasExited(); }, 20000));
        QVERIFY2(waited.elapsed() >= 1500 && waited.elapsed() < 10000,
                 qPrintable(QString::number(waited.elapsed())));
        QVERIFY(QFile::exists(own->dir.file(QStringLiteral("Data/orvelquorvink.Hys"))));
    }

    void unwritableFilesGiveOneMessageAndTheProgramStillEnds()
    {
        auto own = ownApp();
        QVERIFY(own);
        own->start(home().toString());
        // Folders standing where the files should be written cannot be replaced by files.
        for (const char* name :
             {"Data/orvelquorvink.Opt", "Data/orvelquorvink.Ini", "Data/orvelquorvink.Hys"}) {
            QFile::remove(own->dir.file(QLatin1String(name)));
            QVERIFY(QDir(own->dir.root()).mkpath(QLatin1String(name)));
        }
        own->window->close();
        QVERIFY(own->browser->hasExited());
        QVERIFY(!own->window->isVisible());
        QCOMPARE(own->desktop.messages.size(), 1);
        const QString text = own->desktop.messages.first().text;
        QVERIFY2(text.contains(QLatin1String("orvelquorvink.Opt")) &&
                     text.contains(QLatin1String("orvelquorvink.Ini")) &&
                     text.contains(QLatin1String("orvelquorvink.Hys")),
                 qPrintable(text));
        QCOMPARE(own->desktop.messages.first().title, QStringLiteral("orvelquorvink"));
    }

    void deferredStepRunsOnceAfterStart()
    {
        auto own = ownApp();
        QVERIFY(own);
        own->start(home().toString());
        // Nothing has run the event loop since the load: the step is still to come.
        QVERIFY(own->browser->Timer4().isActive());
        QCOMPARE(own->browser->Timer4().interval(), own->timings.deferredStartMs);
        QVERIFY(own->module->Template_Doc.isEmpty());
        QSignalSpy done(own->browser.get(), &Browser::deferredStepDone);
        QVERIFY(done.wait(5000));
        QVERIFY(!own->browser->Timer4().isActive());
        QCOMPARE(done.size(), 1);
        QCOMPARE(own->module->Template_Doc, own->dir.root() + QStringLiteral("/Data/Template.Doc"));
        own->close();
    }

    void languageFileSetsTabsAndViews()
    {
        // Every view is placed at start; later only the current view follows the window.
        auto own = ownApp(true, 5);
        QVERIFY(own);
        own->start(home().toString());
        QCOMPARE(own->browser->tabs().count(), 5);
        QCOMPARE(own->browser->tabs().Web().size(), size_t(5));
        QCOMPARE(own->browser->tabs().Tab_URL().size(), 5);
        for (int i = 1; i < 5; ++i) {
            QVERIFY(!own->view(i)->isVisible());
            QCOMPARE(own->view(i)->widget()->geometry(), own->view(0)->widget()->geometry());
        }
        own->close();
    }

    void framesGetTheirWorldsOnlyWhileHarvesting()
    {
        QWebEngineScriptCollection* scripts = app.browser->profile()->scripts();
        QCOMPARE(scripts->count(), 0);
        app.browser->harvester().toggle();
        QCOMPARE(scripts->count(), 1);
        app.browser->harvester().toggle();
        QCOMPARE(scripts->count(), 0);
    }

    void tabCountIsBounded_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("tabs");
        QTest::addRow("zero") << 0 << 1;
        QTest::addRow("negative") << -5 << 1;
        QTest::addRow("ten thousand") << 10000 << 16;
    }
    void tabCountIsBounded()
    {
        QFETCH(int, asked);
        QFETCH(int, tabs);
        auto own = ownApp(true, asked);
        QVERIFY(own);
        own->start(home().toString());
        QCOMPARE(own->browser->tabs().count(), tabs);
        QVERIFY(int(own->browser->tabs().Web().size()) >= tabs);
        QCOMPARE(own->module->lang.Start_Page, base() + QStringLiteral("/start.html"));
        QVERIFY(!own->module->Lang_Text[1].isEmpty());
        QVERIFY(AppFixture::waitFor(own->view(0), home()));
        own->close();
    }

    void missingLanguageFileFallsBackToEnglish()
    {
        auto own = ownApp(true, 4);
        QVERIFY(own);
        own->dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                       " 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + home().toEncoded() + "\r\nKlingon\r\n");
        own->startWindow();
        QCOMPARE(own->desktop.messages.size(), 1);
        QVERIFY(own->desktop.messages.first().text.contains(QLatin1String("Quorvink_Klingon.txt")));
        QCOMPARE(own->module->Lang_Text[1], QStringLiteral("Exit"));
        QCOMPARE(own->browser->tabs().count(), 4);
        own->close();
        // The options file keeps the user's choice.
        QCOMPARE(linesOf(own->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).value(5),
                 QStringLiteral("Klingon"));
    }

    void noLanguageFilesAtAllStartsWithThreeTabs()
    {
        auto own = ownApp(false);
        QVERIFY(own);
        own->start(home().toString());
        QCOMPARE(own->browser->tabs().count(), 3);
        // The captions come from the English built into the program.
        QCOMPARE(own->module->Lang_Text[1], QStringLiteral("Exit"));
        QCOMPARE(own->desktop.messages.size(), 1);
        QVERIFY(AppFixture::waitFor(own->view(0), home()));
        own->close();
        QCOMPARE(linesOf(own->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).size(), 6);
    }
};

QUORVINK_TEST_MAIN(TestStartup)
#include "test_startup.moc"
