#include "browse/webpage.h"

#include "core/wait.h"

#include <QUrl>

WebPage::WebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent)
{
    // A page script may ask to close its window; the view belongs to the main window and stays.
    connect(this, &QWebEnginePage::windowCloseRequested, this, [] {});
}

bool WebPage::isShownScheme(const QString& scheme)
{
    static const QStringList shown{
        QStringLiteral("http"),   QStringLiteral("https"),      QStringLiteral("ftp"),
        QStringLiteral("file"),   QStringLiteral("about"),      QStringLiteral("data"),
        QStringLiteral("blob"),   QStringLiteral("qrc"),        QStringLiteral("quorvink"),
        QStringLiteral("chrome"), QStringLiteral("view-source")};
    return scheme.isEmpty() || shown.contains(scheme.toLower());
}

bool WebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame)
{
    Q_UNUSED(type);
    emit navigationRequested(url, isMainFrame);
    if (!isShownScheme(url.scheme())) {
        if (externalHandler)
            externalHandler(url);
        return false;
    }
    return true;
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                       const QString&)
{
    // Script errors of pages are never shown; the program's own scripts answer through here.
    emit consoleMessage(message);
}

QWebEnginePage* WebPage::createWindow(WebWindowType type)
{
    // Tabs are fixed: a link that asks for a new tab or window opens in this view.
    // Pop-up dialog windows are refused.
    if (type == WebDialog)
        return nullptr;
    return this;
}

void WebPage::javaScriptAlert(const QUrl& securityOrigin, const QString& msg)
{
    if (!Wait::active())
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool WebPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg)
{
    return !Wait::active() && QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool WebPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                               const QString& defaultValue, QString* result)
{
    return !Wait::active() &&
           QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}

QStringList WebPage::chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                                 const QStringList& acceptedMimeTypes)
{
    if (Wait::active())
        return {};
    return QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}
