#include "browse/history.h"

namespace History {

QStringList read(const QString& path, TextFile::Result* problem)
{
    return TextFile::read(path, problem).value_or(QStringList());
}

bool isNew(const QStringList& items, const QString& boxText)
{
    const QString wanted = boxText.trimmed();
    for (const QString& item : items) {
        if (item.trimmed() == wanted)
            return false;
    }
    return true;
}

TextFile::Result save(const QString& path, const QStringList& items)
{
    const qsizetype first = qMax<qsizetype>(0, items.size() - kSavedEntries);
    QStringList lines;
    for (qsizetype i = first; i < items.size(); ++i) {
        if (!items[i].isEmpty())
            lines.append(items[i]);
    }
    return TextFile::rewrite(path, lines);
}

} // namespace History
