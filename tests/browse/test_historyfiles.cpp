#include "browse/bookmark.h"
#include "browse/history.h"
#include "testguard.h"

#include "tempprogramdir.h"
#include "unittestmain.h"

class TestHistoryFiles : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void savesNewestThirtyInOrder()
    {
        TempProgramDir dir(false);
        QStringList items;
        for (int i = 1; i <= 40; ++i)
            items << QStringLiteral("http://site%1.test/").arg(i);
        const QString path = dir.file(QStringLiteral("Data/orvelquorvink.Hys"));
        QVERIFY(History::save(path, items));
        const QStringList saved = History::read(path);
        QCOMPARE(saved, items.mid(10));
        QVERIFY(dir.read(QStringLiteral("Data/orvelquorvink.Hys"))
                    .startsWith("http://site11.test/\r\nhttp://site12.test/\r\n"));
    }

    void duplicatesAndEmptyItems()
    {
        TempProgramDir dir(false);
        dir.write(QStringLiteral("Data/orvelquorvink.Hys"),
                  "http://a.test/\r\nhttp://a.test/\r\n\r\nhttp://b.test/\r\n");
        const QString path = dir.programDir().path(u"\\Data\\orvelquorvink.hys");
        const QStringList read = History::read(path);
        QCOMPARE(read, QStringList({"http://a.test/", "http://a.test/", "", "http://b.test/"}));
        QVERIFY(History::save(path, read));
        QCOMPARE(dir.read(QStringLiteral("Data/orvelquorvink.Hys")),
                 QByteArray("http://a.test/\r\nhttp://a.test/\r\nhttp://b.test/\r\n"));
    }

    void entriesBeginningWithByteOrderMarkSurvive()
    {
        TempProgramDir dir(false);
        const QString marked = QStringLiteral("\uFEFFhttp://marked.test/");
        const QString history = dir.file(QStringLiteral("Data/orvelquorvink.Hys"));
        QVERIFY(History::save(history, {marked, QStringLiteral("http://b.test/")}));
        QCOMPARE(History::read(history), QStringList({marked, QStringLiteral("http://b.test/")}));
        const QString bookmark = dir.file(QStringLiteral("Data/OrvelBook.bm"));
        QVERIFY(Bookmark::save(bookmark, marked));
        QCOMPARE(Bookmark::read(bookmark), std::optional<QString>(marked));
    }

    void isNewComparesTrimmedExactCase()
    {
        const QStringList items{QStringLiteral(" http://a.test/ ")};
        QVERIFY(!History::isNew(items, QStringLiteral("http://a.test/")));
        QVERIFY(!History::isNew(items, QStringLiteral("http://a.test/  ")));
        QVERIFY(History::isNew(items, QStringLiteral("http://A.test/")));
    }

    void missingHistoryIsEmpty()
    {
        TempProgramDir dir(false);
        QVERIFY(History::read(dir.file(QStringLiteral("Data/none.Hys"))).isEmpty());
    }

    void bookmarkRoundTrip()
    {
        TempProgramDir dir(false);
        const QString path = dir.file(QStringLiteral("Data/OrvelBook.bm"));
        QVERIFY(!Bookmark::read(path).has_value());
        QVERIFY(Bookmark::save(path, QString()));
        QCOMPARE(dir.read(QStringLiteral("Data/OrvelBook.bm")), QByteArray("\r\n"));
        QCOMPARE(Bookmark::read(path), std::optional<QString>(QString()));
        dir.write(QStringLiteral("Data/OrvelBook.bm"),
                  "http://first.test/\r\nhttp://second.test/\r\n");
        QCOMPARE(Bookmark::read(path),
                 std::optional<QString>(QStringLiteral("http://first.test/")));
        dir.write(QStringLiteral("Data/OrvelBook.bm"), "");
        QVERIFY(!Bookmark::read(path).has_value());
    }

    void unwritableFileIsReported()
    {
        TempProgramDir dir(false);
        // A directory where the file should be cannot be replaced by a file.
        QVERIFY(QDir(dir.root()).mkpath(QStringLiteral("Data/OrvelBook.bm")));
        const TextFile::Result r = Bookmark::save(dir.file(QStringLiteral("Data/OrvelBook.bm")),
                                                  QStringLiteral("http://x.test/"));
        QVERIFY(!r.ok);
        QVERIFY2(r.describe().contains(QLatin1String("OrvelBook.bm")), qPrintable(r.describe()));
    }
};

QUORVINK_CORE_TEST_MAIN(TestHistoryFiles)
#include "test_historyfiles.moc"
