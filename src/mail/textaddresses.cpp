#include "mail/textaddresses.h"

#include <QSet>
#include <QUrl>

namespace {

bool localChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('_') ||
           c == QLatin1Char('%') || c == QLatin1Char('+') || c == QLatin1Char('-');
}

bool domainChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-');
}

bool validLocal(QStringView local)
{
    return !local.isEmpty() && !local.endsWith(QLatin1Char('.')) &&
           !local.contains(QLatin1String(".."));
}

bool validDomain(QStringView domain)
{
    const QList<QStringView> labels = domain.split(QLatin1Char('.'));
    if (labels.size() < 2)
        return false;
    for (const QStringView label : labels) {
        if (label.isEmpty() || label.startsWith(QLatin1Char('-')) ||
            label.endsWith(QLatin1Char('-')))
            return false;
    }
    const QStringView last = labels.last();
    return std::any_of(last.begin(), last.end(), [](QChar c) { return !c.isDigit(); });
}

// The addresses around each "@" of one word, in order.
void addressesOf(QStringView word, QStringList& out)
{
    for (qsizetype at = word.indexOf(QLatin1Char('@')); at >= 0;
         at = word.indexOf(QLatin1Char('@'), at + 1)) {
        qsizetype start = at;
        while (start > 0 && localChar(word[start - 1]))
            --start;
        while (start < at && word[start] == QLatin1Char('.'))
            ++start; // a sentence's full stop before the address
        qsizetype end = at + 1;
        while (end < word.size() && domainChar(word[end]))
            ++end;
        while (end > at + 1 &&
               (word[end - 1] == QLatin1Char('.') || word[end - 1] == QLatin1Char('-')))
            --end; // the full stop or dash after it
        const QStringView local = word.mid(start, at - start);
        const QStringView domain = word.mid(at + 1, end - at - 1);
        if (validLocal(local) && validDomain(domain))
            out.append(word.mid(start, end - start).toString().toLower());
    }
}

} // namespace

namespace TextAddresses {

QStringList written(const QStringList& words, const QStringList& linkEntries)
{
    QSet<QString> given;
    for (const QString& entry : linkEntries) {
        const QStringView recipients = QStringView(entry).left(entry.indexOf(QLatin1Char('?')));
        for (const QStringView one : recipients.split(QLatin1Char(',')))
            given.insert(QUrl::fromPercentEncoding(one.toUtf8()).toLower());
    }
    QStringList found;
    for (const QString& word : words)
        addressesOf(word, found);
    QStringList out;
    for (const QString& address : std::as_const(found)) {
        if (!given.contains(address)) {
            given.insert(address); // each once
            out.append(address);
        }
    }
    return out;
}

} // namespace TextAddresses
