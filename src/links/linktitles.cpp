#include "links/linktitles.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>

QString LinkTitles::title(int row) const
{
    return row >= 0 && row < kRows ? m_rows[static_cast<size_t>(row)].title : QString();
}

QString LinkTitles::count(int row) const
{
    return row >= 0 && row < kRows ? m_rows[static_cast<size_t>(row)].count : QString();
}

void LinkTitles::setTitle(int row, const QString& title)
{
    if (row >= 0 && row < kRows)
        m_rows[static_cast<size_t>(row)].title = title;
}

void LinkTitles::setCount(int row, const QString& count)
{
    if (row >= 0 && row < kRows)
        m_rows[static_cast<size_t>(row)].count = count;
}

int LinkTitles::entryCount(int row) const
{
    return boundedCount(Numbers::leadingValue(count(row)));
}

int LinkTitles::boundedCount(double value)
{
    value = std::round(value);
    if (!(value > 0)) // negative, zero or not a number
        return 0;
    return value >= double(kMaxCount) ? kMaxCount : static_cast<int>(value);
}

void LinkTitles::applyDefaultTitles(const QString& word, const QStringList& defaultWords)
{
    for (int row = 1; row <= kTables; ++row) {
        if (Numbers::leadingValue(count(row)) != 0.0)
            continue;
        const QString number = QLatin1Char(' ') + QString::number(row);
        const QString current = title(row);
        const bool isDefault =
            current.isEmpty() || current == word + number ||
            std::any_of(defaultWords.cbegin(), defaultWords.cend(),
                        [&](const QString& other) { return current == other + number; });
        if (isDefault)
            setTitle(row, word + number);
    }
}

QString LinkTitles::countText(int count)
{
    return QLatin1Char(' ') + QString::number(count);
}

QString LinkTitles::storable(const QString& title)
{
    QString text = title;
    text.replace(QLatin1Char(','), QChar(0x201A));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}
