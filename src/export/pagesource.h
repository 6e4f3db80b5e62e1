#pragma once

#include "core/textfile.h"

#include <QString>

class ProgramDir;
struct ExportContext;

// View_Source: the markup of the page's root element, as the engine serializes it, becomes the
// whole of "\Doc.Txt", which the desktop then opens. Only the top-level document is read (a
// frameset, not its frames), in the isolated world; the file is written when the answer arrives.
// A view without a document and a file that cannot be written are reported in a message.
// The page is the context's current view.
void View_Source(const ExportContext& context);

// Deletes every "\Doc.Txt" of the program directory, whatever its letter case, then writes the
// markup (UTF-8, nothing added) as "\Doc.Txt" through a temporary file. The result names the
// file written, or the one that failed.
TextFile::Result writePageSource(const ProgramDir& dir, const QString& markup);
