#pragma once

#include "commands/maincommands.h"
#include "core/textfile.h"

#include <QHash>
#include <QString>

#include <functional>

class BrowserView;
class CommandEntry;

// The command handler of the main window. An activation is routed by the number of the
// command-bar control it came from and the key of the entry: control 0 is the main toolbar,
// control 2 the sites toolbar, control 3 shows the drop-down menus, where the language entries
// switch the language; activations of any other control are ignored. Keys are compared exactly.
class MainDispatcher {
public:
    explicit MainDispatcher(MainCommandTargets targets);

    // True when the activation reached an action.
    bool dispatch(int control, CommandEntry* entry);

    // The keys of the language entries ("LANG:NEW" opens the language editor instead).
    static bool isLanguageKey(const QString& key);

    // The control that shows the menus.
    static constexpr int kMenuControl = 3;

private:
    using Action = std::function<void(CommandEntry*)>;

    // A browser command on the current view; a view that cannot do it simply does nothing.
    Action onView(std::function<void(BrowserView*)> command) const;
    // A site of the language file opens in the current view, outside the history.
    Action site(QString LanguageSettings::*address) const;
    // "FILE:OTHERSITES": passes read the frames of other sites too, or not.
    void otherSiteFrames(CommandEntry* entry) const;
    // A file that could not be written, in a message naming it.
    void report(const TextFile::Result& result) const;

    MainCommandTargets t;
    QHash<QString, Action> m_toolbar; // control 0
    QHash<QString, Action> m_sites;   // control 2
    QHash<QString, Action> m_menus;   // control 3
};
