// The address book saved for mail programs: vCard and CSV files written from a book of
// duplicates, blank lines and junk, read back by independent readers (Python's vobject and csv).

#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "core/programdir.h"
#include "mail/addressbook.h"
#include "mail/maillists.h"
#include "recordingdesktop.h"
#include "tempprogramdir.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

// Prints "FN<tab>EMAIL" per card; fails on a line end other than CR LF, a physical line longer
// than 75 octets, bytes that are no UTF-8 or a card that is not version 4.0.
const QString kReadVCard = QStringLiteral(R"PY(
import sys, vobject
data = open(sys.argv[1], 'rb').read()
assert data.endswith(b'\r\n') and b'\n' not in data.replace(b'\r\n', b''), 'line ends'
assert all(len(line) <= 75 for line in data.split(b'\r\n')), 'long line'
for card in vobject.readComponents(data.decode('utf-8', 'strict')):
    assert card.version.value == '4.0'
    print(card.fn.value + '\t' + card.email.value)
)PY");

// Prints "Name<tab>E-mail Address" per row after checking the header and the line ends.
const QString kReadCsv = QStringLiteral(R"PY(
import csv, io, sys
data = open(sys.argv[1], 'rb').read()
assert data.endswith(b'\r\n'), 'line ends'
rows = list(csv.reader(io.StringIO(data.decode('utf-8', 'strict'), newline=''), strict=True))
assert rows[0] == ['Name', 'E-mail Address'], rows[0]
for row in rows[1:]:
    print(row[0] + '\t' + row[1])
)PY");

// What a reader made of a file: one "name<tab>address" line per contact, or its complaint.
QString readBack(const QString& script, const QString& path)
{
    QProcess python;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PYTHONIOENCODING"), QStringLiteral("utf-8"));
    python.setProcessEnvironment(env);
    // Debian's interpreter, which the packaged reader belongs to, before any other on the path.
    const QString debian = QStringLiteral("/usr/bin/python3");
    python.start(QFileInfo::exists(debian) ? debian : QStringLiteral("python3"),
                 {QStringLiteral("-c"), script, path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromUtf8(python.readAllStandardError());
    return QString::fromUtf8(python.readAllStandardOutput());
}

QString contacts(const QStringList& addresses)
{
    QString out;
    for (const QString& a : addresses)
        out += a + QLatin1Char('\t') + a + QLatin1Char('\n');
    return out;
}

const QString kLong = QString(40, QChar(0xFC)) + QStringLiteral("@example.org");

// A book as users and pages leave it: duplicates in several letter cases, a query part, several
// recipients on one line, percent-encoding, blank lines and junk.
QByteArray book()
{
    return "info@example.org\r\n"
           "INFO@Example.ORG\r\n"
           "Info@example.org?subject=hello%20there\r\n"
           "\r\n"
           "not an address\r\n"
           "sales@example.org,Info@EXAMPLE.org,support@example.org\r\n"
           "=1+2@evil.example\r\n"
           "j%c3%b6rg@example.org\r\n"
           "J\xc3\x96RG@example.org\r\n" +
           kLong.toUtf8() +
           "\r\n"
           "@@\r\n"
           "a@b@c\r\n"
           "   \r\n"
           "x@\r\n";
}

const QStringList kExpected{QStringLiteral("info@example.org"), QStringLiteral("sales@example.org"),
                            QStringLiteral("support@example.org"),
                            QStringLiteral("j\u00f6rg@example.org"), kLong};
constexpr int kSkipped = 7;

} // namespace

// A program directory with its desktop and captions, and the lists' window on them.
struct Program {
    const TempProgramDir dir{false};
    const ProgramDir program = dir.programDir();
    RecordingDesktop desktop;
    CaptionTable captions;
    MailLists lists{program, desktop, captions, nullptr};
};

class AddressBookTest : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void saveAs_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("csv");
        const struct {
            const char *tag, *answer, *filter, *written;
            bool csv;
        } rows[] = {
            {"vcf typed", "out.vcf", "", "out.vcf", false},
            {"typed extension wins over the filter", "out.vcf", "(*.csv)", "out.vcf", false},
            {"csv typed in capitals", "OUT.CSV", "", "OUT.CSV", true},
            {"no extension, csv filter", "out", "CSV table (*.csv)", "out.csv", true},
            {"other extension, vcard filter", "out.txt", "vCard contacts (*.vcf)", "out.txt.vcf",
             false},
        };
        for (const auto& r : rows)
            QTest::addRow("%s", r.tag) << r.answer << r.filter << r.written << r.csv;
    }
    void saveAs()
    {
        QFETCH(QString, answer);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QFETCH(bool, csv);
        Program p;
        p.captions.set(CaptionNo::BookSaved, QStringLiteral("%1 to %2, skipped %3"));
        QVERIFY(p.dir.write(QStringLiteral("MailsBook.txt"), book()));
        QVERIFY(p.dir.write(written, "old")); // an older file in the place is replaced
        p.desktop.saveAnswers = {p.dir.file(answer)};
        p.desktop.saveFilterAnswer = filter;
        QVERIFY(p.lists.saveBookAs());
        QCOMPARE(p.dir.read(QStringLiteral("MailsBook.txt")), book());
        QCOMPARE(p.desktop.messages.size(), 1);
        QCOMPARE(p.desktop.messages[0].text, QStringLiteral("5 to %1, skipped %2")
                                                 .arg(QDir::toNativeSeparators(p.dir.file(written)))
                                                 .arg(kSkipped));
        QCOMPARE(readBack(csv ? kReadCsv : kReadVCard, p.dir.file(written)), contacts(kExpected));
    }

    // Values that need escaping or quoting, whatever a book could give.
    void oddValuesReadBack()
    {
        const QStringList odd{QStringLiteral("a;b,c\\d@x.example"),
                              QStringLiteral("say \"hi\"@x.org"),
                              QString(30, QChar(0x20AC)) + QStringLiteral("@x.org")};
        const TempProgramDir dir(false);
        QVERIFY(dir.write(QStringLiteral("odd.vcf"), AddressBook::toVCard(odd)));
        QVERIFY(dir.write(QStringLiteral("odd.csv"), AddressBook::toCsv(odd)));
        QCOMPARE(readBack(kReadVCard, dir.file(QStringLiteral("odd.vcf"))), contacts(odd));
        QCOMPARE(readBack(kReadCsv, dir.file(QStringLiteral("odd.csv"))), contacts(odd));
    }

    void refusedTargets()
    {
        Program p;
        p.captions.set(CaptionNo::BookIsTarget, QStringLiteral("the book itself"));
        p.captions.set(CaptionNo::BookWithoutAddress, QStringLiteral("no address in %1 (%2)"));
        // No book yet: nothing to save, no dialog.
        QVERIFY(!p.lists.saveBookAs());
        QVERIFY(p.desktop.saveAsked.isEmpty());
        QCOMPARE(p.desktop.messages.size(), 1);

        QVERIFY(p.dir.write(QStringLiteral("MailsBook.txt"), book()));
        // A link to the book, and a folder, in the chosen place: neither is written through.
        QVERIFY(QFile::link(p.dir.file(QStringLiteral("MailsBook.txt")), p.dir.file("link.vcf")));
        QVERIFY(QDir(p.dir.root()).mkdir(QStringLiteral("folder.csv")));
        p.desktop.saveAnswers = {p.dir.file("link.vcf"), p.dir.file("folder.csv")};
        QVERIFY(!p.lists.saveBookAs());
        QCOMPARE(p.desktop.messages.last().text, QStringLiteral("the book itself"));
        QVERIFY(!p.lists.saveBookAs());
        QCOMPARE(p.desktop.messages.size(), 3);
        QVERIFY(QFileInfo(p.dir.file("folder.csv")).isDir());
        QCOMPARE(p.dir.read(QStringLiteral("MailsBook.txt")), book());
    }
};

QUORVINK_CORE_TEST_MAIN(AddressBookTest)
#include "test_addressbook.moc"
