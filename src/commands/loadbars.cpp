#include "commands/loadbars.h"

#include "commandbar/commandbar.h"
#include "commandbar/commandpool.h"
#include "commandbar/commandrecord.h"
#include "commandbar/imagelist.h"
#include "commands/languagemenu.h"
#include "commands/maincatalogue.h"
#include "core/propercase.h"
#include "windows/frmedit.h"
#include "windows/frmtab.h"

void Load_Buttons(CommandPool& pool, const ImageList& images, const ProgramDir& dir,
                  qint16 Tab_Width, QWidget* Tab1, QStringList& Lang_List)
{
    CommandRecords::addEntries(pool, MainCatalogue::commands());

    Lang_List.clear();
    const QList<LanguageMenu::Language> languages = LanguageMenu::find(dir);
    for (const LanguageMenu::Language& language : languages) {
        const int icon = images.indexOfKeyPrefix(language.name.left(2).toLower());
        CommandEntry* entry = pool.add(MainCatalogue::languageKey(language.name), icon, QString(),
                                       EntryStyle::Option, language.fileName);
        entry->setCaption(properCase(language.name));
        Lang_List.append(language.name);
    }

    // The link-table window and its editor show their entries beside the main window's.
    frmTab::addCommands(pool);
    frmEDit::addCommands(pool);

    for (const MainCommand& command : MainCatalogue::commands()) {
        if (command.style == EntryStyle::Panel) {
            CommandEntry* panel = pool.entry(QLatin1String(command.key));
            panel->setPanelWidth(Tab_Width);
            panel->setPanelControl(Tab1);
        }
    }
}

void Load_Bars(CommandPool& pool, const QStringList& Lang_List)
{
    for (const MainBar& def : MainCatalogue::bars()) {
        CommandBar* bar = pool.addBar(QLatin1String(def.key));
        if (bar->key() == QLatin1String(MainCatalogue::kLanguageBar)) {
            for (const QString& name : Lang_List)
                bar->append(pool.entry(MainCatalogue::languageKey(name)));
        }
        CommandRecords::fillBar(pool, bar, MainCatalogue::commands());
    }
    for (const MainCommand& command : MainCatalogue::commands()) {
        if (command.opens)
            pool.entry(QLatin1String(command.key))
                ->setDropDown(pool.bar(QLatin1String(command.opens)));
    }
}
