// The messages about files in every shipped language: each names the file and says why, and a
// language file written before these messages existed gives them in English.
#include "testguard.h"

#include "config/filemessages.h"
#include "config/languagefile.h"
#include "tempprogramdir.h"
#include "unittestmain.h"

#include <QDir>

using Action = TextFile::Result::Action;
using Cause = TextFile::Result::Cause;

class TestFileMessages : public QObject {
    Q_OBJECT

    static CaptionTable captionsOf(const QString& language)
    {
        CaptionTable captions;
        LanguageSettings settings;
        const QString path = QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages/Quorvink_") +
                             language + QStringLiteral(".txt");
        LanguageFile::read(path, captions, settings);
        return captions;
    }

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void everyMessageNamesTheFileAndTheReason_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("cause");
        for (const char* language : {"English", "Italiano", "Deutsch", "none"}) {
            for (const Action action : {Action::Read, Action::Write, Action::Append, Action::Empty})
                for (const Cause cause : {Cause::System, Cause::NotRegularFile, Cause::TooLarge})
                    QTest::addRow("%s %d %d", language, int(action), int(cause))
                        << QString::fromLatin1(language) << int(action) << int(cause);
        }
    }
    void everyMessageNamesTheFileAndTheReason()
    {
        QFETCH(QString, language);
        QFETCH(int, action);
        QFETCH(int, cause);
        const CaptionTable captions =
            language == QLatin1String("none") ? CaptionTable() : captionsOf(language);
        const QString path = QStringLiteral("/home/someone/Data/orvelquorvink.Opt");
        const TextFile::Result failure = TextFile::failed(
            Action(action), path, QStringLiteral("No space left on device"), Cause(cause));
        const QString text = FileMessages::text(captions, failure);
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
        QVERIFY2(!text.contains(QLatin1Char('%')), qPrintable(text));
        if (Cause(cause) == Cause::System)
            QVERIFY2(text.contains(QLatin1String("No space left on device")), qPrintable(text));
        else
            QVERIFY2(!text.endsWith(QLatin1String(": ")), qPrintable(text));
        if (language == QLatin1String("none"))
            QVERIFY2(text.startsWith(QLatin1String("The file ")) ||
                         text.startsWith(QLatin1String("Nothing could be added")),
                     qPrintable(text));
    }

    void otherMessagesFillTheirPlaces()
    {
        for (const char* language : {"English", "Italiano", "Deutsch"}) {
            const CaptionTable captions = captionsOf(QString::fromLatin1(language));
            QVERIFY(FileMessages::languageFileUnreadable(captions, QStringLiteral("/x/y.txt"))
                        .contains(QLatin1String("/x/y.txt")));
            const QString programs =
                FileMessages::noSettingsProgram(captions, {"pavucontrol", "xfce4-mixer"});
            QVERIFY2(programs.contains(QLatin1String("pavucontrol, xfce4-mixer")),
                     qPrintable(programs));
            const QString exit = FileMessages::exitNotSaved(
                captions, {TextFile::failed(Action::Write, QStringLiteral("/a/one"), "r1"),
                           TextFile::failed(Action::Write, QStringLiteral("/a/two"), "r2")});
            QCOMPARE(exit.count(QLatin1Char('\n')), 2);
            QVERIFY(exit.contains(QLatin1String("/a/one")) && exit.contains(QLatin1String("r2")));
        }
    }
};

QUORVINK_CORE_TEST_MAIN(TestFileMessages)
#include "test_filemessages.moc"
