#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// GridList, the grid of the link-table window, as a table model. Grid row 0 holds the column
// headers (the model's header data); grid rows 1 to Rows() - 1 are the model's rows 0 to
// Rows() - 2. Column 0 holds the position, columns 1 to 6 the fields of an entry (column 4 the
// concealed field as shown). Each row carries its Hidden_Text, so the plain value moves with its
// row whenever rows are reordered; rows beyond the last index given to resetHidden have none.
class LinkGrid : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kColumns = 7;
    using Cells = std::array<QString, kColumns>;

    explicit LinkGrid(QObject* parent = nullptr);

    // The grid's row count, the header row included (at least 1).
    int Rows() const { return static_cast<int>(m_rows.size()) + 1; }
    void setRows(int rows);

    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    // Hidden_Text: indexes 0 to last; reading beyond gives empty text, storing there is ignored.
    QString hiddenText(int row) const;
    void setHiddenText(int row, const QString& text);

    // A row: its cells and Hidden_Text, or, for a row loaded from a table file, the file's line
    // and its position, split into cells when the row is first used. A table opens as fast as
    // its file is read: only the rows shown are split.
    struct Row {
        Cells cells;
        QString hidden;
        QString line;
        int position = 0;
        bool pending = false; // line and position not yet split into cells
    };
    static Row loaded(const QString& line, int position) { return {{}, {}, line, position, true}; }

    // Replaces every row at once: the given data rows become grid rows 1 on, and Hidden_Text
    // reaches up to index hiddenLast.
    void replaceRows(QList<Row> rows, int hiddenLast);

    // Sorts grid rows first to last by a column, ascending, in the collation of the user's
    // locale; rows that compare equal keep their order.
    void sortRows(int first, int last, int column, Qt::CaseSensitivity sensitivity);

    // Takes the rows first to last whose column is empty out of the grid; the others keep their
    // order and the rows after them move up. The number taken out.
    int dropEmptyRows(int first, int last, int column);
    // Column 0 of rows first to last := 1, 2, ... from first.
    void numberRows(int first, int last);

    void setHeaders(const QStringList& headers);
    // The hover texts of the column headers.
    void setHeaderToolTips(const QStringList& tips) { m_headerTips = tips; }
    // What a screen reader says for a concealed cell instead of its asterisks.
    void setConcealedName(const QString& name) { m_concealedName = name; }

    static QString concealed() { return QStringLiteral("********"); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool isDataRow(int row) const { return row >= 1 && row < Rows(); }
    // The row at a model index, split into cells first if it was loaded as a line.
    Row& rowAt(qsizetype index) const;
    void splitAll(int first, int last) const;

    // Rows are split on first use, also by the reading accessors.
    mutable QList<Row> m_rows;
    int m_hiddenLast = 0;
    QStringList m_headers;
    QStringList m_headerTips;
    QString m_concealedName;
};
