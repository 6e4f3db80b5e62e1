#include "core/textfile.h"

#include "core/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QByteArray joinLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += TextCodec::encode(line);
        bytes += "\r\n";
    }
    return bytes;
}

TextFile::Result failure(const QString& path, const QString& what, const QString& reason)
{
    return {false, QStringLiteral("Cannot %1 the file %2: %3")
                       .arg(what, QDir::toNativeSeparators(path), reason)};
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

std::optional<QStringList> read(const QString& path, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > maxBytes)
        return std::nullopt;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return std::nullopt;
    return splitLines(TextCodec::decode(bytes));
}

Result rewrite(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, QStringLiteral("write"), file.errorString());
    const QByteArray bytes = joinLines(lines);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, QStringLiteral("write"), reason);
    }
    if (!file.commit())
        return failure(path, QStringLiteral("write"), file.errorString());
    return {};
}

Result append(const QString& path, const QStringList& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return failure(path, QStringLiteral("append to"), file.errorString());
    const QByteArray bytes = joinLines(lines);
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failure(path, QStringLiteral("append to"), file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return failure(path, QStringLiteral("append to"), file.errorString());
    return {};
}

Result truncate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failure(path, QStringLiteral("empty"), file.errorString());
    file.close();
    return {};
}

} // namespace TextFile
