// What the user types and sees always belongs to the tab shown: the address box opens exactly
// the text typed, the selected tab and the visible view never differ, and a page loading in a
// hidden tab never writes the address box, the status text or the page title. One real window
// against pages served from 127.0.0.1.
#include "testguard.h"

#include "app/bottomstrip.h"
#include "appfixture.h"
#include "browse/findbar.h"
#include "browse/pagestatus.h"
#include "browse/tabstrip.h"
#include "browse/viewkeys.h"
#include "browse/webpage.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testmain.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeySequence>
#include <QLabel>
#include <QWheelEvent>

// A picture of one pixel.
const QByteArray kGif =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7");

class TestCurrentTab : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;

    QString at(const char* path) const
    {
        return QStringLiteral("http://") + server.hostPort() + QLatin1Char('/') +
               QLatin1String(path);
    }
    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }
    TabStrip* strip() { return root().tabs().Tab1(); }
    QPoint tabCenter(int i) { return strip()->tabRect(i).center(); }

    // The tab shown is the tab selected, and only its view is visible.
    bool selectionMatchesView()
    {
        const TabSet& tabs = root().tabs();
        for (const BrowserView* view : tabs.Web()) {
            if (view->isVisible() != (view->index() == tabs.selected()))
                return false;
        }
        return true;
    }

    // Presses a key in the window while the page of the current tab has the focus, as a user
    // does who reads the page.
    void pressInPage(const QKeySequence& key)
    {
        // The history's suggestions that typing opened are gone once the user reads the page
        // (the tests type into the box directly, past the pop-up, which so stays open).
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QTRY_COMPARE(QApplication::activePopupWidget(), nullptr);
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        // A view that never showed a page has none: the window has the focus then.
        QWidget* page = root().currentView()->widget()->focusProxy();
        if (!page)
            page = &w();
        page->setFocus();
        QTRY_VERIFY(page->hasFocus());
        QTest::keySequence(page, key);
    }

    // Opens an address typed into the box in the current tab and waits for it.
    bool open(const char* path)
    {
        typeAddress(w().Text1(), at(path));
        return AppFixture::waitFor(root().currentView(), server.url(QLatin1String(path)));
    }

    // Chooses a tab with the left button and waits for the page it shows.
    bool leftClickTab(int i, const QUrl& shows)
    {
        QTest::mouseClick(strip(), Qt::LeftButton, {}, tabCenter(i));
        return root().tabs().selected() == i && AppFixture::waitFor(root().tabs().view(i), shows);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        for (const char* page : {"home.html", "page", "page2", "a.html", "b.html"})
            server.setPage(QLatin1String(page),
                           htmlPage(QLatin1String(page), QStringLiteral("<p>alpha and alpha</p>")));
        server.setHangingPage(QStringLiteral("slow.html"), "<html><body><p>loading");
        server.setPage(QStringLiteral("logo.gif"), kGif, QByteArrayLiteral("image/gif"));
        server.setPage(QStringLiteral("style.css"), "p {}", QByteArrayLiteral("text/css"));
        server.setPage(QStringLiteral("scripted.html"),
                       "<html><body><script>document.title = 'ran'</script></body></html>");
        // Reloads itself twice a second, as a news ticker does.
        server.setPage(
            QStringLiteral("ticker.html"),
            htmlPage(QStringLiteral("Ticker"),
                     QStringLiteral("<script>setTimeout(() => location.reload(), 500)</script>")));
        useLocalSites(app.dir, QStringLiteral("http://") + server.hostPort(), 4);
        // A language like English with two tabs only.
        QByteArray fewer = app.dir.read(QStringLiteral("Languages/Quorvink_English.txt"));
        fewer.replace("TAB_NUMBER=4", "TAB_NUMBER=2");
        QVERIFY(app.dir.write(QStringLiteral("Languages/Quorvink_Fewer.txt"), fewer));
        // The history already knows a longer address that begins with one the user will type.
        QVERIFY(app.dir.write(QStringLiteral("Data/orvelquorvink.Hys"),
                              (at("page2") + QStringLiteral("\r\n")).toUtf8()));
        app.start(at("home.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("home.html"))));
    }

    void init()
    {
        TestGuard::failOnWarnings();
        if (app.module->options.Lang_Name != QLatin1String("English"))
            root().switchLanguage(QStringLiteral("English"));
        QVERIFY(app.reset(server.url(QStringLiteral("home.html"))));
    }

    void cleanupTestCase() { app.close(); }

    void enterOpensExactlyTheTypedAddress()
    {
        QVERIFY(w().Text1()->items().contains(at("page2")));
        const int longer = server.requestCount(QStringLiteral("page2"));
        // Typed as a user types, every key to the focused address box: the address typed is the
        // beginning of one in the history.
        AddressBox* box = w().Text1();
        box->setText(QString());
        box->setFocus();
        QTest::keyClicks(box, at("page"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("page"))));
        QCOMPARE(w().Text1()->text(), at("page"));
        QCOMPARE(server.requestCount(QStringLiteral("page2")), longer);
    }

    void suggestionChosenWithTheKeysOpensIt()
    {
        AddressBox* box = w().Text1();
        box->setText(QString());
        box->setFocus();
        QTest::keyClicks(box, at("page"));
        QAbstractItemView* popup = w().Text1()->completer()->popup();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(w().Text1()->text(), at("page")); // nothing completed in place
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("page2"))));
        QCOMPARE(w().Text1()->text(), at("page2"));
    }

    void tabStripInputKeepsSelectionAndViewTogether_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("selectedAfter");
        QTest::addRow("wheel does nothing") << "wheel" << 0;
        QTest::addRow("arrow key chooses as a left click") << "arrow" << 1;
        QTest::addRow("right click reloads the tab clicked") << "right" << 0;
        QTest::addRow("left and right together change nothing") << "both" << 0;
    }
    void tabStripInputKeepsSelectionAndViewTogether()
    {
        QFETCH(QString, input);
        QFETCH(int, selectedAfter);
        // Tab 1 shows b.html, then tab 0 is chosen again.
        QVERIFY(leftClickTab(1, server.url(QStringLiteral("home.html"))));
        typeAddress(w().Text1(), at("b.html"));
        QVERIFY(AppFixture::waitFor(app.view(1), server.url(QStringLiteral("b.html"))));
        QVERIFY(leftClickTab(0, server.url(QStringLiteral("home.html"))));
        const int bRequests = server.requestCount(QStringLiteral("b.html"));

        if (input == QLatin1String("wheel")) {
            const QPoint at = tabCenter(0);
            QWheelEvent wheel(at, strip()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(strip(), &wheel);
        } else if (input == QLatin1String("arrow")) {
            strip()->setFocus();
            QTest::keyClick(strip(), Qt::Key_Right);
        } else if (input == QLatin1String("right")) {
            QTest::mouseClick(strip(), Qt::RightButton, {}, tabCenter(1));
            QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("b.html")) > bRequests,
                                     10000);
        } else {
            QTest::mousePress(strip(), Qt::LeftButton, {}, tabCenter(1));
            QMouseEvent right(QEvent::MouseButtonPress, tabCenter(1),
                              strip()->mapToGlobal(tabCenter(1)), Qt::RightButton,
                              Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
            QCoreApplication::sendEvent(strip(), &right);
            QMouseEvent releaseRight(QEvent::MouseButtonRelease, tabCenter(1),
                                     strip()->mapToGlobal(tabCenter(1)), Qt::RightButton,
                                     Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(strip(), &releaseRight);
            QTest::mouseRelease(strip(), Qt::LeftButton, {}, tabCenter(1));
        }
        QCOMPARE(root().tabs().selected(), selectedAfter);
        QVERIFY(selectionMatchesView());

        // An address typed now opens in the tab the user sees.
        BrowserView* shown = root().tabs().view(selectedAfter);
        typeAddress(w().Text1(), at("a.html"));
        QVERIFY(AppFixture::waitFor(shown, server.url(QStringLiteral("a.html"))));
        QVERIFY(shown->isVisible());
    }

    void hiddenTabNeverWritesWhatTheUserReads()
    {
        QVERIFY(leftClickTab(1, server.url(QStringLiteral("home.html"))));
        typeAddress(w().Text1(), at("ticker.html"));
        QVERIFY(AppFixture::waitFor(app.view(1), server.url(QStringLiteral("ticker.html"))));
        QVERIFY(leftClickTab(0, server.url(QStringLiteral("home.html"))));
        const QString status = w().picStat()->statusBar()->text();
        const QString title = root().pageStatus().Page_Title();

        w().Text1()->setText(QString());
        QTest::keyClicks(w().Text1()->lineEdit(), QStringLiteral("half typed"));
        // The ticker in the hidden tab reloads twice more while the user types.
        const int reloads = server.requestCount(QStringLiteral("ticker.html"));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("ticker.html")) >= reloads + 2,
                                 10000);
        QVERIFY(AppFixture::waitFor(app.view(1), server.url(QStringLiteral("ticker.html"))));
        QCOMPARE(w().Text1()->text(), QStringLiteral("half typed"));
        QCOMPARE(w().picStat()->statusBar()->text(), status);
        QCOMPARE(root().pageStatus().Page_Title(), title);
        app.view(1)->Navigate(at("b.html")); // the ticker stops
        QVERIFY(AppFixture::waitFor(app.view(1), server.url(QStringLiteral("b.html"))));
    }

    void fewerTabsAfterALanguageSwitchShowTheSelectedTab()
    {
        QVERIFY(leftClickTab(1, server.url(QStringLiteral("home.html"))));
        QVERIFY(leftClickTab(3, QUrl())); // tab 2 never showed a page: tab 3 stays empty
        QCOMPARE(root().tabs().selected(), 3);
        root().switchLanguage(QStringLiteral("fewer"));
        QCOMPARE(root().tabs().count(), 2);
        QVERIFY(root().tabs().selected() < 2);
        QVERIFY(selectionMatchesView());
        QVERIFY(root().currentView()->widget()->geometry().height() > 0);
        root().switchLanguage(QStringLiteral("English"));
        QCOMPARE(root().tabs().count(), 4);
        QVERIFY(selectionMatchesView());
    }

    void localAndOwnAddressesOpenAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        const QString file = app.dir.file(QStringLiteral("Data/manual page.html"));
        QTest::addRow("file address") << QUrl::fromLocalFile(file).toString();
        QTest::addRow("absolute path") << file;
        QTest::addRow("program's start page") << "quorvink:start";
    }
    void localAndOwnAddressesOpenAsTyped()
    {
        QFETCH(QString, typed);
        QVERIFY(app.dir.write(QStringLiteral("Data/manual page.html"), htmlPage("Manual")));
        const QString shows =
            typed.startsWith(u'/') ? QUrl::fromLocalFile(typed).toString() : typed;
        const QStringList history = w().Text1()->items();
        typeAddress(w().Text1(), typed);
        QVERIFY(AppFixture::waitFor(app.view(0), QUrl(shows)));
        QCOMPARE(w().Text1()->text(), shows);
        QCOMPARE(w().Text1()->items(), history); // only web addresses enter the history
    }

    void localPageShowsTheWebButReadsNothingOfTheUser()
    {
        // A page saved from the web and opened from disk: its pictures and style come from the
        // disk and from the web, but its script, which could read another file of the user's
        // and hand it to the web, does not run.
        QVERIFY(app.dir.write(QStringLiteral("Data/secret.txt"), "secret"));
        QVERIFY(app.dir.write(QStringLiteral("Data/pic.gif"), kGif));
        const QString page = QStringLiteral(
            "<link rel=stylesheet href='%1'><img src='%2'><img src='pic.gif'><script>"
            "fetch('secret.txt').then(r => r.text()).then(t => { new Image().src = '%3/' + t; })"
            "</script>");
        const QString file = app.dir.file(QStringLiteral("Data/saved.html"));
        QVERIFY(app.dir.write(QStringLiteral("Data/saved.html"),
                              htmlPage(QStringLiteral("Saved"),
                                       page.arg(at("style.css"), at("logo.gif"), at("leak")))));
        typeAddress(w().Text1(), file);
        QVERIFY(AppFixture::waitFor(app.view(0), QUrl::fromLocalFile(file)));
        // Read in the program's own world, which runs on local pages too.
        QTRY_VERIFY(evaluate(app.view(0), QStringLiteral("[...document.images].every("
                                                         "i => i.complete && i.naturalWidth)"))
                        .toBool());
        QVERIFY(server.requestCount(QStringLiteral("style.css")) > 0);
        // The engine's listing of a folder runs, and so do a web page's scripts.
        typeAddress(w().Text1(), QFileInfo(file).absolutePath());
        QTRY_VERIFY(evaluate(app.view(0), QStringLiteral("document.body.innerText"))
                        .toString()
                        .contains(QLatin1String("saved.html")));
        QVERIFY(open("scripted.html"));
        QTRY_COMPARE(app.view(0)->LocationName(), QStringLiteral("ran"));
        for (const HttpServer::Request& request : server.requests())
            QVERIFY2(!request.path.startsWith(u"leak"), qPrintable(request.path));
    }

    void keysWorkWhileThePageHasTheFocus_data()
    {
        QTest::addColumn<QString>("keys");
        // One key of each command: a command's other keys are its record's, which the catalogue
        // test holds to the same rules.
        for (const char* keys :
             {"F5", "Alt+Left", "Esc", "Ctrl+L", "Ctrl+Tab", "Alt+Home", "Ctrl+F", "Ctrl+O"})
            QTest::addRow("%s", keys) << QString::fromLatin1(keys);
    }
    void keysWorkWhileThePageHasTheFocus()
    {
        QFETCH(QString, keys);
        const QKeySequence key(keys);
        QVERIFY(open("a.html"));
        BrowserView* view = app.view(0);
        const int before = server.requestCount(QStringLiteral("a.html"));
        if (keys == u"Alt+Left") {
            // Back leaves b.html for an earlier page (the engine may skip one it deems passed
            // through), forward comes back to it.
            QVERIFY(open("b.html"));
            pressInPage(key);
            QTRY_VERIFY_WITH_TIMEOUT(view->LocationURL() != at("b.html") && !view->Busy(), 20000);
            pressInPage(QKeySequence(QStringLiteral("Alt+Right")));
            QVERIFY(AppFixture::waitFor(view, server.url(QStringLiteral("b.html"))));
        } else if (keys == u"Esc" || keys == u"Ctrl+F") {
            view->Navigate(at("slow.html"));
            QTRY_VERIFY(view->Busy());
            pressInPage(key);
            // In the find bar Escape closes the bar, and only that.
            QLineEdit* find = root().findBar()->input();
            if (keys == u"Ctrl+F") {
                QTRY_VERIFY(find->hasFocus());
                QTest::keyClick(find, Qt::Key_Escape);
                QTRY_VERIFY(!find->isVisible());
            }
            QTRY_COMPARE(view->Busy(), keys == u"Ctrl+F");
            view->Stop();
        } else if (keys == u"Ctrl+Tab") {
            pressInPage(key);
            // A tab never used shows its left neighbour's page, as after a left click.
            QVERIFY(AppFixture::waitFor(app.view(1), server.url(QStringLiteral("a.html"))));
            QCOMPARE(root().tabs().selected(), 1);
            // Back around the start, as the X keyboard sends it (Shift makes Tab Backtab).
            pressInPage(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab));
            pressInPage(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab));
            QCOMPARE(root().tabs().selected(), root().tabs().count() - 1);
            pressInPage(QKeySequence(QStringLiteral("Alt+2")));
            QCOMPARE(root().tabs().selected(), 1);
            QVERIFY(selectionMatchesView());
        } else if (keys == u"Alt+Home") {
            pressInPage(key);
            QVERIFY(AppFixture::waitFor(view, BrowserView::engineHomePage()));
            QTRY_COMPARE(w().Text1()->text(), BrowserView::engineHomePage().toString());
        } else if (keys == u"Ctrl+O") {
            const QString file = app.dir.file(QStringLiteral("Data/chosen.html"));
            QVERIFY(app.dir.write(QStringLiteral("Data/chosen.html"), htmlPage("Chosen")));
            app.desktop.openAnswers = QStringList{file};
            pressInPage(key);
            QVERIFY(AppFixture::waitFor(view, QUrl::fromLocalFile(file)));
        } else if (keys == u"F5") {
            pressInPage(key);
            QTRY_COMPARE(server.requestCount(QStringLiteral("a.html")), before + 1);
        } else {
            pressInPage(key);
            QTRY_VERIFY(w().Text1()->lineEdit()->hasFocus());
            QCOMPARE(w().Text1()->lineEdit()->selectedText(), at("a.html"));
        }
    }

    void zoomKeysAndWheelZoomTheCurrentTabForTheRun()
    {
        QVERIFY(open("a.html"));
        ViewKeys& zoom = app.view(0)->keys();
        pressInPage(QKeySequence(QStringLiteral("Ctrl++")));
        QTRY_COMPARE(zoom.zoomFactor(), 1.1);
        // Ctrl and the wheel zoom as the keys do.
        QWidget* page = app.view(0)->widget()->focusProxy();
        const QPoint middle = page->rect().center();
        QWheelEvent wheel(middle, page->mapToGlobal(middle), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(page, &wheel);
        QTRY_COMPARE(zoom.zoomFactor(), 1.25);
        // The tab keeps its zoom for the pages it opens next; the other tabs keep theirs.
        QVERIFY(open("b.html"));
        QCOMPARE(zoom.zoomFactor(), 1.25);
        QCOMPARE(app.view(1)->keys().zoomFactor(), 1.0);
        pressInPage(QKeySequence(QStringLiteral("Ctrl+0")));
        QTRY_COMPARE(zoom.zoomFactor(), 1.0);
    }

    void menusShowTheKeys()
    {
        CommandDriver::MenuSeen navigate;
        CommandDriver::chooseInMenu(w(), QStringLiteral("NAVIGATE"), QString(), &navigate);
        const int reload = navigate.keys.indexOf(QStringLiteral("NAVIGATE:REFRESH"));
        QCOMPARE(navigate.shortcuts.value(reload), QStringLiteral("F5"));
        QCOMPARE(navigate.texts.value(reload), app.module->Lang_Text[126]);
    }

    void addressStatusTooltipAndBookmarkFollowTheSelectedTab()
    {
        // Tab 1 follows a link to b.html; tab 0 shows a.html.
        QVERIFY(open("a.html"));
        QVERIFY(leftClickTab(1, server.url(QStringLiteral("a.html"))));
        app.view(1)->page()->runJavaScript(QStringLiteral("location.href='/b.html'"));
        QVERIFY(AppFixture::waitFor(app.view(1), server.url(QStringLiteral("b.html"))));
        QVERIFY(leftClickTab(0, server.url(QStringLiteral("a.html"))));
        QCOMPARE(w().Text1()->text(), at("a.html"));
        QCOMPARE(w().picStat()->statusBar()->text(), QStringLiteral("a.html"));
        QCOMPARE(root().pageStatus().Page_Title(), QStringLiteral("a.html"));
        root().navigation().Save_BookMark();
        QCOMPARE(app.dir.read(QStringLiteral("Data/OrvelBook.bm")),
                 (at("a.html") + "\r\n").toUtf8());
        // The tooltip over tab 1 names the page it shows, not the one first opened there.
        root().tabs().onPointerMoved(strip()->width() * 3 / (2 * root().tabs().count()));
        QCOMPARE(strip()->toolTip(), at("b.html"));
        QVERIFY(leftClickTab(1, server.url(QStringLiteral("b.html"))));
        QCOMPARE(w().Text1()->text(), at("b.html"));
        QCOMPARE(w().picStat()->statusBar()->text(), QStringLiteral("b.html"));
    }

    void findCounterSpeaksTheLanguage()
    {
        root().switchLanguage(QStringLiteral("italiano"));
        const QString format = app.module->Lang_Text[232];
        QVERIFY(format.contains(QLatin1String("%2")));
        QVERIFY(format != QLatin1String("%1 of %2"));
        FindBar* bar = root().findBar();
        bar->open(root().currentView());
        QTest::keyClicks(bar->input(), QStringLiteral("alpha"));
        QTest::keyClick(bar->input(), Qt::Key_Return);
        // Typing searches already; Enter goes on to the next match.
        QTRY_VERIFY_WITH_TIMEOUT(bar->resultText() == format.arg(1).arg(2) ||
                                     bar->resultText() == format.arg(2).arg(2),
                                 10000);
    }
};

QUORVINK_TEST_MAIN(TestCurrentTab)
#include "test_currenttab.moc"
