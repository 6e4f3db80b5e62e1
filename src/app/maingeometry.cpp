#include "app/maingeometry.h"

namespace MainGeometry {

QRect viewRect(int S, int H, bool barShown)
{
    if (barShown)
        return QRect(0, kPicBarHeight, S, H - kPicBarHeight - kPicStatHeight);
    // With the bars hidden the bottom strip is hidden too: the view fills the window.
    return QRect(0, 0, S, H);
}

int minimumWidth(int tabStripWidth)
{
    return kStripInset + kBar0Width + kBar2Width - kBarOverlap + tabStripWidth + kAddressMargin +
           kMinAddressWidth;
}

Output compute(const Input& in)
{
    Output out;
    const int picBarWidth = in.S - kStripInset;
    out.picBar = QRect(kPicBarLeft, 0, picBarWidth, kPicBarHeight);

    const int statusWidth = in.S -
                            (kProgressWidth + kMoveButtonWidth + kMoveButtonWidth + kTimeBarWidth) -
                            kBottomSpacing;
    out.picStat = QRect(0, in.H - kPicStatHeight, in.S - kStripInset, kPicStatHeight);

    const int bar1Width = picBarWidth - kBar0Width - kBar2Width + kBarOverlap;
    out.bar0 = QRect(0, 0, kBar0Width, kPicBarHeight);
    out.bar1 = QRect(kBar0Width, kBar1Top, bar1Width, kPicBarHeight);
    out.bar2 = QRect(picBarWidth - kBar2Width + kBarOverlap, 0, kBar2Width, kPicBarHeight);

    out.address = QRect(in.tabStripWidth + kAddressGap, kAddressTop,
                        bar1Width - in.tabStripWidth - kAddressMargin, in.addressHeight);

    out.view = viewRect(in.S, in.H, in.barShown);

    out.cmdMoveL = QRect(0, 0, kMoveButtonWidth, kPicStatHeight);
    out.statusBar = QRect(kMoveButtonWidth, 0, statusWidth, kPicStatHeight);
    out.timeBar = QRect(out.statusBar.x() + statusWidth, 0, kTimeBarWidth, kPicStatHeight);
    out.progressBar = QRect(out.timeBar.x() + kTimeBarWidth, 0, kProgressWidth, kPicStatHeight);
    out.cmdMove =
        QRect(in.S - kMoveButtonWidth - kBottomMargin, 0, kMoveButtonWidth, kPicStatHeight);
    return out;
}

} // namespace MainGeometry
