#include "export/setalpha.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "platform/desktop.h"

#include <QWidget>
#include <QWindow>

bool Set_Alpha(QWidget* window, int level, Desktop& desktop, const CaptionTable& captions)
{
    if (!window || !window->windowHandle()) {
        desktop.report(window, captions.textOrEnglish(CaptionNo::WindowNotDimmed) +
                                   QStringLiteral(" Source : Set_Alpha"));
        return false;
    }
    window->setWindowOpacity((level & 0xFF) / 255.0);
    return true;
}
