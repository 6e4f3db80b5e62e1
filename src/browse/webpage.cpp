#include "browse/webpage.h"

#include "browse/sitetext.h"
#include "core/wait.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QUrl>
#include <QWebEngineSettings>
#include <QWebEngineView>

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
    if (isMainFrame) {
        // A local page's own scripts could read the user's other files and hand them to the web
        // (a local page reaches both): they run in web pages, and in the engine's own listing of
        // a folder. The program's reads of a page run in a world of their own and go on.
        const bool localPage = url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir();
        settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !localPage);
    }
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
        pageDialog(securityOrigin, msg, QMessageBox::Ok);
}

bool WebPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg)
{
    return !Wait::active() && pageDialog(securityOrigin, msg,
                                         QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool WebPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                               const QString& defaultValue, QString* result)
{
    if (Wait::active())
        return false;
    QInputDialog dialog(QWebEngineView::forPage(this));
    dialog.setObjectName(QStringLiteral("PageDialog"));
    dialog.setWindowTitle(siteTitle(securityOrigin));
    dialog.setLabelText(msg.left(kPageTextChars));
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog.setTextValue(defaultValue);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *result = dialog.textValue();
    return true;
}

// A page's own dialog is titled with the name of its site and shows the page's text as plain text,
// whatever it holds, cut at a length a window can show.
int WebPage::pageDialog(const QUrl& origin, const QString& text,
                        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::Information, siteTitle(origin), QString(), buttons,
                    QWebEngineView::forPage(this));
    box.setObjectName(QStringLiteral("PageDialog"));
    box.setTextFormat(Qt::PlainText);
    box.setText(text.left(kPageTextChars));
    return box.exec();
}

QString WebPage::siteTitle(const QUrl& origin)
{
    return SiteText::shown(origin.host().isEmpty() ? origin.toDisplayString() : origin.host(),
                           SiteText::kHostChars);
}

QStringList WebPage::chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                                 const QStringList& acceptedMimeTypes)
{
    if (Wait::active())
        return {};
    return QWebEnginePage::chooseFiles(mode, oldFiles, acceptedMimeTypes);
}
