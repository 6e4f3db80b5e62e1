#include "app/wait.h"

#include <QEventLoop>
#include <QTimer>

namespace {
int depth = 0;
}

namespace Wait {

void sleep(int milliseconds)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    ++depth;
    timer.start(milliseconds);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    --depth;
}

bool active()
{
    return depth > 0;
}

} // namespace Wait
