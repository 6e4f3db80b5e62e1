#include "keeper.h"

#include "document.h"
#include "exports.h"
#include "failure.h"
#include "office.h"
#include "reporter.h"
#include "uno.h"
#include "watchdog.h"

#include <QDir>
#include <QTemporaryDir>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace {

// The offices this process started are its children: they are reaped here when they end.
void reap()
{
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

// The word processor's code and its filters load as they are first used: one small page read the
// way the exports read theirs, written as a document and read back, makes the first export as
// quick as the ones after it.
void loadWordProcessor(const Office& office)
{
    enter(OfficeStep::Open, kOpenBound);
    const QTemporaryDir folder;
    Watchdog::addTemporary(folder.path());
    const QString document = folder.filePath(QStringLiteral("warm.doc"));
    {
        const Document page(readModel(office.context(), "com.sun.star.text.TextDocument",
                                      "<html><body><h1>.</h1><p><a href=\"#a\">.</a></p>"
                                      "<table border=\"1\"><tr><th>.</th><td>.</td></tr></table>"
                                      "</body></html>",
                                      "HTML (StarWriter)"));
        storeTo(page.component(), document, "MS Word 97", document);
    }
    const Document again(
        loadModel(office.context(), document, document, "com.sun.star.text.TextDocument", true));
    Watchdog::removeTemporary(folder.path());
}

void start(const QString& profile)
{
    Office office(profile);
    try {
        enter(OfficeStep::Start, kStartBound);
        // An office that ran already has its code loaded.
        const bool running = office.recordedPid() > 0;
        office.open();
        if (!running)
            loadWordProcessor(office);
    } catch (const Failure& f) {
        // The export that follows starts the office itself and reports what fails.
        Reporter::failed(OfficeStep::Start, f.message);
    } catch (const css::uno::Exception& e) {
        Reporter::failed(OfficeStep::Start, describe(e));
    }
    Watchdog::disarm();
    Watchdog::setOfficeGroup(0);
}

void quit(const QString& profile)
{
    Office office(profile);
    Watchdog::arm(OfficeStep::Start, kCleanupBound);
    try {
        if (office.attach()) {
            office.terminate();
            return;
        }
    } catch (const css::uno::Exception&) {
        // Killed below.
    }
    office.kill();
}

// One line of standard input; false at its end. Offices that ended meanwhile are reaped.
bool readLine(std::string& line)
{
    line.clear();
    for (;;) {
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (::poll(&input, 1, 500) <= 0) {
            reap();
            continue;
        }
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        if (c == '\n')
            return true;
        line += c;
    }
}

} // namespace

int keepOffice(const QString& profile)
{
    if (profile.isEmpty()) {
        Reporter::failed(OfficeStep::Start, QStringLiteral("no profile folder for the office"));
        return 2;
    }
    // Whatever ends this process ends the office of the profile, whichever helper started it,
    // and removes what the office leaves behind.
    Watchdog::setOfficeFinder([profile] { return Office(profile).recordedPid(); });
    QDir().mkpath(profile);
    Watchdog::setOfficeFiles(Office(profile).leftovers());
    std::string line;
    while (readLine(line)) {
        if (line == "start") {
            start(profile);
        } else if (line == "quit") {
            quit(profile);
            Watchdog::disarm();
            Reporter::send(OfficeAnswer::done());
            return 0;
        }
    }
    // The browser is gone, or closed its side without asking to quit.
    Office(profile).kill();
    return 0;
}
