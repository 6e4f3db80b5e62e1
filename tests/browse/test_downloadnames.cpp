// The names and places of a download: what a server or page suggests made a safe file name, the
// folder the dialog opens in, the ".part" file beside the chosen one, and every interrupt reason
// of the engine said in a caption.
#include "browse/downloadnames.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "testguard.h"

#include "unittestmain.h"

#include <QDir>
#include <QFile>
#include <QMetaEnum>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>

class TestDownloadNames : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { TestGuard::failOnWarnings(); }

    void safeName_data()
    {
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("expected");
        QTest::addRow("plain") << "report.zip"
                               << "report.zip";
        QTest::addRow("folder parts") << "../../.config/autostart/x.desktop"
                                      << "x.desktop";
        QTest::addRow("windows folder parts") << "..\\..\\Start Menu\\run.bat"
                                              << "run.bat";
        QTest::addRow("hidden file") << ".bashrc"
                                     << "bashrc";
        QTest::addRow("dots and blanks first") << " . .. profile"
                                               << "profile";
        QTest::addRow("only dots") << ".."
                                   << "download";
        QTest::addRow("empty") << ""
                               << "download";
        QTest::addRow("ends in a slash") << "folder/"
                                         << "download";
        QTest::addRow("control characters") << QStringLiteral("a\nb\tc\x01\x7f.txt") << "abc.txt";
        QTest::addRow("right-to-left override")
            << QStringLiteral("invoice\u202Efdp.exe") << QStringLiteral("invoicefdp.exe");
        QTest::addRow("zero widths and line separator")
            << QStringLiteral("a\u200Bb\u2060c\u2028d\uFEFF.pdf") << QStringLiteral("abcd.pdf");
        QTest::addRow("lone surrogate")
            << QString(QChar(0xD800)) + QStringLiteral("x.txt") << "x.txt";
        QTest::addRow("umlauts kept") << QStringLiteral("Gr\u00fc\u00dfe \U0001F600.txt")
                                      << QStringLiteral("Gr\u00fc\u00dfe \U0001F600.txt");
    }
    void safeName()
    {
        QFETCH(QString, suggested);
        QFETCH(QString, expected);
        QCOMPARE(DownloadNames::safeName(suggested), expected);
    }

    // A name cut to 255 bytes keeps whole characters and its extension.
    void longNamesAreCut_data()
    {
        QTest::addColumn<QString>("unit"); // repeated to a long name
        QTest::addColumn<QString>("extension");
        QTest::addRow("ascii") << "a"
                               << ".zip";
        QTest::addRow("two bytes") << QStringLiteral("\u00e4") << ".tar";
        QTest::addRow("four bytes") << QStringLiteral("\U0001F600") << ".txt";
        QTest::addRow("no extension") << QStringLiteral("\u20ac") << "";
    }
    void longNamesAreCut()
    {
        QFETCH(QString, unit);
        QFETCH(QString, extension);
        const QString name = DownloadNames::safeName(unit.repeated(300) + extension);
        QVERIFY(name.toUtf8().size() <= DownloadNames::kMaxNameBytes);
        QVERIFY(name.toUtf8().size() > DownloadNames::kMaxNameBytes - 4);
        QVERIFY(name.endsWith(extension));
        QCOMPARE(QString::fromUtf8(name.toUtf8()), name); // no character split
    }

    // Beside the chosen file, a name not yet taken, short enough for the file system.
    void partPath()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString chosen = dir.filePath(QStringLiteral("file.zip"));
        QCOMPARE(DownloadNames::partPath(chosen), chosen + QStringLiteral(".part"));
        QFile taken(chosen + QStringLiteral(".part"));
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.close();
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("nowhere")),
                            chosen + QStringLiteral(".1.part")));
        QCOMPARE(DownloadNames::partPath(chosen), chosen + QStringLiteral(".2.part"));
        const QString longName = dir.filePath(QString(255, QLatin1Char('n')));
        const QString part = DownloadNames::partPath(longName);
        QVERIFY(part.endsWith(QStringLiteral(".part")));
        QCOMPARE(QFileInfo(part).fileName().toUtf8().size(), DownloadNames::kMaxNameBytes);
    }

    // The folder last used while it exists, else the download folder.
    void folder()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(DownloadNames::folder(dir.path()), dir.path());
        const QString downloads =
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
        QVERIFY(QDir().mkpath(downloads));
        QCOMPARE(DownloadNames::folder(dir.filePath(QStringLiteral("gone"))), downloads);
        QCOMPARE(DownloadNames::folder(QString()), downloads);
    }

    // Every reason the engine names has a caption of the downloads in every shipped language;
    // only an unknown one says that no reason was given.
    void everyReasonHasACaption()
    {
        const QMetaEnum reasons =
            QMetaEnum::fromType<QWebEngineDownloadRequest::DownloadInterruptReason>();
        QList<CaptionTable> languages;
        for (const char* name : {"English", "Deutsch", "Italiano"}) {
            CaptionTable captions;
            LanguageSettings unused;
            QVERIFY(LanguageFile::read(
                        QStringLiteral(QUORVINK_SOURCE_DIR "/data/Languages/Quorvink_%1.txt")
                            .arg(QLatin1String(name)),
                        captions, unused)
                        .ok);
            languages << captions;
        }
        for (int i = 0; i < reasons.keyCount(); ++i) {
            const int reason = reasons.value(i);
            if (reason == QWebEngineDownloadRequest::NoReason)
                continue;
            const int caption = DownloadNames::reasonCaption(reason);
            QVERIFY2(caption >= CaptionNo::ReasonFileFailed && caption < CaptionNo::ReasonUnknown,
                     reasons.key(i));
            for (const CaptionTable& captions : languages)
                QVERIFY2(!captions.text(caption).isEmpty() &&
                             captions.text(caption) != QStringLiteral("(reserved)"),
                         reasons.key(i));
        }
        QCOMPARE(DownloadNames::reasonCaption(38), CaptionNo::ReasonEndedEarly);
        QCOMPARE(DownloadNames::reasonCaption(999), CaptionNo::ReasonUnknown);
    }
};

QUORVINK_CORE_TEST_MAIN(TestDownloadNames)
#include "test_downloadnames.moc"
