#include "browse/tabstrip.h"

#include <QGuiApplication>
#include <QMouseEvent>

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
    // The click is reported once, when the last button is released.
    if (!sameTab || event->buttons() != Qt::NoButton)
        return;
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
