#pragma once

#include <QTableView>

// GridList, the grid of the link-table window, on a LinkGrid model. Its cells are chosen, never
// edited. Rows are counted as the grid counts them: row 1 is the first entry. A click on the
// position column chooses the whole entry (columns 1 to 6) as a click on a fixed column does.
// Space on a cell acts as a click on it; Enter as a double-click.
class LinkGridView : public QTableView {
    Q_OBJECT
public:
    explicit LinkGridView(QWidget* parent = nullptr);

    // GO_Grid: the widths (twips) and alignments of the columns; column 2 takes no room.
    void GO_Grid();
    // Column 5 takes what the others leave of the given width (pixels).
    void fitNoteColumn(int gridWidth);

    // The current row (1 for the first entry when none is current) and column.
    int currentGridRow() const;
    int currentColumn() const;
    // Whether the selection spans columns 1 to 6 of the current row.
    bool selectionSpansEntry() const;

signals:
    void cellClicked(int row, int column);
    void activated();

protected:
    int columnPixels(int column) const;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
