// The link tables from the real main window: the titles the deferred start step reads, the
// shown page added through "FAVORITE", a picked address opened in the current tab, and the titles
// of empty tables following the language. Pages come from 127.0.0.1, files from a temporary
// program directory.
#include "appfixture.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "browse/pagestatus.h"
#include "commandbar/commandbarcontrol.h"
#include "windows/frmtab.h"
#include "windows/linkgridview.h"
#include "windows/linkstrip.h"

#include <QToolButton>

using CommandDriver::activate;
using CommandDriver::Reached;

class TestLinkTables : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;

    QString at(const char* path) const { return server.url(QLatin1String(path)).toString(); }
    frmStart& w() { return *app.window; }

    // Opens the link tables with "FAVORITE", runs act on the window while it is shown, and
    // waits until it has closed.
    bool withLinkTables(const std::function<void(frmTab&)>& act)
    {
        bool seen = false;
        CommandDriver::whenModalOpens([&](QWidget* modal) {
            auto* window = qobject_cast<frmTab*>(modal);
            if (!window)
                return;
            seen = true;
            act(*window);
            if (window->isVisible())
                window->close();
        });
        return activate(w(), QStringLiteral("FAVORITE")) == Reached::Activated && seen;
    }

    static void click(frmTab& window, const char* key)
    {
        QToolButton* button = window.cmdBar(0)->button(QLatin1String(key));
        QTest::mouseClick(button ? button : window.cmdBar(1)->button(QLatin1String(key)),
                          Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start());
        for (const char* page : {"home.html", "news.html", "picked.html"})
            server.setPage(QLatin1String(page), htmlPage(QString::fromLatin1(page).toUpper()));
        useLocalSites(app.dir, QStringLiteral("http://") + server.hostPort());
        app.timings = kTestTimings;
        QVERIFY(QDir(app.dir.file(QStringLiteral("Links"))).removeRecursively());
        app.start(at("home.html"));
        QSignalSpy deferred(app.window.get(), &frmStart::deferredStepDone);
        QVERIFY(deferred.wait(20000));
    }

    void init()
    {
        TestGuard::failOnWarnings();
        if (app.module->options.Lang_Name != QLatin1String("English"))
            w().switchLanguage(QStringLiteral("English"));
        QVERIFY(app.reset(server.url(QStringLiteral("home.html"))));
    }

    void cleanupTestCase() { app.close(); }

    // The first start creates the titles file, and its folder, in the language of the run.
    void firstStartCreatesTheTitles()
    {
        const QStringList lines = linesOf(app.dir.read(QStringLiteral("Links/Links.Bok")));
        QCOMPARE(lines.size(), 150);
        QCOMPARE(lines.first(), app.module->Lang_Text[34] + QStringLiteral(" 1,0"));
        QCOMPARE(lines.last(), app.module->Lang_Text[34] + QStringLiteral(" 150,0"));
        QVERIFY(w().cmdBar(0)->button(QStringLiteral("FAVORITE"))->isEnabled());
    }

    void addsTheShownPage()
    {
        typeAddress(w().Text1(), at("news.html"));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("news.html"))));
        QTRY_COMPARE(w().pageStatus().Page_Title(), QStringLiteral("NEWS.HTML"));
        QVERIFY(withLinkTables([](frmTab& window) {
            click(window, "ADDURL");
            click(window, "EXIT5");
        }));
        QCOMPARE(linesOf(app.dir.read(QStringLiteral("Links/Links.000"))),
                 QStringList{QStringLiteral("NEWS.HTML;-;%1;-;;-;;-;%1;-;%2")
                                 .arg(at("news.html"), app.module->Today_Str)});
        QCOMPARE(app.module->Link_Titles.entryCount(1), 1);
        QVERIFY(app.desktop.messages.isEmpty());
    }

    // A picked address opens in the current tab and stays out of the history.
    void pickedAddressOpensInTheCurrentTab()
    {
        QVERIFY(app.dir.write(
            QStringLiteral("Links/Links.003"),
            (QStringLiteral("Picked;-;%1;-;;-;;-;;-;2024-01-01\r\n").arg(at("picked.html")))
                .toUtf8()));
        app.module->Link_Titles.setEntryCount(4, 1);
        w().tabs().select(0);
        QVERIFY(withLinkTables([](frmTab& window) {
            QTest::mouseClick(window.TabF(0), Qt::LeftButton, {},
                              window.TabF(0)->tabRect(3).center());
            LinkGridView* grid = window.GridList();
            const QModelIndex title = window.table().grid().index(0, 1);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(title).center());
            click(window, "GOURL");
        }));
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(QStringLiteral("picked.html"))));
        QCOMPARE(w().tabs().selected(), 0);
        QCOMPARE(w().Text1()->text(), at("picked.html"));
        QVERIFY(!w().Text1()->items().contains(at("picked.html")));
    }

    // A language switch retitles the empty tables only, whatever title they had.
    void emptyTablesFollowTheLanguage()
    {
        LinkTitles& titles = app.module->Link_Titles;
        titles.setTitle(1, QStringLiteral("Mine"));
        titles.setEntryCount(1, 1);
        titles.setTitle(2, QStringLiteral("Renamed but empty"));
        titles.setEntryCount(2, 0);
        w().switchLanguage(QStringLiteral("italiano"));
        QStringList shown;
        QVERIFY(withLinkTables([&shown](frmTab& window) {
            shown << window.TabF(0)->tabText(0) << window.TabF(0)->tabText(1);
        }));
        QCOMPARE(shown, QStringList({QStringLiteral("Mine"),
                                     app.module->Lang_Text[34] + QStringLiteral(" 2")}));
        QVERIFY(app.module->Lang_Text[34] != QLatin1String("Group"));
    }
};

QUORVINK_TEST_MAIN(TestLinkTables)
#include "test_linktables.moc"
