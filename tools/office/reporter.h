#pragma once

#include <QString>

class QJsonObject;

// The helper's answers on standard output: one JSON object per line, each written whole and
// flushed at once, from the job's thread and from the watchdog alike.
namespace Reporter {

void line(const QJsonObject& object);
void step(const char* name);
void officePid(qint64 pid);
// {"done": true} with the given fields added.
void done(const QJsonObject& fields);
void failed(const char* step, const QString& error);
// Writes the last answer and keeps every later one from being written (the process is ending).
// A failure because the step's time ran out says so with "timeout": true, a refusal names its
// reason in "refused".
void finalFailure(const char* step, const QString& error, bool timedOut = false,
                  const char* refused = nullptr);

} // namespace Reporter
