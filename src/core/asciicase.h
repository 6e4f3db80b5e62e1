#pragma once

#include <QString>
#include <QStringView>

// Letter case the simple way: only the 26 letters A to Z and a to z have another case. The
// program's own file names are ASCII; a name typed by the user keeps every other character as it
// is, so that no look-alike ("Engliſh", "ENGLİSH") meets a name it only resembles.
namespace AsciiCase {

QString toUpper(QStringView text);
QString toLower(QStringView text);
// Whether the two texts are the same once their ASCII letters are in one case.
bool equal(QStringView a, QStringView b);

} // namespace AsciiCase
