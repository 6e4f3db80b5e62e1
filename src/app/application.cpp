#include "app/application.h"

#include "app/frmstart.h"
#include "app/module.h"
#include "browse/enginelog.h"
#include "browse/webprofile.h"
#include "commandbar/commandpool.h"
#include "platform/desktop.h"
#include "platform/resources.h"

#include <QApplication>

#include <unistd.h>

namespace Application {

int run(int argc, char** argv)
{
    // The web engine's sandbox cannot run as root.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    EngineLog::quieten();
    WebProfile::keepOutOfUserFolders();
    WebProfile::registerSchemes();

    // The program reads no command line: Qt and the web engine get the program's name alone, so
    // no argument (-stylesheet, -platformpluginpath, an engine switch, ...) changes anything.
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QApplication app(qtArgc, qtArgv);
    initResources();
    QApplication::setApplicationName(QStringLiteral("orvelquorvink"));
    QApplication::setOrganizationName(QStringLiteral("OrvelQuorvink"));
    // The desktop entry's name: a Wayland compositor matches the window to its entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.orvelquorvink.OrvelQuorvink"));
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::setWindowIcon(programIcon());

    Desktop desktop;
    Module module(ProgramDir::locate(), desktop);
    // The command entries outlive every window that shows them.
    CommandPool pool;
    frmStart window(module, pool);
    window.start();
    return app.exec();
}

} // namespace Application
