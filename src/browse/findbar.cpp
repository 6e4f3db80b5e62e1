#include "browse/findbar.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QLineEdit>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

FindBar::FindBar(QWidget* parent) : FindBox(parent)
{
    setObjectName(QStringLiteral("FindBar"));
    setAutoFillBackground(true);
    hide();
}

void FindBar::setTexts(const CaptionTable& captions)
{
    FindBox::setTexts(captions, captions[CaptionNo::FindInPage]);
}

void FindBar::open(BrowserView* view)
{
    if (!view)
        return;
    m_view = view;
    const QRect area = view->widget()->geometry();
    const int h = sizeHint().height();
    setGeometry(area.x(), area.bottom() - h + 1, qMin(area.width(), 480), h);
    show();
    raise();
    input()->setFocus(Qt::ShortcutFocusReason);
    input()->selectAll();
}

void FindBar::close()
{
    if (m_view)
        m_view->widget()->page()->findText(QString());
    hide();
    if (m_view)
        m_view->focus();
}

void FindBar::find(bool backward)
{
    if (!m_view)
        return;
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    QPointer<FindBar> bar = this;
    m_view->widget()->page()->findText(
        input()->text(), flags, [bar](const QWebEngineFindTextResult& r) {
            if (bar)
                bar->showResult(r.activeMatch(), r.numberOfMatches());
        });
}
