#include "app/bottomstrip.h"
#include "testguard.h"

#include "unittestmain.h"

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
};

QUORVINK_WIDGETS_TEST_MAIN(TestBottomStrip)
#include "test_bottomstrip.moc"
