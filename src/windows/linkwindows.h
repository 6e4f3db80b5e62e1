#pragma once

#include "core/programdir.h"
#include "core/textfile.h"

#include <QString>

class CaptionTable;
class CommandPool;
class Desktop;
class LinkTitles;
class QWidget;
struct WindowPlace;

// What the link-table window and the entry editor work with, handed in by the main window.
struct LinkWindowsSetup {
    ProgramDir dir;
    Desktop& desktop;
    const CaptionTable& captions;
    CommandPool& pool;
    LinkTitles& titles;
    WindowPlace& tablePlace;  // remembered between runs with the settings
    WindowPlace& editorPlace; // the same for the entry editor
    QString Lang_Code;        // names the help document
};

namespace LinkWindows {

// Tells the user of a table or titles file that could not be read or written.
void reportProblem(const LinkWindowsSetup& setup, QWidget* parent, const TextFile::Result& result);

} // namespace LinkWindows
