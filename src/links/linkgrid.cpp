#include "links/linkgrid.h"

#include "links/linkline.h"

#include <QCollator>

#include <algorithm>
#include <numeric>
#include <vector>

LinkGrid::LinkGrid(QObject* parent) : QAbstractTableModel(parent) {}

LinkGrid::Row& LinkGrid::rowAt(qsizetype index) const
{
    Row& row = m_rows[index];
    if (!row.pending)
        return row;
    row.pending = false;
    // A line with fewer than six fields leaves its row blank.
    if (const std::optional<LinkLine::Fields> fields = LinkLine::split(row.line)) {
        row.cells[0] = QString::number(row.position);
        for (size_t f = 0; f < fields->size(); ++f)
            row.cells[f + 1] = (*fields)[f];
        row.hidden = (*fields)[3];
        if (!row.hidden.isEmpty())
            row.cells[4] = concealed();
    }
    row.line = QString();
    return row;
}

void LinkGrid::splitAll(int first, int last) const
{
    for (int r = qMax(first, 1); r <= qMin(last, Rows() - 1); ++r)
        rowAt(r - 1);
}

void LinkGrid::setRows(int rows)
{
    const int wanted = qMax(rows, 1) - 1;
    const int now = static_cast<int>(m_rows.size());
    if (wanted < now) {
        beginRemoveRows(QModelIndex(), wanted, now - 1);
        m_rows.resize(wanted);
        endRemoveRows();
    } else if (wanted > now) {
        beginInsertRows(QModelIndex(), now, wanted - 1);
        m_rows.resize(wanted);
        endInsertRows();
    }
}

QString LinkGrid::cell(int row, int column) const
{
    if (!isDataRow(row) || column < 0 || column >= kColumns)
        return {};
    return rowAt(row - 1).cells[static_cast<size_t>(column)];
}

void LinkGrid::setCell(int row, int column, const QString& text)
{
    if (!isDataRow(row) || column < 0 || column >= kColumns)
        return;
    rowAt(row - 1).cells[static_cast<size_t>(column)] = text;
    const QModelIndex at = index(row - 1, column);
    emit dataChanged(at, at);
}

QString LinkGrid::hiddenText(int row) const
{
    return isDataRow(row) && row <= m_hiddenLast ? rowAt(row - 1).hidden : QString();
}

void LinkGrid::setHiddenText(int row, const QString& text)
{
    if (isDataRow(row) && row <= m_hiddenLast)
        rowAt(row - 1).hidden = text;
}

void LinkGrid::replaceRows(QList<Row> rows, int hiddenLast)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_hiddenLast = hiddenLast;
    endResetModel();
}

void LinkGrid::sortRows(int first, int last, int column, Qt::CaseSensitivity sensitivity)
{
    first = qMax(first, 1);
    last = qMin(last, Rows() - 1);
    if (last <= first || column < 0 || column >= kColumns)
        return;
    splitAll(first, last);
    QCollator collator;
    collator.setCaseSensitivity(sensitivity);
    const auto begin = m_rows.begin() + (first - 1);
    const int n = last - first + 1;
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(n));
    // The collator of the C locale compares keys code by code whatever the case sensitivity:
    // texts compared without regard to case are folded first.
    for (auto it = begin; it != begin + n; ++it) {
        const QString& text = it->cells[static_cast<size_t>(column)];
        keys.push_back(
            collator.sortKey(sensitivity == Qt::CaseInsensitive ? text.toCaseFolded() : text));
    }
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]) < 0;
    });

    // The view keeps its current cell where it was, as the grid's current row and column stay.
    emit layoutAboutToBeChanged();
    QList<Row> sorted;
    sorted.reserve(n);
    for (const int i : order)
        sorted.append(std::move(*(begin + i)));
    std::move(sorted.begin(), sorted.end(), begin);
    emit layoutChanged();
}

int LinkGrid::dropEmptyRows(int first, int last, int column)
{
    first = qMax(first, 1);
    last = qMin(last, Rows() - 1);
    if (last < first || column < 0 || column >= kColumns)
        return 0;
    splitAll(first, last);
    const auto begin = m_rows.begin() + (first - 1);
    const auto end = m_rows.begin() + last;
    const auto isEmpty = [column](const Row& row) {
        return row.cells[static_cast<size_t>(column)].isEmpty();
    };
    if (std::none_of(begin, end, isEmpty))
        return 0;
    beginResetModel();
    const auto kept =
        std::stable_partition(begin, end, [&](const Row& row) { return !isEmpty(row); });
    const int dropped = static_cast<int>(end - kept);
    m_rows.erase(kept, end);
    endResetModel();
    return dropped;
}

void LinkGrid::numberRows(int first, int last)
{
    first = qMax(first, 1);
    last = qMin(last, Rows() - 1);
    if (last < first)
        return;
    for (int r = first; r <= last; ++r)
        rowAt(r - 1).cells[0] = QString::number(r);
    emit dataChanged(index(first - 1, 0), index(last - 1, 0));
}

void LinkGrid::setHeaders(const QStringList& headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

int LinkGrid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int LinkGrid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant LinkGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const QString& text = rowAt(index.row()).cells[static_cast<size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole:
        return text;
    case Qt::AccessibleTextRole:
        return index.column() == 4 && text == concealed() ? m_concealedName : text;
    case Qt::TextAlignmentRole:
        if (index.column() == 3 || index.column() == 4)
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant LinkGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    if (role == Qt::DisplayRole)
        return m_headers.value(section);
    if (role == Qt::ToolTipRole && !m_headerTips.value(section).isEmpty())
        return m_headerTips.value(section);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags LinkGrid::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
