#include "commands/loadbars.h"

#include "commandbar/commandbar.h"
#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "commands/languagemenu.h"
#include "core/asciicase.h"
#include "core/propercase.h"

namespace {

struct EntryDef {
    const char* key;
    EntryStyle style;
    int icon;
};

constexpr EntryStyle N = EntryStyle::Normal;
constexpr EntryStyle S = EntryStyle::Separator;
constexpr EntryStyle C = EntryStyle::Check;
constexpr EntryStyle O = EntryStyle::Option;

// The exit entries and the main toolbar's entries, added before the language entries.
constexpr EntryDef kFirstEntries[] = {
    {"EXIT0", N, 0},    {"EXIT2", N, 0},     {"EXIT5", N, 0},      {"EXIT6", N, 0},
    {"FILE", N, 81},    {"BACK", N, 1},      {"NEXT", N, 2},       {"PRINT", N, 5},
    {"GOOGLE", N, 13},  {"SAVE", N, 6},      {"QUORVINK", N, 126}, {"EDIT", N, 7},
    {"FAVORITE", N, 8}, {"NAVIGATE", N, 73}, {"LANG", N, 105},
};

// Everything else, after the language entries ("NIL4" is added on its own).
constexpr EntryDef kOtherEntries[] = {
    // Toolbar "STANDARD0"
    {"SEP13", S, -1},
    {"SEP10", S, -1},
    {"KELDRANO", N, 19},
    {"SEP11", S, -1},
    // Toolbar "STANDARD2"
    {"SOCIAL", N, 124},
    {"EBAY", N, 125},
    {"WIKI", N, 122},
    {"MAP", N, 123},
    {"SEP14", S, -1},
    {"MIN", N, 22},
    // Menu "EDIT"
    {"EDIT:STOP", N, 3},
    {"EDIT:TXT", N, 66},
    {"EDIT:TXT:SEPARATOR", S, -1},
    {"EDIT:CUT", N, 61},
    {"EDIT:COPY", N, 62},
    {"EDIT:PASTE", N, 63},
    {"EDIT:DELETE", N, 68},
    {"EDIT:SELECT", N, 67},
    {"EDIT:SELECT:SEPARATOR", S, -1},
    {"EDIT:PAGESET", N, 58},
    {"EDIT:PREVIEW", N, 59},
    {"EDIT:PRINT", N, 60},
    {"EDIT:PROPERTIES", N, 79},
    {"EDIT:FINDDOC", N, 64},
    {"EDIT:VIEW:SEPARATOR", S, -1},
    {"EDIT:VIEW", N, 69},
    {"EDIT:PICTURE", N, 78},
    {"EDIT:TRANS", N, 80},
    {"EDIT:EXIT:SEPARATOR", S, -1},
    {"EDIT:EXIT", N, 0},
    // Menu "SAVE"
    {"SAVE:HTML", N, 26},
    {"SAVE:WORDH", N, 27},
    {"SAVE:WORDV", N, 28},
    {"SAVE:EXCEL", N, 29},
    {"SAVE:PPT", N, 30},
    {"SAVE:PDF", N, 32},
    // Menu "FILE"
    {"FILE:STYLE:SEPARATOR", S, -1},
    {"FILE:SYSTEM", O, 58},
    {"FILE:OFFICE", O, 9},
    {"FILE:XP", O, 75},
    {"FILE:MONEY", O, 76},
    {"FILE:FLOATING:SEPARATOR", S, -1},
    {"FILE:FLOATING", C, 72},
    {"FILE:OTHERSITES", C, 126},
    {"FILE:FISH:SEPARATOR", S, -1},
    {"FILE:EXPLORER", N, 46},
    {"FILE:SECURITY", N, 48},
    {"FILE:VOLUME", N, 37},
    {"FILE:INTERNET", N, 47},
    {"FILE:INTERNET:SEPARATOR", S, -1},
    {"FILE:KELDRANO", N, 19},
    {"FILE:HELP", N, 77},
    // Menu "LANG"
    {"LANG:NEW", N, 119},
    // Menu "VIEWMAILS"
    {"QUORVINK:START", N, 132},
    {"QUORVINK:VIEW", N, 10},
    {"QUORVINK:ADD", N, 104},
    {"QUORVINK:CANCEL", N, 68},
    {"QUORVINK:SAVEAS", N, 6},
    // Menu "NAVIGATE"
    {"NAVIGATE:PICK", N, 15},
    {"NAVIGATE:GO", N, 71},
    {"NAVIGATE:GO:SEPARATOR", S, -1},
    {"NAVIGATE:BACK", N, 1},
    {"NAVIGATE:REFRESH", N, 4},
    {"NAVIGATE:NEXT", N, 2},
    {"NAVIGATE:HOME:SEPARATOR", S, -1},
    {"NAVIGATE:PICKHOME", N, 83},
    {"NAVIGATE:HOME", N, 16},
    // Link-table window (its icons index that window's image list)
    {"ADDURL", N, 1},
    {"EDITURL", N, 2},
    {"GOURL", N, 3},
    {"SORT", N, 6},
    {"SAVE2", N, 7},
    {"HELP2", N, 8},
    {"TITLE", N, 9},
    // Link-entry editor
    {"CANCEL", N, 1},
    {"SAVE3", N, 2},
    // Dividers of the secondary windows
    {"SEP1", S, -1},
    {"SEP4", S, -1},
    {"SEP5", S, -1},
    {"SEP7", S, -1},
    {"SEP2", S, -1},
};

struct BarDef {
    const char* bar;
    const char* dropDownOf; // the entry that opens the bar, or nullptr for a toolbar
    std::initializer_list<const char*> keys;
};

const BarDef kStandard0 = {"STANDARD0",
                           nullptr,
                           {"EXIT0", "SEP13", "BACK", "NEXT", "SEP10", "PRINT", "FAVORITE",
                            "KELDRANO", "SEP11", "EDIT", "SAVE", "FILE", "LANG", "QUORVINK",
                            "NAVIGATE"}};

const BarDef kDropDowns[] = {
    {"SAVE",
     "SAVE",
     {"SAVE:HTML", "SAVE:WORDH", "SAVE:WORDV", "SAVE:EXCEL", "SAVE:PPT", "SAVE:PDF"}},
    {"EDIT",
     "EDIT",
     {"EDIT:STOP",
      "EDIT:TXT",
      "EDIT:TXT:SEPARATOR",
      "EDIT:CUT",
      "EDIT:COPY",
      "EDIT:PASTE",
      "EDIT:DELETE",
      "EDIT:SELECT",
      "EDIT:SELECT:SEPARATOR",
      "EDIT:PAGESET",
      "EDIT:PREVIEW",
      "EDIT:PRINT",
      "EDIT:PROPERTIES",
      "EDIT:FINDDOC",
      "EDIT:VIEW:SEPARATOR",
      "EDIT:VIEW",
      "EDIT:PICTURE",
      "EDIT:TRANS",
      "EDIT:EXIT:SEPARATOR",
      "EDIT:EXIT"}},
    {"FILE",
     "FILE",
     {"FILE:STYLE:SEPARATOR", "FILE:SYSTEM", "FILE:OFFICE", "FILE:XP", "FILE:MONEY",
      "FILE:FLOATING:SEPARATOR", "FILE:FLOATING", "FILE:OTHERSITES", "FILE:FISH:SEPARATOR",
      "FILE:EXPLORER", "FILE:SECURITY", "FILE:VOLUME", "FILE:INTERNET", "FILE:INTERNET:SEPARATOR",
      "FILE:KELDRANO", "FILE:HELP"}},
    {"NAVIGATE",
     "NAVIGATE",
     {"NAVIGATE:PICK", "NAVIGATE:GO", "NAVIGATE:GO:SEPARATOR", "NAVIGATE:BACK", "NAVIGATE:REFRESH",
      "NAVIGATE:NEXT", "NAVIGATE:HOME:SEPARATOR", "NAVIGATE:PICKHOME", "NAVIGATE:HOME"}},
    {"VIEWMAILS",
     "QUORVINK",
     {"QUORVINK:START", "QUORVINK:VIEW", "QUORVINK:ADD", "QUORVINK:CANCEL", "QUORVINK:SAVEAS"}},
};

const BarDef kStandard1 = {"STANDARD1", nullptr, {"NIL4"}};

const BarDef kStandard2 = {
    "STANDARD2", nullptr, {"GOOGLE", "SOCIAL", "EBAY", "WIKI", "MAP", "SEP14", "MIN", "EXIT2"}};

template <size_t Count> void addEntries(CommandPool& pool, const EntryDef (&defs)[Count])
{
    for (const EntryDef& def : defs)
        pool.add(QLatin1String(def.key), def.icon, QString(), def.style);
}

void fillBar(CommandPool& pool, const BarDef& def)
{
    CommandBar* bar = pool.addBar(QLatin1String(def.bar));
    for (const char* key : def.keys)
        bar->append(pool.entry(QLatin1String(key)));
    if (def.dropDownOf) {
        if (CommandEntry* owner = pool.entry(QLatin1String(def.dropDownOf)))
            owner->setDropDown(bar);
    }
}

QString languageKey(const QString& name)
{
    return QStringLiteral("LANG:") + AsciiCase::toUpper(name);
}

} // namespace

void Load_Buttons(CommandPool& pool, const ImageList& images, const ProgramDir& dir,
                  qint16 Tab_Width, QWidget* Tab1, QStringList& Lang_List)
{
    addEntries(pool, kFirstEntries);

    Lang_List.clear();
    const QList<LanguageMenu::Language> languages = LanguageMenu::find(dir);
    for (const LanguageMenu::Language& language : languages) {
        const int icon = images.indexOfKeyPrefix(language.name.left(2).toLower());
        CommandEntry* entry = pool.add(languageKey(language.name), icon, QString(),
                                       EntryStyle::Option, language.fileName);
        entry->setCaption(properCase(language.name));
        Lang_List.append(language.name);
    }

    addEntries(pool, kOtherEntries);
    CommandEntry* panel = pool.add(QStringLiteral("NIL4"), -1, QString(), EntryStyle::Panel);
    panel->setPanelWidth(Tab_Width);
    panel->setPanelControl(Tab1);
}

void Load_Bars(CommandPool& pool, const QStringList& Lang_List)
{
    for (const char* key : {"STANDARD0", "SAVE", "FILE", "EDIT", "LANG", "NAVIGATE", "VIEWMAILS"})
        pool.addBar(QLatin1String(key));

    fillBar(pool, kStandard0);
    for (const BarDef& def : kDropDowns)
        fillBar(pool, def);

    CommandBar* lang = pool.bar(QStringLiteral("LANG"));
    for (const QString& name : Lang_List)
        lang->append(pool.entry(languageKey(name)));
    lang->append(pool.entry(QStringLiteral("LANG:NEW")));
    if (CommandEntry* owner = pool.entry(QStringLiteral("LANG")))
        owner->setDropDown(lang);

    fillBar(pool, kStandard1);
    fillBar(pool, kStandard2);
}
