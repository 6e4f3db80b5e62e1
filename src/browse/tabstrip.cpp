#include "browse/tabstrip.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent)
{
    setObjectName(QStringLiteral("Tab1"));
    setMouseTracking(true);
    setExpanding(true);
    setDocumentMode(true);
    setElideMode(Qt::ElideRight);
    setUsesScrollButtons(false);
}

int TabStrip::buttonMask(Qt::MouseButtons buttons)
{
    int mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= 1;
    if (buttons & Qt::RightButton)
        mask |= 2;
    if (buttons & Qt::MiddleButton)
        mask |= 4;
    return mask;
}

void TabStrip::mousePressEvent(QMouseEvent* event)
{
    m_buttons = buttonMask(event->buttons() | event->button());
    m_pressedTab = tabAt(event->position().toPoint());
    emit tabMouseDown(m_buttons);
    event->accept();
}

void TabStrip::mouseReleaseEvent(QMouseEvent* event)
{
    const int tab = tabAt(event->position().toPoint());
    const bool sameTab = tab >= 0 && tab == m_pressedTab;
    m_pressedTab = -1;
    event->accept();
    // The click is reported once, when the last button is released. Only the left button alone
    // chooses the tab: the selected tab is always the one whose view is shown.
    if (!sameTab || event->buttons() != Qt::NoButton)
        return;
    if (m_buttons == 1)
        setCurrentIndex(tab);
    emit tabClicked(tab);
}

// The wheel does not change the tab.
void TabStrip::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

// The arrow keys, Home and End choose a tab as a left click does.
void TabStrip::keyPressEvent(QKeyEvent* event)
{
    int tab = currentIndex();
    switch (event->key()) {
    case Qt::Key_Left:
        tab = qMax(0, tab - 1);
        break;
    case Qt::Key_Right:
        tab = qMin(count() - 1, tab + 1);
        break;
    case Qt::Key_Home:
        tab = 0;
        break;
    case Qt::Key_End:
        tab = count() - 1;
        break;
    default:
        QTabBar::keyPressEvent(event);
        return;
    }
    event->accept();
    if (tab == currentIndex() || tab < 0)
        return;
    m_buttons = 1;
    emit tabMouseDown(m_buttons);
    setCurrentIndex(tab);
    emit tabClicked(tab);
}

void TabStrip::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(qRound(event->position().x()));
    QTabBar::mouseMoveEvent(event);
}

int MouseButton()
{
    return TabStrip::buttonMask(QGuiApplication::mouseButtons());
}
