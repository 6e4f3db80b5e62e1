#include "commandbar/commandbar.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "commands/loadbars.h"
#include "commands/maincatalogue.h"
#include "commands/setcaptions.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "tempprogramdir.h"
#include "testguard.h"

#include <QTest>

// The texts of the command entries, taken from real language files read from a program directory.
class TestSetCaptions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();
    void switchingBackRestoresEveryText();
    void languageFileCaptionUsesProperCase_data();
    void languageFileCaptionUsesProperCase();
    void entriesOfLaterWindows();
    void entriesWithoutTextsKeepTheirs();

private:
    // Reads a language file of the program directory and applies it, as a language switch does.
    void switchTo(const QString& name);
    using Snapshot = QMap<QString, QPair<QString, QString>>;
    Snapshot snapshot() const;

    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<CommandPool> m_pool;
    CaptionTable m_captions;
    LanguageSettings m_settings;
};

namespace {

// A language file with the given number of captions ("<word> n") and settings.
QByteArray languageFile(const QString& word, int captions, const QStringList& settings)
{
    QByteArray bytes = "; test language\r\n[Settings]\r\n";
    for (const QString& line : settings)
        bytes += line.toUtf8() + "\r\n";
    bytes += "[Texts]\r\n";
    for (int n = 1; n <= captions; ++n)
        bytes += "\"" + word.toUtf8() + ' ' + QByteArray::number(n) + "\"\r\n";
    return bytes;
}

} // namespace

void TestSetCaptions::init()
{
    TestGuard::failOnWarnings();
    m_dir = std::make_unique<TempProgramDir>(false);
    QVERIFY(m_dir->write(QStringLiteral("Languages/Quorvink_Full.txt"),
                         languageFile(QStringLiteral("Full"), 409,
                                      {"SEARCH_DESCR=Search full", "DICTIONARY_DESCR=Dict full",
                                       "MAP_DESCR=Map full", "SOCIAL_DESCR=Social full",
                                       "ECOMMERCE_DESCR=Shop full", "TAB_WIDTH=2600"})));
    // Only 100 captions and no search description.
    QVERIFY(m_dir->write(QStringLiteral("Languages/Quorvink_short.txt"),
                         languageFile(QStringLiteral("Short"), 100,
                                      {"DICTIONARY_DESCR=Dict short", "MAP_DESCR=Map short",
                                       "SOCIAL_DESCR=Social short", "ECOMMERCE_DESCR="})));
    m_pool = std::make_unique<CommandPool>();
    QStringList langList;
    const ImageList images;
    Load_Buttons(*m_pool, images, m_dir->programDir(), 2600, nullptr, langList);
    Load_Bars(*m_pool, langList);
    m_captions = CaptionTable();
    m_settings = LanguageSettings();
}

void TestSetCaptions::cleanup()
{
    m_pool.reset();
    m_dir.reset();
}

void TestSetCaptions::switchTo(const QString& name)
{
    const QString path = m_dir->programDir().path(ProgramFiles::languageFile(name));
    QVERIFY(LanguageFile::read(path, m_captions, m_settings).ok);
    Set_Captions(*m_pool, m_captions, m_settings, name);
}

TestSetCaptions::Snapshot TestSetCaptions::snapshot() const
{
    Snapshot texts;
    for (const CommandEntry* entry : m_pool->entries())
        texts.insert(entry->key(), {entry->caption(), entry->tooltip()});
    return texts;
}

void TestSetCaptions::textsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("tooltip"); // false: the caption
    QTest::addColumn<QString>("fullText");
    QTest::addColumn<QString>("shortText");

    // A caption beyond the file's last is empty, but for those added with the keys, which come
    // in English.
    auto numbered = [](const char* word, int n) {
        const int last = QByteArray(word) == "Full" ? 409 : 100;
        if (n <= last)
            return QStringLiteral("%1 %2").arg(word).arg(n);
        // A caption the program added after the original set falls back to English.
        return n > CaptionTable::kOriginalCaptions ? CaptionTable::english(n) : QString();
    };
    // Every numbered text of the main window's commands.
    for (const MainCommand& command : MainCatalogue::commands()) {
        if (command.tooltip > 0)
            QTest::addRow("%s tooltip %d", command.key, command.tooltip)
                << command.key << true << numbered("Full", command.tooltip)
                << numbered("Short", command.tooltip);
        if (command.caption > 0)
            QTest::addRow("%s caption %d", command.key, command.caption)
                << command.key << false << numbered("Full", command.caption)
                << numbered("Short", command.caption);
    }

    // A setting the second file lacks keeps the value read before.
    QTest::addRow("GOOGLE search description") << "GOOGLE" << true << "Search full"
                                               << "Search full";
    QTest::addRow("WIKI dictionary description") << "WIKI" << true << "Dict full"
                                                 << "Dict short";
    QTest::addRow("MAP map description") << "MAP" << true << "Map full"
                                         << "Map short";
    QTest::addRow("SOCIAL social description") << "SOCIAL" << true << "Social full"
                                               << "Social short";
    QTest::addRow("EBAY shop description") << "EBAY" << true << "Shop full"
                                           << "";
    QTest::addRow("EDIT:TXT language file") << "EDIT:TXT" << false << "Quorvink_Full.txt"
                                            << "Quorvink_Short.txt";
}

void TestSetCaptions::textsFollowTheLanguage()
{
    QFETCH(QString, key);
    QFETCH(bool, tooltip);
    QFETCH(QString, fullText);
    QFETCH(QString, shortText);

    const CommandEntry* entry = m_pool->entry(key);
    QVERIFY(entry);
    const auto shown = [&] { return tooltip ? entry->tooltip() : entry->caption(); };
    const auto other = [&] { return tooltip ? entry->caption() : entry->tooltip(); };

    switchTo(QStringLiteral("Full"));
    QCOMPARE(shown(), fullText);
    QVERIFY2(other().isEmpty(), "toolbar entries get tooltips only, menu entries captions only");

    switchTo(QStringLiteral("short"));
    QCOMPARE(shown(), shortText);
    QVERIFY(other().isEmpty());
}

void TestSetCaptions::switchingBackRestoresEveryText()
{
    switchTo(QStringLiteral("Full"));
    const Snapshot full = snapshot();
    switchTo(QStringLiteral("short"));
    const Snapshot shortTexts = snapshot();
    QVERIFY(full != shortTexts);
    for (auto it = shortTexts.cbegin(); it != shortTexts.cend(); ++it) {
        // Nothing of the first language is left, except the search description that the second
        // file does not have (and the language entries, which keep the names of their files).
        if (it.key().startsWith(u"LANG:") && it.key() != QLatin1String("LANG:NEW"))
            continue;
        QVERIFY2(!it.value().first.contains(u"Full"), qPrintable(it.key()));
        if (it.key() != QLatin1String("GOOGLE"))
            QVERIFY2(!it.value().second.contains(u"full"), qPrintable(it.key()));
    }
    switchTo(QStringLiteral("Full"));
    QCOMPARE(snapshot(), full);

    // The shared texts.
    QCOMPARE(m_pool->entry(QStringLiteral("PRINT"))->tooltip(),
             m_pool->entry(QStringLiteral("EDIT:PRINT"))->caption());
    QCOMPARE(m_pool->entry(QStringLiteral("EXIT0"))->tooltip(),
             m_pool->entry(QStringLiteral("EXIT2"))->tooltip());
}

void TestSetCaptions::languageFileCaptionUsesProperCase_data()
{
    QTest::addColumn<QString>("langName");
    QTest::addColumn<QString>("caption");
    QTest::addRow("lower") << "english"
                           << "Quorvink_English.txt";
    QTest::addRow("upper") << "ITALIANO"
                           << "Quorvink_Italiano.txt";
    QTest::addRow("two words") << "new zEALAND"
                               << "Quorvink_New Zealand.txt";
    QTest::addRow("non-ASCII") << "ελληνικά"
                               << "Quorvink_Ελληνικά.txt";
}

void TestSetCaptions::languageFileCaptionUsesProperCase()
{
    QFETCH(QString, langName);
    QFETCH(QString, caption);
    Set_Captions(*m_pool, m_captions, m_settings, langName);
    QCOMPARE(m_pool->entry(QStringLiteral("EDIT:TXT"))->caption(), caption);
}

void TestSetCaptions::entriesOfLaterWindows()
{
    // Before the language editor and the input window exist, their entries are not made here.
    switchTo(QStringLiteral("Full"));
    for (const char* key : {"EXIT3", "SAVE5", "OKYES", "OKNO"})
        QCOMPARE(m_pool->entry(QLatin1String(key)), nullptr);

    for (const char* key : {"EXIT3", "SAVE5", "OKYES", "OKNO"})
        m_pool->add(QLatin1String(key), 0);
    switchTo(QStringLiteral("Full"));
    QCOMPARE(m_pool->entry(QStringLiteral("EXIT3"))->caption(), QStringLiteral("Full 210"));
    QCOMPARE(m_pool->entry(QStringLiteral("SAVE5"))->caption(), QStringLiteral("Full 128"));
    QCOMPARE(m_pool->entry(QStringLiteral("OKYES"))->caption(), QStringLiteral("Full 212"));
    QCOMPARE(m_pool->entry(QStringLiteral("OKNO"))->caption(), QStringLiteral("Full 214"));
    QCOMPARE(m_pool->entry(QStringLiteral("SAVE"))->tooltip(),
             m_pool->entry(QStringLiteral("SAVE5"))->caption());

    switchTo(QStringLiteral("short"));
    for (const char* key : {"EXIT3", "SAVE5", "OKYES", "OKNO"})
        QVERIFY2(m_pool->entry(QLatin1String(key))->caption().isEmpty(), key);
}

void TestSetCaptions::entriesWithoutTextsKeepTheirs()
{
    m_pool->entry(QStringLiteral("ADDURL"))->setCaption(QStringLiteral("Add"));
    m_pool->entry(QStringLiteral("ADDURL"))->setTooltip(QStringLiteral("Add a link"));
    const Snapshot before = snapshot();
    switchTo(QStringLiteral("Full"));
    const Snapshot after = snapshot();
    for (const char* key : {"LANG:FULL", "LANG:SHORT", "ADDURL", "NIL4", "SEP13", "EXIT5",
                            "EDIT:TXT:SEPARATOR", "SAVE3"})
        QCOMPARE(after.value(QLatin1String(key)), before.value(QLatin1String(key)));
    QCOMPARE(after.value(QStringLiteral("LANG:FULL")),
             qMakePair(QStringLiteral("Full"), QStringLiteral("Quorvink_Full.txt")));
}

#include "test_setcaptions.moc"
#include "unittestmain.h"
QUORVINK_WIDGETS_TEST_MAIN(TestSetCaptions)
