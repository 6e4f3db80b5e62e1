#include "links/linktable.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "links/linkline.h"
#include "links/linktitles.h"
#include "links/titlesfile.h"

#include <QDir>

LinkTable::LinkTable(ProgramDir dir, LinkTitles& titles, const CaptionTable& captions,
                     QObject* parent)
    : QObject(parent), m_dir(std::move(dir)), m_titles(titles), m_captions(captions)
{
    setCurTable(0);
}

void LinkTable::setCurTable(int table)
{
    m_curTable = qBound(0, table, LinkTitles::kTables - 1);
    m_tableFile = m_dir.path(ProgramFiles::linkTable(m_curTable));
}

void LinkTable::Column_Titles()
{
    QStringList headers;
    for (int column = 0; column < LinkGrid::kColumns; ++column) {
        if (column == 2)
            headers << QString();
        else if (column == 1 && m_sortedBy == 2)
            headers
                << m_captions.textOrEnglish(CaptionNo::SortedByAddress).arg(m_captions.text(65));
        else if (column == 6)
            headers << m_captions.text(73);
        else
            headers << m_captions.text(64 + column);
    }
    m_grid.setHeaders(headers);
    // The title's header sorts as "SORT" does.
    QStringList tips(LinkGrid::kColumns);
    tips[1] = sortToolTip();
    m_grid.setHeaderToolTips(tips);
    m_grid.setConcealedName(m_captions.text(CaptionNo::ConcealedValue));
}

TextFile::Result LinkTable::Read_Table()
{
    m_sortedBy = 0;
    Column_Titles();
    m_revealRow = 0;
    m_revealOn = false;

    TextFile::Result problem;
    const std::optional<QStringList> lines = TextFile::read(m_tableFile, &problem);
    m_unreadable = !problem;
    // A missing or unreadable file shows empty. Otherwise the count is kept to the lines the file
    // has (the rows beyond would be blank), and entries beyond the count (a titles file that lost
    // its line) are shown, so that a save keeps them; the count follows.
    m_entryCount = 0;
    if (lines) {
        const int counted = m_titles.entryCount(titleRow());
        m_entryCount = static_cast<int>(qMax<qsizetype>(qMin<qsizetype>(counted, lines->size()),
                                                        LinkLine::lastEntryLine(*lines)));
        if (m_entryCount != counted)
            m_titles.setEntryCount(titleRow(), m_entryCount);
    }

    const int rows = m_entryCount < m_rowsShown ? m_rowsShown : m_entryCount + 1;
    QList<LinkGrid::Row> data(rows - 1);
    if (lines) {
        const int available = static_cast<int>(qMin<qsizetype>(m_entryCount, lines->size()));
        for (int r = 1; r <= available; ++r)
            data[r - 1] = LinkGrid::loaded(lines->at(r - 1), r);
    }
    m_grid.replaceRows(std::move(data), m_entryCount + 1);
    return problem;
}

TextFile::Result LinkTable::Save_Table()
{
    // A file that could not be read is left as it is: writing the empty grid would lose it.
    if (m_unreadable)
        return Save_Title();

    // Rows the grid does not hold would be blank and dropped: they are not made.
    m_entryCount = qMin(m_titles.entryCount(titleRow()), m_grid.Rows() - 1);
    m_grid.setRows(m_entryCount + 1);
    m_grid.sortRows(1, m_entryCount, 1, Qt::CaseSensitive);

    // Rows without a title are no entries: they leave the grid as they leave the file, so that a
    // second save before the next reload writes the same entries.
    m_entryCount -= m_grid.dropEmptyRows(1, m_entryCount, 1);

    QStringList lines;
    lines.reserve(m_entryCount);
    for (int r = 1; r <= m_entryCount; ++r) {
        const QString title = m_grid.cell(r, 1);
        lines << LinkLine::join(
            {LinkLine::storable(title), LinkLine::storable(m_grid.cell(r, 2), true),
             LinkLine::storable(m_grid.cell(r, 3)), LinkLine::storable(m_grid.hiddenText(r)),
             LinkLine::storable(m_grid.cell(r, 5)), LinkLine::storable(m_grid.cell(r, 6))});
    }
    m_entryCount = static_cast<int>(lines.size());
    m_titles.setEntryCount(titleRow(), m_entryCount);

    QDir().mkpath(m_dir.path(ProgramFiles::LinksFolder));
    const TextFile::Result written =
        TextFile::rewrite(m_tableFile, lines, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const TextFile::Result titled = Save_Title();
    return written ? titled : written;
}

TextFile::Result LinkTable::Save_Title()
{
    if (!m_newTitle.isEmpty()) {
        m_titles.setTitle(titleRow(), m_newTitle);
        m_newTitle.clear();
        emit titleStored();
    }
    return TitlesFile::save(m_dir, m_titles);
}

TextFile::Result LinkTable::Enter_Title(const QString& text)
{
    if (text.isEmpty())
        m_titles.setTitle(titleRow(), QString());
    m_newTitle = LinkTitles::storable(text);
    return Save_Title();
}

QString LinkTable::sortToolTip() const
{
    return m_captions.text(81) + QLatin1Char('\n') + m_captions.textOrEnglish(CaptionNo::SortAgain);
}

QString LinkTable::noteOf(const QString& addressText)
{
    if (addressText.size() <= kNoteLength)
        return addressText;
    // A character made of two code units is kept whole or not at all.
    const int cut =
        addressText.at(kNoteLength - 1).isHighSurrogate() ? kNoteLength - 1 : kNoteLength;
    return addressText.left(cut) + QStringLiteral("..");
}

bool LinkTable::ADD_Tab(const ShownPage& page)
{
    if (m_unreadable)
        return false;
    const QString title = LinkLine::storable(page.Page_Title);
    if (title.isEmpty())
        return false;
    for (int r = 1; r <= m_entryCount; ++r) {
        if (m_grid.cell(r, 1) == title)
            return false;
    }
    const int n = m_entryCount + 1;
    if (n >= m_grid.Rows())
        m_grid.setRows(n + 1);
    const QString cells[] = {
        QString::number(n), title,     LinkLine::storable(page.Cur_URL, true),
        QString(),          QString(), LinkLine::storable(noteOf(page.addressText)),
        page.Today_Str};
    for (int column = 0; column < LinkGrid::kColumns; ++column)
        m_grid.setCell(n, column, cells[column]);
    m_grid.setHiddenText(n, QString());
    m_entryCount = n;
    m_titles.setEntryCount(titleRow(), n);
    return true;
}

void LinkTable::sortShown(int column)
{
    if (column != 1 && column != 2)
        column = 1;
    // A value shown in plain text is concealed again: its row is about to move.
    if (m_revealRow > 0 && m_revealOn)
        m_grid.setCell(m_revealRow, 4, LinkGrid::concealed());
    m_revealRow = 0;
    m_revealOn = false;

    m_grid.setRows(m_entryCount + 1);
    m_grid.sortRows(1, m_entryCount, column, Qt::CaseInsensitive);
    m_grid.numberRows(1, m_entryCount);
    m_grid.setRows(m_entryCount < m_rowsShown ? m_rowsShown : m_entryCount + 1);
    // The title column's header says when the order is the address's, which no column shows.
    m_sortedBy = column;
    Column_Titles();
}

void LinkTable::clickCell(int row, int column)
{
    const QString plain = m_grid.hiddenText(row);
    if (column != 4 || plain.isEmpty())
        return;
    if (row != m_revealRow) {
        if (m_revealRow > 0)
            m_grid.setCell(m_revealRow, 4, LinkGrid::concealed());
        m_revealRow = row;
        m_revealOn = true;
        m_grid.setCell(row, 4, plain);
    } else {
        m_revealOn = !m_revealOn;
        m_grid.setCell(row, 4, m_revealOn ? plain : LinkGrid::concealed());
    }
}
