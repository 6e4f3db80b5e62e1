#include "core/numbers.h"
#include "core/programdir.h"
#include "core/textcodec.h"
#include "core/textfile.h"
#include "testguard.h"

#include "tempprogramdir.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cmath>

#include <csignal>
#include <limits>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// The text-file layer under every file format: line ends, encodings, atomic rewrites, the
// number-print form and case-insensitive names.
class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void readLineEnds_data();
    void readLineEnds();
    void readMissingOrOversized();
    void decoding_data();
    void decoding();
    void windows1252RoundTrip();
    void rewriteWritesCrLf();
    void rewriteFailureNamesFileAndKeepsOldContent();
    void interruptedRewriteKeepsOldFile();
    void appendAndTruncate();
    void specialFilesAreNeitherReadNorWritten();
    void smallReadUnderAddressSpaceLimit();
    void firstLineBeginningWithByteOrderMark();
    void letterCaseOfNames();
    void printForm_data();
    void printForm();
    void leadingValue_data();
    void leadingValue();
    void toInt16_data();
    void toInt16();
};

void TestTextFile::readLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    const QStringList abc{"a", "b", "c"};
    QTest::addRow("CR LF") << QByteArray("a\r\nb\r\nc\r\n") << abc;
    QTest::addRow("LF only") << QByteArray("a\nb\nc\n") << abc;
    QTest::addRow("CR only") << QByteArray("a\rb\rc\r") << abc;
    QTest::addRow("mixed") << QByteArray("a\rb\nc\r\n") << abc;
    QTest::addRow("no final line end") << QByteArray("a\r\nb\r\nc") << abc;
    QTest::addRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::addRow("empty lines kept")
        << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{"", "", "x", ""};
    QTest::addRow("empty file") << QByteArray() << QStringList{};
    QTest::addRow("blanks kept") << QByteArray("  a \r\n\tb\t\r\n") << QStringList{"  a ", "\tb\t"};
}

void TestTextFile::readLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    TempProgramDir dir(false);
    QVERIFY(dir.write("Data/t.txt", bytes));
    const std::optional<QStringList> read = TextFile::read(dir.file("Data/t.txt"));
    QVERIFY(read.has_value());
    QCOMPARE(*read, lines);
}

void TestTextFile::readMissingOrOversized()
{
    TempProgramDir dir(false);
    QVERIFY(!TextFile::read(dir.file("Data/none.txt")).has_value());

    QVERIFY(dir.write("Data/big.txt", QByteArray(101, 'x')));
    QVERIFY(!TextFile::read(dir.file("Data/big.txt"), nullptr, 100).has_value());
    const auto exact = TextFile::read(dir.file("Data/big.txt"), nullptr, 101);
    QVERIFY(exact.has_value());
    QCOMPARE(exact->size(), 1);
    QCOMPARE(exact->first().size(), 101);
}

void TestTextFile::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::addRow("ascii") << QByteArray("plain") << QStringLiteral("plain");
    QTest::addRow("valid UTF-8") << QByteArray("caf\xC3\xA9 \xE2\x82\xAC")
                                 << QStringLiteral("caf\u00E9 \u20AC");
    QTest::addRow("invalid UTF-8 is Windows-1252")
        << QByteArray("caf\xE9") << QStringLiteral("caf\u00E9");
    QTest::addRow("euro and quotes")
        << QByteArray("\x80 \x93q\x94") << QStringLiteral("\u20AC \u201Cq\u201D");
    QTest::addRow("undefined byte kept")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
    QTest::addRow("one bad byte turns the whole file")
        << QByteArray("\xC3\xA9 \xE9") << QStringLiteral("\u00C3\u00A9 \u00E9");
    QTest::addRow("NUL kept") << QByteArray("a\0b", 3)
                              << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
}

void TestTextFile::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(TextCodec::decode(bytes), text);
}

void TestTextFile::windows1252RoundTrip()
{
    // A file written on the original platform: bytes 0x80 (euro), 0xE9 (e acute) and 0x81 (no
    // character in the code page). Read and written back, the same characters come out again.
    TempProgramDir dir(false);
    QVERIFY(dir.write("Data/old.txt", QByteArray("x\x80y\xE9z\x81\r\nsecond\r\n")));
    const auto first = TextFile::read(dir.file("Data/old.txt"));
    QVERIFY(first.has_value());
    QCOMPARE(*first, (QStringList{QStringLiteral("x\u20ACy\u00E9z\u0081"), "second"}));

    QVERIFY(TextFile::rewrite(dir.file("Data/old.txt"), *first).ok);
    QCOMPARE(dir.read("Data/old.txt"), QByteArray("x\xE2\x82\xAC"
                                                  "y\xC3\xA9z\xC2\x81\r\nsecond\r\n"));
    const auto second = TextFile::read(dir.file("Data/old.txt"));
    QVERIFY(second.has_value());
    QCOMPARE(*second, *first);

    // Every byte value survives the same trip.
    QByteArray all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            all.append(char(b));
    }
    all.prepend("\xFF"); // not valid UTF-8, so the file is Windows-1252
    QVERIFY(dir.write("Data/all.txt", all));
    const auto allLines = TextFile::read(dir.file("Data/all.txt"));
    QVERIFY(allLines.has_value());
    QCOMPARE(allLines->first().size(), all.size());
    QVERIFY(TextFile::rewrite(dir.file("Data/all.txt"), *allLines).ok);
    QCOMPARE(TextFile::read(dir.file("Data/all.txt")), allLines);
}

void TestTextFile::rewriteWritesCrLf()
{
    TempProgramDir dir(false);
    QVERIFY(dir.write("Data/f.txt", QByteArray("old contents that are longer\n")));
    const TextFile::Result result =
        TextFile::rewrite(dir.file("Data/f.txt"), {" 1 ", "", QStringLiteral("\u00E9")});
    QVERIFY(result.ok);
    QVERIFY(result.path.isEmpty());
    QCOMPARE(dir.read("Data/f.txt"), QByteArray(" 1 \r\n\r\n\xC3\xA9\r\n"));

    QVERIFY(TextFile::rewrite(dir.file("Data/f.txt"), {}).ok);
    QCOMPARE(dir.read("Data/f.txt"), QByteArray());
    // No temporary file is left beside it.
    QCOMPARE(QDir(dir.file("Data")).entryList(QDir::Files), QStringList{"f.txt"});
}

void TestTextFile::rewriteFailureNamesFileAndKeepsOldContent()
{
    TempProgramDir dir(false);
    // The target is a folder: nothing can replace it, and the message names it.
    QVERIFY(QDir(dir.root()).mkpath(QStringLiteral("Data/taken.txt")));
    TextFile::Result result = TextFile::rewrite(dir.file("Data/taken.txt"), {"x"});
    QVERIFY(!result.ok);
    QVERIFY2(result.describe().contains(QStringLiteral("taken.txt")),
             qPrintable(result.describe()));
    QVERIFY(QFileInfo(dir.file("Data/taken.txt")).isDir());

    result = TextFile::rewrite(dir.file("Missing/f.txt"), {"x"});
    QVERIFY(!result.ok);
    QVERIFY2(result.describe().contains(QStringLiteral("f.txt")), qPrintable(result.describe()));
}

void TestTextFile::interruptedRewriteKeepsOldFile()
{
    // A write that runs out of room part way (as on a full disk) must leave the old file whole.
    // The file-size limit of the process makes every write beyond 4 KiB fail.
    TempProgramDir dir(false);
    const QByteArray old("first line\r\nsecond line\r\n");
    QVERIFY(dir.write("Data/keep.txt", old));

    const QStringList big(2000, QStringLiteral("a line that will not fit"));
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    const TextFile::Result result = TextFile::rewrite(dir.file("Data/keep.txt"), big);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!result.ok);
    QVERIFY2(result.describe().contains(QStringLiteral("keep.txt")), qPrintable(result.describe()));
    QCOMPARE(dir.read("Data/keep.txt"), old);
    QCOMPARE(QDir(dir.file("Data")).entryList(QDir::Files), QStringList{"keep.txt"});
}

void TestTextFile::appendAndTruncate()
{
    TempProgramDir dir(false);
    const QString path = dir.file("Data/list.txt");
    QVERIFY(TextFile::append(path, {"a@example.org"}).ok); // created when missing
    QVERIFY(TextFile::append(path, {"b@example.org", "c@example.org"}).ok);
    QCOMPARE(dir.read("Data/list.txt"), QByteArray("a@example.org\r\nb@example.org\r\n"
                                                   "c@example.org\r\n"));
    QVERIFY(TextFile::truncate(path).ok);
    QVERIFY(QFile::exists(path));
    QCOMPARE(dir.read("Data/list.txt"), QByteArray());

    const TextFile::Result appendFailed = TextFile::append(dir.file("Missing/list.txt"), {"x"});
    QVERIFY(!appendFailed.ok);
    QVERIFY(appendFailed.describe().contains(QStringLiteral("list.txt")));
    const TextFile::Result truncateFailed = TextFile::truncate(dir.file("Missing/book.txt"));
    QVERIFY(!truncateFailed.ok);
    QVERIFY(truncateFailed.describe().contains(QStringLiteral("book.txt")));
}

void TestTextFile::specialFilesAreNeitherReadNorWritten()
{
    // A pipe in place of a data file: opening it would wait for a writer (or a reader) for ever.
    TempProgramDir dir(false);
    const QString pipe = dir.file("Data/orvelquorvink.Opt");
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    TextFile::Result problem;
    QVERIFY(!TextFile::read(pipe, &problem).has_value());
    QVERIFY(!problem.ok);
    QCOMPARE(problem.action, TextFile::Result::Action::Read);
    QCOMPARE(problem.cause, TextFile::Result::Cause::NotRegularFile);
    QCOMPARE(problem.path, pipe);

    const TextFile::Result appended = TextFile::append(pipe, {"x"});
    QCOMPARE(appended.cause, TextFile::Result::Cause::NotRegularFile);
    const TextFile::Result emptied = TextFile::truncate(pipe);
    QCOMPARE(emptied.cause, TextFile::Result::Cause::NotRegularFile);
    QVERIFY(!emptied.ok);

    // A whole rewrite replaces neither the pipe nor a link to it, nor a device through a link.
    const QString linked = dir.file("Data/orvelquorvink.Ini");
    QVERIFY(QFile::link(pipe, linked));
    const QString device = dir.file("Data/OrvelBook.bm");
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), device));
    for (const QString& path : {pipe, linked, device}) {
        const TextFile::Result rewritten = TextFile::rewrite(path, {"x"});
        QCOMPARE(rewritten.cause, TextFile::Result::Cause::NotRegularFile);
        QCOMPARE(rewritten.path, path);
    }
    struct stat info {};
    QVERIFY(stat(QFile::encodeName(pipe).constData(), &info) == 0 && S_ISFIFO(info.st_mode));
    QVERIFY(stat("/dev/null", &info) == 0 && S_ISCHR(info.st_mode));

    // A link to a regular file stays a link; the file it leads to gets the new text.
    QVERIFY(dir.write("Data/target.txt", "old\r\n"));
    const QString toFile = dir.file("Data/orvelquorvink.Hys");
    QVERIFY(QFile::link(dir.file("Data/target.txt"), toFile));
    QVERIFY(TextFile::rewrite(toFile, {"new"}));
    QVERIFY(QFileInfo(toFile).isSymLink());
    QCOMPARE(dir.read("Data/target.txt"), QByteArray("new\r\n"));

    // A folder reads as a problem too; a missing file is no problem.
    QVERIFY(!TextFile::read(dir.file("Data"), &problem).has_value());
    QCOMPARE(problem.cause, TextFile::Result::Cause::NotRegularFile);
    TextFile::Result none;
    QVERIFY(!TextFile::read(dir.file("Data/none.txt"), &none).has_value());
    QVERIFY(none.ok);
}

void TestTextFile::smallReadUnderAddressSpaceLimit()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer reserves far more address space than the limit allows");
#else
    // A 1-byte file must be readable by a process that may use no more than 100 MB of address
    // space: reading never asks for a buffer the size of the largest file it accepts.
    TempProgramDir dir(false);
    QVERIFY(dir.write("Data/one.txt", "x"));
    const QString path = dir.file("Data/one.txt");
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        // What the process uses already, and 100 MB more.
        QFile maps(QStringLiteral("/proc/self/statm"));
        maps.open(QIODevice::ReadOnly);
        const qint64 pages = maps.readAll().split(' ').value(0).toLongLong();
        limit.rlim_cur = rlim_t(pages * sysconf(_SC_PAGESIZE) + 100LL * 1024 * 1024);
        setrlimit(RLIMIT_AS, &limit);
        const auto lines = TextFile::read(path);
        _exit(lines && lines->size() == 1 && lines->first() == QLatin1String("x") ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
#endif
}

void TestTextFile::firstLineBeginningWithByteOrderMark()
{
    // A byte order mark at the start of a file is dropped on reading; a first line that begins
    // with U+FEFF itself still reads back whole, whether written whole or appended.
    TempProgramDir dir(false);
    const QString marked = QStringLiteral("\uFEFFhttp://marked.test/");
    QVERIFY(TextFile::rewrite(dir.file("Data/h.txt"), {marked, "second"}));
    QCOMPARE(*TextFile::read(dir.file("Data/h.txt")), QStringList({marked, "second"}));
    QVERIFY(TextFile::append(dir.file("Data/l.txt"), {marked}));
    QVERIFY(TextFile::append(dir.file("Data/l.txt"), {marked}));
    QCOMPARE(*TextFile::read(dir.file("Data/l.txt")), QStringList({marked, marked}));
    // A file saved by an editor with a mark reads without it.
    QVERIFY(dir.write("Data/e.txt", "\xEF\xBB\xBFplain\r\n"));
    QCOMPARE(*TextFile::read(dir.file("Data/e.txt")), QStringList{"plain"});
}

void TestTextFile::letterCaseOfNames()
{
    TempProgramDir dir(false);
    QVERIFY(dir.write("Data/orvelquorvink.Hys", QByteArray("old\r\n")));
    const ProgramDir program = dir.programDir();

    // The history is named ".Hys" in one place and ".hys" in another: both are the same file.
    const QString lower = program.path(u"\\data\\ORVELQUORVINK.hys");
    QCOMPARE(lower, dir.file("Data/orvelquorvink.Hys"));
    QVERIFY(TextFile::rewrite(lower, {"new"}).ok);
    QCOMPARE(dir.read("Data/orvelquorvink.Hys"), QByteArray("new\r\n"));
    QCOMPARE(QDir(dir.file("Data")).entryList(QDir::Files), QStringList{"orvelquorvink.Hys"});

    // Only ASCII letters have another case: a look-alike names another file.
    QCOMPARE(program.path(u"\\Data\\orvelquorvink.Hyſ"), dir.file("Data/orvelquorvink.Hyſ"));
    QCOMPARE(program.path(u"\\Data\\ORVELQUORVİNK.HYS"), dir.file("Data/ORVELQUORVİNK.HYS"));
    QVERIFY(TextFile::removeEveryCase(dir.file("Data"), QStringLiteral("orvelquorvin\u212A.hys"))
                .isEmpty());
    QVERIFY(QFileInfo::exists(dir.file("Data/orvelquorvink.Hys")));

    // A name that does not exist keeps the letter case given, below the matched folder.
    QCOMPARE(program.path(u"\\DATA\\New.Txt"), dir.file("Data/New.Txt"));
    QCOMPARE(program.path(u"\\Nothing\\Here.txt"), dir.file("Nothing/Here.txt"));
}

void TestTextFile::printForm_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QString>("text");

    QTest::addRow("one") << 1.0 << false << " 1 ";
    QTest::addRow("zero") << 0.0 << false << " 0 ";
    QTest::addRow("negative") << -3.0 << false << "-3 ";
    QTest::addRow("fraction") << 1.5 << false << " 1.5 ";
    QTest::addRow("16-bit max") << 32767.0 << false << " 32767 ";
    QTest::addRow("twips") << 1234.5678 << false << " 1234.5678 ";
    QTest::addRow("tenth double") << 0.1 << false << " 0.1 ";
    QTest::addRow("tenth single") << double(0.1f) << true << " 0.1 ";
    QTest::addRow("single rounds to 7 digits") << 123456789.0 << true << " 1.234568E+08 ";
    QTest::addRow("large double") << 1e20 << false << " 1E+20 ";
    QTest::addRow("small negative") << -0.00012 << false << "-0.00012 ";
}

void TestTextFile::printForm()
{
    QFETCH(double, value);
    QFETCH(bool, single);
    QFETCH(QString, text);
    const QString printed =
        Numbers::print(value, single ? Numbers::Precision::Single : Numbers::Precision::Double);
    QCOMPARE(printed, text);
    // What is written reads back as the same value at the precision it was written with.
    const double back = Numbers::leadingValue(printed);
    if (single)
        QCOMPARE(float(back), float(value));
    else
        QCOMPARE(back, value);
}

void TestTextFile::leadingValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::addRow("print form") << " 12 " << 12.0;
    QTest::addRow("negative") << "-3 " << -3.0;
    QTest::addRow("plus sign") << "+4" << 4.0;
    QTest::addRow("stops at letters") << "12abc" << 12.0;
    QTest::addRow("exponent then junk") << "  7.5e2x" << 750.0;
    QTest::addRow("capital exponent") << " 1.5E+3 " << 1500.0;
    QTest::addRow("exponent without digits") << "3e" << 3.0;
    QTest::addRow("D exponent") << "2D2" << 200.0;
    QTest::addRow("leading tab") << "\t9" << 9.0;
    QTest::addRow("leading point") << ".5" << 0.5;
    QTest::addRow("trailing point") << "5." << 5.0;
    QTest::addRow("empty") << "" << 0.0;
    QTest::addRow("blanks only") << "   " << 0.0;
    QTest::addRow("letters") << "abc" << 0.0;
    QTest::addRow("hex prefix not read") << "&H10" << 0.0;
    QTest::addRow("sign alone") << "-" << 0.0;
    QTest::addRow("point alone") << "." << 0.0;
    QTest::addRow("blank inside ends the number") << "1 2" << 1.0;
    QTest::addRow("second point ends the number") << "1.2.3" << 1.2;
    QTest::addRow("non-ASCII digits are not digits") << QStringLiteral("\u0661\u0662") << 0.0;
    QTest::addRow("too large is infinite") << "1e400" << HUGE_VAL;
    QTest::addRow("too large negative") << "-1e400" << -HUGE_VAL;
    QTest::addRow("too small is zero") << "1e-400" << 0.0;
}

void TestTextFile::leadingValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Numbers::leadingValue(text), value);
}

void TestTextFile::toInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("result");

    QTest::addRow("max") << 32767.0 << true << 32767;
    QTest::addRow("above max") << 32768.0 << false << 0;
    QTest::addRow("min") << -32768.0 << true << -32768;
    QTest::addRow("below min") << -32769.0 << false << 0;
    QTest::addRow("rounds down to max") << 32767.4 << true << 32767;
    QTest::addRow("half above max rounds out") << 32767.5 << false << 0;
    QTest::addRow("half to even down") << 2.5 << true << 2;
    QTest::addRow("half to even up") << 3.5 << true << 4;
    QTest::addRow("negative half") << -2.5 << true << -2;
    QTest::addRow("nearest") << 2.6 << true << 3;
    QTest::addRow("infinite") << std::numeric_limits<double>::infinity() << false << 0;
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << false << 0;
}

void TestTextFile::toInt16()
{
    QFETCH(double, value);
    QFETCH(bool, ok);
    QFETCH(int, result);
    const std::optional<qint16> converted = Numbers::toInt16(value);
    QCOMPARE(converted.has_value(), ok);
    if (ok)
        QCOMPARE(int(*converted), result);
}

#include "unittestmain.h"
QUORVINK_CORE_TEST_MAIN(TestTextFile)
#include "test_textfile.moc"
