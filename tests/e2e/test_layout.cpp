// The main window's layout: where the resize handler puts every control, the browser views with
// the bars shown and hidden, auto-hide driven by the pointer, F12, and start-up and captions with
// unusual language folders.
#include "appfixture.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/maingeometry.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/navigation.h"
#include "browse/tabstrip.h"
#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "commands/maincatalogue.h"
#include "config/languagefile.h"
#include "core/twips.h"

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

using CommandDriver::activate;
using CommandDriver::chooseInMenu;
using CommandDriver::Reached;

namespace {

// Twips to pixels at 96 dots per inch, each value rounded on its own.
int px(int twips)
{
    return int(std::lround(twips / 15.0));
}

using Places = QHash<QString, QRect>;

// Every control the resize handler places, by name.
Places placesOf(const AppFixture& app)
{
    const frmStart& w = *app.window;
    Places places;
    places.insert(QStringLiteral("picBar"), w.picBar()->geometry());
    for (int i = 0; i < 3; ++i)
        places.insert(QStringLiteral("cmdBar%1").arg(i), w.cmdBar(i)->geometry());
    places.insert(QStringLiteral("Text1"), w.Text1()->geometry());
    places.insert(QStringLiteral("picStat"), w.picStat()->geometry());
    places.insert(QStringLiteral("cmdMoveL"), w.picStat()->cmdMoveL()->geometry());
    places.insert(QStringLiteral("statusBar"), w.picStat()->statusBar()->geometry());
    places.insert(QStringLiteral("timeBar"), w.picStat()->timeBar()->geometry());
    places.insert(QStringLiteral("progressBar"), w.picStat()->progressBar()->geometry());
    places.insert(QStringLiteral("cmdMove"), w.picStat()->cmdMove()->geometry());
    places.insert(QStringLiteral("view"), app.browser->currentView()->widget()->geometry());
    return places;
}

// A language file with only the given number of caption lines, "S1", "S2", ...
QByteArray shortLanguageFile(int captions)
{
    QByteArray text = "[Settings]\r\nLANG=Short\r\n[Menus]\r\n";
    for (int i = 1; i <= captions; ++i)
        text += "\"S" + QByteArray::number(i) + "\"\r\n";
    return text;
}

// The drawing-style entries, by style number.

// The French of the language tests: English with another word for "Exit".
QByteArray frenchLanguageFile(QByteArray english)
{
    return english.replace("\"Exit\"", "\"Quitter\"");
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;
    int startStyle = 0;

    QString base() const { return QStringLiteral("http://") + server.hostPort(); }
    QUrl home() const { return server.url(QStringLiteral("home.html")); }

    // Brings the shared window back as the tests expect it: English, the drawing style it started
    // with, then the state AppFixture::reset() gives, with home loaded.
    bool resetWindow()
    {
        Browser& w = *app.browser;
        if (app.module->options.Lang_Name != QLatin1String("English"))
            w.switchLanguage(QStringLiteral("English"));
        if (app.module->options.Bar_Style != startStyle)
            w.setDrawingStyle(startStyle,
                              app.pool->entry(MainCatalogue::drawingStyleKey(startStyle)));
        return app.reset(home()) && AppFixture::waitFor(app.view(0), home());
    }

    static void tick(frmStart& w) { QMetaObject::invokeMethod(&w.autoHide().Timer1(), "timeout"); }

    // Places the window, gives the focus to the address box, the window or the page, and
    // presses F12 there.
    static void pressF12(AppFixture& app, const QString& target)
    {
        frmStart& w = *app.window;
        w.setGeometry(100, 120, 900, 450);
        QTRY_COMPARE(w.geometry(), QRect(100, 120, 900, 450));
        QWidget* receiver = target == QLatin1String("address") ? w.Text1()->lineEdit()
                            : target == QLatin1String("window")
                                ? static_cast<QWidget*>(&w)
                                : app.view(0)->widget()->focusProxy();
        QVERIFY(receiver);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        receiver->setFocus();
        QTest::keyClick(receiver, Qt::Key_F12);
    }

    static bool setPointer(const QPoint& p)
    {
        QCursor::setPos(p);
        return QCursor::pos() == p;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"),
                       "<html><head><title>Home</title></head><body>home</body></html>");
        useLocalSites(app.dir, base());
        if (QTest::currentTestFailed())
            return;
        // The languages the language tests switch to are there from the start.
        const QByteArray english = app.dir.read(QStringLiteral("Languages/Quorvink_English.txt"));
        QVERIFY(app.dir.write(QStringLiteral("Languages/Quorvink_Français.txt"),
                              frenchLanguageFile(english)));
        QVERIFY(
            app.dir.write(QStringLiteral("Languages/Quorvink_Short.txt"), shortLanguageFile(100)));
        app.timings = kTestTimings;
        app.start(home().toString());
        QVERIFY(AppFixture::waitFor(app.view(0), home()));
        startStyle = app.module->options.Bar_Style;
        QVERIFY(startStyle >= 0 && startStyle <= 3);
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(resetWindow());
    }

    void cleanupTestCase() { app.close(); }

    // --- The resize handler -----------------------------------------------------------------

    void resizePlacesTheControls_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QHash<QString, QRect>>("expected");
        QTest::addRow("1024 x 700")
            << QSize(1024, 700)
            << Places{{"picBar", {1, 0, 1023, 26}},       {"cmdBar0", {0, 0, 360, 26}},
                      {"cmdBar1", {360, -1, 486, 26}},    {"cmdBar2", {846, 0, 187, 26}},
                      {"picStat", {0, 678, 1023, 22}},    {"cmdMoveL", {0, 0, 22, 22}},
                      {"statusBar", {22, 0, 769, 22}},    {"timeBar", {791, 0, 87, 22}},
                      {"progressBar", {878, 0, 120, 22}}, {"cmdMove", {999, 0, 22, 22}},
                      {"view", {0, 26, 1024, 652}}};
        QTest::addRow("900 x 600")
            << QSize(900, 600)
            << Places{{"picBar", {1, 0, 899, 26}},        {"cmdBar0", {0, 0, 360, 26}},
                      {"cmdBar1", {360, -1, 362, 26}},    {"cmdBar2", {722, 0, 187, 26}},
                      {"picStat", {0, 578, 899, 22}},     {"cmdMoveL", {0, 0, 22, 22}},
                      {"statusBar", {22, 0, 645, 22}},    {"timeBar", {667, 0, 87, 22}},
                      {"progressBar", {754, 0, 120, 22}}, {"cmdMove", {875, 0, 22, 22}},
                      {"view", {0, 26, 900, 552}}};
    }
    void resizePlacesTheControls()
    {
        QFETCH(QSize, size);
        QFETCH(Places, expected);
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        QCOMPARE(Twips::perPixel(), 15.0);
        w.resize(size);
        QTRY_COMPARE(w.size(), size);
        const Places places = placesOf(app);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(places.value(it.key()), it.value());

        // The address box: right of the tab strip inside bar 1, 30 twips below its top.
        const int tabs = qRound(Twips::fromPixels(b.tabs().Tab1()->width()));
        QVERIFY(tabs > 0);
        const int bar1Width = (size.width() * 15 - 20) - 5400 - 2800 + 150;
        const QRect box = w.Text1()->geometry();
        QCOMPARE(box.x(), px(5400 + tabs + 60));
        QCOMPARE(box.y(), px(-10 + 30));
        QCOMPARE(box.width(), px(bar1Width - tabs - 110));
        // It does not cover the tab strip it sits beside.
        const QRect strip(b.tabs().Tab1()->mapTo(w.picBar(), QPoint(0, 0)),
                          b.tabs().Tab1()->size());
        QVERIFY2(
            box.left() > strip.right(),
            qPrintable(
                QStringLiteral("box %1, strip ends at %2").arg(box.left()).arg(strip.right())));
    }

    void toolbarsShowEveryButtonInEachStyle_data()
    {
        QTest::addColumn<QString>("styleKey");
        for (int style = 0; style < 4; ++style)
            QTest::addRow("%s", qPrintable(MainCatalogue::drawingStyleKey(style)))
                << MainCatalogue::drawingStyleKey(style);
    }
    void toolbarsShowEveryButtonInEachStyle()
    {
        QFETCH(QString, styleKey);
        frmStart& w = *app.window;
        w.resize(1024, 700);
        QTRY_COMPARE(w.size(), QSize(1024, 700));
        QCOMPARE(activate(w, styleKey), Reached::Activated);
        // None is pushed into the toolbar's overflow menu once the bars are laid out again.
        for (int c : {0, 2}) {
            QToolBar* toolbar = w.cmdBar(c)->toolBar();
            for (CommandEntry* entry : w.cmdBar(c)->bar()->entries()) {
                QToolButton* button = w.cmdBar(c)->button(entry->key());
                if (!button)
                    continue;
                QTRY_VERIFY2(button->isVisible() && toolbar->rect().contains(button->geometry()),
                             qPrintable(QStringLiteral("%1 at %2,%3 %4 wide in a bar %5 wide")
                                            .arg(entry->key())
                                            .arg(button->x())
                                            .arg(button->y())
                                            .arg(button->width())
                                            .arg(toolbar->width())));
            }
        }
    }

    void setWebPlacesEveryView_data()
    {
        QTest::addColumn<bool>("barsShown");
        QTest::addColumn<QRect>("expected");
        QTest::addRow("bars shown") << true << QRect(0, 26, 1024, 652);
        QTest::addRow("bars hidden") << false << QRect(0, 0, 1024, 700);
    }
    void setWebPlacesEveryView()
    {
        QFETCH(bool, barsShown);
        QFETCH(QRect, expected);
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        w.resize(1024, 700);
        QTRY_COMPARE(w.size(), QSize(1024, 700));
        w.layout().setBarShown(barsShown);
        for (int i = 0; i < b.tabs().count(); ++i) {
            app.view(i)->setGeometry(5, 5, 10, 10);
            w.layout().Set_Web(i);
            QCOMPARE(app.view(i)->widget()->geometry(), expected);
        }
        w.layout().setBarShown(true);
    }

    void barsOffAndOn()
    {
        frmStart& w = *app.window;
        w.resize(1024, 700);
        QTRY_COMPARE(w.size(), QSize(1024, 700));
        w.layout().GO_BarOff();
        QVERIFY(!w.layout().Bar_Shown());
        QVERIFY(!w.picStat()->isVisible());
        // The view takes the whole window, the bottom strip's place too.
        QCOMPARE(app.view(0)->widget()->geometry(), QRect(0, 0, 1024, 700));
        w.layout().GO_BarOff(); // once hidden, nothing more happens
        QCOMPARE(app.view(0)->widget()->geometry(), QRect(0, 0, 1024, 700));
        w.layout().GO_BarOn();
        QVERIFY(w.layout().Bar_Shown());
        QVERIFY(w.picStat()->isVisible());
        QCOMPARE(app.view(0)->widget()->geometry(), QRect(0, 26, 1024, 652));
        // A resize while hidden places the view over the top strip.
        w.layout().GO_BarOff();
        w.resize(900, 600);
        QTRY_COMPARE(app.view(0)->widget()->geometry(), QRect(0, 0, 900, 600));
        w.layout().GO_BarOn();
    }

    void noResizeLeavesEveryControlWhereItWas()
    {
        frmStart& w = *app.window;
        w.resize(1024, 700);
        QTRY_COMPARE(w.size(), QSize(1024, 700));
        const Places before = placesOf(app);
        w.layout().setNoResize(true);
        w.resize(900, 500);
        QTRY_COMPARE(w.size(), QSize(900, 500));
        QCOMPARE(placesOf(app), before);
        w.layout().setNoResize(false);
        w.resize(950, 600);
        QTRY_COMPARE(w.size(), QSize(950, 600));
        QVERIFY(placesOf(app) != before);
        QCOMPARE(w.picBar()->geometry(), QRect(1, 0, 949, 26));
    }

    // --- Auto-hide --------------------------------------------------------------------------

    void autoHidePollFollowsThePointer_data()
    {
        QTest::addColumn<bool>("shownBefore");
        QTest::addColumn<QPoint>("pointer"); // relative to the window's top left corner
        QTest::addColumn<bool>("shownAfter");
        QTest::addColumn<int>("interval");
        // Shown: the bars stay while the pointer is less than 385 + 400 twips (52.3 px) below
        // the window's top, without touching the interval (the one the switch gave); a poll
        // that moves them sets the poll interval.
        const int kept = kTestTimings.autoHideSwitchMs;
        const int poll = kTestTimings.autoHidePollMs;
        QTest::addRow("shown, pointer on the top strip") << true << QPoint(50, 10) << true << kept;
        QTest::addRow("shown, 52 px") << true << QPoint(50, 52) << true << kept;
        QTest::addRow("shown, 53 px") << true << QPoint(50, 53) << false << poll;
        QTest::addRow("shown, far down") << true << QPoint(50, 400) << false << poll;
        // Hidden: they come back while the pointer is less than 420 twips (28 px) below it.
        QTest::addRow("hidden, 27 px") << false << QPoint(50, 27) << true << poll;
        QTest::addRow("hidden, 28 px") << false << QPoint(50, 28) << false << poll;
        QTest::addRow("hidden, above the window") << false << QPoint(50, -60) << true << poll;
        QTest::addRow("hidden, far left of it") << false << QPoint(-90, 5) << true << poll;
        QTest::addRow("hidden, far down") << false << QPoint(50, 300) << false << poll;
    }
    void autoHidePollFollowsThePointer()
    {
        QFETCH(bool, shownBefore);
        QFETCH(QPoint, pointer);
        QFETCH(bool, shownAfter);
        QFETCH(int, interval);
        frmStart& w = *app.window;
        w.setGeometry(120, 150, 900, 450);
        QTRY_COMPARE(w.geometry(), QRect(120, 150, 900, 450));
        app.module->options.Float_Bar = 1;
        // The interval the switch gives; the ticks are given by hand.
        w.autoHide().Timer1().setInterval(app.timings.autoHideSwitchMs);
        if (!shownBefore)
            w.layout().GO_BarOff();
        const QPoint topLeft = w.frameGeometry().topLeft();
        QVERIFY2(setPointer(topLeft + pointer), "QCursor::setPos has no effect on this platform");
        tick(w);
        QCOMPARE(w.layout().Bar_Shown(), shownAfter);
        QCOMPARE(w.picStat()->isVisible(), shownAfter);
        QCOMPARE(app.view(0)->widget()->y(), shownAfter ? 26 : 0);
        QCOMPARE(w.autoHide().Timer1().interval(), interval);
    }

    void autoHideEndToEnd()
    {
        frmStart& w = *app.window;
        w.setGeometry(120, 150, 900, 450);
        QTRY_COMPARE(w.geometry(), QRect(120, 150, 900, 450));
        const QPoint top = w.frameGeometry().topLeft();
        QVERIFY(setPointer(top + QPoint(100, 5)));

        // Switched on, the bars hide at once, the pointer high as it is.
        QCOMPARE(activate(w, QStringLiteral("FILE:FLOATING")), Reached::Activated);
        QVERIFY(!w.layout().Bar_Shown());
        QCOMPARE(w.autoHide().Timer1().interval(), app.timings.autoHideSwitchMs);
        // The first poll finds the pointer high and brings them back; later polls come at the
        // poll interval.
        QTRY_VERIFY_WITH_TIMEOUT(w.layout().Bar_Shown(), 5000);
        QCOMPARE(w.autoHide().Timer1().interval(), app.timings.autoHidePollMs);
        QVERIFY(w.picStat()->isVisible());

        QVERIFY(setPointer(top + QPoint(100, 300)));
        QTRY_VERIFY_WITH_TIMEOUT(!w.layout().Bar_Shown(), 5000);
        QCOMPARE(app.view(0)->widget()->geometry(), QRect(0, 0, 900, 450));
        QVERIFY(setPointer(top + QPoint(400, 3)));
        QTRY_VERIFY_WITH_TIMEOUT(w.layout().Bar_Shown(), 5000);
        QCOMPARE(app.view(0)->widget()->geometry(), QRect(0, 26, 900, 402));

        // While the address box has the focus, the bars stay whatever the pointer does.
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(w.Text1()->lineEdit(), Qt::LeftButton);
        QTRY_VERIFY(w.Text1()->hasFocus() || w.Text1()->lineEdit()->hasFocus());
        QVERIFY(!w.autoHide().Timer1().isActive());
        QSignalSpy polls(&w.autoHide().Timer1(), &QTimer::timeout);
        QVERIFY(setPointer(top + QPoint(100, 300)));
        // Three poll intervals pass, counted by a timer of the same interval started after it.
        QTimer probe;
        probe.setInterval(app.timings.autoHidePollMs);
        QSignalSpy probed(&probe, &QTimer::timeout);
        probe.start();
        QTRY_VERIFY_WITH_TIMEOUT(probed.size() >= 3, 5000);
        QVERIFY(polls.isEmpty());
        QVERIFY(w.layout().Bar_Shown());
        QVERIFY(!w.autoHide().Timer1().isActive());

        // Opening an address from the box starts the poll again.
        w.Text1()->setText(home().toString());
        QTest::keyClick(w.Text1()->lineEdit(), Qt::Key_Return);
        QVERIFY(w.autoHide().Timer1().isActive());
        QTRY_VERIFY_WITH_TIMEOUT(!w.layout().Bar_Shown(), 5000);
    }

    // --- F12 and minimizing -----------------------------------------------------------------

    void f12CoversTheScreen_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addRow("pressed in the address box") << "address";
        QTest::addRow("pressed in the window") << "window";
        QTest::addRow("pressed in the page") << "page";
    }
    void f12CoversTheScreen()
    {
        QFETCH(QString, target);
        frmStart& w = *app.window;
        const Qt::WindowStates state = w.windowState();
        pressF12(app, target);
        const QRect screen = w.screen()->geometry();
        // The key reached the window wherever it was pressed.
        QTRY_COMPARE(w.frameGeometry(), screen);
        QCOMPARE(w.windowState(), state);
        // The window, frame included, lies exactly on the screen.
        QCOMPARE(w.frameGeometry(), screen);
        // Its controls follow the new size, and the bottom strip is on the screen.
        QCOMPARE(w.picStat()->geometry().bottom(), w.height() - 1);
        const QPoint stripBottom = w.picStat()->mapToGlobal(QPoint(0, w.picStat()->height() - 1));
        QVERIFY2(stripBottom.y() <= screen.bottom(),
                 qPrintable(QStringLiteral("bottom strip ends at %1, screen at %2")
                                .arg(stripBottom.y())
                                .arg(screen.bottom())));
    }

    void fullScreenGeometryIsSavedAtExit()
    {
        auto own = ownAppBeside(app, base());
        QVERIFY(own);
        own->start(home().toString());
        QVERIFY(AppFixture::waitFor(own->view(0), home()));
        pressF12(*own, QStringLiteral("window"));
        const QRect screen = own->window->screen()->geometry();
        QTRY_COMPARE(own->window->frameGeometry(), screen);
        // The window's measure is its inner size; with its frame it is the screen.
        const QSize inner = own->window->size();
        QCOMPARE(own->window->frameGeometry(), screen);
        own->close();
        const QStringList ini = linesOf(own->dir.read(QStringLiteral("Data/orvelquorvink.Ini")));
        QCOMPARE(ini.size(), 13);
        QCOMPARE(ini[0].trimmed(), QStringLiteral("0"));                  // top
        QCOMPARE(ini[1].trimmed(), QStringLiteral("0"));                  // left
        QCOMPARE(ini[2].trimmed(), QString::number(inner.height() * 15)); // height
        QCOMPARE(ini[3].trimmed(), QString::number(inner.width() * 15));  // width
        QCOMPARE(ini[12].trimmed(), QStringLiteral("0"));                 // the mode is not changed
    }

    void otherKeysLeaveTheWindowAlone()
    {
        frmStart& w = *app.window;
        w.setGeometry(100, 120, 900, 400);
        QTRY_COMPARE(w.geometry(), QRect(100, 120, 900, 400));
        for (Qt::Key key : {Qt::Key_F11, Qt::Key_F1, Qt::Key_Escape})
            QTest::keyClick(&w, key);
        // The keys are handled as they are sent, and a move or resize of the window changes its
        // geometry at once; a call the handlers queued has run once this marker has.
        auto marker = std::make_shared<bool>(false);
        QMetaObject::invokeMethod(
            &w, [marker] { *marker = true; }, Qt::QueuedConnection);
        QTRY_VERIFY(*marker);
        QCOMPARE(w.geometry(), QRect(100, 120, 900, 400));
    }

    // --- Language folders ---------------------------------------------------------------------

    void unusualLanguageFoldersStartCleanly_data()
    {
        QTest::addColumn<QStringList>("extraFiles");
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<QStringList>("expectedKeys");
        QTest::addColumn<int>("messages");

        QStringList fifty;
        for (int i = 0; i < 47; ++i)
            fifty << QStringLiteral("Quorvink_L%1.txt").arg(i, 2, 10, QLatin1Char('0'));
        QStringList first20{"LANG:DEUTSCH", "LANG:ENGLISH", "LANG:ITALIANO"};
        for (int i = 0; i < 17; ++i)
            first20 << QStringLiteral("LANG:L%1").arg(i, 2, 10, QLatin1Char('0'));
        QTest::addRow("50 language files")
            << fifty << true << first20 + QStringList{"LANG:NEW"} << 0;
        QTest::addRow("names without a dot")
            << QStringList({"Quorvink_Klingon", "Quorvink_", "Quorvink_Nodot_Either"}) << true
            << QStringList({"LANG:DEUTSCH", "LANG:ENGLISH", "LANG:ITALIANO", "LANG:NEW"}) << 0;
        QTest::addRow("non-ASCII names")
            << QStringList({QStringLiteral("Quorvink_Français.txt"),
                            QStringLiteral("Quorvink_Ελληνικά.txt"),
                            QStringLiteral("Quorvink_日本語.txt")})
            << true
            // Only ASCII letters change case in a key, so that it names its file exactly.
            << QStringList({"LANG:DEUTSCH", "LANG:ENGLISH", QStringLiteral("LANG:FRANçAIS"),
                            "LANG:ITALIANO", QStringLiteral("LANG:Ελληνικά"),
                            QStringLiteral("LANG:日本語"), "LANG:NEW"})
            << 0;
        QTest::addRow("no language files")
            << QStringList() << false << QStringList({"LANG:NEW"}) << 1;
    }
    void unusualLanguageFoldersStartCleanly()
    {
        QFETCH(QStringList, extraFiles);
        QFETCH(bool, shipped);
        QFETCH(QStringList, expectedKeys);
        QFETCH(int, messages);
        auto own = ownAppBeside(app, base(), shipped);
        QVERIFY(own);
        const QByteArray english = own->dir.read(QStringLiteral("Languages/Quorvink_English.txt"));
        for (const QString& name : extraFiles)
            QVERIFY(own->dir.write(QStringLiteral("Languages/") + name, english));
        own->start(home().toString());
        frmStart& w = *own->window;
        Browser& b = *own->browser;
        QVERIFY(w.isVisible());
        QVERIFY(b.tabs().count() >= 1);
        QVERIFY(AppFixture::waitFor(own->view(0), home()));
        QCOMPARE(own->desktop.messages.size(), messages);

        QStringList keys;
        for (CommandEntry* entry : own->pool->bar(QStringLiteral("LANG"))->entries())
            keys << entry->key();
        QCOMPARE(keys, expectedKeys);
        CommandDriver::MenuSeen menu;
        chooseInMenu(w, QStringLiteral("LANG"), QString(), &menu);
        QCOMPARE(menu.keys, expectedKeys);
        own->close();
        QVERIFY(b.hasExited());
    }

    // The French file is in the shared window's language folder from the start.
    void nonAsciiLanguageCanBeChosen()
    {
        frmStart& w = *app.window;
        QCOMPARE(activate(w, QStringLiteral("LANG:FRANçAIS")), Reached::Activated);
        QCOMPARE(app.module->options.Lang_Name, QStringLiteral("français"));
        QCOMPARE(app.module->Lang_Text[1], QStringLiteral("Quitter"));
        QCOMPARE(app.pool->entry(QStringLiteral("EDIT:EXIT"))->caption(),
                 QStringLiteral("Quitter"));
        QVERIFY(app.desktop.messages.isEmpty());
        QCOMPARE(linesOf(app.dir.read(QStringLiteral("Data/orvelquorvink.Opt"))).value(5),
                 QStringLiteral("français"));
    }

    // So is the short file, with 100 captions.
    void shortLanguageFileAndBack()
    {
        frmStart& w = *app.window;
        CommandPool& pool = *app.pool;

        QHash<QString, QPair<QString, QString>> before;
        for (CommandEntry* entry : pool.entries())
            before.insert(entry->key(), {entry->caption(), entry->tooltip()});
        const QString dragTip = w.picStat()->cmdMove()->toolTip();
        QVERIFY(!dragTip.isEmpty());
        const QString googleTip = pool.entry(QStringLiteral("GOOGLE"))->tooltip();
        CommandDriver::MenuSeen editBefore;
        chooseInMenu(w, QStringLiteral("EDIT"), QString(), &editBefore);

        QCOMPARE(activate(w, QStringLiteral("LANG:SHORT")), Reached::Activated);
        QCOMPARE(app.module->options.Lang_Name, QStringLiteral("short"));
        QVERIFY(app.desktop.messages.isEmpty());
        // Every text a record takes from a caption: the file's first 100, nothing for the
        // original's captions it lacks, the built-in English for the program's own.
        const auto expected = [](int number, const QString& english) {
            return number <= 100                               ? QStringLiteral("S%1").arg(number)
                   : number <= CaptionTable::kOriginalCaptions ? QString()
                                                               : english;
        };
        for (const MainCommand& record : MainCatalogue::commands()) {
            const CommandEntry* entry = pool.entry(QLatin1String(record.key));
            if (!record.bar && !entry)
                continue; // a command of keys alone
            QVERIFY2(entry, record.key);
            const auto was = before.value(entry->key());
            if (record.caption > 0 && !record.namesLanguageFile)
                QCOMPARE(entry->caption(), expected(record.caption, was.first));
            if (record.tooltip > 0 && !record.description)
                QCOMPARE(entry->tooltip(), expected(record.tooltip, was.second));
        }
        QCOMPARE(w.picStat()->cmdMove()->toolTip(), QString());
        QCOMPARE(w.picStat()->cmdMoveL()->toolTip(), QString());
        // A setting the short file lacks keeps the English value.
        QCOMPARE(pool.entry(QStringLiteral("GOOGLE"))->tooltip(), googleTip);
        QCOMPARE(pool.entry(QStringLiteral("EDIT:TXT"))->caption(),
                 QStringLiteral("Quorvink_Short.txt"));
        // The open menu shows them: empty texts above 100.
        CommandDriver::MenuSeen edit;
        chooseInMenu(w, QStringLiteral("EDIT"), QString(), &edit);
        QCOMPARE(edit.keys, editBefore.keys);
        QCOMPARE(edit.texts.value(edit.keys.indexOf("EDIT:STOP")), QString());
        QCOMPARE(edit.texts.value(edit.keys.indexOf("EDIT:DELETE")), QStringLiteral("S18"));

        QCOMPARE(activate(w, QStringLiteral("LANG:ENGLISH")), Reached::Activated);
        for (CommandEntry* entry : pool.entries()) {
            const auto was = before.value(entry->key());
            QCOMPARE(entry->caption(), was.first);
            QCOMPARE(entry->tooltip(), was.second);
        }
        QCOMPARE(w.picStat()->cmdMove()->toolTip(), dragTip);
        QCOMPARE(w.picStat()->cmdMoveL()->toolTip(), dragTip);
        chooseInMenu(w, QStringLiteral("EDIT"), QString(), &edit);
        QCOMPARE(edit.texts, editBefore.texts);
    }
};

QUORVINK_TEST_MAIN(TestLayout)
#include "test_layout.moc"
