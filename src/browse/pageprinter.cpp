#include "browse/pageprinter.h"

#include "browse/browserview.h"
#include "core/wait.h"

#include <QEventLoop>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWebEngineView>

namespace {

// The engine prints asynchronously: wait for its answer, bounded, before the printer is reused.
bool printAndWait(BrowserView* view, QPrinter* printer)
{
    bool finished = false;
    bool success = false;
    QMetaObject::Connection done = QObject::connect(view->widget(), &QWebEngineView::printFinished,
                                                    view->widget(), [&](bool ok) {
                                                        finished = true;
                                                        success = ok;
                                                    });
    view->widget()->print(printer);
    Wait::until([&] { return finished; }, 60000);
    QObject::disconnect(done);
    return success;
}

} // namespace

PagePrinter::PagePrinter(QWidget* parent) : QObject(parent), m_parent(parent) {}

PagePrinter::~PagePrinter() = default;

QPrinter* PagePrinter::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return m_printer.get();
}

void PagePrinter::print(BrowserView* view)
{
    if (!view || m_busy)
        return;
    m_busy = true;
    QPrintDialog dialog(printer(), m_parent);
    if (dialog.exec() == QDialog::Accepted)
        printAndWait(view, printer());
    m_busy = false;
}

void PagePrinter::preview(BrowserView* view)
{
    if (!view || m_busy)
        return;
    m_busy = true;
    QPrintPreviewDialog dialog(printer(), m_parent);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [view](QPrinter* printer) { printAndWait(view, printer); });
    dialog.exec();
    m_busy = false;
}

void PagePrinter::pageSetup()
{
    QPageSetupDialog dialog(printer(), m_parent);
    dialog.exec();
}
