#include "core/startmarks.h"

#include <QtGlobal>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace StartMarks {

namespace {

double milliseconds(const timespec& t)
{
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1.0e6;
}

// The process's start, in the clock's time: the start time in /proc/self/stat is in clock ticks
// since the boot, which CLOCK_BOOTTIME counts too.
double processStartMs()
{
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (!stat)
        return -1;
    char buffer[1024] = {};
    const size_t read = std::fread(buffer, 1, sizeof buffer - 1, stat);
    std::fclose(stat);
    buffer[read] = '\0';
    // The name in parentheses may hold blanks: the fields are counted after its closing one.
    const char* p = std::strrchr(buffer, ')');
    if (!p)
        return -1;
    unsigned long long start = 0;
    if (std::sscanf(p + 2,
                    "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d "
                    "%*d %*d %llu",
                    &start) != 1)
        return -1;
    return double(start) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

} // namespace

bool enabled()
{
    static const bool on = qEnvironmentVariableIsSet("QUORVINK_START_TRACE");
    return on;
}

void mark(const char* what)
{
    if (!enabled())
        return;
    static const double start = processStartMs();
    timespec now = {};
    timespec cpu = {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    std::fprintf(stderr, "start-trace %8.1f ms  cpu %7.1f ms  %s\n", milliseconds(now) - start,
                 milliseconds(cpu), what);
}

} // namespace StartMarks
