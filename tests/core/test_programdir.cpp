#include "core/programdir.h"
#include "ordinaryuser.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Finding the program directory of an installed program: the per-user folder is filled from the
// installed copy of the shipped data, on the first start and again after an upgrade, without
// overwriting what the user has there.

using Files = QMap<QString, QByteArray>; // path below a folder -> content

namespace {

void writeFiles(const QString& root, const Files& files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString path = root + QLatin1Char('/') + it.key();
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY2(f.open(QIODevice::WriteOnly) && f.write(it.value()) == it.value().size(),
                 qPrintable(path));
    }
}

// Every file below root with its content, and every folder (as "name/", content empty).
Files readTree(const QString& root)
{
    Files found;
    QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isDir()) {
            found.insert(base.relativeFilePath(path) + QLatin1Char('/'), QByteArray());
        } else {
            QFile f(path);
            found.insert(base.relativeFilePath(path),
                         f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
        }
    }
    return found;
}

Files joined(Files a, const Files& b)
{
    a.insert(b);
    return a;
}

} // namespace

class TestProgramDir : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void seedsUserFolder_data();
    void seedsUserFolder();
    void portableInstallIsNotSeeded();
    void copiesAreWritable();
};

void TestProgramDir::seedsUserFolder_data()
{
    QTest::addColumn<Files>("user");     // the per-user folder before the start
    QTest::addColumn<Files>("shipped");  // the installed copy
    QTest::addColumn<Files>("expected"); // the per-user folder after the start

    const Files shipped{
        {"Languages/Quorvink_English.txt", "LANG=English\r\n\"Close\"\r\n"},
        {"Languages/Quorvink_Italiano.txt", "LANG=Italiano\r\n\"Chiudi\"\r\n"},
        {"Data/OrvelHelp.html", "<html>help</html>"},
        {"Data/OrvelGOTabEng.pdf", "%PDF-1.4 guide"},
    };
    const Files folders{{"Languages/", ""}, {"Data/", ""}, {"Links/", ""}, {"Images/", ""}};

    QTest::addRow("first start: everything shipped arrives, Links and Images are made")
        << Files{} << shipped << joined(folders, shipped);

    // The user's copy of an older version, used for a while.
    const Files used{
        {"Languages/Quorvink_English.txt", "LANG=English\r\n\"Shut\"\r\n"}, // changed
        {"Languages/Quorvink_Italiano.txt", "LANG=Italiano\r\n\"Chiudi\"\r\n"},
        {"Languages/Quorvink_Mine.Txt", "LANG=Mine\r\n"}, // made with the language editor
        {"Data/OrvelHelp.html", "<html>old help</html>"},
        {"Data/orvelquorvink.Opt", " 1 \r\n 0 \r\n 0 \r\n 0 \r\nhttp://a.example/\r\nEnglish\r\n"},
        {"Links/Links.Bok", "News, 1\r\n"},
        {"Links/Links.000", "A;-;http://a.example/;-;;-;secret;-;;-;2024-01-02\r\n"},
        {"Images/Orvel001.bmp", "BM"},
        {"MailsBook.txt", "someone@a.example\r\n"},
        {"MailsList.txt", ""},
    };
    const QByteArray deutsch = "LANG=Deutsch\r\n\"Schließen\"\r\n";
    const Files upgrade = joined(shipped, {{"Languages/Quorvink_Deutsch.txt", deutsch},
                                           {"Data/Template.Doc", "template"},
                                           {"Data/OrvelHelp.html", "<html>new help</html>"},
                                           {"Links/Links.Bok", "Group 1,0\r\n"}});
    const Files upgraded =
        joined(joined(folders, used), {{"Languages/Quorvink_Deutsch.txt", deutsch},
                                       {"Data/Template.Doc", "template"},
                                       {"Data/OrvelGOTabEng.pdf", "%PDF-1.4 guide"}});
    QTest::addRow("upgrade: new language and template arrive, the user's files stay")
        << used << upgrade << upgraded;

    // Names are matched without regard to letter case: a shipped file whose name the user's
    // folder holds in another letter case is not added beside it.
    const Files otherCase{
        {"languages/quorvink_english.txt", "LANG=English\r\n\"Mine\"\r\n"},
        {"data/orvelhelp.HTML", "<html>mine</html>"},
    };
    const Files merged =
        joined(otherCase, {{"languages/", ""},
                           {"data/", ""},
                           {"Links/", ""},
                           {"Images/", ""},
                           {"languages/Quorvink_Italiano.txt", "LANG=Italiano\r\n\"Chiudi\"\r\n"},
                           {"data/OrvelGOTabEng.pdf", "%PDF-1.4 guide"}});
    QTest::addRow("names in another letter case count as present")
        << otherCase << shipped << merged;

    QTest::addRow("no installed copy: an empty program directory")
        << Files{} << Files{{"Data/OrvelHelp.html", "no Languages folder"}} << Files{};
}

void TestProgramDir::seedsUserFolder()
{
    QFETCH(Files, user);
    QFETCH(Files, shipped);
    QFETCH(Files, expected);

    QTemporaryDir temp;
    const QString exeDir = temp.filePath(QStringLiteral("usr/bin"));
    const QString installed = temp.filePath(QStringLiteral("usr/share/orvelquorvink"));
    const QString userDir = temp.filePath(QStringLiteral("home/.local/share/OrvelQuorvink/q"));
    QDir().mkpath(exeDir);
    writeFiles(installed, shipped);
    writeFiles(userDir, user);

    const ProgramDir dir = ProgramDir::locate(exeDir, userDir, installed);
    QCOMPARE(dir.root(), userDir);
    QCOMPARE(readTree(userDir), expected);
    // The installed copy is only read.
    Files installedFiles = readTree(installed);
    installedFiles.removeIf([](const auto& entry) { return entry.key().endsWith(u'/'); });
    QCOMPARE(installedFiles, shipped);
}

void TestProgramDir::portableInstallIsNotSeeded()
{
    QTemporaryDir temp;
    const QString exeDir = temp.filePath(QStringLiteral("portable"));
    const QString installed = temp.filePath(QStringLiteral("share"));
    const QString userDir = temp.filePath(QStringLiteral("user"));
    writeFiles(exeDir, {{"Languages/Quorvink_English.txt", "LANG=English\r\n"}});
    writeFiles(installed, {{"Languages/Quorvink_Deutsch.txt", "LANG=Deutsch\r\n"}});

    QCOMPARE(ProgramDir::locate(exeDir, userDir, installed).root(), exeDir);
    QVERIFY(!QFileInfo::exists(userDir));
    QCOMPARE(readTree(exeDir).size(), 2); // the folder and its one language file
}

void TestProgramDir::copiesAreWritable()
{
    // A copy takes the permissions its source has: a read-only installed file gives a
    // read-only copy, which only permissions that hold can show.
    if (!actAsOrdinaryUser())
        QSKIP("file permissions do not hold for this process");
    QTemporaryDir temp;
    const QString installed = temp.filePath(QStringLiteral("share"));
    const QString userDir = temp.filePath(QStringLiteral("user"));
    writeFiles(installed, {{"Languages/Quorvink_English.txt", "LANG=English\r\n"}});
    QVERIFY(QFile::setPermissions(installed + QStringLiteral("/Languages/Quorvink_English.txt"),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    const ProgramDir dir =
        ProgramDir::locate(temp.filePath(QStringLiteral("bin")), userDir, installed);
    const QFileInfo copy(dir.path(u"\\Languages\\Quorvink_English.txt"));
    QVERIFY(copy.exists());
    QVERIFY(copy.permissions().testFlag(QFile::WriteOwner));
}

QUORVINK_CORE_TEST_MAIN(TestProgramDir)
#include "test_programdir.moc"
