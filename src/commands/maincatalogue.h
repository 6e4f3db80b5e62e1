#pragma once

#include "commandbar/commandentry.h"
#include "commands/programcommands.h"

#include <QString>
#include <QStringView>

#include <span>

class CaptionTable;
class CommandPool;
struct LanguageSettings;

// When a command can be chosen.
enum class EnableRule {
    Always,
    AfterStart, // from the deferred start step on (the link tables need their titles)
};

// One command of the main window, described once: its key, the bar that lists it (its position
// there is its place among the records of that bar), its look, its texts, the bar it opens,
// when it is enabled and the handler that carries it out. Adding a command means adding its
// record here, its handler, and its captions to the language files.
struct MainCommand {
    const char* key;
    const char* bar; // the bar that lists it; nullptr for a command of keys alone
    EntryStyle style = EntryStyle::Normal;
    int icon = -1;   // index into the main window's image list
    int caption = 0; // caption number of its menu text; 0: none
    int tooltip = 0; // caption number of its tooltip; 0: none
    void (*handler)(CommandTargets&, CommandEntry*) = nullptr;
    // A check or option entry: whether it is checked, read from the settings (the options file,
    // the program's own settings file); set when the bars are built.
    bool (*checked)(const CommandTargets&) = nullptr;
    // Its keyboard shortcuts in portable text, several separated by "; " ("F5; Ctrl+R"): they
    // work anywhere in the window, the page included, and the menu shows the first. A record
    // in no bar is a command of its keys alone.
    const char* shortcut = nullptr;
    const char* opens = nullptr; // the drop-down bar it opens
    // The tooltip comes from this setting of the language file instead of a caption.
    QString LanguageSettings::*description = nullptr;
    bool namesLanguageFile = false; // the caption is the name of the current language file
    EnableRule enable = EnableRule::Always;
};

// A bar of the main window and the command-bar control that shows it (the drop-down bars are
// shown by the menu control).
struct MainBar {
    const char* key;
    int control;
};

namespace MainCatalogue {

// Every command of the main window, bar by bar in bar order.
std::span<const MainCommand> commands();
// The bars, in the order they are created.
std::span<const MainBar> bars();
// The record of a key, or nullptr.
const MainCommand* find(QStringView key);
// The control that shows a bar; -1 for an unknown bar.
int controlOf(const char* bar);
// The check marks of the check and option entries, as their records read them from the settings.
void applyCheckMarks(CommandPool& pool, const CommandTargets& targets);

// The language entries are made from the language files found: "LANG:" and the name in ASCII
// upper case, listed in "LANG" before the language editor's entry.
QString languageKey(const QString& name);
bool isLanguageKey(QStringView key);
// The language name a language entry's key carries, in lower case.
QString languageOf(QStringView key);
extern const char kLanguageBar[];

// The entries the main window itself follows.
QString drawingStyleKey(int style); // empty outside 0..3
QString autoHideKey();
QString exportMenuKey();
// The command of Escape (full screen, then stop).
QString escapeKey();
QString harvestSwitchKey();

// Applies the enable rules: before the deferred start step, the commands that wait for it are
// disabled.
void applyEnableRules(CommandPool& pool, bool started);

// The captions and tooltips of the main window's commands in the current language.
void applyTexts(CommandPool& pool, const CaptionTable& captions, const LanguageSettings& settings,
                const QString& Lang_Name);

} // namespace MainCatalogue
