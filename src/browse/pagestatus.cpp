#include "browse/pagestatus.h"

#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QUrl>
#include <QWebEngineSettings>

PageStatus::PageStatus(AddressBox& box, const CaptionTable& captions,
                       std::function<BrowserView*()> currentView, QObject* parent)
    : QObject(parent), m_box(box), m_captions(captions), m_currentView(std::move(currentView))
{
}

void PageStatus::connectView(BrowserView* view)
{
    view->page()->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    connect(view, &BrowserView::beforeNavigate, this,
            [this, view](const QUrl& url) { onBeforeNavigate(view, url); });
    connect(view, &BrowserView::progressChange, this, &PageStatus::onProgressChange);
    connect(view, &BrowserView::statusTextChange, this, [this, view](const QString& text) {
        if (isCurrent(view))
            emit statusChanged(text);
    });
    connect(view, &BrowserView::titleChange, this,
            [this, view](const QString& text) { onTitleChange(view, text); });
    connect(view, &BrowserView::documentComplete, this, [this] {
        emit progressChanged(100);
        emit documentCompleted();
    });
    connect(view, &BrowserView::externalRequested, this, &PageStatus::externalRequested);
}

void PageStatus::onBeforeNavigate(BrowserView* view, const QUrl& url)
{
    emit progressChanged(0);
    if (!isCurrent(view))
        return;
    const QString target = boxText(url);
    if (!target.isEmpty())
        m_box.setText(target);
    emit statusChanged(m_captions[CaptionNo::ProgramName]);
}

void PageStatus::showCurrent()
{
    BrowserView* view = m_currentView();
    if (!view)
        return;
    m_box.setText(boxText(QUrl(view->LocationURL())));
    m_pageTitle = view->LocationName();
    emit statusChanged(m_pageTitle);
}

QString PageStatus::boxText(const QUrl& url)
{
    static const QStringList shown{QStringLiteral("http"), QStringLiteral("https"),
                                   QStringLiteral("ftp"), QStringLiteral("file"),
                                   QStringLiteral("quorvink")};
    return shown.contains(url.scheme().toLower()) ? url.toString() : QString();
}

void PageStatus::onProgressChange(int progress, int maximum)
{
    if (progress >= 1 && maximum >= progress)
        emit progressChanged(qRound(progress * 100.0 / maximum));
}

void PageStatus::onTitleChange(BrowserView* view, const QString& text)
{
    if (!isCurrent(view))
        return;
    emit statusChanged(text);
    m_pageTitle = text;
}
