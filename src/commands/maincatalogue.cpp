#include "commands/maincatalogue.h"

#include "browse/browserview.h"
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "browse/pageprinter.h"
#include "browse/pageproperties.h"
#include "browse/tabset.h"
#include "browse/viewkeys.h"
#include "commandbar/commandpool.h"
#include "commandbar/commandrecord.h"
#include "config/captionnumbers.h"
#include "config/extsettings.h"
#include "config/filemessages.h"
#include "config/helppages.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/programfiles.h"
#include "core/asciicase.h"
#include "core/programdir.h"
#include "core/propercase.h"
#include "export/pageexports.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "platform/desktop.h"
#include "platform/settingsprograms.h"
#include "windows/smallwindows.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QWebEnginePage>

namespace {

using Targets = CommandTargets;

constexpr EntryStyle S = EntryStyle::Separator;

// The view the browser commands act on; none when no tab is open, and then they do nothing.
BrowserView* view(Targets& t)
{
    return t.tabs.current();
}

template <QWebEnginePage::WebAction Action> void pageAction(Targets& t, CommandEntry*)
{
    if (BrowserView* v = view(t))
        v->trigger(Action);
}

// A site of the language file opens in the current view, outside the history.
template <QString LanguageSettings::*Address> void openSite(Targets& t, CommandEntry*)
{
    t.navigation.setAddressText(t.lang.*Address);
    t.navigation.GO_Navigate(0);
}

template <int Style> void drawingStyle(Targets& t, CommandEntry* entry)
{
    t.window.setDrawingStyle(Style, entry);
}

template <SettingsPrograms::Panel Panel> void settingsPanel(Targets& t, CommandEntry*)
{
    SettingsPrograms::open(Panel, t.desktop, t.captions, t.messageParent);
}

void openProgramFile(Targets& t, const QString& programFile)
{
    t.desktop.openOrReport(t.messageParent, QUrl::fromLocalFile(t.dir.path(programFile)),
                           t.captions);
}

void exitProgram(Targets& t, CommandEntry*)
{
    t.window.GO_Exit();
}

void showAbout(Targets& t, CommandEntry*)
{
    t.smallWindows.showAbout();
}

void goBack(Targets& t, CommandEntry*)
{
    if (BrowserView* v = view(t))
        v->GoBack();
}

void goForward(Targets& t, CommandEntry*)
{
    if (BrowserView* v = view(t))
        v->GoForward();
}

void printPage(Targets& t, CommandEntry*)
{
    if (BrowserView* v = view(t))
        t.printer.print(v);
}

// Escape: a page shown full screen leaves it first; else the page stops loading. While an export
// waits for the office the command is disabled, and Escape ends that wait instead (the office
// session takes the key). Downloads end only by their own Cancel.
void escape(Targets& t, CommandEntry*)
{
    BrowserView* v = view(t);
    if (v && v->keys().fullScreen())
        v->trigger(QWebEnginePage::ExitFullScreen);
    else if (v)
        v->Stop();
}

// The zoom of the current tab, kept for the run: one step larger, smaller, or the actual size.
template <int Direction> void zoom(Targets& t, CommandEntry*)
{
    if (BrowserView* v = view(t))
        v->keys().zoom(Direction);
}

// The next or the previous tab, around the ends, chosen as a left click chooses it.
template <int Step> void nextTab(Targets& t, CommandEntry*)
{
    const int n = t.tabs.count();
    if (n > 1)
        t.tabs.choose((t.tabs.selected() + Step + n) % n);
}

// A tab by its number, counted from 1; a number beyond the tabs chooses nothing.
template <int Number> void tabNumber(Targets& t, CommandEntry*)
{
    t.tabs.choose(Number - 1);
}

// A local file chosen in the open dialog opens in the current tab as its file: address; the
// dialog starts in the folder of the local page shown, else in the home folder.
void openLocalFile(Targets& t, CommandEntry*)
{
    const QString filters =
        QStringLiteral("%1 (*.html *.htm *.xhtml *.shtml *.mht *.mhtml *.svg *.xml *.txt *.pdf);;"
                       "%2 (*)")
            .arg(t.captions.textOrEnglish(CaptionNo::WebPagesFilter),
                 t.captions.textOrEnglish(CaptionNo::AllFilesFilter));
    const QUrl shown(t.navigation.shownAddress());
    const QString folder =
        shown.isLocalFile() ? QFileInfo(shown.toLocalFile()).absolutePath() : QDir::homePath();
    const std::optional<QString> path = t.desktop.askOpenFile(
        t.messageParent, t.captions.textOrEnglish(CaptionNo::OpenLocalTitle), filters, folder);
    if (!path)
        return;
    t.navigation.setAddressText(QUrl::fromLocalFile(*path).toString());
    t.navigation.GO_Navigate(1);
}

// The harvest's options ("FILE:OTHERSITES", "FILE:PAGEITSELF", "FILE:TEXTADDRESSES"): the check
// mark, already toggled, is the choice; it holds at once and is kept for the next runs.
template <const ExtKey<bool>& Key, void (Harvester::*Set)(bool)>
void harvestOption(Targets& t, CommandEntry* entry)
{
    const bool on = entry->checked();
    (t.harvester.*Set)(on);
    t.ext.set(Key, on);
    if (const std::optional<TextFile::Result> problem = t.ext.takeProblem())
        t.desktop.report(t.messageParent, FileMessages::text(t.captions, *problem));
}

// Whether a check entry of the program's own settings is on.
template <const ExtKey<bool>& Key> bool settingOn(const Targets& t)
{
    return t.ext.value(Key);
}

// Whether the drawing style of an option entry is the one in use.
template <int Style> bool styleInUse(const Targets& t)
{
    return t.options.Bar_Style == Style;
}

// The exports of the page shown, by the kind of document.
template <ExportKind Kind> void exportPage(Targets& t, CommandEntry*)
{
    t.exports.run(Kind);
}

// The commands of the main window, bar by bar, each bar's records in its order.
const MainCommand kCommands[] = {
    // The main toolbar.
    {.key = "EXIT0",
     .bar = "STANDARD0",
     .icon = 0,
     .tooltip = CaptionNo::TipClose,
     .handler = exitProgram},
    {.key = "SEP13", .bar = "STANDARD0", .style = S},
    {.key = "BACK",
     .bar = "STANDARD0",
     .icon = 1,
     .tooltip = CaptionNo::TipBack,
     .handler = goBack},
    {.key = "NEXT",
     .bar = "STANDARD0",
     .icon = 2,
     .tooltip = CaptionNo::TipForward,
     .handler = goForward},
    {.key = "SEP10", .bar = "STANDARD0", .style = S},
    {.key = "PRINT",
     .bar = "STANDARD0",
     .icon = 5,
     .tooltip = CaptionNo::TipPrint,
     .handler = printPage},
    {.key = "FAVORITE",
     .bar = "STANDARD0",
     .icon = 8,
     .tooltip = CaptionNo::TipLinkTables,
     .handler = [](Targets& t, CommandEntry*) { t.window.GO_Links(); },
     .enable = EnableRule::AfterStart},
    {.key = "KELDRANO",
     .bar = "STANDARD0",
     .icon = 19,
     .tooltip = CaptionNo::TipAbout,
     .handler = showAbout},
    {.key = "SEP11", .bar = "STANDARD0", .style = S},
    {.key = "EDIT", .bar = "STANDARD0", .icon = 7, .tooltip = CaptionNo::TipEdit, .opens = "EDIT"},
    {.key = "SAVE",
     .bar = "STANDARD0",
     .icon = 6,
     .tooltip = CaptionNo::TipSaveAs,
     .opens = "SAVE"},
    {.key = "FILE",
     .bar = "STANDARD0",
     .icon = 81,
     .tooltip = CaptionNo::TipOptions,
     .opens = "FILE"},
    {.key = "LANG",
     .bar = "STANDARD0",
     .icon = 105,
     .tooltip = CaptionNo::TipLanguage,
     .opens = "LANG"},
    {.key = "QUORVINK",
     .bar = "STANDARD0",
     .icon = 126,
     .tooltip = CaptionNo::TipMailAddresses,
     .opens = "VIEWMAILS"},
    {.key = "NAVIGATE",
     .bar = "STANDARD0",
     .icon = 73,
     .tooltip = CaptionNo::TipNavigation,
     .opens = "NAVIGATE"},

    // The sites toolbar.
    {.key = "GOOGLE",
     .bar = "STANDARD2",
     .icon = 13,
     .handler = openSite<&LanguageSettings::searchUrl>,
     .description = &LanguageSettings::searchDescr},
    {.key = "SOCIAL",
     .bar = "STANDARD2",
     .icon = 124,
     .handler = openSite<&LanguageSettings::socialUrl>,
     .description = &LanguageSettings::socialDescr},
    {.key = "EBAY",
     .bar = "STANDARD2",
     .icon = 125,
     .handler = openSite<&LanguageSettings::ecommerceUrl>,
     .description = &LanguageSettings::ecommerceDescr},
    {.key = "WIKI",
     .bar = "STANDARD2",
     .icon = 122,
     .handler = openSite<&LanguageSettings::dictionaryUrl>,
     .description = &LanguageSettings::dictionaryDescr},
    {.key = "MAP",
     .bar = "STANDARD2",
     .icon = 123,
     .handler = openSite<&LanguageSettings::mapUrl>,
     .description = &LanguageSettings::mapDescr},
    {.key = "SEP14", .bar = "STANDARD2", .style = S},
    {.key = "MIN",
     .bar = "STANDARD2",
     .icon = 22,
     .tooltip = CaptionNo::TipMinimize,
     .handler = [](Targets& t, CommandEntry*) { t.window.minimize(); }},
    {.key = "EXIT2",
     .bar = "STANDARD2",
     .icon = 0,
     .tooltip = CaptionNo::TipClose,
     .handler = exitProgram},

    // Menu "EDIT".
    {.key = "EDIT:STOP",
     .bar = "EDIT",
     .icon = 3,
     .caption = CaptionNo::MenuStop,
     .handler = escape,
     .shortcut = "Esc"},
    {.key = "EDIT:TXT",
     .bar = "EDIT",
     .icon = 66,
     .handler =
         [](Targets& t, CommandEntry*) {
             openProgramFile(t, ProgramFiles::languageFile(t.options.Lang_Name));
         },
     .namesLanguageFile = true},
    {.key = "EDIT:TXT:SEPARATOR", .bar = "EDIT", .style = S},
    {.key = "EDIT:CUT",
     .bar = "EDIT",
     .icon = 61,
     .caption = CaptionNo::MenuCut,
     .handler = pageAction<QWebEnginePage::Cut>},
    {.key = "EDIT:COPY",
     .bar = "EDIT",
     .icon = 62,
     .caption = CaptionNo::MenuCopy,
     .handler = pageAction<QWebEnginePage::Copy>},
    {.key = "EDIT:PASTE",
     .bar = "EDIT",
     .icon = 63,
     .caption = CaptionNo::MenuPaste,
     .handler = pageAction<QWebEnginePage::Paste>},
    {.key = "EDIT:DELETE",
     .bar = "EDIT",
     .icon = 68,
     .caption = CaptionNo::MenuDelete,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (BrowserView* v = view(t)) {
                 v->runIsolated(QStringLiteral("document.execCommand('delete')"),
                                [](const QVariant&) {});
             }
         }},
    {.key = "EDIT:SELECT",
     .bar = "EDIT",
     .icon = 67,
     .caption = CaptionNo::MenuSelectAll,
     .handler = pageAction<QWebEnginePage::SelectAll>},
    {.key = "EDIT:SELECT:SEPARATOR", .bar = "EDIT", .style = S},
    {.key = "EDIT:PAGESET",
     .bar = "EDIT",
     .icon = 58,
     .caption = CaptionNo::MenuPageSetup,
     .handler = [](Targets& t, CommandEntry*) { t.printer.pageSetup(); }},
    {.key = "EDIT:PREVIEW",
     .bar = "EDIT",
     .icon = 59,
     .caption = CaptionNo::MenuPrintPreview,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (BrowserView* v = view(t)) {
                 t.printer.preview(v);
             }
         }},
    {.key = "EDIT:PRINT",
     .bar = "EDIT",
     .icon = 60,
     .caption = CaptionNo::TipPrint,
     .handler = printPage,
     .shortcut = "Ctrl+P"},
    {.key = "EDIT:PROPERTIES",
     .bar = "EDIT",
     .icon = 79,
     .caption = CaptionNo::MenuPageProperties,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (BrowserView* v = view(t)) {
                 PageProperties dialog(v, t.captions, t.messageParent);
                 dialog.exec();
             }
         }},
    {.key = "EDIT:FINDDOC",
     .bar = "EDIT",
     .icon = 64,
     .caption = CaptionNo::MenuFindInPage,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (BrowserView* v = view(t)) {
                 t.findBar.open(v);
             }
         },
     .shortcut = "Ctrl+F"},
    {.key = "EDIT:ZOOM:SEPARATOR", .bar = "EDIT", .style = S},
    {.key = "EDIT:ZOOMIN",
     .bar = "EDIT",
     .icon = 54,
     .caption = CaptionNo::ZoomIn,
     .handler = zoom<1>,
     .shortcut = "Ctrl++; Ctrl+="},
    {.key = "EDIT:ZOOMOUT",
     .bar = "EDIT",
     .icon = 55,
     .caption = CaptionNo::ZoomOut,
     .handler = zoom<-1>,
     .shortcut = "Ctrl+-"},
    {.key = "EDIT:ZOOMRESET",
     .bar = "EDIT",
     .icon = 13,
     .caption = CaptionNo::ZoomActualSize,
     .handler = zoom<0>,
     .shortcut = "Ctrl+0"},
    {.key = "EDIT:VIEW:SEPARATOR", .bar = "EDIT", .style = S},
    {.key = "EDIT:VIEW",
     .bar = "EDIT",
     .icon = 69,
     .caption = CaptionNo::MenuViewSource,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (view(t))
                 t.exports.run(ExportKind::Source);
         }},
    {.key = "EDIT:PICTURE",
     .bar = "EDIT",
     .icon = 78,
     .caption = CaptionNo::MenuScreenPicture,
     .handler = exportPage<ExportKind::Picture>},
    {.key = "EDIT:TRANS",
     .bar = "EDIT",
     .icon = 80,
     .caption = CaptionNo::MenuTranslator,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (BrowserView* v = view(t)) {
                 v->Navigate(t.lang.translatorPath);
             }
         }},
    {.key = "EDIT:EXIT:SEPARATOR", .bar = "EDIT", .style = S},
    {.key = "EDIT:EXIT",
     .bar = "EDIT",
     .icon = 0,
     .caption = CaptionNo::MenuExit,
     .handler = exitProgram},

    // Menu "SAVE".
    {.key = "SAVE:HTML",
     .bar = "SAVE",
     .icon = 26,
     .caption = CaptionNo::MenuSaveWebPage,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (view(t))
                 t.exports.run(ExportKind::WebArchive);
         }},
    {.key = "SAVE:WORDH",
     .bar = "SAVE",
     .icon = 27,
     .caption = CaptionNo::MenuSaveWordLandscape,
     .handler = exportPage<ExportKind::WordLandscape>},
    {.key = "SAVE:WORDV",
     .bar = "SAVE",
     .icon = 28,
     .caption = CaptionNo::MenuSaveWordPortrait,
     .handler = exportPage<ExportKind::WordPortrait>},
    {.key = "SAVE:EXCEL",
     .bar = "SAVE",
     .icon = 29,
     .caption = CaptionNo::MenuSaveExcel,
     .handler = exportPage<ExportKind::Sheet>},
    {.key = "SAVE:PPT",
     .bar = "SAVE",
     .icon = 30,
     .caption = CaptionNo::MenuSavePowerPoint,
     .handler = exportPage<ExportKind::Slide>},
    {.key = "SAVE:PDF",
     .bar = "SAVE",
     .icon = 32,
     .caption = CaptionNo::MenuSavePdf,
     .handler = exportPage<ExportKind::Pdf>},

    // Menu "FILE".
    {.key = "FILE:STYLE:SEPARATOR", .bar = "FILE", .style = S},
    {.key = "FILE:SYSTEM",
     .bar = "FILE",
     .style = EntryStyle::Option,
     .icon = 58,
     .caption = CaptionNo::MenuSystemStyle,
     .handler = drawingStyle<0>,
     .checked = styleInUse<0>},
    {.key = "FILE:OFFICE",
     .bar = "FILE",
     .style = EntryStyle::Option,
     .icon = 9,
     .caption = CaptionNo::MenuOfficeStyle,
     .handler = drawingStyle<1>,
     .checked = styleInUse<1>},
    {.key = "FILE:XP",
     .bar = "FILE",
     .style = EntryStyle::Option,
     .icon = 75,
     .caption = CaptionNo::MenuXpStyle,
     .handler = drawingStyle<3>,
     .checked = styleInUse<3>},
    {.key = "FILE:MONEY",
     .bar = "FILE",
     .style = EntryStyle::Option,
     .icon = 76,
     .caption = CaptionNo::MenuMoneyStyle,
     .handler = drawingStyle<2>,
     .checked = styleInUse<2>},
    {.key = "FILE:FLOATING:SEPARATOR", .bar = "FILE", .style = S},
    {.key = "FILE:FLOATING",
     .bar = "FILE",
     .style = EntryStyle::Check,
     .icon = 72,
     .caption = CaptionNo::MenuAutoHide,
     .handler = [](Targets& t, CommandEntry* entry) { t.window.autoHideSwitch(entry); },
     .checked = [](const Targets& t) { return t.options.Float_Bar != 0; }},
    {.key = "FILE:OTHERSITES",
     .bar = "FILE",
     .style = EntryStyle::Check,
     .icon = 126,
     .caption = CaptionNo::OtherSiteFrames,
     .handler = harvestOption<ExtKeys::OtherSiteFrames, &Harvester::setOtherSiteFrames>,
     .checked = settingOn<ExtKeys::OtherSiteFrames>},
    {.key = "FILE:PAGEITSELF",
     .bar = "FILE",
     .style = EntryStyle::Check,
     .icon = 127,
     .caption = CaptionNo::HarvestPageItself,
     .handler = harvestOption<ExtKeys::PageItself, &Harvester::setPageItself>,
     .checked = settingOn<ExtKeys::PageItself>},
    {.key = "FILE:TEXTADDRESSES",
     .bar = "FILE",
     .style = EntryStyle::Check,
     .icon = 128,
     .caption = CaptionNo::HarvestTextAddresses,
     .handler = harvestOption<ExtKeys::TextAddresses, &Harvester::setTextAddresses>,
     .checked = settingOn<ExtKeys::TextAddresses>},
    {.key = "FILE:FISH:SEPARATOR", .bar = "FILE", .style = S},
    {.key = "FILE:EXPLORER",
     .bar = "FILE",
     .icon = 46,
     .caption = CaptionNo::MenuOpenInDefaultBrowser,
     .handler =
         [](Targets& t, CommandEntry*) {
             t.desktop.openOrReport(t.messageParent,
                                    QUrl::fromUserInput(t.navigation.addressText()), t.captions);
         }},
    {.key = "FILE:SECURITY",
     .bar = "FILE",
     .icon = 48,
     .caption = CaptionNo::MenuSecuritySettings,
     .handler = settingsPanel<SettingsPrograms::Panel::Security>},
    {.key = "FILE:VOLUME",
     .bar = "FILE",
     .icon = 37,
     .caption = CaptionNo::MenuSoundSettings,
     .handler = settingsPanel<SettingsPrograms::Panel::Sound>},
    {.key = "FILE:INTERNET",
     .bar = "FILE",
     .icon = 47,
     .caption = CaptionNo::MenuInternetSettings,
     .handler = settingsPanel<SettingsPrograms::Panel::Network>},
    {.key = "FILE:INTERNET:SEPARATOR", .bar = "FILE", .style = S},
    {.key = "FILE:KELDRANO",
     .bar = "FILE",
     .icon = 19,
     .caption = CaptionNo::MenuAbout,
     .handler = showAbout},
    {.key = "FILE:HELP",
     .bar = "FILE",
     .icon = 77,
     .caption = CaptionNo::MenuHelp,
     // The help page in the interface's language where it has one.
     .handler =
         [](Targets& t, CommandEntry*) {
             t.desktop.openOrReport(
                 t.messageParent,
                 QUrl::fromLocalFile(HelpPages::forLanguage(t.dir, t.options.Lang_Name)),
                 t.captions);
         }},

    // Menu "LANG": the language entries found at start come first.
    {.key = "LANG:NEW",
     .bar = "LANG",
     .icon = 119,
     .caption = CaptionNo::MenuNewLanguageFile,
     .handler = [](Targets& t, CommandEntry*) { t.smallWindows.showLanguageEditor(); }},

    // Menu "VIEWMAILS", opened by "QUORVINK".
    {.key = "QUORVINK:START",
     .bar = "VIEWMAILS",
     .icon = 132,
     .caption = CaptionNo::MenuCollectSwitch,
     .handler = [](Targets& t, CommandEntry*) { t.harvester.toggle(); }},
    {.key = "QUORVINK:VIEW",
     .bar = "VIEWMAILS",
     .icon = 10,
     .caption = CaptionNo::MenuViewMailList,
     .handler = [](Targets& t, CommandEntry*) { t.mailLists.view(); }},
    {.key = "QUORVINK:ADD",
     .bar = "VIEWMAILS",
     .icon = 104,
     .caption = CaptionNo::MenuAddToAddressBook,
     .handler = [](Targets& t, CommandEntry*) { t.mailLists.add(); }},
    {.key = "QUORVINK:CANCEL",
     .bar = "VIEWMAILS",
     .icon = 68,
     .caption = CaptionNo::MenuEmptyMailList,
     .handler = [](Targets& t, CommandEntry*) { t.mailLists.cancel(); }},
    {.key = "QUORVINK:SAVEAS",
     .bar = "VIEWMAILS",
     .icon = 6,
     .caption = CaptionNo::SaveBookAs,
     .handler = [](Targets& t, CommandEntry*) { t.mailLists.saveBookAs(); }},

    // Menu "NAVIGATE".
    {.key = "NAVIGATE:PICK",
     .bar = "NAVIGATE",
     .icon = 15,
     .caption = CaptionNo::MenuSaveBookmark,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (const TextFile::Result r = t.navigation.Save_BookMark(); !r)
                 t.desktop.report(t.messageParent, FileMessages::text(t.captions, r));
         }},
    {.key = "NAVIGATE:GO",
     .bar = "NAVIGATE",
     .icon = 71,
     .caption = CaptionNo::MenuOpenBookmark,
     .handler = [](Targets& t, CommandEntry*) { t.navigation.Read_BookMark(); }},
    {.key = "NAVIGATE:GO:SEPARATOR", .bar = "NAVIGATE", .style = S},
    {.key = "NAVIGATE:BACK",
     .bar = "NAVIGATE",
     .icon = 1,
     .caption = CaptionNo::MenuBack,
     .handler = goBack,
     .shortcut = "Alt+Left"},
    {.key = "NAVIGATE:REFRESH",
     .bar = "NAVIGATE",
     .icon = 4,
     .caption = CaptionNo::MenuReload,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (BrowserView* v = view(t)) {
                 v->Refresh();
             }
         },
     .shortcut = "F5; Ctrl+R"},
    {.key = "NAVIGATE:NEXT",
     .bar = "NAVIGATE",
     .icon = 2,
     .caption = CaptionNo::MenuForward,
     .handler = goForward,
     .shortcut = "Alt+Right"},
    {.key = "NAVIGATE:HOME:SEPARATOR", .bar = "NAVIGATE", .style = S},
    {.key = "NAVIGATE:PICKHOME",
     .bar = "NAVIGATE",
     .icon = 83,
     .caption = CaptionNo::MenuUseAsHomePage,
     .handler = [](Targets& t, CommandEntry*) { t.window.setHomePage(); }},
    {.key = "NAVIGATE:HOME",
     .bar = "NAVIGATE",
     .icon = 16,
     .caption = CaptionNo::MenuHomePage,
     .handler =
         [](Targets& t, CommandEntry*) {
             if (BrowserView* v = view(t)) {
                 v->GoHome();
             }
         },
     .shortcut = "Alt+Home"},
    {.key = "NAVIGATE:OPEN:SEPARATOR", .bar = "NAVIGATE", .style = S},
    {.key = "NAVIGATE:OPENFILE",
     .bar = "NAVIGATE",
     .icon = 17,
     .caption = CaptionNo::OpenLocalFile,
     .handler = openLocalFile,
     .shortcut = "Ctrl+O"},
    {.key = "NAVIGATE:ADDRESS",
     .bar = "NAVIGATE",
     .icon = 26,
     .caption = CaptionNo::GoToAddressBox,
     .handler = [](Targets& t, CommandEntry*) { t.window.focusAddressBox(); },
     .shortcut = "Ctrl+L; Alt+D; F6"},
    {.key = "NAVIGATE:NEXTTAB",
     .bar = "NAVIGATE",
     .icon = 89,
     .caption = CaptionNo::NextTab,
     .handler = nextTab<1>,
     .shortcut = "Ctrl+Tab"},
    {.key = "NAVIGATE:PREVIOUSTAB",
     .bar = "NAVIGATE",
     .icon = 88,
     .caption = CaptionNo::PreviousTab,
     .handler = nextTab<-1>,
     .shortcut = "Ctrl+Shift+Tab"},

    // The panel that hosts the tab strip.
    {.key = "NIL4", .bar = "STANDARD1", .style = EntryStyle::Panel},

    // Commands of their keys alone: a tab by its number.
    {.key = "KEYS:TAB1", .bar = nullptr, .handler = tabNumber<1>, .shortcut = "Alt+1"},
    {.key = "KEYS:TAB2", .bar = nullptr, .handler = tabNumber<2>, .shortcut = "Alt+2"},
    {.key = "KEYS:TAB3", .bar = nullptr, .handler = tabNumber<3>, .shortcut = "Alt+3"},
    {.key = "KEYS:TAB4", .bar = nullptr, .handler = tabNumber<4>, .shortcut = "Alt+4"},
    {.key = "KEYS:TAB5", .bar = nullptr, .handler = tabNumber<5>, .shortcut = "Alt+5"},
    {.key = "KEYS:TAB6", .bar = nullptr, .handler = tabNumber<6>, .shortcut = "Alt+6"},
    {.key = "KEYS:TAB7", .bar = nullptr, .handler = tabNumber<7>, .shortcut = "Alt+7"},
    {.key = "KEYS:TAB8", .bar = nullptr, .handler = tabNumber<8>, .shortcut = "Alt+8"},
    {.key = "KEYS:TAB9", .bar = nullptr, .handler = tabNumber<9>, .shortcut = "Alt+9"},
};

constexpr int kMenuControl = 3;

const MainBar kBars[] = {
    {"STANDARD0", 0},
    {"SAVE", kMenuControl},
    {"FILE", kMenuControl},
    {"EDIT", kMenuControl},
    {MainCatalogue::kLanguageBar, kMenuControl},
    {"NAVIGATE", kMenuControl},
    {"VIEWMAILS", kMenuControl},
    {"STANDARD1", 1},
    {"STANDARD2", 2},
};

// The drawing-style entries, by style number.
const char* const kStyleKeys[] = {"FILE:SYSTEM", "FILE:OFFICE", "FILE:MONEY", "FILE:XP"};

constexpr QLatin1String kLanguagePrefix("LANG:");

} // namespace

namespace MainCatalogue {

const char kLanguageBar[] = "LANG";

std::span<const MainCommand> commands()
{
    return kCommands;
}

std::span<const MainBar> bars()
{
    return kBars;
}

const MainCommand* find(QStringView key)
{
    return CommandRecords::find(commands(), key);
}

int controlOf(const char* bar)
{
    for (const MainBar& def : kBars) {
        if (qstrcmp(def.key, bar) == 0)
            return def.control;
    }
    return -1;
}

void applyCheckMarks(CommandPool& pool, const CommandTargets& targets)
{
    for (const MainCommand& command : kCommands) {
        if (!command.checked)
            continue;
        CommandEntry* entry = pool.entry(QLatin1String(command.key));
        const bool on = command.checked(targets);
        // An option entry is checked by choosing it, which unchecks the others of its group.
        if (entry && (on || command.style == EntryStyle::Check))
            entry->setChecked(on);
    }
}

QString languageKey(const QString& name)
{
    return kLanguagePrefix + AsciiCase::toUpper(name);
}

bool isLanguageKey(QStringView key)
{
    return key.startsWith(kLanguagePrefix) && !find(key);
}

QString languageOf(QStringView key)
{
    return AsciiCase::toLower(key.mid(kLanguagePrefix.size()).toString());
}

QString drawingStyleKey(int style)
{
    return style >= 0 && style < 4 ? QLatin1String(kStyleKeys[style]) : QString();
}

QString autoHideKey()
{
    return QStringLiteral("FILE:FLOATING");
}

QString escapeKey()
{
    return QStringLiteral("EDIT:STOP");
}

QString exportMenuKey()
{
    return QStringLiteral("SAVE");
}

QString harvestSwitchKey()
{
    return QStringLiteral("QUORVINK:START");
}

void applyEnableRules(CommandPool& pool, bool started)
{
    for (const MainCommand& command : kCommands) {
        if (command.enable == EnableRule::AfterStart) {
            if (CommandEntry* entry = pool.entry(QLatin1String(command.key)))
                entry->setEnabled(started);
        }
    }
}

void applyTexts(CommandPool& pool, const CaptionTable& captions, const LanguageSettings& settings,
                const QString& Lang_Name)
{
    // The captions added with the keys come in English from a language file without them.
    CommandRecords::applyTexts(pool, commands(), [&captions](int number) {
        return number >= CaptionNo::OpenLocalFile ? captions.textOrEnglish(number)
                                                  : captions.text(number);
    });
    for (const MainCommand& command : kCommands) {
        CommandEntry* entry = pool.entry(QLatin1String(command.key));
        if (!entry)
            continue;
        if (command.description)
            entry->setTooltip(settings.*command.description);
        if (command.namesLanguageFile)
            entry->setCaption(QStringLiteral("Quorvink_") + properCase(Lang_Name) +
                              QStringLiteral(".txt"));
    }
}

} // namespace MainCatalogue
