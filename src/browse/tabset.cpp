#include "browse/tabset.h"

#include "browse/browserview.h"
#include "browse/sitename.h"
#include "browse/tabstrip.h"

#include <algorithm>

TabSet::TabSet(QWebEngineProfile* profile, QWidget* viewParent, QWidget* stripParent)
    : m_profile(profile), m_viewParent(viewParent), m_strip(new TabStrip(stripParent))
{
    connect(m_strip, &TabStrip::tabClicked, this, &TabSet::onClicked);
    connect(m_strip, &TabStrip::pointerMoved, this, &TabSet::onPointerMoved);
}

TabSet::~TabSet() = default;

int TabSet::count() const
{
    return m_strip->count();
}

int TabSet::selected() const
{
    return qMax(0, m_strip->currentIndex());
}

BrowserView* TabSet::view(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_views.size()))
        return nullptr;
    return m_views[static_cast<size_t>(i)];
}

void TabSet::createView(int i)
{
    auto* view = new BrowserView(i, m_profile, m_viewParent);
    if (!m_views.empty()) {
        const BrowserView* first = m_views.front();
        view->widget()->setGeometry(first->widget()->geometry());
    }
    m_views.push_back(view);
    emit viewCreated(view);
}

void TabSet::setCount(int n)
{
    n = qMax(1, n);
    while (m_strip->count() < n)
        m_strip->addTab(QString());
    const bool shown = std::any_of(m_views.begin(), m_views.end(),
                                   [](const BrowserView* v) { return v->isVisible(); });
    const bool fewer = m_strip->count() > n;
    while (m_strip->count() > n)
        m_strip->removeTab(m_strip->count() - 1);
    // A removed tab's view, or the view of a removed selected tab, must not stay on screen.
    if (fewer && shown)
        showSelected();
    while (static_cast<int>(m_views.size()) < n)
        createView(static_cast<int>(m_views.size()));
    while (m_tabUrl.size() < n)
        m_tabUrl.append(QString());
}

void TabSet::select(int i)
{
    m_strip->setCurrentIndex(i);
}

void TabSet::clearCaptions()
{
    for (int i = 0; i < m_strip->count(); ++i)
        m_strip->setTabText(i, QString());
}

QString TabSet::caption(int i) const
{
    return m_strip->tabText(i);
}

void TabSet::setCaption(int i, const QString& text)
{
    m_strip->setTabText(i, text);
    m_strip->setTabToolTip(i, QString());
}

void TabSet::showSelected()
{
    const int s = selected();
    for (int i = 0; i < static_cast<int>(m_views.size()); ++i)
        m_views[static_cast<size_t>(i)]->setVisible(i == s);
}

void TabSet::setTabUrl(int i, const QString& address)
{
    if (i >= 0 && i < m_tabUrl.size())
        m_tabUrl[i] = address;
}

void TabSet::clearTabUrls()
{
    m_tabUrl = QStringList(count());
}

void TabSet::onClicked(int index)
{
    if (relayout)
        relayout();
    const int buttons = m_strip->Tab_Button();
    if (buttons == 1) {
        showChosen();
    } else if (buttons == 2) {
        // A right click reloads the page of the tab clicked; the selection and the view shown
        // stay as they are.
        if (BrowserView* v = view(index))
            v->Refresh();
    }
}

bool TabSet::openInNextTab(int from, const QString& address)
{
    const int next = from + 1;
    if (from < 0 || next >= count() || address.isEmpty())
        return false;
    select(next);
    if (relayout)
        relayout();
    showSelected();
    setCaption(next, Site_Name(address));
    m_tabUrl[next] = address;
    view(next)->Navigate(address);
    return true;
}

void TabSet::choose(int i)
{
    if (i < 0 || i >= count() || i == selected())
        return;
    select(i);
    if (relayout)
        relayout();
    showChosen();
}

// The selected tab shows its view; a tab never used copies its left neighbour's page.
void TabSet::showChosen()
{
    const int s = selected();
    showSelected();
    if (caption(s).isEmpty() && s > 0) {
        const QString address = m_tabUrl.value(s - 1);
        // A left neighbour that never showed a page has nothing to copy: the tab stays empty.
        if (address.isEmpty())
            return;
        setCaption(s, caption(s - 1));
        view(s)->Navigate(address);
        m_tabUrl[s] = address;
    }
}

QString TabSet::shownAddress(int i) const
{
    const BrowserView* v = view(i);
    const QString shown = v ? v->LocationURL() : QString();
    return shown.isEmpty() || shown == QLatin1String("about:blank") ? m_tabUrl.value(i) : shown;
}

void TabSet::onPointerMoved(int x)
{
    const int n = count();
    if (n <= 0)
        return;
    const double tabWidth = static_cast<double>(m_strip->width()) / n;
    const int k = tabWidth > 0 ? static_cast<int>(x / tabWidth) : n;
    m_strip->setToolTip(k >= 0 && k < n ? shownAddress(k) : QString());
}
