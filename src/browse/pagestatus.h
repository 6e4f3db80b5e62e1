#pragma once

#include <QObject>
#include <QString>

#include <functional>

class AddressBox;
class BrowserView;
class CaptionTable;
class QUrl;

// The page events of the browser views turned into the shared display of the main window: the
// address box follows navigation, the status text, and Page_Title keeps the last title reported
// (the link tables add the shown page under it). Only the current view writes these, so a page
// loading in a hidden tab never replaces what the user types or reads; the progress bar and the
// harvest follow every view.
class PageStatus : public QObject {
    Q_OBJECT
public:
    PageStatus(AddressBox& box, const CaptionTable& captions,
               std::function<BrowserView*()> currentView, QObject* parent = nullptr);

    // Every view reports to the same handlers.
    void connectView(BrowserView* view);
    // Another tab is selected: the address box, the status text and Page_Title show its page.
    void showCurrent();

    // The address the box shows for a page: web pages, local files and the program's own pages;
    // empty for others (blank, data, ...).
    static QString boxText(const QUrl& url);

    const QString& Page_Title() const { return m_pageTitle; }

signals:
    void statusChanged(const QString& text);
    void progressChanged(int percent);
    // A document has completed: the harvest may wait for its next pass.
    void documentCompleted();
    // An address of a scheme the views do not show (mailto: and others), for the desktop.
    void externalRequested(const QUrl& url);

private:
    void onBeforeNavigate(BrowserView* view, const QUrl& url);
    void onProgressChange(int progress, int maximum);
    void onTitleChange(BrowserView* view, const QString& text);
    bool isCurrent(const BrowserView* view) const { return view == m_currentView(); }

    AddressBox& m_box;
    const CaptionTable& m_captions;
    std::function<BrowserView*()> m_currentView;
    QString m_pageTitle;
};
