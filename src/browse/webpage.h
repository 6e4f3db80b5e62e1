#pragma once

#include <QMessageBox>
#include <QWebEnginePage>

#include <functional>

// The page of one browser view: reports every navigation it is asked to make before the engine
// starts it, hands addresses the engine cannot show (mailto: and other external schemes) to the
// desktop instead, keeps page scripts from closing it and never shows script error dialogs.
// The page's own dialogs (alert, confirm, prompt) name its site and show its text as plain text.
// While the program waits in place (an export), they and the file chooser are answered at once
// as cancelled: the wait takes no input, so a dialog shown then could never be answered.
class WebPage : public QWebEnginePage {
    Q_OBJECT
public:
    explicit WebPage(QWebEngineProfile* profile, QObject* parent = nullptr);

    // Receives addresses of schemes the engine does not show itself.
    std::function<void(const QUrl&)> externalHandler;

    // Schemes the view opens itself; anything else is handed to externalHandler.
    static bool isShownScheme(const QString& scheme);

signals:
    void navigationRequested(const QUrl& url, bool isMainFrame);
    // A console line of any frame and any script world (never shown).
    void consoleMessage(const QString& message);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;

private:
    static constexpr int kPageTextChars = 5000;
    int pageDialog(const QUrl& origin, const QString& text, QMessageBox::StandardButtons buttons);
    static QString siteTitle(const QUrl& origin);
};
