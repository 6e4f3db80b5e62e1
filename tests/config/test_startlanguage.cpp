// The language of a first start: the shipped language file whose locale answers the desktop's
// languages, else English; a run with an options file starts in its language.
#include "config/startlanguage.h"
#include "testguard.h"

#include "tempprogramdir.h"
#include "unittestmain.h"

#include <QLocale>
#include <QTest>

class TestStartLanguage : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void desktopLanguageChosen_data()
    {
        QTest::addColumn<QStringList>("desktop"); // QLocale::uiLanguages(), most wanted first
        QTest::addColumn<QString>("expected");
        QTest::addRow("de_DE") << QStringList{"de-DE", "de"} << "Deutsch";
        QTest::addRow("en_GB before German") << QStringList{"en-GB", "de-DE"} << "English";
        QTest::addRow("French first, then German") << QStringList{"fr-FR", "de-DE"} << "Deutsch";
        QTest::addRow("nothing offered") << QStringList{"fr-FR", "fr"} << "English";
        // A user's file names its country: only that country's desktop takes it.
        QTest::addRow("pt_BR") << QStringList{"pt-BR", "pt"} << "Brasil";
        QTest::addRow("pt_PT") << QStringList{"pt-PT", "pt"} << "English";
        // A file without a locale, as older ones are, is never chosen for a desktop.
        QTest::addRow("a file without a locale") << QStringList{"nl-NL"} << "English";
        // "deu" is not German's two-letter code, nor is a bare prefix of another language's.
        QTest::addRow("no prefix match") << QStringList{"deu", "d"} << "English";
    }
    void desktopLanguageChosen()
    {
        QFETCH(QStringList, desktop);
        QFETCH(QString, expected);
        TempProgramDir dir;
        QVERIFY(dir.write("Languages/Quorvink_Brasil.txt",
                          "LANG=Brasil\r\nLOCALE=pt_BR\r\n\"Sim\"\r\n"));
        QVERIFY(dir.write("Languages/Quorvink_Nederlands.txt", "LANG=Ned\r\n\"Ja\"\r\n"));
        QCOMPARE(StartLanguage::forDesktop(dir.programDir(), desktop), expected);
        // Without an options file the run starts in it; with one, in the file's language.
        QCOMPARE(StartLanguage::ofRun(dir.programDir(), desktop), expected);
        QVERIFY(
            dir.write("Data/orvelquorvink.Opt", " 1 \r\n 0 \r\n 0 \r\n 0 \r\nx\r\nItaliano\r\n"));
        QCOMPARE(StartLanguage::ofRun(dir.programDir(), desktop), QStringLiteral("Italiano"));
        // A file of five lines, as a first start writes it, is English.
        QVERIFY(dir.write("Data/orvelquorvink.Opt", " 1 \r\n 0 \r\n 0 \r\n 0 \r\nx\r\n"));
        QCOMPARE(StartLanguage::ofRun(dir.programDir(), desktop), QStringLiteral("English"));
    }

    // The desktop's own languages, as the program reads them at a first start: the test runs
    // with LC_ALL=de_DE.UTF-8.
    void germanDesktopStartsInDeutsch()
    {
        if (qEnvironmentVariable("LC_ALL") != QLatin1String("de_DE.UTF-8"))
            QSKIP("runs on a German desktop only (LC_ALL=de_DE.UTF-8, as CTest sets it)");
        TempProgramDir dir;
        QCOMPARE(StartLanguage::forDesktop(dir.programDir(), QLocale::system().uiLanguages()),
                 QStringLiteral("Deutsch"));
    }

    void localeOfALanguage()
    {
        TempProgramDir dir;
        QVERIFY(dir.write("Languages/Quorvink_Eigen.txt", "LANG=Eigen\r\n\"Ja\"\r\n"));
        QCOMPARE(StartLanguage::localeOf(dir.programDir(), "Deutsch"), QStringLiteral("de"));
        QCOMPARE(StartLanguage::localeOf(dir.programDir(), "italiano"), QStringLiteral("it"));
        QCOMPARE(StartLanguage::localeOf(dir.programDir(), "Eigen"), QStringLiteral("en"));
        QCOMPARE(StartLanguage::localeOf(dir.programDir(), "Missing"), QStringLiteral("en"));
    }
};

QUORVINK_CORE_TEST_MAIN(TestStartLanguage)
#include "test_startlanguage.moc"
