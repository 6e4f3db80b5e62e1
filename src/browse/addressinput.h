#pragma once

#include <QString>

// What the address box opens for a text typed into it. Web addresses keep their scheme; the
// addresses of local files, the program's own pages ("quorvink:") and the blank page open as
// typed; an absolute path ("/…") or a path in the home folder ("~/…") becomes a file: address;
// anything else is taken for a web address without its scheme and gets "http://".
namespace AddressInput {

// The address to open for a non-empty typed text; home is the user's home folder.
QString complete(const QString& typed, const QString& home);

// Only web addresses (http and https) longer than "http://" and a letter enter the history.
bool entersHistory(const QString& address);

} // namespace AddressInput
