#include "process.h"

#include <QFile>
#include <QString>

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>

bool processAlive(pid_t pid)
{
    if (pid <= 0 || ::waitpid(pid, nullptr, WNOHANG) == pid || ::kill(pid, 0) != 0)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) != "Z";
}

bool waitProcessGone(pid_t pid, int milliseconds)
{
    constexpr int kPollMs = 20;
    for (int waited = 0; processAlive(pid); waited += kPollMs) {
        if (waited >= milliseconds)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return true;
}
