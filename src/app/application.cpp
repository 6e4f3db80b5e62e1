#include "app/application.h"

#include "app/browser.h"
#include "app/displaycheck.h"
#include "app/exitsignals.h"
#include "app/module.h"
#include "browse/enginelog.h"
#include "browse/webprofile.h"
#include "commandbar/commandpool.h"
#include "config/programfiles.h"
#include "platform/desktop.h"
#include "platform/resources.h"

#include <QApplication>
#include <QSessionManager>

#include <unistd.h>

namespace Application {

namespace {

// Every way of ending ends the process once the exit sequence has run: the exit commands (which
// hide the window before it closes), the window's frame, a signal (SIGTERM, SIGINT, SIGHUP) and
// the end of the desktop session. The session manager's request to save writes the files.
void endWithTheWindow(QApplication& app, Browser& browser, ExitSignals& exitSignals)
{
    QObject::connect(&browser, &Browser::exited, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&exitSignals, &ExitSignals::exitRequested, &browser, &Browser::requestExit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &browser,
                     [&browser](QSessionManager& manager) {
                         const QList<TextFile::Result> failures = browser.saveState();
                         if (!failures.isEmpty() && manager.allowsInteraction()) {
                             browser.notSaved(failures);
                             manager.release();
                         }
                     });
}

} // namespace

int run(int argc, char** argv)
{
    if (const std::optional<int> refused = DisplayCheck::refuseWithoutDisplay(argc, argv))
        return *refused;

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
    desktop.keepSaveFolder(
        SaveFolder(module.ext.value(ExtKeys::SaveFolder), [&module](const QString& folder) {
            module.ext.set(ExtKeys::SaveFolder, folder);
        }));
    // The command entries outlive every window that shows them.
    CommandPool pool;
    Browser browser(module, pool);
    ExitSignals exitSignals;
    endWithTheWindow(app, browser, exitSignals);
    browser.start();
    return app.exec();
}

} // namespace Application
