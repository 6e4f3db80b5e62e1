#include "config/settingsfile.h"
#include "testguard.h"

#include "tempprogramdir.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {

const char* const kIni = "Data/orvelquorvink.Ini";
const QSize kScreen(28800, 16200); // 1920 x 1080 pixels in twips

struct Expected {
    int top, left, height, width;
    QList<double> places; // link table top, left, height, width, then the link editor's
    int mode;
};

QList<double> placesOf(const IniSettings& s)
{
    return {s.linkTable.top,  s.linkTable.left,  s.linkTable.height,  s.linkTable.width,
            s.linkEditor.top, s.linkEditor.left, s.linkEditor.height, s.linkEditor.width};
}

// Values no file below contains, so that a value left unchanged shows.
IniSettings presetSettings()
{
    IniSettings s;
    s.Win_Top = 77;
    s.Win_Left = 88;
    s.Win_Height = 5555;
    s.Win_Width = 6666;
    s.Win_Mode = 9;
    return s;
}

QByteArray lines(const QList<QByteArray>& list)
{
    QByteArray bytes;
    for (const QByteArray& line : list)
        bytes += line + "\r\n";
    return bytes;
}

void compareSettings(const IniSettings& s, const Expected& e)
{
    QCOMPARE(int(s.Win_Top), e.top);
    QCOMPARE(int(s.Win_Left), e.left);
    QCOMPARE(int(s.Win_Height), e.height);
    QCOMPARE(int(s.Win_Width), e.width);
    QCOMPARE(placesOf(s), e.places);
    QCOMPARE(int(s.Win_Mode), e.mode);
}

} // namespace

Q_DECLARE_METATYPE(Expected)

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void noFileGivesScreen();
    void readLines_data();
    void readLines();
    void junkFile();
    void hundredThousandLines();
    void unreadableFile();
    void saveClamps_data();
    void saveClamps();
    void windowModeSurvivesRuns();
    void smallWindowOpensScreenSized();
    void saveFailureNamesFile();
};

void TestSettingsFile::noFileGivesScreen()
{
    TempProgramDir dir(false);
    IniSettings settings;
    SettingsFile::read(dir.file(kIni), settings, kScreen);
    compareSettings(settings, {0, 0, kScreen.height(), kScreen.width(), QList<double>(8, 0.0), 0});
    QVERIFY(!settings.linkTable.isPlaced());
    QVERIFY(!settings.linkEditor.isPlaced());
    QVERIFY(!QFile::exists(dir.file(kIni))); // reading creates nothing

    // Nothing but the main window is touched.
    IniSettings preset = presetSettings();
    preset.linkTable.top = 5;
    SettingsFile::read(dir.file(kIni), preset, kScreen);
    QCOMPARE(preset.linkTable.top, 5.0);
    QCOMPARE(int(preset.Win_Mode), 9);
    QCOMPARE(int(preset.Win_Top), 0);
    QCOMPARE(int(preset.Win_Height), kScreen.height());

    // A screen wider than 32,767 twips (2,560 pixels) is held whole.
    IniSettings wide;
    SettingsFile::read(dir.file(kIni), wide, QSize(38400, 21600));
    QCOMPARE(int(wide.Win_Width), 38400);
    QCOMPARE(int(wide.Win_Height), 21600);
}

void TestSettingsFile::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Expected>("expected");

    const QList<double> places{100, 200, 6000, 9000, 300, 400, 3000, 4500};
    const QByteArray placeLines =
        lines({" 100 ", " 200 ", " 6000 ", " 9000 ", " 300 ", " 400 ", " 3000 ", " 4500 "});
    const auto file = [&](const QByteArray& main, const QByteArray& mode = " 0 ") {
        return main + placeLines + mode + "\r\n";
    };
    const int sh = kScreen.height();
    const int sw = kScreen.width();

    QTest::addRow("as written") << file(lines({" 15 ", " 30 ", " 9000 ", " 12000 "}))
                                << Expected{15, 30, 9000, 12000, places, 0};
    QTest::addRow("height 1500 and width 2500 replaced by the screen")
        << file(lines({" 15 ", " 30 ", " 1500 ", " 2500 "})) << Expected{15, 30, sh, sw, places, 0};
    QTest::addRow("2000 and 3000 are kept")
        << file(lines({"0", "0", "2000", "3000"})) << Expected{0, 0, 2000, 3000, places, 0};
    QTest::addRow("1999 and 2999 are replaced")
        << file(lines({"0", "0", "1999", "2999"})) << Expected{0, 0, sh, sw, places, 0};
    QTest::addRow("negative position becomes 0")
        << file(lines({"-300 ", "-1", "9000", "12000"})) << Expected{0, 0, 9000, 12000, places, 0};
    // The main window's geometry holds 32 bits: a window on a large screen.
    QTest::addRow("values above 32767 are read")
        << file(lines({" 40000 ", " 30 ", " 32768 ", " 38400 "}))
        << Expected{40000, 30, 32768, 38400, places, 0};
    QTest::addRow("value outside 32 bits on line 1 keeps the value")
        << file(lines({" 3000000000 ", " 30 ", " 9000 ", " 12000 "}))
        << Expected{77, 30, 9000, 12000, places, 0};
    QTest::addRow("height and width outside 32 bits keep the value")
        << file(lines({"1", "2", "2147483648", "-2147483649"}))
        << Expected{1, 2, 5555, 6666, places, 0};
    QTest::addRow("window mode 2") << file(lines({"1", "2", "9000", "12000"}), " 2 ")
                                   << Expected{1, 2, 9000, 12000, places, 2};
    QTest::addRow("window mode outside 16 bits")
        << file(lines({"1", "2", "9000", "12000"}), "70000")
        << Expected{1, 2, 9000, 12000, places, 9};
    QTest::addRow("blanks trimmed, leading values")
        << file(lines({"   15   ", "30 twips", "9000.4", "  12000.5"}))
        << Expected{15, 30, 9000, 12000, places, 0};
    QTest::addRow("halves round to even") << file(lines({"100.5", "101.5", "9000", "12000"}), "2.5")
                                          << Expected{100, 102, 9000, 12000, places, 2};
    QTest::addRow("no numbers") << lines({"top", "", "x", "y", "a", "b", "c", "d", "e", "f", "g",
                                          "h", "i"})
                                << Expected{0, 0, sh, sw, QList<double>(8, 0.0), 0};
    QTest::addRow("secondary windows as doubles")
        << lines({"1", "2", "9000", "12000", " 1234.5678 ", "-15.25 ", "1.5E+3", "0.1", "7", "8",
                  "9", "10", " 3 "})
        << Expected{1, 2, 9000, 12000, {1234.5678, -15.25, 1500, 0.1, 7, 8, 9, 10}, 3};
    QTest::addRow("file of only 4 lines")
        << lines({" 100 ", " 200 ", " 9000 ", " 12000 "})
        << Expected{100, 200, 9000, 12000, QList<double>(8, 12000.0), 12000};
    QTest::addRow("4 lines, line 4 outside 32 bits")
        << lines({"100", "200", "9000", "4000000000"})
        << Expected{100, 200, 9000, 6666, QList<double>(8, 4000000000.0), 9};
    QTest::addRow("2 lines") << lines({"100", "-5"})
                             << Expected{100, 0, sh, sw, QList<double>(8, -5.0), -5};
    QTest::addRow("9 lines") << lines({"1", "2", "9000", "12000", "5", "6", "7", "8", "2"})
                             << Expected{1, 2, 9000, 12000, {5, 6, 7, 8, 2, 2, 2, 2}, 2};
    QTest::addRow("empty file") << QByteArray() << Expected{0, 0, sh, sw, QList<double>(8, 0.0), 0};
    QTest::addRow("LF line ends")
        << QByteArray("15\n30\n9000\n12000\n100\n200\n6000\n9000\n300\n400\n3000\n4500\n2\n")
        << Expected{15, 30, 9000, 12000, places, 2};
    QTest::addRow("extra lines ignored")
        << file(lines({"15", "30", "9000", "12000"}), "1\r\n99\r\n98")
        << Expected{15, 30, 9000, 12000, places, 1};
}

void TestSettingsFile::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Expected, expected);
    TempProgramDir dir(false);
    QVERIFY(dir.write(kIni, bytes));
    IniSettings settings = presetSettings();
    SettingsFile::read(dir.file(kIni), settings, kScreen);
    compareSettings(settings, expected);
    QCOMPARE(dir.read(kIni), bytes);
}

void TestSettingsFile::junkFile()
{
    // Binary junk with no number at the start of any line: every value reads as 0.
    QByteArray junk;
    QRandomGenerator random(20240611);
    while (junk.size() < 64 * 1024) {
        char c = char(random.bounded(256));
        if ((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+')
            c = '\xFF';
        junk.append(c);
    }
    junk[0] = '\0';
    TempProgramDir dir(false);
    QVERIFY(dir.write(kIni, junk));
    IniSettings settings = presetSettings();
    SettingsFile::read(dir.file(kIni), settings, kScreen);
    compareSettings(settings, {0, 0, kScreen.height(), kScreen.width(), QList<double>(8, 0.0), 0});
}

void TestSettingsFile::hundredThousandLines()
{
    QByteArray bytes;
    for (int i = 1; i <= 100000; ++i)
        bytes += QByteArray::number(i * 1000) + "\r\n";
    TempProgramDir dir(false);
    QVERIFY(dir.write(kIni, bytes));
    IniSettings settings;
    SettingsFile::read(dir.file(kIni), settings, kScreen);
    compareSettings(
        settings,
        {1000, 2000, 3000, 4000, {5000, 6000, 7000, 8000, 9000, 10000, 11000, 12000}, 13000});
}

void TestSettingsFile::unreadableFile()
{
    // A folder in place of the file, and a file too large to read: both are a missing file.
    TempProgramDir dir(false);
    QVERIFY(QDir(dir.root()).mkpath(QLatin1String(kIni)));
    IniSettings settings = presetSettings();
    SettingsFile::read(dir.file(kIni), settings, kScreen);
    compareSettings(settings, {0, 0, kScreen.height(), kScreen.width(), QList<double>(8, 0.0), 9});

    TempProgramDir other(false);
    {
        QFile big(other.file(kIni));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.write("1000\r\n2000\r\n") > 0);
        QVERIFY(big.resize(TextFile::kMaxReadBytes + 1));
    }
    IniSettings large = presetSettings();
    SettingsFile::read(other.file(kIni), large, kScreen);
    compareSettings(large, {0, 0, kScreen.height(), kScreen.width(), QList<double>(8, 0.0), 9});
}

void TestSettingsFile::saveClamps_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QByteArray>("mainLines");

    // QRect(left, top, width, height)
    QTest::addRow("inside the screen")
        << QRect(120, 45, 18000, 12000) << QByteArray(" 45 \r\n 120 \r\n 12000 \r\n 18000 \r\n");
    QTest::addRow("off-screen to the left and top")
        << QRect(-150, -30, 18000, 12000) << QByteArray(" 0 \r\n 0 \r\n 12000 \r\n 18000 \r\n");
    QTest::addRow("too small") << QRect(0, 0, 1500, 900)
                               << QByteArray(" 0 \r\n 0 \r\n 1000 \r\n 2000 \r\n");
    QTest::addRow("exactly at the limits")
        << QRect(0, 0, 2000, 1000) << QByteArray(" 0 \r\n 0 \r\n 1000 \r\n 2000 \r\n");
    QTest::addRow("just above the limits")
        << QRect(0, 0, 2001, 1001) << QByteArray(" 0 \r\n 0 \r\n 1001 \r\n 2001 \r\n");
    QTest::addRow("empty window") << QRect() << QByteArray(" 0 \r\n 0 \r\n 1000 \r\n 2000 \r\n");
    QTest::addRow("wider than 16 bits (2,560 pixels)")
        << QRect(0, 0, 38400, 21000) << QByteArray(" 0 \r\n 0 \r\n 21000 \r\n 38400 \r\n");
}

void TestSettingsFile::saveClamps()
{
    QFETCH(QRect, window);
    QFETCH(QByteArray, mainLines);
    TempProgramDir dir(false);
    IniSettings settings;
    settings.linkTable = {1234.5678, -15.25, 6000, 9000};
    settings.linkEditor = {0.1, 0, 3000, 4500};
    settings.Win_Mode = 2;
    QVERIFY(SettingsFile::save(dir.file(kIni), settings, window).ok);
    QCOMPARE(dir.read(kIni), mainLines + " 1234.5678 \r\n-15.25 \r\n 6000 \r\n 9000 \r\n"
                                         " 0.1 \r\n 0 \r\n 3000 \r\n 4500 \r\n 2 \r\n");
}

void TestSettingsFile::windowModeSurvivesRuns()
{
    TempProgramDir dir(false);
    IniSettings first;
    first.Win_Mode = 2;
    first.linkTable = {1234.5678, 0.1, 6000.25, 9000};
    // Wider than 32,767 twips: a window on a 2,560-pixel screen.
    const QRect window(300, 200, 38400, 10000);
    QVERIFY(SettingsFile::save(dir.file(kIni), first, window).ok);
    const QByteArray written = dir.read(kIni);
    QCOMPARE(written.count("\r\n"), 13);

    for (int run = 0; run < 3; ++run) {
        IniSettings settings;
        SettingsFile::read(dir.file(kIni), settings, kScreen);
        QCOMPARE(int(settings.Win_Mode), 2);
        QCOMPARE(settings.linkTable.top, 1234.5678);
        QCOMPARE(settings.linkTable.left, 0.1);
        QCOMPARE(settings.linkTable.height, 6000.25);
        QVERIFY(!settings.linkEditor.isPlaced());
        QCOMPARE(
            QRect(settings.Win_Left, settings.Win_Top, settings.Win_Width, settings.Win_Height),
            window);
        QVERIFY(SettingsFile::save(dir.file(kIni), settings, window).ok);
        QCOMPARE(dir.read(kIni), written);
    }
}

void TestSettingsFile::smallWindowOpensScreenSized()
{
    // Written with the clamps 1000 and 2000, read back below 2000 and 3000: the screen size.
    TempProgramDir dir(false);
    QVERIFY(SettingsFile::save(dir.file(kIni), IniSettings(), QRect(-10, 5, 500, 500)).ok);
    IniSettings settings;
    SettingsFile::read(dir.file(kIni), settings, kScreen);
    QCOMPARE(int(settings.Win_Left), 0);
    QCOMPARE(int(settings.Win_Top), 5);
    QCOMPARE(int(settings.Win_Height), kScreen.height());
    QCOMPARE(int(settings.Win_Width), kScreen.width());
}

void TestSettingsFile::saveFailureNamesFile()
{
    TempProgramDir dir(false);
    const TextFile::Result result =
        SettingsFile::save(dir.file("Missing/orvelquorvink.Ini"), IniSettings(), QRect());
    QVERIFY(!result.ok);
    QVERIFY2(result.describe().contains(QStringLiteral("orvelquorvink.Ini")),
             qPrintable(result.describe()));
}

#include "unittestmain.h"
QUORVINK_CORE_TEST_MAIN(TestSettingsFile)
#include "test_settingsfile.moc"
