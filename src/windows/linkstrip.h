#pragma once

#include <QStringList>
#include <QTabBar>

// One of the seven strips of tabs of the link-table window. Unlike a plain tab bar a strip may
// show no selected tab: only the strip that holds the selected table shows one. A tab is chosen
// by a click, by the arrow keys, or by Space or Enter on the strip's current tab.
class LinkStrip : public QTabBar {
    Q_OBJECT
public:
    LinkStrip(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }

    // The title of a tab, shown whole (and as its hover text), and the short form it may show
    // instead (the number of a table with its default title), empty when it has none.
    void setTitle(int tab, const QString& title, const QString& shortTitle);
    // The width the tabs need to show every title whole.
    int wholeTitlesWidth() const;
    // Tabs with a short form show it (on) or their title (off).
    void setShortTitles(bool on);
    // Whether the tab shows its text whole at its present width, not cut off with "...".
    bool tabTextWhole(int tab) const;
    // The selected tab, or -1 when the strip shows none.
    int selectedTab() const { return m_hasSelection ? currentIndex() : -1; }
    void setSelectedTab(int tab);

signals:
    void tabChosen(int strip, int tab);

protected:
    void initStyleOption(QStyleOptionTab* option, int tabIndex) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showTitle(int tab);

    int m_index;
    QStringList m_titles;
    QStringList m_shortTitles;
    bool m_short = false;
    bool m_hasSelection = false;
    bool m_setting = false;
};
