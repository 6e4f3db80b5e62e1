// The main window's place and size on a real X screen with a window manager, where windows have
// real frames: minimizing and restoring, the first start on a screen wider than 32,767 twips,
// a window narrowed below what the layout needs, and the bars hidden. The test script runs it on
// a 2,560 x 1,440 Xvfb screen with a small window manager.
#include "testguard.h"

#include "app/bottomstrip.h"
#include "app/maingeometry.h"
#include "appfixture.h"
#include "browse/tabstrip.h"
#include "core/twips.h"
#include "httpserver.h"
#include "testmain.h"

#include <QScreen>

class TestGeometry : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;

    QUrl home() const { return server.url(QStringLiteral("home.html")); }
    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }

    // Starts a window of its own in dir and waits until it shows home.
    bool startIn(AppFixture& fixture)
    {
        useLocalSites(fixture.dir, QStringLiteral("http://") + server.hostPort());
        fixture.start(home().toString());
        return QTest::qWaitForWindowExposed(fixture.window) &&
               AppFixture::waitFor(fixture.view(0), home());
    }

    // The frame a window manager gives the window: left, top, right, bottom, in pixels.
    static QMargins frameOf(const QWidget& window)
    {
        const QRect frame = window.frameGeometry();
        const QRect inner = window.geometry();
        return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                        frame.right() - inner.right(), frame.bottom() - inner.bottom());
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X screen with a window manager: run through scripts/test.sh");
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        QVERIFY(startIn(app));
        if (frameOf(w()).isNull())
            QSKIP("no window manager frames the windows on this screen");
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(home()));
        QTRY_COMPARE(w().geometry(), AppFixture::standardPlace());
    }

    void cleanupTestCase() { app.close(); }

    void minimizeAndRestoreKeepThePlace()
    {
        const QRect place = w().geometry();
        const QString caption = app.module->Lang_Text[179];
        QVERIFY(!caption.isEmpty());
        for (int cycle = 0; cycle < 5; ++cycle) {
            w().showMinimized();
            QTRY_VERIFY(w().isMinimized());
            QCOMPARE(w().windowTitle(), caption);
            w().showNormal();
            QTRY_VERIFY(!w().isMinimized());
            QTRY_COMPARE(w().windowTitle(), QString());
            QTRY_COMPARE(w().geometry(), place);
        }
    }

    void narrowWindowKeepsRoomForTheAddressBox()
    {
        const int tabStrip = qRound(Twips::fromPixels(root().tabs().Tab1()->width()));
        const int narrowest = Twips::toPixels(MainGeometry::minimumWidth(tabStrip));
        w().resize(600, 500);
        QTRY_COMPARE(w().height(), 500);
        QTRY_VERIFY2(w().width() >= narrowest - 1,
                     qPrintable(QStringLiteral("%1 < %2").arg(w().width()).arg(narrowest)));
        // Every part of the top strip lies inside the window, once the window manager has
        // confirmed the size.
        const auto addressInside = [this] {
            const QRect address = w().Text1()->geometry().translated(w().picBar()->pos());
            return w().rect().contains(address) && w().Text1()->width() > 0;
        };
        QTRY_VERIFY(addressInside());
        QVERIFY(w().Text1()->width() >= Twips::toPixels(MainGeometry::kMinAddressWidth) - 2);
        QVERIFY(w().rect().contains(w().picStat()->geometry()));
    }

    void hiddenBarsLeaveTheWholeWindowToTheView()
    {
        w().layout().GO_BarOff();
        QCOMPARE(root().currentView()->widget()->geometry(), w().rect());
        w().layout().Set_Web(root().tabs().selected());
        QCOMPARE(root().currentView()->widget()->geometry(), w().rect());
        w().layout().GO_BarOn();
        QVERIFY(root().currentView()->widget()->geometry().bottom() < w().picStat()->y());
    }

    // Without a settings file the window with its frame covers the screen; the place written at
    // exit (wider than 32,767 twips on this screen) is read back the same at the next start.
    void firstStartCoversTheScreenAndComesBackTheSame()
    {
        const QRect screen = w().screen()->geometry();
        if (screen.width() * Twips::perPixel() <= 32767)
            QSKIP("needs a screen wider than 32,767 twips (2,560 pixels at 96 dpi)");
        AppFixture first;
        QVERIFY(startIn(first));
        QTRY_COMPARE(first.window->frameGeometry(), screen);
        const QRect inner = first.window->geometry();
        first.close();
        const QStringList ini = linesOf(first.dir.read(QStringLiteral("Data/orvelquorvink.Ini")));
        QCOMPARE(ini.size(), 13);
        QCOMPARE(qRound(ini[3].toDouble() / Twips::perPixel()), inner.width());
        QVERIFY(ini[3].toDouble() > 32767);

        AppFixture again;
        QVERIFY(again.dir.write(QStringLiteral("Data/orvelquorvink.Ini"),
                                first.dir.read(QStringLiteral("Data/orvelquorvink.Ini"))));
        QVERIFY(startIn(again));
        QTRY_COMPARE(again.window->geometry().size(), inner.size());
        QTRY_COMPARE(again.window->frameGeometry(), screen);
        again.close();
    }
};

QUORVINK_TEST_MAIN(TestGeometry)
#include "test_geometry.moc"
