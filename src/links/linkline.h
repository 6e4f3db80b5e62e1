#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// One line of a table file: the six fields of an entry (Title, Url, Extra, Hidden, Note, Added)
// joined by ";-;", with no quoting. A field never holds the separator or a line break.
namespace LinkLine {

constexpr int kFields = 6;
using Fields = std::array<QString, kFields>;

// The six fields of a line; nothing when it has fewer. Fields after the sixth are dropped.
std::optional<Fields> split(QStringView line);
QString join(const Fields& fields);

// A field as a line can hold it: every ";-;" is broken up (in an address its semicolons are
// written as %3B, which means the same there; in other text a blank goes in after the dash) and
// line breaks become blanks. Text that needs no change comes back unchanged.
QString storable(const QString& field, bool isAddress = false);

// The number of the last line (from 1) that holds an entry: six fields and a title. Lines
// after it, and lines before it that hold none, are no entries. 0 when no line holds one.
int lastEntryLine(const QStringList& lines);

} // namespace LinkLine
