#pragma once

#include <QRect>

// Where the main window's resize handler puts its controls, in twips. Pure arithmetic over the
// window's inner size and the fixed sizes of the controls, so it is checked without a window.
namespace MainGeometry {

// Fixed measures in twips.
constexpr int kStripInset = 20;
constexpr int kBarOverlap = 150;
constexpr int kAddressGap = 60;
constexpr int kAddressMargin = 110;
constexpr int kBottomSpacing = 60;
constexpr int kBottomMargin = 50;
constexpr int kHideZone = 400;
constexpr int kShowZone = 420;
constexpr int kPicBarHeight = 385;
constexpr int kPicBarLeft = 20;
constexpr int kAddressTop = 30;
constexpr int kBar0Width = 5400;
constexpr int kBar2Width = 2800;
constexpr int kBar1Top = -10;
constexpr int kProgressWidth = 1800;
constexpr int kPicStatHeight = 330;
constexpr int kTimeBarWidth = 1300;
constexpr int kMoveButtonWidth = 330;
// The narrowest address box the window keeps room for.
constexpr int kMinAddressWidth = 1500;

struct Input {
    int S = 0; // inner width
    int H = 0; // inner height
    int tabStripWidth = 0;
    int addressHeight = 330;
    bool barShown = true;
};

struct Output {
    QRect picBar;                                             // in the window
    QRect bar0, bar1, bar2;                                   // in picBar
    QRect address;                                            // in bar 1
    QRect picStat;                                            // in the window
    QRect cmdMoveL, statusBar, timeBar, progressBar, cmdMove; // in picStat
    QRect view;                                               // the current view, in the window
};

Output compute(const Input& in);

// Set_Web: the place of a browser view.
QRect viewRect(int S, int H, bool barShown);

// The narrowest inner width at which the three bars, the tab strip and an address box of
// kMinAddressWidth still fit side by side.
int minimumWidth(int tabStripWidth);

} // namespace MainGeometry
