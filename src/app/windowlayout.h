#pragma once

#include <QList>

class AddressBox;
class BottomStrip;
class CaptionTable;
class CommandBarControl;
class QWidget;
class TabSet;

// Places the main window's parts whenever it changes size: the top strip with the three command
// bars, the tab strip and the address box; the current view; the bottom strip. Also hides and
// shows the bars (GO_BarOff, GO_BarOn), covers the screen (F12) and gives the minimized window
// its caption.
class WindowLayout {
public:
    struct Parts {
        QWidget* window;
        QWidget* picBar;
        QList<CommandBarControl*> bars; // controls 0, 1 and 2
        AddressBox* address;
        BottomStrip* picStat;
        TabSet* tabs;
    };
    WindowLayout(Parts parts, const CaptionTable& captions);

    // The resize handler.
    void Form_Resize();
    // Places browser view i.
    void Set_Web(int i);
    void GO_BarOff();
    void GO_BarOn();
    // The whole window, frame included, covers the screen; its state is not changed.
    void coverScreen();

    bool Bar_Shown() const { return m_barShown; }
    // Makes the next GO_BarOff or GO_BarOn act whatever the bars show now.
    void setBarShown(bool shown) { m_barShown = shown; }

    // While set, resizing the window moves nothing (the presentation export sets it).
    bool No_Resize() const { return m_noResize; }
    // True from minimizing to restoring.
    bool Was_Min() const { return m_wasMin; }
    void setNoResize(bool on) { m_noResize = on; }

private:
    Parts p;
    const CaptionTable& m_captions;
    bool m_barShown = true;
    bool m_noResize = false;
    bool m_wasMin = false;
};
