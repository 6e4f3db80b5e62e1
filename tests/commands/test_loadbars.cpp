#include "commandbar/commandbar.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "commands/loadbars.h"
#include "commands/maincatalogue.h"
#include "tempprogramdir.h"
#include "testguard.h"
#include "windows/frmedit.h"
#include "windows/frmtab.h"

#include <QSet>
#include <QTest>

#include <algorithm>

// The pool and the main window's bars built at start-up, and the language menu built from the
// files of the language folder.
class TestLoadBars : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void mainWindowBars();
    void dropDownLinks_data();
    void dropDownLinks();
    void entriesOfOtherWindows();
    void entriesStartPlain();
    void tabStripPanel();
    void languageMenu_data();
    void languageMenu();
    void languageFolderInOtherLetterCase();
    void shippedLanguages();

private:
    struct Built {
        CommandPool pool;
        QStringList langList;
    };
    static void build(Built& built, const TempProgramDir& dir, qint16 tabWidth = 2600,
                      QWidget* tab = nullptr);
};

namespace {

const ImageList& images()
{
    static const ImageList list;
    return list;
}

QStringList keysOf(const CommandBar* bar)
{
    QStringList keys;
    for (const CommandEntry* entry : bar->entries())
        keys << entry->key();
    return keys;
}

} // namespace

void TestLoadBars::build(Built& built, const TempProgramDir& dir, qint16 tabWidth, QWidget* tab)
{
    Load_Buttons(built.pool, images(), dir.programDir(), tabWidth, tab, built.langList);
    Load_Bars(built.pool, built.langList);
}

void TestLoadBars::mainWindowBars()
{
    const TempProgramDir dir(true); // the shipped languages stand first in "LANG"
    Built built;
    build(built, dir);
    int listed = 0;
    for (const MainBar& def : MainCatalogue::bars()) {
        const CommandBar* bar = built.pool.bar(QLatin1String(def.key));
        QVERIFY2(bar, def.key);
        QVERIFY(bar->title().isEmpty());
        QStringList expected;
        if (def.key == QLatin1String("LANG")) {
            for (const QString& name : std::as_const(built.langList))
                expected << MainCatalogue::languageKey(name);
        }
        for (const MainCommand& command : MainCatalogue::commands()) {
            if (command.bar == QLatin1String(def.key))
                expected << QLatin1String(command.key);
        }
        QCOMPARE(keysOf(bar), expected);
        listed += bar->count();
        for (const CommandEntry* entry : bar->entries()) {
            QCOMPARE(built.pool.entry(entry->key()), entry);
            const MainCommand* command = MainCatalogue::find(entry->key());
            if (!command)
                continue; // a language entry
            QCOMPARE(entry->style(), command->style);
            QCOMPARE(entry->icon(), command->icon);
        }
    }
    // Every command of the main window stands in one bar, once, but those of their keys alone;
    // the language entries too.
    const auto inBars =
        std::count_if(MainCatalogue::commands().begin(), MainCatalogue::commands().end(),
                      [](const MainCommand& command) { return command.bar; });
    QVERIFY(inBars < qsizetype(std::size(MainCatalogue::commands())));
    QCOMPARE(listed, qsizetype(inBars) + built.langList.size());
}

void TestLoadBars::dropDownLinks_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("bar");
    QTest::addRow("EDIT") << "EDIT"
                          << "EDIT";
    QTest::addRow("SAVE") << "SAVE"
                          << "SAVE";
    QTest::addRow("FILE") << "FILE"
                          << "FILE";
    QTest::addRow("LANG") << "LANG"
                          << "LANG";
    QTest::addRow("QUORVINK") << "QUORVINK"
                              << "VIEWMAILS";
    QTest::addRow("NAVIGATE") << "NAVIGATE"
                              << "NAVIGATE";
}

void TestLoadBars::dropDownLinks()
{
    QFETCH(QString, entry);
    QFETCH(QString, bar);
    const TempProgramDir dir(false);
    Built built;
    build(built, dir);
    QVERIFY(built.pool.bar(bar));
    QCOMPARE(built.pool.entry(entry)->dropDown(), built.pool.bar(bar));

    // No other entry opens a bar.
    int owners = 0;
    for (const CommandEntry* e : built.pool.entries())
        owners += e->dropDown() ? 1 : 0;
    QCOMPARE(owners, 6);

    QStringList barKeys;
    for (const CommandBar* b : built.pool.bars())
        barKeys << b->key();
    QCOMPARE(barKeys, QStringList({"STANDARD0", "SAVE", "FILE", "EDIT", "LANG", "NAVIGATE",
                                   "VIEWMAILS", "STANDARD1", "STANDARD2"}));
}

void TestLoadBars::entriesOfOtherWindows()
{
    const TempProgramDir dir(false);
    Built built;
    build(built, dir);
    // The link-table window and its editor have their entries from the start, as their records
    // describe them.
    for (const auto& command : frmTab::commands()) {
        const CommandEntry* entry = built.pool.entry(QLatin1String(command.key));
        QVERIFY2(entry, command.key);
        QCOMPARE(entry->style(), command.style);
        if (!MainCatalogue::find(entry->key()))
            QCOMPARE(entry->icon(), command.icon);
    }
    for (const auto& command : frmEDit::commands()) {
        const CommandEntry* entry = built.pool.entry(QLatin1String(command.key));
        QVERIFY2(entry, command.key);
        QCOMPARE(entry->icon(), command.icon);
    }
    // The other windows add theirs when they are first built.
    for (const char* later : {"EXIT3", "SAVE5", "OKYES", "OKNO", "ABOUTOK", "ABOUTHELP"})
        QCOMPARE(built.pool.entry(QLatin1String(later)), nullptr);
}

void TestLoadBars::entriesStartPlain()
{
    const TempProgramDir dir(false);
    Built built;
    build(built, dir);
    // One entry per key of the main window's records, per language, and per key of the
    // link-table window and its editor.
    QSet<QString> keys;
    for (const MainCommand& command : MainCatalogue::commands())
        keys.insert(QLatin1String(command.key));
    for (const auto& command : frmTab::commands())
        keys.insert(QLatin1String(command.key));
    for (const auto& command : frmEDit::commands())
        keys.insert(QLatin1String(command.key));
    QCOMPARE(built.pool.entries().size(), keys.size() + built.langList.size());
    for (const CommandEntry* entry : built.pool.entries()) {
        QVERIFY2(entry->enabled(), qPrintable(entry->key()));
        QVERIFY2(!entry->checked(), qPrintable(entry->key()));
        QVERIFY2(!entry->captionInBar(), qPrintable(entry->key()));
        QVERIFY2(entry->caption().isEmpty(), qPrintable(entry->key()));
        QVERIFY2(entry->tooltip().isEmpty(), qPrintable(entry->key()));
    }
}

void TestLoadBars::tabStripPanel()
{
    const TempProgramDir dir(false);
    QWidget tab;
    Built built;
    build(built, dir, 2600, &tab);
    const CommandEntry* panel = built.pool.entry(QStringLiteral("NIL4"));
    QCOMPARE(panel->panelWidth(), 2600);
    QCOMPARE(panel->panelControl(), &tab);
    QCOMPARE(built.pool.bar(QStringLiteral("STANDARD1"))->at(0), panel);
}

void TestLoadBars::languageMenu_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("langList");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("tooltips");
    QTest::addColumn<QList<int>>("icons");

    QTest::addRow("english and italiano")
        << QStringList{"Quorvink_italiano.txt", "Quorvink_english.txt"}
        << QStringList{"english", "italiano"} << QStringList{"English", "Italiano"}
        << QStringList{"Quorvink_english.txt", "Quorvink_italiano.txt"} << QList<int>{108, 107};
    QTest::addRow("deutsch has no flag key, german has")
        << QStringList{"Quorvink_deutsch.txt", "Quorvink_german.txt"}
        << QStringList{"deutsch", "german"} << QStringList{"Deutsch", "German"}
        << QStringList{"Quorvink_deutsch.txt", "Quorvink_german.txt"} << QList<int>{106, 112};
    QTest::addRow("cut at the first dot")
        << QStringList{"Quorvink_english.old.txt"} << QStringList{"english"}
        << QStringList{"English"} << QStringList{"Quorvink_english.old.txt"} << QList<int>{108};
    QTest::addRow("letter case of the file kept in the list")
        << QStringList{"Quorvink_FRANCAIS.Txt", "quorvink_NLtaal.TXT"}
        << QStringList{"FRANCAIS", "NLtaal"} << QStringList{"Francais", "Nltaal"}
        << QStringList{"Quorvink_FRANCAIS.Txt", "quorvink_NLtaal.TXT"} << QList<int>{111, 116};
    QTest::addRow("second file of the same name skipped")
        << QStringList{"Quorvink_english.txt", "Quorvink_English.bak"} << QStringList{"English"}
        << QStringList{"English"} << QStringList{"Quorvink_English.bak"} << QList<int>{108};
    QTest::addRow("no dot, no name")
        << QStringList{"Quorvink_spanish", "Quorvink_.txt", "Quorvink_russian.txt"}
        << QStringList{"russian"} << QStringList{"Russian"} << QStringList{"Quorvink_russian.txt"}
        << QList<int>{115};
    QTest::addRow("the editor's key is no language")
        << QStringList{"Quorvink_new.txt", "Quorvink_portugues.txt"} << QStringList{"portugues"}
        << QStringList{"Portugues"} << QStringList{"Quorvink_portugues.txt"} << QList<int>{114};
    QTest::addRow("other names ignored")
        << QStringList{"Quorvink.txt", "English.txt", "Orvel_english.txt", "Quorvink_can.txt"}
        << QStringList{"can"} << QStringList{"Can"} << QStringList{"Quorvink_can.txt"}
        << QList<int>{118};
    QTest::addRow("non-ASCII names")
        << QStringList{"Quorvink_français.txt", "Quorvink_ελληνικά.txt", "Quorvink_日本語.txt"}
        << QStringList{"français", "ελληνικά", "日本語"}
        << QStringList{"Français", "Ελληνικά", "日本語"}
        << QStringList{"Quorvink_français.txt", "Quorvink_ελληνικά.txt", "Quorvink_日本語.txt"}
        << QList<int>{111, 106, 106};
    QTest::addRow("empty folder") << QStringList() << QStringList() << QStringList()
                                  << QStringList() << QList<int>();

    QStringList many;
    QStringList first20;
    QStringList captions;
    QStringList tooltips;
    for (int i = 49; i >= 0; --i)
        many << QStringLiteral("Quorvink_lang%1.txt").arg(i, 2, 10, QLatin1Char('0'));
    for (int i = 0; i < 20; ++i) {
        first20 << QStringLiteral("lang%1").arg(i, 2, 10, QLatin1Char('0'));
        captions << QStringLiteral("Lang%1").arg(i, 2, 10, QLatin1Char('0'));
        tooltips << QStringLiteral("Quorvink_lang%1.txt").arg(i, 2, 10, QLatin1Char('0'));
    }
    QTest::addRow("fifty files, twenty languages")
        << many << first20 << captions << tooltips << QList<int>(20, 106);
}

void TestLoadBars::languageMenu()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, langList);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, tooltips);
    QFETCH(QList<int>, icons);

    const TempProgramDir dir(false);
    for (const QString& file : std::as_const(files))
        QVERIFY(dir.write(QStringLiteral("Languages/") + file, "\"x\"\r\n"));
    QDir(dir.root()).mkpath(QStringLiteral("Languages/Quorvink_folder.txt"));

    Built built;
    build(built, dir);
    QCOMPARE(built.langList, langList);

    const CommandBar* lang = built.pool.bar(QStringLiteral("LANG"));
    QCOMPARE(lang->count(), langList.size() + 1);
    for (int i = 0; i < langList.size(); ++i) {
        const CommandEntry* entry = lang->at(i);
        // Only ASCII letters change case in a key, so that the name comes back from it whole.
        QString upper = langList.at(i);
        for (QChar& c : upper)
            c = c >= u'a' && c <= u'z' ? QChar(c.unicode() - 32) : c;
        QCOMPARE(entry->key(), QStringLiteral("LANG:") + upper);
        QCOMPARE(entry->caption(), captions.at(i));
        QCOMPARE(entry->tooltip(), tooltips.at(i));
        QCOMPARE(entry->icon(), icons.at(i));
        QCOMPARE(entry->style(), EntryStyle::Option);
        QVERIFY(!entry->checked());
    }
    QCOMPARE(lang->at(langList.size())->key(), QStringLiteral("LANG:NEW"));
    QCOMPARE(lang->at(langList.size())->style(), EntryStyle::Normal);

    // Every language entry stands in the pool once, beside the fixed entries.
    int languageEntries = 0;
    for (const CommandEntry* entry : built.pool.entries())
        languageEntries +=
            entry->style() == EntryStyle::Option && entry->key().startsWith(u"LANG:");
    QCOMPARE(languageEntries, langList.size());
}

void TestLoadBars::languageFolderInOtherLetterCase()
{
    const TempProgramDir dir(false);
    QVERIFY(QDir(dir.root()).rename(QStringLiteral("Languages"), QStringLiteral("LANGUAGES")));
    QVERIFY(dir.write(QStringLiteral("LANGUAGES/Quorvink_english.txt"), "\"x\"\r\n"));
    Built built;
    build(built, dir);
    QCOMPARE(built.langList, QStringList{QStringLiteral("english")});
}

void TestLoadBars::shippedLanguages()
{
    const TempProgramDir dir(true);
    Built built;
    build(built, dir);
    QCOMPARE(keysOf(built.pool.bar(QStringLiteral("LANG"))),
             QStringList({"LANG:DEUTSCH", "LANG:ENGLISH", "LANG:ITALIANO", "LANG:NEW"}));
    QCOMPARE(built.pool.entry(QStringLiteral("LANG:DEUTSCH"))->icon(), 106);
    QCOMPARE(built.pool.entry(QStringLiteral("LANG:ENGLISH"))->icon(), 108);
    QCOMPARE(built.pool.entry(QStringLiteral("LANG:ITALIANO"))->icon(), 107);
}

#include "test_loadbars.moc"
#include "unittestmain.h"
QUORVINK_WIDGETS_TEST_MAIN(TestLoadBars)
