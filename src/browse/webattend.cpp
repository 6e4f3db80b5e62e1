#include "browse/webattend.h"

#include "browse/browserview.h"
#include "core/wait.h"

#include <QElapsedTimer>
#include <memory>
#include <optional>

namespace {

// The document's ready state read in the isolated world; empty when no answer came in time.
QString readyStateOf(BrowserView* view, int milliseconds)
{
    auto answer = std::make_shared<std::optional<QString>>();
    view->readyState([answer](const QString& state) { *answer = state; });
    Wait::until([answer] { return answer->has_value(); }, milliseconds);
    return answer->value_or(QString());
}

} // namespace

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
        if (readyStateOf(view, 1000).toLower() == QLatin1String("complete"))
            return true;
        if (elapsed.elapsed() >= boundMs)
            return false;
        Wait::sleep(1000);
    }
}
