// Every command of the main window's toolbars and menus, chosen through the real command-bar
// controls, against pages served from 127.0.0.1 and files in a temporary program directory.
// The tests share one window, brought back to its state at start before each; the exit and the
// deferred start step are tested on windows of their own.
#include "appfixture.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/timings.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "commands/maincatalogue.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "mail/harvester.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QSettings>
#include <QWebEngineHistory>

using CommandDriver::activate;
using CommandDriver::chooseInMenu;
using CommandDriver::Reached;

namespace {

const QString kEnglish = QStringLiteral("Languages/Quorvink_English.txt");
const QString kOptions = QStringLiteral("Data/orvelquorvink.Opt");

// The timers of every window of these tests. The deferred start step and the harvest tick come
// soon: the tests wait for their effects, not for the clock. No test here waits for the auto-hide
// poll, which would move the bars while a test looks at them: its intervals are long, and unlike
// the program's own, so that a check of an interval shows that the window uses the given one.
const Timings kDispatchTimings{.autoHideFirstMs = 50000,
                               .autoHidePollMs = 40000,
                               .autoHideSwitchMs = 30000,
                               .deferredStartMs = 20,
                               .harvestTickMs = 20};

// What a view shows, and what it is asked to open and completes from now on.
struct ViewWatch {
    explicit ViewWatch(BrowserView* watched)
        : view(watched), shown(watched->LocationURL()),
          requested(watched, &BrowserView::beforeNavigate),
          completed(watched, &BrowserView::documentComplete)
    {
    }
    BrowserView* view;
    QUrl shown;
    QSignalSpy requested;
    QSignalSpy completed;
};

} // namespace

class TestDispatch : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;         // the window the tests share
    Options startOptions;   // its options at start
    QByteArray optionsFile; // and its options file
    QByteArray englishFile; // the English language file as the tests prepare it

    QString base() const { return QStringLiteral("http://") + server.hostPort(); }
    QString at(const char* path) const { return base() + QLatin1Char('/') + QLatin1String(path); }
    QUrl url(const char* path) const { return server.url(QLatin1String(path)); }

    // A window of its own on home.html, for a test whose subject is the start or the exit;
    // prepare, when given, changes its program directory first. The shared window is hidden
    // meanwhile: an exit closes every other visible window.
    void startOwn(AppFixture& own, const std::function<void(TempProgramDir&)>& prepare = {})
    {
        app.window->hide();
        useLocalSites(own.dir, base());
        if (prepare)
            prepare(own.dir);
        own.timings = kDispatchTimings;
        own.start(at("home.html"));
    }

    // The shared window as at start, beyond what AppFixture::reset() brings back: the options,
    // their file, the drawing style, the English language file as prepared and read, tab 0's
    // address, caption and history, Cur_URL, no settings program found and no control from four
    // on shown.
    bool resetWindow()
    {
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        Module& m = *app.module;
        for (int i = 4; w.cmdBar(i); ++i)
            w.cmdBar(i)->hide();
        app.desktop.programs.clear();
        if (m.options.Bar_Style != startOptions.Bar_Style)
            b.setDrawingStyle(
                startOptions.Bar_Style,
                app.pool->entry(MainCatalogue::drawingStyleKey(startOptions.Bar_Style)));
        if (m.options.Lang_Name != startOptions.Lang_Name ||
            app.dir.read(kEnglish) != englishFile) {
            if (!app.dir.write(kEnglish, englishFile))
                return false;
            b.switchLanguage(startOptions.Lang_Name);
        }
        m.options = startOptions;
        if (app.dir.read(kOptions) != optionsFile && !app.dir.write(kOptions, optionsFile))
            return false;
        if (!app.reset(url("home.html")))
            return false;
        BrowserView* view = app.view(0);
        QSignalSpy loaded(view, &BrowserView::documentComplete);
        b.navigation().openHomePage(m.options.Home_Page);
        if (!loaded.wait(20000))
            return false;
        view->widget()->history()->clear();
        return true;
    }

    // The view opens nothing after the watch began. The engine reports a navigation it was asked
    // for before it answers a script asked for later: once the page has answered one, the view
    // has been asked for no address, loads nothing and still shows the same document.
    void checkNothingOpened(ViewWatch& watch)
    {
        QCOMPARE(QUrl(evaluate(watch.view, QStringLiteral("location.href")).toString()),
                 watch.shown);
        QCOMPARE(watch.requested.size(), 0);
        QVERIFY(!watch.view->Busy());
        QCOMPARE(QUrl(watch.view->LocationURL()), watch.shown);
        QCOMPARE(watch.completed.size(), 0);
    }

private slots:
    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(resetWindow());
    }

    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("start.html"), htmlPage(QStringLiteral("Start")));
        server.setPage(QStringLiteral("a.html"), htmlPage(QStringLiteral("Page A")));
        server.setPage(QStringLiteral("b.html"), htmlPage(QStringLiteral("Page B")));
        for (const char* site : {"search_url", "dictionary_url", "map_url", "social_url",
                                 "ecommerce_url", "translate"})
            server.setPage(QLatin1String(site) + QStringLiteral(".html"),
                           htmlPage(QLatin1String(site)));
        server.setPage(QStringLiteral("text.html"),
                       htmlPage(QStringLiteral("Text"), QStringLiteral("<p>alpha beta gamma</p>")));
        server.setPage(QStringLiteral("edit.html"),
                       htmlPage(QStringLiteral("Edit"),
                                QStringLiteral("<input id='t' value='hello world' size='40'>")));
        // The harvest reads the frames of a page.
        server.setPage(QStringLiteral("mail.html"),
                       htmlPage(QStringLiteral("Mail"),
                                QStringLiteral("<iframe src='/mailframe.html'></iframe>")));
        server.setPage(QStringLiteral("mailframe.html"),
                       htmlPage(QStringLiteral("Frame"),
                                QStringLiteral("<a href='mailto:one@example.org'>one</a> "
                                               "<a href='mailto:two@example.org'>two</a>")));
        server.setHangingPage(QStringLiteral("slow.html"), "<html><body><p>loading</p>");

        useLocalSites(app.dir, base());
        englishFile = app.dir.read(kEnglish);
        app.timings = kDispatchTimings;
        app.start(at("home.html"));
        // The deferred start step empties the harvest list: the harvest tests come after it.
        QSignalSpy deferred(app.browser.get(), &Browser::deferredStepDone);
        QVERIFY(deferred.wait(20000));
        QVERIFY(AppFixture::waitFor(app.view(0), url("home.html")));
        startOptions = app.module->options;
        optionsFile = app.dir.read(kOptions);
    }

    void cleanupTestCase() { app.close(); }

    // --- Browser commands ---------------------------------------------------------------------

    void historyCommandsMoveTheView_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("backFirst");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("reload");
        QTest::addRow("toolbar BACK") << "BACK" << false << "a.html" << false;
        QTest::addRow("menu NAVIGATE:BACK") << "NAVIGATE:BACK" << false << "a.html" << false;
        QTest::addRow("toolbar NEXT") << "NEXT" << true << "b.html" << false;
        QTest::addRow("menu NAVIGATE:NEXT") << "NAVIGATE:NEXT" << true << "b.html" << false;
        QTest::addRow("menu NAVIGATE:REFRESH") << "NAVIGATE:REFRESH" << false << "b.html" << true;
    }
    void historyCommandsMoveTheView()
    {
        QFETCH(QString, key);
        QFETCH(bool, backFirst);
        QFETCH(QString, expected);
        QFETCH(bool, reload);
        frmStart& w = *app.window;
        BrowserView* view = app.view(0);
        typeAddress(w.Text1(), at("a.html"));
        QVERIFY(AppFixture::waitFor(view, url("a.html")));
        typeAddress(w.Text1(), at("b.html"));
        QVERIFY(AppFixture::waitFor(view, url("b.html")));
        if (backFirst) {
            view->GoBack();
            QVERIFY(AppFixture::waitFor(view, url("a.html")));
        }
        const int requests = server.requestCount(expected);
        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(AppFixture::waitFor(view, server.url(expected)));
        if (reload)
            QTRY_COMPARE(server.requestCount(expected), requests + 1);
    }

    void historyCommandsWithoutHistoryDoNothing_data()
    {
        QTest::addColumn<QString>("key");
        for (const char* key : {"BACK", "NEXT", "NAVIGATE:BACK", "NAVIGATE:NEXT"})
            QTest::addRow("%s", key) << QString::fromLatin1(key);
    }
    void historyCommandsWithoutHistoryDoNothing()
    {
        QFETCH(QString, key);
        const int requests = server.requestCount(QStringLiteral("home.html"));
        ViewWatch watch(app.view(0));
        QCOMPARE(activate(*app.window, key), Reached::Activated);
        checkNothingOpened(watch);
        QCOMPARE(watch.shown, url("home.html"));
        QCOMPARE(server.requestCount(QStringLiteral("home.html")), requests);
        QVERIFY(app.desktop.messages.isEmpty());
    }

    void siteCommandsOpenTheLanguageAddressesOutsideTheHistory_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("dropSetting");
        QTest::addRow("GOOGLE") << "GOOGLE"
                                << "search_url.html" << QString();
        QTest::addRow("WIKI") << "WIKI"
                              << "dictionary_url.html" << QString();
        QTest::addRow("MAP") << "MAP"
                             << "map_url.html" << QString();
        QTest::addRow("SOCIAL") << "SOCIAL"
                                << "social_url.html" << QString();
        QTest::addRow("EBAY") << "EBAY"
                              << "ecommerce_url.html" << QString();
        // A language file without the address: the empty box opens the start page.
        QTest::addRow("MAP without MAP_URL") << "MAP"
                                             << "start.html"
                                             << "MAP_URL";
    }
    void siteCommandsOpenTheLanguageAddressesOutsideTheHistory()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QFETCH(QString, dropSetting);
        // A setting missing from the language file is empty only after a start with that file
        // (a later read keeps the old value): that row starts a window of its own.
        AppFixture own;
        if (!dropSetting.isEmpty()) {
            startOwn(own, [&](TempProgramDir& dir) {
                QStringList lines = QString::fromUtf8(dir.read(kEnglish)).split("\r\n");
                lines.removeIf([&](const QString& l) { return l.startsWith(dropSetting + '='); });
                dir.write(kEnglish, lines.join("\r\n").toUtf8());
            });
            QVERIFY(AppFixture::waitFor(own.view(0), url("home.html")));
        }
        AppFixture& used = dropSetting.isEmpty() ? app : own;
        frmStart& w = *used.window;
        Browser& b = *used.browser;
        const QStringList history = w.Text1()->items();
        const QString homeUrl = at("home.html");
        const int requests = server.requestCount(expected);

        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(AppFixture::waitFor(used.view(0), server.url(expected)));
        QCOMPARE(server.requestCount(expected), requests + 1);
        QCOMPARE(w.Text1()->items(), history);
        QCOMPARE(w.Text1()->text(), server.url(expected).toString());
        QCOMPARE(b.tabs().selected(), 0);
        if (dropSetting.isEmpty()) {
            QCOMPARE(b.tabs().Tab_URL()[0], server.url(expected).toString());
            QCOMPARE(b.navigation().Cur_URL(), server.url(expected).toString());
        } else {
            QCOMPARE(b.tabs().Tab_URL()[0], homeUrl); // the start page is not the tab's address
            own.close();
        }
    }

    void viewCommandsOpenFixedAddresses_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::addRow("NAVIGATE:HOME engine home page") << "NAVIGATE:HOME"
                                                        << "quorvink:start";
        QTest::addRow("EDIT:TRANS translator") << "EDIT:TRANS"
                                               << "translate.html";
    }
    void viewCommandsOpenFixedAddresses()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        const QUrl target = expected.contains(':') ? QUrl(expected) : server.url(expected);
        const QStringList history = w.Text1()->items();
        const QStringList tabUrls = b.tabs().Tab_URL();
        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(AppFixture::waitFor(app.view(0), target));
        QCOMPARE(w.Text1()->items(), history);
        QCOMPARE(b.tabs().Tab_URL(), tabUrls);
        // The program's own home page is only opened at start.
        QCOMPARE(app.module->options.Home_Page, at("home.html"));
    }

    void stopEndsAHangingPage()
    {
        BrowserView* view = app.view(0);
        view->Navigate(at("slow.html"));
        // It really hangs: its first words are shown while the document is still loading.
        QTRY_VERIFY_WITH_TIMEOUT(
            view->Busy() && QUrl(view->LocationURL()) == url("slow.html") &&
                evaluate(view, "document.readyState == 'loading' && document.body != null && "
                               "document.body.innerText.indexOf('loading') >= 0")
                    .toBool(),
            10000);
        QVERIFY(view->Busy());
        QCOMPARE(activate(*app.window, QStringLiteral("EDIT:STOP")), Reached::Activated);
        QTRY_VERIFY_WITH_TIMEOUT(!view->Busy(), 5000);
    }

    void findCommandOpensTheFindBarWithTheFocus()
    {
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!b.findBar()->isVisible());
        QCOMPARE(activate(w, QStringLiteral("EDIT:FINDDOC")), Reached::Activated);
        QVERIFY(b.findBar()->isVisible());
        QLineEdit* input = b.findBar()->input();
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(input));
        // The closed menu may leave no window active on this platform; once the window is
        // active again, typing goes to the find text.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(input->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("home"));
        QCOMPARE(input->text(), QStringLiteral("home"));
        // It lies over the current view.
        QVERIFY(app.view(0)->widget()->geometry().contains(b.findBar()->geometry()));
    }

    void editingCommandsActOnThePage()
    {
        frmStart& w = *app.window;
        BrowserView* view = app.view(0);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QClipboard* clipboard = QApplication::clipboard();

        // Select all and copy: the clipboard holds the page's text.
        view->Navigate(at("text.html"));
        QVERIFY(AppFixture::waitFor(view, url("text.html")));
        view->focus();
        clipboard->clear();
        QCOMPARE(activate(w, QStringLiteral("EDIT:SELECT")), Reached::Activated);
        QTRY_COMPARE(evaluate(view, "String(window.getSelection())").toString().trimmed(),
                     QStringLiteral("alpha beta gamma"));
        QCOMPARE(activate(w, QStringLiteral("EDIT:COPY")), Reached::Activated);
        QTRY_COMPARE(clipboard->text().trimmed(), QStringLiteral("alpha beta gamma"));

        // Cut, paste and delete in a text box of the page.
        view->Navigate(at("edit.html"));
        QVERIFY(AppFixture::waitFor(view, url("edit.html")));
        view->focus();
        const QString select =
            QStringLiteral("var e = document.getElementById('t'); e.focus(); e.select(); true");
        const QString value = QStringLiteral("document.getElementById('t').value");
        QVERIFY(evaluate(view, select).toBool());
        QCOMPARE(activate(w, QStringLiteral("EDIT:CUT")), Reached::Activated);
        QTRY_COMPARE(clipboard->text(), QStringLiteral("hello world"));
        QTRY_COMPARE(evaluate(view, value).toString(), QString());

        clipboard->setText(QStringLiteral("pasted text"));
        QCOMPARE(activate(w, QStringLiteral("EDIT:PASTE")), Reached::Activated);
        QTRY_COMPARE(evaluate(view, value).toString(), QStringLiteral("pasted text"));

        QVERIFY(evaluate(view, select).toBool());
        QCOMPARE(activate(w, QStringLiteral("EDIT:DELETE")), Reached::Activated);
        QTRY_COMPARE(evaluate(view, value).toString(), QString());
        QCOMPARE(clipboard->text(), QStringLiteral("pasted text")); // delete copies nothing
    }

    void printingCommandsOpenTheirDialogs_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("dialog");
        QTest::addRow("toolbar PRINT") << "PRINT"
                                       << "QPrintDialog";
        QTest::addRow("EDIT:PRINT") << "EDIT:PRINT"
                                    << "QPrintDialog";
        QTest::addRow("EDIT:PREVIEW") << "EDIT:PREVIEW"
                                      << "QPrintPreviewDialog";
        QTest::addRow("EDIT:PAGESET") << "EDIT:PAGESET"
                                      << "QPageSetupDialog";
        QTest::addRow("EDIT:PROPERTIES") << "EDIT:PROPERTIES"
                                         << "PageProperties";
    }
    void printingCommandsOpenTheirDialogs()
    {
        QFETCH(QString, key);
        QFETCH(QString, dialog);
        // Without any printer installed Qt can only set up the page of its PDF printer, and says
        // so.
        if (key == QLatin1String("EDIT:PAGESET") && QPrinterInfo::availablePrinters().isEmpty())
            QTest::ignoreMessage(QtWarningMsg,
                                 "QPageSetupDialog: Cannot be used on non-native printers");
        auto seen = std::make_shared<QStringList>();
        CommandDriver::whenModalOpens([seen](QWidget* modal) {
            *seen << QString::fromLatin1(modal->metaObject()->className());
            if (auto* d = qobject_cast<QDialog*>(modal))
                d->reject();
            else
                modal->close();
        });
        QElapsedTimer t;
        t.start();
        QCOMPARE(activate(*app.window, key), Reached::Activated);
        qInfo("%s: the dialog was closed after %lld ms", qPrintable(key), t.elapsed());
        QTRY_COMPARE_WITH_TIMEOUT(*seen, QStringList{dialog}, 20000);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(app.window->isVisible());
    }

    // --- Files and options ----------------------------------------------------------------------

    void bookmarkCommandsWriteAndReadTheBookmarkFile()
    {
        frmStart& w = *app.window;
        typeAddress(w.Text1(), at("a.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), url("a.html")));
        QCOMPARE(activate(w, QStringLiteral("NAVIGATE:PICK")), Reached::Activated);
        QCOMPARE(app.dir.read(QStringLiteral("Data/OrvelBook.bm")),
                 (at("a.html") + QStringLiteral("\r\n")).toUtf8());

        app.dir.write(QStringLiteral("Data/OrvelBook.bm"), (at("b.html") + "\r\n").toUtf8());
        QCOMPARE(activate(w, QStringLiteral("NAVIGATE:GO")), Reached::Activated);
        QVERIFY(AppFixture::waitFor(app.view(0), url("b.html")));
        QCOMPARE(w.Text1()->text(), at("b.html"));
    }

    void pickHomeSavesTheOptionsAtOnce()
    {
        frmStart& w = *app.window;
        w.Text1()->setText(at("b.html"));
        QCOMPARE(activate(w, QStringLiteral("NAVIGATE:PICKHOME")), Reached::Activated);
        QCOMPARE(app.module->options.Home_Page, at("b.html"));
        const QStringList options = linesOf(app.dir.read(kOptions));
        QCOMPARE(options.size(), 6);
        QCOMPARE(options[4], at("b.html"));
    }

    void languageEntriesSwitchTheLanguage()
    {
        frmStart& w = *app.window;
        Module& m = *app.module;
        CaptionTable english;
        CaptionTable italian;
        LanguageSettings englishSettings;
        LanguageSettings italianSettings;
        QVERIFY(LanguageFile::read(app.dir.file(kEnglish), english, englishSettings).ok);
        QVERIFY(LanguageFile::read(app.dir.file("Languages/Quorvink_Italiano.txt"), italian,
                                   italianSettings)
                    .ok);
        QVERIFY(italian[125] != english[125]);
        CommandDriver::MenuSeen langBefore;
        QCOMPARE(chooseInMenu(w, "LANG", QString(), &langBefore), Reached::Missing);
        QCOMPARE(langBefore.keys,
                 QStringList({"LANG:DEUTSCH", "LANG:ENGLISH", "LANG:ITALIANO", "LANG:NEW"}));

        QCOMPARE(activate(w, QStringLiteral("LANG:ITALIANO")), Reached::Activated);
        QCOMPARE(m.options.Lang_Name, QStringLiteral("italiano"));
        QCOMPARE(m.Lang_Text[125], italian[125]);
        QCOMPARE(app.pool->entry("EDIT:STOP")->caption(), italian[125]);
        QCOMPARE(app.pool->entry("EXIT0")->tooltip(), italian[32]);
        QCOMPARE(app.pool->entry("GOOGLE")->tooltip(), italianSettings.searchDescr);
        QCOMPARE(app.pool->entry("EDIT:TXT")->caption(), QStringLiteral("Quorvink_Italiano.txt"));
        QCOMPARE(w.picStat()->cmdMove()->toolTip(), italian[215]);
        QCOMPARE(linesOf(app.dir.read(kOptions)).value(5), QStringLiteral("italiano"));
        // The open menu shows the new captions; the language menu is not rebuilt.
        CommandDriver::MenuSeen edit;
        chooseInMenu(w, "EDIT", QString(), &edit);
        QVERIFY2(edit.texts.contains(italian[125]), qPrintable(edit.texts.join('|')));
        CommandDriver::MenuSeen langAfter;
        chooseInMenu(w, "LANG", QString(), &langAfter);
        QCOMPARE(langAfter.keys, langBefore.keys);
        QCOMPARE(langAfter.checked, QList<bool>({false, false, true, false}));

        // The current language file opens in the desktop's text program, found whatever the
        // letter case of its name.
        QCOMPARE(activate(w, QStringLiteral("EDIT:TXT")), Reached::Activated);
        QCOMPARE(app.desktop.opened.size(), 1);
        QCOMPARE(app.desktop.opened.last(),
                 QUrl::fromLocalFile(app.dir.file("Languages/Quorvink_Italiano.txt")));

        QCOMPARE(activate(w, QStringLiteral("LANG:ENGLISH")), Reached::Activated);
        QCOMPARE(m.options.Lang_Name, QStringLiteral("english"));
        QCOMPARE(app.pool->entry("EDIT:STOP")->caption(), english[125]);
        QCOMPARE(app.pool->entry("EDIT:TXT")->caption(), QStringLiteral("Quorvink_English.txt"));
        QCOMPARE(linesOf(app.dir.read(kOptions)).value(5), QStringLiteral("english"));
        QCOMPARE(activate(w, QStringLiteral("EDIT:TXT")), Reached::Activated);
        QCOMPARE(app.desktop.opened.last(), QUrl::fromLocalFile(app.dir.file(kEnglish)));
        QVERIFY(app.desktop.messages.isEmpty());
    }

    // That the chosen style is saved at exit is checked by exitCommandsRunTheExitSequence.
    void styleEntriesSetTheDrawingStyle_data()
    {
        QTest::addColumn<int>("style");
        QTest::addRow("FILE:SYSTEM") << 0;
        QTest::addRow("FILE:OFFICE, already active") << 1;
        QTest::addRow("FILE:MONEY") << 2;
        QTest::addRow("FILE:XP") << 3;
    }
    void styleEntriesSetTheDrawingStyle()
    {
        QFETCH(int, style);
        frmStart& w = *app.window;
        QCOMPARE(app.module->options.Bar_Style, qint16(1)); // the style at start
        QStringList sheets;
        for (int i = 0; i < 3; ++i)
            sheets << w.cmdBar(i)->styleSheet();
        const QByteArray optionsBefore = app.dir.read(kOptions);

        QCOMPARE(activate(w, MainCatalogue::drawingStyleKey(style)), Reached::Activated);
        QCOMPARE(app.module->options.Bar_Style, qint16(style));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(app.pool->entry(MainCatalogue::drawingStyleKey(i))->checked(), i == style);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(w.cmdBar(i)->barStyle(), style);
            if (style == 1)
                QCOMPARE(w.cmdBar(i)->styleSheet(), sheets[i]);
            else
                QVERIFY(w.cmdBar(i)->styleSheet() != sheets[i]);
        }
        // The menu shows the mark on the chosen style only.
        CommandDriver::MenuSeen file;
        chooseInMenu(w, "FILE", QString(), &file);
        for (int i = 0; i < 4; ++i) {
            const qsizetype at = file.keys.indexOf(MainCatalogue::drawingStyleKey(i));
            QVERIFY(at >= 0);
            QCOMPARE(file.checked[at], i == style);
        }
        // Saved at exit, not before.
        QCOMPARE(app.dir.read(kOptions), optionsBefore);
    }

    // That auto-hide switched off is saved at exit is checked by exitCommandsRunTheExitSequence.
    void autoHideEntrySwitchesTimerAndBars()
    {
        frmStart& w = *app.window;
        CommandEntry* floating = app.pool->entry(QStringLiteral("FILE:FLOATING"));
        QVERIFY(!floating->checked());
        QVERIFY(!w.autoHide().Timer1().isActive());
        QVERIFY(w.layout().Bar_Shown());

        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(floating->checked());
        QCOMPARE(app.module->options.Float_Bar, qint16(1));
        QVERIFY(!w.layout().Bar_Shown());
        QVERIFY(!w.picStat()->isVisible());
        QCOMPARE(app.view(0)->widget()->y(), 0);
        QVERIFY(w.autoHide().Timer1().isActive());
        QCOMPARE(w.autoHide().Timer1().interval(), app.module->timings.autoHideSwitchMs);

        w.layout().GO_BarOn(); // as if the pointer had come back
        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(!floating->checked());
        QCOMPARE(app.module->options.Float_Bar, qint16(0));
        QVERIFY(!w.autoHide().Timer1().isActive());
        QVERIFY(w.layout().Bar_Shown());
    }

    void autoHideOffLeavesHiddenBarsHidden()
    {
        frmStart& w = *app.window;
        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(!w.layout().Bar_Shown());
        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(!w.autoHide().Timer1().isActive());
        QCOMPARE(app.module->options.Float_Bar, qint16(0));
        QVERIFY(!w.layout().Bar_Shown());
    }

    void menusPauseAndResumeAutoHide_data()
    {
        QTest::addColumn<int>("floatBar");
        QTest::addRow("auto-hide on: resumed") << 1;
        QTest::addRow("auto-hide off: stays stopped") << 0;
    }
    void menusPauseAndResumeAutoHide()
    {
        QFETCH(int, floatBar);
        frmStart& w = *app.window;
        app.module->options.Float_Bar = qint16(floatBar);
        w.autoHide().Timer1().start(60000);
        auto activeWhileOpen = std::make_shared<std::optional<bool>>();
        chooseInMenu(w, "NAVIGATE", QString(), nullptr, [&w, activeWhileOpen] {
            *activeWhileOpen = w.autoHide().Timer1().isActive();
        });
        QCOMPARE(*activeWhileOpen, std::optional<bool>(false));
        QCOMPARE(w.autoHide().Timer1().isActive(), floatBar == 1);
        // Every menu of the window does it, the language menu too.
        w.autoHide().Timer1().start(60000);
        activeWhileOpen->reset();
        chooseInMenu(w, "LANG", QString(), nullptr, [&w, activeWhileOpen] {
            *activeWhileOpen = w.autoHide().Timer1().isActive();
        });
        QCOMPARE(*activeWhileOpen, std::optional<bool>(false));
        QCOMPARE(w.autoHide().Timer1().isActive(), floatBar == 1);
    }

    // --- The desktop --------------------------------------------------------------------------

    void shellCommandsHandTheirTargetToTheDesktop_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("file"); // relative to the program directory, or empty
        QTest::addColumn<QString>("address");
        QTest::addRow("EDIT:TXT") << "EDIT:TXT" << kEnglish << QString();
        QTest::addRow("FILE:HELP") << "FILE:HELP"
                                   << "Data/OrvelHelp.html" << QString();
        QTest::addRow("QUORVINK:VIEW") << "QUORVINK:VIEW"
                                       << "MailsList.txt" << QString();
        QTest::addRow("FILE:EXPLORER") << "FILE:EXPLORER" << QString() << at("b.html");
    }
    void shellCommandsHandTheirTargetToTheDesktop()
    {
        QFETCH(QString, key);
        QFETCH(QString, file);
        QFETCH(QString, address);
        frmStart& w = *app.window;
        if (!address.isEmpty())
            w.Text1()->setText(address);
        // The shipped help page: only a file that is there is handed over.
        if (!file.isEmpty() && !QFile::exists(app.dir.file(file)))
            QVERIFY(app.dir.write(file, "<html></html>"));
        ViewWatch watch(app.view(0));
        QCOMPARE(activate(w, key), Reached::Activated);
        QCOMPARE(app.desktop.opened.size(), 1);
        QCOMPARE(app.desktop.opened.first(),
                 file.isEmpty() ? QUrl(address) : QUrl::fromLocalFile(app.dir.file(file)));
        QVERIFY(app.desktop.started.isEmpty());
        QVERIFY(app.desktop.messages.isEmpty());
        // The program itself shows nothing new.
        QCOMPARE(watch.shown, url("home.html"));
        checkNothingOpened(watch);
    }

    void settingsEntriesStartTheFirstProgramFound_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addRow("security, two installed")
            << "FILE:SECURITY" << QStringList({"gufw", "systemsettings"}) << "systemsettings"
            << QStringList({"kcm_firewall"});
        QTest::addRow("security, only gufw")
            << "FILE:SECURITY" << QStringList({"gufw"}) << "gufw" << QStringList();
        QTest::addRow("volume, gnome")
            << "FILE:VOLUME" << QStringList({"pavucontrol", "gnome-control-center"})
            << "gnome-control-center" << QStringList({"sound"});
        QTest::addRow("volume, only pavucontrol")
            << "FILE:VOLUME" << QStringList({"pavucontrol"}) << "pavucontrol" << QStringList();
        QTest::addRow("internet, network editor")
            << "FILE:INTERNET" << QStringList({"nm-connection-editor"}) << "nm-connection-editor"
            << QStringList();
        QTest::addRow("internet, kde")
            << "FILE:INTERNET" << QStringList({"systemsettings", "nm-connection-editor"})
            << "systemsettings" << QStringList({"kcm_networkmanagement"});
    }
    void settingsEntriesStartTheFirstProgramFound()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, installed);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        for (const QString& name : installed)
            app.desktop.programs.insert(name, QStringLiteral("/opt/test/bin/") + name);
        QCOMPARE(activate(*app.window, key), Reached::Activated);
        QCOMPARE(app.desktop.started.size(), 1);
        QCOMPARE(app.desktop.started.first().program, QStringLiteral("/opt/test/bin/") + program);
        QCOMPARE(app.desktop.started.first().arguments, arguments);
        QVERIFY(app.desktop.messages.isEmpty());
        QVERIFY(app.desktop.opened.isEmpty());
    }

    void settingsEntriesWithoutProgramGiveOneMessage_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("named");
        QTest::addRow("FILE:SECURITY")
            << "FILE:SECURITY"
            << QStringList({"gnome-control-center", "systemsettings", "firewall-config", "gufw"});
        QTest::addRow("FILE:VOLUME") << "FILE:VOLUME"
                                     << QStringList({"gnome-control-center", "systemsettings",
                                                     "pavucontrol", "xfce4-mixer"});
        QTest::addRow("FILE:INTERNET")
            << "FILE:INTERNET"
            << QStringList({"gnome-control-center", "systemsettings", "nm-connection-editor"});
    }
    void settingsEntriesWithoutProgramGiveOneMessage()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, named);
        QCOMPARE(activate(*app.window, key), Reached::Activated);
        QVERIFY(app.desktop.started.isEmpty());
        QCOMPARE(app.desktop.messages.size(), 1);
        const QString text = app.desktop.messages.first().text;
        for (const QString& name : named)
            QVERIFY2(text.contains(name), qPrintable(text));
    }

    void mailCommandsHarvestViewKeepAndEmpty()
    {
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        CommandEntry* start = app.pool->entry(QStringLiteral("QUORVINK:START"));
        QCOMPARE(start->icon(), 132);
        app.view(0)->Navigate(at("mail.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), url("mail.html")));

        QSignalSpy passes(&b.harvester(), &Harvester::passFinished);
        QCOMPARE(activate(w, QStringLiteral("QUORVINK:START")), Reached::Activated);
        QCOMPARE(start->icon(), 133);
        QCOMPARE(b.harvester().Mail_Auto(), qint16(1));
        QVERIFY(passes.wait(10000));
        const QByteArray list = app.dir.read(QStringLiteral("MailsList.txt"));
        QVERIFY2(list.contains("one@example.org") && list.contains("two@example.org"),
                 list.constData());
        // The status text says what the pass read: two addresses from the one frame.
        QCOMPARE(w.picStat()->statusBar()->text(),
                 QStringLiteral("Harvest: 2 addresses written; 1 frame read; 0 frames not read"));
        // The menu shows the "on" picture.
        CommandDriver::MenuSeen shown;
        chooseInMenu(w, "QUORVINK", QString(), &shown);
        QCOMPARE(shown.keys.value(0), QStringLiteral("QUORVINK:START"));

        QCOMPARE(activate(w, QStringLiteral("QUORVINK:START")), Reached::Activated);
        QCOMPARE(start->icon(), 132);
        QCOMPARE(b.harvester().Mail_Auto(), qint16(0));

        QCOMPARE(activate(w, QStringLiteral("QUORVINK:VIEW")), Reached::Activated);
        QCOMPARE(app.desktop.opened.last(),
                 QUrl::fromLocalFile(app.dir.file(QStringLiteral("MailsList.txt"))));

        app.dir.write(QStringLiteral("MailsBook.txt"), "kept@example.org\r\n");
        QCOMPARE(activate(w, QStringLiteral("QUORVINK:ADD")), Reached::Activated);
        QCOMPARE(app.dir.read(QStringLiteral("MailsBook.txt")), "kept@example.org\r\n" + list);
        QCOMPARE(app.desktop.opened.last(),
                 QUrl::fromLocalFile(app.dir.file(QStringLiteral("MailsBook.txt"))));
        QCOMPARE(app.dir.read(QStringLiteral("MailsList.txt")), list); // kept

        QCOMPARE(activate(w, QStringLiteral("QUORVINK:CANCEL")), Reached::Activated);
        QVERIFY(QFileInfo::exists(app.dir.file(QStringLiteral("MailsList.txt"))));
        QCOMPARE(app.dir.read(QStringLiteral("MailsList.txt")), QByteArray());
        QCOMPARE(app.dir.read(QStringLiteral("MailsBook.txt")), "kept@example.org\r\n" + list);
        QVERIFY(app.desktop.messages.isEmpty());
    }

    // The options menu's switches of the harvest reach the harvester and are kept in the
    // program's own settings file.
    void harvestSwitchesAreKept_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("setting");
        QTest::addRow("frames of other sites") << "FILE:OTHERSITES"
                                               << "Harvest/OtherSiteFrames";
        QTest::addRow("the page itself") << "FILE:PAGEITSELF"
                                         << "Harvest/PageItself";
        QTest::addRow("addresses in the text") << "FILE:TEXTADDRESSES"
                                               << "Harvest/TextAddresses";
    }
    void harvestSwitchesAreKept()
    {
        QFETCH(QString, key);
        QFETCH(QString, setting);
        frmStart& w = *app.window;
        const Harvester& h = app.browser->harvester();
        const std::function<bool()> current =
            key == QLatin1String("FILE:OTHERSITES")
                ? std::function([&h] { return h.otherSiteFrames(); })
            : key == QLatin1String("FILE:PAGEITSELF")
                ? std::function([&h] { return h.pageItself(); })
                : std::function([&h] { return h.textAddresses(); });
        CommandEntry* entry = app.pool->entry(key);
        QVERIFY(entry && !entry->checked());
        QVERIFY(!current());
        for (const bool on : {true, false}) {
            QCOMPARE(activate(w, key), Reached::Activated);
            QCOMPARE(entry->checked(), on);
            QCOMPARE(current(), on);
            const QSettings kept(app.dir.file(QStringLiteral("Data/orvelquorvink.Ext")),
                                 QSettings::IniFormat);
            QCOMPARE(kept.value(setting).toString(),
                     on ? QStringLiteral("true") : QStringLiteral("false"));
        }
        QVERIFY(app.desktop.messages.isEmpty());
    }

    // --- The window ---------------------------------------------------------------------------

    // Each way out on a window of its own, after a drawing style was chosen: the exit saves the
    // options, the history and the settings, with the style chosen and auto-hide off.
    void exitCommandsRunTheExitSequence_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("autoHideOnAndOff");
        QTest::addRow("toolbar EXIT0, FILE:SYSTEM") << "EXIT0" << 0 << false;
        QTest::addRow("sites toolbar EXIT2, FILE:MONEY, auto-hide on and off")
            << "EXIT2" << 2 << true;
        QTest::addRow("menu EDIT:EXIT, FILE:XP") << "EDIT:EXIT" << 3 << false;
        QTest::addRow("menu EDIT:EXIT, FILE:OFFICE already active") << "EDIT:EXIT" << 1 << false;
    }
    void exitCommandsRunTheExitSequence()
    {
        QFETCH(QString, key);
        QFETCH(int, style);
        QFETCH(bool, autoHideOnAndOff);
        AppFixture own;
        startOwn(own);
        QVERIFY(AppFixture::waitFor(own.view(0), url("home.html")));
        frmStart& w = *own.window;
        Browser& b = *own.browser;
        QCOMPARE(activate(w, MainCatalogue::drawingStyleKey(style)), Reached::Activated);
        if (autoHideOnAndOff) {
            QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
            QCOMPARE(own.module->options.Float_Bar, qint16(1));
            w.layout().GO_BarOn(); // as if the pointer had come back
            QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        }
        QSignalSpy exited(&b, &Browser::exited);
        QFile::remove(own.dir.file(QStringLiteral("Data/orvelquorvink.Ini")));
        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(b.hasExited());
        QCOMPARE(exited.count(), 1);
        QTRY_VERIFY(!w.isVisible());
        const QStringList options = linesOf(own.dir.read(kOptions));
        QCOMPARE(options.size(), 6);
        QCOMPARE(options.value(0).trimmed(), QString::number(style));
        QCOMPARE(options.value(2).trimmed(), QStringLiteral("0"));
        QCOMPARE(linesOf(own.dir.read(QStringLiteral("Data/orvelquorvink.Ini"))).size(), 13);
    }

    void minimizeShowsTheMinimizedCaption()
    {
        frmStart& w = *app.window;
        w.setGeometry(100, 200, 900, 500);
        QTRY_COMPARE(w.geometry(), QRect(100, 200, 900, 500));
        const QString caption = app.module->Lang_Text[179];
        QVERIFY(!caption.isEmpty());
        QCOMPARE(activate(w, QStringLiteral("MIN")), Reached::Activated);
        QTRY_VERIFY(w.isMinimized());
        QCOMPARE(w.windowTitle(), caption);
        QVERIFY(w.layout().Was_Min());
        // The platform has confirmed the state before the user restores.
        QGuiApplication::sync();
        QVERIFY(w.isMinimized());

        w.showNormal();
        QTRY_VERIFY(!w.isMinimized());
        QGuiApplication::sync();
        QTRY_COMPARE(w.windowTitle(), QString());
        QVERIFY(!w.layout().Was_Min());
        // Restoring gives back the 285 twips of the title bar, upwards.
        QTRY_COMPARE(w.geometry(), QRect(100, 200, 900, 500));
    }

    // The deferred start step on a window of its own: until it has run, the favorites stay off;
    // it empties the harvest list left by the last run.
    void favoritesAvailableAfterTheDeferredStep()
    {
        AppFixture own;
        own.dir.write(QStringLiteral("MailsList.txt"), "left@example.org\r\n");
        startOwn(own);
        frmStart& w = *own.window;
        Browser& b = *own.browser;
        QSignalSpy stepDone(&b, &Browser::deferredStepDone);
        QToolButton* favorite = w.cmdBar(0)->button(QStringLiteral("FAVORITE"));
        QVERIFY(favorite);
        QVERIFY(b.Timer4().isActive());
        QCOMPARE(b.Timer4().interval(), own.module->timings.deferredStartMs);
        QVERIFY(!favorite->isEnabled());
        QVERIFY(stepDone.wait(20000));
        QVERIFY(!b.Timer4().isActive());
        QVERIFY(favorite->isEnabled());
        QCOMPARE(own.dir.read(QStringLiteral("MailsList.txt")), QByteArray());
        QVERIFY(AppFixture::waitFor(own.view(0), url("home.html")));

        QSignalSpy activations(w.cmdBar(0), &CommandBarControl::activated);
        ViewWatch watch(own.view(0));
        // The link tables open modally; closed with no address picked, the view stays.
        QString opened;
        CommandDriver::whenModalOpens([&opened](QWidget* modal) {
            opened = modal->objectName();
            modal->close();
        });
        QCOMPARE(activate(w, QStringLiteral("FAVORITE")), Reached::Activated);
        QCOMPARE(activations.count(), 1);
        QCOMPARE(opened, QStringLiteral("frmTab"));
        checkNothingOpened(watch);
        QVERIFY(own.desktop.messages.isEmpty());
        own.close();
    }

    void controlsFromFourOnAreIgnored()
    {
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        chooseInMenu(w, "FILE", QString());
        QVERIFY(w.cmdBar(3));
        QVERIFY(!w.cmdBar(4));
        CommandBarControl* four = w.cmdBar(0)->newInstanceRequest(0);
        QVERIFY(four);
        QCOMPARE(four->number(), 4);
        QCOMPARE(w.cmdBar(4), four);
        QVERIFY(four->isHidden());
        four->setBar(app.pool->bar(QStringLiteral("STANDARD2")));
        four->setGeometry(0, 40, 300, 30);
        four->show();
        QSignalSpy reported(four, &CommandBarControl::activated);
        const int searches = server.requestCount(QStringLiteral("search_url.html"));
        ViewWatch watch(app.view(0));
        for (const char* key : {"GOOGLE", "MIN", "EXIT2"}) {
            QToolButton* button = four->button(QLatin1String(key));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(reported.count(), 3);

        // Its menus too: control 4 shows the main toolbar and reports its menus itself.
        four->setBar(app.pool->bar(QStringLiteral("STANDARD0")));
        QCOMPARE(CommandDriver::chooseIn(four, "FILE", "FILE:XP"), Reached::Activated);
        QCOMPARE(CommandDriver::chooseIn(four, "NAVIGATE", "NAVIGATE:HOME"), Reached::Activated);
        QCOMPARE(reported.count(), 5);
        QCOMPARE(reported.last().at(0).toInt(), 4);

        QCOMPARE(watch.shown, url("home.html"));
        checkNothingOpened(watch);
        QVERIFY(!b.hasExited());
        QVERIFY(w.isVisible() && !w.isMinimized());
        QCOMPARE(server.requestCount(QStringLiteral("search_url.html")), searches);
        QCOMPARE(app.module->options.Bar_Style, qint16(1));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w.cmdBar(i)->barStyle(), 1);
    }
};

QUORVINK_TEST_MAIN(TestDispatch)
#include "test_dispatch.moc"
