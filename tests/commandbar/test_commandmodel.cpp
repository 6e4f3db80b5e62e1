#include "commandbar/commandbar.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "core/propercase.h"
#include "testguard.h"

#include <QSignalSpy>
#include <QTest>

// The pool, its entries and bars, the image list's keys, and proper case.
class TestCommandModel : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void separatorKeys_data();
    void separatorKeys();
    void addingAnExistingKeyKeepsTheEntry();
    void entryChangesAreSignalledOnce();
    void optionMarkIsExclusiveWithinABar();
    void barsKeepTheirOrder();
    void properCase_data();
    void properCase();
    void flagKeys();
    void flagForPrefix_data();
    void flagForPrefix();
    void everyIconIsSixteenPixels();
};

void TestCommandModel::separatorKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("separator");
    QTest::addRow("menu divider") << "EDIT:TXT:SEPARATOR" << true;
    QTest::addRow("numbered divider") << "SEP13" << true;
    QTest::addRow("one digit") << "SEP1" << true;
    QTest::addRow("SEP alone") << "SEP" << false;
    QTest::addRow("SEP and letters") << "SEPARATE" << false;
    QTest::addRow("digits then letter") << "SEP1A" << false;
    QTest::addRow("lower case sep") << "sep1" << false;
    QTest::addRow("divider word inside") << "FILE:SEPARATOR:X" << false;
    QTest::addRow("lower case divider") << "EDIT:separator" << false;
    QTest::addRow("plain command") << "SAVE2" << false;
}

void TestCommandModel::separatorKeys()
{
    QFETCH(QString, key);
    QFETCH(bool, separator);
    QCOMPARE(CommandEntry::isSeparatorKey(key), separator);

    // The pool makes every divider key a separator without icon, whatever the caller asked.
    CommandPool pool;
    CommandEntry* entry = pool.add(key, 12, QString(), EntryStyle::Check);
    QCOMPARE(entry->style(), separator ? EntryStyle::Separator : EntryStyle::Check);
    QCOMPARE(entry->icon(), separator ? -1 : 12);
}

void TestCommandModel::addingAnExistingKeyKeepsTheEntry()
{
    CommandPool pool;
    CommandEntry* first = pool.add(QStringLiteral("EXIT3"), 0, QStringLiteral("Close"),
                                   EntryStyle::Normal, QStringLiteral("tip"));
    QVERIFY(first->enabled());
    QVERIFY(!first->checked());
    QVERIFY(!first->captionInBar());
    first->setCaptionInBar(true);

    // A window built for the second time adds its entries again and must find them as they are.
    CommandEntry* again = pool.add(QStringLiteral("EXIT3"), 5, QStringLiteral("Other"),
                                   EntryStyle::Check, QStringLiteral("other tip"));
    QCOMPARE(again, first);
    QCOMPARE(again->icon(), 0);
    QCOMPARE(again->caption(), QStringLiteral("Close"));
    QCOMPARE(again->tooltip(), QStringLiteral("tip"));
    QCOMPARE(again->style(), EntryStyle::Normal);
    QVERIFY(again->captionInBar());
    QCOMPARE(pool.entries().size(), 1);
    QCOMPARE(pool.entry(QStringLiteral("EXIT3")), first);
    QCOMPARE(pool.entry(QStringLiteral("exit3")), nullptr);

    CommandBar* bar = pool.addBar(QStringLiteral("LANGBAR"));
    bar->append(first);
    QCOMPARE(pool.addBar(QStringLiteral("LANGBAR")), bar);
    QCOMPARE(pool.bar(QStringLiteral("LANGBAR"))->count(), 1);
    QCOMPARE(pool.bar(QStringLiteral("NONE")), nullptr);
}

void TestCommandModel::entryChangesAreSignalledOnce()
{
    CommandPool pool;
    CommandEntry* entry = pool.add(QStringLiteral("QUORVINK:START"), 132);
    CommandBar* bar = pool.addBar(QStringLiteral("VIEWMAILS"));
    QWidget panel;
    QSignalSpy spy(entry, &CommandEntry::changed);

    entry->setIcon(133);
    entry->setIcon(133);
    entry->setCaption(QStringLiteral("Start"));
    entry->setCaption(QStringLiteral("Start"));
    entry->setTooltip(QStringLiteral("tip"));
    entry->setChecked(true);
    entry->setEnabled(false);
    entry->setCaptionInBar(true);
    entry->setDropDown(bar);
    entry->setDropDown(bar);
    entry->setPanelWidth(2600);
    entry->setPanelControl(&panel);
    entry->setPanelControl(&panel);
    QCOMPARE(spy.count(), 9);
    QCOMPARE(entry->icon(), 133);
    QCOMPARE(entry->dropDown(), bar);
    QCOMPARE(entry->panelControl(), &panel);
}

void TestCommandModel::optionMarkIsExclusiveWithinABar()
{
    CommandPool pool;
    CommandBar* file = pool.addBar(QStringLiteral("FILE"));
    CommandBar* other = pool.addBar(QStringLiteral("OTHER"));
    CommandEntry* system = pool.add(QStringLiteral("FILE:SYSTEM"), 58, {}, EntryStyle::Option);
    CommandEntry* office = pool.add(QStringLiteral("FILE:OFFICE"), 9, {}, EntryStyle::Option);
    CommandEntry* floating = pool.add(QStringLiteral("FILE:FLOATING"), 72, {}, EntryStyle::Check);
    CommandEntry* elsewhere = pool.add(QStringLiteral("LANG:ENGLISH"), 108, {}, EntryStyle::Option);
    for (CommandEntry* e : {system, office, floating})
        file->append(e);
    other->append(elsewhere);
    floating->setChecked(true);
    elsewhere->setChecked(true);

    file->markOption(system);
    file->markOption(office);
    QVERIFY(!system->checked());
    QVERIFY(office->checked());
    QVERIFY2(floating->checked(), "a check entry is not part of the option group");
    QVERIFY2(elsewhere->checked(), "options of another bar keep their mark");
}

void TestCommandModel::barsKeepTheirOrder()
{
    CommandPool pool;
    const QStringList keys{QStringLiteral("STANDARD0"), QStringLiteral("SAVE"),
                           QStringLiteral("FILE"), QStringLiteral("EDIT")};
    for (const QString& key : keys)
        pool.addBar(key);
    QStringList found;
    for (const CommandBar* bar : pool.bars()) {
        found << bar->key();
        QVERIFY(bar->title().isEmpty());
    }
    QCOMPARE(found, keys);

    // One entry may stand in a bar more than once.
    CommandEntry* sep = pool.add(QStringLiteral("SEP1"), -1);
    CommandBar* bar = pool.bar(QStringLiteral("SAVE"));
    QSignalSpy spy(bar, &CommandBar::contentChanged);
    bar->append(sep);
    bar->append(sep);
    bar->append(nullptr);
    QCOMPARE(bar->count(), 2);
    QCOMPARE(spy.count(), 2);
    QVERIFY(bar->contains(sep));
}

void TestCommandModel::properCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addRow("lower") << "english"
                           << "English";
    QTest::addRow("upper") << "ITALIANO"
                           << "Italiano";
    QTest::addRow("mixed") << "dEuTsCh"
                           << "Deutsch";
    QTest::addRow("two words") << "new ZEALAND english"
                               << "New Zealand English";
    QTest::addRow("double blank") << "a  b"
                                  << "A  B";
    QTest::addRow("leading blank") << " x"
                                   << " X";
    QTest::addRow("hyphen is no word break") << "anglo-saxon"
                                             << "Anglo-saxon";
    QTest::addRow("accented") << "ÉCOLE français"
                              << "École Français";
    QTest::addRow("greek") << "ΕΛΛΗΝΙΚΆ"
                           << "Ελληνικά";
    QTest::addRow("outside the basic plane")
        << QString::fromUtf8("\xF0\x90\x90\xA8\xF0\x90\x90\xA8")
        << QString::fromUtf8("\xF0\x90\x90\x80\xF0\x90\x90\xA8");
    QTest::addRow("empty") << ""
                           << "";
}

void TestCommandModel::properCase()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(::properCase(text), expected);
}

void TestCommandModel::flagKeys()
{
    const ImageList images;
    QCOMPARE(images.count(), 135);
    const QStringList keys{"pea", "it",  "en",  "uk", "am",  "fr", "ger",
                           "esp", "por", "rus", "nl", "bel", "can"};
    for (int i = 0; i < images.count(); ++i) {
        const QString expected = i >= 106 && i <= 118 ? keys.at(i - 106) : QString();
        QCOMPARE(images.key(i), expected);
    }
    QVERIFY(images.key(-1).isEmpty());
    QVERIFY(images.key(135).isEmpty());
}

void TestCommandModel::flagForPrefix_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<int>("index");
    QTest::addRow("en") << "en" << 108;
    QTest::addRow("it") << "it" << 107;
    QTest::addRow("ge finds ger") << "ge" << 112;
    QTest::addRow("de finds nothing") << "de" << 106;
    QTest::addRow("pe finds pea at 106") << "pe" << 106;
    QTest::addRow("fr") << "fr" << 111;
    QTest::addRow("po") << "po" << 114;
    QTest::addRow("ca") << "ca" << 118;
    QTest::addRow("upper case does not match") << "EN" << 106;
    QTest::addRow("one letter matches no two-letter key") << "e" << 106;
}

void TestCommandModel::flagForPrefix()
{
    QFETCH(QString, prefix);
    QFETCH(int, index);
    QCOMPARE(ImageList().indexOfKeyPrefix(prefix), index);
}

void TestCommandModel::everyIconIsSixteenPixels()
{
    const ImageList images;
    for (int i = 0; i < images.count(); ++i) {
        const QIcon icon = images.icon(i);
        QVERIFY2(!icon.isNull(), qPrintable(QStringLiteral("icon %1 is missing").arg(i)));
        QCOMPARE(icon.availableSizes().value(0), QSize(16, 16));
    }
    QVERIFY(images.icon(-1).isNull());
    QVERIFY(images.icon(135).isNull());

    // Pictures that cannot be found give null icons, never a failure.
    const ImageList missing(QStringLiteral(":/no-such-folder"));
    QVERIFY(missing.icon(0).isNull());
    QCOMPARE(missing.key(108), QStringLiteral("en"));
}

#include "test_commandmodel.moc"
#include "unittestmain.h"
QUORVINK_WIDGETS_TEST_MAIN(TestCommandModel)
