#include "office.h"

#include "failure.h"
#include "process.h"
#include "reporter.h"
#include "uno.h"
#include "watchdog.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/connection/ConnectionSetupException.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <com/sun/star/util/XFlushable.hpp>
#include <cppuhelper/bootstrap.hxx>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace css;
using css::uno::Reference;

namespace {

const QString kPidFileName = QStringLiteral("orvelquorvink-office.pid");
const QString kLockFileName = QStringLiteral("orvelquorvink-office.lock");

// Held while an office of the profile is being started or connected to; the system releases it
// when the process ends, however it ends.
class StartLock {
public:
    explicit StartLock(const QString& path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~StartLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    StartLock(const StartLock&) = delete;
    StartLock& operator=(const StartLock&) = delete;

private:
    int m_fd;
};
constexpr int kPollMs = 10;
// How long an office recorded for the profile may take to answer before it counts as stuck.
constexpr int kStartingMs = 30000;

// The helper's own side of the bridge. Without URE_BOOTSTRAP the bootstrap finds no type
// library and the first remote call never returns.
Reference<uno::XComponentContext> localContext()
{
    static Reference<uno::XComponentContext> context = [] {
        if (qEnvironmentVariableIsEmpty("URE_BOOTSTRAP"))
            qputenv("URE_BOOTSTRAP",
                    "vnd.sun.star.pathname:" QUORVINK_LO_PROGRAM_DIR "/fundamentalrc");
        try {
            return cppu::defaultBootstrap_InitialComponentContext();
        } catch (const uno::Exception& e) {
            throw Failure{
                QStringLiteral("cannot load the office's UNO libraries: %1").arg(describe(e))};
        }
    }();
    return context;
}

QString canonicalFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

Office::Office(const QString& profileDir)
    : m_profile(profileDir), m_pidFile(QDir(profileDir).filePath(kPidFileName))
{
}

QString Office::sofficePath()
{
    const QString configured = qEnvironmentVariable("QUORVINK_SOFFICE");
    if (!configured.isEmpty())
        return configured;
    const QString beside = QStringLiteral(QUORVINK_LO_PROGRAM_DIR "/soffice");
    if (QFileInfo(beside).isExecutable())
        return beside;
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    return onPath.isEmpty() ? beside : onPath;
}

// Asked for only once the profile folder exists, so that the name comes from its canonical path.
QString Office::pipe() const
{
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(m_profile).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QStringLiteral("orvelquorvink_%1_%2").arg(::getuid()).arg(QLatin1String(hash));
}

QByteArray Office::profileUrl() const
{
    return QUrl::fromLocalFile(canonicalFolder(m_profile)).toEncoded();
}

QStringList Office::leftovers() const
{
    // The socket that keeps a second office off the profile is named after the MD5 of the
    // profile's address as UTF-16 (little-endian), each byte in hexadecimal without a leading 0.
    QByteArray utf16;
    for (const char c : profileUrl())
        utf16.append(c).append('\0');
    QString single = QStringLiteral("SingleOfficeIPC_");
    for (const char byte : QCryptographicHash::hash(utf16, QCryptographicHash::Md5))
        single += QString::number(uchar(byte), 16);
    QStringList paths;
    // The office's sockets go to the first of these folders it may write to.
    for (const char* folder : {"/tmp", "/var/tmp"}) {
        for (const QString& name : {pipe(), single})
            paths << QStringLiteral("%1/OSL_PIPE_%2_%3")
                         .arg(QLatin1String(folder))
                         .arg(::getuid())
                         .arg(name);
    }
    paths << QDir(m_profile).filePath(QStringLiteral(".lock"));
    return paths;
}

void Office::removeLeftovers(bool closing) const
{
    if (QFileInfo(m_profile).isDir())
        ::removeLeftovers(leftovers(), closing ? 3000 : 0);
}

void Office::forget()
{
    QFile::remove(m_pidFile);
    Watchdog::setOfficeGroup(0);
    m_pid = 0;
    removeLeftovers();
}

bool Office::tryConnect()
{
    const OUString url =
        toOUString(QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipe()));
    try {
        const Reference<uno::XInterface> remote =
            bridge::UnoUrlResolver::create(localContext())->resolve(url);
        m_context.set(remote, uno::UNO_QUERY_THROW);
        m_desktop = frame::Desktop::create(m_context);
        return true;
    } catch (const connection::NoConnectException&) {
    } catch (const connection::ConnectionSetupException&) {
    } catch (const lang::DisposedException&) {
        // The office went down between the answer and the first call.
    }
    m_context.clear();
    m_desktop.clear();
    return false;
}

bool Office::attach()
{
    if (!QFileInfo(m_profile).isDir() || !tryConnect())
        return false;
    m_pid = recordedPid();
    Watchdog::setOfficeGroup(m_pid);
    Watchdog::setOfficeFiles(leftovers());
    if (m_pid > 0)
        Reporter::officePid(m_pid);
    return true;
}

void Office::open()
{
    if (!QDir().mkpath(m_profile))
        throw Failure{QStringLiteral("cannot create the office profile folder %1").arg(m_profile)};
    // One helper at a time starts the office of a profile (the keeper may be starting it ahead
    // of this export): the others wait here, then find it recorded.
    const StartLock lock(QDir(m_profile).filePath(kLockFileName));
    // Every office on this profile's pipe is started here and recorded in the profile. One that
    // is recorded is connected to; if it does not answer, it is either still starting (it gets
    // a while: the browser starts it ahead of an export) or stuck, and is killed: a second
    // office on the same profile would only hand its arguments over to it and end.
    const pid_t recorded = recordedPid();
    if (recorded > 0) {
        // Ended with the helper if the helper is stopped while it waits.
        Watchdog::setOfficeGroup(recorded);
        for (int waited = 0; waited < kStartingMs && processAlive(recorded); waited += kPollMs) {
            if (attach())
                return;
            QThread::msleep(kPollMs);
        }
        ::kill(-recorded, SIGKILL);
        waitGroupGone(recorded, 5000);
    }
    // What an office killed before left behind.
    removeLeftovers(false);

    // Started before the helper's own side of the bridge is set up, so that the two overlap.
    spawn();
    for (;;) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            ::kill(-m_pid, SIGKILL);
            forget();
            // An office listening without a record took the new one's arguments over.
            if (attach())
                return;
            throw Failure{QStringLiteral("the office program %1 ended at start (%2 %3)")
                              .arg(sofficePath(), WIFEXITED(status) ? QStringLiteral("exit code")
                                                                    : QStringLiteral("signal"))
                              .arg(WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status))};
        }
        if (tryConnect())
            break;
        QThread::msleep(kPollMs);
    }
    forbidActiveContent();
    recordSetupVersion();
}

void Office::spawn()
{
    const QString program = sofficePath();
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        throw Failure{QStringLiteral("the office program %1 cannot be found; install LibreOffice "
                                     "(libreoffice-core and libreoffice-writer-nogui)")
                          .arg(program)};

    const QList<QByteArray> arguments = {
        QFile::encodeName(program),
        "--headless",
        "--invisible",
        "--nologo",
        "--nodefault",
        "--norestore",
        "--nolockcheck",
        "-env:UserInstallation=" + profileUrl(),
        "--accept=pipe,name=" + pipe().toUtf8() + ";urp;StarOffice.ComponentContext",
    };
    std::vector<char*> argv;
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);

    // Its own process group, so that it can be killed whole (soffice starts soffice.bin as a
    // child); no terminal input and nothing written into the helper's answers.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : {SIGPIPE, SIGTERM, SIGINT, SIGHUP})
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF |
                                              POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    std::unique_lock<std::mutex> ending = Watchdog::holdEnd();
    const int error = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        throw Failure{QStringLiteral("cannot start the office program %1: %2")
                          .arg(program, QString::fromLocal8Bit(std::strerror(error)))};

    m_pid = pid;
    Watchdog::setOfficeGroup(pid);
    ending.unlock();
    Watchdog::setOfficeFiles(leftovers());
    Reporter::officePid(pid);
    try {
        writePidFile();
    } catch (const Failure&) {
        // Unrecorded, the office would outlive every helper that could end it.
        ::kill(-pid, SIGKILL);
        waitGroupGone(pid, 5000);
        forget();
        throw;
    }
}

// A profile whose last version differs from the office's own makes every start look like the
// first one after an upgrade, which costs most of a second; record it once.
void Office::recordSetupVersion()
{
    try {
        const Reference<lang::XMultiServiceFactory> provider =
            configuration::theDefaultProvider::get(m_context);
        const uno::Sequence<uno::Any> path = sequence({uno::Any(beans::NamedValue(
            OUString("nodepath"), uno::Any(OUString("/org.openoffice.Setup/Product"))))});
        const Reference<beans::XPropertySet> product(
            provider->createInstanceWithArguments(
                OUString("com.sun.star.configuration.ConfigurationUpdateAccess"), path),
            uno::UNO_QUERY_THROW);
        OUString version;
        OUString last;
        product->getPropertyValue(OUString("ooSetupVersion")) >>= version;
        product->getPropertyValue(OUString("ooSetupLastVersion")) >>= last;
        if (version.isEmpty() || version == last)
            return;
        product->setPropertyValue(OUString("ooSetupLastVersion"), uno::Any(version));
        Reference<util::XChangesBatch>(product, uno::UNO_QUERY_THROW)->commitChanges();
        Reference<util::XFlushable>(provider, uno::UNO_QUERY_THROW)->flush();
    } catch (const uno::Exception&) {
        // Only a slower next start.
    }
}

// The profile allows nothing a document could run or fetch: no macros of any kind, no update of
// linked content (Writer counts "never" as 0, Calc as 1), no recalculation of loaded formulas, no
// plug-ins, no links followed from documents of unknown origin. The office reads these when it
// meets a document, so they are in force before the first export; they are kept in the profile.
void Office::forbidActiveContent()
{
    struct Setting {
        const char* node;
        const char* name;
        uno::Any value;
    };
    const Setting settings[] = {
        {"/org.openoffice.Office.Common/Security/Scripting", "MacroSecurityLevel",
         uno::Any(sal_Int32(3))},
        {"/org.openoffice.Office.Common/Security/Scripting", "DisableMacrosExecution",
         uno::Any(true)},
        {"/org.openoffice.Office.Common/Security/Scripting", "OfficeBasic", uno::Any(sal_Int32(0))},
        {"/org.openoffice.Office.Common/Security/Scripting", "ExecutePlugins", uno::Any(false)},
        {"/org.openoffice.Office.Common/Security/Scripting", "BlockUntrustedRefererLinks",
         uno::Any(true)},
        {"/org.openoffice.Office.Common/Security/Scripting", "CheckDocumentEvents", uno::Any(true)},
        {"/org.openoffice.Office.Common/Misc", "PluginsEnabled", uno::Any(false)},
        {"/org.openoffice.Office.Writer/Content/Update", "Link", uno::Any(sal_Int32(0))},
        {"/org.openoffice.Office.Calc/Content/Update", "Link", uno::Any(sal_Int32(1))},
        {"/org.openoffice.Office.Calc/Formula/Load", "ODFRecalcMode", uno::Any(sal_Int32(1))},
        {"/org.openoffice.Office.Calc/Formula/Load", "OOXMLRecalcMode", uno::Any(sal_Int32(1))},
    };
    const Reference<lang::XMultiServiceFactory> provider =
        configuration::theDefaultProvider::get(m_context);
    bool changed = false;
    for (const Setting& setting : settings) {
        try {
            const uno::Sequence<uno::Any> path = sequence({uno::Any(beans::NamedValue(
                OUString("nodepath"), uno::Any(OUString::createFromAscii(setting.node))))});
            const Reference<beans::XPropertySet> node(
                provider->createInstanceWithArguments(
                    OUString("com.sun.star.configuration.ConfigurationUpdateAccess"), path),
                uno::UNO_QUERY_THROW);
            const OUString name = OUString::createFromAscii(setting.name);
            if (node->getPropertyValue(name) == setting.value)
                continue;
            node->setPropertyValue(name, setting.value);
            Reference<util::XChangesBatch>(node, uno::UNO_QUERY_THROW)->commitChanges();
            changed = true;
        } catch (const uno::Exception& e) {
            // A setting this office does not know, or keeps locked, cannot be changed; the
            // markup the office is given holds nothing for it anyway.
            std::fprintf(stderr, "cannot change the office setting %s/%s: %s\n", setting.node,
                         setting.name, describe(e).toLocal8Bit().constData());
        }
    }
    if (changed)
        Reference<util::XFlushable>(provider, uno::UNO_QUERY_THROW)->flush();
}

void Office::terminate()
{
    if (m_desktop.is()) {
        try {
            m_desktop->terminate();
        } catch (const uno::Exception&) {
            // The bridge goes down with the office.
        }
    }
    m_desktop.clear();
    m_context.clear();
    if (m_pid > 0 && !waitGroupGone(m_pid, 10000)) {
        ::kill(-m_pid, SIGKILL);
        waitGroupGone(m_pid, 5000);
    }
    forget();
}

void Office::kill()
{
    m_desktop.clear();
    m_context.clear();
    const pid_t pid = m_pid > 0 ? m_pid : recordedPid();
    if (pid > 0) {
        ::kill(-pid, SIGKILL);
        waitGroupGone(pid, 5000);
    }
    forget();
}

// The process recorded in the profile, if it is still an office listening on this profile's
// pipe (a process id can be reused by anything once the office has gone).
pid_t Office::recordedPid() const
{
    QFile file(m_pidFile);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const pid_t pid = pid_t(file.readAll().trimmed().toLongLong(&ok));
    if (!ok || !processAlive(pid))
        return 0;
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (commandLine.open(QIODevice::ReadOnly) &&
        !commandLine.readAll().contains("name=" + pipe().toUtf8() + ';'))
        return 0;
    return pid;
}

void Office::writePidFile() const
{
    QSaveFile file(m_pidFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray::number(m_pid) + '\n') < 0 ||
        !file.commit())
        throw Failure{
            QStringLiteral("cannot write the file %1: %2").arg(m_pidFile, file.errorString())};
}
