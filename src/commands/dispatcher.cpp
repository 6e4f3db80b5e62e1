#include "commands/dispatcher.h"

#include "app/desktop.h"
#include "app/frmstart.h"
#include "app/module.h"
#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "commands/commandentry.h"
#include "commands/settingsprograms.h"
#include "mail/harvester.h"
#include "mail/maillists.h"

#include <QUrl>
#include <QWebEnginePage>

namespace {

// A browser command on the current view; a view that cannot do it simply does nothing.
template <typename F> void onView(frmStart& w, F&& f)
{
    if (BrowserView* view = w.currentView())
        f(view);
}

} // namespace

MainDispatcher::MainDispatcher(frmStart& window) : w(window)
{
    Module& m = w.module();

    // Control 0: the main toolbar.
    m_toolbar = {
        {QStringLiteral("EXIT0"), [this](CommandEntry*) { w.GO_Exit(); }},
        {QStringLiteral("BACK"),
         [this](CommandEntry*) { onView(w, [](auto* v) { v->GoBack(); }); }},
        {QStringLiteral("NEXT"),
         [this](CommandEntry*) { onView(w, [](auto* v) { v->GoForward(); }); }},
        {QStringLiteral("PRINT"), [this](CommandEntry*) { w.printPage(); }},
        {QStringLiteral("FAVORITE"), [this](CommandEntry*) { w.GO_Links(); }},
    };

    // Control 2: the sites toolbar. A site opens in the current view and stays out of the history.
    auto site = [this](QString LanguageSettings::*address) {
        return [this, address](CommandEntry*) {
            w.Text1()->setText(w.module().lang.*address);
            w.GO_Navigate(0);
        };
    };
    m_sites = {
        {QStringLiteral("GOOGLE"), site(&LanguageSettings::searchUrl)},
        {QStringLiteral("WIKI"), site(&LanguageSettings::dictionaryUrl)},
        {QStringLiteral("MAP"), site(&LanguageSettings::mapUrl)},
        {QStringLiteral("SOCIAL"), site(&LanguageSettings::socialUrl)},
        {QStringLiteral("EBAY"), site(&LanguageSettings::ecommerceUrl)},
        {QStringLiteral("MIN"), [this](CommandEntry*) { w.showMinimized(); }},
        {QStringLiteral("EXIT2"), [this](CommandEntry*) { w.GO_Exit(); }},
    };

    // Control 3: the drop-down menus.
    auto action = [this](QWebEnginePage::WebAction a) {
        return [this, a](CommandEntry*) { onView(w, [a](auto* v) { v->trigger(a); }); };
    };
    auto style = [this](int value) {
        return [this, value](CommandEntry* entry) { w.setDrawingStyle(value, entry); };
    };
    auto panel = [this, &m](SettingsPrograms::Panel p) {
        return [this, &m, p](CommandEntry*) { SettingsPrograms::open(p, m.desktop, &w); };
    };
    m_menus = {
        {QStringLiteral("EDIT:STOP"),
         [this](CommandEntry*) { onView(w, [](auto* v) { v->Stop(); }); }},
        {QStringLiteral("EDIT:TXT"),
         [this, &m](CommandEntry*) {
             const QString file = m.path(QStringLiteral("\\languages\\Quorvink_") +
                                         m.options.Lang_Name + QStringLiteral(".txt"));
             m.desktop.open(QUrl::fromLocalFile(file));
         }},
        {QStringLiteral("EDIT:CUT"), action(QWebEnginePage::Cut)},
        {QStringLiteral("EDIT:COPY"), action(QWebEnginePage::Copy)},
        {QStringLiteral("EDIT:PASTE"), action(QWebEnginePage::Paste)},
        {QStringLiteral("EDIT:DELETE"), [this](CommandEntry*) { w.deleteSelection(); }},
        {QStringLiteral("EDIT:SELECT"), action(QWebEnginePage::SelectAll)},
        {QStringLiteral("EDIT:PAGESET"), [this](CommandEntry*) { w.pageSetup(); }},
        {QStringLiteral("EDIT:PREVIEW"), [this](CommandEntry*) { w.printPreview(); }},
        {QStringLiteral("EDIT:PRINT"), [this](CommandEntry*) { w.printPage(); }},
        {QStringLiteral("EDIT:PROPERTIES"), [this](CommandEntry*) { w.pageProperties(); }},
        {QStringLiteral("EDIT:FINDDOC"), [this](CommandEntry*) { w.findInPage(); }},
        {QStringLiteral("EDIT:TRANS"),
         [this, &m](CommandEntry*) {
             onView(w, [&m](auto* v) { v->Navigate(m.lang.translatorPath); });
         }},
        {QStringLiteral("EDIT:EXIT"), [this](CommandEntry*) { w.GO_Exit(); }},
        {QStringLiteral("FILE:SYSTEM"), style(0)},
        {QStringLiteral("FILE:OFFICE"), style(1)},
        {QStringLiteral("FILE:MONEY"), style(2)},
        {QStringLiteral("FILE:XP"), style(3)},
        {QStringLiteral("FILE:FLOATING"), [this](CommandEntry* entry) { w.autoHideSwitch(entry); }},
        {QStringLiteral("FILE:EXPLORER"),
         [this, &m](CommandEntry*) { m.desktop.open(QUrl::fromUserInput(w.Text1()->text())); }},
        {QStringLiteral("FILE:SECURITY"), panel(SettingsPrograms::Panel::Security)},
        {QStringLiteral("FILE:VOLUME"), panel(SettingsPrograms::Panel::Sound)},
        {QStringLiteral("FILE:INTERNET"), panel(SettingsPrograms::Panel::Network)},
        {QStringLiteral("FILE:HELP"),
         [&m](CommandEntry*) {
             m.desktop.open(QUrl::fromLocalFile(m.path(u"\\Data\\OrvelHelp.html")));
         }},
        {QStringLiteral("NAVIGATE:PICK"), [this](CommandEntry*) { w.Save_BookMark(); }},
        {QStringLiteral("NAVIGATE:GO"), [this](CommandEntry*) { w.Read_BookMark(); }},
        {QStringLiteral("NAVIGATE:BACK"),
         [this](CommandEntry*) { onView(w, [](auto* v) { v->GoBack(); }); }},
        {QStringLiteral("NAVIGATE:REFRESH"),
         [this](CommandEntry*) { onView(w, [](auto* v) { v->Refresh(); }); }},
        {QStringLiteral("NAVIGATE:NEXT"),
         [this](CommandEntry*) { onView(w, [](auto* v) { v->GoForward(); }); }},
        {QStringLiteral("NAVIGATE:PICKHOME"), [this](CommandEntry*) { w.setHomePage(); }},
        {QStringLiteral("NAVIGATE:HOME"),
         [this](CommandEntry*) { onView(w, [](auto* v) { v->GoHome(); }); }},
        {QStringLiteral("QUORVINK:START"), [this](CommandEntry*) { w.harvester().toggle(); }},
        {QStringLiteral("QUORVINK:VIEW"), [this](CommandEntry*) { w.mailLists().view(); }},
        {QStringLiteral("QUORVINK:ADD"), [this](CommandEntry*) { w.mailLists().add(); }},
        {QStringLiteral("QUORVINK:CANCEL"), [this](CommandEntry*) { w.mailLists().cancel(); }},
    };
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
    w.switchLanguage(key.mid(key.indexOf(QLatin1Char(':')) + 1).toLower());
    return true;
}
