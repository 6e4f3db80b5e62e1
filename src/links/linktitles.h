#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <limits>

// Link_Titles: the title and the entry count (as text) of the 150 link tables, rows 1 to 150;
// row r belongs to table r - 1. Row 0 and rows 151 to 160 are never used.
class LinkTitles {
public:
    static constexpr int kRows = 161;
    static constexpr int kTables = 150; // the two link-table dimensions 30 and 5
    // The most entries a count text stands for.
    static constexpr int kMaxCount = std::numeric_limits<int>::max();

    QString title(int row) const;
    QString count(int row) const;
    void setTitle(int row, const QString& title);
    void setCount(int row, const QString& count);

    // The entry count of a row: the leading numeric value of its count text, rounded and kept
    // within 0 to kMaxCount.
    int entryCount(int row) const;
    void setEntryCount(int row, int count) { setCount(row, countText(count)); }

    // Every table without entries whose title is empty or a default title (one of
    // defaultWords, or word, followed by its row in the number-print form: "Gruppe 7") is titled
    // with word followed by its row ("Group 7"). Tables with entries, and titles the user gave,
    // keep their titles.
    void applyDefaultTitles(const QString& word, const QStringList& defaultWords = {});

    // A count value kept within 0 to kMaxCount, rounded.
    static int boundedCount(double value);
    // A count as the program writes it: a blank, then the digits (" 3").
    static QString countText(int count);
    // A title as the titles file can hold it: a comma would end the title at the next reading,
    // so it becomes the low quotation mark that looks like one; line breaks become blanks.
    static QString storable(const QString& title);

    // The titles file exists but could not be read: it is never written over in this run.
    bool fileUnreadable() const { return m_fileUnreadable; }
    void setFileUnreadable(bool unreadable) { m_fileUnreadable = unreadable; }

private:
    struct Row {
        QString title;
        QString count;
    };
    std::array<Row, kRows> m_rows;
    bool m_fileUnreadable = false;
};
