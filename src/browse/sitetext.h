#pragma once

#include <QString>
#include <QStringView>

// A text that a site or a server supplies (a realm, a host name, the engine's words about a
// certificate), made fit to stand in one of the program's questions: on one line, without
// control or format characters (which could turn the words around it), cut to at most
// maxChars characters with "…" at the cut, never inside a character.
namespace SiteText {

constexpr int kHostChars = 80;
constexpr int kRealmChars = 120;

QString shown(QStringView text, int maxChars);

} // namespace SiteText
