#pragma once

#include "core/programdir.h"
#include "core/textfile.h"
#include "links/linkgrid.h"

#include <QObject>
#include <QString>

class CaptionTable;
class LinkTitles;

// The page of the main window that "ADDURL" adds.
struct ShownPage {
    QString Page_Title; // the last title a view reported
    QString Cur_URL;    // the address last opened through the address box
    QString addressText;
    QString Today_Str;
};

// The table shown in the link-table window, with the procedures that load it into the grid, add
// the shown page, sort the rows on show, reveal concealed values and save it back to its file and
// its title to the titles file. Everything here works without a window.
//
// Only the file of the shown table and the titles file are written. Table files are readable by
// the user only: they hold the concealed field in plain text.
class LinkTable : public QObject {
    Q_OBJECT
public:
    // The most characters of the address box kept in an added entry's note.
    static constexpr int kNoteLength = 100;

    LinkTable(ProgramDir dir, LinkTitles& titles, const CaptionTable& captions,
              QObject* parent = nullptr);

    LinkGrid& grid() { return m_grid; }
    const LinkGrid& grid() const { return m_grid; }
    const LinkTitles& titles() const { return m_titles; }

    // Cur_Table (0 to 104) and Table_File, its path, which follows it.
    int Cur_Table() const { return m_curTable; }
    void setCurTable(int table);
    const QString& Table_File() const { return m_tableFile; }

    int Entry_Count() const { return m_entryCount; }
    // The rows a short table is shown with, the header included.
    int Rows_Shown() const { return m_rowsShown; }
    void setRowsShown(int rows) { m_rowsShown = qMax(rows, 1); }

    // The grid row whose concealed value is shown in plain text.
    int Reveal_Row() const { return m_revealRow; }

    // A title typed for the shown table and not yet stored.
    const QString& New_Title() const { return m_newTitle; }
    void clearNewTitle() { m_newTitle.clear(); }

    // Loads the shown table's file into the grid. Rows whose line has fewer than six fields stay
    // blank. A file holding more entries than its count is shown whole and one holding fewer
    // lines shows those (the count follows), so that a save keeps every entry. A file that exists
    // but cannot be read is returned as a problem; the table then shows empty and its file is
    // never written over.
    TextFile::Result Read_Table();
    // Sorts the entries by title and writes them, dropping rows without a title and lowering
    // the count; then Save_Title. The first failure is returned.
    TextFile::Result Save_Table();
    // Stores New_Title as the shown table's title when one was typed, then rewrites the titles
    // file.
    TextFile::Result Save_Title();
    // Enter in the title box: the typed text becomes the title (an empty text empties it) and
    // the titles file is rewritten.
    TextFile::Result Enter_Title(const QString& text);

    // Adds the shown page as the last entry: nothing when it has no title or the table already
    // holds an entry of that title. The caller saves and reloads. True when it added one.
    bool ADD_Tab(const ShownPage& page);
    // "SORT": the entries sorted on show by title (column 1) or address (column 2, any other
    // column meaning 1) without regard to letter case and numbered again. Nothing is written.
    void sortShown(int column);
    // "SORT" again: by address when the rows are sorted by title, else by title. The address
    // column is never shown, so no cell of it can choose it.
    void sortNext() { sortShown(m_sortedBy == 1 ? 2 : 1); }
    // A click on a grid cell: in column 4 of a row with a concealed value, shows or conceals it.
    void clickCell(int row, int column);

    // The column headers of the grid from the captions.
    void Column_Titles();
    // What "SORT" and the title's header do, for their hover texts.
    QString sortToolTip() const;

    // The note of an added entry: the address box text, cut after kNoteLength characters.
    static QString noteOf(const QString& addressText);

signals:
    // Save_Title stored a typed title: the tab captions follow.
    void titleStored();

private:
    int titleRow() const { return m_curTable + 1; }

    const ProgramDir m_dir;
    LinkTitles& m_titles;
    const CaptionTable& m_captions;
    LinkGrid m_grid;
    int m_curTable = 0;
    QString m_tableFile;
    int m_entryCount = 0;
    int m_rowsShown = 1;
    int m_revealRow = 0;
    bool m_revealOn = false;
    QString m_newTitle;
    bool m_unreadable = false;
    int m_sortedBy = 0;
};
