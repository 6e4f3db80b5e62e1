#include "config/extsettings.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

class TestExtSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath(QStringLiteral("orvelquorvink.Ext")); }

private slots:
    void init()
    {
        QFile::remove(path());
        QDir(path()).removeRecursively();
    }

    // A file written by an earlier run (through QSettings itself) is read; a change is written at
    // once and read by the next run; keys the program does not know are kept.
    void roundTrip()
    {
        const QString folder = QStringLiteral("/home/ümlaut user/Dokumente;=x");
        {
            QSettings earlier(path(), QSettings::IniFormat);
            earlier.setValue(QStringLiteral("Harvest/OtherSiteFrames"), true);
            earlier.setValue(QStringLiteral("Someone/Else"), QStringLiteral("kept"));
        }
        ExtSettings settings(path());
        QCOMPARE(settings.value(ExtKeys::OtherSiteFrames), true);
        QCOMPARE(settings.value(ExtKeys::PageItself), false);
        QVERIFY(settings.set(ExtKeys::SaveFolder, folder).ok);
        QVERIFY(settings.set(ExtKeys::OtherSiteFrames, false).ok);
        QVERIFY(!settings.takeProblem());

        const ExtSettings next(path());
        QCOMPARE(next.value(ExtKeys::SaveFolder), folder);
        QCOMPARE(next.value(ExtKeys::OtherSiteFrames), false);
        QCOMPARE(QSettings(path(), QSettings::IniFormat).value(QStringLiteral("Someone/Else")),
                 QVariant(QStringLiteral("kept")));
    }

    // Something other than a regular file in the file's place (a pipe would block a reader for
    // ever), or a file too large to be the program's, is never opened nor replaced: the defaults
    // hold, values set hold for the run, and the problem is told once.
    void fileLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<TextFile::Result::Cause>("cause");
        QTest::addRow("pipe") << "pipe" << TextFile::Result::Cause::NotRegularFile;
        QTest::addRow("folder") << "folder" << TextFile::Result::Cause::NotRegularFile;
        QTest::addRow("too large") << "large" << TextFile::Result::Cause::TooLarge;
    }
    void fileLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(TextFile::Result::Cause, cause);
        QFile large(path());
        QVERIFY(kind == u"pipe" ? mkfifo(QFile::encodeName(path()).constData(), 0600) == 0
                : kind == u"folder"
                    ? QDir().mkdir(path())
                    : large.open(QIODevice::WriteOnly) && large.resize(ExtSettings::kMaxBytes + 1));
        large.close();
        const QFileInfo before(path());
        ExtSettings settings(path());
        QCOMPARE(settings.value(ExtKeys::TextAddresses), false);
        const TextFile::Result written = settings.set(ExtKeys::TextAddresses, true);
        QVERIFY(!written.ok);
        QCOMPARE(written.path, path());
        QCOMPARE(settings.value(ExtKeys::TextAddresses), true);
        const std::optional<TextFile::Result> problem = settings.takeProblem();
        QVERIFY(problem);
        QCOMPARE(problem->cause, cause);
        QVERIFY(!settings.takeProblem());
        QVERIFY(!settings.set(ExtKeys::TextAddresses, false).ok);
        QVERIFY(!settings.takeProblem());
        const QFileInfo after(path());
        QCOMPARE(after.isFile(), before.isFile());
        QCOMPARE(after.size(), before.size());
    }
};

QUORVINK_CORE_TEST_MAIN(TestExtSettings)
#include "test_extsettings.moc"
