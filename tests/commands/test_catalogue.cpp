#include "commandbar/commandrecord.h"
#include "commandbar/imagelist.h"
#include "commandbar/windowshortcuts.h"
#include "commands/maincatalogue.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "tempprogramdir.h"
#include "testguard.h"
#include "windows/frmabout.h"
#include "windows/frmedit.h"
#include "windows/frminput.h"
#include "windows/frmlang.h"
#include "windows/frmtab.h"

#include <QHash>
#include <QKeySequence>
#include <QSet>
#include <QTest>

// The records of every command: what each needs to be shown, named and carried out.
class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void everyCommandIsComplete();
    void keysAreUnique();
    void barsAreKnown();
    void toolbarsShowTooltipsMenusCaptions();
    void iconsDifferWithinABar();
    void shortcutsAreUniqueAndLeaveThePageItsEditingKeys();
    void captionsInEveryShippedLanguage_data();
    void captionsInEveryShippedLanguage();
};

namespace {

// What the checks read of a record of any kind.
struct Row {
    QString table;
    QString key;
    QString bar;
    EntryStyle style;
    int icon;
    int caption;
    int tooltip;
    bool handled;
    QList<QKeySequence> keys;
};

template <class Record>
void addRows(QList<Row>& rows, const char* table, std::span<const Record> records)
{
    for (const Record& r : records)
        rows.append({QLatin1String(table), QLatin1String(r.key), QLatin1String(r.bar), r.style,
                     r.icon, r.caption, r.tooltip, r.handler != nullptr,
                     WindowShortcuts::parse(r.shortcut)});
}

QList<Row> allRows()
{
    QList<Row> rows;
    addRows(rows, "main", MainCatalogue::commands());
    addRows(rows, "frmTab", frmTab::commands());
    addRows(rows, "frmEDit", frmEDit::commands());
    addRows(rows, "frmLang", frmLang::commands());
    addRows(rows, "frmInput", frmInput::commands());
    addRows(rows, "frmAbout", frmAbout::commands());
    return rows;
}

bool isCommand(const Row& row)
{
    return row.style != EntryStyle::Separator && row.style != EntryStyle::Panel;
}

// A command of its keys alone, listed in no bar.
bool keysAlone(const Row& row)
{
    return row.bar.isEmpty();
}

QString where(const Row& row)
{
    return row.table + u' ' + row.key;
}

} // namespace

void TestCatalogue::everyCommandIsComplete()
{
    for (const Row& row : allRows()) {
        const MainCommand* main = row.table == u"main" ? MainCatalogue::find(row.key) : nullptr;
        if (keysAlone(row)) {
            // It has nothing to show: its keys and its handler are all of it.
            QVERIFY2(main && isCommand(row) && row.handled && !row.keys.isEmpty(),
                     qPrintable(where(row)));
            QVERIFY2(row.icon == -1 && row.caption == 0 && row.tooltip == 0 && !main->opens,
                     qPrintable(where(row)));
            continue;
        }
        if (!isCommand(row)) {
            // Dividers and panels do nothing and show nothing of their own.
            QVERIFY2(!row.handled && row.icon == -1, qPrintable(where(row)));
            QVERIFY2(row.caption == 0 && row.tooltip == 0, qPrintable(where(row)));
            QVERIFY2(CommandEntry::isSeparatorKey(row.key) == (row.style == EntryStyle::Separator),
                     qPrintable(where(row)));
            continue;
        }
        QVERIFY2(!CommandEntry::isSeparatorKey(row.key), qPrintable(where(row)));
        QVERIFY2(row.icon >= 0, qPrintable(where(row)));
        // A command is carried out by its handler, or opens its bar.
        QVERIFY2(row.handled != (main && main->opens), qPrintable(where(row)));
        // And says what it is.
        QVERIFY2(row.caption > 0 || row.tooltip > 0 || (main && main->description) ||
                     (main && main->namesLanguageFile),
                 qPrintable(where(row)));
    }
    const ImageList images;
    for (const MainCommand& command : MainCatalogue::commands())
        QVERIFY2(command.icon < images.count(), command.key);
}

void TestCatalogue::keysAreUnique()
{
    // A divider may stand in the bars of several windows; a command has one record.
    QSet<QString> commands;
    QSet<QString> everyKey;
    QSet<QString> dividersOfTable;
    QString table;
    for (const Row& row : allRows()) {
        if (row.table != table) {
            table = row.table;
            dividersOfTable.clear();
        }
        if (isCommand(row)) {
            QVERIFY2(!commands.contains(row.key), qPrintable(where(row)));
            commands.insert(row.key);
        } else {
            QVERIFY2(!dividersOfTable.contains(row.key), qPrintable(where(row)));
            dividersOfTable.insert(row.key);
        }
        everyKey.insert(row.key);
    }
    // The language entries' keys cannot meet a command's, but the editor's own entry.
    for (const QString& key : std::as_const(everyKey)) {
        if (key.startsWith(u"LANG:"))
            QCOMPARE(key, QStringLiteral("LANG:NEW"));
    }
    QVERIFY(!MainCatalogue::isLanguageKey(u"LANG:NEW"));
    QVERIFY(MainCatalogue::isLanguageKey(u"LANG:ENGLISH"));
    QCOMPARE(MainCatalogue::languageOf(u"LANG:ENGLISH"), QStringLiteral("english"));
}

void TestCatalogue::barsAreKnown()
{
    QSet<QString> mainBars;
    for (const MainBar& bar : MainCatalogue::bars()) {
        QVERIFY2(!mainBars.contains(QLatin1String(bar.key)), bar.key);
        mainBars.insert(QLatin1String(bar.key));
    }
    QSet<QString> filled;
    QSet<QString> opened;
    for (const MainCommand& command : MainCatalogue::commands()) {
        if (!command.bar)
            continue;
        QVERIFY2(mainBars.contains(QLatin1String(command.bar)), command.key);
        filled.insert(QLatin1String(command.bar));
        if (command.opens) {
            QVERIFY2(mainBars.contains(QLatin1String(command.opens)), command.key);
            QVERIFY2(!opened.contains(QLatin1String(command.opens)), command.key);
            opened.insert(QLatin1String(command.opens));
        }
    }
    QCOMPARE(filled, mainBars);
    // Every drop-down bar is opened by one entry of the main toolbar and shown by the menus.
    for (const MainBar& bar : MainCatalogue::bars()) {
        const bool dropDown = opened.contains(QLatin1String(bar.key));
        QCOMPARE(bar.control == 3, dropDown);
    }
    for (const MainCommand& command : MainCatalogue::commands()) {
        if (command.opens)
            QCOMPARE(MainCatalogue::controlOf(command.bar), 0);
    }
    // The entries the window follows exist.
    for (int style = 0; style < 4; ++style)
        QVERIFY(MainCatalogue::find(MainCatalogue::drawingStyleKey(style)));
    QVERIFY(MainCatalogue::drawingStyleKey(4).isEmpty());
    QCOMPARE(MainCatalogue::find(MainCatalogue::autoHideKey())->style, EntryStyle::Check);
    QVERIFY(MainCatalogue::find(MainCatalogue::exportMenuKey())->opens);
    QVERIFY(MainCatalogue::find(MainCatalogue::harvestSwitchKey())->handler);
}

void TestCatalogue::toolbarsShowTooltipsMenusCaptions()
{
    for (const MainCommand& command : MainCatalogue::commands()) {
        if (command.style == EntryStyle::Separator || command.style == EntryStyle::Panel ||
            !command.bar)
            continue;
        const bool menu = MainCatalogue::controlOf(command.bar) == 3;
        QVERIFY2(menu == (command.caption > 0 || command.namesLanguageFile), command.key);
        QVERIFY2(menu == (command.tooltip == 0 && !command.description), command.key);
        // A check or option entry reads its state from the settings through its record.
        QVERIFY2((command.style == EntryStyle::Check || command.style == EntryStyle::Option) ==
                     (command.checked != nullptr),
                 command.key);
    }
}

void TestCatalogue::iconsDifferWithinABar()
{
    QSet<QString> seen;
    for (const Row& row : allRows()) {
        if (!isCommand(row) || keysAlone(row))
            continue;
        const QString place = row.table + u'/' + row.bar + u'/' + QString::number(row.icon);
        QVERIFY2(!seen.contains(place), qPrintable(where(row)));
        seen.insert(place);
    }
}

void TestCatalogue::shortcutsAreUniqueAndLeaveThePageItsEditingKeys()
{
    // What a text field of a page needs for its editing, as this desktop binds it: the moves
    // and selections of the cursor, and the commands of the clipboard and of undo.
    QSet<QKeySequence> editing;
    QList<QKeySequence::StandardKey> standards{
        QKeySequence::Copy, QKeySequence::Cut,       QKeySequence::Paste,  QKeySequence::Undo,
        QKeySequence::Redo, QKeySequence::SelectAll, QKeySequence::Delete, QKeySequence::Backspace};
    for (int k = QKeySequence::MoveToNextChar; k <= QKeySequence::InsertLineSeparator; ++k)
        standards.append(QKeySequence::StandardKey(k));
    for (const QKeySequence::StandardKey standard : std::as_const(standards)) {
        for (const QKeySequence& key : QKeySequence::keyBindings(standard))
            editing.insert(key);
    }
    QVERIFY(editing.contains(QKeySequence(Qt::CTRL | Qt::Key_A)));
    QVERIFY(editing.contains(QKeySequence(Qt::Key_Home)));

    QHash<QKeySequence, QString> owner;
    for (const Row& row : allRows()) {
        for (const QKeySequence& key : row.keys) {
            const QString what = where(row) + u' ' + key.toString();
            QCOMPARE(key.count(), 1);
            QVERIFY2(!owner.contains(key), qPrintable(what + u' ' + owner.value(key)));
            owner.insert(key, where(row));
            QVERIFY2(!editing.contains(key), qPrintable(what));
            // A key of its own is a function key or Escape; any other holds Ctrl or Alt, so that
            // typing into a page never meets one.
            const QKeyCombination combination = key[0];
            const Qt::Key k = combination.key();
            const bool functionKey = (k >= Qt::Key_F1 && k <= Qt::Key_F35) || k == Qt::Key_Escape;
            const bool held =
                combination.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier);
            QVERIFY2(functionKey || held, qPrintable(what));
        }
    }
    QVERIFY(owner.contains(QKeySequence(Qt::Key_F5)));
}

void TestCatalogue::captionsInEveryShippedLanguage_data()
{
    QTest::addColumn<QString>("language");
    for (const char* language : {"English", "Italiano", "Deutsch"})
        QTest::addRow("%s", language) << QString::fromLatin1(language);
}

void TestCatalogue::captionsInEveryShippedLanguage()
{
    QFETCH(QString, language);
    const TempProgramDir dir(true);
    CaptionTable captions;
    LanguageSettings settings;
    QVERIFY(LanguageFile::read(dir.programDir().path(ProgramFiles::languageFile(language)),
                               captions, settings)
                .ok);
    for (const Row& row : allRows()) {
        for (const int number : {row.caption, row.tooltip}) {
            if (number > 0) {
                QVERIFY2(!captions.text(number).trimmed().isEmpty(), qPrintable(where(row)));
                // A reserved line is a number kept free, never a text to show.
                QVERIFY2(captions.text(number) != QLatin1String("(reserved)"),
                         qPrintable(where(row)));
            }
        }
    }
    for (const MainCommand& command : MainCatalogue::commands()) {
        if (command.description)
            QVERIFY2(!(settings.*command.description).isEmpty(), command.key);
    }
}

#include "test_catalogue.moc"
#include "unittestmain.h"
QUORVINK_WIDGETS_TEST_MAIN(TestCatalogue)
