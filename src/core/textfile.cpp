#include "core/textfile.h"

#include "core/asciicase.h"
#include "core/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The lines joined, each ended by CR LF. Readers take a byte order mark at the start of a file
// for one and drop it, so a first line that itself begins with U+FEFF is preceded by one more:
// the text read back is the text written.
QByteArray joinLines(const QStringList& lines, bool atStartOfFile)
{
    QByteArray bytes;
    if (atStartOfFile && !lines.isEmpty() && lines.first().startsWith(QChar(0xFEFF)))
        bytes += "\xEF\xBB\xBF";
    for (const QString& line : lines) {
        bytes += TextCodec::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

using Action = TextFile::Result::Action;
using Cause = TextFile::Result::Cause;

// Reads at most maxBytes + 1 bytes in chunks, so a small file never asks for a large buffer.
std::optional<QByteArray> readBounded(QFile& file, qint64 maxBytes)
{
    constexpr qint64 kChunk = 64 * 1024;
    QByteArray bytes;
    for (;;) {
        const qsizetype before = bytes.size();
        const qint64 wanted = qMin(kChunk, maxBytes + 1 - before);
        if (wanted <= 0)
            break;
        bytes.resize(before + wanted);
        const qint64 got = file.read(bytes.data() + before, wanted);
        if (got < 0)
            return std::nullopt;
        bytes.resize(before + got);
        if (got == 0)
            break;
    }
    return bytes;
}

} // namespace

namespace TextFile {

QStringView trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

Result failed(Result::Action action, const QString& path, const QString& reason,
              Result::Cause cause)
{
    Result result;
    result.ok = false;
    result.action = action;
    result.path = path;
    result.cause = cause;
    result.reason = reason;
    return result;
}

bool isSpecial(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile();
}

QString Result::describe() const
{
    static const char* const actions[] = {"use", "read", "write", "append to", "empty", "remove"};
    const QString why = cause == Cause::NotRegularFile ? QStringLiteral("not a regular file")
                        : cause == Cause::TooLarge     ? QStringLiteral("too large")
                        : cause == Cause::KeptUnread
                            ? QStringLiteral("kept, as it could not be read")
                            : reason;
    return QStringLiteral("Cannot %1 the file %2: %3")
        .arg(QLatin1String(actions[int(action)]), QDir::toNativeSeparators(path), why);
}

std::optional<QStringList> read(const QString& path, Result* problem, qint64 maxBytes)
{
    Result ignored;
    Result& report = problem ? *problem : ignored;
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    // Opening a pipe or a device could block for ever; only regular files are read.
    if (!info.isFile()) {
        report = failed(Action::Read, path, QString(), Cause::NotRegularFile);
        return std::nullopt;
    }
    if (info.size() > maxBytes) {
        report = failed(Action::Read, path, QString(), Cause::TooLarge);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report = failed(Action::Read, path, file.errorString());
        return std::nullopt;
    }
    const std::optional<QByteArray> bytes = readBounded(file, maxBytes);
    if (!bytes) {
        report = failed(Action::Read, path, file.errorString());
        return std::nullopt;
    }
    if (bytes->size() > maxBytes) {
        report = failed(Action::Read, path, QString(), Cause::TooLarge);
        return std::nullopt;
    }
    return splitLines(TextCodec::decode(*bytes));
}

Result rewrite(const QString& path, const QStringList& lines)
{
    return rewrite(path, lines, {});
}

Result rewrite(const QString& path, const QStringList& lines, QFileDevice::Permissions permissions)
{
    return rewriteBytes(path, joinLines(lines, true), permissions);
}

Result rewriteBytes(const QString& path, const QByteArray& bytes,
                    QFileDevice::Permissions permissions)
{
    // Only a regular file is replaced: a pipe, a device, a socket or a folder in its place (or a
    // link to one) is left as it is. A link to a regular file stays a link: the file it leads to
    // is replaced, by a new file beside it.
    if (isSpecial(path))
        return failed(Action::Write, path, QString(), Cause::NotRegularFile);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(Action::Write, path, file.errorString());
    // Set on the new file before it takes the old one's place, so it is never readable by others.
    if (permissions && !file.setPermissions(permissions)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed(Action::Write, path, reason);
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failed(Action::Write, path, reason);
    }
    if (!file.commit())
        return failed(Action::Write, path, file.errorString());
    return {};
}

QList<Result> removeEveryCase(const QString& folder, const QString& name, const QString& keep)
{
    QList<Result> failures;
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry == keep || !AsciiCase::equal(entry, name))
            continue;
        QFile file(dir.filePath(entry));
        if (!file.remove())
            failures.append(failed(Action::Remove, file.fileName(), file.errorString()));
    }
    return failures;
}

Result append(const QString& path, const QStringList& lines)
{
    // Opening a pipe for writing would wait for a reader for ever.
    if (isSpecial(path))
        return failed(Action::Append, path, QString(), Cause::NotRegularFile);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return failed(Action::Append, path, file.errorString());
    const QByteArray bytes = joinLines(lines, file.size() == 0);
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failed(Action::Append, path, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return failed(Action::Append, path, file.errorString());
    return {};
}

Result truncate(const QString& path)
{
    if (isSpecial(path))
        return failed(Action::Empty, path, QString(), Cause::NotRegularFile);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(Action::Empty, path, file.errorString());
    file.close();
    return {};
}

} // namespace TextFile
