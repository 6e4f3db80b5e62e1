#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The address book as mail programs import it: the addresses of the book's lines, each once, as
// vCard 4.0 cards or as a CSV table. Plain functions, no files and no windows.
namespace AddressBook {

// The addresses of the book's lines and how many lines gave none.
struct Addresses {
    QStringList addresses; // first-seen order, each once whatever its letter case
    int skipped = 0;       // lines that are no address (blank lines, junk)
};

// The address of one entry as the harvester writes it ("name@example.org", perhaps with a query
// part "?subject=..." that is dropped, perhaps percent-encoded), or nothing when the entry is not
// one address: no "@", several "@", blanks or controls, characters no address holds, a first
// character that spreadsheets take for a formula.
std::optional<QString> addressOf(QStringView entry);

// The addresses of the book's lines. An entry of several recipients separated by commas gives
// each of them; a line counts as skipped when it gives none.
Addresses collect(const QStringList& lines);

enum class Format { VCard, Csv };

// The format a file name asks for by its extension (".vcf", ".vcard", ".csv", any letter case).
std::optional<Format> formatOf(const QString& fileName);

// One vCard 4.0 card per address (BEGIN, VERSION, FN, EMAIL, END), UTF-8, CR LF, lines folded
// at 75 octets without splitting a character, values escaped.
QByteArray toVCard(const QStringList& addresses);

// A CSV table (RFC 4180): the header "Name,E-mail Address", then one row per address, fields
// quoted where needed, UTF-8, CR LF.
QByteArray toCsv(const QStringList& addresses);

} // namespace AddressBook
