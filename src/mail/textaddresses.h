#pragma once

#include <QString>
#include <QStringList>

// The e-mail addresses a document writes in its visible text, beside those its mailto: links give.
// A plain address only: a local part of letters, digits and ". _ % + -", "@", and a domain of at
// least two labels (letters, digits and inner hyphens) whose last is not all digits. Nothing is
// guessed from "name at host" or "dot" spellings.
namespace TextAddresses {

// The addresses in the words of a text (its runs without white space that hold an "@", in text
// order), lower-cased, each once, leaving out those that one of the link entries gives (an entry
// is what followed "mailto:"; its query part is left off, its recipients split at the commas
// and percent-decoded, compared without regard to letter case).
QStringList written(const QStringList& words, const QStringList& linkEntries);

} // namespace TextAddresses
