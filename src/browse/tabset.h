#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <vector>

class BrowserView;
class QWebEngineProfile;
class QWidget;
class TabStrip;

// The tabs of the main window: the strip Tab1, one browser view per tab (Web) and the address
// last opened in each tab (Tab_URL). Exactly one view is visible, the current view of the
// selected tab. A tab that has never shown a page has an empty caption; choosing it with the left
// button opens a copy of its left neighbour's page.
class TabSet : public QObject {
    Q_OBJECT
public:
    TabSet(QWebEngineProfile* profile, QWidget* viewParent, QWidget* stripParent);
    ~TabSet() override;

    TabStrip* Tab1() const { return m_strip; }
    int count() const;
    int selected() const;
    BrowserView* view(int i) const;
    BrowserView* current() const { return view(selected()); }
    const std::vector<BrowserView*>& Web() const { return m_views; }

    // Sets the number of tabs and creates the views that are missing (view 0 always exists;
    // existing views are left unchanged).
    void setCount(int n);
    void select(int i);
    // Shows the view of the selected tab and hides every other view, those of tabs removed by a
    // smaller tab count included.
    void showSelected();
    void clearCaptions();
    QString caption(int i) const;
    void setCaption(int i, const QString& text);

    // The address last opened in each tab.
    const QStringList& Tab_URL() const { return m_tabUrl; }
    void setTabUrl(int i, const QString& address);
    // The address of the page tab i shows (its tooltip): the address last opened in it until
    // it shows a page.
    QString shownAddress(int i) const;
    // Every tab's address empty, one per tab.
    void clearTabUrls();

    // Opens an address in the tab to the right of tab from, which becomes the selected tab with
    // its caption and address; false when tab from is the last.
    bool openInNextTab(int from, const QString& address);

    // Re-runs the window layout; set by the main window.
    std::function<void()> relayout;

    // Chooses a tab as a left click on it does (the keys that select a tab).
    void choose(int i);

    // The tab strip's events.
    void onClicked(int index);
    void onPointerMoved(int x);

signals:
    void viewCreated(BrowserView* view);

private:
    void createView(int i);
    void showChosen();

    QWebEngineProfile* m_profile;
    QWidget* m_viewParent;
    TabStrip* m_strip;
    std::vector<BrowserView*> m_views;
    QStringList m_tabUrl;
};
