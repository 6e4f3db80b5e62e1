#include "windows/linkwindows.h"

#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "platform/desktop.h"

namespace LinkWindows {

void reportProblem(const LinkWindowsSetup& setup, QWidget* parent, const TextFile::Result& result)
{
    if (result)
        return;
    QString text = FileMessages::text(setup.captions, result);
    // Only a table file is read here, and one that cannot be read is never written over.
    if (result.action == TextFile::Result::Action::Read)
        text += QLatin1Char('\n') + setup.captions.textOrEnglish(CaptionNo::LinkTableKept);
    setup.desktop.report(parent, text);
}

} // namespace LinkWindows
