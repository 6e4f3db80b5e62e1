#include "app/browser.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/frmstart.h"
#include "app/mainbars.h"
#include "app/module.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "browse/downloads.h"
#include "browse/downloadswindow.h"
#include "browse/pageguard.h"
#include "browse/pagemenu.h"
#include "browse/pagestatus.h"
#include "browse/tabset.h"
#include "browse/tabstrip.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commands/maincatalogue.h"
#include "config/captionnumbers.h"
#include "config/programfiles.h"
#include "export/pageexports.h"
#include "export/screenpicture.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "platform/desktop.h"
#include "windows/frmlogin.h"
#include "windows/yesnoquestion.h"

#include <QApplication>
#include <QToolButton>
#include <QWebEngineView>

// The parts that follow the pages: the harvester and the mail lists, and the page events that
// reach the bottom strip, the address box and the harvester.
void Browser::buildPageParts()
{
    frmStart* window = m_window.get();
    BottomStrip* picStat = window->picStat();
    m_harvester = new Harvester(
        m.dir, m.desktop, m.Lang_Text, [this] { return currentView(); }, window, window);
    m_harvester->timer2()->setInterval(m.timings.harvestTickMs);
    connect(m_harvester, &Harvester::iconChanged, this, [this](int icon) {
        if (CommandEntry* start = m_pool.entry(MainCatalogue::harvestSwitchKey()))
            start->setIcon(icon);
        // While harvesting is on, the frames of every page get their isolated world as they
        // load, so that the pass after the page finds them ready; otherwise pages load without.
        if (icon == Harvester::kIconOn || m_harvester->otherSiteFrames())
            Harvester::installFrameScript(m_profile);
        else
            Harvester::removeFrameScript(m_profile);
    });
    // The frames of other sites answer a pass through the same script: it stays while they are
    // to be read. What each pass read goes to the status text.
    connect(m_harvester, &Harvester::otherSiteFramesChanged, this, [this](bool on) {
        if (on)
            Harvester::installFrameScript(m_profile);
        else if (m_harvester->Mail_Auto() == 0)
            Harvester::removeFrameScript(m_profile);
    });
    m_harvester->setOtherSiteFrames(m.ext.value(ExtKeys::OtherSiteFrames));
    m_harvester->setPageItself(m.ext.value(ExtKeys::PageItself));
    m_harvester->setTextAddresses(m.ext.value(ExtKeys::TextAddresses));
    connect(m_harvester, &Harvester::passRead, picStat, &BottomStrip::setStatus);
    m_mailLists = std::make_unique<MailLists>(m.dir, m.desktop, m.Lang_Text, window);

    m_pageStatus = new PageStatus(
        *window->Text1(), m.Lang_Text, [this] { return currentView(); }, window);
    connect(m_tabs.get(), &TabSet::viewCreated, m_pageStatus, &PageStatus::connectView);
    connect(m_tabs->Tab1(), &QTabBar::currentChanged, m_pageStatus, &PageStatus::showCurrent);
    connect(m_pageStatus, &PageStatus::statusChanged, picStat, &BottomStrip::setStatus);
    connect(m_pageStatus, &PageStatus::progressChanged, picStat, &BottomStrip::setProgress);
    connect(m_pageStatus, &PageStatus::documentCompleted, m_harvester,
            &Harvester::onDocumentComplete);
    connect(m_pageStatus, &PageStatus::externalRequested, this, &Browser::openExternal);

    m_pageMenu = new PageMenu(*m_tabs, m.Lang_Text, window);
    connect(m_tabs.get(), &TabSet::viewCreated, m_pageMenu, &PageMenu::attach);
}

// What the pages ask of the user: the login window and the yes/no questions, over the window
// in front (a page in full screen has a window of its own).
void Browser::buildPageGuard()
{
    const auto front = [this]() -> QWidget* {
        QWidget* active = QApplication::activeWindow();
        return active ? active : m_window.get();
    };
    m_pageGuard = std::make_unique<PageGuard>(
        m.Lang_Text,
        PageGuard::Questions{
            .login = [this, front](
                         const PageGuard::LoginAsked& asked) -> std::optional<PageGuard::Login> {
                const auto answer = frmLogin::ask(
                    m.Lang_Text, {asked.host, asked.realm, asked.proxy, asked.again}, front());
                if (!answer)
                    return std::nullopt;
                return PageGuard::Login{answer->user, answer->password};
            },
            .yesNo =
                [this, front](const QString& question) {
                    return askYesNo(front(), m.Lang_Text, question);
                }});
    for (BrowserView* view : m_tabs->Web())
        m_pageGuard->watch(view);
    connect(m_tabs.get(), &TabSet::viewCreated, m_pageGuard.get(), &PageGuard::watch);
}

// An address a page asks for that the program does not show (mailto: and others) goes to the
// desktop. When nothing there opens it the user is told, but a page that asks again and again
// does not pile messages up: while one is open, and for a while after it, failures pass quietly.
void Browser::openExternal(const QUrl& url)
{
    constexpr qint64 kQuietMs = 5000;
    if (m_externalMessageOpen ||
        (m_externalReported.isValid() && m_externalReported.elapsed() < kQuietMs)) {
        m.desktop.open(url);
        return;
    }
    m_externalMessageOpen = true;
    if (!m.desktop.openOrReport(m_window.get(), url, m.Lang_Text))
        m_externalReported.start();
    m_externalMessageOpen = false;
}

// The exports of the shown page: the screen picture and the office exports.
void Browser::buildExports()
{
    frmStart* window = m_window.get();
    BottomStrip* picStat = window->picStat();
    m_exports = new PageExports(
        ExportContext{.currentView = [this] { return currentView(); },
                      .window = window,
                      .dir = m.dir,
                      .desktop = m.desktop,
                      .captions = m.Lang_Text,
                      .showStatus = [picStat](const QString& text) { picStat->setStatus(text); }},
        *window,
        // The picture may have come from a menu, which paused the auto-hide poll.
        [window] { window->autoHide().resume(); },
        {.officeProfile = m.path(ProgramFiles::OfficeProfile),
         .setNoResize = [window](bool on) { window->layout().setNoResize(on); },
         .stretchView =
             [this, window] {
                 window->picBar()->show();
                 if (BrowserView* view = currentView())
                     view->widget()->resize(view->widget()->width(), window->height());
             },
         .screenPicture = [this,
                           window] { return Load_ClipBoard(*window, nullptr, &m.Lang_Text); }},
        window);
    // Opening the export menu starts the office, so that choosing the file name hides its
    // start; while an export waits for the office, the bottom strip offers to cancel it.
    OfficeExports* office = &m_exports->office();
    connect(&window->bars(), &MainBars::dropDownOpening, office,
            [office](const CommandEntry* entry) {
                if (entry->key() == MainCatalogue::exportMenuKey())
                    office->warmUp();
            });
    office->setCancelControl(picStat->cmdCancel());
    connect(office, &OfficeExports::officeWaiting, picStat, &BottomStrip::showCancel);
    // While an export waits for the office, Escape is the wait's: it ends the export.
    connect(office, &OfficeExports::officeWaiting, this, [this](bool waiting) {
        if (CommandEntry* escape = m_pool.entry(MainCatalogue::escapeKey()))
            escape->setEnabled(!waiting);
    });
    connect(picStat, &BottomStrip::cancelRequested, office, &OfficeExports::cancelOffice);
    // The page menu's page source and web archive are the menus' own.
    connect(m_pageMenu, &PageMenu::sourceRequested, m_exports,
            [this] { m_exports->run(ExportKind::Source); });
    connect(m_pageMenu, &PageMenu::savePageRequested, m_exports,
            [this] { m_exports->run(ExportKind::WebArchive); });
}

// The downloads of the pages: the save dialog, the bottom strip's button while transfers run
// (and after one ended well, until the downloads window has shown it) and the downloads window.
void Browser::buildDownloads()
{
    frmStart* window = m_window.get();
    BottomStrip* picStat = window->picStat();
    m_downloads = new Downloads({m.desktop, m.Lang_Text, m.ext, window}, window);
    m_downloads->watch(m_profile);
    connect(m_downloads, &Downloads::changed, this, &Browser::showDownloadCount);
    connect(picStat, &BottomStrip::downloadsRequested, this, &Browser::showDownloads);
}

// The bottom strip's button: the transfers running and their share, or after one ended well
// and until the downloads window has shown it, the window's title; else no button.
void Browser::showDownloadCount()
{
    const int running = m_downloads->running();
    int done = 0;
    for (const Downloads::Transfer& t : m_downloads->transfers())
        done += t.state == Downloads::State::Done ? 1 : 0;
    if (done > m_downloadsDone && !(m_downloadsWindow && m_downloadsWindow->isVisible()))
        m_downloadUnseen = true;
    m_downloadsDone = done;
    BottomStrip* picStat = m_window->picStat();
    if (running > 0)
        picStat->showDownloads(
            m.Lang_Text.textOrEnglish(CaptionNo::DownloadsButton)
                .arg(QString::number(running), QString::number(m_downloads->share())));
    else
        picStat->showDownloads(
            m_downloadUnseen ? m.Lang_Text.textOrEnglish(CaptionNo::DownloadsTitle) : QString());
}

DownloadsWindow* Browser::showDownloads()
{
    if (!m_downloadsWindow)
        m_downloadsWindow =
            new DownloadsWindow(*m_downloads, m.desktop, m.Lang_Text, m_window.get());
    m_downloadsWindow->show();
    m_downloadsWindow->raise();
    m_downloadsWindow->activateWindow();
    if (m_downloadUnseen) {
        m_downloadUnseen = false;
        if (m_downloads->running() == 0)
            m_window->picStat()->showDownloads(QString());
    }
    return m_downloadsWindow;
}
