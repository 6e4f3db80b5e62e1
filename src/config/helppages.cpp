#include "config/helppages.h"

#include "config/programfiles.h"
#include "core/programdir.h"

#include <QFileInfo>

namespace HelpPages {

QString forLanguage(const ProgramDir& dir, const QString& langName)
{
    // A language name that would lead out of the folder has no page of its own.
    if (!langName.isEmpty() && !langName.contains(QLatin1Char('/')) &&
        !langName.contains(QLatin1Char('\\')) && !langName.contains(QLatin1String(".."))) {
        const QString own = dir.path(ProgramFiles::helpPage(langName));
        if (QFileInfo(own).isFile())
            return own;
    }
    return dir.path(ProgramFiles::HelpPage);
}

} // namespace HelpPages
