#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window positions and sizes are kept in twips (1440 to the inch, 15 to the pixel at 96 dots per
// inch); the screen's real logical dots per inch convert them.
namespace Twips {

double perPixel();
int toPixels(double twips);
double fromPixels(double pixels);
QRect toPixels(const QRect& twips);
QRect fromPixels(const QRect& pixels);
QSize screenSize(); // the primary screen in twips

} // namespace Twips
