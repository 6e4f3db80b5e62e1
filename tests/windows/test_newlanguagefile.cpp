#include "core/programdir.h"
#include "tempprogramdir.h"
#include "testguard.h"
#include "windows/newlanguagefile.h"

#include "unittestmain.h"

using NewLanguageFile::NameProblem;

// The names the language editor accepts for a new language file, how it writes the file, and how
// it compares a text with the English file.
class TestNewLanguageFile : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void typedNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<NameProblem>("problem");
        const std::pair<const char*, NameProblem> rows[] = {
            {"Deutsch", NameProblem::None},
            {"Brazilian Portuguese_2", NameProblem::None},
            {"日本語", NameProblem::None},
            {"Newari", NameProblem::None},
            {"", NameProblem::Empty},
            {" \t ", NameProblem::Empty},
            {"../evil", NameProblem::PathSeparator},
            {"a\\b", NameProblem::PathSeparator},
            {"..", NameProblem::Dot},
            {"english.old", NameProblem::Dot},
            {"a\tb", NameProblem::BadCharacter},
            {"a\x7f", NameProblem::BadCharacter},
            {"why?", NameProblem::BadCharacter},
            {"c:x", NameProblem::BadCharacter},
            {"New", NameProblem::Reserved},
        };
        for (const auto& [typed, problem] : rows) {
            QString tag = QString::fromUtf8(typed);
            for (QChar& c : tag)
                c = c.isPrint() ? c : QChar(u'_');
            QTest::addRow("[%s]", qPrintable(tag)) << QString::fromUtf8(typed) << problem;
        }
    }
    void typedNames()
    {
        QFETCH(QString, typed);
        QFETCH(NameProblem, problem);
        QCOMPARE(NewLanguageFile::check(typed).problem, problem);
        // Blanks around a name are not part of it.
        QCOMPARE(NewLanguageFile::check(QStringLiteral("  ") + typed + QStringLiteral("\t")).name,
                 typed.trimmed());
    }

    void failedWriteRemovesNothing()
    {
        const TempProgramDir dir(false);
        QVERIFY(dir.write(QStringLiteral("Languages/quorvink_deutsch.txt"), "old\r\n"));
        // A folder where the file would go: it cannot be replaced by a file.
        QVERIFY(QDir(dir.root()).mkpath(QStringLiteral("Languages/Quorvink_Deutsch.Txt")));
        const NewLanguageFile::Saved saved =
            NewLanguageFile::save(dir.programDir(), QStringLiteral("Deutsch"), {"new"});
        QVERIFY(!saved.written);
        QCOMPARE(saved.written.action, TextFile::Result::Action::Write);
        QVERIFY(saved.written.path.endsWith(QLatin1String("/Languages/Quorvink_Deutsch.Txt")));
        QCOMPARE(dir.read(QStringLiteral("Languages/quorvink_deutsch.txt")), QByteArray("old\r\n"));
    }

    void shapeComparedWithEnglish_data()
    {
        QTest::addColumn<QString>("edited"); // lines separated by "|"
        QTest::addColumn<int>("captions");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("unknown");
        QTest::addRow("translated")
            << "[Einstellungen]|lang=Deutsch|TAB_WIDTH = 1|\"Ja\"|  \"\"  |\"Nein" << 3
            << QStringList() << QStringList();
        QTest::addRow("a caption lost, a key misspelt")
            << "LANG=Deutsch|TAB_WIDHT=1|\"Ja\"" << 1 << QStringList{"TAB_WIDTH "}
            << QStringList{"TAB_WIDHT"};
        QTest::addRow("notes and sections do not count")
            << "; a note with = in it|[LANG=x]|LANG=|TAB_WIDTH =|\"a\"|\"b\"|\"c\"|\"d\"" << 4
            << QStringList() << QStringList();
        QTest::addRow("nothing left")
            << QString() << 0 << QStringList{"LANG", "TAB_WIDTH "} << QStringList();
    }
    void shapeComparedWithEnglish()
    {
        QFETCH(QString, edited);
        QFETCH(int, captions);
        QFETCH(QStringList, missing);
        QFETCH(QStringList, unknown);
        const NewLanguageFile::Shape english =
            NewLanguageFile::shapeOf({"; notes", "[Settings]", "LANG=English", "TAB_WIDTH = 4000",
                                      "lang=again", "[Texts]", "\"Yes\"", "\"\"", "\"No\""});
        QCOMPARE(english.captions, 3);
        QCOMPARE(english.keys, QStringList({"LANG", "TAB_WIDTH "}));
        const NewLanguageFile::Differences d = NewLanguageFile::compare(
            english, NewLanguageFile::shapeOf(edited.split(QLatin1Char('|'))));
        QCOMPARE(d.englishCaptions, 3);
        QCOMPARE(d.captions, captions);
        QCOMPARE(d.missingKeys, missing);
        QCOMPARE(d.unknownKeys, unknown);
        QCOMPARE(d.any(), captions != 3 || !missing.isEmpty() || !unknown.isEmpty());
    }
};

QUORVINK_CORE_TEST_MAIN(TestNewLanguageFile)
#include "test_newlanguagefile.moc"
