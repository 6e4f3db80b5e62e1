#pragma once

#include <QStringList>

#include <sys/types.h>

// True while the process runs. A child of the helper that has ended is reaped here, and a
// zombie nobody reaps counts as ended.
bool processAlive(pid_t pid);
// Waits up to the time given for the process to end; true when it did.
bool waitProcessGone(pid_t pid, int milliseconds);
// Waits up to the time given until no process of the group runs any more (zombies have closed
// their files, so they count as ended); true when none does.
bool waitGroupGone(pid_t group, int milliseconds);
// Removes what an ended office left behind: the sockets of the user's among the paths that
// nobody listens on any more, then, when none of them is left, the files among them (the
// profile's lock). Anything else (a folder, a socket still answered, another user's) stays. A
// socket still answered is given up to `closingMs` to close (a killed office may still be
// closing it while its process ends).
void removeLeftovers(const QStringList& paths, int closingMs = 3000);
