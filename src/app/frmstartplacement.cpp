#include "app/frmstart.h"

#include "app/maingeometry.h"
#include "app/module.h"
#include "app/windowlayout.h"
#include "browse/tabset.h"
#include "core/twips.h"

#include <QKeyEvent>

// Where the main window lies on the screen, and how it answers a resize, a move and F12.

// The window covers the screen; every view keeps the place of the current one.
void frmStart::coverScreen()
{
    m_layout->coverScreen();
    for (int i = 0; i < m_tabs->count(); ++i)
        m_layout->Set_Web(i);
}

// Full screen, or a window as large as the screen (the size a first start gives it): then the
// window with its frame covers the screen, so that no part of it lies beyond the screen's edge.
bool frmStart::wantsWholeScreen() const
{
    const QSize screen = Twips::screenSize();
    return m.ini.Win_Mode == 2 ||
           (m.ini.Win_Width >= screen.width() && m.ini.Win_Height >= screen.height());
}

void frmStart::place()
{
    // The narrowest window in which the bars, the tab strip and the address box still fit.
    const int narrowest =
        Twips::toPixels(MainGeometry::minimumWidth(qMax<int>(0, m.lang.Tab_Width)));
    setMinimumWidth(qMin(narrowest, Twips::toPixels(Twips::screenSize().width()) * 3 / 4));
    const IniSettings& ini = m.ini;
    if (wantsWholeScreen()) {
        m_layout->coverScreen();
    } else {
        move(Twips::toPixels(ini.Win_Left), Twips::toPixels(ini.Win_Top));
        resize(Twips::toPixels(ini.Win_Width), Twips::toPixels(ini.Win_Height));
    }
}

void frmStart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_layout->Form_Resize();
}

void frmStart::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        m_layout->Form_Resize();
}

void frmStart::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_coverPending && frameGeometry() != geometry()) {
        m_coverPending = false;
        coverScreen();
    }
}

void frmStart::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F12) {
        m_layout->coverScreen();
        return;
    }
    QWidget::keyPressEvent(event);
}
