#include "process.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <mutex>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

namespace {

bool groupRuns(pid_t group)
{
    if (::kill(-group, 0) != 0)
        return false;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const pid_t pid = pid_t(entry.toLongLong(&number));
        if (!number)
            continue;
        if (pid == group)
            ::waitpid(pid, nullptr, WNOHANG); // a child of the helper is reaped
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid pgrp ...
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields[0] != "Z" && fields[2].toLongLong() == group)
            return true;
    }
    return false;
}

} // namespace

bool waitGroupGone(pid_t group, int milliseconds)
{
    constexpr int kPollMs = 20;
    for (int waited = 0; group > 0 && groupRuns(group); waited += kPollMs) {
        if (waited >= milliseconds)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return true;
}

namespace {

bool answered(const char* socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::strlen(socketPath) >= sizeof address.sun_path)
        return true; // cannot be asked: left alone
    std::strcpy(address.sun_path, socketPath);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    const int error = errno;
    ::close(fd);
    // Gone already (another cleaner was first) counts as not answered.
    return connected || (error != ECONNREFUSED && error != ENOENT);
}

} // namespace

void removeLeftovers(const QStringList& paths, int closingMs)
{
    // The helper's main thread and its watchdog may both clean up when the browser goes: one at
    // a time, or each would take the other's removals for a socket still in use and keep the lock.
    // Never destroyed: the watchdog's thread may clean up while the process ends.
    static std::mutex* const cleaning = new std::mutex;
    const std::lock_guard<std::mutex> guard(*cleaning);
    const auto stillAnswered = [closingMs](const QByteArray& socket) {
        constexpr int kPollMs = 50;
        for (int waited = 0; answered(socket.constData()); waited += kPollMs) {
            if (waited >= closingMs)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        }
        return false;
    };
    bool socketLeft = false;
    QList<QByteArray> files;
    for (const QString& path : paths) {
        const QByteArray name = QFile::encodeName(path);
        struct stat status {};
        if (::lstat(name.constData(), &status) != 0 || status.st_uid != ::getuid())
            continue;
        if (S_ISREG(status.st_mode))
            files << name;
        else if (S_ISSOCK(status.st_mode) &&
                 (stillAnswered(name) || (::unlink(name.constData()) != 0 && errno != ENOENT)))
            socketLeft = true;
    }
    // The lock is the profile's while an office answers on one of its sockets.
    if (!socketLeft) {
        for (const QByteArray& file : std::as_const(files))
            ::unlink(file.constData());
    }
}
