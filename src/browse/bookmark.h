#pragma once

#include "core/textfile.h"

#include <QString>

#include <optional>

// The one bookmark, "\Data\OrvelBook.bm": one line, the address.
namespace Bookmark {

// Save_BookMark's file part: the address and CR LF (an empty address writes an empty line).
TextFile::Result save(const QString& path, const QString& Mark_URL);

// Read_BookMark's file part: the first line, or nothing when the file is missing or empty.
std::optional<QString> read(const QString& path);

} // namespace Bookmark
