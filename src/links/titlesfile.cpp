#include "links/titlesfile.h"

#include "config/programfiles.h"
#include "core/numbers.h"
#include "core/programdir.h"
#include "links/linkline.h"
#include "links/linktitles.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

// The count of a table whose titles line gives none: the last entry line of its file. Nothing
// when the table has no file.
std::optional<int> countFromTableFile(const ProgramDir& dir, int table)
{
    const std::optional<QStringList> lines =
        TextFile::read(dir.path(ProgramFiles::linkTable(table)));
    if (!lines)
        return std::nullopt;
    return LinkLine::lastEntryLine(*lines);
}

TextFile::Result createDefault(const ProgramDir& dir, const QString& path, const QString& word)
{
    QDir().mkpath(dir.path(ProgramFiles::LinksFolder));
    QStringList lines;
    lines.reserve(LinkTitles::kTables);
    for (int row = 1; row <= LinkTitles::kTables; ++row)
        lines << LinkTitles::storable(word + QLatin1Char(' ') + QString::number(row)) +
                     QStringLiteral(",0");
    return TextFile::rewrite(path, lines);
}

} // namespace

namespace TitlesFile {

TextFile::Result Read_Titles(const ProgramDir& dir, LinkTitles& titles, const QString& word)
{
    const QString path = dir.path(ProgramFiles::LinkTitlesFile);
    TextFile::Result problem;
    if (!QFileInfo::exists(path))
        problem = createDefault(dir, path, word);

    TextFile::Result readProblem;
    const QStringList lines = TextFile::read(path, &readProblem).value_or(QStringList());
    if (problem)
        problem = readProblem;
    titles.setFileUnreadable(!readProblem);
    for (int row = 1; row <= LinkTitles::kTables; ++row) {
        std::optional<int> count;
        const bool hasLine = row <= lines.size();
        if (hasLine) {
            const QStringView line = TextFile::trimSpaces(lines.at(row - 1));
            const qsizetype comma = line.indexOf(QLatin1Char(','));
            titles.setTitle(row, (comma < 0 ? line : line.left(comma)).toString());
            if (comma >= 0) {
                const QStringView rest = line.sliced(comma + 1);
                const qsizetype next = rest.indexOf(QLatin1Char(','));
                count = LinkTitles::boundedCount(
                    Numbers::leadingValue(next < 0 ? rest : rest.left(next)));
            }
        }
        if (!count)
            count = countFromTableFile(dir, row - 1);
        // A line without a comma and without a table file reads as no entries.
        if (!count && hasLine)
            count = 0;
        if (count)
            titles.setEntryCount(row, *count);
    }
    return problem;
}

TextFile::Result save(const ProgramDir& dir, const LinkTitles& titles)
{
    const QString path = dir.path(ProgramFiles::LinkTitlesFile);
    if (titles.fileUnreadable())
        return TextFile::failed(TextFile::Result::Action::Write, path, QString(),
                                TextFile::Result::Cause::KeptUnread);
    QDir().mkpath(dir.path(ProgramFiles::LinksFolder));
    QStringList lines;
    lines.reserve(LinkTitles::kTables);
    for (int row = 1; row <= LinkTitles::kTables; ++row)
        lines << LinkTitles::storable(titles.title(row)) + QLatin1Char(',') + titles.count(row);
    return TextFile::rewrite(path, lines);
}

} // namespace TitlesFile
