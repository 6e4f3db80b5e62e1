#pragma once

#include <QString>

// The four drawing styles of the command bars, as style sheets applied to a command-bar control
// (its toolbar, its buttons and the menus they open).
namespace BarStyles {

enum Style { System = 0, Office = 1, Money = 2, XP = 3 };
constexpr int kCount = 4;

// Any value outside 0..3 is drawn as the system style.
int normalized(int style);

// The style sheet of a style; the system style has none (the platform's own look).
QString styleSheet(int style);

} // namespace BarStyles
