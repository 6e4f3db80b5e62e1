#include "config/optionsfile.h"
#include "testguard.h"

#include "tempprogramdir.h"

#include <QFile>
#include <QTest>

namespace {

const QString kMaker = QStringLiteral("https://home.example/start/");
const char* const kOpt = "Data/orvelquorvink.Opt";

// Values none of the files below contain, so that a value left unchanged shows.
Options presetOptions()
{
    Options o;
    o.Bar_Style = 2;
    o.reserved1 = 11;
    o.Float_Bar = 1;
    o.reserved2 = 22;
    o.Home_Page = QStringLiteral("previous home");
    o.Lang_Name = QStringLiteral("Deutsch");
    return o;
}

} // namespace

class TestOptionsFile : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void firstRunCreatesFiveLinesThenSavesSix();
    void readLines_data();
    void readLines();
    void saveWritesSixLines();
    void reservedNumbersRoundTrip();
    void folderCannotBeWritten();
    void unreadableFileIsNotReplaced();
    void saveFailureNamesFile();
};

void TestOptionsFile::firstRunCreatesFiveLinesThenSavesSix()
{
    TempProgramDir dir(false);
    Options options = presetOptions();
    OptionsFile::read(dir.file(kOpt), options, kMaker);

    QCOMPARE(dir.read(kOpt), QByteArray(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n") + kMaker.toUtf8() + "\r\n");
    QCOMPARE(options.Bar_Style, qint16(1));
    QCOMPARE(options.reserved1, qint16(0));
    QCOMPARE(options.Float_Bar, qint16(0));
    QCOMPARE(options.reserved2, qint16(0));
    QCOMPARE(options.Home_Page, kMaker);
    QCOMPARE(options.Lang_Name, QStringLiteral("English"));

    QVERIFY(OptionsFile::save(dir.file(kOpt), options).ok);
    QCOMPARE(dir.read(kOpt),
             QByteArray(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n") + kMaker.toUtf8() + "\r\nEnglish\r\n");

    // The next start reads the same values and does not touch the file.
    const QByteArray saved = dir.read(kOpt);
    Options again = presetOptions();
    OptionsFile::read(dir.file(kOpt), again, kMaker);
    QCOMPARE(again.Bar_Style, qint16(1));
    QCOMPARE(again.Home_Page, kMaker);
    QCOMPARE(again.Lang_Name, QStringLiteral("English"));
    QCOMPARE(dir.read(kOpt), saved);
}

void TestOptionsFile::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("barStyle");
    QTest::addColumn<int>("reserved1");
    QTest::addColumn<int>("floatBar");
    QTest::addColumn<int>("reserved2");
    QTest::addColumn<QString>("homePage");
    QTest::addColumn<QString>("langName");

    // Preset: 2, 11, 1, 22, "previous home", "Deutsch".
    QTest::addRow("all six") << QByteArray(" 0 \r\n 5 \r\n 1 \r\n-6 \r\nhttp://a/\r\nitaliano\r\n")
                             << 0 << 5 << 1 << -6 << "http://a/"
                             << "italiano";
    QTest::addRow("XP style by hand")
        << QByteArray("3\r\n0\r\n0\r\n0\r\nh\r\nEnglish\r\n") << 3 << 0 << 0 << 0 << "h"
        << "English";
    QTest::addRow("style 7 kept as read")
        << QByteArray("7\r\n0\r\n0\r\n0\r\nh\r\nEnglish\r\n") << 7 << 0 << 0 << 0 << "h"
        << "English";
    QTest::addRow("empty home page line")
        << QByteArray(" 1 \r\n 0 \r\n 0 \r\n 0 \r\n\r\nEnglish\r\n") << 1 << 0 << 0 << 0 << ""
        << "English";
    QTest::addRow("no sixth line keeps English")
        << QByteArray(" 1 \r\n 0 \r\n 0 \r\n 0 \r\nhttp://a/\r\n") << 1 << 0 << 0 << 0
        << "http://a/"
        << "English";
    QTest::addRow("texts are not trimmed")
        << QByteArray("1\r\n0\r\n0\r\n0\r\n  http://a/ \r\n deutsch \r\n") << 1 << 0 << 0 << 0
        << "  http://a/ "
        << " deutsch ";
    QTest::addRow("leading values")
        << QByteArray("  3 styles\r\n4x\r\n1.5\r\n2.5\r\nh\r\nx\r\n") << 3 << 4 << 2 << 2 << "h"
        << "x";
    QTest::addRow("no number reads 0")
        << QByteArray("abc\r\n\r\nx\r\n-\r\nh\r\nx\r\n") << 0 << 0 << 0 << 0 << "h"
        << "x";
    QTest::addRow("outside 16 bits keeps the value")
        << QByteArray("40000\r\n-32769\r\n32767\r\n-32768\r\nh\r\nx\r\n") << 2 << 11 << 32767
        << -32768 << "h"
        << "x";
    QTest::addRow("two lines only")
        << QByteArray("0\r\n9\r\n") << 0 << 9 << 1 << 22 << "previous home"
        << "English";
    QTest::addRow("empty file") << QByteArray() << 2 << 11 << 1 << 22 << "previous home"
                                << "English";
    QTest::addRow("LF line ends") << QByteArray("3\n1\n1\n1\nhttp://lf/\nitaliano\n") << 3 << 1 << 1
                                  << 1 << "http://lf/"
                                  << "italiano";
    QTest::addRow("Windows-1252 text")
        << QByteArray("1\r\n0\r\n0\r\n0\r\nhttp://caf\xE9/\r\nx\r\n") << 1 << 0 << 0 << 0
        << QStringLiteral("http://caf\u00E9/") << "x";
    QTest::addRow("seventh line ignored")
        << QByteArray("1\r\n0\r\n0\r\n0\r\nh\r\nx\r\ny\r\n") << 1 << 0 << 0 << 0 << "h"
        << "x";
}

void TestOptionsFile::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, barStyle);
    QFETCH(int, reserved1);
    QFETCH(int, floatBar);
    QFETCH(int, reserved2);
    QFETCH(QString, homePage);
    QFETCH(QString, langName);

    TempProgramDir dir(false);
    QVERIFY(dir.write(kOpt, bytes));
    Options options = presetOptions();
    OptionsFile::read(dir.file(kOpt), options, kMaker);

    QCOMPARE(int(options.Bar_Style), barStyle);
    QCOMPARE(int(options.reserved1), reserved1);
    QCOMPARE(int(options.Float_Bar), floatBar);
    QCOMPARE(int(options.reserved2), reserved2);
    QCOMPARE(options.Home_Page, homePage);
    QCOMPARE(options.Lang_Name, langName);
    QCOMPARE(dir.read(kOpt), bytes); // reading never rewrites an existing file
}

void TestOptionsFile::saveWritesSixLines()
{
    TempProgramDir dir(false);
    QVERIFY(dir.write(kOpt, QByteArray("a much longer old file\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n")));
    Options options;
    options.Bar_Style = 3;
    options.reserved1 = -7;
    options.Float_Bar = 1;
    options.reserved2 = 32767;
    options.Home_Page = QStringLiteral(" http://x/ ");
    options.Lang_Name = QStringLiteral("italiano");
    QVERIFY(OptionsFile::save(dir.file(kOpt), options).ok);
    QCOMPARE(dir.read(kOpt),
             QByteArray(" 3 \r\n-7 \r\n 1 \r\n 32767 \r\n http://x/ \r\nitaliano\r\n"));
}

void TestOptionsFile::reservedNumbersRoundTrip()
{
    // Values the program does not use come back exactly as they were, run after run.
    TempProgramDir dir(false);
    const QByteArray original(" 0 \r\n-123 \r\n 1 \r\n 4567 \r\nhttp://a/\r\ndeutsch\r\n");
    QVERIFY(dir.write(kOpt, original));
    for (int run = 0; run < 3; ++run) {
        Options options;
        OptionsFile::read(dir.file(kOpt), options, kMaker);
        QCOMPARE(options.reserved1, qint16(-123));
        QCOMPARE(options.reserved2, qint16(4567));
        QVERIFY(OptionsFile::save(dir.file(kOpt), options).ok);
        QCOMPARE(dir.read(kOpt), original);
    }
}

void TestOptionsFile::folderCannotBeWritten()
{
    // No folder to create the file in: the run goes on with the values a new file would give.
    TempProgramDir dir(false);
    const QString path = dir.file("Missing/orvelquorvink.Opt");
    Options options = presetOptions();
    OptionsFile::read(path, options, kMaker);
    QCOMPARE(options.Bar_Style, qint16(1));
    QCOMPARE(options.reserved1, qint16(0));
    QCOMPARE(options.Float_Bar, qint16(0));
    QCOMPARE(options.reserved2, qint16(0));
    QCOMPARE(options.Home_Page, kMaker);
    QCOMPARE(options.Lang_Name, QStringLiteral("English"));
    QVERIFY(!QFile::exists(path));
}

void TestOptionsFile::unreadableFileIsNotReplaced()
{
    // A file too large to read is not the first start: it is left as it is.
    TempProgramDir dir(false);
    {
        QFile big(dir.file(kOpt));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(TextFile::kMaxReadBytes + 1)); // sparse, costs no disk
    }
    Options options = presetOptions();
    OptionsFile::read(dir.file(kOpt), options, kMaker);
    QCOMPARE(options.Bar_Style, qint16(1));
    QCOMPARE(options.Home_Page, kMaker);
    QCOMPARE(options.Lang_Name, QStringLiteral("English"));
    QCOMPARE(QFileInfo(dir.file(kOpt)).size(), TextFile::kMaxReadBytes + 1);
}

void TestOptionsFile::saveFailureNamesFile()
{
    TempProgramDir dir(false);
    const TextFile::Result result =
        OptionsFile::save(dir.file("Missing/orvelquorvink.Opt"), Options());
    QVERIFY(!result.ok);
    QVERIFY2(result.describe().contains(QStringLiteral("orvelquorvink.Opt")),
             qPrintable(result.describe()));
}

#include "unittestmain.h"
QUORVINK_CORE_TEST_MAIN(TestOptionsFile)
#include "test_optionsfile.moc"
