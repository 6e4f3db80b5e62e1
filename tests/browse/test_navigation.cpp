// End-to-end tests of browsing in the real main window: the address box, the tabs, the page
// events, the history and the bookmark, against pages served from 127.0.0.1.
#include "app/windowlayout.h"
#include "appfixture.h"
#include "browse/addressbox.h"
#include "browse/navigation.h"
#include "browse/sitename.h"
#include "browse/tabstrip.h"
#include "browse/webattend.h"
#include "browse/webpage.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "app/bottomstrip.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QWebEngineHistory>

namespace {

// The tabs of the shared window. The last two are left to the test of a tab whose neighbour
// never showed a page: no other test opens anything in them.
constexpr int kTabs = 5;

} // namespace

class TestNavigation : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;

    QString base() const { return QStringLiteral("http://") + server.hostPort(); }
    QUrl home() const { return server.url(QStringLiteral("home.html")); }

    static QPoint tabCenter(TabStrip* strip, int i) { return strip->tabRect(i).center(); }

    // The shared window as it was after its start: no view loading, an empty history list, only
    // tab 0 has shown a page (home, with its address and caption), and no other tab has a caption
    // or an address.
    bool resetWindow()
    {
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        for (BrowserView* view : b.tabs().Web()) {
            view->Stop();
            if (!QTest::qWaitFor([view] { return !view->Busy(); }, 20000))
                return false;
        }
        w.Text1()->clear();
        b.tabs().clearTabUrls();
        b.tabs().clearCaptions();
        if (!app.reset(home()) || !AppFixture::waitFor(app.view(0), home()))
            return false;
        b.tabs().setTabUrl(0, home().toString());
        b.tabs().setCaption(0, Site_Name(home().toString()));
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("start.html"), htmlPage(QStringLiteral("Start")));
        server.setPage(QStringLiteral("a.html"), htmlPage(QStringLiteral("Page A")));
        server.setPage(QStringLiteral("b.html"), htmlPage(QStringLiteral("Page B")));
        server.setPage(
            QStringLiteral("closer.html"),
            htmlPage(QStringLiteral("Closer"),
                     QStringLiteral("<script>function closeMe() { window.close(); }</script>")));
        server.setPage(
            QStringLiteral("mail.html"),
            htmlPage(QStringLiteral("Mail"),
                     QStringLiteral("<a href='mailto:Someone@Example.org' style='display:block;"
                                    "position:fixed;inset:0'>write</a>")));
        server.setHangingPage(QStringLiteral("slow.html"), "<html><body><p>loading");
        QVERIFY(startShared(app, base(), home(), kTestTimings, kTabs));
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(resetWindow());
    }

    void cleanupTestCase() { app.close(); }

    void typedAddressOpensWithSchemeNamesTabAndEntersHistory()
    {
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        const int before = w.Text1()->count();
        const QString typed = server.hostPort() + QStringLiteral("/a.html");
        typeAddress(w.Text1(), typed);
        const QString expected = QStringLiteral("http://") + typed;
        QCOMPARE(w.Text1()->text(), expected);
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("a.html"))));
        QCOMPARE(b.tabs().caption(0), QStringLiteral("127.0.0.1:%1").arg(server.port()));
        QCOMPARE(b.tabs().Tab_URL()[0], expected);
        QCOMPARE(b.navigation().Cur_URL(), expected);
        QCOMPARE(w.Text1()->count(), before + 1);
        QCOMPARE(w.Text1()->itemText(before), expected);

        // The same address again does not enter twice; another letter case does.
        typeAddress(w.Text1(), expected);
        QCOMPARE(w.Text1()->count(), before + 1);
        typeAddress(w.Text1(), QStringLiteral("HTTP://") + typed);
        QCOMPARE(w.Text1()->text(), QStringLiteral("HTTP://") + typed); // no second scheme
        QCOMPARE(w.Text1()->count(), before + 2);
    }

    void emptyBoxOpensStartPageAndKeepsCaption()
    {
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        const QString caption = b.tabs().caption(0);
        const int items = w.Text1()->count();
        typeAddress(w.Text1(), QString());
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("start.html"))));
        QCOMPARE(b.tabs().caption(0), caption);
        QCOMPARE(b.tabs().Tab_URL()[0], base() + QStringLiteral("/home.html"));
        QCOMPARE(w.Text1()->count(), items);
    }

    void leftClickCopiesLeftNeighbourRightClickReloads()
    {
        Browser& w = *app.browser;
        TabStrip* strip = w.tabs().Tab1();
        const QUrl homeUrl = home();

        QTest::mouseClick(strip, Qt::LeftButton, {}, tabCenter(strip, 1));
        QCOMPARE(w.tabs().selected(), 1);
        QVERIFY(AppFixture::waitFor(app.view(1), homeUrl));
        QCOMPARE(w.tabs().caption(1), w.tabs().caption(0));
        QCOMPARE(w.tabs().Tab_URL()[1], homeUrl.toString());
        QVERIFY(app.view(1)->isVisible());
        QVERIFY(!app.view(0)->isVisible());

        QTest::mouseClick(strip, Qt::LeftButton, {}, tabCenter(strip, 2));
        QVERIFY(AppFixture::waitFor(app.view(2), homeUrl));
        QCOMPARE(w.tabs().Tab_URL()[2], homeUrl.toString());

        // A right click reloads the selected tab's page and leaves the visible view alone.
        const int requests = server.requestCount(QStringLiteral("home.html"));
        QTest::mouseClick(strip, Qt::RightButton, {}, tabCenter(strip, 2));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("home.html")) > requests,
                                 10000);
        QVERIFY(app.view(2)->isVisible());
        QVERIFY(!app.view(0)->isVisible() && !app.view(1)->isVisible());
    }

    void neverUsedNeighbourLeavesTabEmpty()
    {
        Browser& w = *app.browser;
        QCOMPARE(w.tabs().count(), kTabs);
        TabStrip* strip = w.tabs().Tab1();
        // The last tab's neighbour never showed a page.
        const int last = kTabs - 1;
        QTest::mouseClick(strip, Qt::LeftButton, {}, tabCenter(strip, last));
        QCOMPARE(w.tabs().selected(), last);
        // The click is handled as it is sent; whatever it queued has run once this marker has.
        auto marker = std::make_shared<bool>(false);
        QMetaObject::invokeMethod(
            &w, [marker] { *marker = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(*marker);
        QVERIFY(!app.view(last)->hasDocument());
        QVERIFY(w.tabs().caption(last).isEmpty());
        QVERIFY(w.tabs().Tab_URL()[last].isEmpty());
    }

    void tabTooltipFollowsPointer()
    {
        Browser& w = *app.browser;
        for (int i = 0; i < kTabs; ++i)
            w.tabs().setTabUrl(i, QStringLiteral("u%1").arg(i));
        TabStrip* strip = w.tabs().Tab1();
        const int part = strip->width() / kTabs;
        QTest::mouseMove(strip, QPoint(2 * part + part / 2, 3));
        QTRY_COMPARE(strip->toolTip(), QStringLiteral("u2"));
        w.tabs().onPointerMoved(strip->width() + 5);
        QCOMPARE(strip->toolTip(), QString());
    }

    void pageScriptCannotCloseTheView()
    {
        frmStart& w = *app.window;
        typeAddress(w.Text1(), base() + QStringLiteral("/closer.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("closer.html"))));
        // The engine lets a script close only a window whose history holds nothing but its page;
        // so that the request reaches the program, the page is all the view's history holds.
        WebPage* page = app.view(0)->page();
        page->history()->clear();
        QSignalSpy closeAsked(page, &QWebEnginePage::windowCloseRequested);
        page->runJavaScript(QStringLiteral("closeMe()"));
        QTRY_COMPARE_WITH_TIMEOUT(closeAsked.size(), 1, 10000);
        QVERIFY(w.isVisible());
        QVERIFY(app.view(0)->isVisible());
        QCOMPARE(app.view(0)->LocationName(), QStringLiteral("Closer"));
    }

    void hiddenTabMovesTheProgressBarButNotTheAddress()
    {
        frmStart& w = *app.window;
        QTRY_COMPARE(w.picStat()->progressBar()->value(), 100);
        const QString shown = w.Text1()->text();
        BrowserView* hidden = app.view(2);
        QVERIFY(!hidden->isVisible());
        hidden->Navigate(base() + QStringLiteral("/slow.html"));
        QTRY_VERIFY_WITH_TIMEOUT(w.picStat()->progressBar()->value() < 100, 10000);
        QVERIFY(hidden->Busy());
        // The address box belongs to the tab shown.
        QCOMPARE(w.Text1()->text(), shown);
        hidden->Stop();
    }

    void mailtoNavigationLeavesAddressBoxAlone()
    {
        frmStart& w = *app.window;
        typeAddress(w.Text1(), base() + QStringLiteral("/mail.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("mail.html"))));
        const QString shown = w.Text1()->text();
        QWidget* surface = app.view(0)->widget()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(!app.desktop.opened.isEmpty(), 10000);
        QCOMPARE(app.desktop.opened.last().scheme(), QStringLiteral("mailto"));
        QCOMPARE(w.Text1()->text(), shown);
        QCOMPARE(w.picStat()->statusBar()->text(), app.module->Lang_Text[179]);
    }

    // Nothing on the desktop opens mail addresses: the first failure is told, the next ones a
    // page asks for right after it pass quietly instead of piling messages up.
    void failedMailAddressesAreToldOnce()
    {
        frmStart& w = *app.window;
        typeAddress(w.Text1(), base() + QStringLiteral("/mail.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("mail.html"))));
        app.desktop.openAnswer = false;
        app.desktop.opened.clear();
        app.desktop.messages.clear();
        QWidget* surface = app.view(0)->widget()->focusProxy();
        for (int clicks = 1; clicks <= 2; ++clicks) {
            QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
            QTRY_COMPARE_WITH_TIMEOUT(app.desktop.opened.size(), clicks, 10000);
        }
        app.desktop.openAnswer = true;
        QCOMPARE(app.desktop.messages.size(), 1);
        QVERIFY(app.desktop.messages[0].text.contains(app.desktop.opened[0].toString()));
        QVERIFY(app.desktop.messages[0].text.contains(QStringLiteral("xdg-open")));
    }

    void historyKeepsNewestThirtyAcrossRuns()
    {
        auto first = ownAppBeside(app, base());
        QVERIFY(first);
        first->start(home().toString());
        QVERIFY(AppFixture::waitFor(first->view(0), home()));
        frmStart& w = *first->window;
        for (int i = 1; i <= 40; ++i)
            typeAddress(w.Text1(), base() + QStringLiteral("/a.html?n=%1").arg(i));
        QCOMPARE(w.Text1()->count(), 40);
        first->close();
        const QByteArray file = first->dir.read(QStringLiteral("Data/orvelquorvink.Hys"));
        const QStringList saved =
            QString::fromUtf8(file).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(saved.size(), 30);
        QCOMPARE(saved.first(), base() + QStringLiteral("/a.html?n=11"));
        QCOMPARE(saved.last(), base() + QStringLiteral("/a.html?n=40"));

        // The next run loads them into the list.
        auto next = ownAppBeside(app, base());
        QVERIFY(next);
        next->dir.write(QStringLiteral("Data/orvelquorvink.Hys"), file);
        next->start(home().toString());
        QCOMPARE(next->window->Text1()->items(), saved);
        QCOMPARE(next->window->Text1()->text(), home().toString());

        // Nothing opened through its address box yet: the bookmark is the page shown, home.
        Navigation& navigation = next->browser->navigation();
        navigation.Save_BookMark();
        QCOMPARE(next->dir.read(QStringLiteral("Data/OrvelBook.bm")),
                 (home().toString() + QStringLiteral("\r\n")).toUtf8());
        next->close();
    }

    void bookmarkSavesShownPageAndReopensFirstLine()
    {
        // The bookmark of a window where nothing was opened through the address box yet is
        // checked on the fresh window of the history test.
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        typeAddress(w.Text1(), base() + QStringLiteral("/a.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("a.html"))));
        // After following a link inside the page the bookmark is the page shown.
        app.view(0)->page()->runJavaScript(QStringLiteral("location.href='/b.html'"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("b.html"))));
        b.navigation().Save_BookMark();
        QCOMPARE(app.dir.read(QStringLiteral("Data/OrvelBook.bm")),
                 (base() + QStringLiteral("/b.html\r\n")).toUtf8());

        app.dir.write(QStringLiteral("Data/OrvelBook.bm"), (base() + QStringLiteral("/b.html\r\n") +
                                                            base() + QStringLiteral("/a.html\r\n"))
                                                               .toUtf8());
        const QStringList tabUrls = b.tabs().Tab_URL();
        const int items = w.Text1()->count();
        b.navigation().Read_BookMark();
        QCOMPARE(w.Text1()->text(), base() + QStringLiteral("/b.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("b.html"))));
        QCOMPARE(b.tabs().Tab_URL(), tabUrls);
        QCOMPARE(w.Text1()->count(), items);
        QCOMPARE(b.navigation().Mark_URL(), base() + QStringLiteral("/a.html"));
    }

    void webAttendReturnsOnCompletePageAndGivesUpOnHangingPage()
    {
        Browser& w = *app.browser;
        QElapsedTimer t;
        t.start();
        QVERIFY(WebAttend([&w] { return w.currentView(); }));
        QVERIFY2(t.elapsed() >= 450 && t.elapsed() < 2000,
                 qPrintable(QString::number(t.elapsed())));

        app.view(0)->Navigate(base() + QStringLiteral("/slow.html"));
        const int bound = 1000;
        t.restart();
        QVERIFY(!::WebAttend([&] { return w.currentView(); }, bound));
        QVERIFY(t.elapsed() >= bound);
        app.view(0)->Stop();
    }
};

QUORVINK_TEST_MAIN(TestNavigation)
#include "test_navigation.moc"
