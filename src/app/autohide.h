#pragma once

#include <QObject>
#include <QTimer>

class WindowLayout;
struct Options;
struct Timings;

// The optional auto-hide of the bars: while Float_Bar is 1, Timer1 polls the pointer; below the
// top strip the bars hide and the view takes their place, high enough on the screen they come
// back. The poll pauses while the address box has the focus and while a menu is open.
class AutoHide : public QObject {
    Q_OBJECT
public:
    AutoHide(WindowLayout& layout, QWidget& window, Options& options, const Timings& timings,
             QObject* parent = nullptr);

    // At start: the first poll after the longer first wait, when auto-hide is on.
    void start();
    // "FILE:FLOATING": on hides the bars at once and polls soon; off stops the poll.
    void setEnabled(bool on);
    // The poll stops (a menu is open, the address box has the focus, the window exits) ...
    void pause();
    // ... and runs again when auto-hide is on (a menu closed, an address was opened).
    void resume();

    QTimer& Timer1() { return m_timer1; }

private:
    void Timer1_Timer();

    WindowLayout& m_layout;
    QWidget& m_window;
    Options& m_options;
    const Timings& m_timings;
    QTimer m_timer1;
};
