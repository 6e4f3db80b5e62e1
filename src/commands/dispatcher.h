#pragma once

#include "commands/maincatalogue.h"
#include "commands/programcommands.h"

#include <QString>

class CommandEntry;

// The command handler of the main window. An activation runs the handler of the entry's record
// when it comes from the control that shows the record's bar: control 0 the main toolbar,
// control 2 the sites toolbar, control 3 the drop-down menus, where the language entries switch
// the language; any other activation is ignored. Keys are compared exactly.
class MainDispatcher {
public:
    explicit MainDispatcher(CommandTargets targets);

    // True when the activation reached an action.
    bool dispatch(int control, CommandEntry* entry);
    // A command's shortcut was pressed: its handler runs whatever bar lists it.
    bool dispatchKey(CommandEntry* entry);
    // The check marks of the main window's check and option entries, from the settings.
    void applyCheckMarks(CommandPool& pool) const { MainCatalogue::applyCheckMarks(pool, t); }

    // The keys of the language entries (the language editor's entry is a command of its own).
    static bool isLanguageKey(const QString& key);

private:
    CommandTargets t;
};
