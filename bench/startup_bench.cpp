// Start-up time and memory of the browser beside a bare QWebEngineView program (bench_bare_view).
//
// Each run starts a program on a simple page served here on 127.0.0.1 and measures
//   - the time from just before the process is started to the page's load: the page's onload
//     handler asks this server for a second address, whose arrival marks the load;
//   - the memory of the whole process tree (the program and every web-engine process below it):
//     the sum of Pss from /proc/<pid>/smaps_rollup, read a while after the load.
// The two programs run alternately; the medians and ranges (min-max) are printed with their
// ratios. The browser runs from a fresh copy of what the build ships every time.
//
//   startup_bench [--runs N] [--warmup N] [--settle-ms MS] [--platforms LIST] [--verbose]
//                 [--same-dir] [--browser PATH] [--bare PATH] [--bare-arg ARG]...
//
// --platforms   comma-separated: offscreen (QT_QPA_PLATFORM=offscreen), display (xcb on the
//               current DISPLAY), xvfb (xcb on an Xvfb started here); default offscreen, plus
//               display when DISPLAY is set
// --bare-arg    passes ARG on to bench_bare_view, "{dir}" standing for the run's own temporary
//               folder (e.g. --bare-arg --views --bare-arg 4, --bare-arg --storage --bare-arg
//               {dir}/E)
//
// --same-dir    runs the browser from one program directory throughout (its engine storage
//               then exists from the second start on) instead of a fresh copy each time
//
// The web engine runs with QTWEBENGINE_DISABLE_SANDBOX=1 and
// QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu unless the environment sets them.

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// ---- process tree -------------------------------------------------------------------------------

struct ProcInfo {
    pid_t pid = 0;
    pid_t ppid = 0;
    char state = '?';
    qint64 cpuTicks = 0;  // user and system time so far
    QByteArray startTime; // field 22 of stat: tells a reused pid apart
};

std::optional<ProcInfo> readStat(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray stat = file.readAll();
    // The command name may hold spaces and parentheses: the fields follow the last ')'.
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
    if (fields.size() < 20)
        return std::nullopt;
    ProcInfo info;
    info.pid = pid;
    info.state = fields[0].isEmpty() ? '?' : fields[0][0];
    info.ppid = fields[1].toInt();
    info.cpuTicks = fields[11].toLongLong() + fields[12].toLongLong();
    info.startTime = fields[19];
    return info;
}

std::vector<ProcInfo> allProcesses()
{
    std::vector<ProcInfo> out;
    const QStringList names = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& name : names) {
        bool ok = false;
        const pid_t pid = name.toInt(&ok);
        if (ok) {
            if (std::optional<ProcInfo> info = readStat(pid))
                out.push_back(*info);
        }
    }
    return out;
}

// The root and every process whose parent chain leads to it, root first.
std::vector<ProcInfo> processTree(pid_t root)
{
    const std::vector<ProcInfo> all = allProcesses();
    std::multimap<pid_t, const ProcInfo*> children;
    const ProcInfo* rootInfo = nullptr;
    for (const ProcInfo& p : all) {
        children.emplace(p.ppid, &p);
        if (p.pid == root)
            rootInfo = &p;
    }
    std::vector<ProcInfo> tree;
    if (!rootInfo)
        return tree;
    tree.push_back(*rootInfo);
    for (size_t i = 0; i < tree.size(); ++i) {
        const auto [from, to] = children.equal_range(tree[i].pid);
        for (auto it = from; it != to; ++it)
            tree.push_back(*it->second);
    }
    return tree;
}

qint64 pssKiB(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

QByteArray commandLine(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a process of the tree is: "program", "zygote", "renderer", or the --type of another
// web-engine process. Renderers are forked from the zygote without a fresh command line, so they
// are known by their parent: the zygote that is not the unsandboxed one.
QByteArray processKind(const ProcInfo& p, pid_t root, const std::map<pid_t, QByteArray>& lines)
{
    if (p.pid == root)
        return "program";
    const QByteArray line = lines.at(p.pid);
    const auto parent = lines.find(p.ppid);
    if (p.ppid != root && parent != lines.end() && parent->second.contains("--type=zygote"))
        return parent->second.contains("--no-zygote-sandbox") ? "zygote-child" : "renderer";
    const qsizetype at = line.indexOf("--type=");
    if (at < 0)
        return "other";
    qsizetype end = at + 7;
    while (end < line.size() && line[end] != ' ' && line[end] != '\0')
        ++end;
    return line.mid(at + 7, end - at - 7);
}

bool sameProcessAlive(const ProcInfo& p)
{
    const std::optional<ProcInfo> now = readStat(p.pid);
    return now && now->startTime == p.startTime && now->state != 'Z' && now->state != 'X';
}

// This process adopts the orphans of its children (see main), so a leftover web-engine process
// ends as a zombie of ours: reap those of the program's process group once the QProcess has
// reaped the program itself.
void reapGroup(pid_t group)
{
    while (::waitpid(-group, nullptr, WNOHANG) > 0) {
    }
}

// The process group of the program being measured and our Xvfb, for the interrupt handler.
volatile std::sig_atomic_t g_group = 0;
volatile std::sig_atomic_t g_xvfb = 0;

void onInterrupt(int sig)
{
    if (g_group > 0)
        ::kill(-static_cast<pid_t>(g_group), SIGKILL);
    if (g_xvfb > 0)
        ::kill(static_cast<pid_t>(g_xvfb), SIGTERM);
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

// ---- server -------------------------------------------------------------------------------------

// Serves the home page of each run below /rN/ and notes when /rN/loaded arrives.
class Server : public QObject {
public:
    QElapsedTimer* clock = nullptr;
    int run = -1;
    qint64 pageAt = -1;   // ms: the home page was asked for
    qint64 loadedAt = -1; // ms: the page's onload handler reported
    QStringList other;    // addresses asked for that were not expected

    bool start()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        return m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString base() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }
    QString home(int n) const { return base() + QStringLiteral("/r%1/home.html").arg(n); }

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
        qsizetype end;
        while ((end = buffer.indexOf("\r\n\r\n")) >= 0) {
            const QByteArray head = buffer.left(end);
            buffer.remove(0, end + 4);
            const QByteArray path = head.split('\n').value(0).split(' ').value(1);
            const QByteArray prefix = "/r" + QByteArray::number(run) + '/';
            if (path == prefix + "home.html") {
                if (pageAt < 0)
                    pageAt = clock->elapsed();
                reply(socket, "200 OK", kPage);
            } else if (path.startsWith(prefix + "loaded")) {
                if (loadedAt < 0)
                    loadedAt = clock->elapsed();
                reply(socket, "204 No Content", {});
            } else {
                if (path != "/favicon.ico")
                    other.append(QString::fromLatin1(path));
                reply(socket, "404 Not Found", {});
            }
        }
        socket->setProperty("buffer", buffer);
    }

    static void reply(QTcpSocket* socket, const QByteArray& status, const QByteArray& body)
    {
        socket->write("HTTP/1.1 " + status +
                      "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                      QByteArray::number(body.size()) +
                      "\r\nCache-Control: no-store\r\nConnection: keep-alive\r\n\r\n" + body);
    }

    static constexpr const char* kPage =
        "<!doctype html><html><head><meta charset=\"utf-8\"><title>Home</title></head><body>"
        "<h1>Home</h1><p>A simple page served by the start-up benchmark.</p>"
        "<script>window.onload = function () {"
        " var r = new XMLHttpRequest(); r.open('GET', 'loaded?t=' + Date.now()); r.send(); };"
        "</script></body></html>";

    QTcpServer m_server;
};

// ---- program directory --------------------------------------------------------------------------

// Hard-links (or copies) the executable and copies what the build ships beside it: the language
// files and the data files. What a run of the program left in the build's directory (its
// settings and history, which hold the window's size, the engine's and the office's profiles,
// the harvest list, link tables) is not copied: every run starts as a first start.
bool copyProgramDir(const QString& browser, const QString& to)
{
    const QFileInfo exe(browser);
    const QString target = to + QLatin1Char('/') + exe.fileName();
    if (::link(QFile::encodeName(exe.absoluteFilePath()).constData(),
               QFile::encodeName(target).constData()) != 0 &&
        !QFile::copy(exe.absoluteFilePath(), target))
        return false;
    const QDir from = exe.absoluteDir();
    for (const char* folder : {"Languages", "Data", "Links", "Images"}) {
        const QString name = QLatin1String(folder);
        QDir().mkpath(to + QLatin1Char('/') + name);
        if (name != QLatin1String("Languages") && name != QLatin1String("Data"))
            continue;
        const QStringList files = QDir(from.filePath(name)).entryList(QDir::Files);
        for (const QString& file : files) {
            if (file.startsWith(QLatin1String("orvelquorvink."), Qt::CaseInsensitive))
                continue;
            if (!QFile::copy(from.filePath(name + QLatin1Char('/') + file),
                             to + QLatin1Char('/') + name + QLatin1Char('/') + file))
                return false;
        }
    }
    return true;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

// The options name the home page; the language files' sites point at this server, so nothing the
// program might open reaches another address.
bool prepareProgramDir(const QString& dir, const QString& home, const QString& base)
{
    QDir().mkpath(dir + QStringLiteral("/Data"));
    const QByteArray options = " 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + home.toUtf8() + "\r\nEnglish\r\n";
    if (!writeFile(dir + QStringLiteral("/Data/orvelquorvink.Opt"), options))
        return false;
    QDirIterator it(dir + QStringLiteral("/Languages"), {QStringLiteral("*.txt")}, QDir::Files);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        int site = 0;
        for (QByteArray& line : lines) {
            const qsizetype eq = line.indexOf('=');
            const QByteArray key = line.left(eq).trimmed();
            if (eq > 0 && (key == "START_PAGE" || key.endsWith("_URL"))) {
                const bool cr = line.endsWith('\r');
                line = key + '=' + base.toLatin1() + "/site" + QByteArray::number(site++) + '/';
                if (cr)
                    line += '\r';
            }
        }
        if (!writeFile(path, lines.join('\n')))
            return false;
    }
    return true;
}

// ---- runs ---------------------------------------------------------------------------------------

struct Sample {
    double seconds = 0;
    double pageSeconds = 0; // when the home page was asked for
    double pssMiB = 0;
    double cpuSeconds = 0; // CPU time of the process tree up to the load
    int processes = 0;
    int renderers = 0;
    QByteArray breakdown; // PSS by kind of process
};

struct Platform {
    QString name;
    QString qpa;
    QString display;
};

struct Options {
    int runs = 5;
    int warmup = 1;
    int settleMs = 1500;
    bool verbose = false;
    bool sameDir = false;
    QString browser;
    QString bare;
    QStringList bareArgs;
    QStringList platforms;
};

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Ends the program (pid, leader of its own process group): SIGTERM, then SIGKILL; then every
// web-engine process it left behind.
void stop(QProcess& process, pid_t pid, const std::vector<ProcInfo>& tree)
{
    if (pid <= 0)
        return;
    if (process.state() != QProcess::NotRunning) {
        ::kill(pid, SIGTERM);
        if (!process.waitForFinished(5000)) {
            ::kill(-pid, SIGKILL);
            process.kill();
            process.waitForFinished(5000);
        }
    }
    // The web-engine processes end on their own once the program has gone; give them a moment.
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        reapGroup(pid);
        std::vector<ProcInfo> left;
        for (size_t i = 1; i < tree.size(); ++i) {
            if (sameProcessAlive(tree[i]))
                left.push_back(tree[i]);
        }
        // Processes started after the tree was read are still in the program's process group.
        if (left.empty() && ::kill(-pid, 0) != 0)
            break;
        if (waited.elapsed() > 3000) {
            ::kill(-pid, SIGKILL);
            for (const ProcInfo& p : left)
                ::kill(p.pid, SIGKILL);
            waitMs(200);
            reapGroup(pid);
            if (waited.elapsed() > 8000)
                break;
        }
        waitMs(50);
    }
    g_group = 0;
}

class Bench {
public:
    Bench(const Options& options, Server& server, QElapsedTimer& clock)
        : o(options), m_server(server), m_clock(clock)
    {
    }

    // One start of one program; nullopt when the page did not load.
    std::optional<Sample> runOnce(bool browser, const Platform& platform, int n)
    {
        QTemporaryDir dir;
        if (!dir.isValid())
            return std::nullopt;
        const QString home = m_server.home(n);
        QString program = o.bare;
        QStringList args{home};
        for (QString arg : o.bareArgs)
            args.append(arg.replace(QLatin1String("{dir}"), dir.path()));
        if (browser) {
            QString root = dir.path();
            bool fresh = true;
            if (o.sameDir) {
                fresh = !m_shared;
                if (fresh)
                    m_shared = std::make_unique<QTemporaryDir>();
                root = m_shared->path();
            }
            if ((fresh && !copyProgramDir(o.browser, root)) ||
                !prepareProgramDir(root, home, m_server.base())) {
                std::fprintf(stderr, "cannot set up the program directory %s\n", qPrintable(root));
                return std::nullopt;
            }
            program = root + QLatin1Char('/') + QFileInfo(o.browser).fileName();
            args.clear();
        }

        QProcess process;
        process.setProgram(program);
        process.setArguments(args);
        process.setWorkingDirectory(dir.path());
        process.setProcessEnvironment(environment(platform, dir.path()));
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardOutputFile(dir.filePath(QStringLiteral("program.log")));
        // Its own process group: the whole tree can be ended at once.
        process.setChildProcessModifier([] { ::setpgid(0, 0); });

        m_server.run = n;
        m_server.pageAt = -1;
        m_server.loadedAt = -1;
        m_server.other.clear();

        m_clock.start();
        process.start();
        if (!process.waitForStarted(10000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
            return std::nullopt;
        }
        const pid_t pid = static_cast<pid_t>(process.processId());
        g_group = static_cast<std::sig_atomic_t>(pid);

        QEventLoop loop;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (m_server.loadedAt >= 0 || process.state() == QProcess::NotRunning ||
                m_clock.elapsed() > 60000)
                loop.quit();
        });
        poll.start();
        loop.exec();
        poll.stop();

        std::optional<Sample> sample;
        std::vector<ProcInfo> tree;
        if (m_server.loadedAt >= 0) {
            Sample s;
            qint64 ticks = 0;
            for (const ProcInfo& p : processTree(pid))
                ticks += p.cpuTicks;
            s.cpuSeconds = static_cast<double>(ticks) / static_cast<double>(::sysconf(_SC_CLK_TCK));
            s.seconds = m_server.loadedAt / 1000.0;
            s.pageSeconds = m_server.pageAt / 1000.0;
            waitMs(o.settleMs);
            tree = processTree(pid);
            std::map<pid_t, QByteArray> lines;
            for (const ProcInfo& p : tree)
                lines[p.pid] = commandLine(p.pid);
            std::map<QByteArray, qint64> byKind;
            qint64 kib = 0;
            for (const ProcInfo& p : tree) {
                const qint64 pss = pssKiB(p.pid);
                const QByteArray kind = processKind(p, pid, lines);
                kib += pss;
                byKind[kind] += pss;
                if (kind == "renderer")
                    ++s.renderers;
            }
            for (const auto& [kind, pss] : byKind)
                s.breakdown += ' ' + kind + ' ' + QByteArray::number(pss / 1024.0, 'f', 1);
            s.pssMiB = kib / 1024.0;
            s.processes = static_cast<int>(tree.size());
            sample = s;
        } else {
            tree = processTree(pid);
            std::fprintf(stderr, "%s: the page did not load (see %s)\n", qPrintable(program),
                         qPrintable(dir.filePath(QStringLiteral("program.log"))));
            dir.setAutoRemove(false);
        }
        stop(process, pid, tree);
        // The program's start-up trace (QUORVINK_START_TRACE set for the benchmark).
        if (QFile log(dir.filePath(QStringLiteral("program.log")));
            o.verbose && log.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : log.readAll().split('\n')) {
                if (line.startsWith("start-trace"))
                    std::printf("    %s\n", line.constData());
            }
        }
        if (!m_server.other.isEmpty() && o.verbose)
            std::printf("    also asked for: %s\n", qPrintable(m_server.other.join(u' ')));
        return sample;
    }

private:
    QProcessEnvironment environment(const Platform& platform, const QString& dir) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform.qpa);
        if (!platform.display.isEmpty())
            env.insert(QStringLiteral("DISPLAY"), platform.display);
        if (!env.contains(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX")))
            env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        if (!env.contains(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS")))
            env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"),
                       QStringLiteral("--disable-gpu"));
        if (!env.contains(QStringLiteral("XDG_RUNTIME_DIR"))) {
            const QString runtime = dir + QStringLiteral("/xdg-runtime");
            QDir().mkpath(runtime);
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        }
        env.insert(QStringLiteral("no_proxy"), QStringLiteral("127.0.0.1,localhost"));
        return env;
    }

    const Options& o;
    std::unique_ptr<QTemporaryDir> m_shared; // the browser's program directory with --same-dir
    Server& m_server;
    QElapsedTimer& m_clock;
};

// ---- figures ------------------------------------------------------------------------------------

struct Stats {
    double median = 0, min = 0, max = 0;
};

Stats stats(std::vector<double> values)
{
    Stats s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}

template <typename F> std::vector<double> column(const std::vector<Sample>& samples, F f)
{
    std::vector<double> out;
    for (const Sample& s : samples)
        out.push_back(f(s));
    return out;
}

// "median (min-max)"
QByteArray cell(const Stats& s, int decimals)
{
    return QByteArray::number(s.median, 'f', decimals) + " (" +
           QByteArray::number(s.min, 'f', decimals) + '-' +
           QByteArray::number(s.max, 'f', decimals) + ')';
}

void printHeader()
{
    std::printf("  %-14s %-22s %-22s %-22s %-22s %5s %5s\n", "", "load s", "page asked s",
                "CPU s to load", "PSS MiB", "procs", "rend.");
}

void printRow(const char* name, const std::vector<Sample>& samples)
{
    const auto of = [&samples](double Sample::*field) {
        return stats(column(samples, [field](const Sample& s) { return s.*field; }));
    };
    const Stats n = stats(column(samples, [](const Sample& s) { return double(s.processes); }));
    const Stats r = stats(column(samples, [](const Sample& s) { return double(s.renderers); }));
    std::printf("  %-14s %-22s %-22s %-22s %-22s %5.0f %5.0f\n", name,
                cell(of(&Sample::seconds), 3).constData(),
                cell(of(&Sample::pageSeconds), 3).constData(),
                cell(of(&Sample::cpuSeconds), 2).constData(),
                cell(of(&Sample::pssMiB), 1).constData(), n.median, r.median);
}

void printRatio(const char* what, double ratio, double target)
{
    std::printf("  %-28s %5.2f x bare   (target <= %.2f: %s)\n", what, ratio, target,
                ratio <= target ? "met" : "MISSED");
}

// ---- Xvfb ---------------------------------------------------------------------------------------

// An Xvfb of our own; its display number comes back through -displayfd.
class Xvfb {
public:
    ~Xvfb()
    {
        g_xvfb = 0;
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000)) {
                m_process.kill();
                m_process.waitForFinished(3000);
            }
        }
    }
    QString start()
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return {};
        m_process.setProgram(QStringLiteral("Xvfb"));
        m_process.setArguments({QStringLiteral("-displayfd"), QString::number(fds[1]),
                                QStringLiteral("-screen"), QStringLiteral("0"),
                                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                QStringLiteral("tcp")});
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        const int readEnd = fds[0];
        m_process.setChildProcessModifier([readEnd] { ::close(readEnd); });
        m_process.start();
        ::close(fds[1]);
        QByteArray number;
        if (m_process.waitForStarted(5000)) {
            g_xvfb = static_cast<std::sig_atomic_t>(m_process.processId());
            char c;
            while (::read(fds[0], &c, 1) == 1 && c != '\n')
                number += c;
        }
        ::close(fds[0]);
        return number.isEmpty() ? QString() : QStringLiteral(":") + QString::fromLatin1(number);
    }

private:
    QProcess m_process;
};

std::optional<Options> parse(const QStringList& args)
{
    Options o;
    const QString here = QCoreApplication::applicationDirPath();
    o.browser = here + QStringLiteral("/orvelquorvink");
    o.bare = here + QStringLiteral("/bench_bare_view");
    o.platforms = {QStringLiteral("offscreen")};
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        o.platforms.append(QStringLiteral("display"));
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--runs") && hasValue)
            o.runs = qMax(1, args[++i].toInt());
        else if (a == QLatin1String("--warmup") && hasValue)
            o.warmup = qMax(0, args[++i].toInt());
        else if (a == QLatin1String("--settle-ms") && hasValue)
            o.settleMs = qMax(0, args[++i].toInt());
        else if (a == QLatin1String("--platforms") && hasValue)
            o.platforms = args[++i].split(QLatin1Char(','), Qt::SkipEmptyParts);
        else if (a == QLatin1String("--browser") && hasValue)
            o.browser = args[++i];
        else if (a == QLatin1String("--bare") && hasValue)
            o.bare = args[++i];
        else if (a == QLatin1String("--bare-arg") && hasValue)
            o.bareArgs.append(args[++i]);
        else if (a == QLatin1String("--verbose"))
            o.verbose = true;
        else if (a == QLatin1String("--same-dir"))
            o.sameDir = true;
        else
            return std::nullopt;
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<Options> parsed = parse(QCoreApplication::arguments());
    if (!parsed) {
        std::fprintf(stderr,
                     "usage: startup_bench [--runs N] [--warmup N] [--settle-ms MS]\n"
                     "         [--platforms offscreen,display,xvfb] [--verbose]\n"
                     "         [--same-dir] [--browser PATH] [--bare PATH] [--bare-arg ARG]...\n");
        return 2;
    }
    const Options& o = *parsed;
    for (const QString& program : {o.browser, o.bare}) {
        if (!QFileInfo(program).isExecutable()) {
            std::fprintf(stderr, "missing program: %s (build it first)\n", qPrintable(program));
            return 1;
        }
    }

    // Orphaned web-engine processes come to us, so none can outlive the benchmark unseen.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    QElapsedTimer clock;
    Server server;
    server.clock = &clock;
    if (!server.start()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    Bench bench(o, server, clock);
    int n = 0;
    int code = 0;

    for (const QString& name : o.platforms) {
        Platform platform{name, QStringLiteral("offscreen"), {}};
        Xvfb xvfb;
        if (name == QLatin1String("display")) {
            platform.qpa = QStringLiteral("xcb");
            platform.display = qEnvironmentVariable("DISPLAY");
            if (platform.display.isEmpty()) {
                std::fprintf(stderr, "display: DISPLAY is not set, skipped\n");
                continue;
            }
        } else if (name == QLatin1String("xvfb")) {
            platform.qpa = QStringLiteral("xcb");
            platform.display = xvfb.start();
            if (platform.display.isEmpty()) {
                std::fprintf(stderr, "xvfb: cannot start Xvfb, skipped\n");
                continue;
            }
        } else if (name != QLatin1String("offscreen")) {
            std::fprintf(stderr, "unknown platform %s, skipped\n", qPrintable(name));
            continue;
        }

        std::printf("== %s%s%s: %d warm-up + %d runs each, alternately; memory %d ms after load\n",
                    qPrintable(name), platform.display.isEmpty() ? "" : " ",
                    qPrintable(platform.display), o.warmup, o.runs, o.settleMs);
        std::fflush(stdout);
        std::vector<Sample> samples[2];
        bool failed = false;
        for (int i = 0; i < o.warmup + o.runs && !failed; ++i) {
            for (int which = 0; which < 2 && !failed; ++which) {
                const std::optional<Sample> s = bench.runOnce(which == 0, platform, ++n);
                if (!s) {
                    failed = true;
                    break;
                }
                const bool counted = i >= o.warmup;
                if (counted)
                    samples[which].push_back(*s);
                if (o.verbose) {
                    std::printf("  %s %-13s load %.3f s (page asked %.3f s, CPU %.2f s)  PSS %.1f "
                                "MiB  %d processes, %d renderers; MiB:%s\n",
                                counted ? "run   " : "warmup",
                                which == 0 ? "orvelquorvink" : "bare", s->seconds, s->pageSeconds,
                                s->cpuSeconds, s->pssMiB, s->processes, s->renderers,
                                s->breakdown.constData());
                    std::fflush(stdout);
                }
            }
        }
        if (failed) {
            code = 1;
            continue;
        }
        std::printf("  medians (min-max):\n");
        printHeader();
        printRow("orvelquorvink", samples[0]);
        printRow("bare view", samples[1]);
        const auto median = [](const std::vector<Sample>& v, double Sample::*field) {
            return stats(column(v, [field](const Sample& s) { return s.*field; })).median;
        };
        const double timeRatio =
            median(samples[0], &Sample::seconds) / median(samples[1], &Sample::seconds);
        const double pssRatio =
            median(samples[0], &Sample::pssMiB) / median(samples[1], &Sample::pssMiB);
        printRatio("start-up to load", timeRatio, 1.25);
        printRatio("PSS of the process tree", pssRatio, 1.10);
        std::fflush(stdout);
    }
    // Figures, not a pass/fail check: the exit code only tells whether every run completed.
    return code;
}
