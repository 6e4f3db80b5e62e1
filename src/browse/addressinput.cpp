#include "browse/addressinput.h"

#include <QDir>
#include <QLatin1String>
#include <QUrl>

namespace AddressInput {

namespace {

bool startsWithAny(const QString& text, std::initializer_list<QLatin1String> prefixes)
{
    for (const QLatin1String prefix : prefixes) {
        if (text.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

QString complete(const QString& typed, const QString& home)
{
    if (startsWithAny(typed,
                      {QLatin1String("http://"), QLatin1String("https://"), QLatin1String("ftp://"),
                       QLatin1String("file:"), QLatin1String("quorvink:")}))
        return typed;
    if (typed.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0)
        return typed;
    // A path as a file manager or a terminal shows it: "~" alone is the home folder itself.
    QString path;
    if (typed.startsWith(u'/'))
        path = typed;
    else if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/")))
        path = home + typed.mid(1);
    if (!path.isEmpty())
        return QUrl::fromLocalFile(QDir::cleanPath(path)).toString();
    return QStringLiteral("http://") + typed;
}

bool entersHistory(const QString& address)
{
    return address.size() > 8 &&
           startsWithAny(address.trimmed(), {QLatin1String("http://"), QLatin1String("https://")});
}

} // namespace AddressInput
