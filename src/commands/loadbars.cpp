#include "commands/loadbars.h"

#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/commandrecord.h"
#include "commandbar/imagelist.h"
#include "commands/languagemenu.h"
#include "commands/maincatalogue.h"
#include "core/propercase.h"
#include "windows/frmedit.h"
#include "windows/frmtab.h"

namespace {

CommandEntry* addLanguageEntry(CommandPool& pool, const ImageList& images,
                               const LanguageMenu::Language& language)
{
    const int icon = images.indexOfKeyPrefix(language.name.left(2).toLower());
    CommandEntry* entry = pool.add(MainCatalogue::languageKey(language.name), icon, QString(),
                                   EntryStyle::Option, language.fileName);
    entry->setCaption(properCase(language.name));
    return entry;
}

} // namespace

void Load_Buttons(CommandPool& pool, const ImageList& images, const ProgramDir& dir,
                  qint16 Tab_Width, QWidget* Tab1, QStringList& Lang_List)
{
    CommandRecords::addEntries(pool, MainCatalogue::commands());

    Lang_List.clear();
    for (const LanguageMenu::Language& language : LanguageMenu::find(dir)) {
        addLanguageEntry(pool, images, language);
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

void addNewLanguages(CommandPool& pool, const ImageList& images, const ProgramDir& dir,
                     QStringList& Lang_List)
{
    CommandBar* bar = pool.bar(QLatin1String(MainCatalogue::kLanguageBar));
    for (const LanguageMenu::Language& language : LanguageMenu::find(dir)) {
        if (Lang_List.size() >= LanguageMenu::kCapacity)
            return;
        if (pool.entry(MainCatalogue::languageKey(language.name)))
            continue;
        // The menu lists the languages in name order, letter case ignored, as at start.
        const auto before =
            std::count_if(Lang_List.cbegin(), Lang_List.cend(), [&](const QString& name) {
                return name.compare(language.name, Qt::CaseInsensitive) < 0;
            });
        Lang_List.insert(before, language.name);
        if (bar)
            bar->insert(int(before), addLanguageEntry(pool, images, language));
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
