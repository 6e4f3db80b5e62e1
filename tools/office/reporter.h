#pragma once

#include "answer.h"

#include <QString>

// The helper's answers on standard output: one JSON object per line, each written whole and
// flushed at once, from the job's thread and from the watchdog alike.
namespace Reporter {

void send(const OfficeAnswer& answer);
void step(OfficeStep step);
void officePid(qint64 pid);
void failed(OfficeStep step, const QString& error);
// Writes the last answer and keeps every later one from being written (the process is ending).
// A failure because the step's time ran out says so, a refusal names its reason.
void finalFailure(OfficeStep step, const QString& error, bool timedOut = false,
                  OfficeRefusal refused = OfficeRefusal::None);

} // namespace Reporter
