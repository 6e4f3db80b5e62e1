#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The desktop's default programs as the freedesktop.org lists name them: the default
// application of a MIME type (mimeapps.list, then the caches of the installed applications) and
// the command line of its desktop entry, split into a program and arguments, never for a shell.
namespace DesktopApps {

// The folders searched, in order of precedence: the configuration folders for mimeapps.list and
// the data folders whose "applications" subfolder holds desktop entries and mimeinfo.cache.
struct Folders {
    QStringList config;
    QStringList data;
    // The folders of this environment (XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME,
    // XDG_DATA_DIRS and their defaults).
    static Folders fromEnvironment();
};

struct Command {
    QString program;
    QStringList arguments;
};

// The path of the desktop entry of the default application for the MIME type, or empty.
QString defaultEntry(const QString& mimeType, const Folders& folders);

// The command that opens file with the desktop entry at entryPath: its Exec line with the field
// codes filled in. Nothing for an entry that cannot be used here: unreadable, hidden, without
// Exec, or one that needs a terminal.
std::optional<Command> command(const QString& entryPath, const QString& file);

// An Exec value split into words by the quoting rules of desktop entries, field codes filled in
// with file (%f %F as a path, %u %U as a file address); the other codes are dropped.
QStringList splitExec(const QString& exec, const QString& file);

} // namespace DesktopApps
