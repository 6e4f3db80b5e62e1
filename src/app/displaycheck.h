#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class CaptionTable;

// Whether a window can be shown at all, checked before the GUI starts, so that a start without
// a display ends with one line that names what is missing instead of Qt's abort.
namespace DisplayCheck {

enum class Missing { Nothing, NoDisplay, NoWaylandPlugin, Unreachable };

struct Finding {
    Missing missing = Missing::Nothing;
    // The display that cannot be reached: its variable and value ("DISPLAY", ":5").
    QString variable;
    QString display;
};

// What the check reads: environment variables, whether Qt's Wayland plugin is installed, and
// whether a display's socket answers.
struct Environment {
    std::function<QByteArray(const char*)> variable;
    bool waylandPlugin = false;
    std::function<bool(const QByteArray& display)> xReachable;
    std::function<bool(const QByteArray& display)> waylandReachable;
    // This process's environment.
    static Environment current();
};

// A platform named in QT_QPA_PLATFORM that needs no display (offscreen, minimal, vnc, ...) is
// respected and finds nothing missing.
Finding check(const Environment& environment);

// The one line that says what is missing, in the language of the interface.
QString message(const Finding& finding, const CaptionTable& captions);

// The check for this process. When a display is missing it prints the line on standard error
// in the user's language (the options and language files of the program directory are read
// for it, nothing is written) and gives the exit code; nothing when the start can go on.
std::optional<int> refuseWithoutDisplay(int argc, char** argv);

} // namespace DisplayCheck
