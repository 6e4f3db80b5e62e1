#pragma once

#include <QString>

// orvelquorvink-office --keep PROFILE: keeps the private office of a profile for the browser that
// started it, and ends that office with the browser. It reads lines on standard input:
//   start  starts the office in the background, so that the next export finds it running
//   quit   ends the office, answers {"done": true} and ends
// The end of its input (the browser closed it, or is gone) and SIGTERM (the kernel sends it when
// the browser ends in any way, killed included) end the office's whole process group at once.
int keepOffice(const QString& profile);
