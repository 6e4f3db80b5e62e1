#include "links/linktitles.h"
#include "testguard.h"

#include "unittestmain.h"

class TestLinkTitles : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void emptyTablesFollowTheLanguage()
    {
        LinkTitles titles;
        titles.setTitle(3, QStringLiteral("News"));
        titles.setCount(3, QStringLiteral(" 3"));
        titles.setTitle(7, QStringLiteral("Mine")); // a title the user gave an empty table: kept
        titles.setCount(7, QStringLiteral(" 0 "));
        titles.setCount(9, QStringLiteral("0abc")); // leading value 0
        titles.applyDefaultTitles(QStringLiteral("Group"));
        QCOMPARE(titles.title(1), QStringLiteral("Group 1"));
        QCOMPARE(titles.title(3), QStringLiteral("News"));
        QCOMPARE(titles.title(7), QStringLiteral("Mine"));
        QCOMPARE(titles.title(9), QStringLiteral("Group 9"));
        QCOMPARE(titles.title(150), QStringLiteral("Group 150"));
        QVERIFY(titles.title(0).isEmpty());
        QVERIFY(titles.title(151).isEmpty());

        titles.applyDefaultTitles(QStringLiteral("Gruppo"), {QStringLiteral("Group")});
        QCOMPARE(titles.title(9), QStringLiteral("Gruppo 9"));
        QCOMPARE(titles.title(7), QStringLiteral("Mine"));
        QCOMPARE(titles.title(3), QStringLiteral("News"));
        QVERIFY(titles.title(-1).isEmpty());
        QVERIFY(titles.title(500).isEmpty());
    }
};

QUORVINK_CORE_TEST_MAIN(TestLinkTitles)
#include "test_linktitles.moc"
