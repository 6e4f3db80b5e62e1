#pragma once

#include <QIcon>

// Registers the program's built-in resources (start page, icons). The library is static, so its
// resources must be registered once before they are used.
void initResources();

// The program's own icon, in every size it is drawn in (the same as the installed icon).
QIcon programIcon();
