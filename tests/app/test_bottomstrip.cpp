#include "app/bottomstrip.h"
#include "testguard.h"

#include "unittestmain.h"

#include "config/languagefile.h"

#include <QAccessible>
#include <QLabel>
#include <QProgressBar>

class TestBottomStrip : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    // Values are there at once; the strip is painted again within the repaint interval and
    // is never left frozen.
    void valuesAtOnceRepaintsThrottled()
    {
        QWidget window;
        BottomStrip strip(&window, &window);
        window.show();
        for (int i = 1; i <= 50; ++i) {
            strip.setProgress(i);
            strip.setStatus(QStringLiteral("step %1").arg(i));
        }
        QCOMPARE(strip.progressBar()->value(), 50);
        QCOMPARE(strip.statusBar()->text(), QStringLiteral("step 50"));
        QVERIFY(!strip.statusBar()->updatesEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(strip.statusBar()->updatesEnabled() &&
                                     strip.progressBar()->updatesEnabled(),
                                 BottomStrip::kRepaintMs * 4);
        // An unchanged value does not hold the repaint again.
        strip.setStatus(QStringLiteral("step 50"));
        QVERIFY(strip.statusBar()->updatesEnabled());
    }

    // Screen readers read the status text itself as the label's name (a label without a name of
    // its own also tells them of each change); what the label is goes in its description.
    void statusTextReachesScreenReaders()
    {
        QWidget window;
        BottomStrip strip(&window, &window);
        strip.setTexts(CaptionTable());
        window.show();
        strip.setStatus(QStringLiteral("Harvest: 4 addresses written"));
        QAccessibleInterface* label =
            QAccessible::queryAccessibleInterface(const_cast<QLabel*>(strip.statusBar()));
        QVERIFY(label);
        QCOMPARE(label->text(QAccessible::Name), QStringLiteral("Harvest: 4 addresses written"));
        QCOMPARE(label->text(QAccessible::Description), CaptionTable::english(226));
    }
};

QUORVINK_WIDGETS_TEST_MAIN(TestBottomStrip)
#include "test_bottomstrip.moc"
