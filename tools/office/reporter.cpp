#include "reporter.h"

#include <cstdio>
#include <mutex>

namespace {

std::mutex outputLock;
bool closed = false;

void write(const OfficeAnswer& answer, bool last)
{
    const QByteArray bytes = answer.toJson() + '\n';
    const std::lock_guard<std::mutex> lock(outputLock);
    if (closed)
        return;
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    closed = last;
}

} // namespace

namespace Reporter {

void send(const OfficeAnswer& answer)
{
    write(answer, false);
}

void step(OfficeStep step)
{
    send(OfficeAnswer::begun(step));
}

void officePid(qint64 pid)
{
    send(OfficeAnswer::pid(pid));
}

void failed(OfficeStep step, const QString& error)
{
    send(OfficeAnswer::failed(step, error));
}

void finalFailure(OfficeStep step, const QString& error, bool timedOut, OfficeRefusal refused)
{
    OfficeAnswer answer = OfficeAnswer::failed(step, error);
    answer.timedOut = timedOut;
    answer.refused = refused;
    write(answer, true);
}

} // namespace Reporter
