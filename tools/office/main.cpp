// orvelquorvink-office: one office export of the browser, run against a private, headless
// LibreOffice. The request is one JSON object on standard input; the answers are JSON lines on
// standard output (see exports.h). The browser keeps the office of its profile between exports
// with one more helper (see keeper.h):
//   orvelquorvink-office --keep PROFILE
// Two more modes serve tests and the build:
//   orvelquorvink-office --read FILE [PROFILE]
//   orvelquorvink-office --make-template FILE portrait|landscape [PROFILE]

#include "exports.h"
#include "failure.h"
#include "keeper.h"
#include "readback.h"
#include "reporter.h"
#include "request.h"
#include "templates.h"
#include "watchdog.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    Watchdog::install();
    // The browser names itself; run by hand, the helper follows whoever started it.
    bool named = false;
    const qint64 parent = qEnvironmentVariableIntValue("QUORVINK_PARENT", &named);
    Watchdog::followParent(named ? pid_t(parent) : ::getppid());
    const QStringList args = QCoreApplication::arguments();

    if (args.size() == 1) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            Reporter::failed(OfficeStep::Start, QStringLiteral("cannot read the request"));
            return 1;
        }
        try {
            return runRequest(OfficeRequest::fromJson(input.readAll()));
        } catch (const Failure& f) {
            Reporter::failed(OfficeStep::Start, f.message);
            return 1;
        }
    }
    if (args.size() == 3 && args[1] == u"--keep")
        return keepOffice(args[2]);
    if (args.size() >= 3 && args.size() <= 4 && args[1] == u"--read")
        return readBack(args[2], args.value(3));
    if (args.size() >= 4 && args.size() <= 5 && args[1] == u"--make-template" &&
        (args[3] == u"portrait" || args[3] == u"landscape"))
        return makeTemplate(args[2], args[3] == u"landscape", args.value(4));

    std::fputs("usage: orvelquorvink-office < request.json\n"
               "       orvelquorvink-office --keep PROFILE\n"
               "       orvelquorvink-office --read FILE [PROFILE]\n"
               "       orvelquorvink-office --make-template FILE portrait|landscape [PROFILE]\n",
               stderr);
    return 2;
}
