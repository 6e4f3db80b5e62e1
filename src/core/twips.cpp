#include "core/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace Twips {

double perPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / perPixel()));
}

double fromPixels(double pixels)
{
    return pixels * perPixel();
}

QRect toPixels(const QRect& twips)
{
    return QRect(toPixels(twips.x()), toPixels(twips.y()), toPixels(twips.width()),
                 toPixels(twips.height()));
}

QRect fromPixels(const QRect& pixels)
{
    return QRect(qRound(fromPixels(pixels.x())), qRound(fromPixels(pixels.y())),
                 qRound(fromPixels(pixels.width())), qRound(fromPixels(pixels.height())));
}

QSize screenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize px = screen ? screen->geometry().size() : QSize(1024, 768);
    return QSize(qRound(fromPixels(px.width())), qRound(fromPixels(px.height())));
}

} // namespace Twips
