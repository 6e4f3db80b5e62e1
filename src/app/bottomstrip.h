#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QToolButton;

// picStat: the bottom strip of the main window. From left to right: the drag button cmdMoveL,
// the status text, the second text field timeBar, the progress bar and the drag button cmdMove.
// Pressing either drag button moves the window with the pointer.
class BottomStrip : public QWidget {
    Q_OBJECT
public:
    explicit BottomStrip(QWidget* window, QWidget* parent = nullptr);

    QToolButton* cmdMoveL;
    QLabel* statusBar;
    QLabel* timeBar;
    QProgressBar* progressBar;
    QToolButton* cmdMove;

    void setDragToolTip(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};
