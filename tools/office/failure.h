#pragma once

#include <QString>

// A step of the helper that cannot go on. The message names what failed: the file that cannot
// be read or written, the office program that cannot be started.
struct Failure {
    QString message;
};
