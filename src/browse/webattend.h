#pragma once

#include <functional>

class BrowserView;

// WebAttend: waits until the current view has finished loading and its document is complete.
// A first wait of 500 ms, then polls every 1000 ms; the engine keeps running, user input is held
// back. Gives up after boundMs and returns false, so a page that never completes cannot block the
// caller for ever.
constexpr int kWebAttendBoundMs = 60000;

bool WebAttend(const std::function<BrowserView*()>& currentView, int boundMs = kWebAttendBoundMs);
