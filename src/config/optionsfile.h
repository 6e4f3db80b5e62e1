#pragma once

#include "core/textfile.h"

#include <QString>

#include <optional>

// The user's choices kept between runs, "\Data\orvelquorvink.Opt".
struct Options {
    qint16 Bar_Style = 1; // command-bar drawing style: 0 system, 1 office, 2 money, 3 XP
    qint16 reserved1 = 0; // stored and written back unchanged
    qint16 Float_Bar = 0; // 1: the top bar hides itself
    qint16 reserved2 = 0; // stored and written back unchanged
    QString Home_Page;    // opened in tab 0 at start
    QString Lang_Name = QStringLiteral("English");
};

namespace OptionsFile {

// Read_Opt: creates the file with its five default lines when it is missing, then reads it.
// A line that cannot be read leaves its value unchanged.
// A file that exists but cannot be read is left as it is and reported in problem.
void read(const QString& path, Options& options, const QString& makerHomePage,
          TextFile::Result* problem = nullptr);

// The options an existing file holds, read without creating one: nothing when it cannot be read.
std::optional<Options> peek(const QString& path);

// Save_Opt: writes the six lines.
TextFile::Result save(const QString& path, const Options& options);

} // namespace OptionsFile
