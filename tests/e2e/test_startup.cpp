// Start-up and exit of the real main window in a temporary program directory.
#include "appfixture.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "browse/addressbox.h"
#include "mail/harvester.h"

#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>

class TestStartup : public QObject {
    Q_OBJECT

    HttpServer server;
    QString base() const { return QStringLiteral("http://") + server.hostPort(); }

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"),
                       "<html><head><title>Home</title></head><body>home</body></html>");
    }

    void firstRunOpensOwnStartPageAndWritesFilesAtExit()
    {
        AppFixture app;
        useLocalSites(app.dir, base());
        app.start();
        QVERIFY(AppFixture::waitFor(app.view(0), QUrl(QStringLiteral("quorvink:start"))));
        QCOMPARE(app.view(0)->LocationName(), QStringLiteral("OrvelQuorvink"));
        QVERIFY(app.view(0)->isVisible());
        QCOMPARE(app.window->tabs().caption(0), QStringLiteral("Quorvink:start"));
        // Created on first run with five lines.
        QCOMPARE(linesOf(app.dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).size(), 5);

        app.window->close(); // by the frame
        QVERIFY(app.window->hasExited());
        QVERIFY(!app.window->isVisible());
        const QStringList options = linesOf(app.dir.read(QStringLiteral("Data/orvelquorvink.Opt")));
        QCOMPARE(options.size(), 6);
        QCOMPARE(options[4], QStringLiteral("quorvink:start"));
        QCOMPARE(options[5], QStringLiteral("English"));
        QCOMPARE(linesOf(app.dir.read(QStringLiteral("Data/orvelquorvink.Ini"))).size(), 13);
        QVERIFY(app.desktop.messages.isEmpty());
    }

    void closingByFrameAndByExitWriteTheSameFiles()
    {
        QHash<QString, QByteArray> written[2];
        for (int run = 0; run < 2; ++run) {
            AppFixture app;
            useLocalSites(app.dir, base());
            app.dir.write(QStringLiteral("Data/orvelquorvink.Ini"),
                          " 300 \r\n 450 \r\n 6000 \r\n 9000 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"
                          " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
            app.dir.write(QStringLiteral("Data/orvelquorvink.Hys"), "http://a.test/x\r\n");
            app.start(base() + QStringLiteral("/home.html"));
            QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("home.html"))));
            if (run == 0)
                app.window->close();
            else
                app.window->GO_Exit();
            QVERIFY(app.window->hasExited());
            for (const char* name :
                 {"Data/orvelquorvink.Opt", "Data/orvelquorvink.Ini", "Data/orvelquorvink.Hys"})
                written[run].insert(QLatin1String(name), app.dir.read(QLatin1String(name)));
        }
        QCOMPARE(written[0], written[1]);
        QCOMPARE(written[0].value(QStringLiteral("Data/orvelquorvink.Ini")).left(24),
                 QByteArray(" 300 \r\n 450 \r\n 6000 \r\n 9"));
        QCOMPARE(written[0].value(QStringLiteral("Data/orvelquorvink.Hys")),
                 QByteArray("http://a.test/x\r\n"));
    }

    void windowModeTwoCoversTheScreenAcrossRuns()
    {
        QByteArray settings = " 300 \r\n 450 \r\n 3000 \r\n 4000 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"
                              " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 2 \r\n";
        for (int run = 0; run < 2; ++run) {
            AppFixture app;
            useLocalSites(app.dir, base());
            app.dir.write(QStringLiteral("Data/orvelquorvink.Ini"), settings);
            app.start(base() + QStringLiteral("/home.html"));
            QCOMPARE(app.window->frameGeometry(), app.window->screen()->geometry());
            app.close();
            settings = app.dir.read(QStringLiteral("Data/orvelquorvink.Ini"));
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
        QTest::addRow("unreadable") << QByteArray() << true;
    }
    void badSettingsFilesStartWithDefaultsSilently()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, asDirectory);
        AppFixture app;
        useLocalSites(app.dir, base());
        if (asDirectory)
            QVERIFY(QDir(app.dir.root()).mkpath(QStringLiteral("Data/orvelquorvink.Ini")));
        else
            app.dir.write(QStringLiteral("Data/orvelquorvink.Ini"), content);
        app.start(base() + QStringLiteral("/home.html"));
        QVERIFY(app.window->isVisible());
        QVERIFY(app.window->width() >= 200 && app.window->height() >= 150);
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("home.html"))));
        QVERIFY(app.desktop.messages.isEmpty());
        app.window->GO_Exit();
        QVERIFY(app.window->hasExited());
    }

    void unwritableFilesGiveOneMessageAndTheProgramStillEnds()
    {
        AppFixture app;
        useLocalSites(app.dir, base());
        app.start(base() + QStringLiteral("/home.html"));
        // Folders standing where the files should be written cannot be replaced by files.
        for (const char* name :
             {"Data/orvelquorvink.Opt", "Data/orvelquorvink.Ini", "Data/orvelquorvink.Hys"}) {
            QFile::remove(app.dir.file(QLatin1String(name)));
            QVERIFY(QDir(app.dir.root()).mkpath(QLatin1String(name)));
        }
        app.window->close();
        QVERIFY(app.window->hasExited());
        QVERIFY(!app.window->isVisible());
        QCOMPARE(app.desktop.messages.size(), 1);
        const QString text = app.desktop.messages.first().text;
        QVERIFY2(text.contains(QLatin1String("orvelquorvink.Opt")) &&
                     text.contains(QLatin1String("orvelquorvink.Ini")) &&
                     text.contains(QLatin1String("orvelquorvink.Hys")),
                 qPrintable(text));
        QCOMPARE(app.desktop.messages.first().title, QStringLiteral("orvelquorvink"));
    }

    void deferredStepRunsOnceAfterStart()
    {
        AppFixture app;
        useLocalSites(app.dir, base());
        app.start(base() + QStringLiteral("/home.html"));
        QVERIFY(app.window->Timer4().isActive());
        QCOMPARE(app.window->Timer4().interval(), 750);
        QVERIFY(app.module->Template_Doc.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!app.window->Timer4().isActive(), 3000);
        QCOMPARE(app.module->Template_Doc, app.dir.root() + QStringLiteral("/Data/Template.Doc"));
        app.close();
    }

    void languageFileSetsTabsAndViews()
    {
        AppFixture app;
        useLocalSites(app.dir, base(), 5);
        app.start(base() + QStringLiteral("/home.html"));
        QCOMPARE(app.window->tabs().count(), 5);
        QCOMPARE(app.window->tabs().Web().size(), size_t(5));
        QCOMPARE(app.window->tabs().Tab_URL().size(), 5);
        for (int i = 1; i < 5; ++i) {
            QVERIFY(!app.view(i)->isVisible());
            QCOMPARE(app.view(i)->widget()->geometry(), app.view(0)->widget()->geometry());
        }
        app.close();
    }

    void framesGetTheirWorldsOnlyWhileHarvesting()
    {
        AppFixture app;
        useLocalSites(app.dir, base());
        app.start(base() + QStringLiteral("/home.html"));
        QWebEngineScriptCollection* scripts = app.window->profile()->scripts();
        QCOMPARE(scripts->count(), 0);
        app.window->harvester().toggle();
        QCOMPARE(scripts->count(), 1);
        app.window->harvester().toggle();
        QCOMPARE(scripts->count(), 0);
        app.close();
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
        AppFixture app;
        useLocalSites(app.dir, base(), asked);
        app.start(base() + QStringLiteral("/home.html"));
        QCOMPARE(app.window->tabs().count(), tabs);
        QVERIFY(int(app.window->tabs().Web().size()) >= tabs);
        QCOMPARE(app.module->lang.Start_Page, base() + QStringLiteral("/start.html"));
        QVERIFY(!app.module->Lang_Text[1].isEmpty());
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("home.html"))));
        app.close();
    }

    void missingLanguageFileFallsBackToEnglish()
    {
        AppFixture app;
        useLocalSites(app.dir, base(), 4);
        app.dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                      " 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + (base() + "/home.html").toUtf8() +
                          "\r\nKlingon\r\n");
        app.startWindow();
        QCOMPARE(app.desktop.messages.size(), 1);
        QVERIFY(app.desktop.messages.first().text.contains(QLatin1String("Quorvink_Klingon.txt")));
        QCOMPARE(app.module->Lang_Text[1], QStringLiteral("Exit"));
        QCOMPARE(app.window->tabs().count(), 4);
        app.close();
        // The options file keeps the user's choice.
        QCOMPARE(linesOf(app.dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).value(5),
                 QStringLiteral("Klingon"));
    }

    void noLanguageFilesAtAllStartsWithThreeTabs()
    {
        AppFixture app(false);
        app.start(base() + QStringLiteral("/home.html"));
        QCOMPARE(app.window->tabs().count(), 3);
        QVERIFY(app.module->Lang_Text[1].isEmpty());
        QCOMPARE(app.desktop.messages.size(), 1);
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("home.html"))));
        app.close();
        QCOMPARE(linesOf(app.dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).size(), 6);
    }
};

QUORVINK_TEST_MAIN(TestStartup)
#include "test_startup.moc"
