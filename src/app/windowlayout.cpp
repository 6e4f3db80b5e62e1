#include "app/windowlayout.h"

#include "app/bottomstrip.h"
#include "app/maingeometry.h"
#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "browse/tabset.h"
#include "browse/tabstrip.h"
#include "commandbar/commandbar.h"
#include "commandbar/commandbarcontrol.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "core/twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>
#include <QWebEngineView>

WindowLayout::WindowLayout(Parts parts, const CaptionTable& captions)
    : p(std::move(parts)), m_captions(captions)
{
}

void WindowLayout::Form_Resize()
{
    QWidget& w = *p.window;
    if (m_noResize)
        return;
    if (w.isMinimized()) {
        m_wasMin = true;
        w.setWindowTitle(m_captions[CaptionNo::ProgramName]);
        return;
    }
    // Restored: the window keeps exactly the place it had (its frame never changed).
    if (m_wasMin && !w.isMaximized() && !w.isFullScreen()) {
        m_wasMin = false;
        w.setWindowTitle(QString());
    }
    MainGeometry::Input in;
    in.S = qRound(Twips::fromPixels(w.width()));
    in.H = qRound(Twips::fromPixels(w.height()));
    in.tabStripWidth = qRound(Twips::fromPixels(p.tabs->Tab1()->width()));
    in.barShown = m_barShown;
    const MainGeometry::Output out = MainGeometry::compute(in);

    p.picBar->setGeometry(Twips::toPixels(out.picBar));
    const QRect* bars[] = {&out.bar0, &out.bar1, &out.bar2};
    for (int i = 0; i < 3; ++i) {
        // A control's top may lie above the strip (bar 1 sits 10 twips higher).
        p.bars[i]->setGeometry(Twips::toPixels(*bars[i]));
    }
    p.address->setGeometry(Twips::toPixels(out.address.translated(out.bar1.topLeft())));
    p.address->raise();
    BottomStrip* s = p.picStat;
    s->setGeometry(Twips::toPixels(out.picStat));
    s->place(Twips::toPixels(out.cmdMoveL), Twips::toPixels(out.statusBar),
             Twips::toPixels(out.timeBar), Twips::toPixels(out.progressBar),
             Twips::toPixels(out.cmdMove));
    Set_Web(p.tabs->selected());
}

void WindowLayout::Set_Web(int i)
{
    BrowserView* view = p.tabs->view(i);
    if (!view)
        return;
    const QWidget& w = *p.window;
    const QRect r = MainGeometry::viewRect(qRound(Twips::fromPixels(w.width())),
                                           qRound(Twips::fromPixels(w.height())), m_barShown);
    view->widget()->setGeometry(Twips::toPixels(r));
    if (!m_barShown)
        view->widget()->raise();
}

void WindowLayout::GO_BarOff()
{
    if (!m_barShown)
        return;
    p.picStat->hide();
    BrowserView* view = p.tabs->current();
    const QWidget& w = *p.window;
    // The view takes the whole window: the bottom strip is hidden with the bars.
    view->widget()->setGeometry(0, 0, w.width(), w.height());
    view->widget()->raise();
    m_barShown = false;
}

void WindowLayout::GO_BarOn()
{
    if (!m_barShown) {
        p.picStat->show();
        BrowserView* view = p.tabs->current();
        const QWidget& w = *p.window;
        const int top = Twips::toPixels(MainGeometry::kPicBarHeight);
        view->widget()->setGeometry(
            0, top, w.width(), w.height() - top - Twips::toPixels(MainGeometry::kPicStatHeight));
        m_barShown = true;
        p.window->activateWindow();
    }
    QCoreApplication::processEvents();
}

void WindowLayout::coverScreen()
{
    QWidget& w = *p.window;
    const QRect screen = w.screen()->geometry();
    const QSize frame = w.frameGeometry().size() - w.geometry().size();
    w.move(screen.topLeft());
    w.resize(screen.size() - frame);
}
