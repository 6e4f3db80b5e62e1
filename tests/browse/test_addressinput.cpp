#include "browse/addressinput.h"
#include "testguard.h"

#include "unittestmain.h"

// What the address box opens for what is typed, and what of it enters the history.
class TestAddressInput : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void complete_data()
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
    void complete()
    {
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        QFETCH(bool, history);
        const QString address = AddressInput::complete(typed, QStringLiteral("/home/tester"));
        QCOMPARE(address, opened);
        QCOMPARE(AddressInput::entersHistory(address), history);
    }
};

QUORVINK_CORE_TEST_MAIN(TestAddressInput)
#include "test_addressinput.moc"
