#include "windows/windowplacement.h"

#include "config/settingsfile.h"
#include "core/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

bool onAnyScreen(const QRect& pixels)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens) {
        if (screen->geometry().intersects(pixels))
            return true;
    }
    return screens.isEmpty();
}

void centre(WindowPlace& remembered, QSize designTwips)
{
    const QSize screen = Twips::screenSize();
    remembered.height = designTwips.height();
    remembered.width = designTwips.width();
    remembered.top = qMax(0, (screen.height() - designTwips.height()) / 2);
    remembered.left = qMax(0, (screen.width() - designTwips.width()) / 2);
}

QRect pixelsOf(const WindowPlace& place)
{
    return QRect(Twips::toPixels(place.left), Twips::toPixels(place.top),
                 Twips::toPixels(place.width), Twips::toPixels(place.height));
}

} // namespace

namespace WindowPlacement {

void place(QWidget* window, WindowPlace& remembered, bool placed, QSize designTwips)
{
    if (!placed || !onAnyScreen(pixelsOf(remembered)))
        centre(remembered, designTwips);
    const QRect pixels = pixelsOf(remembered);
    window->move(pixels.topLeft());
    window->resize(pixels.size());
}

void remember(const QWidget* window, WindowPlace& remembered, bool size)
{
    remembered.top = Twips::fromPixels(window->y());
    remembered.left = Twips::fromPixels(window->x());
    if (size) {
        remembered.height = Twips::fromPixels(window->height());
        remembered.width = Twips::fromPixels(window->width());
    }
}

} // namespace WindowPlacement
