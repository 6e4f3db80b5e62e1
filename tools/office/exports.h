#pragma once

#include "answer.h"

#include <QString>

#include <chrono>
#include <functional>

class Office;
struct OfficeRequest;

// The most each step may take before the helper gives up on the office.
inline constexpr std::chrono::milliseconds kStartBound{60'000};
inline constexpr std::chrono::milliseconds kOpenBound{60'000};
inline constexpr std::chrono::milliseconds kPasteBound{180'000};
inline constexpr std::chrono::milliseconds kSaveBound{120'000};
inline constexpr std::chrono::milliseconds kConvertBound{120'000};
inline constexpr std::chrono::milliseconds kCleanupBound{20'000};

// Reports the step and bounds it.
void enter(OfficeStep step, std::chrono::milliseconds bound);

// Connects to (or starts) the office of the profile and runs `work` in it, answering on standard
// output: the steps, then the "done" answer `work` returns, or "failed" naming the step.
// The office is ended afterwards unless it is kept, and always when it broke. Returns the exit
// code: 0 only after "done".
int runInOffice(const QString& profile, bool keepOffice,
                const std::function<OfficeAnswer(const Office&)>& work);

// Runs one request of the browser.
int runRequest(const OfficeRequest& request);
