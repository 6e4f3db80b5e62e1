#pragma once

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

// The lines of a file, or nothing when it cannot be opened or is too large.
std::optional<QStringList> read(const QString& path, qint64 maxBytes = kMaxReadBytes);

// The outcome of a write: on failure, a message that names the file.
struct Result {
    bool ok = true;
    QString error;
    explicit operator bool() const { return ok; }
};

// Replaces the file with these lines (each followed by CR LF), atomically.
Result rewrite(const QString& path, const QStringList& lines);
// Appends these lines (each followed by CR LF); the file is created if missing.
Result append(const QString& path, const QStringList& lines);
// Empties the file (creating it if missing).
Result truncate(const QString& path);

} // namespace TextFile
