#include "commandbar/commandbar.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "commands/loadbars.h"
#include "tempprogramdir.h"
#include "testguard.h"

#include <QTest>

// The pool and the main window's bars built at start-up, and the language menu built from the
// files of the language folder.
class TestLoadBars : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void mainWindowBars_data();
    void mainWindowBars();
    void dropDownLinks_data();
    void dropDownLinks();
    void entriesOfOtherWindows_data();
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

EntryStyle styleOf(const QString& name)
{
    if (name == QLatin1String("separator"))
        return EntryStyle::Separator;
    if (name == QLatin1String("check"))
        return EntryStyle::Check;
    if (name == QLatin1String("option"))
        return EntryStyle::Option;
    if (name == QLatin1String("panel"))
        return EntryStyle::Panel;
    return EntryStyle::Normal;
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

void TestLoadBars::mainWindowBars_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("icon");

    struct Row {
        const char* bar;
        int position;
        const char* key;
        const char* style;
        int icon;
    };
    // The bars of the main window, entry by entry.
    const Row rows[] = {
        {"STANDARD0", 1, "EXIT0", "normal", 0},
        {"STANDARD0", 2, "SEP13", "separator", -1},
        {"STANDARD0", 3, "BACK", "normal", 1},
        {"STANDARD0", 4, "NEXT", "normal", 2},
        {"STANDARD0", 5, "SEP10", "separator", -1},
        {"STANDARD0", 6, "PRINT", "normal", 5},
        {"STANDARD0", 7, "FAVORITE", "normal", 8},
        {"STANDARD0", 8, "KELDRANO", "normal", 19},
        {"STANDARD0", 9, "SEP11", "separator", -1},
        {"STANDARD0", 10, "EDIT", "normal", 7},
        {"STANDARD0", 11, "SAVE", "normal", 6},
        {"STANDARD0", 12, "FILE", "normal", 81},
        {"STANDARD0", 13, "LANG", "normal", 105},
        {"STANDARD0", 14, "QUORVINK", "normal", 126},
        {"STANDARD0", 15, "NAVIGATE", "normal", 73},
        {"STANDARD1", 1, "NIL4", "panel", -1},
        {"STANDARD2", 1, "GOOGLE", "normal", 13},
        {"STANDARD2", 2, "SOCIAL", "normal", 124},
        {"STANDARD2", 3, "EBAY", "normal", 125},
        {"STANDARD2", 4, "WIKI", "normal", 122},
        {"STANDARD2", 5, "MAP", "normal", 123},
        {"STANDARD2", 6, "SEP14", "separator", -1},
        {"STANDARD2", 7, "MIN", "normal", 22},
        {"STANDARD2", 8, "EXIT2", "normal", 0},
        {"EDIT", 1, "EDIT:STOP", "normal", 3},
        {"EDIT", 2, "EDIT:TXT", "normal", 66},
        {"EDIT", 3, "EDIT:TXT:SEPARATOR", "separator", -1},
        {"EDIT", 4, "EDIT:CUT", "normal", 61},
        {"EDIT", 5, "EDIT:COPY", "normal", 62},
        {"EDIT", 6, "EDIT:PASTE", "normal", 63},
        {"EDIT", 7, "EDIT:DELETE", "normal", 68},
        {"EDIT", 8, "EDIT:SELECT", "normal", 67},
        {"EDIT", 9, "EDIT:SELECT:SEPARATOR", "separator", -1},
        {"EDIT", 10, "EDIT:PAGESET", "normal", 58},
        {"EDIT", 11, "EDIT:PREVIEW", "normal", 59},
        {"EDIT", 12, "EDIT:PRINT", "normal", 60},
        {"EDIT", 13, "EDIT:PROPERTIES", "normal", 79},
        {"EDIT", 14, "EDIT:FINDDOC", "normal", 64},
        {"EDIT", 15, "EDIT:VIEW:SEPARATOR", "separator", -1},
        {"EDIT", 16, "EDIT:VIEW", "normal", 69},
        {"EDIT", 17, "EDIT:PICTURE", "normal", 78},
        {"EDIT", 18, "EDIT:TRANS", "normal", 80},
        {"EDIT", 19, "EDIT:EXIT:SEPARATOR", "separator", -1},
        {"EDIT", 20, "EDIT:EXIT", "normal", 0},
        {"SAVE", 1, "SAVE:HTML", "normal", 26},
        {"SAVE", 2, "SAVE:WORDH", "normal", 27},
        {"SAVE", 3, "SAVE:WORDV", "normal", 28},
        {"SAVE", 4, "SAVE:EXCEL", "normal", 29},
        {"SAVE", 5, "SAVE:PPT", "normal", 30},
        {"SAVE", 6, "SAVE:PDF", "normal", 32},
        {"FILE", 1, "FILE:STYLE:SEPARATOR", "separator", -1},
        {"FILE", 2, "FILE:SYSTEM", "option", 58},
        {"FILE", 3, "FILE:OFFICE", "option", 9},
        {"FILE", 4, "FILE:XP", "option", 75},
        {"FILE", 5, "FILE:MONEY", "option", 76},
        {"FILE", 6, "FILE:FLOATING:SEPARATOR", "separator", -1},
        {"FILE", 7, "FILE:FLOATING", "check", 72},
        {"FILE", 8, "FILE:OTHERSITES", "check", 126},
        {"FILE", 9, "FILE:FISH:SEPARATOR", "separator", -1},
        {"FILE", 10, "FILE:EXPLORER", "normal", 46},
        {"FILE", 11, "FILE:SECURITY", "normal", 48},
        {"FILE", 12, "FILE:VOLUME", "normal", 37},
        {"FILE", 13, "FILE:INTERNET", "normal", 47},
        {"FILE", 14, "FILE:INTERNET:SEPARATOR", "separator", -1},
        {"FILE", 15, "FILE:KELDRANO", "normal", 19},
        {"FILE", 16, "FILE:HELP", "normal", 77},
        {"LANG", 1, "LANG:NEW", "normal", 119},
        {"VIEWMAILS", 1, "QUORVINK:START", "normal", 132},
        {"VIEWMAILS", 2, "QUORVINK:VIEW", "normal", 10},
        {"VIEWMAILS", 3, "QUORVINK:ADD", "normal", 104},
        {"VIEWMAILS", 4, "QUORVINK:CANCEL", "normal", 68},
        {"VIEWMAILS", 5, "QUORVINK:SAVEAS", "normal", 6},
        {"NAVIGATE", 1, "NAVIGATE:PICK", "normal", 15},
        {"NAVIGATE", 2, "NAVIGATE:GO", "normal", 71},
        {"NAVIGATE", 3, "NAVIGATE:GO:SEPARATOR", "separator", -1},
        {"NAVIGATE", 4, "NAVIGATE:BACK", "normal", 1},
        {"NAVIGATE", 5, "NAVIGATE:REFRESH", "normal", 4},
        {"NAVIGATE", 6, "NAVIGATE:NEXT", "normal", 2},
        {"NAVIGATE", 7, "NAVIGATE:HOME:SEPARATOR", "separator", -1},
        {"NAVIGATE", 8, "NAVIGATE:PICKHOME", "normal", 83},
        {"NAVIGATE", 9, "NAVIGATE:HOME", "normal", 16},
    };
    for (const Row& row : rows) {
        QTest::addRow("%s %d %s", row.bar, row.position, row.key)
            << QString::fromLatin1(row.bar) << row.position << QString::fromLatin1(row.key)
            << QString::fromLatin1(row.style) << row.icon;
    }
    // The length of each bar, as the row with position 0.
    const std::pair<const char*, int> lengths[] = {
        {"STANDARD0", 15}, {"STANDARD1", 1}, {"STANDARD2", 8}, {"EDIT", 20},    {"SAVE", 6},
        {"FILE", 16},      {"LANG", 1},      {"VIEWMAILS", 5}, {"NAVIGATE", 9},
    };
    for (const auto& [bar, length] : lengths)
        QTest::addRow("%s length", bar)
            << QString::fromLatin1(bar) << 0 << QString() << QString() << length;
}

void TestLoadBars::mainWindowBars()
{
    QFETCH(QString, bar);
    QFETCH(int, position);
    QFETCH(QString, key);
    QFETCH(QString, style);
    QFETCH(int, icon);

    const TempProgramDir dir(false); // no language files: "LANG" holds only "LANG:NEW"
    Built built;
    build(built, dir);
    const CommandBar* found = built.pool.bar(bar);
    QVERIFY(found);
    QVERIFY(found->title().isEmpty());
    if (position == 0) {
        QCOMPARE(found->count(), icon);
        return;
    }
    const CommandEntry* entry = found->at(position - 1);
    QVERIFY(entry);
    QCOMPARE(entry->key(), key);
    QCOMPARE(entry->style(), styleOf(style));
    QCOMPARE(entry->icon(), icon);
    QCOMPARE(built.pool.entry(key), entry);
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

void TestLoadBars::entriesOfOtherWindows_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("icon");
    QTest::addRow("EXIT5") << "EXIT5"
                           << "normal" << 0;
    QTest::addRow("EXIT6") << "EXIT6"
                           << "normal" << 0;
    QTest::addRow("ADDURL") << "ADDURL"
                            << "normal" << 1;
    QTest::addRow("EDITURL") << "EDITURL"
                             << "normal" << 2;
    QTest::addRow("GOURL") << "GOURL"
                           << "normal" << 3;
    QTest::addRow("SORT") << "SORT"
                          << "normal" << 6;
    QTest::addRow("SAVE2") << "SAVE2"
                           << "normal" << 7;
    QTest::addRow("HELP2") << "HELP2"
                           << "normal" << 8;
    QTest::addRow("TITLE") << "TITLE"
                           << "normal" << 9;
    QTest::addRow("CANCEL") << "CANCEL"
                            << "normal" << 1;
    QTest::addRow("SAVE3") << "SAVE3"
                           << "normal" << 2;
    for (const char* sep : {"SEP1", "SEP4", "SEP5", "SEP7", "SEP10", "SEP2", "SEP13"})
        QTest::addRow("%s", sep) << sep << "separator" << -1;
    // Added by the windows themselves when they are first built.
    for (const char* later : {"EXIT3", "SAVE5", "OKYES", "OKNO", "NIL6", "ABOUTOK", "ABOUTHELP"})
        QTest::addRow("%s not yet", later) << later << QString() << 0;
}

void TestLoadBars::entriesOfOtherWindows()
{
    QFETCH(QString, key);
    QFETCH(QString, style);
    QFETCH(int, icon);
    const TempProgramDir dir(false);
    Built built;
    build(built, dir);
    const CommandEntry* entry = built.pool.entry(key);
    if (style.isEmpty()) {
        QCOMPARE(entry, nullptr);
        return;
    }
    QVERIFY(entry);
    QCOMPARE(entry->style(), styleOf(style));
    QCOMPARE(entry->icon(), icon);
}

void TestLoadBars::entriesStartPlain()
{
    const TempProgramDir dir(false);
    Built built;
    build(built, dir);
    // 81 entries of the main window and 16 more for the link-table window and its editor.
    QCOMPARE(built.pool.entries().size(), 81 + 16);
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
