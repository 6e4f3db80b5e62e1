#include "windows/linkgridview.h"

#include "core/twips.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QStyle>

namespace {

// Widths of the columns in twips; column 5 takes the rest.
constexpr int kColumnTwips[] = {400, 4000, 0, 2000, 1600, 0, 1100};
constexpr int kNoteColumn = 5;
// What the grid keeps free beside the columns.
constexpr int kGridMarginTwips = 300;

} // namespace

LinkGridView::LinkGridView(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("GridList"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // A header may be clicked (the window decides what for); it never selects its column.
    horizontalHeader()->setSectionsClickable(true);
    disconnect(horizontalHeader(), SIGNAL(sectionPressed(int)), this, nullptr);
    disconnect(horizontalHeader(), SIGNAL(sectionEntered(int)), this, nullptr);
}

// The width of a column: its width in twips, or what its longest usual text needs (a position
// of five digits, a date) when the font is larger than the twips allow for.
int LinkGridView::columnPixels(int column) const
{
    const int twips = Twips::toPixels(kColumnTwips[column]);
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    if (column == 0)
        return qMax(twips, fontMetrics().horizontalAdvance(QStringLiteral("00000")) + padding);
    if (column == 6)
        return qMax(twips, fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + padding);
    return twips;
}

void LinkGridView::GO_Grid()
{
    for (int column = 0; column < static_cast<int>(std::size(kColumnTwips)); ++column) {
        if (column != kNoteColumn)
            setColumnWidth(column, columnPixels(column));
    }
    // The address has no width: it is there to be opened, not read.
    setColumnHidden(2, true);
}

void LinkGridView::fitNoteColumn(int gridWidth)
{
    int others = 0;
    for (int column = 0; column < static_cast<int>(std::size(kColumnTwips)); ++column) {
        if (column != kNoteColumn && column != 2)
            others += columnPixels(column);
    }
    setColumnWidth(kNoteColumn, qMax(Twips::toPixels(kGridMarginTwips),
                                     gridWidth - others - Twips::toPixels(kGridMarginTwips)));
}

int LinkGridView::currentGridRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

int LinkGridView::currentColumn() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 1;
}

bool LinkGridView::selectionSpansEntry() const
{
    if (!model() || !currentIndex().isValid())
        return false;
    if (currentIndex().column() == 0)
        return true;
    const int row = currentIndex().row();
    const QItemSelectionModel* selection = selectionModel();
    return selection->isSelected(model()->index(row, 1)) &&
           selection->isSelected(model()->index(row, 6));
}

void LinkGridView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex at = indexAt(event->position().toPoint());
    if (at.isValid() && at.column() == 0 && event->button() == Qt::LeftButton) {
        const QModelIndex first = model()->index(at.row(), 1);
        const QModelIndex last = model()->index(at.row(), model()->columnCount() - 1);
        selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
    }
    if (at.isValid() && event->button() == Qt::LeftButton)
        emit cellClicked(at.row() + 1, at.column());
}

void LinkGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid() && event->button() == Qt::LeftButton)
        emit activated();
}

void LinkGridView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit activated();
        event->accept();
        return;
    case Qt::Key_Space:
        if (currentIndex().isValid())
            emit cellClicked(currentIndex().row() + 1, currentIndex().column());
        event->accept();
        return;
    default:
        QTableView::keyPressEvent(event);
    }
}
