#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "links/linkline.h"
#include "links/linktable.h"
#include "links/linktitles.h"
#include "links/titlesfile.h"
#include "testguard.h"

#include "tempprogramdir.h"
#include "unittestmain.h"

#include <QDir>
#include <QFile>

// The titles file and the table files as the link-table window reads and writes them: real files
// in a program directory of the test's own, damaged ones included.
class TestLinkFiles : public QObject {
    Q_OBJECT

    CaptionTable captions;

    static QStringList linesOf(const QByteArray& bytes)
    {
        QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

private slots:
    void initTestCase() { captions.set(CaptionNo::LinkTableWord, QStringLiteral("Group")); }
    void init() { TestGuard::failOnWarnings(); }

    void titlesLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("table0"); // the file of table 0, if any
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("count");

        QTest::addRow("nothing after the comma")
            << QByteArray("News,\r\n") << QByteArray() << 1 << "News"
            << " 0";
        QTest::addRow("blanks around the line")
            << QByteArray("  News , 3  \r\n") << QByteArray() << 1 << "News "
            << " 3";
        QTest::addRow("no comma, no table file")
            << QByteArray("News\r\n") << QByteArray() << 1 << "News"
            << " 0";
        QTest::addRow("no comma, the table file counts")
            << QByteArray("News\r\n") << QByteArray("A;-;u;-;;-;;-;;-;\r\nB;-;u;-;;-;;-;;-;\r\n")
            << 1 << "News"
            << " 2";
        QTest::addRow("fewer lines: default title, no count")
            << QByteArray("A, 1\r\nB, 2\r\n") << QByteArray() << 3 << "Group 3"
            << "";
        QTest::addRow("fewer lines, but a table file")
            << QByteArray() << QByteArray("A;-;u;-;;-;;-;;-;\r\n") << 1 << "Group 1"
            << " 1";
        QByteArray many;
        for (int i = 1; i <= 10000; ++i)
            many += "T" + QByteArray::number(i) + ", " + QByteArray::number(i % 7) + "\r\n";
        QTest::addRow("10,000 lines") << many << QByteArray() << 150 << "T150"
                                      << " 3";
        QTest::addRow("an absurd count")
            << QByteArray("Huge, 1e300\r\n") << QByteArray() << 1 << "Huge"
            << " 2147483647";
    }

    void titlesLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, table0);
        QFETCH(int, row);
        QFETCH(QString, title);
        QFETCH(QString, count);
        TempProgramDir dir(false);
        QVERIFY(dir.write("Links/Links.Bok", file));
        if (!table0.isEmpty())
            QVERIFY(dir.write("Links/Links.000", table0));
        LinkTitles titles;
        titles.applyDefaultTitles(QStringLiteral("Group")); // the captions pass runs first
        QVERIFY(TitlesFile::Read_Titles(dir.programDir(), titles, QStringLiteral("Group")));
        QCOMPARE(titles.title(row), title);
        QCOMPARE(titles.count(row), count);
        // The next save writes all 150 lines, each with its title.
        QVERIFY(TitlesFile::save(dir.programDir(), titles));
        const QStringList lines = linesOf(dir.read("Links/Links.Bok"));
        QCOMPARE(lines.size(), 150);
        QCOMPARE(lines.at(row - 1), title + QLatin1Char(',') + count);
    }

    void tableFileNames()
    {
        TempProgramDir dir(false);
        LinkTitles titles;
        LinkTable table(dir.programDir(), titles, captions);
        table.setCurTable(7);
        QVERIFY(table.Table_File().endsWith(QLatin1String("/Links/Links.007")));
        table.setCurTable(104);
        QVERIFY(table.Table_File().endsWith(QLatin1String("/Links/Links.104")));
    }

    // Entries come back sorted by title, each with its own concealed value, from a file only its
    // owner can read.
    void addedEntrySortsFirst()
    {
        TempProgramDir dir(false);
        QVERIFY(QDir(dir.file("Links")).removeRecursively());
        QVERIFY(QDir().mkpath(dir.file("Links")));
        QVERIFY(dir.write("Links/Links.005", "Bee;-;http://b/;-;x;-;pw-b;-;nb;-;2020-01-01\r\n"
                                             "Cat;-;http://c/;-;;-;;-;nc;-;2020-01-02\r\n"));
        LinkTitles titles;
        titles.setEntryCount(6, 2);
        LinkTable table(dir.programDir(), titles, captions);
        table.setCurTable(5);
        QVERIFY(table.Read_Table());
        QCOMPARE(table.grid().cell(1, 4), QStringLiteral("********"));
        QVERIFY(table.ADD_Tab({QStringLiteral("Ant"), QStringLiteral("http://a/"),
                               QStringLiteral("a.example"), QStringLiteral("2024-05-06")}));
        QVERIFY(table.Save_Table());
        QCOMPARE(linesOf(dir.read("Links/Links.005")),
                 QStringList({"Ant;-;http://a/;-;;-;;-;a.example;-;2024-05-06",
                              "Bee;-;http://b/;-;x;-;pw-b;-;nb;-;2020-01-01",
                              "Cat;-;http://c/;-;;-;;-;nc;-;2020-01-02"}));
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(dir.file("Links/Links.005")) & others, QFile::Permissions());
        QCOMPARE(linesOf(dir.read("Links/Links.Bok")).at(5).section(QLatin1Char(','), 1),
                 QStringLiteral(" 3"));
    }

    void emptiedLastEntryIsDropped()
    {
        TempProgramDir dir(false);
        QVERIFY(dir.write("Links/Links.000", "A;-;u;-;;-;;-;;-;\r\nB;-;u;-;;-;;-;;-;\r\n"
                                             "C;-;u;-;;-;h;-;;-;\r\n"));
        LinkTitles titles;
        titles.setEntryCount(1, 3);
        LinkTable table(dir.programDir(), titles, captions);
        QVERIFY(table.Read_Table());
        for (int column = 0; column < LinkGrid::kColumns; ++column)
            table.grid().setCell(3, column, QString());
        QVERIFY(table.Save_Table());
        QCOMPARE(linesOf(dir.read("Links/Links.000")).size(), 2);
        QCOMPARE(linesOf(dir.read("Links/Links.Bok")).first().section(QLatin1Char(','), 1),
                 QStringLiteral(" 2"));
    }

    // A damaged table file opens; a save keeps every entry it holds whole and drops the rest.
    void damagedTableFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("kept");

        const QString good = QStringLiteral("Good;-;u;-;e;-;h;-;n;-;d");
        QTest::addRow("binary junk") << QByteArray("\x00\xff\xfe\x01junk\r\n", 10) + good.toUtf8() +
                                            QByteArray("\n\x02\x03;-;\x80\r", 8)
                                     << 3 << QStringList{good};
        const QString big =
            QStringLiteral("Big;-;u;-;;-;;-;") + QString(1 << 20, u'x') + QStringLiteral(";-;d");
        QTest::addRow("a line of 1 MB") << big.toUtf8() << 1 << QStringList{big};
        QTest::addRow("stray separators")
            << QByteArray("S;-;u;-;e;-;h;-;n;-;d;-;more;-;and more\r\n") << 1
            << QStringList{"S;-;u;-;e;-;h;-;n;-;d"};
        QTest::addRow("fewer lines than its count")
            << QByteArray("B;-;u;-;;-;;-;;-;\r\nA;-;u;-;;-;;-;;-;\r\n") << 5
            << QStringList{"A;-;u;-;;-;;-;;-;", "B;-;u;-;;-;;-;;-;"};
        QTest::addRow("an absurd count")
            << QByteArray("A;-;u;-;;-;;-;;-;\r\n") << std::numeric_limits<int>::max()
            << QStringList{"A;-;u;-;;-;;-;;-;"};
        QTest::addRow("more entries than its count")
            << QByteArray("A;-;u;-;;-;;-;;-;\r\nB;-;u;-;;-;;-;;-;\r\n") << 0
            << QStringList{"A;-;u;-;;-;;-;;-;", "B;-;u;-;;-;;-;;-;"};
    }

    void damagedTableFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QStringList, kept);
        TempProgramDir dir(false);
        QVERIFY(dir.write("Links/Links.000", file));
        LinkTitles titles;
        titles.setEntryCount(1, count);
        LinkTable table(dir.programDir(), titles, captions);
        table.setRowsShown(4);
        QVERIFY(table.Read_Table());
        QVERIFY(table.Save_Table());
        QCOMPARE(linesOf(dir.read("Links/Links.000")), kept);
        QCOMPARE(titles.entryCount(1), kept.size());
    }

    // A table file too large to read is reported and never written over.
    void unreadableTableIsKept()
    {
        TempProgramDir dir(false);
        QFile file(dir.file("Links/Links.000"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(TextFile::kMaxReadBytes + 1));
        file.close();
        LinkTitles titles;
        titles.setEntryCount(1, 2);
        LinkTable table(dir.programDir(), titles, captions);
        const TextFile::Result read = table.Read_Table();
        QVERIFY(!read);
        QCOMPARE(read.cause, TextFile::Result::Cause::TooLarge);
        QVERIFY(!table.ADD_Tab({QStringLiteral("A"), QStringLiteral("u"), QString(), QString()}));
        QVERIFY(table.Save_Table());
        QCOMPARE(QFileInfo(dir.file("Links/Links.000")).size(), TextFile::kMaxReadBytes + 1);
        QCOMPARE(titles.entryCount(1), 2);
    }

    // Text from a page or typed by the user cannot break the line format.
    void fieldsNeverHoldTheSeparator()
    {
        TempProgramDir dir(false);
        LinkTitles titles;
        LinkTable table(dir.programDir(), titles, captions);
        QVERIFY(table.Read_Table());
        QVERIFY(table.ADD_Tab({QStringLiteral("a;-;-;b"), QStringLiteral("http://x/?q=;-;"),
                               QStringLiteral("line\r\nbreak"), QStringLiteral("2024-01-01")}));
        table.grid().setHiddenText(1, QStringLiteral("p;-;w"));
        QVERIFY(table.Save_Table());
        const QStringList lines = linesOf(dir.read("Links/Links.000"));
        QCOMPARE(lines.size(), 1);
        const std::optional<LinkLine::Fields> fields = LinkLine::split(lines.first());
        QVERIFY(fields);
        QCOMPARE(lines.first().count(QStringLiteral(";-;")), 5);
        QCOMPARE((*fields)[0], QStringLiteral("a;- ;- ;b"));
        QCOMPARE((*fields)[1], QStringLiteral("http://x/?q=%3B-%3B"));
        QCOMPARE((*fields)[3], QStringLiteral("p;- ;w"));
        QCOMPARE((*fields)[4], QStringLiteral("line  break"));
    }
};

QUORVINK_CORE_TEST_MAIN(TestLinkFiles)
#include "test_linkfiles.moc"
