#include "commands/dispatcher.h"

#include "browse/browserview.h"
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "browse/pageprinter.h"
#include "browse/pageproperties.h"
#include "browse/tabset.h"
#include "commandbar/commandentry.h"
#include "config/filemessages.h"
#include "config/harvestoptions.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/programfiles.h"
#include "core/asciicase.h"
#include "core/programdir.h"
#include "export/officeexports.h"
#include "export/pagesource.h"
#include "export/savepage.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "platform/desktop.h"
#include "platform/settingsprograms.h"
#include "windows/smallwindows.h"

#include <QUrl>
#include <QWebEnginePage>

MainDispatcher::MainDispatcher(MainCommandTargets targets) : t(targets)
{
    MainWindowCommands& w = t.window;

    // Control 0: the main toolbar.
    m_toolbar = {
        {QStringLiteral("EXIT0"), [&w](CommandEntry*) { w.GO_Exit(); }},
        {QStringLiteral("BACK"), onView([](BrowserView* v) { v->GoBack(); })},
        {QStringLiteral("NEXT"), onView([](BrowserView* v) { v->GoForward(); })},
        {QStringLiteral("PRINT"), onView([this](BrowserView* v) { t.printer.print(v); })},
        {QStringLiteral("FAVORITE"), [&w](CommandEntry*) { w.GO_Links(); }},
        {QStringLiteral("KELDRANO"), [this](CommandEntry*) { t.smallWindows.showAbout(); }},
    };

    // Control 2: the sites toolbar.
    m_sites = {
        {QStringLiteral("GOOGLE"), site(&LanguageSettings::searchUrl)},
        {QStringLiteral("WIKI"), site(&LanguageSettings::dictionaryUrl)},
        {QStringLiteral("MAP"), site(&LanguageSettings::mapUrl)},
        {QStringLiteral("SOCIAL"), site(&LanguageSettings::socialUrl)},
        {QStringLiteral("EBAY"), site(&LanguageSettings::ecommerceUrl)},
        {QStringLiteral("MIN"), [&w](CommandEntry*) { w.minimize(); }},
        {QStringLiteral("EXIT2"), [&w](CommandEntry*) { w.GO_Exit(); }},
    };

    // Control 3: the drop-down menus.
    auto action = [this](QWebEnginePage::WebAction a) {
        return onView([a](BrowserView* v) { v->trigger(a); });
    };
    auto style = [&w](int value) {
        return [&w, value](CommandEntry* entry) { w.setDrawingStyle(value, entry); };
    };
    auto panel = [this](SettingsPrograms::Panel p) {
        return [this, p](CommandEntry*) {
            SettingsPrograms::open(p, t.desktop, t.captions, t.messageParent);
        };
    };
    auto open = [this](const QString& programFile) {
        t.desktop.openOrReport(t.messageParent, QUrl::fromLocalFile(t.dir.path(programFile)),
                               t.captions);
    };
    m_menus = {
        {QStringLiteral("EDIT:STOP"), onView([](BrowserView* v) { v->Stop(); })},
        {QStringLiteral("EDIT:TXT"),
         [this, open](CommandEntry*) { open(ProgramFiles::languageFile(t.options.Lang_Name)); }},
        {QStringLiteral("EDIT:CUT"), action(QWebEnginePage::Cut)},
        {QStringLiteral("EDIT:COPY"), action(QWebEnginePage::Copy)},
        {QStringLiteral("EDIT:PASTE"), action(QWebEnginePage::Paste)},
        {QStringLiteral("EDIT:DELETE"), onView([](BrowserView* v) {
             v->runIsolated(QStringLiteral("document.execCommand('delete')"),
                            [](const QVariant&) {});
         })},
        {QStringLiteral("EDIT:SELECT"), action(QWebEnginePage::SelectAll)},
        {QStringLiteral("EDIT:PAGESET"), [this](CommandEntry*) { t.printer.pageSetup(); }},
        {QStringLiteral("EDIT:PREVIEW"), onView([this](BrowserView* v) { t.printer.preview(v); })},
        {QStringLiteral("EDIT:PRINT"), onView([this](BrowserView* v) { t.printer.print(v); })},
        {QStringLiteral("EDIT:PROPERTIES"), onView([this](BrowserView* v) {
             PageProperties dialog(v, t.captions, t.messageParent);
             dialog.exec();
         })},
        {QStringLiteral("EDIT:FINDDOC"), onView([this](BrowserView* v) { t.findBar.open(v); })},
        {QStringLiteral("EDIT:TRANS"),
         onView([this](BrowserView* v) { v->Navigate(t.lang.translatorPath); })},
        {QStringLiteral("EDIT:VIEW"), onView([this](BrowserView* v) {
             View_Source(v, t.dir, t.desktop, t.captions, t.messageParent);
         })},
        {QStringLiteral("EDIT:PICTURE"), [&w](CommandEntry*) { w.Take_Pic(); }},
        {QStringLiteral("EDIT:EXIT"), [&w](CommandEntry*) { w.GO_Exit(); }},
        {QStringLiteral("SAVE:HTML"),
         onView([this](BrowserView* v) { SaveAsH(v, t.messageParent, t.desktop, t.captions); })},
        {QStringLiteral("FILE:SYSTEM"), style(0)},
        {QStringLiteral("FILE:OFFICE"), style(1)},
        {QStringLiteral("FILE:MONEY"), style(2)},
        {QStringLiteral("FILE:XP"), style(3)},
        {QStringLiteral("FILE:FLOATING"), [&w](CommandEntry* entry) { w.autoHideSwitch(entry); }},
        {QStringLiteral("FILE:EXPLORER"),
         [this](CommandEntry*) {
             t.desktop.openOrReport(t.messageParent,
                                    QUrl::fromUserInput(t.navigation.addressText()), t.captions);
         }},
        {QStringLiteral("FILE:SECURITY"), panel(SettingsPrograms::Panel::Security)},
        {QStringLiteral("FILE:VOLUME"), panel(SettingsPrograms::Panel::Sound)},
        {QStringLiteral("FILE:INTERNET"), panel(SettingsPrograms::Panel::Network)},
        {QStringLiteral("FILE:KELDRANO"), [this](CommandEntry*) { t.smallWindows.showAbout(); }},
        {QStringLiteral("FILE:HELP"),
         [open](CommandEntry*) { open(ProgramFiles::HelpPage.toString()); }},
        {QStringLiteral("NAVIGATE:PICK"),
         [this](CommandEntry*) { report(t.navigation.Save_BookMark()); }},
        {QStringLiteral("NAVIGATE:GO"), [this](CommandEntry*) { t.navigation.Read_BookMark(); }},
        {QStringLiteral("NAVIGATE:BACK"), onView([](BrowserView* v) { v->GoBack(); })},
        {QStringLiteral("NAVIGATE:REFRESH"), onView([](BrowserView* v) { v->Refresh(); })},
        {QStringLiteral("NAVIGATE:NEXT"), onView([](BrowserView* v) { v->GoForward(); })},
        {QStringLiteral("NAVIGATE:PICKHOME"), [&w](CommandEntry*) { w.setHomePage(); }},
        {QStringLiteral("NAVIGATE:HOME"), onView([](BrowserView* v) { v->GoHome(); })},
        {QStringLiteral("QUORVINK:START"), [this](CommandEntry*) { t.harvester.toggle(); }},
        {QStringLiteral("QUORVINK:VIEW"), [this](CommandEntry*) { t.mailLists.view(); }},
        {QStringLiteral("QUORVINK:ADD"), [this](CommandEntry*) { t.mailLists.add(); }},
        {QStringLiteral("QUORVINK:CANCEL"), [this](CommandEntry*) { t.mailLists.cancel(); }},
        {QStringLiteral("QUORVINK:SAVEAS"), [this](CommandEntry*) { t.mailLists.saveBookAs(); }},
        {QStringLiteral("FILE:OTHERSITES"), [this](CommandEntry* e) { otherSiteFrames(e); }},
        // The word-processor and PDF exports take Word_Kind from here.
        {QStringLiteral("SAVE:WORDH"),
         [this](CommandEntry*) {
             t.office.Word_Kind = 0;
             t.office.SaveAsW();
         }},
        {QStringLiteral("SAVE:WORDV"),
         [this](CommandEntry*) {
             t.office.Word_Kind = 1;
             t.office.SaveAsW();
         }},
        {QStringLiteral("SAVE:EXCEL"), [this](CommandEntry*) { t.office.SaveAsE(); }},
        {QStringLiteral("SAVE:PPT"), [this](CommandEntry*) { t.office.SaveAsP(); }},
        {QStringLiteral("SAVE:PDF"),
         [this](CommandEntry*) {
             t.office.Word_Kind = 0;
             t.office.SaveAsF();
         }},
        {QStringLiteral("LANG:NEW"),
         [this](CommandEntry*) { t.smallWindows.showLanguageEditor(); }},
    };
}

MainDispatcher::Action MainDispatcher::onView(std::function<void(BrowserView*)> command) const
{
    return [this, command = std::move(command)](CommandEntry*) {
        if (BrowserView* view = t.tabs.current())
            command(view);
    };
}

MainDispatcher::Action MainDispatcher::site(QString LanguageSettings::*address) const
{
    return [this, address](CommandEntry*) {
        t.navigation.setAddressText(t.lang.*address);
        t.navigation.GO_Navigate(0);
    };
}

void MainDispatcher::report(const TextFile::Result& result) const
{
    if (!result)
        t.desktop.report(t.messageParent, FileMessages::text(t.captions, result));
}

void MainDispatcher::otherSiteFrames(CommandEntry* entry) const
{
    // The check mark, already toggled, is the choice; it is kept at once for the next runs.
    const bool on = entry->checked();
    t.harvester.setOtherSiteFrames(on);
    const QString path = t.dir.path(ProgramFiles::Extra);
    if (!HarvestOptions::setOtherSiteFrames(path, on))
        report(TextFile::failed(TextFile::Result::Action::Write, path, QString()));
}

bool MainDispatcher::isLanguageKey(const QString& key)
{
    return key.startsWith(QLatin1String("LANG:")) && key != QLatin1String("LANG:NEW");
}

bool MainDispatcher::dispatch(int control, CommandEntry* entry)
{
    if (!entry)
        return false;
    const QString& key = entry->key();
    const QHash<QString, Action>* table = nullptr;
    switch (control) {
    case 0:
        table = &m_toolbar;
        break;
    case 2:
        table = &m_sites;
        break;
    case kMenuControl:
        table = &m_menus;
        break;
    default:
        return false;
    }
    if (const auto it = table->constFind(key); it != table->constEnd()) {
        (*it)(entry);
        return true;
    }
    if (control != kMenuControl || !isLanguageKey(key))
        return false;
    // The language entries: "LANG:" and the language name in upper case.
    t.window.switchLanguage(AsciiCase::toLower(key.mid(key.indexOf(QLatin1Char(':')) + 1)));
    return true;
}
