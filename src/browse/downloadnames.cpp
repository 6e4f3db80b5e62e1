#include "browse/downloadnames.h"

#include "config/captionnumbers.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>

namespace {

// The longest part of text whose UTF-8 form has at most bytes bytes, ending on a whole
// character (a surrogate pair is never split).
QString cutToBytes(const QString& text, qsizetype bytes)
{
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const char32_t c = text.at(i).isHighSurrogate() && i + 1 < text.size()
                               ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                               : text.at(i).unicode();
        const qsizetype length = QChar::requiresSurrogates(c) ? 2 : 1;
        const qsizetype size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (used + size > bytes)
            break;
        used += size;
        i += length;
    }
    return text.left(i);
}

qsizetype utf8Size(const QString& text)
{
    return text.toUtf8().size();
}

// A name cut to the bytes given, keeping a short extension.
QString fitName(const QString& name, qsizetype bytes)
{
    if (utf8Size(name) <= bytes)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    if (!extension.isEmpty() && utf8Size(extension) <= 16)
        return cutToBytes(name.left(dot), bytes - utf8Size(extension)) + extension;
    return cutToBytes(name, bytes);
}

} // namespace

namespace DownloadNames {

QString safeName(const QString& suggested)
{
    // Both kinds of slash end a folder part, whatever system the name was made on.
    QString name = suggested.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    QString clean;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const QChar::Category category = c.category();
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
            continue;
        // A lone half of a surrogate pair is no character.
        if (c.isSurrogate() &&
            !(c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) &&
            !(c.isLowSurrogate() && i > 0 && name.at(i - 1).isHighSurrogate()))
            continue;
        clean += c;
    }
    // A leading dot hides the file (and "." and ".." name folders); blanks around are no part
    // of a name anyone types.
    qsizetype start = 0;
    while (start < clean.size() &&
           (clean.at(start) == QLatin1Char('.') || clean.at(start).isSpace()))
        ++start;
    clean = clean.mid(start).trimmed();
    if (clean.isEmpty())
        return QStringLiteral("download");
    return fitName(clean, kMaxNameBytes);
}

QString folder(const QString& lastUsed)
{
    if (!lastUsed.isEmpty() && QFileInfo(lastUsed).isDir())
        return lastUsed;
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!downloads.isEmpty() && QFileInfo(downloads).isDir())
        return downloads;
    return QDir::homePath();
}

QString partPath(const QString& chosen)
{
    const QFileInfo target(chosen);
    const QDir dir = target.dir();
    for (int n = 0;; ++n) {
        const QString tail = n == 0 ? QStringLiteral(".part") : QStringLiteral(".%1.part").arg(n);
        const QString name = cutToBytes(target.fileName(), kMaxNameBytes - utf8Size(tail)) + tail;
        const QString path = dir.filePath(name);
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return path;
    }
}

int reasonCaption(int interruptReason)
{
    using R = QWebEngineDownloadRequest;
    switch (interruptReason) {
    case R::FileAccessDenied:
        return CaptionNo::ReasonAccessDenied;
    case R::FileNoSpace:
        return CaptionNo::ReasonNoSpace;
    case R::FileNameTooLong:
        return CaptionNo::ReasonNameTooLong;
    case R::FileTooLarge:
        return CaptionNo::ReasonFileTooLarge;
    case R::FileVirusInfected:
    case R::FileBlocked:
    case R::FileSecurityCheckFailed:
        return CaptionNo::ReasonBlocked;
    case R::FileFailed:
    case R::FileTransientError:
    case R::FileTooShort:
    case R::FileHashMismatch:
        return CaptionNo::ReasonFileFailed;
    case R::NetworkTimeout:
        return CaptionNo::ReasonTimeout;
    case R::NetworkDisconnected:
        return CaptionNo::ReasonDisconnected;
    case R::NetworkFailed:
    case R::NetworkServerDown:
    case R::NetworkInvalidRequest:
        return CaptionNo::ReasonNetwork;
    case R::ServerUnauthorized:
    case R::ServerForbidden:
        return CaptionNo::ReasonRefused;
    case R::ServerFailed:
    case R::ServerBadContent:
    case R::ServerCertProblem:
    case R::ServerUnreachable:
    case 31: // the server cannot send a part of the file
    case 39: // a redirect to another site
        return CaptionNo::ReasonServer;
    case 38: // the server sent less than it announced
        return CaptionNo::ReasonEndedEarly;
    case R::UserCanceled:
        return CaptionNo::ReasonCancelled;
    case 41: // the engine was shutting down
    case 50: // the engine's process ended
        return CaptionNo::ReasonEngineEnded;
    default:
        return CaptionNo::ReasonUnknown;
    }
}

} // namespace DownloadNames
