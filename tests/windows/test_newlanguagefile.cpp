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
        QTest::addColumn<QString>("name");
        QTest::addColumn<NameProblem>("problem");
        QTest::addRow("plain") << "Deutsch"
                               << "Deutsch" << NameProblem::None;
        QTest::addRow("blanks around") << "  Deutsch\t"
                                       << "Deutsch" << NameProblem::None;
        QTest::addRow("words and underscore") << "Brazilian Portuguese_2"
                                              << "Brazilian Portuguese_2" << NameProblem::None;
        QTest::addRow("not Latin") << "日本語"
                                   << "日本語" << NameProblem::None;
        QTest::addRow("empty") << "" << QString() << NameProblem::Empty;
        QTest::addRow("blanks only") << "   " << QString() << NameProblem::Empty;
        QTest::addRow("up and out") << "../evil"
                                    << "../evil" << NameProblem::PathSeparator;
        QTest::addRow("backslash") << "a\\b"
                                   << "a\\b" << NameProblem::PathSeparator;
        QTest::addRow("absolute") << "/tmp/x"
                                  << "/tmp/x" << NameProblem::PathSeparator;
        QTest::addRow("two dots") << ".."
                                  << ".." << NameProblem::Dot;
        QTest::addRow("cut at the dot") << "english.old"
                                        << "english.old" << NameProblem::Dot;
        QTest::addRow("tab inside") << "a\tb"
                                    << "a\tb" << NameProblem::BadCharacter;
        QTest::addRow("question mark") << "why?"
                                       << "why?" << NameProblem::BadCharacter;
        QTest::addRow("colon") << "c:x"
                               << "c:x" << NameProblem::BadCharacter;
        QTest::addRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b")
                             << QStringLiteral("a") + QChar(0) + QStringLiteral("b")
                             << NameProblem::BadCharacter;
        QTest::addRow("the editor's own key") << "New"
                                              << "New" << NameProblem::Reserved;
        QTest::addRow("longer than new") << "Newari"
                                         << "Newari" << NameProblem::None;
    }
    void typedNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(NameProblem, problem);
        const NewLanguageFile::Name checked = NewLanguageFile::check(typed);
        QCOMPARE(checked.problem, problem);
        QCOMPARE(checked.name, name);
    }

    // The new file takes the typed name; a file of that name in another letter case goes, so that
    // the language has one file; other files stay.
    void savingReplacesEveryLetterCase_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addRow("new") << QStringList{"Quorvink_English.txt"}
                             << QStringList{"Quorvink_Deutsch.Txt", "Quorvink_English.txt"};
        QTest::addRow("same name")
            << QStringList{"Quorvink_Deutsch.Txt"} << QStringList{"Quorvink_Deutsch.Txt"};
        QTest::addRow("other letter case")
            << QStringList{"quorvink_deutsch.txt"} << QStringList{"Quorvink_Deutsch.Txt"};
        QTest::addRow("two other letter cases")
            << QStringList{"QUORVINK_DEUTSCH.TXT", "Quorvink_Deutsch.txt",
                           "Quorvink_Deutsch.txt.bak", "Quorvink_Deutschland.txt"}
            << QStringList{"Quorvink_Deutsch.Txt", "Quorvink_Deutsch.txt.bak",
                           "Quorvink_Deutschland.txt"};
    }
    void savingReplacesEveryLetterCase()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        const TempProgramDir dir(false);
        for (const QString& name : before)
            QVERIFY(dir.write(QStringLiteral("Languages/") + name, "old\r\n"));
        const NewLanguageFile::Saved saved = NewLanguageFile::save(
            dir.programDir(), QStringLiteral("Deutsch"), {"[Texte]", "\"Schließen\"", ""});
        QVERIFY2(saved.written, qPrintable(saved.written.describe()));
        QVERIFY(saved.notRemoved.isEmpty());
        QCOMPARE(QDir(dir.file(QStringLiteral("Languages")))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 after);
        QCOMPARE(dir.read(QStringLiteral("Languages/Quorvink_Deutsch.Txt")),
                 QByteArray("[Texte]\r\n\"Schlie\xc3\x9f"
                            "en\"\r\n\r\n"));
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
        QTest::addColumn<QStringList>("edited");
        QTest::addColumn<int>("captions");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("unknown");
        QTest::addRow("translated")
            << QStringList{"[Einstellungen]", "lang=Deutsch", "TAB_WIDTH = 1",
                           "\"Ja\"",          "  \"\"  ",     "\"Nein"}
            << 3 << QStringList() << QStringList();
        QTest::addRow("a caption lost, a key misspelt")
            << QStringList{"LANG=Deutsch", "TAB_WIDHT=1", "\"Ja\""} << 1
            << QStringList{"TAB_WIDTH "} << QStringList{"TAB_WIDHT"};
        QTest::addRow("notes and sections do not count") << QStringList{"; a note with = in it",
                                                                        "[LANG=x]",
                                                                        "LANG=",
                                                                        "TAB_WIDTH =",
                                                                        "\"a\"",
                                                                        "\"b\"",
                                                                        "\"c\"",
                                                                        "\"d\""}
                                                         << 4 << QStringList() << QStringList();
        QTest::addRow("nothing left")
            << QStringList() << 0 << QStringList{"LANG", "TAB_WIDTH "} << QStringList();
    }
    void shapeComparedWithEnglish()
    {
        QFETCH(QStringList, edited);
        QFETCH(int, captions);
        QFETCH(QStringList, missing);
        QFETCH(QStringList, unknown);
        const NewLanguageFile::Shape english =
            NewLanguageFile::shapeOf({"; notes", "[Settings]", "LANG=English", "TAB_WIDTH = 4000",
                                      "lang=again", "[Texts]", "\"Yes\"", "\"\"", "\"No\""});
        QCOMPARE(english.captions, 3);
        QCOMPARE(english.keys, QStringList({"LANG", "TAB_WIDTH "}));
        const NewLanguageFile::Differences d =
            NewLanguageFile::compare(english, NewLanguageFile::shapeOf(edited));
        QCOMPARE(d.englishCaptions, 3);
        QCOMPARE(d.captions, captions);
        QCOMPARE(d.missingKeys, missing);
        QCOMPARE(d.unknownKeys, unknown);
        QCOMPARE(d.any(), captions != 3 || !missing.isEmpty() || !unknown.isEmpty());
    }
};

QUORVINK_CORE_TEST_MAIN(TestNewLanguageFile)
#include "test_newlanguagefile.moc"
