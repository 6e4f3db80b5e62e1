#pragma once

#include <QList>
#include <QString>

class ProgramDir;

// The language files found at start-up, which the language menu lists.
namespace LanguageMenu {

// Lang_List holds at most this many languages.
constexpr int kCapacity = 20;

struct Language {
    QString name;     // between the first "_" and the first "." of the file name, letter case kept
    QString fileName; // the file name as found
};

// The language name a file name gives: the characters between its first "_" and its first "."
// ("Quorvink_english.old.txt" gives "english"); empty when no name can be cut out.
QString nameOf(const QString& fileName);

// The files "\Languages\Quorvink_*" of the program directory, in name order (letter case
// ignored), as languages. Skipped: files that give no name, a name whose key another file took
// already (letter case ignored), the name "new" (its key is the language editor's command), and
// everything after the first 20 languages.
QList<Language> find(const ProgramDir& dir);

} // namespace LanguageMenu
