#include "platform/desktopapps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace DesktopApps {

namespace {

QStringList envList(const char* name, const QString& fallback)
{
    QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        value = fallback;
    return value.split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

// The values of one key in one group of a desktop-style file ("a.desktop;b.desktop;").
QStringList groupValues(const QString& path, QStringView group, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line.size() == group.size() + 2 &&
                      QStringView(line).mid(1, group.size()) == group &&
                      line.endsWith(QLatin1Char(']'));
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1).trimmed().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return {};
}

QString locateEntry(const QString& id, const Folders& folders)
{
    for (const QString& dir : folders.data) {
        const QString path = dir + QStringLiteral("/applications/") + id;
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace

Folders Folders::fromEnvironment()
{
    const QString home = QDir::homePath();
    Folders f;
    f.config = envList("XDG_CONFIG_HOME", home + QStringLiteral("/.config")) +
               envList("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    f.data = envList("XDG_DATA_HOME", home + QStringLiteral("/.local/share")) +
             envList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    return f;
}

QString defaultEntry(const QString& mimeType, const Folders& folders)
{
    QStringList lists;
    for (const QString& dir : folders.config)
        lists << dir + QStringLiteral("/mimeapps.list");
    for (const QString& dir : folders.data)
        lists << dir + QStringLiteral("/applications/mimeapps.list");
    for (const QString& list : std::as_const(lists)) {
        for (const QString& id : groupValues(list, u"Default Applications", mimeType)) {
            if (const QString path = locateEntry(id, folders); !path.isEmpty())
                return path;
        }
    }
    // No default chosen: the first installed application that declares the type.
    for (const QString& list : std::as_const(lists)) {
        for (const QString& id : groupValues(list, u"Added Associations", mimeType)) {
            if (const QString path = locateEntry(id, folders); !path.isEmpty())
                return path;
        }
    }
    for (const QString& dir : folders.data) {
        const QString cache = dir + QStringLiteral("/applications/mimeinfo.cache");
        for (const QString& id : groupValues(cache, u"MIME Cache", mimeType)) {
            if (const QString path = locateEntry(id, folders); !path.isEmpty())
                return path;
        }
    }
    return {};
}

QStringList splitExec(const QString& exec, const QString& file)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                word += exec[++i];
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('%') && i + 1 < exec.size()) {
            const QChar code = exec[++i];
            inWord = true;
            if (code == QLatin1Char('%'))
                word += code;
            else if (code == QLatin1Char('f') || code == QLatin1Char('F'))
                word += file;
            else if (code == QLatin1Char('u') || code == QLatin1Char('U'))
                word += QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
            else if (word.isEmpty())
                inWord = false; // a code that stands alone leaves no word
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

std::optional<Command> command(const QString& entryPath, const QString& file)
{
    auto value = [&](const char* key) {
        return groupValues(entryPath, u"Desktop Entry", QLatin1String(key)).join(QLatin1Char(';'));
    };
    if (value("Hidden") == QLatin1String("true") || value("Terminal") == QLatin1String("true"))
        return std::nullopt;
    // Exec may hold semicolons of its own: it is read whole, not as a list.
    QFile entry(entryPath);
    QString exec;
    if (entry.open(QIODevice::ReadOnly | QIODevice::Text)) {
        bool inGroup = false;
        while (!entry.atEnd()) {
            const QString line = QString::fromUtf8(entry.readLine()).trimmed();
            if (line.startsWith(QLatin1Char('[')))
                inGroup = line == QLatin1String("[Desktop Entry]");
            else if (inGroup && line.startsWith(QLatin1String("Exec=")))
                exec = line.mid(5);
        }
    }
    QStringList words = splitExec(exec, file);
    if (words.isEmpty())
        return std::nullopt;
    // An entry that takes no file gets it as its last argument.
    if (!exec.contains(QRegularExpression(QStringLiteral("%[fFuU]"))))
        words << file;
    const QString program = words.takeFirst();
    return Command{program, words};
}

} // namespace DesktopApps
