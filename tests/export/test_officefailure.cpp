// The messages of failed office exports read wholly in the language of the interface: the
// caption of the kind of failure, then the helper's English detail on a line of its own.

#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "export/officefailure.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QTest>

using Cause = OfficeJob::Cause;
using Step = OfficeJob::Step;

class OfficeFailureTest : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    // Each row's language also names the missing helper with the package to install.
    void messages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<Step>("step");
        QTest::addColumn<QString>("lead");

        QTest::addRow("English, office not started")
            << "English" << Cause::Office << Step::Start << "The office could not be started.";
        QTest::addRow("Italian, template not opened")
            << "Italiano" << Cause::Office << Step::Open
            << "Impossibile aprire il documento o il suo modello.";
        QTest::addRow("Italian, time limit while saving")
            << "Italiano" << Cause::TimeLimit << Step::Save
            << "La suite per ufficio ha impiegato troppo tempo ed è stata fermata.";
        QTest::addRow("German, office not started")
            << "Deutsch" << Cause::Office << Step::Start
            << "Die Office-Suite konnte nicht gestartet werden.";
        QTest::addRow("German, helper crashed while pasting")
            << "Deutsch" << Cause::HelperEnded << Step::Paste
            << "Das Hilfsprogramm der Office-Suite wurde unerwartet beendet.";
        QTest::addRow("German, conversion failed") << "Deutsch" << Cause::Office << Step::Convert
                                                   << "Das PDF konnte nicht erstellt werden.";
    }

    void messages()
    {
        QFETCH(QString, language);
        QFETCH(Cause, cause);
        QFETCH(Step, step);
        QFETCH(QString, lead);

        CaptionTable captions;
        LanguageSettings settings;
        QVERIFY(LanguageFile::read(QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages/Quorvink_") +
                                       language + QStringLiteral(".txt"),
                                   captions, settings)
                    .ok);
        OfficeJob::Result result;
        result.cause = cause;
        result.failedStep = step;
        result.error = QStringLiteral("cannot write the file /out/page.doc: Permission denied");
        QCOMPARE(officeFailureText(captions, result), lead + QLatin1Char('\n') + result.error);
        // Without a detail the message is the caption alone.
        result.error.clear();
        QCOMPARE(officeFailureText(captions, result), lead);

        const QString text = captions[CaptionNo::OfficeNotInstalled];
        QVERIFY2(text.contains(QLatin1String("orvelquorvink-office")) &&
                     text.endsWith(QLatin1String("sudo apt install orvelquorvink-office")),
                 qPrintable(text));
    }
};

QUORVINK_CORE_TEST_MAIN(OfficeFailureTest)
#include "test_officefailure.moc"
