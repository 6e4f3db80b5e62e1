// The shipped language files: complete, alike in shape, and covering every text the program
// shows.
#include "appfixture.h"
#include "testguard.h"
#include "testmain.h"

#include "app/bottomstrip.h"
#include "browse/addressbox.h"
#include "browse/navigation.h"
#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "config/languagefile.h"

#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

namespace {

const QString kShipped = QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages");

const QStringList kSettingKeys{"START_PAGE",   "LANG",           "SEARCH_URL",
                               "SEARCH_DESCR", "DICTIONARY_URL", "DICTIONARY_DESCR",
                               "MAP_URL",      "MAP_DESCR",      "SOCIAL_URL",
                               "SOCIAL_DESCR", "ECOMMERCE_URL",  "ECOMMERCE_DESCR",
                               "TAB_NUMBER",   "TAB_WIDTH",      "TRANSLATOR_PATH"};

struct Shape {
    int captions = 0;
    QStringList keys;
};

Shape shapeOf(const QString& path)
{
    Shape shape;
    const QStringList lines = TextFile::read(path).value_or(QStringList());
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('"')))
            ++shape.captions;
        else if (!line.startsWith(QLatin1Char('[')) && line.contains(QLatin1Char('=')))
            shape.keys << line.section(QLatin1Char('='), 0, 0).toUpper();
    }
    return shape;
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT

    // The window the tests share, started in English on an empty page.
    AppFixture app;

    // The shared window as at start, beyond what AppFixture::reset() brings back: English read
    // again if another language was chosen, and the caption of tab 0 the home page gave it.
    bool resetWindow()
    {
        if (app.module->options.Lang_Name != QLatin1String("English")) {
            app.browser->switchLanguage(QStringLiteral("English"));
            if (!app.desktop.messages.isEmpty())
                return false;
        }
        const QUrl home(QStringLiteral("about:blank"));
        if (!app.reset(home))
            return false;
        QSignalSpy loaded(app.view(0), &BrowserView::documentComplete);
        app.browser->navigation().openHomePage(home.toString());
        return loaded.wait(20000);
    }

private slots:
    void initTestCase()
    {
        app.dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                      " 1 \r\n 0 \r\n 0 \r\n 0 \r\nabout:blank\r\nEnglish\r\n");
        // The deferred start step comes soon and before the first test, not during one.
        app.timings.deferredStartMs = 20;
        app.startWindow();
        QSignalSpy deferred(app.browser.get(), &Browser::deferredStepDone);
        QVERIFY(app.desktop.messages.isEmpty());
        QVERIFY(deferred.wait(20000));
    }

    void cleanupTestCase() { app.close(); }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(resetWindow());
    }

    void shippedFilesHaveTheEnglishShape_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(kShipped).entryList({QStringLiteral("Quorvink_*")});
        QVERIFY(files.size() >= 3);
        for (const QString& f : files)
            QTest::addRow("%s", qPrintable(f)) << f;
    }
    void shippedFilesHaveTheEnglishShape()
    {
        QFETCH(QString, file);
        const Shape english = shapeOf(kShipped + QStringLiteral("/Quorvink_English.txt"));
        const Shape shape = shapeOf(kShipped + QLatin1Char('/') + file);
        QVERIFY(english.captions >= 223);
        QCOMPARE(shape.captions, english.captions);
        for (const QString& key : kSettingKeys)
            QVERIFY2(shape.keys.contains(key), qPrintable(key));
        QCOMPARE(shape.keys.size(), kSettingKeys.size());
    }

    // Shows the window in each shipped language and checks that every text the window shows is
    // there: toolbar tooltips, menu captions, the names of the window parts.
    void everyShownTextExists_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addRow("English") << QStringLiteral("English");
        QTest::addRow("Italiano") << QStringLiteral("Italiano");
        QTest::addRow("Deutsch") << QStringLiteral("Deutsch");
    }
    void everyShownTextExists()
    {
        QFETCH(QString, language);
        frmStart& w = *app.window;
        Browser& b = *app.browser;
        b.switchLanguage(language);
        QVERIFY(app.desktop.messages.isEmpty());
        CommandPool& pool = *app.pool;

        for (const char* toolbar : {"STANDARD0", "STANDARD2"}) {
            for (CommandEntry* entry : pool.bar(QLatin1String(toolbar))->entries()) {
                if (entry->style() == EntryStyle::Separator)
                    continue;
                QVERIFY2(!entry->tooltip().isEmpty(), qPrintable(entry->key()));
            }
        }
        for (const char* menu : {"SAVE", "EDIT", "FILE", "LANG", "NAVIGATE", "VIEWMAILS"}) {
            for (CommandEntry* entry : pool.bar(QLatin1String(menu))->entries()) {
                if (entry->style() == EntryStyle::Separator)
                    continue;
                QVERIFY2(!entry->caption().isEmpty(), qPrintable(entry->key()));
            }
        }
        QVERIFY(!w.picStat()->cmdMove()->toolTip().isEmpty());
        QVERIFY(!w.Text1()->accessibleName().isEmpty());
        QVERIFY(!w.picStat()->statusBar()->accessibleName().isEmpty());
        QVERIFY(!w.picStat()->progressBar()->accessibleName().isEmpty());
        QVERIFY(!app.module->Lang_Text[179].isEmpty());
        QVERIFY(app.module->Link_Titles.title(7).endsWith(QLatin1String(" 7")));
        QVERIFY(app.module->Link_Titles.title(7).size() > 2);
        QCOMPARE(app.module->lang.Lang_Code, language.left(3));
        QCOMPARE(b.tabs().count(), 4);
    }

    void switchingLanguageClearsOtherTabCaptionsAndSavesTheChoice()
    {
        Browser& w = *app.browser;
        w.tabs().setCaption(1, QStringLiteral("Used"));
        QVERIFY(!w.tabs().caption(0).isEmpty());
        const QString englishExit = app.module->Lang_Text[1];

        const int shown = w.tabs().selected();
        const QString shownCaption = w.tabs().caption(shown);
        QVERIFY(!shownCaption.isEmpty());
        w.switchLanguage(QStringLiteral("italiano"));
        // The tab of the page shown keeps its caption; the others are emptied.
        for (int i = 0; i < w.tabs().count(); ++i)
            QCOMPARE(w.tabs().caption(i), i == shown ? shownCaption : QString());
        QCOMPARE(app.module->options.Lang_Name, QStringLiteral("italiano"));
        QVERIFY(app.module->Lang_Text[1] != englishExit);
        QCOMPARE(app.pool->entry(QStringLiteral("EDIT:TXT"))->caption(),
                 QStringLiteral("Quorvink_Italiano.txt"));
        QCOMPARE(app.pool->entry(QStringLiteral("EDIT:EXIT"))->caption(), app.module->Lang_Text[1]);
        const QByteArray options = app.dir.read(QStringLiteral("Data/orvelquorvink.Opt"));
        QVERIFY2(options.endsWith("\r\nitaliano\r\n"), options.constData());
        QVERIFY(app.desktop.messages.isEmpty());

        QCOMPARE(app.module->Link_Titles.title(7),
                 app.module->Lang_Text[34] + QStringLiteral(" 7"));
    }
};

QUORVINK_TEST_MAIN(TestLanguages)
#include "test_languages.moc"
