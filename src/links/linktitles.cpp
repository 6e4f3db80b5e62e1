#include "links/linktitles.h"

#include "core/numbers.h"

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

void LinkTitles::applyDefaultTitles(const QString& word)
{
    for (int row = 1; row <= kTables; ++row) {
        if (Numbers::leadingValue(count(row)) == 0.0)
            setTitle(row, word + QLatin1Char(' ') + QString::number(row));
    }
}
