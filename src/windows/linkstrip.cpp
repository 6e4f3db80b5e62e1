#include "windows/linkstrip.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionTab>

namespace {

// The application's style with less room beside a tab's text: fifteen titles share a strip.
class CompactTabs : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 8;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QStyle* compactTabs()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new CompactTabs;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

LinkStrip::LinkStrip(int index, QWidget* parent) : QTabBar(parent), m_index(index)
{
    setObjectName(QStringLiteral("TabF%1").arg(index));
    // All fifteen tabs share the strip's width; long titles are shortened, never scrolled.
    setExpanding(true);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideRight);
    setDrawBase(false);
    setStyle(compactTabs());
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

void LinkStrip::setTitle(int tab, const QString& title, const QString& shortTitle)
{
    if (tab < 0 || tab >= count())
        return;
    while (m_titles.size() < count()) {
        m_titles.append(QString());
        m_shortTitles.append(QString());
    }
    m_titles[tab] = title;
    m_shortTitles[tab] = shortTitle;
    setTabToolTip(tab, title);
    showTitle(tab);
}

void LinkStrip::showTitle(int tab)
{
    const QString& shortTitle = m_shortTitles.value(tab);
    setTabText(tab, m_short && !shortTitle.isEmpty() ? shortTitle : m_titles.value(tab));
}

int LinkStrip::wholeTitlesWidth() const
{
    int width = 0;
    for (int tab = 0; tab < count(); ++tab) {
        // The room a tab takes beside its text, and the text of its whole title.
        const int beside = tabSizeHint(tab).width() - fontMetrics().horizontalAdvance(tabText(tab));
        width += beside + fontMetrics().horizontalAdvance(m_titles.value(tab, tabText(tab)));
    }
    return width;
}

void LinkStrip::setShortTitles(bool on)
{
    if (on == m_short)
        return;
    m_short = on;
    for (int tab = 0; tab < count(); ++tab)
        showTitle(tab);
}

bool LinkStrip::tabTextWhole(int tab) const
{
    QStyleOptionTab option;
    initStyleOption(&option, tab);
    return option.text == tabText(tab);
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
