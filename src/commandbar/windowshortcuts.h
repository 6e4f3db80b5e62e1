#pragma once

#include <QKeySequence>
#include <QList>

#include <functional>

class CommandEntry;
class QAction;
class QWidget;

// The keyboard shortcuts of a window's commands. Each works wherever the focus is in the window,
// in a page as well, while the command's entry is enabled. A key that the focused field needs
// for its editing reaches the field first (the field claims it), so shortcuts keep to other keys.
namespace WindowShortcuts {

// The keys a record names in portable text, several separated by "; " ("F5; Ctrl+R").
QList<QKeySequence> parse(const char* keys);

// Makes the entry's shortcuts keys of the window: run(entry) carries the command out. The
// action made belongs to the window.
QAction* add(QWidget* window, CommandEntry* entry, std::function<void(CommandEntry*)> run);

} // namespace WindowShortcuts
