#pragma once

// The built program started as a process of its own, in a program directory of its own, and
// driven from outside as a user drives it: real pointer clicks and key presses on the X server
// (xdotool), and what the program leaves on disk and on screen.

#include "tempprogramdir.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <signal.h>

namespace Outside {

// Runs xdotool; its standard output, trimmed, and whether it succeeded.
inline bool xdotool(const QStringList& arguments, QString* output = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), arguments);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit) {
        qInfo() << "xdotool" << arguments << "did not finish";
        p.kill();
        p.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return p.exitCode() == 0;
}

inline bool available()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

// Waits for done() within the time given, polling.
inline bool waitUntil(const std::function<bool()>& done, int milliseconds = 20000)
{
    return QTest::qWaitFor(done, milliseconds);
}

// The processes below pid: children, their children, ... read from /proc.
inline QList<qint64> descendants(qint64 pid)
{
    QHash<qint64, QList<qint64>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 p = entry.toLongLong(&number);
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(p));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // "pid (name) state ppid ...": the name may hold blanks, the last ")" ends it.
        const QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1)
            children[rest[1].toLongLong()] << p;
    }
    QList<qint64> found;
    QList<qint64> next{pid};
    while (!next.isEmpty()) {
        const qint64 p = next.takeFirst();
        for (const qint64 c : children.value(p)) {
            found << c;
            next << c;
        }
    }
    return found;
}

// True while the process exists and is not a zombie.
inline bool alive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

// Points on the program's windows, relative to the window's inner top left corner.
using Spots = QHash<QString, QPoint>;

class Program {
public:
    TempProgramDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QProcess process;
    QString mainWindow;

    Program()
    {
        m_binary = dir.file(QStringLiteral("orvelquorvink"));
        QFile::copy(QStringLiteral(QUORVINK_BROWSER), m_binary);
        QDir(dir.root()).mkpath(QStringLiteral("empty"));
        QDir(dir.root()).mkpath(QStringLiteral("xdg/config"));
        QDir(dir.root()).mkpath(QStringLiteral("xdg/data"));
        // The desktop as the test sets it up: only the programs and associations it gives.
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           dir.file(QStringLiteral("xdg/config")));
        environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), dir.file(QStringLiteral("empty")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.file(QStringLiteral("xdg/data")));
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), dir.file(QStringLiteral("empty")));
        environment.insert(QStringLiteral("PATH"), dir.file(QStringLiteral("empty")));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("BROWSER"));
    }

    ~Program()
    {
        // What the program said, for a test that failed.
        if (QTest::currentTestFailed())
            qInfo().noquote() << dir.read(QStringLiteral("output.txt")).right(4000);
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }

    // Starts the program on this home page and waits for its first window (the main window, or
    // a message the load shows).
    bool start(const QString& home, const QByteArray& settings,
               const QString& language = QStringLiteral("English"))
    {
        dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                  (" 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + home + "\r\n" + language + "\r\n").toUtf8());
        dir.write(QStringLiteral("Data/orvelquorvink.Ini"), settings);
        process.setProcessEnvironment(environment);
        // What the program and its web engine say goes to a file beside it, for a failing test.
        process.setStandardOutputFile(dir.file(QStringLiteral("output.txt")));
        process.setStandardErrorFile(dir.file(QStringLiteral("output.txt")), QIODevice::Append);
        process.start(m_binary, {});
        if (!process.waitForStarted())
            return false;
        return waitUntil([this] {
            const QStringList shown = windows();
            if (shown.isEmpty())
                return false;
            mainWindow = shown.first();
            return true;
        });
    }

    // The visible windows of the process.
    QStringList windows() const
    {
        QString out;
        if (!xdotool({QStringLiteral("search"), QStringLiteral("--all"),
                      QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                      QString::number(process.processId())},
                     &out))
            return {};
        return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // Waits for a visible window of the process, other than the main window, whose title
    // matches; its id, or empty.
    QString waitWindow(const QString& title, int milliseconds = 20000) const
    {
        QString found;
        waitUntil(
            [&] {
                for (const QString& id : windows()) {
                    QString name;
                    if (id != mainWindow && xdotool({QStringLiteral("getwindowname"), id}, &name) &&
                        name.contains(title)) {
                        found = id;
                        return true;
                    }
                }
                return false;
            },
            milliseconds);
        return found;
    }

    // Makes the window the active one, as a click on its frame would.
    static bool activate(const QString& window)
    {
        QString active;
        if (xdotool({QStringLiteral("getactivewindow")}, &active) && active == window)
            return true;
        return xdotool({QStringLiteral("windowactivate"), window}) &&
               waitUntil(
                   [&window, &active] {
                       return xdotool({QStringLiteral("getactivewindow")}, &active) &&
                              active == window;
                   },
                   5000);
    }

    static bool click(const QString& window, QPoint at)
    {
        if (!activate(window)) {
            qInfo() << "window" << window << "did not become active";
            return false;
        }
        return xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                        QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                        QStringLiteral("1")});
    }

    // Key names as xdotool knows them ("Return", "ctrl+c", "Down").
    static bool keys(const QString& window, const QStringList& names)
    {
        return activate(window) &&
               xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"),
                                   QStringLiteral("50")} +
                       names);
    }

    static bool type(const QString& window, const QString& text)
    {
        return activate(window) && xdotool({QStringLiteral("type"), QStringLiteral("--delay"),
                                            QStringLiteral("20"), text});
    }

    // The program's executable, in its program directory.
    const QString& binary() const { return m_binary; }

    bool signal(int number) const { return ::kill(pid_t(process.processId()), number) == 0; }

    // Waits for the process to end; true when it ended by itself within the time.
    bool ended(int milliseconds = 15000)
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(milliseconds);
    }

private:
    QString m_binary;
};

} // namespace Outside
