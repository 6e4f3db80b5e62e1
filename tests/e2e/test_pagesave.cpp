// The page saved by the engine ("SAVE:HTML") and its markup written to "\Doc.Txt" ("EDIT:VIEW"),
// chosen through the real menus of the main window, against pages served from 127.0.0.1.
#include "appfixture.h"
#include "browse/pagemenu.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QDir>
#include <QTemporaryDir>

using CommandDriver::activate;
using CommandDriver::Reached;

class TestPageSave : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;
    QTemporaryDir saved;

    QUrl url(const char* path) const { return server.url(QLatin1String(path)); }
    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }

    bool open(const char* path)
    {
        app.view(0)->Navigate(url(path).toString());
        return AppFixture::waitFor(app.view(0), url(path));
    }

    // The files of the program directory named "doc.txt" in any letter case.
    QStringList sourceFiles() const
    {
        return QDir(app.dir.root()).entryList({QStringLiteral("doc.txt")}, QDir::AllEntries);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("first.html"),
                       htmlPage(QStringLiteral("First"), QStringLiteral("<p>first page</p>")));
        server.setPage(QStringLiteral("second.html"),
                       htmlPage(QStringLiteral("Second"),
                                QStringLiteral("<p>second page:\ncaf\u00e9 \u2013 \u00fc</p>\n")));
        server.setPage(QStringLiteral("frames.html"),
                       "<html><head><title>Frames</title></head><frameset cols='50%,50%'>"
                       "<frame src='left.html'><frame src='right.html'></frameset></html>");
        server.setPage(QStringLiteral("left.html"),
                       htmlPage(QStringLiteral("Left"), QStringLiteral("left frame text")));
        server.setPage(QStringLiteral("right.html"),
                       htmlPage(QStringLiteral("Right"), QStringLiteral("right frame text")));
        QVERIFY(saved.isValid());
        QVERIFY(startShared(app, QStringLiteral("http://") + server.hostPort(), url("home.html"),
                            kTestTimings));
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(url("home.html")));
        app.desktop.whileAsking = nullptr;
        app.desktop.saveFilterAnswer.clear();
        for (const QString& name : sourceFiles())
            QVERIFY(QFile::remove(app.dir.file(name)));
        QVERIFY(QDir(saved.path()).removeRecursively() && QDir().mkpath(saved.path()));
    }

    void cleanupTestCase() { app.close(); }

    // The second markup replaces the first whole, and an older file of the same name in another
    // letter case goes with it.
    void sourceHoldsOnlyTheLastPage()
    {
        QVERIFY(open("first.html"));
        QCOMPARE(activate(w(), QStringLiteral("EDIT:VIEW")), Reached::Activated);
        QTRY_COMPARE(app.desktop.textShown.size(), 1);
        const QString path = app.dir.file(QStringLiteral("Doc.Txt"));
        QCOMPARE(app.desktop.textShown[0], path);
        QVERIFY(app.dir.read(QStringLiteral("Doc.Txt")).contains("first page"));
        QVERIFY(app.dir.write(QStringLiteral("DOC.TXT"), "left from an earlier run"));

        QVERIFY(open("second.html"));
        const QString markup =
            evaluate(app.view(0), QStringLiteral("document.documentElement.outerHTML")).toString();
        QVERIFY(markup.contains(QStringLiteral("caf\u00e9")));
        QCOMPARE(activate(w(), QStringLiteral("EDIT:VIEW")), Reached::Activated);
        QTRY_COMPARE(app.desktop.textShown.size(), 2);
        QCOMPARE(app.desktop.textShown[1], path);
        QCOMPARE(sourceFiles(), QStringList{QStringLiteral("Doc.Txt")});
        // The markup as the page has it: its own line ends, none added.
        const QByteArray text = app.dir.read(QStringLiteral("Doc.Txt"));
        QCOMPARE(text, markup.toUtf8());
        QVERIFY(text.contains("page:\ncaf"));
        QVERIFY(!text.contains('\r'));
        QVERIFY(text.endsWith("</html>"));
        QVERIFY(app.desktop.messages.isEmpty());
    }

    // The page's right-click menu runs the program's own page source.
    void pageMenuShowsTheProgramsSource()
    {
        QVERIFY(open("first.html"));
        emit app.browser->pageMenu().sourceRequested();
        QTRY_COMPARE(app.desktop.textShown.size(), 1);
        QCOMPARE(app.desktop.textShown[0], app.dir.file(QStringLiteral("Doc.Txt")));
        QVERIFY(app.dir.read(QStringLiteral("Doc.Txt")).contains("first page"));
    }

    void sourceOfAFramedPageIsTheFrameset()
    {
        QVERIFY(open("frames.html"));
        QCOMPARE(activate(w(), QStringLiteral("EDIT:VIEW")), Reached::Activated);
        QTRY_COMPARE(app.desktop.textShown.size(), 1);
        const QByteArray text = app.dir.read(QStringLiteral("Doc.Txt"));
        QVERIFY(text.startsWith("<html>"));
        QVERIFY(text.contains("<frameset"));
        QVERIFY(!text.contains("frame text"));
    }

    void sourceThatCannotBeWrittenIsReported()
    {
        QVERIFY(QDir(app.dir.root()).mkdir(QStringLiteral("Doc.Txt")));
        QCOMPARE(activate(w(), QStringLiteral("EDIT:VIEW")), Reached::Activated);
        QTRY_COMPARE(app.desktop.messages.size(), 1);
        QVERIFY(QDir(app.dir.root()).rmdir(QStringLiteral("Doc.Txt")));
        QVERIFY(app.desktop.messages[0].text.contains(
            QDir::toNativeSeparators(app.dir.file(QStringLiteral("Doc.Txt")))));
        QCOMPARE(app.desktop.messages[0].title, QStringLiteral("orvelquorvink"));
        QVERIFY(app.desktop.textShown.isEmpty());
    }

    // The window is dimmed while the dialog is open. The engine writes the format chosen, and
    // what it wrote opens again with the page's text; a cancelled dialog names the page title.
    void saveAsH_data()
    {
        QTest::addColumn<QString>("answer"); // empty: cancelled
        QTest::addColumn<int>("filter");     // the filter chosen, by its place; -1: none
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("archive");
        QTest::addRow("web archive by its name") << "page.mht" << -1 << "page.mht" << true;
        QTest::addRow("web archive by its filter") << "archive" << 0 << "archive.mht" << true;
        QTest::addRow("markup only") << "markup.html" << 2 << "markup.html" << false;
        QTest::addRow("cancelled") << "" << -1 << "" << false;
        QTest::addRow("missing folder") << "missing/page.mht" << -1 << "" << false;
    }
    void saveAsH()
    {
        QFETCH(QString, answer);
        QFETCH(int, filter);
        QFETCH(QString, written);
        QFETCH(bool, archive);
        QVERIFY(open("first.html"));
        app.desktop.saveAnswers << (answer.isEmpty() ? answer : saved.filePath(answer));
        double dimmed = 0;
        app.desktop.whileAsking = [this, &dimmed, filter] {
            dimmed = w().windowOpacity();
            const QStringList offered =
                app.desktop.saveAsked.last().filters.split(QStringLiteral(";;"));
            app.desktop.saveFilterAnswer = offered.value(filter);
        };
        QCOMPARE(activate(w(), QStringLiteral("SAVE:HTML")), Reached::Activated);

        QCOMPARE(app.desktop.saveAsked.size(), 1);
        QCOMPARE(app.desktop.saveAsked[0].proposed, QStringLiteral("First.mht"));
        QCOMPARE(qRound(dimmed * 255), 205);
        QCOMPARE(w().windowOpacity(), 1.0);
        QCOMPARE(app.desktop.messages.size(), 1);
        const QString message = app.desktop.messages[0].text;
        const QString savedAs = app.module->Lang_Text[CaptionNo::PageSavedAs];
        if (answer.isEmpty())
            QCOMPARE(message, savedAs + QStringLiteral("First.mht"));
        if (written.isEmpty()) {
            QCOMPARE(QDir(saved.path()).entryList(QDir::Files), QStringList());
            if (!answer.isEmpty()) {
                QVERIFY(message.contains(QDir::toNativeSeparators(saved.filePath(answer))));
                QVERIFY(!message.startsWith(savedAs));
            }
            return;
        }
        const QString path = saved.filePath(written);
        QCOMPARE(message, savedAs + QDir::toNativeSeparators(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().contains("MIME-Version"), archive);
        BrowserView* view = app.view(0);
        view->Navigate(QUrl::fromLocalFile(path).toString());
        QVERIFY(AppFixture::waitFor(view, QUrl::fromLocalFile(path)));
        QCOMPARE(evaluate(view, QStringLiteral("document.body.innerText")).toString(),
                 QStringLiteral("first page"));
    }
};

QUORVINK_TEST_MAIN(TestPageSave)
#include "test_pagesave.moc"
