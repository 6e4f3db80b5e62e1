#include "core/programdir.h"
#include "tempprogramdir.h"
#include "testguard.h"
#include "windows/newlanguagefile.h"

#include "unittestmain.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

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
            {"why?", NameProblem::BadCharacter},
            {"c:x", NameProblem::BadCharacter},
            {"New", NameProblem::Reserved},
            {"nEW", NameProblem::Reserved},
            // Look-alikes of the English file's name are names of their own.
            {"Engli\u017Fh", NameProblem::None},
            {"ENGL\u0130SH", NameProblem::None},
            {"\u212Aorean", NameProblem::None},
            {"Ne\u1E87", NameProblem::None},
            // Characters that do not show: controls, direction marks, zero-width ones, separators.
            {"a\tb", NameProblem::Invisible},
            {"a\x7f", NameProblem::Invisible},
            {"a\u0085b", NameProblem::Invisible},
            {"hsilgnE\u202E", NameProblem::Invisible},
            {"\u202EhsilgnE", NameProblem::Invisible},
            {"Eng\u200Blish", NameProblem::Invisible},
            {"\u2066English\u2069", NameProblem::Invisible},
            {"Eng\uFEFFlish", NameProblem::Invisible},
            {"English\u2028", NameProblem::Invisible},
            {"English\u2029x", NameProblem::Invisible},
            {"Eng\xF3\xA0\x80\x81lish", NameProblem::Invisible}, // U+E0001, a language tag
            {"a\u00ADb", NameProblem::Invisible},                // soft hyphen
            // Device names, in any letter case, with an extension or blanks before it.
            {"CON", NameProblem::Device},
            {"Prn", NameProblem::Device},
            {"NUL.txt", NameProblem::Device},
            {"nul .x", NameProblem::Device},
            {"COM1", NameProblem::Device},
            {"LPT5", NameProblem::Device},
            {"lpt\u00B9", NameProblem::Device},
            {"COM0", NameProblem::None},
            {"COM10", NameProblem::None},
            {"CONSOLE", NameProblem::None},
            {"\u0421ON", NameProblem::None}, // a Cyrillic letter: another name, not a device
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
        // Blanks and tabs around a name are not part of it; a separator at its end is.
        const NewLanguageFile::Name padded =
            NewLanguageFile::check(QStringLiteral("  ") + typed + QStringLiteral("\t"));
        QCOMPARE(padded.name, NewLanguageFile::check(typed).name);
        QCOMPARE(padded.problem, problem);
        if (typed == typed.trimmed())
            QCOMPARE(padded.name, typed);
    }

    // The reason names the invisible character, and the name shown in a message holds none.
    void invisibleCharacterIsNamed()
    {
        const NewLanguageFile::Name name =
            NewLanguageFile::check(QStringLiteral("ab\u202Ecd\u200B"));
        QCOMPARE(name.problem, NameProblem::Invisible);
        QCOMPARE(name.character, char32_t(0x202E));
        QCOMPARE(NewLanguageFile::shown(name.name), QStringLiteral("ab\uFFFDcd\uFFFD"));
        QCOMPARE(NewLanguageFile::shown(QStringLiteral("x\U000E0001\U0001F600")),
                 QStringLiteral("x\uFFFD\U0001F600"));
    }

    // A look-alike name writes a file of its own: the English file and its kin stay.
    void lookAlikeKeepsEnglish()
    {
        const TempProgramDir dir(true);
        const QByteArray english = dir.read(QStringLiteral("Languages/Quorvink_English.txt"));
        QVERIFY(!english.isEmpty());
        for (const char* name : {"Engli\u017Fh", "ENGL\u0130SH", "\u212Anglish"}) {
            const NewLanguageFile::Saved saved =
                NewLanguageFile::save(dir.programDir(), QString::fromUtf8(name), {"x"});
            QVERIFY(saved.written);
            QVERIFY(saved.notRemoved.isEmpty());
        }
        QCOMPARE(dir.read(QStringLiteral("Languages/Quorvink_English.txt")), english);
        QCOMPARE(QDir(dir.file(QStringLiteral("Languages"))).entryList(QDir::Files).size(), 6);
        // A name in another ASCII letter case replaces it, as before.
        QVERIFY(NewLanguageFile::save(dir.programDir(), QStringLiteral("english"), {"y"}).written);
        QVERIFY(!QFileInfo::exists(dir.file(QStringLiteral("Languages/Quorvink_English.txt"))));
        QCOMPARE(dir.read(QStringLiteral("Languages/Quorvink_english.Txt")), QByteArray("y\r\n"));
    }

    // A folder, or a link to a pipe, where the file would go is not replaced; the failure names
    // the file, the pipe stays a pipe and nothing is removed.
    void failedWriteRemovesNothing_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::addRow("folder") << false;
        QTest::addRow("link to a pipe") << true;
    }
    void failedWriteRemovesNothing()
    {
        QFETCH(bool, pipe);
        const TempProgramDir dir(false);
        QVERIFY(dir.write(QStringLiteral("Languages/quorvink_deutsch.txt"), "old\r\n"));
        const QString target = dir.file(QStringLiteral("Languages/Quorvink_Deutsch.Txt"));
        const QByteArray fifo = QFile::encodeName(dir.file(QStringLiteral("pipe")));
        QVERIFY(pipe ? mkfifo(fifo.constData(), 0600) == 0 && QFile::link(fifo, target)
                     : QDir().mkpath(target));
        const NewLanguageFile::Saved saved =
            NewLanguageFile::save(dir.programDir(), QStringLiteral("Deutsch"), {"new"});
        QVERIFY(!saved.written);
        QCOMPARE(saved.written.action, TextFile::Result::Action::Write);
        QCOMPARE(saved.written.path, target);
        QCOMPARE(dir.read(QStringLiteral("Languages/quorvink_deutsch.txt")), QByteArray("old\r\n"));
        struct stat info {};
        QVERIFY(!pipe || (stat(fifo.constData(), &info) == 0 && S_ISFIFO(info.st_mode)));
    }

    void shapeComparedWithEnglish_data()
    {
        QTest::addColumn<QString>("edited"); // lines separated by "|"
        QTest::addColumn<int>("captions");
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<QStringList>("unknown");
        // A user's file without a locale is whole: Qt's texts are English for it.
        QTest::addRow("translated, without a locale")
            << "[Einstellungen]|lang=Deutsch|TAB_WIDTH = 1|\"Ja\"|  \"\"  |\"Nein" << 3
            << QStringList() << QStringList();
        QTest::addRow("translated, with a locale")
            << "LANG=Deutsch|Locale=de|TAB_WIDTH = 1|\"Ja\"|\"\"|\"Nein\"" << 3 << QStringList()
            << QStringList();
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
        const NewLanguageFile::Shape english = NewLanguageFile::shapeOf(
            {"; notes", "[Settings]", "LANG=English", "LOCALE=en", "TAB_WIDTH = 4000", "lang=again",
             "[Texts]", "\"Yes\"", "\"\"", "\"No\""});
        QCOMPARE(english.captions, 3);
        QCOMPARE(english.keys, QStringList({"LANG", "LOCALE", "TAB_WIDTH "}));
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
