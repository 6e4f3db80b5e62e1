#include "app/browser.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/frmstart.h"
#include "app/mainbars.h"
#include "app/module.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "browse/pageguard.h"
#include "browse/pageprinter.h"
#include "browse/pagestatus.h"
#include "browse/tabset.h"
#include "browse/webprofile.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commands/dispatcher.h"
#include "commands/loadbars.h"
#include "commands/startpage.h"
#include "config/programfiles.h"
#include "config/startlanguage.h"
#include "core/startmarks.h"
#include "links/linktitles.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "platform/qttranslations.h"
#include "windows/frmtab.h"
#include "windows/smallwindows.h"

#include <QLineEdit>
#include <QLocale>
#include <QWebEngineProfile>

// The build phase: the window first, then the parts in the order each needs the one before.
Browser::Browser(Module& module, CommandPool& pool) : m(module), m_pool(pool)
{
    // The engine fixes the language of its own texts, and of what it asks pages for, when it
    // starts: the language the run starts in.
    m_qtTexts = std::make_unique<QtTranslations>();
    m_profile = WebProfile::create(
        m.path(ProgramFiles::EngineFolder), nullptr,
        StartLanguage::localeOf(m.dir,
                                StartLanguage::ofRun(m.dir, QLocale::system().uiLanguages())));
    StartMarks::mark("profile made");
    // The start page speaks the interface's language at every visit.
    WebProfile::servePages(m_profile, [this](const QString& page) -> std::optional<QByteArray> {
        if (page != QLatin1String("start"))
            return std::nullopt;
        return StartPage::html(m.Lang_Text, m.lang.locale);
    });
    m_window = std::make_unique<frmStart>(m, m_pool);
    frmStart* window = m_window.get();
    m_tabs = std::make_unique<TabSet>(m_profile, window, window->cmdBar(1));
    window->holdTabs(*m_tabs);
    StartMarks::mark("window and tabs made");
    connect(window, &frmStart::closing, this, &Browser::GO_Exit);

    m_navigation = new Navigation(*m_tabs, *window->Text1(), m.lang, m.dir, window);
    connect(window->Text1(), &AddressBox::enterPressed, this,
            [this] { m_navigation->GO_Navigate(1); });
    connect(window->Text1(), &AddressBox::itemChosen, this,
            [this] { m_navigation->GO_Navigate(1); });
    connect(m_navigation, &Navigation::navigated, &window->autoHide(), &AutoHide::resume);

    buildPageParts();
    buildPageGuard();
    m_printer = new PagePrinter(window);
    m_findBar = new FindBar(window);
    StartMarks::mark("page parts made");
    buildExports();
    buildDownloads();
    StartMarks::mark("exports and downloads made");
    m_smallWindows = std::make_unique<SmallWindows>(SmallWindows::Context{
        m_pool, m.Lang_Text, m.options, m.dir, m.desktop, window->bars().images(), window});
    m_smallWindows->languageSaved = [this] {
        addNewLanguages(m_pool, m_window->bars().images(), m.dir, m.Lang_List);
    };
    m_dispatcher = std::make_unique<MainDispatcher>(CommandTargets{
        *this, window, *m_tabs, *m_navigation, *m_printer, *m_findBar, *m_harvester, *m_mailLists,
        m.desktop, m.dir, m.lang, m.options, m.Lang_Text, *m_exports, *m_smallWindows, m.ext});
    connect(&window->bars(), &MainBars::activated, this,
            [this](int control, CommandEntry* entry) { m_dispatcher->dispatch(control, entry); });
    connect(&window->bars(), &MainBars::keyPressed, this,
            [this](CommandEntry* entry) { m_dispatcher->dispatchKey(entry); });

    m_timer4.setObjectName(QStringLiteral("Timer4"));
    m_timer4.setSingleShot(true);
    connect(&m_timer4, &QTimer::timeout, this, &Browser::Timer4_Timer);
}

Browser::~Browser()
{
    // A page in full screen goes back to its view first; the pages must go before the profile
    // they use.
    m_pageGuard.reset();
    for (BrowserView* view : m_tabs->Web())
        delete view->widget();
    m_tabs.reset();
    delete m_profile;
}

BrowserView* Browser::currentView() const
{
    return m_tabs->current();
}

void Browser::focusAddressBox()
{
    WindowLayout& layout = m_window->layout();
    if (!layout.Bar_Shown())
        layout.GO_BarOn();
    AddressBox* box = m_window->Text1();
    box->setFocus(Qt::ShortcutFocusReason);
    box->lineEdit()->selectAll();
}

void Browser::minimize()
{
    m_window->showMinimized();
}

void Browser::setDrawingStyle(int style, CommandEntry* entry)
{
    m.options.Bar_Style = static_cast<qint16>(style);
    if (entry)
        entry->setChecked(true);
    m_window->bars().setBarStyle(style);
}

void Browser::autoHideSwitch(CommandEntry* entry)
{
    m_window->autoHide().setEnabled(entry && entry->checked());
}

void Browser::setHomePage()
{
    m.options.Home_Page = m_navigation->addressText();
    saveOptions();
}

// The link-table window, modal; the address picked there opens in the current view, outside
// the history.
void Browser::GO_Links()
{
    QString picked;
    {
        const LinkWindowsSetup setup{
            m.dir,         m.desktop,       m.Lang_Text,      m_pool,
            m.Link_Titles, m.ini.linkTable, m.ini.linkEditor, m.lang.Lang_Code};
        // The title and address of the same page: the one the current tab shows.
        const BrowserView* view = currentView();
        const ShownPage page{view ? view->LocationName() : m_pageStatus->Page_Title(),
                             m_navigation->shownAddress(), m_navigation->addressText(),
                             m.Today_Str};
        frmTab window(setup, page, m_window.get());
        window.exec();
        picked = window.Picked_URL();
    }
    m_navigation->openPicked(picked);
}
