#pragma once

#include <functional>

// The program's one way of waiting in place: the web engine keeps running, user input is held
// back, and the wait always ends after the time given. While a wait is in progress the program's
// own timers (auto-hide, harvest, deferred start) do nothing: they check active().
namespace Wait {

void sleep(int milliseconds);

// Waits until done() is true or the time is up; true when done() became true.
bool until(const std::function<bool()>& done, int milliseconds);
// The same, with user input delivered: the caller filters it (a wait that the user may end).
bool untilWithInput(const std::function<bool()>& done, int milliseconds);

bool active();

} // namespace Wait
