#pragma once

#include <QString>
#include <array>

// Link_Titles: the title and the entry count (as text) of the 150 link tables, rows 1 to 150;
// row 0 and rows 151 to 160 are never used.
class LinkTitles {
public:
    static constexpr int kRows = 161;
    static constexpr int kTables = 150; // the two link-table dimensions 30 and 5

    QString title(int row) const;
    QString count(int row) const;
    void setTitle(int row, const QString& title);
    void setCount(int row, const QString& count);

    // Every table without entries is titled with the language's word for a table followed by
    // its row in the number-print form ("Group 7"); tables with entries keep their titles.
    void applyDefaultTitles(const QString& word);

private:
    struct Row {
        QString title;
        QString count;
    };
    std::array<Row, kRows> m_rows;
};
