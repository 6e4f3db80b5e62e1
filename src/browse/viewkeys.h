#pragma once

#include <QObject>

class QWebEnginePage;
class QWebEngineView;

// What the keyboard and the wheel ask of one view beyond its page's own commands: the zoom of
// its pages (kept for the run, whatever the view opens next; Ctrl and the wheel zoom as the
// zoom keys do) and whether a page of it shows itself full screen (Escape leaves that first).
class ViewKeys : public QObject {
    Q_OBJECT
public:
    ViewKeys(QWebEngineView* view, QWebEnginePage* page);

    // One step larger (direction > 0) or smaller (< 0); 0 back to the actual size.
    void zoom(int direction);
    double zoomFactor() const;
    // The next zoom factor from factor in that direction, along the usual steps; 1 for 0.
    static double step(double factor, int direction);

    // The page is shown full screen (elsewhere than in this view).
    bool fullScreen() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWebEngineView* m_view;
    QWebEnginePage* m_page;
};
