#pragma once

#include <QString>

#include <functional>

class BrowserView;
class CaptionTable;
class Desktop;
class ProgramDir;
class QWidget;

// What every export of the shown page is handed: the page, the window it runs in, where its
// files go and how it speaks to the user. Given once, when the exports are built.
struct ExportContext {
    // The view shown, or none.
    const std::function<BrowserView*()> currentView;
    // Dimmed while an export runs; parent of its dialogs and messages.
    QWidget* const window;
    const ProgramDir& dir;
    Desktop& desktop;
    const CaptionTable& captions;
    // The window's status text, which names the step under way.
    const std::function<void(const QString&)> showStatus;
};
