#pragma once

#include <QString>

class ProgramDir;

// The help page in the interface's language.
namespace HelpPages {

// "\Data\OrvelHelp_" + language name + ".html" where the language has its own help page, else
// the English one, "\Data\OrvelHelp.html": the full path.
QString forLanguage(const ProgramDir& dir, const QString& langName);

} // namespace HelpPages
