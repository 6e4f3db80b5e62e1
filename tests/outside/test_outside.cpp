// The built program as a user meets it: started as a process of its own, driven by real clicks
// and key presses on the X server, judged by what it leaves on disk and on screen. Where the
// pointer goes is learnt from a twin of the main window in this process, placed the same way.
#include "testguard.h"

#include "../e2e/commanddriver.h"
#include "appfixture.h"
#include "httpserver.h"
#include "outsidedriver.h"
#include "testmain.h"
#include "windows/frmtab.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QSettings>

using Outside::Program;

namespace {

// The main window at 100, 100 with an inner size of 1200 x 800 pixels (twips, Read_Ini's form).
const QByteArray kSettings =
    " 1500 \r\n 1500 \r\n 12000 \r\n 18000 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n"
    " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n";

// The bytes of the files served for download.
QByteArray downloadBody()
{
    QByteArray bytes;
    for (int i = 0; i < 256 * 1024; ++i)
        bytes.append(char((i * 7919) >> 3));
    return bytes;
}

QDateTime modified(const TempProgramDir& dir, const QString& file)
{
    return QFileInfo(dir.file(file)).lastModified();
}

} // namespace

class TestOutside : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture twin;
    Outside::Spots spots;    // on the main window
    Outside::Spots tabSpots; // on the link-table window

    QString at(const char* page) const { return server.url(QLatin1String(page)).toString(); }

    // Started, with the deferred start step run (it empties the harvest list: creates it here),
    // and, when named, the request its home page makes once loaded has come.
    bool startProgram(Program& p, const char* home, const char* loadedSays = nullptr)
    {
        const QString said = QLatin1String(loadedSays);
        const int before = server.requestCount(said);
        return p.start(at(home), kSettings) &&
               Outside::waitUntil([&p] { return QFile::exists(p.dir.file("MailsList.txt")); }) &&
               (!loadedSays ||
                QTest::qWaitFor([&] { return server.requestCount(said) > before; }, 20000));
    }

    // A click on a toolbar button, then, for a menu entry, on the entry once the menu is shown
    // (a window of its own): a program slowed by other work shows it late.
    bool choose(const Program& p, const QString& key)
    {
        const QString menu = key.section(QLatin1Char(':'), 0, 0);
        if (menu != key) {
            const qsizetype before = p.windows().size();
            if (!Program::click(p.mainWindow, spots.value(menu)) ||
                !Outside::waitUntil([&] { return p.windows().size() > before; }, 10000))
                return false;
        }
        return Program::click(p.mainWindow, spots.value(key));
    }

    // Types the server's page in the address box and waits for the request it then makes.
    bool typeAddress(const Program& p, const char* page, const char* says)
    {
        const QString said = QLatin1String(says);
        const int before = server.requestCount(said);
        return Program::click(p.mainWindow, spots.value(QStringLiteral("address"))) &&
               Program::keys(p.mainWindow, {QStringLiteral("ctrl+a")}) &&
               Program::type(p.mainWindow, at(page)) &&
               Program::keys(p.mainWindow, {QStringLiteral("Return")}) &&
               QTest::qWaitFor([&] { return server.requestCount(said) > before; }, 20000);
    }

    // The centres of the buttons and menu entries the tests use, as the twin shows them.
    void learnSpots()
    {
        frmStart& w = *twin.window;
        for (const char* key : {"EXIT0", "BACK", "FAVORITE", "QUORVINK", "EDIT", "SAVE"}) {
            QToolButton* button = w.cmdBar(0)->button(QLatin1String(key));
            QVERIFY2(button, key);
            spots[QLatin1String(key)] = button->mapTo(&w, button->rect().center());
        }
        spots[QStringLiteral("address")] = w.Text1()->mapTo(&w, w.Text1()->rect().center());
        for (const char* menu : {"QUORVINK", "EDIT", "SAVE"}) {
            CommandDriver::chooseInMenu(w, QLatin1String(menu), QString(), nullptr, [&] {
                auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                for (QAction* action : open->actions()) {
                    if (!action->isSeparator())
                        spots[action->objectName()] = w.mapFromGlobal(
                            open->mapToGlobal(open->actionGeometry(action).center()));
                }
            });
        }
        QTRY_VERIFY(twin.pool->entry(QStringLiteral("FAVORITE"))->enabled());
        CommandDriver::whenModalOpens([this](QWidget* modal) {
            auto* tab = qobject_cast<frmTab*>(modal);
            if (!tab)
                return;
            for (const char* key : {"ADDURL", "EXIT5"}) {
                QToolButton* button = tab->cmdBar(0)->button(QLatin1String(key));
                tabSpots[QLatin1String(key)] = button->mapTo(tab, button->rect().center());
            }
            tab->close();
        });
        QCOMPARE(CommandDriver::activate(w, QStringLiteral("FAVORITE")),
                 CommandDriver::Reached::Activated);
        QCOMPARE(tabSpots.size(), 2);
        for (const char* key :
             {"QUORVINK:START", "QUORVINK:VIEW", "EDIT:VIEW", "EDIT:EXIT", "SAVE:HTML"})
            QVERIFY2(spots.contains(QLatin1String(key)), key);
    }

private slots:
    void initTestCase()
    {
        if (!Outside::available())
            QSKIP("needs an X screen and xdotool (scripts/on-screen.sh)");
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        // Every showing of pages A and B, also from the back-forward cache, asks for /shown-a
        // or /shown-b.
        for (const char* page : {"a", "b"}) {
            const QString name = QString::fromLatin1(page);
            server.setPage(name + QStringLiteral(".html"),
                           htmlPage(name.toUpper(),
                                    QStringLiteral("<script>addEventListener('pageshow', () => "
                                                   "fetch('/shown-%1'));</script>%1")
                                        .arg(name)));
            server.setPage(QStringLiteral("shown-") + name, "ok", "text/plain");
        }
        server.setPage(QStringLiteral("framed-loaded"), "ok", "text/plain");
        server.setPage(QStringLiteral("framed.html"),
                       "<html><head><title>Framed</title><script>addEventListener('load', () "
                       "=> fetch('/framed-loaded'));</script></head><frameset cols='50%,50%'>"
                       "<frame src='left.html'><frame src='right.html'></frameset></html>");
        server.setPage(QStringLiteral("left.html"),
                       htmlPage(QStringLiteral("Left"),
                                QStringLiteral("<a href='mailto:One@Example.org'>one</a>")));
        server.setPage(QStringLiteral("right.html"),
                       htmlPage(QStringLiteral("Right"),
                                QStringLiteral("<a href='mailto:two@example.org?subject=Hi'>two"
                                               "</a><a href='http://x.example/'>no</a>")));
        server.setPage(QStringLiteral("source.html"),
                       htmlPage(QStringLiteral("Source"),
                                QStringLiteral("marker-7f3a<script>addEventListener('load', () "
                                               "=> fetch('/source-loaded'));</script>")));
        server.setPage(QStringLiteral("source-loaded"), "ok", "text/plain");
        const QByteArray attachment = "Content-Disposition: attachment; filename=\"data.bin\"\r\n";
        server.setFile(QStringLiteral("data.bin"), downloadBody(), "application/octet-stream",
                       attachment);
        server.setFile(QStringLiteral("stalled.bin"), downloadBody(), "application/octet-stream",
                       attachment, HttpServer::Delivery::StallsHalfway);
        // A site behind a login that says when it has loaded.
        server.setLoginPage(QStringLiteral("staff/page.html"),
                            htmlPage(QStringLiteral("Staff"),
                                     QStringLiteral("<script>addEventListener('load', () => "
                                                    "fetch('/staff-open'));</script>")),
                            "Staff area", "anna:s3cret");
        server.setPage(QStringLiteral("staff-open"), "ok", "text/plain");

        QVERIFY(twin.dir.write(QStringLiteral("Data/orvelquorvink.Ini"), kSettings));
        twin.start(at("home.html"));
        QVERIFY(AppFixture::waitFor(twin.view(0), server.url(QStringLiteral("home.html"))));
        learnSpots();
        twin.close();
    }

    void init() { TestGuard::failOnWarnings(); }

    // Every way of ending ends the process, with the settings and the history written: the
    // toolbar's Exit, the menu's, and the window manager's close (Alt+F4 in openbox).
    void exitEndsTheProcess_data()
    {
        QTest::addColumn<QString>("how"); // a key of the command bars, or keys to press
        QTest::newRow("toolbar") << "EXIT0";
        QTest::newRow("menu") << "EDIT:EXIT";
        QTest::newRow("window manager") << "alt+F4";
    }
    void exitEndsTheProcess()
    {
        QFETCH(QString, how);
        Program p;
        QVERIFY(startProgram(p, "home.html"));
        const QDateTime before = modified(p.dir, QStringLiteral("Data/orvelquorvink.Ini"));
        QVERIFY(!QFile::exists(p.dir.file(QStringLiteral("Data/orvelquorvink.Hys"))));

        if (how.contains(QLatin1Char('+'))) {
            // The window manager takes the key only once it has the window in hand: pressed
            // again while the window is still shown.
            for (int tries = 0; tries < 3 && p.windows().contains(p.mainWindow); ++tries) {
                QVERIFY(Program::keys(p.mainWindow, {how}));
                Outside::waitUntil([&p] { return !p.windows().contains(p.mainWindow); }, 5000);
            }
        } else {
            QVERIFY(choose(p, how));
        }
        QVERIFY2(p.ended(), "the process stayed after the exit");
        QCOMPARE(p.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.process.exitCode(), 0);
        QVERIFY(modified(p.dir, QStringLiteral("Data/orvelquorvink.Ini")) > before);
        QVERIFY(QFile::exists(p.dir.file(QStringLiteral("Data/orvelquorvink.Hys"))));
    }

    // A logout's SIGTERM (and Ctrl+C's SIGINT, a closed terminal's SIGHUP) runs the exit
    // sequence: the address typed in this run is in the history, and no helper process stays.
    void signalRunsTheExitSequence_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("linkTablesOpen");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
        // The modal window closes first and keeps its place, as when the user closes it.
        QTest::newRow("SIGINT, link tables open") << int(SIGINT) << true;
    }
    void signalRunsTheExitSequence()
    {
        QFETCH(int, number);
        QFETCH(bool, linkTablesOpen);
        Program p;
        QVERIFY(startProgram(p, "home.html"));
        const QDateTime before = modified(p.dir, QStringLiteral("Data/orvelquorvink.Ini"));
        QVERIFY(typeAddress(p, "a.html", "a.html"));
        const QList<qint64> helpers = Outside::descendants(p.process.processId());
        QVERIFY(!helpers.isEmpty());
        if (linkTablesOpen) {
            QVERIFY(choose(p, QStringLiteral("FAVORITE")));
            QVERIFY(!p.waitWindow(QStringLiteral("Link tables")).isEmpty());
        }

        QVERIFY(p.signal(number));
        QVERIFY2(p.ended(), "the process stayed after the signal");
        QCOMPARE(p.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.process.exitCode(), 0);
        QVERIFY(
            linesOf(p.dir.read(QStringLiteral("Data/orvelquorvink.Hys"))).contains(at("a.html")));
        QVERIFY(modified(p.dir, QStringLiteral("Data/orvelquorvink.Ini")) > before);
        // Lines 5 to 8: the link-table window's place, all 0 until it has been shown.
        const QStringList ini = linesOf(p.dir.read(QStringLiteral("Data/orvelquorvink.Ini")));
        QCOMPARE(ini.size(), 13);
        QCOMPARE(ini.mid(4, 4) != QStringList(4, QStringLiteral(" 0 ")), linkTablesOpen);
        QVERIFY2(Outside::waitUntil([&helpers] {
                     return std::none_of(helpers.begin(), helpers.end(), Outside::alive);
                 }),
                 "a child process outlived the program");
    }

    // A signal while the load shows its message (the options name a missing language file)
    // closes the message as if answered; the load ends and the program exits without a click,
    // writing back the history and the window's size it read.
    void signalDuringTheLoadKeepsTheFiles_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalDuringTheLoadKeepsTheFiles()
    {
        QFETCH(int, number);
        Program p;
        QVERIFY(p.dir.write(QStringLiteral("Data/orvelquorvink.Hys"), at("a.html").toUtf8()));
        QVERIFY(p.start(at("home.html"), kSettings, QStringLiteral("Missing")));
        QString title; // the message, shown before the main window
        QVERIFY(Outside::xdotool({QStringLiteral("getwindowname"), p.mainWindow}, &title));
        QCOMPARE(title, QStringLiteral("orvelquorvink"));
        QVERIFY(p.signal(number));
        QVERIFY2(p.ended(), "the process waited for a click");
        QCOMPARE(p.process.exitCode(), 0);
        QVERIFY(
            linesOf(p.dir.read(QStringLiteral("Data/orvelquorvink.Hys"))).contains(at("a.html")));
        QCOMPARE(linesOf(p.dir.read(QStringLiteral("Data/orvelquorvink.Ini"))).mid(2, 2),
                 linesOf(kSettings).mid(2, 2));
    }

    // After a signal nothing waits for a click: a file that cannot be written (a folder stands
    // in its place) is named on standard error, and the program ends with a failure code.
    void signalWithAFileThatCannotBeWritten()
    {
        Program p;
        QVERIFY(QDir(p.dir.root()).mkpath(QStringLiteral("Data/orvelquorvink.Hys")));
        QVERIFY(startProgram(p, "home.html"));
        QVERIFY(p.signal(SIGTERM));
        QVERIFY2(p.ended(), "the process waited for a click");
        QCOMPARE(p.process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.process.exitCode(), 1);
        const QByteArray said = p.dir.read(QStringLiteral("output.txt"));
        QVERIFY(said.contains("orvelquorvink.Hys") && said.contains("could not"));
    }

    // One program per program directory: a second start brings the running window to the front
    // and ends with 0, also when the running program does not answer (it is stopped); a lock
    // left by a killed program is taken over.
    void secondStartShowsTheRunningWindow()
    {
        Program p;
        QVERIFY(startProgram(p, "home.html"));
        const auto startAgain = [&p] {
            QProcess second;
            second.setProcessEnvironment(p.environment);
            second.start(p.binary(), {});
            const bool ended = second.waitForFinished(15000);
            second.kill();
            return ended && second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0;
        };
        QVERIFY(Outside::xdotool({QStringLiteral("windowminimize"), p.mainWindow}));
        QVERIFY(Outside::waitUntil([&p] { return !p.windows().contains(p.mainWindow); }, 5000));
        QVERIFY2(startAgain(), "the second start did not end");
        QVERIFY(Outside::waitUntil([&p] {
            QString active;
            return Outside::xdotool({QStringLiteral("getactivewindow")}, &active) &&
                   active == p.mainWindow;
        }));
        QCOMPARE(p.windows(), QStringList{p.mainWindow});

        QVERIFY(p.signal(SIGSTOP));
        const bool ended = startAgain();
        QVERIFY(p.signal(SIGCONT));
        QVERIFY2(ended, "the second start waited for a program that does not answer");

        p.process.kill();
        QVERIFY(p.process.waitForFinished());
        QVERIFY(startProgram(p, "home.html"));
    }

    // Harvesting a framed page puts the addresses of both frames in the harvest list.
    void harvestOfAFramedPage()
    {
        Program p;
        QVERIFY(startProgram(p, "framed.html", "framed-loaded"));
        QVERIFY(choose(p, QStringLiteral("QUORVINK:START")));
        QStringList lines;
        QVERIFY(Outside::waitUntil([&] {
            lines = linesOf(p.dir.read(QStringLiteral("MailsList.txt")));
            return lines.size() >= 2;
        }));
        // Each pass appends what it finds; the page holds these two.
        lines.removeDuplicates();
        lines.sort();
        QCOMPARE(lines, (QStringList{QStringLiteral("one@example.org"),
                                     QStringLiteral("two@example.org?subject=hi")}));
    }

    // "View page source" writes Doc.Txt and shows it as plain text: in the desktop's program for
    // text/plain when there is one, in a read-only window of the program's own otherwise.
    void pageSourceIsShownAsText_data()
    {
        QTest::addColumn<bool>("textProgram");
        QTest::newRow("own window") << false;
        QTest::newRow("desktop's text program") << true;
    }
    void pageSourceIsShownAsText()
    {
        QFETCH(bool, textProgram);
        Program p;
        const QString copy = p.dir.file(QStringLiteral("shown.txt"));
        if (textProgram) {
            const QString reader = p.dir.file(QStringLiteral("reader.sh"));
            QVERIFY(p.dir.write(QStringLiteral("reader.sh"),
                                "#!/bin/sh\nexec /bin/cp \"$1\" \"" + copy.toUtf8() + "\"\n"));
            QVERIFY(QFile::setPermissions(reader, QFile::ReadOwner | QFile::ExeOwner));
            QVERIFY(QDir().mkpath(p.dir.file(QStringLiteral("xdg/data/applications"))));
            QVERIFY(p.dir.write(QStringLiteral("xdg/data/applications/reader.desktop"),
                                "[Desktop Entry]\nType=Application\nName=Reader\nExec=\"" +
                                    reader.toUtf8() + "\" %f\n"));
            QVERIFY(p.dir.write(QStringLiteral("xdg/config/mimeapps.list"),
                                "[Default Applications]\ntext/plain=reader.desktop\n"));
        }
        QVERIFY(startProgram(p, "source.html", "source-loaded"));
        QVERIFY(choose(p, QStringLiteral("EDIT:VIEW")));
        QVERIFY(Outside::waitUntil(
            [&p] { return p.dir.read(QStringLiteral("Doc.Txt")).contains("marker-7f3a"); }));
        if (textProgram) {
            // The program given the file copies it whole.
            QVERIFY(Outside::waitUntil([&p] {
                return p.dir.read(QStringLiteral("shown.txt")) ==
                       p.dir.read(QStringLiteral("Doc.Txt"));
            }));
            QVERIFY(p.waitWindow(QStringLiteral("(read only)"), 1000).isEmpty());
        } else {
            QVERIFY(!p.waitWindow(QStringLiteral("Doc.Txt (read only)")).isEmpty());
        }
    }

    // A save dialog closed with Escape is followed by no message. The first save dialog of a run
    // opens in the documents folder; the page saved there is read back, and the folder is kept
    // for the dialogs of later runs.
    void webArchiveSavedInTheDocumentsFolder()
    {
        Program p;
        const QString documents = p.dir.file(QStringLiteral("home/Documents"));
        QVERIFY(QDir().mkpath(documents));
        p.environment.insert(QStringLiteral("HOME"), p.dir.file(QStringLiteral("home")));
        QVERIFY(startProgram(p, "source.html", "source-loaded"));
        QVERIFY(choose(p, QStringLiteral("SAVE:HTML")));
        const QString cancelled = p.waitWindow(QStringLiteral("Save the page"));
        QVERIFY(!cancelled.isEmpty());
        QVERIFY(Program::keys(cancelled, {QStringLiteral("Escape")}));
        QVERIFY(Outside::waitUntil([&] { return p.windows() == QStringList{p.mainWindow}; }));
        QVERIFY(p.waitWindow(QStringLiteral("orvelquorvink"), 2000).isEmpty());
        QCOMPARE(QDir(documents).entryList(QDir::Files), QStringList());

        QVERIFY(choose(p, QStringLiteral("SAVE:HTML")));
        const QString dialog = p.waitWindow(QStringLiteral("Save the page"));
        QVERIFY(!dialog.isEmpty());
        // A name alone: the file goes to the folder the dialog shows.
        QVERIFY(Program::keys(dialog, {QStringLiteral("ctrl+a")}));
        QVERIFY(Program::type(dialog, QStringLiteral("saved-page")));
        QVERIFY(Program::keys(dialog, {QStringLiteral("Return")}));
        const QString saved = documents + QStringLiteral("/saved-page.mht");
        QVERIFY(Outside::waitUntil([&saved] {
            QFile f(saved);
            return f.open(QIODevice::ReadOnly) && f.readAll().contains("marker-7f3a");
        }));
        QVERIFY(Outside::waitUntil([&] {
            return QSettings(p.dir.file(QStringLiteral("Data/orvelquorvink.Ext")),
                             QSettings::IniFormat)
                       .value(QStringLiteral("Dialogs/LastFolder"))
                       .toString() == documents;
        }));
        // Ended as a logout ends it, so that the office the Save menu started ahead ends too.
        QVERIFY(p.signal(SIGTERM));
        QVERIFY(p.ended());
    }

    // "Add the current page" after Back stores the page shown, under its own title.
    void addTheCurrentPageAfterBack()
    {
        Program p;
        QVERIFY(startProgram(p, "home.html"));
        const int shown = server.requestCount(QStringLiteral("shown-a"));
        QVERIFY(typeAddress(p, "a.html", "shown-a"));
        // Back only once B is shown: before, it would leave A for the home page.
        QVERIFY(typeAddress(p, "b.html", "shown-b"));
        QVERIFY(choose(p, QStringLiteral("BACK")));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("shown-a")) == shown + 2,
                                 20000);

        QVERIFY(choose(p, QStringLiteral("FAVORITE")));
        const QString tables = p.waitWindow(QStringLiteral("Link tables"));
        QVERIFY(!tables.isEmpty());
        QVERIFY(Program::click(tables, tabSpots.value(QStringLiteral("ADDURL"))));
        QStringList fields;
        QVERIFY(Outside::waitUntil([&] {
            fields = linesOf(p.dir.read(QStringLiteral("Links/Links.000"))).value(0).split(";-;");
            return fields.size() == 6;
        }));
        QCOMPARE(fields[0], QStringLiteral("A"));
        QCOMPARE(fields[1], at("a.html"));
        QVERIFY(Program::click(tables, tabSpots.value(QStringLiteral("EXIT5"))));
    }

    // An open that nothing on the desktop can do says so in a message window (its text, naming
    // the file and the opener, is checked where the message is made); Enter closes it.
    void failedOpenShowsItsMessage()
    {
        Program p;
        QVERIFY(startProgram(p, "home.html"));
        QVERIFY(choose(p, QStringLiteral("QUORVINK:VIEW")));
        const QString box = p.waitWindow(QStringLiteral("orvelquorvink"));
        QVERIFY(!box.isEmpty());
        QVERIFY(Program::keys(box, {QStringLiteral("Return")}));
        QVERIFY(Outside::waitUntil([&] { return !p.windows().contains(box); }));
        QVERIFY(p.windows().contains(p.mainWindow));
    }

    // A served attachment lands in the download folder under the name typed in the save dialog,
    // with every byte and nothing beside it. A transfer still running when a signal ends the
    // program leaves no file and no ".part".
    void downloadLandsUnderTheNameChosen()
    {
        Program p;
        const QString folder = p.dir.file(QStringLiteral("home/Downloads"));
        QVERIFY(QDir().mkpath(folder));
        p.environment.insert(QStringLiteral("HOME"), p.dir.file(QStringLiteral("home")));
        QVERIFY(startProgram(p, "home.html"));
        const auto saveAs = [&](const char* file, const QString& name) {
            QVERIFY(typeAddress(p, file, file));
            const QString dialog = p.waitWindow(QStringLiteral("Save the download"));
            QVERIFY(!dialog.isEmpty());
            QVERIFY(Program::keys(dialog, {QStringLiteral("ctrl+a")}));
            QVERIFY(Program::type(dialog, name));
            QVERIFY(Program::keys(dialog, {QStringLiteral("Return")}));
        };
        saveAs("data.bin", QStringLiteral("chosen.bin"));
        if (QTest::currentTestFailed())
            return;
        const QString chosen = folder + QStringLiteral("/chosen.bin");
        QVERIFY(Outside::waitUntil([&chosen] {
            QFile f(chosen);
            return f.open(QIODevice::ReadOnly) && f.readAll() == downloadBody();
        }));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("chosen.bin")});

        saveAs("stalled.bin", QStringLiteral("stalled.bin"));
        if (QTest::currentTestFailed())
            return;
        // The data received so far, in the ".part" file or in the engine's own file named after it.
        QVERIFY(Outside::waitUntil([&folder] {
            const QFileInfoList files =
                QDir(folder).entryInfoList({QStringLiteral("stalled.bin.part*")}, QDir::Files);
            return !files.isEmpty() && files.first().size() > 0;
        }));
        QVERIFY(p.signal(SIGTERM));
        QVERIFY(p.ended());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("chosen.bin")});
    }

    // A site behind a login, typed in the address box: the login window opens, and the right
    // answer opens the page with one request more. The password reaches no file of the program
    // directory.
    void loginOpensTheSite()
    {
        Program p;
        QVERIFY(startProgram(p, "home.html"));
        QVERIFY(typeAddress(p, "staff/page.html", "staff/page.html"));
        const QString login = p.waitWindow(QStringLiteral("Log in"));
        QVERIFY(!login.isEmpty());
        QVERIFY(Program::type(login, QStringLiteral("anna")));
        QVERIFY(Program::keys(login, {QStringLiteral("Tab")}));
        QVERIFY(Program::type(login, QStringLiteral("s3cret")));
        QVERIFY(Program::keys(login, {QStringLiteral("Return")}));
        QVERIFY(Outside::waitUntil(
            [this] { return server.requestCount(QStringLiteral("staff-open")) == 1; }));
        QCOMPARE(server.requestCount(QStringLiteral("staff/page.html")), 2);
        QVERIFY(p.signal(SIGTERM));
        QVERIFY(p.ended());
        QDirIterator files(p.dir.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QVERIFY2(!bytes.contains("s3cret") &&
                         !bytes.contains(QByteArray("anna:s3cret").toBase64()),
                     qPrintable(file.fileName()));
        }
    }
};

QUORVINK_TEST_MAIN(TestOutside)
#include "test_outside.moc"
