#include "app/frmstart.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/mainbars.h"
#include "app/module.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/tabset.h"

#include <QCloseEvent>

frmStart::frmStart(Module& module, CommandPool& pool, QWidget* parent) : QWidget(parent), m(module)
{
    setObjectName(QStringLiteral("frmStart"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 200);

    m_picBar = new QWidget(this);
    m_picBar->setObjectName(QStringLiteral("picBar"));
    m_bars = new MainBars(pool, m_picBar, this);
    m_picStat = new BottomStrip(this, this);
    // The address box lies over control 1, right of the tab strip it hosts.
    m_address = new AddressBox(m_picBar);
}

frmStart::~frmStart() = default;

void frmStart::holdTabs(TabSet& tabs)
{
    m_tabs = &tabs;
    m_layout = std::make_unique<WindowLayout>(WindowLayout::Parts{this, m_picBar,
                                                                  m_bars->controls().mid(0, 3),
                                                                  m_address, m_picStat, m_tabs},
                                              m.Lang_Text);
    m_tabs->relayout = [this] { m_layout->Form_Resize(); };
    m_autoHide = new AutoHide(*m_layout, *this, m.options, m.timings, this);
    connect(m_address, &AddressBox::focusReceived, m_autoHide, &AutoHide::pause);
    connect(m_bars, &MainBars::menuPaused, m_autoHide, &AutoHide::pause);
    connect(m_bars, &MainBars::menuResumed, m_autoHide, &AutoHide::resume);
}

CommandBarControl* frmStart::cmdBar(int i) const
{
    return m_bars->control(i);
}

void frmStart::showPlaced()
{
    show();
    // The frame is known only once the window manager has framed the shown window: the window
    // covers the screen now, and again when its frame arrives (moveEvent).
    if (wantsWholeScreen()) {
        coverScreen();
        m_coverPending = frameGeometry() == geometry();
    }
    m_layout->Form_Resize();
}

// The bars leave the picture whatever auto-hide shows now, and the page takes their place.
void frmStart::hideBars()
{
    m_layout->setBarShown(true);
    m_picStat->hide();
    m_layout->GO_BarOff();
}

void frmStart::showBars()
{
    m_picStat->show();
    m_layout->setBarShown(false);
    m_layout->GO_BarOn();
    update();
}

void frmStart::closeEvent(QCloseEvent* event)
{
    m_keepOpen = false;
    emit closing();
    if (m_keepOpen) {
        event->ignore();
        return;
    }
    event->accept();
}
