#include "browse/sitename.h"
#include "testguard.h"

#include "unittestmain.h"

class TestSiteName : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void siteName_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected");
        QTest::addRow("www and path") << "http://www.example.com/a/b.html"
                                      << "Example";
        QTest::addRow("subdomain kept whole") << "https://news.example.org/x"
                                              << "News.example.org";
        QTest::addRow("ftp cut at first slash") << "ftp://files.example.net"
                                                << "Ftp:";
        QTest::addRow("www in capitals") << "http://WWW.Example.com"
                                         << "Example";
        QTest::addRow("host without www") << "http://example.com"
                                          << "Example.com";
        QTest::addRow("empty") << ""
                               << "";
        QTest::addRow("only a scheme") << "http://"
                                       << "";
        QTest::addRow("only https scheme") << "https://"
                                           << "";
        QTest::addRow("scheme in capitals is not removed") << "HTTP://example.com/x"
                                                           << "Http:";
        QTest::addRow("ipv6 host") << "http://[::1]:8080/page"
                                   << "[::1]:8080";
        QTest::addRow("user and password") << "http://user:pw@www.site.org/"
                                           << "User:pw@site";
        QTest::addRow("port") << "http://127.0.0.1:8000/a.html"
                              << "127.0.0.1:8000";
        QTest::addRow("blanks make words") << "http://my host/x"
                                           << "My Host";
        QTest::addRow("www only") << "http://www./"
                                  << "";
    }
    void siteName()
    {
        QFETCH(QString, address);
        QFETCH(QString, expected);
        QCOMPARE(Site_Name(address), expected);
    }

    void veryLongAddress()
    {
        const QString host = QString(5000, QLatin1Char('a')) + QStringLiteral(".com");
        const QString name = Site_Name(QStringLiteral("http://") + host + QStringLiteral("/x"));
        QCOMPARE(name.size(), host.size());
        QVERIFY(name.startsWith(QLatin1String("Aaa")));
    }

    void properCaseWords()
    {
        QCOMPARE(properCase(QStringLiteral("english")), QStringLiteral("English"));
        QCOMPARE(properCase(QStringLiteral("nEW yORK")), QStringLiteral("New York"));
        QCOMPARE(properCase(QStringLiteral("  two  blanks")), QStringLiteral("  Two  Blanks"));
    }
};

QUORVINK_CORE_TEST_MAIN(TestSiteName)
#include "test_sitename.moc"
