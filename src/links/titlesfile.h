#pragma once

#include "core/textfile.h"

#include <QString>

class LinkTitles;
class ProgramDir;

// The titles file "\Links\Links.Bok": one line per table, its title, a comma and its entry count
// ("News, 3"), 150 lines as the program writes it.
namespace TitlesFile {

// Read_Titles: the titles and counts of lines 1 to 150 into rows 1 to 150; later lines are
// ignored. A file that exists but cannot be read marks the titles so that save never writes over
// it. A missing file is first created (with the Links folder) holding the default titles:
// the language's word for a table, a blank and the row, then ",0". When a line has no comma, or
// the file ends before a table's line, the count comes from the table's own file if there is
// one, so that a damaged titles file never hides a table's entries. A failure to create or read
// the file is returned; the rows it could not fill keep what they held.
TextFile::Result Read_Titles(const ProgramDir& dir, LinkTitles& titles, const QString& word);

// Rewrites the file from rows 1 to 150, each as title, comma, count; a file that could not be read
// is kept as it is and the failure says so (Cause::KeptUnread).
TextFile::Result save(const ProgramDir& dir, const LinkTitles& titles);

} // namespace TitlesFile
