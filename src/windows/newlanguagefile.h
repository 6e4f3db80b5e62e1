#pragma once

#include "core/textfile.h"

#include <QList>
#include <QString>
#include <QStringList>

class ProgramDir;

// The language file the language editor writes: "Quorvink_" + name + ".Txt" in the languages
// folder, under a name the user types.
namespace NewLanguageFile {

// Why a typed name cannot name a language file.
enum class NameProblem {
    None,
    Empty,         // nothing but blanks
    PathSeparator, // "/" or "\": the file would land outside the languages folder
    Dot,           // the language menu cuts names at the first dot (".." included)
    BadCharacter,  // one that file names cannot hold on some systems
    Invisible,     // a control or format character, a line or paragraph separator
    Device,        // a device name on some systems: CON, PRN, AUX, NUL, COM1 to LPT9
    Reserved,      // "new": the key "LANG:NEW" belongs to the editor's own menu entry
};

struct Name {
    QString name; // the typed name without leading and trailing blanks
    NameProblem problem = NameProblem::None;
    char32_t character = 0; // the first invisible character, for NameProblem::Invisible
};

// Checks a typed name; only a name without a problem is written. Letter case counts the simple
// way (ASCII letters only), as everywhere file names are matched.
Name check(const QString& typed);
// A name as a message can show it: each invisible character (a direction mark would turn the
// message around) becomes the replacement character U+FFFD.
QString shown(const QString& name);

// The file of a name: the languages folder (found in any letter case), then the file name in the
// letter case given.
QString path(const ProgramDir& dir, const QString& name);

struct Saved {
    TextFile::Result written;
    // Files of the same name in another letter case, which the new file replaces, that could
    // not be removed.
    QList<TextFile::Result> notRemoved;
};

// Writes the lines whole (QSaveFile) under the name, then removes the files whose names differ
// from it only in letter case, so that one language never has two files. Nothing is removed when
// the write fails.
Saved save(const ProgramDir& dir, const QString& name, const QStringList& lines);

// The shape of a language file that ties it to the program: the number of its caption lines
// (lines in double quotes) and the keys of its setting lines, in upper case, each once.
struct Shape {
    int captions = 0;
    QStringList keys;
};
Shape shapeOf(const QStringList& lines);

// How an edited text differs in shape from the English file.
struct Differences {
    int captions = 0;
    int englishCaptions = 0;
    QStringList missingKeys; // in the English file, not in the text
    QStringList unknownKeys; // in the text, not in the English file
    bool any() const
    {
        return captions != englishCaptions || !missingKeys.isEmpty() || !unknownKeys.isEmpty();
    }
};
Differences compare(const Shape& english, const Shape& edited);

} // namespace NewLanguageFile
