#include "browse/viewkeys.h"

#include <QChildEvent>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWheelEvent>

#include <array>

namespace {

// The steps of the zoom, as desktop browsers take them; the engine shows 25 % to 500 %.
constexpr std::array kSteps{0.25, 0.33, 0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                            1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0, 5.0};

} // namespace

ViewKeys::ViewKeys(QWebEngineView* view, QWebEnginePage* page)
    : QObject(view), m_view(view), m_page(page)
{
    // The page's widget inside the view takes the wheel; the engine makes a new one when the
    // page moves to another renderer.
    view->installEventFilter(this);
    for (QWidget* child : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
}

bool ViewKeys::fullScreen() const
{
    // A page shown full screen is shown by a view of its own, which hands it back at the end.
    return QWebEngineView::forPage(m_page) != m_view;
}

double ViewKeys::step(double factor, int direction)
{
    if (direction == 0)
        return 1.0;
    if (direction > 0) {
        for (const double s : kSteps) {
            if (s > factor + 0.001)
                return s;
        }
        return kSteps.back();
    }
    for (auto s = kSteps.rbegin(); s != kSteps.rend(); ++s) {
        if (*s < factor - 0.001)
            return *s;
    }
    return kSteps.front();
}

void ViewKeys::zoom(int direction)
{
    // The page keeps its factor for every page it opens after this one.
    m_page->setZoomFactor(step(m_page->zoomFactor(), direction));
}

double ViewKeys::zoomFactor() const
{
    return m_page->zoomFactor();
}

bool ViewKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
    } else if (watched != m_view && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() == Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0)
                zoom(delta > 0 ? 1 : -1);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
