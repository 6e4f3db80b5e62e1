#include "config/captionnumbers.h"
#include "config/filemessages.h"
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
#include <QRandomGenerator>

#include <algorithm>
#include <sys/stat.h>

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

    // A file one byte beyond what is read.
    static bool oversize(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.resize(TextFile::kMaxReadBytes + 1);
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

    // A language switch gives an empty table the new language's default title when its title is
    // a default one of some language; a title the user gave stays, and so does a table's with
    // entries.
    void defaultTitlesFollowTheLanguage()
    {
        LinkTitles titles;
        titles.applyDefaultTitles(QStringLiteral("Group"));
        titles.setTitle(50, QStringLiteral("Vereine Süd"));
        titles.setTitle(51, QStringLiteral("Gruppo 51"));
        titles.setTitle(52, QStringLiteral("Group 7"));
        titles.setTitle(53, QStringLiteral("News"));
        titles.setEntryCount(53, 3);
        titles.applyDefaultTitles(QStringLiteral("Gruppe"),
                                  {QStringLiteral("Group"), QStringLiteral("Gruppo")});
        QCOMPARE(titles.title(7), QStringLiteral("Gruppe 7"));
        QCOMPARE(titles.title(50), QStringLiteral("Vereine Süd"));
        QCOMPARE(titles.title(51), QStringLiteral("Gruppe 51"));
        QCOMPARE(titles.title(52), QStringLiteral("Group 7"));
        QCOMPARE(titles.title(53), QStringLiteral("News"));
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
        QVERIFY(oversize(dir.file("Links/Links.000")));
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

    // A line made of the fields reads back as the same six fields, each the field itself or its
    // look-alike (line breaks as blanks, a dash as U+2010, in an address ";" as %3B), which is
    // stored again unchanged.
    static void checkRoundTrip(const LinkLine::Fields& fields)
    {
        LinkLine::Fields stored;
        for (size_t i = 0; i < stored.size(); ++i) {
            stored[i] = LinkLine::storable(fields[i], i == 1);
            QString back = stored[i];
            back.replace(QChar(0x2010), QLatin1Char('-')).replace(QLatin1String("%3B"), ";");
            QString plain = fields[i];
            plain.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), " ");
            QCOMPARE(back, plain);
            QCOMPARE(LinkLine::storable(stored[i], i == 1), stored[i]);
        }
        const std::optional<LinkLine::Fields> read = LinkLine::split(LinkLine::join(stored));
        QVERIFY(read);
        QCOMPARE(*read, stored);
    }

    // Every text of up to five characters of ";-a\r\n ," in each field beside itself reversed,
    // and random lines of longer ones: all ways of meeting the separator.
    void generatedFieldsRoundTrip()
    {
        const QString alphabet = QStringLiteral(";-a\r\n ,");
        QStringList texts{QString()};
        for (qsizetype i = 0; texts.at(i).size() < 5; ++i) {
            for (const QChar c : alphabet)
                texts << texts.at(i) + c;
        }
        QRandomGenerator random(18);
        for (int n = 0; n < texts.size() + 20000 && !QTest::currentTestFailed(); ++n) {
            LinkLine::Fields fields{"a", "u", "e", "h", "n", "d"};
            if (n < texts.size()) {
                fields[n % 5] = texts.at(n);
                std::reverse_copy(texts.at(n).cbegin(), texts.at(n).cend(),
                                  std::back_inserter(fields[n % 5 + 1] = QString()));
            } else {
                for (QString& field : fields) {
                    field.clear();
                    for (int k = random.bounded(12); k > 0; --k)
                        field += alphabet.at(random.bounded(alphabet.size()));
                }
            }
            checkRoundTrip(fields);
        }
        // A field that needs no change is kept as it is.
        QCOMPARE(LinkLine::storable(QStringLiteral("a;--;b- ;")), QStringLiteral("a;--;b- ;"));
    }

    // Through the table: an entry whose fields end in ";-" keeps its place, its address and its
    // concealed value; old lines written with the earlier forms read as they did.
    void tableKeepsEveryField()
    {
        TempProgramDir dir(false);
        QVERIFY(
            dir.write("Links/Links.000",
                      "Old;- ;b;-;http://x/?q=%3B-%3B;-;;-;p;- ;w;-;line  break;-;2020-01-01\r\n"));
        LinkTitles titles;
        titles.setEntryCount(1, 1);
        LinkTable table(dir.programDir(), titles, captions);
        QVERIFY(table.Read_Table());
        QCOMPARE(table.grid().cell(1, 1), QStringLiteral("Old;- ;b"));
        QCOMPARE(table.grid().cell(1, 2), QStringLiteral("http://x/?q=%3B-%3B"));
        QCOMPARE(table.grid().hiddenText(1), QStringLiteral("p;- ;w"));
        QVERIFY(table.ADD_Tab({QStringLiteral("My bank ;-"), QStringLiteral("https://bank.test/;-"),
                               QStringLiteral("-;note\r\n"), QStringLiteral("2024-01-01")}));
        table.grid().setHiddenText(2, QStringLiteral(";-pin;-"));
        QVERIFY(table.Save_Table());
        QVERIFY(table.Read_Table());
        QCOMPARE(table.Entry_Count(), 2);
        const QString dash(QChar(0x2010));
        QCOMPARE(table.grid().cell(1, 1), QStringLiteral("My bank ;") + dash);
        QCOMPARE(table.grid().cell(1, 2), QStringLiteral("https://bank.test/%3B-"));
        QCOMPARE(table.grid().cell(1, 6), QStringLiteral("2024-01-01"));
        QCOMPARE(table.grid().hiddenText(1), QStringLiteral(";-pin;") + dash);
    }

    // A titles file that exists but could not be read is reported and never written over: not by
    // a title, a table's save or the window's closing.
    void unreadableTitlesFileIsKept()
    {
        TempProgramDir dir(false);
        QVERIFY(oversize(dir.file("Links/Links.Bok")));
        LinkTitles titles;
        titles.applyDefaultTitles(QStringLiteral("Group"));
        const TextFile::Result read =
            TitlesFile::Read_Titles(dir.programDir(), titles, QStringLiteral("Group"));
        QCOMPARE(read.cause, TextFile::Result::Cause::TooLarge);
        LinkTable table(dir.programDir(), titles, captions);
        QVERIFY(table.Read_Table());
        const TextFile::Result titled = table.Enter_Title(QStringLiteral("News"));
        QVERIFY(!titled);
        QCOMPARE(titled.cause, TextFile::Result::Cause::KeptUnread);
        QCOMPARE(titled.path, dir.file("Links/Links.Bok"));
        QVERIFY(!table.Save_Table());
        QCOMPARE(QFileInfo(dir.file("Links/Links.Bok")).size(), TextFile::kMaxReadBytes + 1);
        // The table's own file is written; only the titles file is kept.
        QVERIFY(QFileInfo::exists(dir.file("Links/Links.000")));
    }

    // A link to a pipe in place of the titles file or a table file (read while it was a regular
    // file) is refused by name, and the pipe stays a pipe.
    void linkToPipeIsNotReplaced_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addRow("titles file") << "Links/Links.Bok";
        QTest::addRow("table file") << "Links/Links.000";
    }
    void linkToPipeIsNotReplaced()
    {
        QFETCH(QString, name);
        TempProgramDir dir(false);
        QVERIFY(dir.write("Links/Links.000", "A;-;u;-;;-;;-;;-;\r\n"));
        LinkTitles titles;
        QVERIFY(TitlesFile::Read_Titles(dir.programDir(), titles, QStringLiteral("Group")));
        LinkTable table(dir.programDir(), titles, captions);
        QVERIFY(table.Read_Table());
        QCOMPARE(table.Entry_Count(), 1);

        const QString pipe = dir.file("pipe");
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(QFile::remove(dir.file(name)));
        QVERIFY(QFile::link(pipe, dir.file(name)));
        const TextFile::Result saved = table.Save_Table();
        QVERIFY(!saved);
        QCOMPARE(saved.cause, TextFile::Result::Cause::NotRegularFile);
        QCOMPARE(saved.path, dir.file(name));
        QVERIFY(
            FileMessages::text(captions, saved).contains(QDir::toNativeSeparators(dir.file(name))));
        struct stat info {};
        QCOMPARE(stat(QFile::encodeName(pipe).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        QVERIFY(QFileInfo(dir.file(name)).isSymLink());
    }
};

QUORVINK_CORE_TEST_MAIN(TestLinkFiles)
#include "test_linkfiles.moc"
