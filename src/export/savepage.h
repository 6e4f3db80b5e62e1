#pragma once

class BrowserView;
class CaptionTable;
class Desktop;
class QWidget;

// How long the engine may take to write a saved page.
constexpr int kSavePageBoundMs = 60000;

// SaveAsH: the window dimmed, a save dialog offering what the engine can write (a single-file web
// archive, the complete page, the markup only), the page written by the engine, the window opaque
// again, and a message: the file saved, or after a cancelled dialog the page title with ".mht".
void SaveAsH(BrowserView* view, QWidget* window, Desktop& desktop, const CaptionTable& captions,
             int boundMs = kSavePageBoundMs);
