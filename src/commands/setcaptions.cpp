#include "commands/setcaptions.h"

#include "commandbar/commandpool.h"
#include "config/languagefile.h"
#include "core/propercase.h"
#include "windows/frminput.h"
#include "windows/smallwindows.h"

#include <QLabel>

namespace {

struct TextDef {
    const char* key;
    int text; // number in the caption table
};

// Tooltips of the toolbar entries.
constexpr TextDef kToolbarTips[] = {
    {"EXIT0", 32}, {"FILE", 131}, {"BACK", 123},     {"NEXT", 124},     {"PRINT", 43},
    {"SAVE", 128}, {"EDIT", 129}, {"FAVORITE", 130}, {"NAVIGATE", 134}, {"QUORVINK", 223},
    {"LANG", 194}, {"EXIT2", 32}, {"MIN", 60},
};

// Captions of the menu entries ("EDIT:TXT" is the language file's name, set apart).
constexpr TextDef kMenuCaptions[] = {
    {"NAVIGATE:PICK", 170},     {"NAVIGATE:GO", 169},      {"NAVIGATE:NEXT", 3},
    {"NAVIGATE:BACK", 2},       {"NAVIGATE:REFRESH", 126}, {"NAVIGATE:HOME", 63},
    {"NAVIGATE:PICKHOME", 135}, {"FILE:SYSTEM", 180},      {"FILE:OFFICE", 172},
    {"FILE:XP", 173},           {"FILE:MONEY", 174},       {"FILE:FLOATING", 38},
    {"FILE:KELDRANO", 138},     {"FILE:HELP", 175},        {"EDIT:STOP", 125},
    {"EDIT:CUT", 157},          {"EDIT:COPY", 158},        {"EDIT:PASTE", 159},
    {"EDIT:DELETE", 18},        {"EDIT:PAGESET", 41},      {"EDIT:PREVIEW", 42},
    {"EDIT:PRINT", 43},         {"EDIT:PROPERTIES", 177},  {"EDIT:FINDDOC", 166},
    {"EDIT:SELECT", 23},        {"EDIT:VIEW", 35},         {"EDIT:PICTURE", 176},
    {"EDIT:TRANS", 189},        {"EDIT:EXIT", 1},          {"FILE:INTERNET", 161},
    {"FILE:EXPLORER", 160},     {"FILE:SECURITY", 162},    {"FILE:VOLUME", 97},
    {"SAVE:HTML", 145},         {"SAVE:WORDH", 146},       {"SAVE:WORDV", 147},
    {"SAVE:EXCEL", 148},        {"SAVE:PPT", 149},         {"SAVE:PDF", 206},
    {"LANG:NEW", 209},          {"QUORVINK:START", 221},   {"QUORVINK:VIEW", 218},
    {"QUORVINK:ADD", 219},      {"QUORVINK:CANCEL", 220},  {"QUORVINK:SAVEAS", 391},
    {"FILE:OTHERSITES", 390},
};

// Captions of the entries of the language editor and the input window, present once those
// windows have been built.
constexpr TextDef kWindowCaptions[] = {
    {"EXIT3", 210},
    {"SAVE5", 128},
    {"OKYES", 212},
    {"OKNO", 214},
};

void setTooltip(CommandPool& pool, const char* key, const QString& text)
{
    if (CommandEntry* entry = pool.entry(QLatin1String(key)))
        entry->setTooltip(text);
}

void setCaption(CommandPool& pool, const char* key, const QString& text)
{
    if (CommandEntry* entry = pool.entry(QLatin1String(key)))
        entry->setCaption(text);
}

} // namespace

void Set_Captions(CommandPool& pool, const CaptionTable& Lang_Text,
                  const LanguageSettings& settings, const QString& Lang_Name, SmallWindows* windows)
{
    for (const TextDef& def : kToolbarTips)
        setTooltip(pool, def.key, Lang_Text.text(def.text));
    setTooltip(pool, "GOOGLE", settings.searchDescr);

    for (const TextDef& def : kMenuCaptions)
        setCaption(pool, def.key, Lang_Text.text(def.text));
    setCaption(pool, "EDIT:TXT",
               QStringLiteral("Quorvink_") + properCase(Lang_Name) + QStringLiteral(".txt"));

    setTooltip(pool, "WIKI", settings.dictionaryDescr);
    setTooltip(pool, "MAP", settings.mapDescr);
    setTooltip(pool, "SOCIAL", settings.socialDescr);
    setTooltip(pool, "EBAY", settings.ecommerceDescr);
    setTooltip(pool, "KELDRANO", Lang_Text.text(196));

    if (windows)
        windows->loadHidden();
    for (const TextDef& def : kWindowCaptions)
        setCaption(pool, def.key, Lang_Text.text(def.text));
    if (frmInput* input = windows ? windows->inputWindow() : nullptr) {
        input->labTitle()->setText(Lang_Text.text(213));
        input->fitQuestion();
    }
}
