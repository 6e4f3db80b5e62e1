#include "app/exitsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The two ends of the pair: the handler writes to [0], the event loop reads [1].
int g_pair[2] = {-1, -1};

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Set once the event loop has taken a request: a further signal then ends the process at once.
volatile sig_atomic_t g_taken = 0;

extern "C" void onExitSignal(int number)
{
    if (g_taken) {
        // The signal's own action, which ends the process once this handler returns.
        struct sigaction action = {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        sigaction(number, &action, nullptr);
        raise(number);
        return;
    }
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // A full pipe means a request is pending already: nothing is lost by dropping this one.
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &byte, 1);
    errno = saved;
}

void setHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals)
        sigaction(number, &action, nullptr);
}

} // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent)
{
    if (g_pair[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignals::readSignal);
    setHandler(onExitSignal);
}

ExitSignals::~ExitSignals()
{
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    delete m_notifier;
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
    g_taken = 0;
}

void ExitSignals::readSignal()
{
    unsigned char byte = 0;
    while (::read(g_pair[1], &byte, 1) == 1) {
        // Signals that came together are one request; one after it is not asked twice.
        g_taken = 1;
        emit exitRequested(byte);
    }
}
