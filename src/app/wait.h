#pragma once

// The program's one way of waiting in place: the web engine keeps running, user input is held
// back, and the wait always ends after the time given. While a wait is in progress the program's
// own timers (auto-hide, harvest, deferred start) do nothing: they check active().
namespace Wait {

void sleep(int milliseconds);
bool active();

} // namespace Wait
