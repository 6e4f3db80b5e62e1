#include "export/screenpicture.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "core/wait.h"
#include "export/screenportal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QScopeGuard>
#include <QScreen>
#include <QWidget>

namespace {

// How long the desktop's screenshot service may take to answer.
constexpr int kPortalBoundMs = 30000;

QString caption(const CaptionTable* captions, int number)
{
    return captions ? captions->textOrEnglish(number) : CaptionTable::english(number);
}

bool onWaylandPlatform()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Under a Wayland desktop even an X11 program sees only the X11 windows when it reads the screen:
// the desktop's own service is asked first there.
bool waylandSession()
{
    return onWaylandPlatform() || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

// The whole screen the widget is on, or a null image and why.
QImage grabScreen(const QWidget* widget, QString* error, const CaptionTable* captions)
{
    bool portalAsked = false;
    const auto askPortal = [&portalAsked] {
        if (portalAsked || !ScreenPortal::available())
            return QImage();
        portalAsked = true;
        return ScreenPortal::take(kPortalBoundMs);
    };
    QImage picture;
    if (waylandSession())
        picture = askPortal();
    if (picture.isNull() && !onWaylandPlatform()) {
        QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
        if (screen)
            picture = screen->grabWindow(0).toImage();
    }
    if (picture.isNull())
        picture = askPortal();
    if (picture.isNull() && error) {
        *error = portalAsked ? caption(captions, CaptionNo::PortalNoPicture)
                             : caption(captions, CaptionNo::ScreenNotReadable);
    }
    return picture;
}

} // namespace

QImage Load_ClipBoard(PictureWindow& window, QString* error, const CaptionTable* captions,
                      int settleMs)
{
    QWidget* w = window.window();
    window.hideBars();
    const auto showBars = qScopeGuard([&window] { window.showBars(); });
    if (w)
        w->update();
    // The page takes the place of the bars meanwhile: the wait keeps the engine and the window
    // painting, and holds back the user's input.
    Wait::sleep(settleMs);
    QImage picture = grabScreen(w, error, captions);
    if (!picture.isNull()) {
        picture = picture.convertToFormat(QImage::Format_RGB32);
        QGuiApplication::clipboard()->setImage(picture);
    }
    return picture;
}
