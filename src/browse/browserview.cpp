#include "browse/browserview.h"

#include "browse/viewkeys.h"
#include "browse/webpage.h"
#include "core/wait.h"

#include <QWebEngineScript>
#include <QWebEngineView>

BrowserView::BrowserView(int index, QWebEngineProfile* profile, QWidget* parent)
    : QObject(parent), m_index(index), m_view(new QWebEngineView(parent)),
      m_page(new WebPage(profile, m_view))
{
    m_view->setObjectName(QStringLiteral("Web%1").arg(index));
    m_view->setPage(m_page);
    m_view->hide();
    m_page->externalHandler = [this](const QUrl& url) { emit externalRequested(url); };
    m_keys = new ViewKeys(m_view, m_page);

    connect(m_page, &WebPage::navigationRequested, this, [this](const QUrl& url, bool isMainFrame) {
        if (isMainFrame)
            emit beforeNavigate(url);
    });
    connect(m_page, &QWebEnginePage::loadProgress, this,
            [this](int progress) { emit progressChange(progress, 100); });
    connect(m_page, &QWebEnginePage::linkHovered, this,
            [this](const QString& url) { emit statusTextChange(url); });
    connect(m_page, &QWebEnginePage::titleChanged, this,
            [this](const QString& title) { emit titleChange(title); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) { emit documentComplete(); });
    connect(m_page, &WebPage::consoleMessage, this, &BrowserView::consoleMessage);
}

BrowserView::~BrowserView() = default;

void BrowserView::setGeometry(int left, int top, int width, int height)
{
    m_view->setGeometry(left, top, width, height);
}

void BrowserView::setVisible(bool visible)
{
    m_view->setVisible(visible);
}

bool BrowserView::isVisible() const
{
    return m_view->isVisible();
}

void BrowserView::Navigate(const QString& address)
{
    m_used = true;
    m_askedFor = address;
    m_page->load(QUrl::fromUserInput(address));
}

void BrowserView::GoBack()
{
    m_page->triggerAction(QWebEnginePage::Back);
}

void BrowserView::GoForward()
{
    m_page->triggerAction(QWebEnginePage::Forward);
}

void BrowserView::GoHome()
{
    m_used = true;
    m_page->load(engineHomePage());
}

void BrowserView::Refresh()
{
    m_page->triggerAction(QWebEnginePage::Reload);
}

void BrowserView::Stop()
{
    m_page->triggerAction(QWebEnginePage::Stop);
}

void BrowserView::focus()
{
    m_view->setFocus(Qt::OtherFocusReason);
}

void BrowserView::trigger(QWebEnginePage::WebAction action)
{
    m_page->triggerAction(action);
}

bool BrowserView::Busy() const
{
    return m_page->isLoading();
}

QString BrowserView::LocationName() const
{
    return m_page->title();
}

QString BrowserView::LocationURL() const
{
    return m_page->url().toString();
}

void BrowserView::runIsolated(const QString& script, std::function<void(const QVariant&)> done)
{
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [done = std::move(done)](const QVariant& result) { done(result); });
}

std::optional<QVariant> BrowserView::evaluateIsolated(const QString& script, int milliseconds)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    runIsolated(script, [answer](const QVariant& value) { *answer = value; });
    Wait::until([answer] { return answer->has_value(); }, milliseconds);
    return *answer;
}

void BrowserView::readyState(std::function<void(const QString&)> done)
{
    runIsolated(QStringLiteral("document.readyState"),
                [done = std::move(done)](const QVariant& result) { done(result.toString()); });
}

QUrl BrowserView::engineHomePage()
{
    return QUrl(QStringLiteral("quorvink:start"));
}
