// The names and places of a download: what a server suggests made a safe file name, the ".part"
// file beside the chosen one, and the engine's interrupt reasons said in captions.
#include "browse/downloadnames.h"
#include "config/captionnumbers.h"
#include "testguard.h"

#include "unittestmain.h"

#include <QFile>
#include <QMetaEnum>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>

class TestDownloadNames : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void safeName_data()
    {
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("expected");
        QTest::addRow("folder parts") << "../../.config/autostart/x.desktop"
                                      << "x.desktop";
        QTest::addRow("windows folder parts") << "..\\..\\Start Menu\\run.bat"
                                              << "run.bat";
        QTest::addRow("hidden file, blanks") << " . .bashrc"
                                             << "bashrc";
        QTest::addRow("nothing left") << "dir/.."
                                      << "download";
        QTest::addRow("control characters") << QStringLiteral("a\nb\t\x01\x7f.txt") << "ab.txt";
        QTest::addRow("format characters")
            << QStringLiteral("in\u202Efdp\u200B\u2028\uFEFF.exe") << QStringLiteral("infdp.exe");
        QTest::addRow("lone surrogate") << QString(QChar(0xD800)) + QStringLiteral("x") << "x";
        QTest::addRow("kept") << QStringLiteral("Gr\u00fc\u00dfe \U0001F600.txt")
                              << QStringLiteral("Gr\u00fc\u00dfe \U0001F600.txt");
        // Cut to 255 bytes of whole characters, the extension kept.
        QTest::addRow("long") << QStringLiteral("\U0001F600").repeated(70) + QStringLiteral(".zip")
                              << QStringLiteral("\U0001F600").repeated(62) + QStringLiteral(".zip");
    }
    void safeName()
    {
        QFETCH(QString, suggested);
        QFETCH(QString, expected);
        QCOMPARE(DownloadNames::safeName(suggested), expected);
    }

    // Beside the chosen file, a name not yet taken (a link counts), short enough for the disk.
    void partPath()
    {
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("file.zip"));
        QCOMPARE(DownloadNames::partPath(chosen), chosen + QStringLiteral(".part"));
        QFile taken(chosen + QStringLiteral(".part"));
        QVERIFY(taken.open(QIODevice::WriteOnly));
        QVERIFY(
            QFile::link(dir.filePath(QStringLiteral("gone")), chosen + QStringLiteral(".1.part")));
        QCOMPARE(DownloadNames::partPath(chosen), chosen + QStringLiteral(".2.part"));
        const QString part = DownloadNames::partPath(dir.filePath(QString(255, u'n')));
        QCOMPARE(QFileInfo(part).fileName(), QString(250, u'n') + QStringLiteral(".part"));
    }

    // Every reason the engine names has a caption of its own kind; only an unknown one says
    // that no reason was given.
    void everyReasonHasACaption()
    {
        const QMetaEnum reasons =
            QMetaEnum::fromType<QWebEngineDownloadRequest::DownloadInterruptReason>();
        for (int i = 1; i < reasons.keyCount(); ++i) {
            const int caption = DownloadNames::reasonCaption(reasons.value(i));
            QVERIFY2(caption >= CaptionNo::ReasonFileFailed && caption < CaptionNo::ReasonUnknown,
                     reasons.key(i));
        }
        QCOMPARE(DownloadNames::reasonCaption(38), CaptionNo::ReasonEndedEarly);
        QCOMPARE(DownloadNames::reasonCaption(999), CaptionNo::ReasonUnknown);
    }
};

QUORVINK_CORE_TEST_MAIN(TestDownloadNames)
#include "test_downloadnames.moc"
