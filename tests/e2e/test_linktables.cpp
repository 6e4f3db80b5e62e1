// The link tables from the real main window: the titles the deferred start step reads, the
// shown page added through "FAVORITE" and a picked address opened in the current tab. Pages come
// from 127.0.0.1, files from a temporary program directory.
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
    Browser& root() { return *app.browser; }

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
        QSignalSpy deferred(app.browser.get(), &Browser::deferredStepDone);
        QVERIFY(deferred.wait(20000));
    }

    void init()
    {
        TestGuard::failOnWarnings();
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
        QTRY_COMPARE(root().pageStatus().Page_Title(), QStringLiteral("NEWS.HTML"));
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
        root().tabs().select(0);
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
        QCOMPARE(root().tabs().selected(), 0);
        QCOMPARE(w().Text1()->text(), at("picked.html"));
        QVERIFY(!w().Text1()->items().contains(at("picked.html")));
    }
};

QUORVINK_TEST_MAIN(TestLinkTables)
#include "test_linktables.moc"
