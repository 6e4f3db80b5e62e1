#pragma once

#include "answer.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <mutex>
#include <sys/types.h>

// Bounds every wait of the helper. Each step is given a time; a step that overruns it ends the
// helper with a "failed" answer naming the step. A call into a hung office cannot be interrupted
// from the thread that made it, so the watchdog ends the whole process, after killing the office
// and removing the job's temporary files. SIGTERM, SIGINT and SIGHUP end it the same way, so a
// helper stopped by the browser leaves neither a running office nor a half-written file.
namespace Watchdog {

// Must run before any other thread starts: the signals are taken by a thread of its own.
void install();
void arm(OfficeStep step, std::chrono::milliseconds bound);
void disarm();
// The step under way (the start before the first one), for failures thrown out of it.
OfficeStep step();

// The helper ends as at SIGTERM when `parent`, the process that started it, ends in whatever
// way, killed included; at once when it has ended already.
void followParent(pid_t parent);

// The process group of the office the helper is driving (0: none).
void setOfficeGroup(pid_t group);
// Held from starting an office until its group is set: an end in between waits, so that the
// office it would not yet know of is killed too.
std::unique_lock<std::mutex> holdEnd();
// Asked when the helper ends, for one more office group to end: the office the helper keeps
// may have been started by another helper since.
void setOfficeFinder(std::function<pid_t()> finder);
// The files an office leaves behind when it is killed, removed once the watchdog has killed it.
void setOfficeFiles(const QStringList& paths);
// A file or folder to remove when the helper gives up.
void addTemporary(const QString& path);
void removeTemporary(const QString& path);

} // namespace Watchdog
