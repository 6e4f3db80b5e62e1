// A browser stand-in for the tests of the office's life: it runs one export through the office
// session of a profile and says how far it got on standard output, one line each ("step NAME",
// "done", "failed ..."), then waits to be killed.
//   office_child HELPER PROFILE TARGET

#include "export/officesession.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fputs("usage: office_child HELPER PROFILE TARGET\n", stderr);
        return 2;
    }
    OfficeSession session(args[2]);
    session.setHelperPath(args[1]);
    QObject::connect(&session, &OfficeSession::stepChanged, [](OfficeJob::Step step) {
        std::printf("step %s\n", qPrintable(OfficeJob::stepName(step)));
        std::fflush(stdout);
    });
    QTimer::singleShot(0, &app, [&] {
        OfficeJob::Request r;
        r.kind = OfficeJob::Kind::Writer;
        r.html = QStringLiteral("<html><body><p>Killed with its browser</p></body></html>");
        r.target = args[3];
        const OfficeJob::Result result = session.run(r);
        std::printf(result.ok ? "done\n" : "failed %s\n", qPrintable(result.error));
        std::fflush(stdout);
    });
    return app.exec();
}
