#pragma once

#include <QString>
#include <QStringView>

// The system limits a file name in bytes (255 on the usual file systems), and writes names as
// UTF-8: a name of characters outside ASCII takes two to four bytes for each.
namespace FileNames {

// The longest start of the name whose UTF-8 form takes at most `maxBytes` bytes: cut between two
// characters, never inside one (nor between the two halves of a surrogate pair).
QString leadingBytes(QStringView name, qsizetype maxBytes);

} // namespace FileNames
