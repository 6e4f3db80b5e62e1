#pragma once

#include <QString>

#include <functional>

class BrowserView;
class CaptionTable;
class Desktop;
class ProgramDir;
class QWidget;

// What every export of the shown page is handed: the page, the window it runs in, where its
// files go and how it speaks to the user.
struct ExportContext {
    // The view shown, or none.
    std::function<BrowserView*()> currentView;
    // Dimmed while an export runs; parent of its dialogs and messages.
    QWidget* window;
    const ProgramDir& dir;
    Desktop& desktop;
    const CaptionTable& captions;
    // The window's status text, which names the step under way.
    std::function<void(const QString&)> showStatus;
};
