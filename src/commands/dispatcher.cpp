#include "commands/dispatcher.h"

#include "commandbar/commandentry.h"
#include "commands/maincatalogue.h"

MainDispatcher::MainDispatcher(CommandTargets targets) : t(targets) {}

bool MainDispatcher::isLanguageKey(const QString& key)
{
    return MainCatalogue::isLanguageKey(key);
}

bool MainDispatcher::dispatch(int control, CommandEntry* entry)
{
    if (!entry)
        return false;
    const QString& key = entry->key();
    if (const MainCommand* command = MainCatalogue::find(key)) {
        if (!command->handler || MainCatalogue::controlOf(command->bar) != control)
            return false;
        command->handler(t, entry);
        return true;
    }
    // The language entries are made from the files found, so they have no records: they act
    // from the control that shows their bar, as the records do.
    if (control != MainCatalogue::controlOf(MainCatalogue::kLanguageBar) || !isLanguageKey(key))
        return false;
    t.window.switchLanguage(MainCatalogue::languageOf(key));
    return true;
}

bool MainDispatcher::dispatchKey(CommandEntry* entry)
{
    const MainCommand* command = entry ? MainCatalogue::find(entry->key()) : nullptr;
    if (!command || !command->handler || !entry->enabled())
        return false;
    command->handler(t, entry);
    return true;
}
