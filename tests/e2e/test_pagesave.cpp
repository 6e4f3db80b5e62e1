// The page saved by the engine ("SAVE:HTML") and its markup written to "\Doc.Txt" ("EDIT:VIEW"),
// chosen through the real menus of the main window, and the downloads of the pages and the PDFs
// they show, against pages and files served from 127.0.0.1.
#include "appfixture.h"
#include "browse/pagemenu.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "app/bottomstrip.h"
#include "browse/downloads.h"
#include "browse/downloadswindow.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "config/extsettings.h"
#include "config/languagefile.h"

#include <QDir>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWebEngineProfile>

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

    // The bytes of the files served for download: more than the engine takes in one read.
    QByteArray fileBody = [] {
        QByteArray bytes(3 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator random(27);
        random.fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
        return bytes;
    }();

    Downloads& transfers() { return root().downloads(); }
    QStringList savedFiles() const
    {
        return QDir(saved.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    // Asks for a download of the file, answered with this name in the saved folder (empty: the
    // dialog is cancelled); true when the dialog was asked for.
    bool download(const char* file, const QString& answer)
    {
        app.desktop.saveAnswers << (answer.isEmpty() ? answer : saved.filePath(answer));
        const qsizetype asked = app.desktop.saveAsked.size();
        app.view(0)->Navigate(url(file).toString());
        return QTest::qWaitFor([&] { return app.desktop.saveAsked.size() > asked; }, 20000);
    }
    const QToolButton* downloadsButton() { return w().picStat()->cmdDownloads(); }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("long.html"),
                       htmlPage(QString(130, QChar(0x6587)), QStringLiteral("<p>long title</p>")));
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
        const QByteArray attachment =
            "Content-Disposition: attachment; filename=\"../secret/.Report\xe2\x80\xae.zip\"\r\n";
        server.setFile(QStringLiteral("file.zip"), fileBody, "application/zip", attachment);
        server.setFile(QStringLiteral("unknown.bin"), fileBody, "application/x-quorvink-unknown",
                       QByteArray());
        server.setFile(QStringLiteral("dropped.zip"), fileBody, "application/zip", attachment,
                       HttpServer::Delivery::DropsHalfway);
        server.setFile(QStringLiteral("stalled.zip"), fileBody, "application/zip", attachment,
                       HttpServer::Delivery::StallsHalfway);
        // One page, its text drawn with a font of the viewer's own.
        server.setFile(QStringLiteral("doc.pdf"),
                       "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                       "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n"
                       "3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 200]>>endobj\n"
                       "trailer<</Root 1 0 R>>\n%%EOF\n",
                       "application/pdf", QByteArray());
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

    void cleanup()
    {
        // Nothing of a test's transfers outlives it.
        transfers().cancelAll();
        if (QWidget* list = w().findChild<DownloadsWindow*>())
            list->close();
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

    // A long title outside ASCII is cut to a name the file system takes, and the page is saved
    // under it.
    void longTitleOutsideAscii()
    {
        QVERIFY(open("long.html"));
        app.desktop.whileAsking = [this] {
            app.desktop.saveAnswers = {saved.filePath(app.desktop.saveAsked.last().proposed)};
        };
        QCOMPARE(activate(w(), QStringLiteral("SAVE:HTML")), Reached::Activated);
        const QString proposed = app.desktop.saveAsked.last().proposed;
        QCOMPARE(proposed, QString(66, QChar(0x6587)) + QStringLiteral(".mht"));
        QVERIFY(QFileInfo(saved.filePath(proposed)).size() > 0);
    }

    // The window is dimmed while the dialog is open. The engine writes the format chosen, and
    // what it wrote opens again with the page's text; a cancelled dialog shows no message.
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
        // A cancelled dialog wrote nothing and claims nothing.
        QCOMPARE(app.desktop.messages.size(), answer.isEmpty() ? 0 : 1);
        if (answer.isEmpty()) {
            QCOMPARE(QDir(saved.path()).entryList(QDir::Files), QStringList());
            return;
        }
        const QString message = app.desktop.messages[0].text;
        const QString savedAs = app.module->Lang_Text[CaptionNo::PageSavedAs];
        if (written.isEmpty()) {
            QCOMPARE(QDir(saved.path()).entryList(QDir::Files), QStringList());
            QVERIFY(message.contains(QDir::toNativeSeparators(saved.filePath(answer))));
            QVERIFY(!message.startsWith(savedAs));
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

    // A download asks in the save dialog for the server's name made safe, and before replacing
    // a file. The data lands under the name chosen with every byte and nothing else; a transfer
    // the server drops halfway or the user cancels leaves nothing, and a failure says why. Right
    // after a refused dialog, a page's next download is refused without one.
    void downloads_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("answer"); // empty: the dialog is cancelled
        QTest::addColumn<int>("outcome");    // a Downloads::State; -1: nothing started
        using S = Downloads::State;
        QTest::addRow("attachment") << "file.zip"
                                    << "chosen.zip" << int(S::Done);
        QTest::addRow("a type the view cannot show") << "unknown.bin"
                                                     << "u.bin" << int(S::Done);
        QTest::addRow("dropped halfway") << "dropped.zip"
                                         << "dropped.zip" << int(S::Failed);
        QTest::addRow("cancelled in the window") << "stalled.zip"
                                                 << "s.zip" << int(S::Cancelled);
        QTest::addRow("dialog refused") << "file.zip"
                                        << "" << -1;
    }
    void downloads()
    {
        QFETCH(QString, file);
        QFETCH(QString, answer);
        QFETCH(int, outcome);
        const qsizetype before = transfers().transfers().size();
        QVERIFY(download(file.toLatin1().constData(), answer));
        const RecordingDesktop::SaveAsked asked = app.desktop.saveAsked.value(0);
        QCOMPARE(QFileInfo(asked.proposed).fileName(),
                 file.endsWith(u".zip") ? QStringLiteral("Report.zip") : file);
        QVERIFY(asked.options.confirmReplace && !asked.options.rememberFolder);
        if (outcome < 0) {
            QSignalSpy requested(root().profile(), &QWebEngineProfile::downloadRequested);
            app.view(0)->page()->download(url("file.zip"));
            QVERIFY(requested.wait(20000));
            QCOMPARE(app.desktop.saveAsked.size(), 1);
            QCOMPARE(transfers().transfers().size(), before);
            // The refusal holds for a while only: the next test's download asks again.
            QTRY_VERIFY_WITH_TIMEOUT(!transfers().refusing(), 2 * Downloads::kRefusedQuietMs);
            return;
        }
        QCOMPARE(transfers().transfers().size(), before + 1);
        const Downloads::Transfer& t = transfers().transfers().at(before);
        QCOMPARE(ExtSettings(app.dir.file(QStringLiteral("Data/orvelquorvink.Ext")))
                     .value(ExtKeys::DownloadFolder),
                 saved.path());
        if (outcome == int(Downloads::State::Cancelled)) {
            QTRY_VERIFY_WITH_TIMEOUT(t.received > 0, 20000);
            QVERIFY(downloadsButton()->text().startsWith(QStringLiteral("Downloads: 1, ")));
            QTest::mouseClick(root().showDownloads()->rows().value(before).cancel, Qt::LeftButton);
            QCOMPARE(savedFiles(), QStringList());
        }
        QTRY_VERIFY_WITH_TIMEOUT(t.state != Downloads::State::Running, 20000);
        QCOMPARE(int(t.state), outcome);
        // The engine's own end of the transfer comes later: nothing may follow it.
        QTRY_VERIFY_WITH_TIMEOUT(t.request && t.request->isFinished(), 20000);
        const bool done = outcome == int(Downloads::State::Done);
        QCOMPARE(savedFiles(), done ? QStringList{answer} : QStringList());
        QCOMPARE(app.desktop.messages.size(), outcome == int(Downloads::State::Failed) ? 1 : 0);
        if (!done)
            return;
        QFile written(saved.filePath(answer));
        QVERIFY(written.open(QIODevice::ReadOnly) && written.readAll() == fileBody);
        // Until the downloads window has shown it, the button stays to reach Open.
        QVERIFY(downloadsButton()->isVisible());
        QVERIFY(root().showDownloads()->rows().value(before).open->isVisible());
        QVERIFY(downloadsButton()->isHidden());
    }

    // While its dialog is open, a further download a page starts is refused (the engine hands
    // it over once the dialog has closed).
    void oneDownloadDialogAtATime()
    {
        QSignalSpy requested(root().profile(), &QWebEngineProfile::downloadRequested);
        app.desktop.whileAsking = [this] { app.view(0)->page()->download(url("unknown.bin")); };
        QVERIFY(download("file.zip", QStringLiteral("first.zip")));
        QTRY_COMPARE_WITH_TIMEOUT(requested.size(), 2, 20000);
        QCOMPARE(app.desktop.saveAsked.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(transfers().transfers().last().state == Downloads::State::Done,
                                 20000);
        QCOMPARE(savedFiles(), QStringList{QStringLiteral("first.zip")});
    }

    // Exit while a transfer runs asks; No keeps the program and the transfer, from the exit
    // command and from the window's frame alike.
    void exitAsksWhileTransfersRun()
    {
        QVERIFY(download("stalled.zip", QStringLiteral("kept.zip")));
        app.desktop.yesNoAnswers << false << false;
        root().GO_Exit();
        w().close();
        QCOMPARE(app.desktop.questions.size(), 2);
        QCOMPARE(app.desktop.questions[0],
                 app.module->Lang_Text[CaptionNo::ExitWhileDownloading].arg(1));
        QVERIFY(!root().hasExited());
        QVERIFY(w().isVisible());
        QCOMPARE(transfers().running(), 1);
    }

    // A PDF shows in the view, in the engine's viewer: no download.
    void pdfShownInTheView()
    {
        QVERIFY(open("doc.pdf"));
        QVERIFY(app.desktop.saveAsked.isEmpty());
    }
};

QUORVINK_TEST_MAIN(TestPageSave)
#include "test_pagesave.moc"
