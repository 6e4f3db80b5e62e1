#pragma once

#include <sys/types.h>

// True while the process runs. A child of the helper that has ended is reaped here, and a
// zombie nobody reaps counts as ended.
bool processAlive(pid_t pid);
// Waits up to the time given for the process to end; true when it did.
bool waitProcessGone(pid_t pid, int milliseconds);
