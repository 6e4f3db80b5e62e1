#pragma once

#include <QTabBar>

// Tab1: the strip of tab captions. The left button alone selects the tab it is released on; any
// click is reported with the buttons held when the pointer went down, so a click handler knows
// whether it was a left or a right click. The wheel changes nothing; the arrow keys choose a tab
// as a left click does.
class TabStrip : public QTabBar {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent = nullptr);

    // Tab_Button: bit mask of the buttons held at the last press (1 left, 2 right, 4 middle).
    int Tab_Button() const { return m_buttons; }

    // The bit mask of a set of mouse buttons (1 left, 2 right, 4 middle).
    static int buttonMask(Qt::MouseButtons buttons);

signals:
    void tabMouseDown(int buttonMask);
    void tabClicked(int index);
    void pointerMoved(int x);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_buttons = 0;
    int m_pressedTab = -1;
};

// MouseButton: the bit mask of the mouse buttons held now.
int MouseButton();
