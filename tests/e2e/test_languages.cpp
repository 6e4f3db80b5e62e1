// The shipped language files: complete, alike in shape, and covering every text the program
// shows.
#include "appfixture.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "app/bottomstrip.h"
#include "browse/addressbox.h"
#include "browse/navigation.h"
#include "browse/pagemenu.h"
#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "config/languagefile.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kShipped = QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages");

const QStringList kSettingKeys{
    "START_PAGE",      "LANG",           "LOCALE",           "SEARCH_URL",
    "SEARCH_DESCR",    "DICTIONARY_URL", "DICTIONARY_DESCR", "MAP_URL",
    "MAP_DESCR",       "SOCIAL_URL",     "SOCIAL_DESCR",     "ECOMMERCE_URL",
    "ECOMMERCE_DESCR", "TAB_NUMBER",     "TAB_WIDTH",        "TRANSLATOR_PATH"};

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
    HttpServer server;

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
        QVERIFY(server.start());
        // A link over the whole page, with a picture beside it.
        server.setPage(QStringLiteral("links.html"),
                       htmlPage(QStringLiteral("Links"),
                                QStringLiteral("<a href='/b.html' style='display:block;"
                                               "height:300px'>B</a><img src='/p.png' "
                                               "width=200 height=100>")));
        server.setPage(QStringLiteral("b.html"), htmlPage(QStringLiteral("Page B")));
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QBuffer png;
        QVERIFY(png.open(QIODevice::WriteOnly) && picture.save(&png, "PNG"));
        server.setPage(QStringLiteral("p.png"), png.data(), "image/png");
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
        QVERIFY(!w.picStat()->statusBar()->accessibleDescription().isEmpty());
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

    // Qt's own dialogs and standard buttons speak the interface's language from the switch on; a
    // language file without a locale gives Qt's English texts.
    void qtDialogsFollowTheLanguage_data()
    {
        QTest::addColumn<QStringList>(
            "texts"); // the language, Cancel, the file dialog's "Look in:"
        QTest::addRow("Deutsch") << QStringList{"Deutsch", "Abbrechen", "Suchen in:"};
        QTest::addRow("Italiano") << QStringList{"Italiano", "Annulla", "Cerca in:"};
        QTest::addRow("own file without a locale") << QStringList{"Eigen", "Cancel", "Look in:"};
        QTest::addRow("English") << QStringList{"English", "Cancel", "Look in:"};
    }
    void qtDialogsFollowTheLanguage()
    {
        QFETCH(QStringList, texts);
        QByteArray own = app.dir.read(QStringLiteral("Languages/Quorvink_Deutsch.txt"));
        QVERIFY(app.dir.write(QStringLiteral("Languages/Quorvink_Eigen.txt"),
                              own.replace("LOCALE=de\r\n", "")));
        // Another language first: the switch itself must bring the texts.
        app.browser->switchLanguage(texts[0] == QLatin1String("Deutsch") ? "Italiano" : "Deutsch");
        QDialogButtonBox before(QDialogButtonBox::Cancel);
        app.browser->switchLanguage(texts[0]);
        QVERIFY(app.desktop.messages.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(before.button(QDialogButtonBox::Cancel)->text(), texts[1]);

        QFileDialog dialog(app.window);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text(), texts[2]);
        QCOMPARE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text(),
                 texts[1]);
    }

    // The start page speaks the interface's language and names the entries as the bars show
    // them; a language file's texts reach it as text, never as markup.
    void startPageInTheInterfaceLanguage_data()
    {
        QTest::addColumn<QStringList>("texts"); // the language, the page's language tag, a phrase
        QTest::addRow("English") << QStringList{"English", "en",
                                                "open the menu of the button \u201cMail addresses"
                                                "\u201d and choose \u201cCollect mail addresses "
                                                "(on/off)\u201d"};
        QTest::addRow("Deutsch") << QStringList{"Deutsch", "de",
                                                "\u201eE-Mail-Adressen\u201c und w\u00e4hlen "
                                                "\u201eE-Mail-Adressen sammeln (ein/aus)\u201c"};
        QTest::addRow("Italiano") << QStringList{
            "Italiano", "it", "\u00abRaccogli indirizzi e-mail (attiva/disattiva)\u00bb"};
        QTest::addRow("markup in a language file")
            << QStringList{"Markup", "en\">", "<img src=x onerror=alert(1)>Mail addresses"};
    }
    void startPageInTheInterfaceLanguage()
    {
        QFETCH(QStringList, texts);
        QByteArray own = app.dir.read(QStringLiteral("Languages/Quorvink_English.txt"));
        own.replace("LOCALE=en", "LOCALE=en\">");
        own.replace("To collect addresses, open the menu of the button \xe2\x80\x9c%1",
                    "<img src=x onerror=alert(1)>%1");
        QVERIFY(app.dir.write(QStringLiteral("Languages/Quorvink_Markup.txt"), own));
        app.browser->switchLanguage(texts[0]);
        QVERIFY(app.desktop.messages.isEmpty());
        const QUrl start(QStringLiteral("quorvink:start"));
        app.view(0)->Navigate(start.toString());
        QVERIFY(AppFixture::waitFor(app.view(0), start));
        const QString text =
            evaluate(app.view(0), QStringLiteral("document.body.innerText")).toString();
        QVERIFY2(text.contains(texts[2]) && text.contains(app.module->Lang_Text[179]),
                 qPrintable(text));
        QCOMPARE(evaluate(app.view(0), QStringLiteral("document.documentElement.lang")).toString(),
                 texts[1]);
        QCOMPARE(evaluate(app.view(0), QStringLiteral("document.images.length")).toInt(), 0);
    }

    // In Deutsch the page's right-click menu is German; a link opens in the next tab, which is
    // then the one shown; a picture has its own entries.
    void pageMenuSpeaksTheInterfaceLanguage()
    {
        Browser& b = *app.browser;
        b.switchLanguage(QStringLiteral("Deutsch"));
        const QUrl page = server.url(QStringLiteral("links.html"));
        b.navigation().setAddressText(page.toString());
        b.navigation().GO_Navigate(0);
        QVERIFY(AppFixture::waitFor(app.view(0), page));
        QWidget* surface = app.view(0)->widget()->focusProxy();
        QVERIFY(surface);
        auto menuAt = [&b, surface](QPoint place) {
            QStringList texts;
            QTest::mouseClick(surface, Qt::RightButton, {}, place);
            if (QTest::qWaitFor([&b] { return b.pageMenu().shown() != nullptr; }, 10000)) {
                for (const QAction* action : b.pageMenu().shown()->actions())
                    texts << action->text();
            }
            return texts.join(QLatin1Char('|'));
        };

        // The page came after another one: "Zurück" goes there.
        QCOMPARE(menuAt(QPoint(40, 100)),
                 QStringLiteral("Zurück|Neu laden||Alles auswählen||Link öffnen|Link in der "
                                "nächsten Registerkarte öffnen|Linkadresse kopieren|Link "
                                "speichern unter…||Seitenquelltext anzeigen|Seite speichern "
                                "unter…"));
        b.pageMenu().shown()->actions().at(6)->trigger();
        b.pageMenu().shown()->close();
        QCOMPARE(b.tabs().selected(), 1);
        QVERIFY(AppFixture::waitFor(app.view(1), server.url(QStringLiteral("b.html"))));
        QVERIFY(app.view(1)->isVisible() && !app.view(0)->isVisible());
        QCOMPARE(b.tabs().Tab_URL().at(1), server.url(QStringLiteral("b.html")).toString());

        b.tabs().select(0);
        b.tabs().showSelected();
        QTRY_VERIFY(!b.pageMenu().shown());
        QVERIFY(menuAt(QPoint(40, 340)).contains(QStringLiteral("|Bildadresse kopieren|")));
        b.pageMenu().shown()->close();
    }
};

QUORVINK_TEST_MAIN(TestLanguages)
#include "test_languages.moc"
