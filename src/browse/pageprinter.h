#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class BrowserView;
class QPrinter;
class QWidget;

// Printing of the shown page through the desktop's print dialogs: print, print preview and page
// setup share one printer, so the page layout chosen is used by the next print.
class PagePrinter : public QObject {
    Q_OBJECT
public:
    explicit PagePrinter(QWidget* parent);
    ~PagePrinter() override;

    void print(BrowserView* view);
    void preview(BrowserView* view);
    void pageSetup();

private:
    // The printer is made on first use: making it loads the print system.
    QPrinter* printer();

    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
    bool m_busy = false;
};
