#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#include <optional>

class QWebEngineProfile;
class QWidget;
class ViewKeys;
class WebPage;

// One browser view: the adapter between the program and one web engine view. It offers the
// operations the program asks of a view and raises the page events the main window handles.
// Page content is read only through scripts in the application's isolated script world, so page
// scripts can neither see nor fake what the program reads.
class BrowserView : public QObject {
    Q_OBJECT
public:
    BrowserView(int index, QWebEngineProfile* profile, QWidget* parent);
    ~BrowserView() override;

    int index() const { return m_index; }
    QWebEngineView* widget() const { return m_view; }
    WebPage* page() const { return m_page; }
    // The view's zoom and full screen, as the keys ask for them.
    ViewKeys& keys() const { return *m_keys; }

    // Placement in pixels of the parent and visibility.
    void setGeometry(int left, int top, int width, int height);
    void setVisible(bool visible);
    bool isVisible() const;

    void Navigate(const QString& address);
    void GoBack();
    void GoForward();
    void GoHome();
    void Refresh();
    void Stop();
    void focus();
    // The engine's own commands (cut, copy, paste, select all, ...).
    void trigger(QWebEnginePage::WebAction action);

    bool Busy() const;
    QString LocationName() const;
    QString LocationURL() const;
    // True once the view has been asked to open anything.
    bool hasDocument() const { return m_used; }
    // The address the view was last asked to open with Navigate.
    const QString& askedFor() const { return m_askedFor; }

    // Runs a script in the isolated world of the top-level document; the result arrives by
    // callback (never while the caller is still on the stack).
    void runIsolated(const QString& script, std::function<void(const QVariant&)> done);
    // The same, waiting in place (the bounded wait of core/wait.h) for the answer: nothing when
    // none came within milliseconds.
    std::optional<QVariant> evaluateIsolated(const QString& script, int milliseconds);
    // The document's ready state ("loading", "interactive", "complete"), by callback.
    void readyState(std::function<void(const QString&)> done);

    // The home page the view's own "home" command opens.
    static QUrl engineHomePage();

signals:
    // The page events, raised by every view to the same handlers.
    void beforeNavigate(const QUrl& url);
    void progressChange(int progress, int maximum);
    void statusTextChange(const QString& text);
    void titleChange(const QString& text);
    void documentComplete();
    // Addresses of schemes the view does not show (mailto: and others).
    void externalRequested(const QUrl& url);
    // A console line of any frame of the page, from any script world.
    void consoleMessage(const QString& message);

private:
    int m_index;
    bool m_used = false;
    QString m_askedFor;
    QPointer<QWebEngineView> m_view;
    WebPage* m_page = nullptr;
    ViewKeys* m_keys = nullptr;
};
