// The harvest list and the address book: the commands that view, empty and keep them, on real
// files in a temporary program directory.

#include "config/languagefile.h"
#include "core/programdir.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "recordingdesktop.h"
#include "tempprogramdir.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kList = QStringLiteral("MailsList.txt");
const QString kBook = QStringLiteral("MailsBook.txt");

// A file's bytes, or "<missing>" / "<folder>" when there is no file.
QByteArray state(const TempProgramDir& dir, const QString& name)
{
    const QFileInfo info(dir.file(name));
    if (!info.exists())
        return "<missing>";
    if (info.isDir())
        return "<folder>";
    return dir.read(name);
}

// Sets a file up from a description in the form state() gives.
bool prepare(const TempProgramDir& dir, const QString& name, const QByteArray& content)
{
    if (content == "<missing>")
        return true;
    if (content == "<folder>")
        return QDir(dir.root()).mkdir(name);
    return dir.write(name, content);
}

} // namespace

class MailListsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void add_data();
    void add();
    void addTwice();
    void cancelThenView();
    void cancelFails();
    void restart();
    void namesMatchedWithoutCase();
};

void MailListsTest::add_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("book");
    QTest::addColumn<QByteArray>("expectedBook");
    QTest::addColumn<QString>("failingFile"); // named by the message, or empty

    QTest::addRow("empty list creates the book")
        << QByteArray("") << QByteArray("<missing>") << QByteArray("") << QString();
    QTest::addRow("entries and an empty line after the book's own")
        << QByteArray("a@example.org\r\n\r\nb@example.org?subject=x\r\n")
        << QByteArray("old@example.org\r\n")
        << QByteArray("old@example.org\r\na@example.org\r\n\r\nb@example.org?subject=x\r\n")
        << QString();
    QTest::addRow("LF and CR line ends, last line without one")
        << QByteArray("a@example.org\nb@example.org\rc@example.org") << QByteArray("<missing>")
        << QByteArray("a@example.org\r\nb@example.org\r\nc@example.org\r\n") << QString();
    QTest::addRow("bytes copied unchanged")
        << QByteArray("j\xe9r\xf4me@example.org\r\nj\xc3\xb6rg@example.org\r\n")
        << QByteArray("\xe9t\xe9@example.org\r\n")
        << QByteArray(
               "\xe9t\xe9@example.org\r\nj\xe9r\xf4me@example.org\r\nj\xc3\xb6rg@example.org\r\n")
        << QString();
    QTest::addRow("book left without a final line end")
        << QByteArray("new@example.org\r\n") << QByteArray("typed@example.org")
        << QByteArray("typed@example.org\r\nnew@example.org\r\n") << QString();
    QTest::addRow("missing list leaves the book alone")
        << QByteArray("<missing>") << QByteArray("old@example.org\r\n")
        << QByteArray("old@example.org\r\n") << kList;
    QTest::addRow("missing list does not create the book")
        << QByteArray("<missing>") << QByteArray("<missing>") << QByteArray("<missing>") << kList;
    QTest::addRow("book cannot be written")
        << QByteArray("a@example.org\r\n") << QByteArray("<folder>") << QByteArray("<folder>")
        << kBook;
}

void MailListsTest::add()
{
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, book);
    QFETCH(QByteArray, expectedBook);
    QFETCH(QString, failingFile);

    TempProgramDir dir(false);
    QVERIFY(prepare(dir, kList, list));
    QVERIFY(prepare(dir, kBook, book));
    RecordingDesktop desktop;
    const ProgramDir program = dir.programDir();
    const CaptionTable captions;
    MailLists lists(program, desktop, captions, nullptr);

    QCOMPARE(lists.add(), failingFile.isEmpty());
    QCOMPARE(state(dir, kBook), expectedBook);
    QCOMPARE(state(dir, kList), list); // the list is never changed by adding
    if (failingFile.isEmpty()) {
        QVERIFY(desktop.messages.isEmpty());
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(dir.file(kBook))});
    } else {
        QVERIFY(desktop.opened.isEmpty());
        QCOMPARE(desktop.messages.size(), 1);
        QCOMPARE(desktop.messages[0].title, QStringLiteral("orvelquorvink"));
        QVERIFY2(desktop.messages[0].text.contains(QDir::toNativeSeparators(dir.file(failingFile))),
                 qPrintable(desktop.messages[0].text));
    }
}

void MailListsTest::addTwice()
{
    TempProgramDir dir(false);
    const QByteArray entries = "one@example.org\r\n\r\ntwo@example.org\r\n";
    QVERIFY(dir.write(kList, entries));
    RecordingDesktop desktop;
    const ProgramDir program = dir.programDir();
    const CaptionTable captions;
    MailLists lists(program, desktop, captions, nullptr);

    QVERIFY(lists.add());
    QVERIFY(lists.add());
    QCOMPARE(dir.read(kBook), entries + entries);
    QCOMPARE(dir.read(kList), entries);
    const QUrl book = QUrl::fromLocalFile(dir.file(kBook));
    QCOMPARE(desktop.opened, (QList<QUrl>{book, book}));
    QVERIFY(desktop.messages.isEmpty());
}

void MailListsTest::cancelThenView()
{
    TempProgramDir dir(false);
    QVERIFY(dir.write(kList, "one@example.org\r\n"));
    QVERIFY(dir.write(kBook, "kept@example.org\r\n"));
    RecordingDesktop desktop;
    const ProgramDir program = dir.programDir();
    const CaptionTable captions;
    MailLists lists(program, desktop, captions, nullptr);

    QVERIFY(lists.cancel());
    QCOMPARE(state(dir, kList), QByteArray(""));
    QVERIFY(desktop.opened.isEmpty());
    lists.view();
    QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(dir.file(kList))});
    QCOMPARE(state(dir, kList), QByteArray(""));
    QCOMPARE(dir.read(kBook), QByteArray("kept@example.org\r\n"));
    QVERIFY(desktop.messages.isEmpty());
}

void MailListsTest::cancelFails()
{
    TempProgramDir dir(false);
    QVERIFY(QDir(dir.root()).mkdir(kList));
    QVERIFY(dir.write(kBook, "kept@example.org\r\n"));
    RecordingDesktop desktop;
    const ProgramDir program = dir.programDir();
    const CaptionTable captions;
    MailLists lists(program, desktop, captions, nullptr);

    QVERIFY(!lists.cancel());
    QVERIFY(!lists.emptyAtStart());
    QCOMPARE(desktop.messages.size(), 2);
    for (const RecordingDesktop::Message& message : std::as_const(desktop.messages)) {
        QCOMPARE(message.title, QStringLiteral("orvelquorvink"));
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(dir.file(kList))),
                 qPrintable(message.text));
    }
    QCOMPARE(dir.read(kBook), QByteArray("kept@example.org\r\n"));
}

void MailListsTest::restart()
{
    TempProgramDir dir(false);
    QVERIFY(dir.write(kList, "last-run@example.org\r\n"));
    QVERIFY(dir.write(kBook, "kept@example.org\r\nalso@example.org\r\n"));

    // What the next start does with the files and the harvester's state.
    RecordingDesktop desktop;
    const ProgramDir program = dir.programDir();
    const CaptionTable captions;
    MailLists lists(program, desktop, captions, nullptr);
    Harvester harvester(
        program, desktop, captions, [] { return nullptr; }, nullptr);
    QVERIFY(lists.emptyAtStart());
    QCOMPARE(state(dir, kList), QByteArray(""));
    QCOMPARE(dir.read(kBook), QByteArray("kept@example.org\r\nalso@example.org\r\n"));
    QCOMPARE(harvester.Mail_Auto(), qint16(0));
    QVERIFY(!harvester.timer2()->isActive());
    QCOMPARE(harvester.timer2()->interval(), 1000);

    // A list removed from outside is there again, empty.
    QVERIFY(QFile::remove(dir.file(kList)));
    QVERIFY(lists.emptyAtStart());
    QCOMPARE(state(dir, kList), QByteArray(""));
    QVERIFY(desktop.messages.isEmpty());
}

void MailListsTest::namesMatchedWithoutCase()
{
    TempProgramDir dir(false);
    QVERIFY(dir.write(QStringLiteral("mailslist.TXT"), "a@example.org\r\n"));
    QVERIFY(dir.write(QStringLiteral("MAILSBOOK.txt"), "b@example.org\r\n"));
    RecordingDesktop desktop;
    const ProgramDir program = dir.programDir();
    const CaptionTable captions;
    MailLists lists(program, desktop, captions, nullptr);

    QVERIFY(lists.add());
    QCOMPARE(dir.read(QStringLiteral("MAILSBOOK.txt")),
             QByteArray("b@example.org\r\na@example.org\r\n"));
    QVERIFY(lists.cancel());
    QCOMPARE(dir.read(QStringLiteral("mailslist.TXT")), QByteArray());
    QCOMPARE(QDir(dir.root()).entryList(QDir::Files).size(), 2);
}

QUORVINK_CORE_TEST_MAIN(MailListsTest)
#include "test_maillists.moc"
