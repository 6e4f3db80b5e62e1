#include "app/displaycheck.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/programfiles.h"
#include "core/programdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTextStream>

#include <optional>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace DisplayCheck {

namespace {

// Connects to a local socket by path, or in the abstract namespace when abstract is true.
bool answers(const QByteArray& path, bool abstract)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const qsizetype offset = abstract ? 1 : 0;
    if (path.isEmpty() || path.size() + offset >= qsizetype(sizeof address.sun_path))
        return false;
    memcpy(address.sun_path + offset, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size());
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
    ::close(fd);
    return ok;
}

// Whether the system lists a socket listening on the path (or on the abstract name, with '@'),
// without asking the server: an X server whose only client leaves resets itself, which would
// hold up the program's own connection. Nothing when the list cannot be read.
std::optional<bool> listed(const QList<QByteArray>& names)
{
    QFile list(QStringLiteral("/proc/net/unix"));
    if (!list.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Num RefCount Protocol Flags Type St Inode Path; the flag 00010000 marks a listening socket.
    constexpr qulonglong kListening = 0x10000;
    for (QByteArray line = list.readLine(); !line.isEmpty(); line = list.readLine()) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 8 && (fields[3].toULongLong(nullptr, 16) & kListening) &&
            names.contains(fields[7]))
            return true;
    }
    return false;
}

// ":0", ":0.0", "unix:1": a local X server, reached through its socket; a display on another
// host is taken as reachable (the check does not go on the network).
bool xAnswers(const QByteArray& display)
{
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0)
        return false;
    const QByteArray host = display.left(colon);
    if (!host.isEmpty() && host != "unix")
        return true;
    QByteArray number = display.mid(colon + 1);
    if (const qsizetype dot = number.indexOf('.'); dot >= 0)
        number.truncate(dot);
    const QByteArray socket = "/tmp/.X11-unix/X" + number;
    const std::optional<bool> listening = listed({socket, '@' + socket});
    if (listening.value_or(false))
        return true;
    // The list holds the sockets of this process's network only: a server outside it (a
    // container's host) is asked through its socket file.
    if (QFileInfo(QFile::decodeName(socket)).exists())
        return answers(socket, false);
    return !listening && answers(socket, true);
}

bool waylandAnswers(const QByteArray& display)
{
    if (display.startsWith('/'))
        return answers(display, false);
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && answers(runtime + '/' + display, false);
}

} // namespace

Environment Environment::current()
{
    Environment e;
    e.variable = [](const char* name) { return qgetenv(name); };
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    e.waylandPlugin = !platforms.entryList({QStringLiteral("libqwayland*.so")}).isEmpty();
    e.xReachable = xAnswers;
    e.waylandReachable = waylandAnswers;
    return e;
}

Finding check(const Environment& e)
{
    // An explicit platform list ("wayland;xcb", "offscreen"): only the display platforms in it
    // are checked, and any other platform is left to Qt.
    const QByteArray platform = e.variable("QT_QPA_PLATFORM");
    bool tryX = true;
    bool tryWayland = true;
    if (!platform.isEmpty()) {
        tryX = tryWayland = false;
        for (const QByteArray& entry : platform.split(';')) {
            const QByteArray name = entry.split(':').constFirst().trimmed();
            if (name == "xcb")
                tryX = true;
            else if (name.startsWith("wayland"))
                tryWayland = true;
            else if (!name.isEmpty())
                return {};
        }
    }
    const QByteArray x = e.variable("DISPLAY");
    const QByteArray wayland = e.variable("WAYLAND_DISPLAY");

    if (tryWayland && !wayland.isEmpty() && e.waylandPlugin && e.waylandReachable(wayland))
        return {};
    if (tryX && !x.isEmpty() && e.xReachable(x))
        return {};

    // A Wayland compositor is there, but Qt cannot speak to it.
    if (tryWayland && !wayland.isEmpty() && !e.waylandPlugin)
        return {Missing::NoWaylandPlugin, {}, {}};
    if (tryX && !x.isEmpty())
        return {Missing::Unreachable, QStringLiteral("DISPLAY"), QString::fromLocal8Bit(x)};
    if (tryWayland && !wayland.isEmpty())
        return {Missing::Unreachable, QStringLiteral("WAYLAND_DISPLAY"),
                QString::fromLocal8Bit(wayland)};
    return {Missing::NoDisplay, {}, {}};
}

QString message(const Finding& finding, const CaptionTable& captions)
{
    switch (finding.missing) {
    case Missing::Nothing:
        break;
    case Missing::NoDisplay:
        return captions.textOrEnglish(CaptionNo::NoDisplaySet);
    case Missing::NoWaylandPlugin:
        return captions.textOrEnglish(CaptionNo::NoWaylandPlugin)
            .arg(QStringLiteral("qt6-wayland"));
    case Missing::Unreachable:
        return captions.textOrEnglish(CaptionNo::DisplayUnreachable)
            .arg(finding.display, finding.variable);
    }
    return {};
}

std::optional<int> refuseWithoutDisplay(int argc, char** argv)
{
    const Finding finding = check(Environment::current());
    if (finding.missing == Missing::Nothing)
        return std::nullopt;
    // Without a display the line is all the program shows: in the user's language when the
    // program directory says which.
    int coreArgc = argc > 0 ? 1 : 0;
    char* coreArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    const QCoreApplication core(coreArgc, coreArgv);
    QCoreApplication::setApplicationName(QStringLiteral("orvelquorvink"));
    QCoreApplication::setOrganizationName(QStringLiteral("OrvelQuorvink"));
    // A refused start writes nothing: the program directory is only read.
    const ProgramDir dir = ProgramDir::existing();
    const Options options = OptionsFile::peek(dir.path(ProgramFiles::Options)).value_or(Options{});
    CaptionTable captions;
    LanguageSettings lang;
    if (!LanguageFile::read(dir.path(ProgramFiles::languageFile(options.Lang_Name)), captions, lang)
             .ok)
        LanguageFile::read(dir.path(ProgramFiles::languageFile(QStringLiteral("English"))),
                           captions, lang);
    QTextStream(stderr) << message(finding, captions) << Qt::endl;
    return 1;
}

} // namespace DisplayCheck
