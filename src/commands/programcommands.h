#pragma once

#include <QString>

class CaptionTable;
class CommandEntry;
class Desktop;
class ExtSettings;
class FindBar;
class Harvester;
class MailLists;
class Navigation;
class PageExports;
class PagePrinter;
class ProgramDir;
class QWidget;
class SmallWindows;
class TabSet;
struct LanguageSettings;
struct Options;

// The operations of the main window's commands that need the whole program (its window, its
// files and its parts together): the program carries them out itself.
class ProgramCommands {
public:
    virtual ~ProgramCommands() = default;

    virtual void GO_Exit() = 0;
    virtual void minimize() = 0;
    // The link-table window, then the picked address opens in the current view.
    virtual void GO_Links() = 0;
    virtual void setDrawingStyle(int style, CommandEntry* entry) = 0;
    // "FILE:FLOATING": the entry's check mark, already toggled, says on or off.
    virtual void autoHideSwitch(CommandEntry* entry) = 0;
    virtual void switchLanguage(const QString& name) = 0;
    // The address box text becomes the home page, saved at once.
    virtual void setHomePage() = 0;
    // The address box takes the keyboard focus with its text selected (the bars shown first).
    virtual void focusAddressBox() = 0;
};

// Everything the main window's commands act on: the program's own operations and its parts,
// handed to the dispatcher when the program is built.
struct CommandTargets {
    ProgramCommands& window;
    QWidget* messageParent;
    TabSet& tabs;
    Navigation& navigation;
    PagePrinter& printer;
    FindBar& findBar;
    Harvester& harvester;
    MailLists& mailLists;
    Desktop& desktop;
    const ProgramDir& dir;
    const LanguageSettings& lang;
    const Options& options;
    const CaptionTable& captions;
    PageExports& exports;
    SmallWindows& smallWindows;
    ExtSettings& ext;
};
