// Every command of the main window's toolbars and menus, chosen through the real command-bar
// controls, against pages served from 127.0.0.1 and files in a temporary program directory.
#include "appfixture.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "config/languagefile.h"
#include "mail/harvester.h"

#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPrinterInfo>

using CommandDriver::activate;
using CommandDriver::chooseInMenu;
using CommandDriver::Reached;

namespace {

// Runs a script in the view's isolated world and waits for its answer.
QVariant evaluate(BrowserView* view, const QString& script)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    view->runIsolated(script, [answer](const QVariant& value) { *answer = value; });
    QElapsedTimer t;
    t.start();
    while (!answer->has_value() && t.elapsed() < 10000)
        QTest::qWait(10);
    return answer->value_or(QVariant());
}

const char kStyleKeys[4][12] = {"FILE:SYSTEM", "FILE:OFFICE", "FILE:MONEY", "FILE:XP"};

} // namespace

class TestDispatch : public QObject {
    Q_OBJECT

    HttpServer server;

    QString base() const { return QStringLiteral("http://") + server.hostPort(); }
    QString at(const char* path) const { return base() + QLatin1Char('/') + QLatin1String(path); }

    // The window on home.html, loaded; prepare, when given, changes the program directory first.
    std::unique_ptr<AppFixture> startApp(const std::function<void(AppFixture&)>& prepare = nullptr)
    {
        auto app = std::make_unique<AppFixture>();
        useLocalSites(app->dir, base());
        if (prepare)
            prepare(*app);
        app->start(at("home.html"));
        if (!AppFixture::waitFor(app->view(0), server.url(QStringLiteral("home.html"))))
            return nullptr;
        return app;
    }

    static bool waitDeferredStep(frmStart& w)
    {
        QElapsedTimer t;
        t.start();
        while (w.Timer4().isActive() && t.elapsed() < 5000)
            QTest::qWait(20);
        return !w.Timer4().isActive();
    }

private slots:
    void init() { TestGuard::failOnWarnings(); }

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
        server.setHangingPage(QStringLiteral("slow.html"), "<html><body><p>loading");
    }

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
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        BrowserView* view = app->view(0);
        typeAddress(w.Text1(), at("a.html"));
        QVERIFY(AppFixture::waitFor(view, server.url(QStringLiteral("a.html"))));
        typeAddress(w.Text1(), at("b.html"));
        QVERIFY(AppFixture::waitFor(view, server.url(QStringLiteral("b.html"))));
        if (backFirst) {
            view->GoBack();
            QVERIFY(AppFixture::waitFor(view, server.url(QStringLiteral("a.html"))));
        }
        const int requests = server.requestCount(expected);
        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(AppFixture::waitFor(view, server.url(expected)));
        if (reload)
            QTRY_COMPARE(server.requestCount(expected), requests + 1);
        app->close();
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
        auto app = startApp();
        QVERIFY(app);
        const int requests = server.requestCount(QStringLiteral("home.html"));
        QCOMPARE(activate(*app->window, key), Reached::Activated);
        QTest::qWait(300);
        QCOMPARE(QUrl(app->view(0)->LocationURL()), server.url(QStringLiteral("home.html")));
        QCOMPARE(server.requestCount(QStringLiteral("home.html")), requests);
        QVERIFY(app->desktop.messages.isEmpty());
        app->close();
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
        auto app = startApp([&](AppFixture& fixture) {
            if (dropSetting.isEmpty())
                return;
            const QString name = QStringLiteral("Languages/Quorvink_English.txt");
            QStringList lines = QString::fromUtf8(fixture.dir.read(name)).split("\r\n");
            lines.removeIf([&](const QString& l) { return l.startsWith(dropSetting + '='); });
            fixture.dir.write(name, lines.join("\r\n").toUtf8());
        });
        QVERIFY(app);
        frmStart& w = *app->window;
        const QStringList history = w.Text1()->items();
        const QString homeUrl = at("home.html");
        const int requests = server.requestCount(expected);

        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(expected)));
        QCOMPARE(server.requestCount(expected), requests + 1);
        QCOMPARE(w.Text1()->items(), history);
        QCOMPARE(w.Text1()->text(), server.url(expected).toString());
        QCOMPARE(w.tabs().selected(), 0);
        if (dropSetting.isEmpty()) {
            QCOMPARE(w.tabs().Tab_URL()[0], server.url(expected).toString());
            QCOMPARE(w.navigation().Cur_URL(), server.url(expected).toString());
        } else {
            QCOMPARE(w.tabs().Tab_URL()[0], homeUrl); // the start page is not the tab's address
        }
        app->close();
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
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        const QUrl target = expected.contains(':') ? QUrl(expected) : server.url(expected);
        const QStringList history = w.Text1()->items();
        const QStringList tabUrls = w.tabs().Tab_URL();
        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(AppFixture::waitFor(app->view(0), target));
        QCOMPARE(w.Text1()->items(), history);
        QCOMPARE(w.tabs().Tab_URL(), tabUrls);
        // The program's own home page is only opened at start.
        QCOMPARE(app->module->options.Home_Page, at("home.html"));
        app->close();
    }

    void stopEndsAHangingPage()
    {
        auto app = startApp();
        QVERIFY(app);
        BrowserView* view = app->view(0);
        view->Navigate(at("slow.html"));
        QTRY_VERIFY_WITH_TIMEOUT(view->Busy() && QUrl(view->LocationURL()) ==
                                                     server.url(QStringLiteral("slow.html")),
                                 10000);
        QTest::qWait(300);
        QVERIFY(view->Busy()); // it really hangs
        QCOMPARE(activate(*app->window, QStringLiteral("EDIT:STOP")), Reached::Activated);
        QTRY_VERIFY_WITH_TIMEOUT(!view->Busy(), 5000);
        app->close();
    }

    void findCommandOpensTheFindBarWithTheFocus()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(!w.findBar()->isVisible());
        QCOMPARE(activate(w, QStringLiteral("EDIT:FINDDOC")), Reached::Activated);
        QVERIFY(w.findBar()->isVisible());
        QLineEdit* input = w.findBar()->input();
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(input));
        // The closed menu may leave no window active on this platform; once the window is
        // active again, typing goes to the find text.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(input->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("home"));
        QCOMPARE(input->text(), QStringLiteral("home"));
        // It lies over the current view.
        QVERIFY(app->view(0)->widget()->geometry().contains(w.findBar()->geometry()));
        app->close();
    }

    void editingCommandsActOnThePage()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        BrowserView* view = app->view(0);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QClipboard* clipboard = QApplication::clipboard();

        // Select all and copy: the clipboard holds the page's text.
        view->Navigate(at("text.html"));
        QVERIFY(AppFixture::waitFor(view, server.url(QStringLiteral("text.html"))));
        view->focus();
        clipboard->clear();
        QCOMPARE(activate(w, QStringLiteral("EDIT:SELECT")), Reached::Activated);
        QTRY_COMPARE(evaluate(view, "String(window.getSelection())").toString().trimmed(),
                     QStringLiteral("alpha beta gamma"));
        QCOMPARE(activate(w, QStringLiteral("EDIT:COPY")), Reached::Activated);
        QTRY_COMPARE(clipboard->text().trimmed(), QStringLiteral("alpha beta gamma"));

        // Cut, paste and delete in a text box of the page.
        view->Navigate(at("edit.html"));
        QVERIFY(AppFixture::waitFor(view, server.url(QStringLiteral("edit.html"))));
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
        app->close();
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
        auto app = startApp();
        QVERIFY(app);
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
        QCOMPARE(activate(*app->window, key), Reached::Activated);
        qInfo("%s: the dialog was closed after %lld ms", qPrintable(key), t.elapsed());
        QTRY_COMPARE_WITH_TIMEOUT(*seen, QStringList{dialog}, 20000);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(app->window->isVisible());
        app->close();
    }

    // --- Files and options ----------------------------------------------------------------------

    void bookmarkCommandsWriteAndReadTheBookmarkFile()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        typeAddress(w.Text1(), at("a.html"));
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("a.html"))));
        QCOMPARE(activate(w, QStringLiteral("NAVIGATE:PICK")), Reached::Activated);
        QCOMPARE(app->dir.read(QStringLiteral("Data/OrvelBook.bm")),
                 (at("a.html") + QStringLiteral("\r\n")).toUtf8());

        app->dir.write(QStringLiteral("Data/OrvelBook.bm"), (at("b.html") + "\r\n").toUtf8());
        QCOMPARE(activate(w, QStringLiteral("NAVIGATE:GO")), Reached::Activated);
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("b.html"))));
        QCOMPARE(w.Text1()->text(), at("b.html"));
        app->close();
    }

    void pickHomeSavesTheOptionsAtOnce()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        w.Text1()->setText(at("b.html"));
        QCOMPARE(activate(w, QStringLiteral("NAVIGATE:PICKHOME")), Reached::Activated);
        QCOMPARE(app->module->options.Home_Page, at("b.html"));
        const QStringList options =
            linesOf(app->dir.read(QStringLiteral("Data/orvelquorvink.Opt")));
        QCOMPARE(options.size(), 6);
        QCOMPARE(options[4], at("b.html"));
        app->close();
    }

    void languageEntriesSwitchTheLanguage()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        Module& m = *app->module;
        CaptionTable english;
        CaptionTable italian;
        LanguageSettings englishSettings;
        LanguageSettings italianSettings;
        QVERIFY(LanguageFile::read(app->dir.file("Languages/Quorvink_English.txt"), english,
                                   englishSettings)
                    .ok);
        QVERIFY(LanguageFile::read(app->dir.file("Languages/Quorvink_Italiano.txt"), italian,
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
        QCOMPARE(w.pool().entry("EDIT:STOP")->caption(), italian[125]);
        QCOMPARE(w.pool().entry("EXIT0")->tooltip(), italian[32]);
        QCOMPARE(w.pool().entry("GOOGLE")->tooltip(), italianSettings.searchDescr);
        QCOMPARE(w.pool().entry("EDIT:TXT")->caption(), QStringLiteral("Quorvink_Italiano.txt"));
        QCOMPARE(w.picStat()->cmdMove()->toolTip(), italian[215]);
        QCOMPARE(linesOf(app->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).value(5),
                 QStringLiteral("italiano"));
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
        QCOMPARE(app->desktop.opened.size(), 1);
        QCOMPARE(app->desktop.opened.last(),
                 QUrl::fromLocalFile(app->dir.file("Languages/Quorvink_Italiano.txt")));

        QCOMPARE(activate(w, QStringLiteral("LANG:ENGLISH")), Reached::Activated);
        QCOMPARE(m.options.Lang_Name, QStringLiteral("english"));
        QCOMPARE(w.pool().entry("EDIT:STOP")->caption(), english[125]);
        QCOMPARE(w.pool().entry("EDIT:TXT")->caption(), QStringLiteral("Quorvink_English.txt"));
        QCOMPARE(linesOf(app->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).value(5),
                 QStringLiteral("english"));
        QCOMPARE(activate(w, QStringLiteral("EDIT:TXT")), Reached::Activated);
        QCOMPARE(app->desktop.opened.last(),
                 QUrl::fromLocalFile(app->dir.file("Languages/Quorvink_English.txt")));
        QVERIFY(app->desktop.messages.isEmpty());
        app->close();
    }

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
        auto app = startApp(); // starts in style 1
        QVERIFY(app);
        frmStart& w = *app->window;
        QCOMPARE(app->module->options.Bar_Style, qint16(1));
        QStringList sheets;
        for (int i = 0; i < 3; ++i)
            sheets << w.cmdBar(i)->styleSheet();
        const QByteArray optionsBefore = app->dir.read(QStringLiteral("Data/orvelquorvink.Opt"));

        QCOMPARE(activate(w, QLatin1String(kStyleKeys[style])), Reached::Activated);
        QCOMPARE(app->module->options.Bar_Style, qint16(style));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(w.pool().entry(QLatin1String(kStyleKeys[i]))->checked(), i == style);
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
            const qsizetype at = file.keys.indexOf(QLatin1String(kStyleKeys[i]));
            QVERIFY(at >= 0);
            QCOMPARE(file.checked[at], i == style);
        }
        // Saved at exit, not before.
        QCOMPARE(app->dir.read(QStringLiteral("Data/orvelquorvink.Opt")), optionsBefore);
        app->close();
        QCOMPARE(
            linesOf(app->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).value(0).trimmed(),
            QString::number(style));
    }

    void autoHideEntrySwitchesTimerAndBars()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        CommandEntry* floating = w.pool().entry(QStringLiteral("FILE:FLOATING"));
        QVERIFY(!floating->checked());
        QVERIFY(!w.Timer1().isActive());
        QVERIFY(w.layout().Bar_Shown());

        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(floating->checked());
        QCOMPARE(app->module->options.Float_Bar, qint16(1));
        QVERIFY(!w.layout().Bar_Shown());
        QVERIFY(!w.picStat()->isVisible());
        QCOMPARE(app->view(0)->widget()->y(), 0);
        QVERIFY(w.Timer1().isActive());
        QCOMPARE(w.Timer1().interval(), 750);

        w.layout().GO_BarOn(); // as if the pointer had come back
        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(!floating->checked());
        QCOMPARE(app->module->options.Float_Bar, qint16(0));
        QVERIFY(!w.Timer1().isActive());
        QVERIFY(w.layout().Bar_Shown());
        app->close();
        QCOMPARE(
            linesOf(app->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).value(2).trimmed(),
            QStringLiteral("0"));
    }

    void autoHideOffLeavesHiddenBarsHidden()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(!w.layout().Bar_Shown());
        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(!w.Timer1().isActive());
        QCOMPARE(app->module->options.Float_Bar, qint16(0));
        QVERIFY(!w.layout().Bar_Shown());
        app->close();
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
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        app->module->options.Float_Bar = qint16(floatBar);
        w.autoHide().Timer1().start(60000);
        auto activeWhileOpen = std::make_shared<std::optional<bool>>();
        chooseInMenu(w, "NAVIGATE", QString(), nullptr,
                     [&w, activeWhileOpen] { *activeWhileOpen = w.Timer1().isActive(); });
        QCOMPARE(*activeWhileOpen, std::optional<bool>(false));
        QCOMPARE(w.Timer1().isActive(), floatBar == 1);
        // Every menu of the window does it, the language menu too.
        w.autoHide().Timer1().start(60000);
        activeWhileOpen->reset();
        chooseInMenu(w, "LANG", QString(), nullptr,
                     [&w, activeWhileOpen] { *activeWhileOpen = w.Timer1().isActive(); });
        QCOMPARE(*activeWhileOpen, std::optional<bool>(false));
        QCOMPARE(w.Timer1().isActive(), floatBar == 1);
        app->close();
    }

    // --- The desktop --------------------------------------------------------------------------

    void shellCommandsHandTheirTargetToTheDesktop_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("file"); // relative to the program directory, or empty
        QTest::addColumn<QString>("address");
        QTest::addRow("EDIT:TXT") << "EDIT:TXT"
                                  << "Languages/Quorvink_English.txt" << QString();
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
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        if (!address.isEmpty())
            w.Text1()->setText(address);
        QCOMPARE(activate(w, key), Reached::Activated);
        QCOMPARE(app->desktop.opened.size(), 1);
        QCOMPARE(app->desktop.opened.first(),
                 file.isEmpty() ? QUrl(address) : QUrl::fromLocalFile(app->dir.file(file)));
        QVERIFY(app->desktop.started.isEmpty());
        QVERIFY(app->desktop.messages.isEmpty());
        // The program itself shows nothing new.
        QCOMPARE(QUrl(app->view(0)->LocationURL()), server.url(QStringLiteral("home.html")));
        app->close();
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
        auto app = startApp();
        QVERIFY(app);
        for (const QString& name : installed)
            app->desktop.programs.insert(name, QStringLiteral("/opt/test/bin/") + name);
        QCOMPARE(activate(*app->window, key), Reached::Activated);
        QCOMPARE(app->desktop.started.size(), 1);
        QCOMPARE(app->desktop.started.first().program, QStringLiteral("/opt/test/bin/") + program);
        QCOMPARE(app->desktop.started.first().arguments, arguments);
        QVERIFY(app->desktop.messages.isEmpty());
        QVERIFY(app->desktop.opened.isEmpty());
        app->close();
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
        auto app = startApp();
        QVERIFY(app);
        QCOMPARE(activate(*app->window, key), Reached::Activated);
        QVERIFY(app->desktop.started.isEmpty());
        QCOMPARE(app->desktop.messages.size(), 1);
        const QString text = app->desktop.messages.first().text;
        for (const QString& name : named)
            QVERIFY2(text.contains(name), qPrintable(text));
        app->close();
    }

    void mailCommandsHarvestViewKeepAndEmpty()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        QVERIFY(waitDeferredStep(w)); // the list is emptied at start
        CommandEntry* start = w.pool().entry(QStringLiteral("QUORVINK:START"));
        QCOMPARE(start->icon(), 132);
        app->view(0)->Navigate(at("mail.html"));
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("mail.html"))));

        QSignalSpy passes(&w.harvester(), &Harvester::passFinished);
        QCOMPARE(activate(w, QStringLiteral("QUORVINK:START")), Reached::Activated);
        QCOMPARE(start->icon(), 133);
        QCOMPARE(w.harvester().Mail_Auto(), qint16(1));
        QVERIFY(passes.wait(10000));
        const QByteArray list = app->dir.read(QStringLiteral("MailsList.txt"));
        QVERIFY2(list.contains("one@example.org") && list.contains("two@example.org"),
                 list.constData());
        // The menu shows the "on" picture.
        CommandDriver::MenuSeen shown;
        chooseInMenu(w, "QUORVINK", QString(), &shown);
        QCOMPARE(shown.keys.value(0), QStringLiteral("QUORVINK:START"));

        QCOMPARE(activate(w, QStringLiteral("QUORVINK:START")), Reached::Activated);
        QCOMPARE(start->icon(), 132);
        QCOMPARE(w.harvester().Mail_Auto(), qint16(0));

        QCOMPARE(activate(w, QStringLiteral("QUORVINK:VIEW")), Reached::Activated);
        QCOMPARE(app->desktop.opened.last(),
                 QUrl::fromLocalFile(app->dir.file(QStringLiteral("MailsList.txt"))));

        app->dir.write(QStringLiteral("MailsBook.txt"), "kept@example.org\r\n");
        QCOMPARE(activate(w, QStringLiteral("QUORVINK:ADD")), Reached::Activated);
        QCOMPARE(app->dir.read(QStringLiteral("MailsBook.txt")), "kept@example.org\r\n" + list);
        QCOMPARE(app->desktop.opened.last(),
                 QUrl::fromLocalFile(app->dir.file(QStringLiteral("MailsBook.txt"))));
        QCOMPARE(app->dir.read(QStringLiteral("MailsList.txt")), list); // kept

        QCOMPARE(activate(w, QStringLiteral("QUORVINK:CANCEL")), Reached::Activated);
        QVERIFY(QFileInfo::exists(app->dir.file(QStringLiteral("MailsList.txt"))));
        QCOMPARE(app->dir.read(QStringLiteral("MailsList.txt")), QByteArray());
        QCOMPARE(app->dir.read(QStringLiteral("MailsBook.txt")), "kept@example.org\r\n" + list);
        QVERIFY(app->desktop.messages.isEmpty());
        app->close();
    }

    // --- The window ---------------------------------------------------------------------------

    void exitCommandsRunTheExitSequence_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addRow("toolbar EXIT0") << "EXIT0";
        QTest::addRow("sites toolbar EXIT2") << "EXIT2";
        QTest::addRow("menu EDIT:EXIT") << "EDIT:EXIT";
    }
    void exitCommandsRunTheExitSequence()
    {
        QFETCH(QString, key);
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        QSignalSpy exited(&w, &frmStart::exited);
        QFile::remove(app->dir.file(QStringLiteral("Data/orvelquorvink.Ini")));
        QCOMPARE(activate(w, key), Reached::Activated);
        QVERIFY(w.hasExited());
        QCOMPARE(exited.count(), 1);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE(linesOf(app->dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).size(), 6);
        QCOMPARE(linesOf(app->dir.read(QStringLiteral("Data/orvelquorvink.Ini"))).size(), 13);
    }

    void minimizeShowsTheMinimizedCaption()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        w.setGeometry(100, 200, 700, 500);
        QTRY_COMPARE(w.geometry(), QRect(100, 200, 700, 500));
        const QString caption = app->module->Lang_Text[179];
        QVERIFY(!caption.isEmpty());
        QCOMPARE(activate(w, QStringLiteral("MIN")), Reached::Activated);
        QTRY_VERIFY(w.isMinimized());
        QCOMPARE(w.windowTitle(), caption);
        QVERIFY(w.layout().Was_Min());
        QTest::qWait(300); // the platform confirms the state before the user restores
        QVERIFY(w.isMinimized());

        w.showNormal();
        QTRY_VERIFY(!w.isMinimized());
        QTest::qWait(300);
        QTRY_COMPARE(w.windowTitle(), QString());
        QVERIFY(!w.layout().Was_Min());
        // Restoring gives back the 285 twips of the title bar, upwards.
        QTRY_COMPARE(w.geometry(), QRect(100, 200 - 19, 700, 500 + 19));
        app->close();
    }

    void favoritesAvailableAfterTheDeferredStep()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        QToolButton* favorite = w.cmdBar(0)->button(QStringLiteral("FAVORITE"));
        QVERIFY(favorite);
        if (w.Timer4().isActive())
            QVERIFY(!favorite->isEnabled());
        QVERIFY(waitDeferredStep(w));
        QVERIFY(favorite->isEnabled());
        QSignalSpy activations(w.cmdBar(0), &CommandBarControl::activated);
        QCOMPARE(activate(w, QStringLiteral("FAVORITE")), Reached::Activated);
        QCOMPARE(activations.count(), 1);
        // No address is picked while the link tables do not exist: the view stays.
        QTest::qWait(200);
        QCOMPARE(QUrl(app->view(0)->LocationURL()), server.url(QStringLiteral("home.html")));
        QVERIFY(app->desktop.messages.isEmpty());
        app->close();
    }

    void unavailableEntriesAreDisabledAndDoNothing_data()
    {
        QTest::addColumn<QString>("key");
        for (const char* key :
             {"SAVE:HTML", "SAVE:WORDH", "SAVE:WORDV", "SAVE:EXCEL", "SAVE:PPT", "SAVE:PDF",
              "EDIT:VIEW", "EDIT:PICTURE", "LANG:NEW", "KELDRANO", "FILE:KELDRANO"})
            QTest::addRow("%s", key) << QString::fromLatin1(key);
    }
    void unavailableEntriesAreDisabledAndDoNothing()
    {
        QFETCH(QString, key);
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        QVERIFY(waitDeferredStep(w));
        CommandEntry* entry = w.pool().entry(key);
        QVERIFY(entry);
        QVERIFY(!entry->enabled());
        chooseInMenu(w, "EDIT", QString()); // the menu control exists from the first menu on
        QVERIFY(w.cmdBar(3));
        QSignalSpy fromToolbar(w.cmdBar(0), &CommandBarControl::activated);
        QSignalSpy fromMenus(w.cmdBar(3), &CommandBarControl::activated);
        const QStringList files = QDir(app->dir.root()).entryList(QDir::AllEntries);
        auto modal = std::make_shared<QStringList>();
        const QPointer<CommandDriver::Poller> watch = CommandDriver::poll(
            [modal] {
                if (QWidget* dialog = QApplication::activeModalWidget()) {
                    *modal << QString::fromLatin1(dialog->metaObject()->className());
                    dialog->close();
                }
                return false;
            },
            100);

        QCOMPARE(activate(w, key), Reached::Disabled);
        QTest::qWait(300);
        delete watch.data();
        QCOMPARE(fromToolbar.count(), 0);
        QCOMPARE(fromMenus.count(), 0);
        QCOMPARE(*modal, QStringList());
        QVERIFY(app->desktop.opened.isEmpty() && app->desktop.messages.isEmpty());
        QCOMPARE(QDir(app->dir.root()).entryList(QDir::AllEntries), files);
        QVERIFY(w.isVisible() && !w.hasExited());
        app->close();
    }

    void controlsFromFourOnAreIgnored()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        chooseInMenu(w, "FILE", QString());
        QVERIFY(w.cmdBar(3));
        QVERIFY(!w.cmdBar(4));
        CommandBarControl* four = w.cmdBar(0)->newInstanceRequest(0);
        QVERIFY(four);
        QCOMPARE(four->number(), 4);
        QCOMPARE(w.cmdBar(4), four);
        QVERIFY(four->isHidden());
        four->setBar(w.pool().bar(QStringLiteral("STANDARD2")));
        four->setGeometry(0, 40, 300, 30);
        four->show();
        QSignalSpy reported(four, &CommandBarControl::activated);
        const int searches = server.requestCount(QStringLiteral("search_url.html"));
        for (const char* key : {"GOOGLE", "MIN", "EXIT2"}) {
            QToolButton* button = four->button(QLatin1String(key));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QCOMPARE(reported.count(), 3);

        // Its menus too: control 4 shows the main toolbar and reports its menus itself.
        four->setBar(w.pool().bar(QStringLiteral("STANDARD0")));
        QCOMPARE(CommandDriver::chooseIn(four, "FILE", "FILE:XP"), Reached::Activated);
        QCOMPARE(CommandDriver::chooseIn(four, "NAVIGATE", "NAVIGATE:HOME"), Reached::Activated);
        QCOMPARE(reported.count(), 5);
        QCOMPARE(reported.last().at(0).toInt(), 4);

        QTest::qWait(300);
        QVERIFY(!w.hasExited());
        QVERIFY(w.isVisible() && !w.isMinimized());
        QCOMPARE(server.requestCount(QStringLiteral("search_url.html")), searches);
        QCOMPARE(QUrl(app->view(0)->LocationURL()), server.url(QStringLiteral("home.html")));
        QCOMPARE(app->module->options.Bar_Style, qint16(1));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(w.cmdBar(i)->barStyle(), 1);
        app->close();
    }
};

QUORVINK_TEST_MAIN(TestDispatch)
#include "test_dispatch.moc"
