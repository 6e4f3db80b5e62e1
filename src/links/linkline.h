#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// One line of a table file: the six fields of an entry (Title, Url, Extra, Hidden, Note, Added)
// joined by ";-;", with no quoting. A field never holds the separator or a line break, and only the
// last one may end in ";-".
namespace LinkLine {

constexpr int kFields = 6;
using Fields = std::array<QString, kFields>;

// The six fields of a line; nothing when it has fewer. Fields after the sixth are dropped.
std::optional<Fields> split(QStringView line);
QString join(const Fields& fields);

// A field as a line can hold it, so that the line splits back into the same six fields: a dash
// that would make a separator with the semicolon before it and the one after it (or with the
// separator that follows the field) becomes the hyphen that looks like it (U+2010); in an address
// that semicolon is written as %3B instead, which means the same there. Line breaks become
// blanks. Text that needs no change comes back unchanged, and a stored field is its own storable
// form.
QString storable(const QString& field, bool isAddress = false);

// Whether a line keeps the field as it is: it holds no line break and no dash that storable
// would change. An editor refuses a field that is not kept rather than changing it unseen.
bool keeps(const QString& field);

// The number of the last line (from 1) that holds an entry: six fields and a title. Lines
// after it, and lines before it that hold none, are no entries. 0 when no line holds one.
int lastEntryLine(const QStringList& lines);

} // namespace LinkLine
