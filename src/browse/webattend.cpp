#include "browse/webattend.h"

#include "browse/browserview.h"
#include "core/wait.h"

#include <QElapsedTimer>
#include <memory>
#include <optional>

bool WebAttend(const std::function<BrowserView*()>& currentView, int boundMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    Wait::sleep(500);
    for (;;) {
        BrowserView* view = currentView();
        if (!view)
            return false;
        if (!view->Busy())
            break;
        if (elapsed.elapsed() >= boundMs)
            return false;
        Wait::sleep(1000);
    }
    for (;;) {
        BrowserView* view = currentView();
        if (!view)
            return false;
        if (view->evaluateIsolated(QStringLiteral("document.readyState"), 1000)
                .value_or(QVariant())
                .toString()
                .toLower() == QLatin1String("complete"))
            return true;
        if (elapsed.elapsed() >= boundMs)
            return false;
        Wait::sleep(1000);
    }
}
