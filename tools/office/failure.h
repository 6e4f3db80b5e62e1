#pragma once

#include "answer.h"

#include <QString>

// A step of the helper that cannot go on. The message names what failed: the file that cannot
// be read or written, the office program that cannot be started.
struct Failure {
    QString message;
    // Set when the helper refuses the work rather than fails at it: the browser says why in its
    // own words.
    OfficeRefusal refused = OfficeRefusal::None;
};
