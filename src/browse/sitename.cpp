#include "browse/sitename.h"

QString Site_Name(const QString& address)
{
    QString s = address;
    s.remove(QStringLiteral("http://"), Qt::CaseSensitive);
    s.remove(QStringLiteral("https://"), Qt::CaseSensitive);
    const qsizetype slash = s.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        s.truncate(slash);
    if (s.contains(QStringLiteral("www."), Qt::CaseInsensitive)) {
        s.remove(QStringLiteral("www."), Qt::CaseInsensitive);
        const qsizetype dot = s.indexOf(QLatin1Char('.'));
        if (dot >= 0)
            s.truncate(dot);
    }
    return properCase(s);
}
