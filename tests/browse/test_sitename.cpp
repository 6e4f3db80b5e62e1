#include "browse/addressinput.h"
#include "browse/sitename.h"
#include "browse/sitetext.h"
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

    // What the address box opens for what is typed, and what of it enters the history.
    void addressCompletion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<bool>("history");
        QTest::addRow("bare host") << "example.com"
                                   << "http://example.com" << true;
        QTest::addRow("scheme in capitals") << "HTTPS://Example.com"
                                            << "HTTPS://Example.com" << true;
        QTest::addRow("ftp kept, not in history") << "ftp://files.example.net"
                                                  << "ftp://files.example.net" << false;
        QTest::addRow("one letter is too short") << "a"
                                                 << "http://a" << false;
        QTest::addRow("file address") << "file:///usr/share/doc/manual/index.html"
                                      << "file:///usr/share/doc/manual/index.html" << false;
        QTest::addRow("own start page") << "quorvink:start"
                                        << "quorvink:start" << false;
        QTest::addRow("blank page") << "about:blank"
                                    << "about:blank" << false;
        QTest::addRow("other about pages are hosts") << "about:config"
                                                     << "http://about:config" << true;
        QTest::addRow("absolute path") << "/usr/share/doc/a b.html"
                                       << "file:///usr/share/doc/a b.html" << false;
        QTest::addRow("hash in a file name stays the name") << "/tmp/a#b.html"
                                                            << "file:///tmp/a%23b.html" << false;
        QTest::addRow("path with dots is cleaned") << "/tmp/x/../y.html"
                                                   << "file:///tmp/y.html" << false;
        QTest::addRow("home folder") << "~/manual/index.html"
                                     << "file:///home/tester/manual/index.html" << false;
        QTest::addRow("another user's home is a host") << "~root/x"
                                                       << "http://~root/x" << true;
        QTest::addRow("script scheme is a host") << "javascript:alert(1)"
                                                 << "http://javascript:alert(1)" << true;
    }
    void addressCompletion()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        QFETCH(bool, history);
        const QString address = AddressInput::complete(typed, QStringLiteral("/home/tester"));
        QCOMPARE(address, opened);
        QCOMPARE(AddressInput::entersHistory(address), history);
    }

    void properCaseWords()
    {
        QCOMPARE(properCase(QStringLiteral("english")), QStringLiteral("English"));
        QCOMPARE(properCase(QStringLiteral("nEW yORK")), QStringLiteral("New York"));
        QCOMPARE(properCase(QStringLiteral("  two  blanks")), QStringLiteral("  Two  Blanks"));
    }

    // What a server says (a realm, a host) is shown on one line, without the control and format
    // characters that could hide or turn words around, cut within its bound and never inside a
    // character.
    void siteText_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("bound");
        QTest::addColumn<QString>("shown");
        const QString face = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::addRow("markup kept as text") << "<b>Bold</b>" << 120 << "<b>Bold</b>";
        QTest::addRow("line breaks and tabs") << " a\r\n\tb \n" << 120 << "a b";
        QTest::addRow("right-to-left override")
            << QString::fromUtf8("invoice\u202Efdp.exe") << 120 << "invoicefdp.exe";
        QTest::addRow("cut") << QString(300, QLatin1Char('x')) << 120
                             << QString(119, QLatin1Char('x')) + QChar(0x2026);
        QTest::addRow("cut between surrogates")
            << face.repeated(30) << 10 << face.repeated(9) + QChar(0x2026);
        QTest::addRow("lone surrogate") << QString(QChar(0xD800)) + QLatin1String("ok") << 120
                                        << QString(QChar(0xFFFD)) + QLatin1String("ok");
    }

    void siteText()
    {
        QFETCH(QString, given);
        QFETCH(int, bound);
        QFETCH(QString, shown);
        QCOMPARE(SiteText::shown(given, bound), shown);
    }
};

QUORVINK_CORE_TEST_MAIN(TestSiteName)
#include "test_sitename.moc"
