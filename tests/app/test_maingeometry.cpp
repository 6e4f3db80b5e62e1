// Where the resize handler puts every control of the main window, computed without a window.
#include "app/maingeometry.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QHash>
#include <QRect>
#include <QTest>

using Places = QHash<QString, QRect>;

class TestMainGeometry : public QObject {
    Q_OBJECT
private slots:
    void layoutArithmetic_data()
    {
        QTest::addColumn<int>("S");
        QTest::addColumn<int>("H");
        QTest::addColumn<QHash<QString, QRect>>("expected");
        QTest::addColumn<QRect>("address"); // left, top, width (height is the box's own)

        QTest::addRow("15360 x 10500 twips")
            << 15360 << 10500
            << Places{{"picBar", {20, 0, 15340, 385}},        {"bar0", {0, 0, 5400, 385}},
                      {"bar1", {5400, -10, 7290, 385}},       {"bar2", {12690, 0, 2800, 385}},
                      {"picStat", {0, 10170, 15340, 330}},    {"cmdMoveL", {0, 0, 330, 330}},
                      {"statusBar", {330, 0, 11540, 330}},    {"timeBar", {11870, 0, 1300, 330}},
                      {"progressBar", {13170, 0, 1800, 330}}, {"cmdMove", {14980, 0, 330, 330}},
                      {"view", {0, 385, 15360, 9785}},        {"hidden", {0, 0, 15360, 10500}}}
            << QRect(2660, 30, 4580, 0);
        QTest::addRow("12000 x 9000 twips")
            << 12000 << 9000
            << Places{{"picBar", {20, 0, 11980, 385}},       {"bar0", {0, 0, 5400, 385}},
                      {"bar1", {5400, -10, 3930, 385}},      {"bar2", {9330, 0, 2800, 385}},
                      {"picStat", {0, 8670, 11980, 330}},    {"cmdMoveL", {0, 0, 330, 330}},
                      {"statusBar", {330, 0, 8180, 330}},    {"timeBar", {8510, 0, 1300, 330}},
                      {"progressBar", {9810, 0, 1800, 330}}, {"cmdMove", {11620, 0, 330, 330}},
                      {"view", {0, 385, 12000, 8285}},       {"hidden", {0, 0, 12000, 9000}}}
            << QRect(2660, 30, 1220, 0);
    }
    void layoutArithmetic()
    {
        QFETCH(int, S);
        QFETCH(int, H);
        QFETCH(Places, expected);
        QFETCH(QRect, address);
        MainGeometry::Input in;
        in.S = S;
        in.H = H;
        in.tabStripWidth = 2600;
        const MainGeometry::Output out = MainGeometry::compute(in);
        QCOMPARE(out.picBar, expected["picBar"]);
        QCOMPARE(out.bar0, expected["bar0"]);
        QCOMPARE(out.bar1, expected["bar1"]);
        QCOMPARE(out.bar2, expected["bar2"]);
        QCOMPARE(out.picStat, expected["picStat"]);
        QCOMPARE(out.cmdMoveL, expected["cmdMoveL"]);
        QCOMPARE(out.statusBar, expected["statusBar"]);
        QCOMPARE(out.timeBar, expected["timeBar"]);
        QCOMPARE(out.progressBar, expected["progressBar"]);
        QCOMPARE(out.cmdMove, expected["cmdMove"]);
        QCOMPARE(out.view, expected["view"]);
        QCOMPARE(QRect(out.address.x(), out.address.y(), out.address.width(), 0), address);
        QCOMPARE(MainGeometry::viewRect(S, H, true), expected["view"]);
        QCOMPARE(MainGeometry::viewRect(S, H, false), expected["hidden"]);
    }
};

QUORVINK_CORE_TEST_MAIN(TestMainGeometry)
#include "test_maingeometry.moc"
