// End-to-end tests of browsing in the real main window: the address box, the tabs, the page
// events, the history and the bookmark, against pages served from 127.0.0.1.
#include "app/windowlayout.h"
#include "appfixture.h"
#include "browse/addressbox.h"
#include "browse/navigation.h"
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

class TestNavigation : public QObject {
    Q_OBJECT

    HttpServer server;

    QString base() const { return QStringLiteral("http://") + server.hostPort(); }

    std::unique_ptr<AppFixture> startApp(int tabs = 3)
    {
        auto app = std::make_unique<AppFixture>();
        useLocalSites(app->dir, base(), tabs);
        app->start(base() + QStringLiteral("/home.html"));
        if (!AppFixture::waitFor(app->view(0), server.url(QStringLiteral("home.html"))))
            return nullptr;
        return app;
    }

    static QPoint tabCenter(TabStrip* strip, int i) { return strip->tabRect(i).center(); }

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("start.html"), htmlPage(QStringLiteral("Start")));
        server.setPage(QStringLiteral("a.html"), htmlPage(QStringLiteral("Page A")));
        server.setPage(QStringLiteral("b.html"), htmlPage(QStringLiteral("Page B")));
        server.setPage(
            QStringLiteral("closer.html"),
            htmlPage(QStringLiteral("Closer"), QStringLiteral("<script>window.close()</script>")));
        server.setPage(
            QStringLiteral("mail.html"),
            htmlPage(QStringLiteral("Mail"),
                     QStringLiteral("<a href='mailto:Someone@Example.org' style='display:block;"
                                    "position:fixed;inset:0'>write</a>")));
        server.setHangingPage(QStringLiteral("slow.html"), "<html><body><p>loading");
    }

    void typedAddressOpensWithSchemeNamesTabAndEntersHistory()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        const int before = w.Text1()->count();
        const QString typed = server.hostPort() + QStringLiteral("/a.html");
        typeAddress(w.Text1(), typed);
        const QString expected = QStringLiteral("http://") + typed;
        QCOMPARE(w.Text1()->text(), expected);
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("a.html"))));
        QCOMPARE(w.tabs().caption(0), QStringLiteral("127.0.0.1:%1").arg(server.port()));
        QCOMPARE(w.tabs().Tab_URL()[0], expected);
        QCOMPARE(w.navigation().Cur_URL(), expected);
        QCOMPARE(w.Text1()->count(), before + 1);
        QCOMPARE(w.Text1()->itemText(before), expected);

        // The same address again does not enter twice; another letter case does.
        typeAddress(w.Text1(), expected);
        QCOMPARE(w.Text1()->count(), before + 1);
        typeAddress(w.Text1(), QStringLiteral("HTTP://") + typed);
        QCOMPARE(w.Text1()->text(), QStringLiteral("HTTP://") + typed); // no second scheme
        QCOMPARE(w.Text1()->count(), before + 2);
        app->close();
    }

    void emptyBoxOpensStartPageAndKeepsCaption()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        const QString caption = w.tabs().caption(0);
        const int items = w.Text1()->count();
        typeAddress(w.Text1(), QString());
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("start.html"))));
        QCOMPARE(w.tabs().caption(0), caption);
        QCOMPARE(w.tabs().Tab_URL()[0], base() + QStringLiteral("/home.html"));
        QCOMPARE(w.Text1()->count(), items);
        app->close();
    }

    void leftClickCopiesLeftNeighbourRightClickReloads()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        TabStrip* strip = w.tabs().Tab1();
        const QUrl home = server.url(QStringLiteral("home.html"));

        QTest::mouseClick(strip, Qt::LeftButton, {}, tabCenter(strip, 1));
        QCOMPARE(w.tabs().selected(), 1);
        QVERIFY(AppFixture::waitFor(app->view(1), home));
        QCOMPARE(w.tabs().caption(1), w.tabs().caption(0));
        QCOMPARE(w.tabs().Tab_URL()[1], home.toString());
        QVERIFY(app->view(1)->isVisible());
        QVERIFY(!app->view(0)->isVisible());

        QTest::mouseClick(strip, Qt::LeftButton, {}, tabCenter(strip, 2));
        QVERIFY(AppFixture::waitFor(app->view(2), home));
        QCOMPARE(w.tabs().Tab_URL()[2], home.toString());

        // A right click reloads the selected tab's page and leaves the visible view alone.
        const int requests = server.requestCount(QStringLiteral("home.html"));
        QTest::mouseClick(strip, Qt::RightButton, {}, tabCenter(strip, 2));
        QTRY_VERIFY_WITH_TIMEOUT(server.requestCount(QStringLiteral("home.html")) > requests,
                                 10000);
        QVERIFY(app->view(2)->isVisible());
        QVERIFY(!app->view(0)->isVisible() && !app->view(1)->isVisible());
        app->close();
    }

    void neverUsedNeighbourLeavesTabEmpty()
    {
        auto app = startApp(4);
        QVERIFY(app);
        frmStart& w = *app->window;
        QCOMPARE(w.tabs().count(), 4);
        TabStrip* strip = w.tabs().Tab1();
        // Tab 2's neighbour (tab 1) never showed a page.
        QTest::mouseClick(strip, Qt::LeftButton, {}, tabCenter(strip, 2));
        QCOMPARE(w.tabs().selected(), 2);
        QTest::qWait(300);
        QVERIFY(!app->view(2)->hasDocument());
        QVERIFY(w.tabs().caption(2).isEmpty());
        QVERIFY(w.tabs().Tab_URL()[2].isEmpty());
        app->close();
    }

    void tabTooltipFollowsPointer()
    {
        auto app = startApp(4);
        QVERIFY(app);
        frmStart& w = *app->window;
        for (int i = 0; i < 4; ++i)
            w.tabs().setTabUrl(i, QStringLiteral("u%1").arg(i));
        TabStrip* strip = w.tabs().Tab1();
        const int quarter = strip->width() / 4;
        QTest::mouseMove(strip, QPoint(2 * quarter + quarter / 2, 3));
        QTRY_COMPARE(strip->toolTip(), QStringLiteral("u2"));
        w.tabs().onPointerMoved(strip->width() + 5);
        QCOMPARE(strip->toolTip(), QString());
        app->close();
    }

    void pageScriptCannotCloseTheView()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        typeAddress(w.Text1(), base() + QStringLiteral("/closer.html"));
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("closer.html"))));
        QTest::qWait(500);
        QVERIFY(w.isVisible());
        QVERIFY(app->view(0)->isVisible());
        QCOMPARE(app->view(0)->LocationName(), QStringLiteral("Closer"));
        app->close();
    }

    void hiddenTabMovesTheProgressBar()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        QTRY_COMPARE(w.picStat()->progressBar()->value(), 100);
        BrowserView* hidden = app->view(2);
        QVERIFY(!hidden->isVisible());
        hidden->Navigate(base() + QStringLiteral("/slow.html"));
        QTRY_VERIFY_WITH_TIMEOUT(w.picStat()->progressBar()->value() < 100, 10000);
        QVERIFY(hidden->Busy());
        QCOMPARE(w.Text1()->text(), base() + QStringLiteral("/slow.html"));
        hidden->Stop();
        app->close();
    }

    void mailtoNavigationLeavesAddressBoxAlone()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        typeAddress(w.Text1(), base() + QStringLiteral("/mail.html"));
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("mail.html"))));
        const QString shown = w.Text1()->text();
        QWidget* surface = app->view(0)->widget()->focusProxy();
        QVERIFY(surface);
        QTest::mouseClick(surface, Qt::LeftButton, {}, surface->rect().center());
        QTRY_VERIFY_WITH_TIMEOUT(!app->desktop.opened.isEmpty(), 10000);
        QCOMPARE(app->desktop.opened.last().scheme(), QStringLiteral("mailto"));
        QCOMPARE(w.Text1()->text(), shown);
        QCOMPARE(w.picStat()->statusBar()->text(), app->module->Lang_Text[179]);
        app->close();
    }

    void historyKeepsNewestThirtyAcrossRuns()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        for (int i = 1; i <= 40; ++i)
            typeAddress(w.Text1(), base() + QStringLiteral("/a.html?n=%1").arg(i));
        QCOMPARE(w.Text1()->count(), 40);
        app->close();
        const QStringList saved =
            QString::fromUtf8(app->dir.read(QStringLiteral("Data/orvelquorvink.Hys")))
                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(saved.size(), 30);
        QCOMPARE(saved.first(), base() + QStringLiteral("/a.html?n=11"));
        QCOMPARE(saved.last(), base() + QStringLiteral("/a.html?n=40"));

        // The next run loads them into the list.
        AppFixture next;
        next.dir.write(QStringLiteral("Data/orvelquorvink.Hys"),
                       app->dir.read(QStringLiteral("Data/orvelquorvink.Hys")));
        useLocalSites(next.dir, base());
        next.start(base() + QStringLiteral("/home.html"));
        QCOMPARE(next.window->Text1()->items(), saved);
        QCOMPARE(next.window->Text1()->text(), base() + QStringLiteral("/home.html"));
        next.close();
    }

    void bookmarkSavesTypedAddressAndReopensFirstLine()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        // Nothing opened through the address box yet: an empty bookmark.
        w.navigation().Save_BookMark();
        QCOMPARE(app->dir.read(QStringLiteral("Data/OrvelBook.bm")), QByteArray("\r\n"));
        w.navigation().Read_BookMark();
        QCOMPARE(w.Text1()->text(), QString());

        typeAddress(w.Text1(), base() + QStringLiteral("/a.html"));
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("a.html"))));
        // Following a link inside the page does not change the bookmark.
        app->view(0)->page()->runJavaScript(QStringLiteral("location.href='/b.html'"));
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("b.html"))));
        w.navigation().Save_BookMark();
        QCOMPARE(app->dir.read(QStringLiteral("Data/OrvelBook.bm")),
                 (base() + QStringLiteral("/a.html\r\n")).toUtf8());

        app->dir.write(
            QStringLiteral("Data/OrvelBook.bm"),
            (base() + QStringLiteral("/b.html\r\n") + base() + QStringLiteral("/a.html\r\n"))
                .toUtf8());
        const QStringList tabUrls = w.tabs().Tab_URL();
        const int items = w.Text1()->count();
        w.navigation().Read_BookMark();
        QCOMPARE(w.Text1()->text(), base() + QStringLiteral("/b.html"));
        QVERIFY(AppFixture::waitFor(app->view(0), server.url(QStringLiteral("b.html"))));
        QCOMPARE(w.tabs().Tab_URL(), tabUrls);
        QCOMPARE(w.Text1()->count(), items);
        QCOMPARE(w.navigation().Mark_URL(), base() + QStringLiteral("/a.html"));
        app->close();
    }

    void webAttendReturnsOnCompletePageAndGivesUpOnHangingPage()
    {
        auto app = startApp();
        QVERIFY(app);
        frmStart& w = *app->window;
        QElapsedTimer t;
        t.start();
        QVERIFY(WebAttend([&w] { return w.currentView(); }));
        QVERIFY2(t.elapsed() >= 450 && t.elapsed() < 2000,
                 qPrintable(QString::number(t.elapsed())));

        app->view(0)->Navigate(base() + QStringLiteral("/slow.html"));
        t.restart();
        QVERIFY(!::WebAttend([&] { return w.currentView(); }, 2500));
        QVERIFY(t.elapsed() >= 2500);
        app->view(0)->Stop();
        app->close();
    }
};

QUORVINK_TEST_MAIN(TestNavigation)
#include "test_navigation.moc"
