// The ways of ending that do not come through the window: the signals a logout, `kill`, Ctrl+C
// or a closed terminal send become a request on the event loop, and a start without a display
// is refused with one line naming what is missing.
#include "app/displaycheck.h"
#include "app/exitsignals.h"
#include "config/languagefile.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QSignalSpy>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

class TestEnding : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    // The process lives on and the request arrives with the signal's number; signals that come
    // before the event loop reads them are all read.
    void signalsBecomeRequests()
    {
        for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
            ExitSignals exitSignals;
            QVERIFY(exitSignals.installed());
            QSignalSpy requests(&exitSignals, &ExitSignals::exitRequested);
            QCOMPARE(::raise(number), 0);
            QCOMPARE(::raise(SIGHUP), 0);
            QTRY_COMPARE(requests.size(), 2);
            QCOMPARE(requests.first().value(0).toInt(), number);
        }
    }

    // Once a request has been taken, a further signal ends the process at once: an exit that
    // hangs can always be ended. (A child stands for the program, with the state it inherits.)
    void aSecondSignalEndsAtOnce()
    {
        ExitSignals exitSignals;
        QSignalSpy requests(&exitSignals, &ExitSignals::exitRequested);
        QCOMPARE(::raise(SIGTERM), 0);
        QTRY_COMPARE(requests.size(), 1);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::raise(SIGHUP);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFSIGNALED(status), "the process lived on after a second signal");
        QCOMPARE(WTERMSIG(status), SIGHUP);
    }

    void displayCheck_data()
    {
        QTest::addColumn<QStringList>("variables"); // NAME=value
        QTest::addColumn<bool>("waylandPlugin");
        QTest::addColumn<QStringList>("reachable"); // displays whose socket answers
        QTest::addColumn<int>("missing");
        QTest::addColumn<QString>("lineHolds");
        using M = DisplayCheck::Missing;
        QTest::newRow("X") << QStringList{"DISPLAY=:0"} << false << QStringList{":0"}
                           << int(M::Nothing) << QString();
        QTest::newRow("nothing set") << QStringList{} << true << QStringList{} << int(M::NoDisplay)
                                     << "WAYLAND_DISPLAY nor DISPLAY";
        QTest::newRow("X gone") << QStringList{"DISPLAY=:5"} << false << QStringList{}
                                << int(M::Unreachable) << ":5 (DISPLAY)";
        QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << true
                                 << QStringList{"wayland-0"} << int(M::Nothing) << QString();
        QTest::newRow("Wayland without plugin")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"} << false
            << QStringList{"wayland-0"} << int(M::NoWaylandPlugin) << "qt6-wayland";
        QTest::newRow("Wayland without plugin, XWayland")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:1"} << false
            << QStringList{"wayland-0", ":1"} << int(M::Nothing) << QString();
        QTest::newRow("offscreen asked for") << QStringList{"QT_QPA_PLATFORM=offscreen"} << false
                                             << QStringList{} << int(M::Nothing) << QString();
        QTest::newRow("Wayland named, no compositor")
            << QStringList{"XDG_SESSION_TYPE=wayland"} << false << QStringList{}
            << int(M::NoDisplay) << "WAYLAND_DISPLAY nor DISPLAY";
        QTest::newRow("xcb asked for, none")
            << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"} << true
            << QStringList{"wayland-0"} << int(M::NoDisplay) << "DISPLAY";
    }
    void displayCheck()
    {
        QFETCH(QStringList, variables);
        QFETCH(bool, waylandPlugin);
        QFETCH(QStringList, reachable);
        QFETCH(int, missing);
        QFETCH(QString, lineHolds);
        DisplayCheck::Environment e;
        e.variable = [&variables](const char* name) {
            for (const QString& v : variables) {
                if (v.section(QLatin1Char('='), 0, 0) == QLatin1String(name))
                    return v.section(QLatin1Char('='), 1).toUtf8();
            }
            return QByteArray();
        };
        e.waylandPlugin = waylandPlugin;
        const auto answers = [&reachable](const QByteArray& d) {
            return reachable.contains(QString::fromUtf8(d));
        };
        e.xReachable = answers;
        e.waylandReachable = answers;
        const DisplayCheck::Finding finding = DisplayCheck::check(e);
        QCOMPARE(int(finding.missing), missing);
        const QString line = DisplayCheck::message(finding, CaptionTable());
        QCOMPARE(line.isEmpty(), lineHolds.isEmpty());
        QVERIFY2(line.contains(lineHolds), qPrintable(line));
        QVERIFY(!line.contains(QLatin1Char('\n')));
    }

    // The real check finds an X server by its listening socket, here one in the abstract
    // namespace (no file), without connecting to it; once it is closed the display is gone.
    void xServerListening()
    {
        const QByteArray display = ':' + QByteArray::number(60000 + ::getpid() % 5000);
        const QByteArray name = "/tmp/.X11-unix/X" + display.mid(1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        QVERIFY(fd >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        memcpy(address.sun_path + 1, name.constData(), size_t(name.size()));
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
        QVERIFY(::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0);
        const DisplayCheck::Environment e = DisplayCheck::Environment::current();
        QVERIFY(!e.xReachable(display)); // bound, not yet listening
        QVERIFY(::listen(fd, 1) == 0);
        QVERIFY(e.xReachable(display));
        // Nobody connected: the server sees no client come and go.
        const int client = ::accept4(fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        QCOMPARE(client, -1);
        ::close(fd);
        QVERIFY(!e.xReachable(display));
    }
};

QUORVINK_CORE_TEST_MAIN(TestEnding)
#include "test_ending.moc"
