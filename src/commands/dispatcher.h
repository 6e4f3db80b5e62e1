#pragma once

#include <QHash>
#include <QString>

#include <functional>

class CommandEntry;
class frmStart;

// The command handler of the main window. An activation is routed by the number of the
// command-bar control it came from and the key of the entry: control 0 is the main toolbar,
// control 2 the sites toolbar, control 3 shows the drop-down menus, where the language entries
// switch the language; activations of any other control are ignored. Keys are compared exactly.
class MainDispatcher {
public:
    explicit MainDispatcher(frmStart& window);

    // True when the activation reached an action.
    bool dispatch(int control, CommandEntry* entry);

    // The keys of the language entries ("LANG:NEW" opens the language editor instead).
    static bool isLanguageKey(const QString& key);

    // The control that shows the menus.
    static constexpr int kMenuControl = 3;

private:
    using Action = std::function<void(CommandEntry*)>;

    frmStart& w;
    QHash<QString, Action> m_toolbar; // control 0
    QHash<QString, Action> m_sites;   // control 2
    QHash<QString, Action> m_menus;   // control 3
};
