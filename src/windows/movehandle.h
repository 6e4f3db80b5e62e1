#pragma once

#include <QLabel>
#include <QPoint>

// A label that moves its window: any mouse button pressed on it drags the window as its title
// bar would, through the window system where it offers that, else by following the pointer.
class MoveHandle : public QLabel {
    Q_OBJECT
public:
    explicit MoveHandle(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_following = false;
    QPoint m_grip; // the pointer's distance from the window's top left corner
};
