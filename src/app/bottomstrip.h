#pragma once

#include <QTimer>
#include <QWidget>

class CaptionTable;
class ImageList;
class QLabel;
class QProgressBar;
class QToolButton;

// picStat: the bottom strip of the main window. From left to right: the drag button cmdMoveL,
// the status text, the second text field timeBar, the progress bar and the drag button cmdMove.
// Pressing either drag button moves the window with the pointer. While an export waits for the
// office, a Cancel button lies over the second text field; while downloads run, a button with
// their count and share lies at the right end of the status text.
class BottomStrip : public QWidget {
    Q_OBJECT
public:
    explicit BottomStrip(QWidget* window, QWidget* parent = nullptr);

    const QToolButton* cmdMoveL() const { return m_cmdMoveL; }
    const QLabel* statusBar() const { return m_statusBar; }
    const QLabel* timeBar() const { return m_timeBar; }
    const QProgressBar* progressBar() const { return m_progressBar; }
    const QToolButton* cmdMove() const { return m_cmdMove; }
    QToolButton* cmdCancel() const { return m_cmdCancel; }
    QToolButton* cmdDownloads() const { return m_cmdDownloads; }

    // Places the parts of the strip, in pixels of the strip.
    void place(const QRect& cmdMoveL, const QRect& statusBar, const QRect& timeBar,
               const QRect& progressBar, const QRect& cmdMove);

    // The captions of the current language: the drag buttons' tooltip and the names screen
    // readers give the status text and the progress bar.
    void setTexts(const CaptionTable& captions);
    // The icons of the two drag buttons and the date in the second text field.
    void setDragIcons(const ImageList& images);
    void setDate(const QString& Today_Str);

    // The status text and the progress change many times while a page loads, and every repaint
    // of the strip makes the whole window be composed again (the web views make it a GL window).
    // The values are set at once; the strip shows them at most every kRepaintMs.
    static constexpr int kRepaintMs = 150;
    void setStatus(const QString& text);
    void setProgress(int value);
    // Shows or hides the Cancel button.
    void showCancel(bool shown);
    // Shows the downloads button with this text; an empty text hides it.
    void showDownloads(const QString& text);

signals:
    void cancelRequested();
    void downloadsRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void holdRepaint();

    QToolButton* m_cmdMoveL;
    QLabel* m_statusBar;
    QLabel* m_timeBar;
    QProgressBar* m_progressBar;
    QToolButton* m_cmdMove;
    QToolButton* m_cmdCancel;
    QToolButton* m_cmdDownloads;
    QWidget* m_window;
    QTimer m_repaint;
};
