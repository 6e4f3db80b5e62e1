// The addresses a document writes in its text: what counts as one, and which a link gave already.

#include "mail/textaddresses.h"
#include "testguard.h"
#include "unittestmain.h"

class TextAddressesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void written_data();
    void written();
};

void TextAddressesTest::written_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<QStringList>("expected");

    QTest::addRow("plain, lower-cased, in text order, each once")
        << QStringLiteral("Write to Info@Example.ORG or b.c_d+e%f-g@sub.example-x.co.uk, "
                          "info@example.org a@x.org,b@y.org")
        << QStringList{}
        << QStringList{"info@example.org", "b.c_d+e%f-g@sub.example-x.co.uk", "a@x.org", "b@y.org"};
    QTest::addRow("punctuation around it left off")
        << QStringLiteral("(a@example.org), <b@example.org>; \"c@example.org\". "
                          "E-Mail:d@example.org ...e@example.org- f@example.org.")
        << QStringList{} << QStringList{"a@example.org", "b@example.org", "c@example.org",
                                        "d@example.org", "e@example.org", "f@example.org"};
    QTest::addRow("not an address")
        << QStringLiteral("user@localhost @example.org a@ a@.org a@b..org a..b@example.org "
                          "a.@example.org a@-x.org a@x-.org a@1.2.3.4 info at example dot org "
                          "info(at)example.org @ @@")
        << QStringList{} << QStringList{};
    QTest::addRow("letters of other scripts")
        << QStringLiteral("J\u00f6rg@M\u00fcller.de \u0438\u043d\u0444\u043e@\u043f\u0440"
                          "\u0438\u043c\u0435\u0440.\u0440\u0444")
        << QStringList{}
        << QStringList{QStringLiteral("j\u00f6rg@m\u00fcller.de"),
                       QStringLiteral("\u0438\u043d\u0444\u043e@\u043f\u0440\u0438\u043c"
                                      "\u0435\u0440.\u0440\u0444")};
    QTest::addRow("given by links: query left off, recipients split, decoded, any case")
        << QStringLiteral("info@x.org sales@x.org J\u00f6rg@X.org boss@x.org new@x.org "
                          "other@x.org?subject=hi")
        << QStringList{"info@x.org?subject=price", "sales@x.org,boss@x.org", "j%c3%b6rg@x.org", "",
                       "not an address"}
        << QStringList{"new@x.org", "other@x.org"};
}

void TextAddressesTest::written()
{
    QFETCH(QString, text);
    QFETCH(QStringList, links);
    QFETCH(QStringList, expected);

    QCOMPARE(TextAddresses::written(text.split(QLatin1Char(' ')), links), expected);
}

QUORVINK_CORE_TEST_MAIN(TextAddressesTest)
#include "test_textaddresses.moc"
