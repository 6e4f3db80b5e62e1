#pragma once

#include <QPointer>
#include <QWidget>

class QWebEnginePage;
class QWebEngineView;

// A page in full screen: a window of its own covering the screen shows the page of a browser
// view, which it takes over while it lives and hands back when it ends. The window the view
// belongs to is left as it was, so leaving full screen finds it in its former state. Escape in
// this window, or closing it, asks the page to leave full screen.
class FullScreenView : public QWidget {
    Q_OBJECT
public:
    explicit FullScreenView(QWebEngineView* original);
    ~FullScreenView() override;

    // The page shown, until it is handed back.
    QWebEnginePage* page() const { return m_page; }
    // Hands the page back to the view it came from and brings that view's window to the front.
    void giveBack();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void leave();

    QWebEngineView* m_view;
    QPointer<QWebEngineView> m_original;
    QPointer<QWebEnginePage> m_page;
};
