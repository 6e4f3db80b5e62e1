#include "windows/movehandle.h"

#include <QMouseEvent>
#include <QWindow>

MoveHandle::MoveHandle(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::SizeAllCursor);
}

void MoveHandle::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    QWidget* w = window();
    if (QWindow* handle = w->windowHandle(); handle && handle->startSystemMove())
        return;
    m_following = true;
    m_grip = event->globalPosition().toPoint() - w->pos();
}

void MoveHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (m_following)
        window()->move(event->globalPosition().toPoint() - m_grip);
    event->accept();
}

void MoveHandle::mouseReleaseEvent(QMouseEvent* event)
{
    m_following = false;
    event->accept();
}
