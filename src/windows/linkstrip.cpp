#include "windows/linkstrip.h"

#include <QKeyEvent>
#include <QStyleOptionTab>

LinkStrip::LinkStrip(int index, QWidget* parent) : QTabBar(parent), m_index(index)
{
    setObjectName(QStringLiteral("TabF%1").arg(index));
    // All fifteen tabs share the strip's width; long titles are shortened, never scrolled.
    setExpanding(true);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideRight);
    setDrawBase(false);
    // Fifteen titles share the width: tabs keep little room beside their text.
    setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 2px; margin-right: 1px; border: 1px solid palette(mid);"
        " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
        " background: palette(button); }"
        "QTabBar::tab:selected { background: palette(highlight); color: palette(highlighted-text); "
        "}"
        "QTabBar::tab:focus { text-decoration: underline; }"));
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab >= 0)
            emit tabChosen(m_index, tab);
    });
    connect(this, &QTabBar::currentChanged, this, [this](int tab) {
        if (!m_setting && tab >= 0)
            emit tabChosen(m_index, tab);
    });
}

void LinkStrip::setSelectedTab(int tab)
{
    m_setting = true;
    m_hasSelection = tab >= 0 && tab < count();
    if (m_hasSelection)
        setCurrentIndex(tab);
    m_setting = false;
    update();
}

void LinkStrip::initStyleOption(QStyleOptionTab* option, int tabIndex) const
{
    QTabBar::initStyleOption(option, tabIndex);
    if (!m_hasSelection)
        option->state &= ~QStyle::State_Selected;
}

void LinkStrip::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentIndex() >= 0)
            emit tabChosen(m_index, currentIndex());
        event->accept();
        return;
    default:
        QTabBar::keyPressEvent(event);
    }
}
