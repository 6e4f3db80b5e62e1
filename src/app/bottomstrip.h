#pragma once

#include <QTimer>
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

    // The status text and the progress change many times while a page loads, and every repaint
    // of the strip makes the whole window be composed again (the web views make it a GL window).
    // The values are set at once; the strip shows them at most every kRepaintMs.
    static constexpr int kRepaintMs = 150;
    void setStatus(const QString& text);
    void setProgress(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void holdRepaint();

    QWidget* m_window;
    QTimer m_repaint;
};
