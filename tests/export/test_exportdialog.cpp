#include "export/exportdialog.h"
#include "testguard.h"

#include <QTest>

// The file name an export proposes, from the page title.
class TestExportDialog : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }
    void proposedName_data();
    void proposedName();
};

void TestExportDialog::proposedName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("fallback");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("proposed");

    QTest::addRow("cut at 22, then filtered")
        << QStringLiteral("Hello, World! 2010 – News & More") << QString() << ".doc"
        << "HelloWorld2010N.doc";
    QTest::addRow("22 letters kept") << "abcdefghijklmnopqrstuv" << QString() << ".xls"
                                     << "abcdefghijklmnopqrstuv.xls";
    QTest::addRow("the 23rd dropped") << "abcdefghijklmnopqrstuvw" << QString() << ".xls"
                                      << "abcdefghijklmnopqrstuv.xls";
    QTest::addRow("not ASCII: the fallback") << QStringLiteral("Ελληνικά νέα") << "ExcelDocument"
                                             << ".xls"
                                             << "ExcelDocument.xls";
    QTest::addRow("punctuation only: the fallback") << QStringLiteral("«—»") << "WordDocument"
                                                    << ".doc"
                                                    << "WordDocument.doc";
    QTest::addRow("full-width digits are no digits")
        << QStringLiteral("１２３abc") << QString() << ".doc"
        << "abc.doc";
    QTest::addRow("control characters")
        << QStringLiteral("\u0001News\u0007\u001b2010\u007f") << "ExcelDocument"
        << ".xls"
        << "News2010.xls";
    QTest::addRow("path characters") << "../../etc/passwd" << QString() << ".doc"
                                     << "etcpasswd.doc";
    QTest::addRow("no title, fallback") << QString() << "PPTDocument"
                                        << ".ppt"
                                        << "PPTDocument.ppt";
    QTest::addRow("no title, no fallback") << QString() << QString() << ".pdf"
                                           << ".pdf";
    QTest::addRow("a title wins over the fallback") << "News"
                                                    << "ExcelDocument"
                                                    << ".xls"
                                                    << "News.xls";
}

void TestExportDialog::proposedName()
{
    QFETCH(QString, title);
    QFETCH(QString, fallback);
    QFETCH(QString, extension);
    QFETCH(QString, proposed);
    QCOMPARE(defaultFileName(title, fallback, extension), proposed);
}

#include "test_exportdialog.moc"
#include "unittestmain.h"
QUORVINK_CORE_TEST_MAIN(TestExportDialog)
