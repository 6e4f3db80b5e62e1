#include "app/autohide.h"

#include "app/maingeometry.h"
#include "app/timings.h"
#include "app/windowlayout.h"
#include "config/optionsfile.h"
#include "core/twips.h"
#include "core/wait.h"

#include <QCursor>
#include <QWidget>

AutoHide::AutoHide(WindowLayout& layout, QWidget& window, Options& options, const Timings& timings,
                   QObject* parent)
    : QObject(parent), m_layout(layout), m_window(window), m_options(options), m_timings(timings)
{
    m_timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&m_timer1, &QTimer::timeout, this, &AutoHide::Timer1_Timer);
}

void AutoHide::start()
{
    if (m_options.Float_Bar != 1)
        return;
    m_timer1.setInterval(m_timings.autoHideFirstMs);
    m_timer1.start();
    m_layout.setBarShown(true);
}

void AutoHide::setEnabled(bool on)
{
    if (on) {
        m_timer1.setInterval(m_timings.autoHideSwitchMs);
        m_timer1.start();
        m_options.Float_Bar = 1;
        m_layout.setBarShown(true);
        m_layout.GO_BarOff();
    } else {
        m_timer1.stop();
        m_options.Float_Bar = 0;
    }
}

void AutoHide::pause()
{
    m_timer1.stop();
}

void AutoHide::resume()
{
    if (m_options.Float_Bar == 1)
        m_timer1.start();
}

void AutoHide::Timer1_Timer()
{
    if (Wait::active())
        return;
    const double y = Twips::fromPixels(QCursor::pos().y());
    const double top = Twips::fromPixels(m_window.frameGeometry().y());
    if (m_layout.Bar_Shown()) {
        if (top + MainGeometry::kPicBarHeight + MainGeometry::kHideZone > y)
            return;
        m_layout.GO_BarOff();
    } else if (top + MainGeometry::kShowZone > y) {
        m_layout.GO_BarOn();
    }
    if (m_timer1.interval() != m_timings.autoHidePollMs)
        m_timer1.setInterval(m_timings.autoHidePollMs);
}
