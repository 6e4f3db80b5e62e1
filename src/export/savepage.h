#pragma once

struct ExportContext;

// How long the engine may take to write a saved page.
constexpr int kSavePageBoundMs = 60000;

// SaveAsH: the window dimmed, a save dialog offering what the engine can write (a single-file web
// archive, the complete page, the markup only), the page written by the engine, the window opaque
// again, and a message: the file saved, or after a cancelled dialog the page title with ".mht".
// The page is the context's current view.
void SaveAsH(const ExportContext& context, int boundMs = kSavePageBoundMs);
