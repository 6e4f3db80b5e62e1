#include "watchdog.h"

#include "process.h"
#include "reporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <optional>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Never destroyed: the watchdog's threads use them until the process ends.
struct State {
    std::mutex lock;
    std::condition_variable wake;
    std::optional<OfficeStep> step; // none: disarmed
    Clock::time_point deadline;
    std::chrono::milliseconds bound{0};
    QStringList temporaries;
    QStringList officeFiles;
    std::function<pid_t()> finder;
};
State& state()
{
    static State* const s = new State;
    return *s;
}

std::atomic<OfficeStep> currentStep{OfficeStep::Start};
std::atomic<pid_t> officeGroup{0};
std::mutex& startingOffice()
{
    static std::mutex* const m = new std::mutex;
    return *m;
}
std::once_flag endOnce;

sigset_t endingSignals()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&set, signal);
    return set;
}

// Kills the office, waits until it can write nothing more, removes the temporary files and
// ends the process. Runs once, on the watchdog's own threads.
[[noreturn]] void end(int exitCode)
{
    std::call_once(endOnce, [exitCode] {
        std::function<pid_t()> finder;
        {
            const std::lock_guard<std::mutex> guard(state().lock);
            finder = state().finder;
        }
        pid_t group = 0;
        {
            const std::lock_guard<std::mutex> starting(startingOffice());
            group = officeGroup.load();
        }
        const pid_t found = finder ? finder() : 0;
        for (const pid_t g : {group, found}) {
            if (g > 0)
                ::kill(-g, SIGKILL);
        }
        for (const pid_t g : {group, found}) {
            if (g > 0)
                waitGroupGone(g, 3000);
        }
        QStringList temporaries;
        QStringList officeFiles;
        {
            const std::lock_guard<std::mutex> guard(state().lock);
            temporaries = state().temporaries;
            officeFiles = state().officeFiles;
        }
        // Also when the office was ended by the helper's own thread just before: what an office
        // still answers on stays.
        removeLeftovers(officeFiles);
        for (const QString& path : temporaries) {
            if (QFileInfo(path).isDir())
                QDir(path).removeRecursively();
            else
                QFile::remove(path);
        }
        ::_exit(exitCode);
    });
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

void watchTime()
{
    State& s = state();
    std::unique_lock<std::mutex> guard(s.lock);
    for (;;) {
        if (!s.step) {
            s.wake.wait(guard);
            continue;
        }
        s.wake.wait_until(guard, s.deadline);
        if (s.step && Clock::now() >= s.deadline) {
            const OfficeStep step = *s.step;
            const double seconds = double(s.bound.count()) / 1000.0;
            guard.unlock();
            Reporter::finalFailure(
                step, QStringLiteral("no answer from the office within %1 s").arg(seconds), true);
            end(3);
        }
    }
}

void watchSignals()
{
    const sigset_t set = endingSignals();
    int signal = 0;
    while (sigwait(&set, &signal) != 0) {
    }
    end(128 + signal);
}

} // namespace

namespace Watchdog {

void install()
{
    // Every thread started from here on, the office's bridge threads included, leaves these
    // signals to the thread that waits for them.
    const sigset_t set = endingSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(watchSignals).detach();
    std::thread(watchTime).detach();
    // A browser that went away must not kill the helper halfway through a store: its answers
    // are simply lost.
    ::signal(SIGPIPE, SIG_IGN);
}

void arm(OfficeStep step, std::chrono::milliseconds bound)
{
    State& s = state();
    const std::lock_guard<std::mutex> guard(s.lock);
    s.step = step;
    s.bound = bound;
    s.deadline = Clock::now() + bound;
    currentStep = step;
    s.wake.notify_all();
}

void disarm()
{
    State& s = state();
    const std::lock_guard<std::mutex> guard(s.lock);
    s.step.reset();
    s.wake.notify_all();
}

OfficeStep step()
{
    return currentStep.load();
}

void followParent(pid_t parent)
{
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Gone before the kernel was asked to tell.
    if (parent > 0 && ::getppid() != parent)
        ::kill(::getpid(), SIGTERM);
}

void setOfficeGroup(pid_t group)
{
    officeGroup = group;
}

std::unique_lock<std::mutex> holdEnd()
{
    return std::unique_lock<std::mutex>(startingOffice());
}

void setOfficeFinder(std::function<pid_t()> finder)
{
    const std::lock_guard<std::mutex> guard(state().lock);
    state().finder = std::move(finder);
}

void setOfficeFiles(const QStringList& paths)
{
    const std::lock_guard<std::mutex> guard(state().lock);
    state().officeFiles = paths;
}

void addTemporary(const QString& path)
{
    const std::lock_guard<std::mutex> guard(state().lock);
    state().temporaries.append(path);
}

void removeTemporary(const QString& path)
{
    const std::lock_guard<std::mutex> guard(state().lock);
    state().temporaries.removeAll(path);
}

} // namespace Watchdog
