#pragma once

#include <QSize>

class QWidget;
struct WindowPlace;

// Where the secondary windows open: at the place remembered for them, in twips (the frame's top
// left corner and the inner size), or centred on the screen at their design size.
namespace WindowPlacement {

// Centres a window that was never placed at its design size and remembers that place, then puts
// the window at the remembered place. A place on no screen (a screen that has gone) is centred
// instead, and a centred window never starts above or left of the screen.
void place(QWidget* window, WindowPlace& remembered, bool placed, QSize designTwips);

// The window's frame position, and with size its inner size, into the remembered place.
void remember(const QWidget* window, WindowPlace& remembered, bool size);

} // namespace WindowPlacement
