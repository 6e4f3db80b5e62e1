#pragma once

#include <QTabBar>

// One of the seven strips of tabs of the link-table window. Unlike a plain tab bar a strip may
// show no selected tab: only the strip that holds the selected table shows one. A tab is chosen
// by a click, by the arrow keys, or by Space or Enter on the strip's current tab.
class LinkStrip : public QTabBar {
    Q_OBJECT
public:
    LinkStrip(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // The selected tab, or -1 when the strip shows none.
    int selectedTab() const { return m_hasSelection ? currentIndex() : -1; }
    void setSelectedTab(int tab);

signals:
    void tabChosen(int strip, int tab);

protected:
    void initStyleOption(QStyleOptionTab* option, int tabIndex) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_index;
    bool m_hasSelection = false;
    bool m_setting = false;
};
