#include "browse/fullscreenview.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

FullScreenView::FullScreenView(QWebEngineView* original)
    : QWidget(nullptr), m_view(new QWebEngineView(this)), m_original(original),
      m_page(original->page())
{
    setObjectName(QStringLiteral("FullScreenView"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setPage(m_page);
    // The main window's shortcuts do not reach this window: Escape leaves full screen here.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &FullScreenView::leave);
    setWindowTitle(original->window()->windowTitle());
    setGeometry(original->window()->geometry());
    showFullScreen();
    activateWindow();
    m_view->setFocus(Qt::OtherFocusReason);
}

FullScreenView::~FullScreenView()
{
    giveBack();
}

void FullScreenView::giveBack()
{
    hide();
    QWebEnginePage* page = m_page;
    m_page = nullptr;
    if (!m_original || !page)
        return;
    m_original->setPage(page);
    m_original->window()->activateWindow();
    m_original->setFocus(Qt::OtherFocusReason);
}

void FullScreenView::leave()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::ExitFullScreen);
}

void FullScreenView::closeEvent(QCloseEvent* event)
{
    // Closed by the desktop: the page leaves full screen, which ends this window.
    event->ignore();
    leave();
}
