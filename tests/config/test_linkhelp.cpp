#include "config/helppages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocumentFragment>

// The help documents of the link-table window as the build ships them: for each shipped language
// the document the window opens (named after the language file's LANG setting) exists and is the
// guide in that language, its accented letters intact.
class TestLinkHelp : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void guidePerLanguage_data();
    void guidePerLanguage();
    void helpPagePerLanguage_data();
    void helpPagePerLanguage();
};

void TestLinkHelp::guidePerLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("accented"); // a phrase of the text with letters beyond ASCII

    QTest::addRow("English") << "English"
                             << "A guide to the link tables"
                             << "such as \u201cGroup 7\u201d";
    QTest::addRow("Italiano") << "Italiano"
                              << "Guida alle tabelle dei link"
                              << "e così via fino alla tabella 105";
    QTest::addRow("Deutsch") << "Deutsch"
                             << "Anleitung zu den Linktabellen"
                             << "Groß- und Kleinschreibung";
}

void TestLinkHelp::guidePerLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, accented);

    const ProgramDir build(QStringLiteral(QUORVINK_RUNTIME_DIR));
    CaptionTable captions;
    LanguageSettings settings;
    QVERIFY(LanguageFile::read(build.path(ProgramFiles::languageFile(language)), captions, settings)
                .ok);
    const QString document = build.path(QStringLiteral("\\Data\\OrvelGOTab") + settings.Lang_Code +
                                        QStringLiteral(".pdf"));
    QVERIFY2(QFileInfo::exists(document), qPrintable(document));

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                                  document, QStringLiteral("-")});
    QVERIFY2(pdftotext.waitForFinished(30000), "pdftotext (poppler-utils) did not run");
    QCOMPARE(pdftotext.exitCode(), 0);
    // One line per line of the page: join them so phrases broken across lines still match.
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    QVERIFY2(text.startsWith(title), qPrintable(text.left(80)));
    QVERIFY2(text.contains(accented), qPrintable(accented));
    QVERIFY(text.contains(QStringLiteral("Links/Links.Bok")));
    QVERIFY(text.contains(QStringLiteral("Links/Links.104")));
}

// The help page the help entries open is the one of the interface's language, and it names the
// buttons and menu entries as that language's captions show them.
void TestLinkHelp::helpPagePerLanguage_data()
{
    QTest::addColumn<QString>("language"); // the name the options file holds
    QTest::addColumn<QString>("file");     // the language file whose captions the page uses
    QTest::addColumn<QString>("page");
    QTest::addRow("English") << "English"
                             << "English"
                             << "OrvelHelp.html";
    QTest::addRow("Deutsch") << "Deutsch"
                             << "Deutsch"
                             << "OrvelHelp_Deutsch.html";
    // After a switch the options file holds the name in lower case.
    QTest::addRow("italiano") << "italiano"
                              << "Italiano"
                              << "OrvelHelp_Italiano.html";
    QTest::addRow("a language without its own page") << "Eigen"
                                                     << "English"
                                                     << "OrvelHelp.html";
    QTest::addRow("a name leading out of the folder") << "../Data/OrvelHelp_Deutsch"
                                                      << "English"
                                                      << "OrvelHelp.html";
}

void TestLinkHelp::helpPagePerLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, file);
    QFETCH(QString, page);
    const ProgramDir build(QStringLiteral(QUORVINK_RUNTIME_DIR));
    const QString path = HelpPages::forLanguage(build, language);
    QCOMPARE(QFileInfo(path).fileName(), page);

    CaptionTable captions;
    LanguageSettings settings;
    QVERIFY(
        LanguageFile::read(build.path(ProgramFiles::languageFile(file)), captions, settings).ok);
    QStringList texts;
    for (int n = 1; n <= CaptionTable::kCapacity; ++n)
        texts << captions.text(n);
    QFile help(path);
    QVERIFY(help.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(help.readAll());
    static const QRegularExpression entry(QStringLiteral("<span class=\"entry\">([^<]*)</span>"));
    int named = 0;
    for (const QRegularExpressionMatch& m : entry.globalMatch(html)) {
        const QString shown =
            QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified();
        QVERIFY2(texts.contains(shown), qPrintable(shown));
        ++named;
    }
    QVERIFY(named >= 15);
}

QUORVINK_CORE_TEST_MAIN(TestLinkHelp)
#include "test_linkhelp.moc"
