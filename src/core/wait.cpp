#include "core/wait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

int depth = 0;

// Runs a local event loop, without user input unless asked, until quit or the deadline.
void spin(const std::function<bool()>& done, int milliseconds, bool input = false)
{
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer poll;
    if (done) {
        QObject::connect(&poll, &QTimer::timeout, &loop, [&loop, &done] {
            if (done())
                loop.quit();
        });
        poll.start(10);
    }
    ++depth;
    deadline.start(milliseconds);
    loop.exec(input ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    --depth;
}

} // namespace

namespace Wait {

void sleep(int milliseconds)
{
    spin(nullptr, milliseconds);
}

bool until(const std::function<bool()>& done, int milliseconds)
{
    if (done())
        return true;
    spin(done, milliseconds);
    return done();
}

bool untilWithInput(const std::function<bool()>& done, int milliseconds)
{
    if (done())
        return true;
    spin(done, milliseconds, true);
    return done();
}

bool active()
{
    return depth > 0;
}

} // namespace Wait
