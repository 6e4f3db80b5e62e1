#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <optional>

// Line-based text files: lines end in CR LF when written; CR LF, LF and CR alone are accepted
// when reading. A file that is rewritten whole goes through QSaveFile, so a crash or a full disk
// never leaves it half written.
namespace TextFile {

// Files larger than this are treated as unreadable rather than loaded into memory.
constexpr qint64 kMaxReadBytes = 64 * 1024 * 1024;

// Removes leading and trailing blanks; tab characters are kept.
QStringView trimSpaces(QStringView text);

// Splits text at CR LF, LF or CR. A line end at the very end does not start another line.
QStringList splitLines(const QString& text);

// The outcome of reading or writing a file: on failure, what was being done, to which file and
// why. The message shown to the user is made from it in the user's language.
struct Result {
    enum class Action { None, Read, Write, Append, Empty, Remove };
    // KeptUnread: the file could not be read, so it is not written over.
    enum class Cause { System, NotRegularFile, TooLarge, KeptUnread };
    bool ok = true;
    Action action = Action::None;
    QString path;
    Cause cause = Cause::System;
    QString reason; // the system's own words, for Cause::System
    explicit operator bool() const { return ok; }
    // A short English description, for logs and tests.
    QString describe() const;
};

// A failure of the given action on the given file.
Result failed(Result::Action action, const QString& path, const QString& reason,
              Result::Cause cause = Result::Cause::System);

// True when the path names something that is not a regular file (a folder, a pipe, a device):
// opening it could block, so it is neither read nor written in place.
bool isSpecial(const QString& path);

// The lines of a file, or nothing when it is missing, is no regular file (a folder, a pipe, a
// device: nothing is opened that could block), is larger than maxBytes or cannot be read. A
// problem, when asked for, is set for every case but a missing file.
std::optional<QStringList> read(const QString& path, Result* problem = nullptr,
                                qint64 maxBytes = kMaxReadBytes);

// Replaces the file with these lines (each followed by CR LF), atomically. Only a regular file (or
// a link to one, whose target is replaced) is replaced; anything else in its place is a failure.
Result rewrite(const QString& path, const QStringList& lines);
// The same, the new file getting these permissions whatever the old one had (a file of private
// text: readable by its owner only).
Result rewrite(const QString& path, const QStringList& lines, QFileDevice::Permissions permissions);
// Replaces the file with these bytes as they are, atomically; permissions, when given, are set
// before the new file takes the old one's place.
Result rewriteBytes(const QString& path, const QByteArray& bytes,
                    QFileDevice::Permissions permissions = {});
// Removes every file of the folder named name without regard to the case of ASCII letters, except
// the one spelled exactly as keep; the files that could not be removed.
QList<Result> removeEveryCase(const QString& folder, const QString& name,
                              const QString& keep = QString());
// Appends these lines (each followed by CR LF); the file is created if missing.
Result append(const QString& path, const QStringList& lines);
// Empties the file (creating it if missing).
Result truncate(const QString& path);

} // namespace TextFile
