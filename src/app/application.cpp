#include "app/application.h"

#include "app/browser.h"
#include "app/displaycheck.h"
#include "app/exitsignals.h"
#include "app/frmstart.h"
#include "app/module.h"
#include "app/oneprogram.h"
#include "browse/downloads.h"
#include "browse/enginelog.h"
#include "browse/webprofile.h"
#include "commandbar/commandpool.h"
#include "config/programfiles.h"
#include "core/startmarks.h"
#include "platform/desktop.h"
#include "platform/resources.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <cstdlib>
#include <unistd.h>

namespace Application {

namespace {

// How long a second start waits for the running program to answer.
constexpr int kAnswerMs = 2000;

// Every way of ending ends the process once the exit sequence has run: the exit commands (which
// hide the window before it closes), the window's frame, a signal (SIGTERM, SIGINT, SIGHUP) and
// the end of the desktop session. The session manager's request to save writes the files. The
// process ends with 1 when the exit could not write some of them.
void endWithTheWindow(QApplication& app, Browser& browser, ExitSignals& exitSignals)
{
    QObject::connect(
        &browser, &Browser::exited, &app,
        [&browser] { QCoreApplication::exit(browser.saveFailed() ? 1 : 0); }, Qt::QueuedConnection);
    QObject::connect(&exitSignals, &ExitSignals::exitRequested, &browser, &Browser::requestExit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &browser,
                     [&browser](QSessionManager& manager) {
                         // The session ends: transfers stop without a question.
                         browser.downloads().cancelAll();
                         const QList<TextFile::Result> failures = browser.saveState();
                         if (!failures.isEmpty() && manager.allowsInteraction()) {
                             browser.notSaved(failures);
                             manager.release();
                         }
                     });
}

QtMessageHandler g_qtMessages = nullptr;

// Qt ends a start whose display refuses it (one the check cannot judge, such as a display on
// another host) with an abort and its core dump; the start ends with a failure code instead,
// after Qt's own lines, having written nothing.
void failWithoutAbort(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (g_qtMessages)
        g_qtMessages(type, context, text);
    if (type == QtFatalMsg)
        std::_Exit(1);
}

// The running program's window comes to the front, asked by a later start; a window it shows
// over it (the link tables, a message) comes with it.
void bringToFront(QWidget& window)
{
    if (!window.isVisible())
        return;
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.raise();
    window.activateWindow();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
    }
}

} // namespace

int run(int argc, char** argv)
{
    StartMarks::mark("main");
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
    g_qtMessages = qInstallMessageHandler(failWithoutAbort);
    QApplication app(qtArgc, qtArgv);
    qInstallMessageHandler(g_qtMessages);
    StartMarks::mark("application made");
    initResources();
    QApplication::setApplicationName(QStringLiteral("orvelquorvink"));
    QApplication::setOrganizationName(QStringLiteral("OrvelQuorvink"));
    // The desktop entry's name: a Wayland compositor matches the window to its entry and icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.orvelquorvink.OrvelQuorvink"));
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::setWindowIcon(programIcon());

    const ProgramDir dir = ProgramDir::locate();
    OneProgram oneProgram(dir.root(), dir.path(ProgramFiles::Lock));
    if (!oneProgram.claim()) {
        // A program runs on this directory already: its window comes to the front, and this
        // start ends as done, also when that program does not answer in time.
        oneProgram.askToShow(kAnswerMs);
        return 0;
    }

    StartMarks::mark("program directory held");
    Desktop desktop;
    Module module(dir, desktop);
    desktop.keepSaveFolder(
        SaveFolder(module.ext.value(ExtKeys::SaveFolder), [&module](const QString& folder) {
            module.ext.set(ExtKeys::SaveFolder, folder);
        }));
    // The command entries outlive every window that shows them.
    CommandPool pool;
    StartMarks::mark("module read");
    Browser browser(module, pool);
    StartMarks::mark("browser built");
    ExitSignals exitSignals;
    endWithTheWindow(app, browser, exitSignals);
    QObject::connect(&oneProgram, &OneProgram::showRequested, &browser,
                     [&browser] { bringToFront(browser.window()); });
    browser.start();
    StartMarks::mark("window shown");
    if (StartMarks::enabled())
        QTimer::singleShot(0, [] { StartMarks::mark("event loop running"); });
    return app.exec();
}

} // namespace Application
