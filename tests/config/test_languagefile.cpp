#include "config/languagefile.h"
#include "config/programfiles.h"
#include "testguard.h"

#include "tempprogramdir.h"

#include <QMap>
#include <QTest>

namespace {

const QString kFile = QStringLiteral("Languages/Quorvink_Test.txt");

// Every setting as text, so that a value stored in the wrong field shows.
QMap<QString, QString> fieldsOf(const LanguageSettings& s)
{
    return {{"Start_Page", s.Start_Page},
            {"Lang_Code", s.Lang_Code},
            {"locale", s.locale},
            {"searchUrl", s.searchUrl},
            {"searchDescr", s.searchDescr},
            {"dictionaryUrl", s.dictionaryUrl},
            {"dictionaryDescr", s.dictionaryDescr},
            {"mapUrl", s.mapUrl},
            {"mapDescr", s.mapDescr},
            {"socialUrl", s.socialUrl},
            {"socialDescr", s.socialDescr},
            {"ecommerceUrl", s.ecommerceUrl},
            {"ecommerceDescr", s.ecommerceDescr},
            {"translatorPath", s.translatorPath},
            {"Tab_Width", QString::number(s.Tab_Width)}};
}

LanguageSettings presetSettings()
{
    LanguageSettings s;
    for (QString* field :
         {&s.Start_Page, &s.Lang_Code, &s.searchUrl, &s.searchDescr, &s.dictionaryUrl,
          &s.dictionaryDescr, &s.mapUrl, &s.mapDescr, &s.socialUrl, &s.socialDescr, &s.ecommerceUrl,
          &s.ecommerceDescr, &s.translatorPath})
        *field = QStringLiteral("old");
    s.Tab_Width = 900;
    return s;
}

QStringList captionsOf(const CaptionTable& table)
{
    QStringList texts;
    for (int n = 0; n <= CaptionTable::kCapacity + 1; ++n)
        texts << table.text(n);
    return texts;
}

// An empty table: the original's captions are empty, the program's own ones English.
QStringList emptyTable()
{
    QStringList texts(CaptionTable::kCapacity + 2);
    for (int n = CaptionTable::kOriginalCaptions + 1; n <= CaptionTable::kCapacity; ++n)
        texts[n] = CaptionTable::english(n);
    return texts;
}

struct Read {
    LanguageFile::ReadResult result;
    CaptionTable captions;
    LanguageSettings settings = presetSettings();
};

Read readBytes(const TempProgramDir& dir, const QByteArray& bytes)
{
    Read r;
    if (!dir.write(kFile, bytes))
        qFatal("cannot write the test file");
    r.result = LanguageFile::read(dir.file(kFile), r.captions, r.settings);
    return r;
}

} // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void captionLines_data();
    void captionLines();
    void sectionsCarryNoMeaning();
    void settingLines_data();
    void settingLines();
    void tabNumber_data();
    void tabNumber();
    void shorterFileClearsLaterCaptions();
    void missingFileChangesNothing();
    void captionsBeyondCapacity();
    void tenMegabyteFile();
    void nulBytesAndEncodings();
    void captionTableBounds();
    void shippedFileByName();
};

void TestLanguageFile::captionLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    // Each line is followed by the caption line "next".
    QTest::addRow("plain") << QByteArray("\"Hello\"") << "Hello"
                           << "next";
    QTest::addRow("inner quotes kept") << QByteArray("\"say \"hi\" now\"") << "say \"hi\" now"
                                       << "next";
    QTest::addRow("blanks around the line removed") << QByteArray("   \"padded\"   ") << "padded"
                                                    << "next";
    QTest::addRow("blanks inside the quotes kept") << QByteArray("\" a \"") << " a "
                                                   << "next";
    QTest::addRow("no closing quote loses the last character") << QByteArray("\"open") << "ope"
                                                               << "next";
    QTest::addRow("single quote is an empty caption") << QByteArray("\"") << ""
                                                      << "next";
    QTest::addRow("two quotes") << QByteArray("\"\"") << ""
                                << "next";
    QTest::addRow("equals sign in a caption") << QByteArray("\"TAB_NUMBER=9\"") << "TAB_NUMBER=9"
                                              << "next";
    QTest::addRow("tab before the quote: not a caption") << QByteArray("\t\"tabbed\"") << "next"
                                                         << "";
    QTest::addRow("tab inside kept") << QByteArray("\"\ta\t\"") << "\ta\t"
                                     << "next";
    QTest::addRow("section header") << QByteArray("[\"Not a caption\"]") << "next"
                                    << "";
    QTest::addRow("comment") << QByteArray("; \"quoted\" note") << "next"
                             << "";
    QTest::addRow("empty line") << QByteArray("") << "next"
                                << "";
    QTest::addRow("blank line") << QByteArray("     ") << "next"
                                << "";
}

void TestLanguageFile::captionLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, first);
    QFETCH(QString, second);
    TempProgramDir dir(false);
    const Read r = readBytes(dir, line + "\r\n\"next\"\r\n");
    QVERIFY(r.result.ok);
    QCOMPARE(r.captions.text(1), first);
    QCOMPARE(r.captions.text(2), second);
    QCOMPARE(r.captions.text(3), QString());
    QCOMPARE(fieldsOf(r.settings), fieldsOf(presetSettings()));
}

void TestLanguageFile::sectionsCarryNoMeaning()
{
    const QByteArray withSections("[Settings]\r\nSTART_PAGE=http://start/\r\n[Menu]\r\n\"File\"\r\n"
                                  "\"Edit\"\r\n[More settings]\r\nTAB_NUMBER=5\r\n[Messages]\r\n"
                                  "\"Saved\"\r\n[Empty]\r\n[Last]\r\nLANG=English\r\n\"End\"\r\n");
    QByteArray without = withSections;
    QList<QByteArray> kept;
    for (const QByteArray& line : withSections.split('\n')) {
        if (!line.startsWith('['))
            kept << line;
    }
    without = kept.join('\n');
    QVERIFY(!without.contains('['));

    TempProgramDir dir(false);
    const Read a = readBytes(dir, withSections);
    const Read b = readBytes(dir, without);
    QVERIFY(a.result.ok && b.result.ok);
    QCOMPARE(captionsOf(a.captions), captionsOf(b.captions));
    QCOMPARE(fieldsOf(a.settings), fieldsOf(b.settings));
    QCOMPARE(a.result.tabNumbers, b.result.tabNumbers);
    QCOMPARE(a.captions.text(3), QStringLiteral("Saved"));
    QCOMPARE(a.captions.text(4), QStringLiteral("End"));
    QCOMPARE(a.settings.Start_Page, QStringLiteral("http://start/"));
    QCOMPARE(a.settings.Lang_Code, QStringLiteral("Eng"));
    QCOMPARE(a.result.tabNumbers, QList<int>{5});
}

void TestLanguageFile::settingLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field"); // the one field that changes; empty: none
    QTest::addColumn<QString>("value");

    QTest::addRow("START_PAGE") << QByteArray("START_PAGE=http://start/") << "Start_Page"
                                << "http://start/";
    QTest::addRow("LANG blank then English") << QByteArray("LANG= English") << "Lang_Code"
                                             << "Eng";
    QTest::addRow("LANG short") << QByteArray("LANG=De") << "Lang_Code"
                                << "De";
    QTest::addRow("LANG blanks around") << QByteArray("lang=   it   ") << "Lang_Code"
                                        << "it";
    QTest::addRow("LOCALE") << QByteArray("LOCALE=de") << "locale"
                            << "de";
    QTest::addRow("LOCALE blanks around") << QByteArray("locale=  pt_BR ") << "locale"
                                          << "pt_BR";
    QTest::addRow("SEARCH_URL keeps later equals signs")
        << QByteArray("SEARCH_URL=http://s/?a=1&q=") << "searchUrl"
        << "http://s/?a=1&q=";
    QTest::addRow("SEARCH_DESCR blank kept")
        << QByteArray("SEARCH_DESCR= Search the web") << "searchDescr"
        << " Search the web";
    QTest::addRow("DICTIONARY_URL") << QByteArray("DICTIONARY_URL=http://d/") << "dictionaryUrl"
                                    << "http://d/";
    QTest::addRow("DICTIONARY_DESCR") << QByteArray("DICTIONARY_DESCR=Words") << "dictionaryDescr"
                                      << "Words";
    QTest::addRow("MAP_URL") << QByteArray("MAP_URL=http://m/") << "mapUrl"
                             << "http://m/";
    QTest::addRow("MAP_DESCR") << QByteArray("MAP_DESCR=Maps") << "mapDescr"
                               << "Maps";
    QTest::addRow("SOCIAL_URL") << QByteArray("SOCIAL_URL=http://so/") << "socialUrl"
                                << "http://so/";
    QTest::addRow("SOCIAL_DESCR") << QByteArray("SOCIAL_DESCR=Friends") << "socialDescr"
                                  << "Friends";
    QTest::addRow("ECOMMERCE_URL") << QByteArray("ECOMMERCE_URL=http://shop/") << "ecommerceUrl"
                                   << "http://shop/";
    QTest::addRow("ECOMMERCE_DESCR") << QByteArray("ECOMMERCE_DESCR=Shop") << "ecommerceDescr"
                                     << "Shop";
    QTest::addRow("TRANSLATOR_PATH")
        << QByteArray("TRANSLATOR_PATH=http://t/?u=") << "translatorPath"
        << "http://t/?u=";
    QTest::addRow("TAB_WIDTH") << QByteArray("TAB_WIDTH=2600") << "Tab_Width"
                               << "2600";
    QTest::addRow("TAB_WIDTH rounded") << QByteArray("TAB_WIDTH= 12.5 twips") << "Tab_Width"
                                       << "12";
    QTest::addRow("TAB_WIDTH no number") << QByteArray("Tab_Width=wide") << "Tab_Width"
                                         << "0";
    QTest::addRow("TAB_WIDTH outside 16 bits") << QByteArray("TAB_WIDTH=40000") << ""
                                               << "";
    QTest::addRow("lower-case key") << QByteArray("start_page=http://low/") << "Start_Page"
                                    << "http://low/";
    QTest::addRow("empty value") << QByteArray("START_PAGE=") << "Start_Page"
                                 << "";
    QTest::addRow("trailing blanks of the line removed")
        << QByteArray("  MAP_DESCR=Maps   ") << "mapDescr"
        << "Maps";
    QTest::addRow("blank before the equals sign") << QByteArray("START_PAGE =http://x/") << ""
                                                  << "";
    QTest::addRow("tab before the key") << QByteArray("\tSTART_PAGE=http://x/") << ""
                                        << "";
    QTest::addRow("unknown key") << QByteArray("HOME_PAGE=http://x/") << ""
                                 << "";
    QTest::addRow("key prefix only") << QByteArray("START=http://x/") << ""
                                     << "";
    QTest::addRow("no equals sign") << QByteArray("START_PAGE http://x/") << ""
                                    << "";
    QTest::addRow("comment with equals") << QByteArray("; START_PAGE=http://x/") << ""
                                         << "";
}

void TestLanguageFile::settingLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QString, value);
    TempProgramDir dir(false);
    const Read r = readBytes(dir, "\"one\"\r\n" + line + "\r\n\"two\"\r\n");
    QVERIFY(r.result.ok);
    QMap<QString, QString> expected = fieldsOf(presetSettings());
    if (!field.isEmpty()) {
        QVERIFY(expected.contains(field));
        expected[field] = value;
    }
    QCOMPARE(fieldsOf(r.settings), expected);
    QVERIFY(r.result.tabNumbers.isEmpty());
    QCOMPARE(r.captions.text(1), QStringLiteral("one"));
    QCOMPARE(r.captions.text(2), QStringLiteral("two"));
}

void TestLanguageFile::tabNumber_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<int>>("tabs");

    QTest::addRow("4") << QByteArray("TAB_NUMBER=4") << QList<int>{4};
    QTest::addRow("4 followed by a word") << QByteArray("TAB_NUMBER=4 tabs") << QList<int>{4};
    QTest::addRow("lower-case key") << QByteArray("tab_number=6") << QList<int>{6};
    QTest::addRow("blank after equals") << QByteArray("Tab_Number= 5") << QList<int>{5};
    QTest::addRow("0 bounded") << QByteArray("TAB_NUMBER=0") << QList<int>{1};
    QTest::addRow("negative bounded") << QByteArray("TAB_NUMBER=-3") << QList<int>{1};
    QTest::addRow("10000 bounded") << QByteArray("TAB_NUMBER=10000") << QList<int>{16};
    QTest::addRow("huge bounded") << QByteArray("TAB_NUMBER=1e300") << QList<int>{16};
    QTest::addRow("16 allowed") << QByteArray("TAB_NUMBER=16") << QList<int>{16};
    QTest::addRow("17 bounded") << QByteArray("TAB_NUMBER=17") << QList<int>{16};
    QTest::addRow("1 allowed") << QByteArray("TAB_NUMBER=1") << QList<int>{1};
    QTest::addRow("no number bounded") << QByteArray("TAB_NUMBER=many") << QList<int>{1};
    QTest::addRow("rounded") << QByteArray("TAB_NUMBER=3.6") << QList<int>{4};
    QTest::addRow("every line in order")
        << QByteArray("TAB_NUMBER=3\r\n\"x\"\r\nTAB_NUMBER=5") << QList<int>{3, 5};
    QTest::addRow("none") << QByteArray("\"x\"\r\nTAB_WIDTH=4") << QList<int>{};
    QTest::addRow("blank before equals ignored") << QByteArray("TAB_NUMBER =8") << QList<int>{};
}

void TestLanguageFile::tabNumber()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QList<int>, tabs);
    TempProgramDir dir(false);
    const Read r = readBytes(dir, bytes + "\r\n");
    QVERIFY(r.result.ok);
    QCOMPARE(r.result.tabNumbers, tabs);
}

void TestLanguageFile::shorterFileClearsLaterCaptions()
{
    TempProgramDir dir(false);
    QVERIFY(dir.write("Languages/Quorvink_Long.txt",
                      "START_PAGE=http://long/\r\nSEARCH_URL=http://s-long/\r\nTAB_WIDTH=2600\r\n"
                      "LOCALE=de\r\n"
                      "\"a\"\r\n\"b\"\r\n\"c\"\r\n\"d\"\r\n\"e\"\r\n"));
    QVERIFY(dir.write("Languages/Quorvink_Short.txt",
                      "SEARCH_URL=http://s-short/\r\n\"A\"\r\n\"B\"\r\n"));

    CaptionTable captions;
    LanguageSettings settings;
    QVERIFY(LanguageFile::read(dir.file("Languages/Quorvink_Long.txt"), captions, settings).ok);
    QCOMPARE(captions.text(5), QStringLiteral("e"));
    QCOMPARE(settings.locale, QStringLiteral("de"));

    QVERIFY(LanguageFile::read(dir.file("Languages/Quorvink_Short.txt"), captions, settings).ok);
    QCOMPARE(captions.text(1), QStringLiteral("A"));
    QCOMPARE(captions.text(2), QStringLiteral("B"));
    for (int n = 3; n <= 5; ++n)
        QCOMPARE(captions.text(n), QString());
    // Settings the shorter file does not name keep the value of the file read before.
    QCOMPARE(settings.searchUrl, QStringLiteral("http://s-short/"));
    QCOMPARE(settings.Start_Page, QStringLiteral("http://long/"));
    QCOMPARE(settings.Tab_Width, qint16(2600));
    // Except the locale: a file without one is English for Qt's and the engine's texts.
    QCOMPARE(settings.locale, QString());

    // A file with no caption at all empties the table.
    QVERIFY(dir.write("Languages/Quorvink_None.txt", "; nothing\r\n"));
    QVERIFY(LanguageFile::read(dir.file("Languages/Quorvink_None.txt"), captions, settings).ok);
    QCOMPARE(captionsOf(captions), emptyTable());
}

void TestLanguageFile::missingFileChangesNothing()
{
    TempProgramDir dir(false);
    CaptionTable captions;
    captions.set(1, QStringLiteral("kept"));
    captions.set(250, QStringLiteral("also kept"));
    LanguageSettings settings = presetSettings();

    const LanguageFile::ReadResult missing =
        LanguageFile::read(dir.file("Languages/Quorvink_Nowhere.txt"), captions, settings);
    QVERIFY(!missing.ok);
    QVERIFY(missing.tabNumbers.isEmpty());
    QCOMPARE(captions.text(1), QStringLiteral("kept"));
    QCOMPARE(captions.text(250), QStringLiteral("also kept"));
    QCOMPARE(fieldsOf(settings), fieldsOf(presetSettings()));

    // A folder of that name cannot be read either.
    QVERIFY(QDir(dir.root()).mkpath(QStringLiteral("Languages/Quorvink_Folder.txt")));
    QVERIFY(!LanguageFile::read(dir.file("Languages/Quorvink_Folder.txt"), captions, settings).ok);
    QCOMPARE(captions.text(1), QStringLiteral("kept"));
}

void TestLanguageFile::captionsBeyondCapacity()
{
    QByteArray bytes;
    for (int n = 1; n <= 5000; ++n)
        bytes += "\"caption " + QByteArray::number(n) + "\"\r\n";
    bytes += "START_PAGE=http://after/\r\nTAB_NUMBER=2\r\n";
    TempProgramDir dir(false);
    const Read r = readBytes(dir, bytes);
    QVERIFY(r.result.ok);
    QCOMPARE(r.captions.text(1), QStringLiteral("caption 1"));
    QCOMPARE(r.captions.text(223), QStringLiteral("caption 223"));
    QCOMPARE(r.captions.text(CaptionTable::kCapacity),
             QStringLiteral("caption %1").arg(CaptionTable::kCapacity));
    QCOMPARE(r.captions.text(CaptionTable::kCapacity + 1), QString());
    QCOMPARE(r.captions[5000], QString());
    // Lines after the ignored captions are still read.
    QCOMPARE(r.settings.Start_Page, QStringLiteral("http://after/"));
    QCOMPARE(r.result.tabNumbers, QList<int>{2});
}

void TestLanguageFile::tenMegabyteFile()
{
    QByteArray bytes = "\"first\"\r\nTAB_WIDTH=1200\r\n";
    const QByteArray longCaption = "\"" + QByteArray(100000, 'x') + "\"\r\n";
    const QByteArray noise = "; " + QByteArray(998, 'n') + "\r\n";
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += (bytes.size() / noise.size()) % 50 == 0 ? longCaption : noise;
    bytes += "START_PAGE=http://end/\r\n";
    TempProgramDir dir(false);
    const Read r = readBytes(dir, bytes);
    QVERIFY(r.result.ok);
    QCOMPARE(r.captions.text(1), QStringLiteral("first"));
    QCOMPARE(r.captions.text(2).size(), 100000);
    QCOMPARE(r.settings.Tab_Width, qint16(1200));
    QCOMPARE(r.settings.Start_Page, QStringLiteral("http://end/"));
}

void TestLanguageFile::nulBytesAndEncodings()
{
    TempProgramDir dir(false);
    const Read nul =
        readBytes(dir, QByteArray("\"a\0b\"\r\nSTART_PAGE=x\0y\r\n\0\r\n\"c\"\r\n", 29));
    QVERIFY(nul.result.ok);
    QCOMPARE(nul.captions.text(1), QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
    QCOMPARE(nul.settings.Start_Page,
             QString(QStringLiteral("x") + QChar(0) + QStringLiteral("y")));
    QCOMPARE(nul.captions.text(2), QStringLiteral("c"));

    const Read latin = readBytes(dir, "\"Caf\xE9 \x80 5\"\r\nSEARCH_DESCR=Pr\xFC"
                                      "fen\r\n");
    QVERIFY(latin.result.ok);
    QCOMPARE(latin.captions.text(1), QStringLiteral("Caf\u00E9 \u20AC 5"));
    QCOMPARE(latin.settings.searchDescr, QStringLiteral("Pr\u00FCfen"));

    const Read utf8 = readBytes(dir, "\"Gr\xC3\xB6\xC3\x9F"
                                     "e\"\r\nlang=\xC3\x96sterreich\r\n");
    QVERIFY(utf8.result.ok);
    QCOMPARE(utf8.captions.text(1), QStringLiteral("Gr\u00F6\u00DFe"));
    QCOMPARE(utf8.settings.Lang_Code, QStringLiteral("\u00D6st"));

    const Read crOnly = readBytes(dir, "\"one\"\rTAB_NUMBER=3\r\"two\"\r");
    QCOMPARE(crOnly.captions.text(2), QStringLiteral("two"));
    QCOMPARE(crOnly.result.tabNumbers, QList<int>{3});
}

void TestLanguageFile::captionTableBounds()
{
    CaptionTable table;
    table.set(0, QStringLiteral("zero"));
    table.set(-1, QStringLiteral("negative"));
    table.set(CaptionTable::kCapacity + 1, QStringLiteral("beyond"));
    table.set(1, QStringLiteral("first"));
    table.set(CaptionTable::kCapacity, QStringLiteral("last"));
    QCOMPARE(table.text(0), QString());
    QCOMPARE(table.text(-1), QString());
    QCOMPARE(table.text(CaptionTable::kCapacity + 1), QString());
    QCOMPARE(table.text(1), QStringLiteral("first"));
    QCOMPARE(table[CaptionTable::kCapacity], QStringLiteral("last"));
    // A caption the file does not have comes from the English file built in (the shipped one);
    // one it has wins over it.
    CaptionTable shipped;
    LanguageSettings settings;
    QVERIFY(LanguageFile::read(
                QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages/Quorvink_English.txt"), shipped,
                settings)
                .ok);
    for (const int n : {2, 108, 320, CaptionTable::kCapacity - 1}) {
        QCOMPARE(table.textOrEnglish(n), shipped.text(n));
        QCOMPARE(CaptionTable::english(n), shipped.text(n));
    }
    QVERIFY(!table.textOrEnglish(2).isEmpty());
    QCOMPARE(table.textOrEnglish(1), QStringLiteral("first"));
    table.clear();
    QCOMPARE(captionsOf(table), emptyTable());
}

void TestLanguageFile::shippedFileByName()
{
    // The language name comes from the options file in any letter case; the file is found.
    TempProgramDir dir(true);
    QCOMPARE(ProgramFiles::languageFile(QStringLiteral("English")),
             QStringLiteral("\\Languages\\Quorvink_English.txt"));
    const QString path =
        dir.programDir().path(ProgramFiles::languageFile(QStringLiteral("english")));
    CaptionTable captions;
    LanguageSettings settings;
    const LanguageFile::ReadResult result = LanguageFile::read(path, captions, settings);
    QVERIFY2(result.ok, qPrintable(path));
    QCOMPARE(settings.Lang_Code, QStringLiteral("Eng"));
    QCOMPARE(result.tabNumbers.size(), 1);
    QVERIFY(!captions.text(1).isEmpty());
}

#include "unittestmain.h"
QUORVINK_CORE_TEST_MAIN(TestLanguageFile)
#include "test_languagefile.moc"
