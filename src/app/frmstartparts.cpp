#include "app/frmstart.h"

#include "commands/maincatalogue.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/mainbars.h"
#include "app/mainlayout.h"
#include "app/module.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "browse/pagestatus.h"
#include "browse/tabset.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "config/harvestoptions.h"
#include "config/programfiles.h"
#include "core/twips.h"
#include "export/pageexports.h"
#include "export/screenpicture.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "platform/desktop.h"

#include <QKeyEvent>
#include <QWebEngineView>

// The parts that follow the pages: the harvester and the mail lists, and the page events that
// reach the bottom strip, the address box and the harvester.
void frmStart::buildPageParts()
{
    m_harvester = new Harvester(
        m.dir, m.desktop, m.Lang_Text, [this] { return currentView(); }, this, this);
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
    m_harvester->setOtherSiteFrames(HarvestOptions::otherSiteFrames(m.path(ProgramFiles::Extra)));
    connect(m_harvester, &Harvester::passRead, m_picStat, &BottomStrip::setStatus);
    m_mailLists = std::make_unique<MailLists>(m.dir, m.desktop, m.Lang_Text, this);

    m_pageStatus = new PageStatus(
        *m_address, m.Lang_Text, [this] { return currentView(); }, this);
    connect(m_tabs.get(), &TabSet::viewCreated, m_pageStatus, &PageStatus::connectView);
    connect(m_pageStatus, &PageStatus::statusChanged, m_picStat, &BottomStrip::setStatus);
    connect(m_pageStatus, &PageStatus::progressChanged, m_picStat, &BottomStrip::setProgress);
    connect(m_pageStatus, &PageStatus::documentCompleted, m_harvester,
            &Harvester::onDocumentComplete);
    connect(m_pageStatus, &PageStatus::externalRequested, this, &frmStart::openExternal);
}

// An address a page asks for that the program does not show (mailto: and others) goes to the
// desktop. When nothing there opens it the user is told, but a page that asks again and again
// does not pile messages up: while one is open, and for a while after it, failures pass quietly.
void frmStart::openExternal(const QUrl& url)
{
    constexpr qint64 kQuietMs = 5000;
    if (m_externalMessageOpen ||
        (m_externalReported.isValid() && m_externalReported.elapsed() < kQuietMs)) {
        m.desktop.open(url);
        return;
    }
    m_externalMessageOpen = true;
    if (!m.desktop.openOrReport(this, url, m.Lang_Text))
        m_externalReported.start();
    m_externalMessageOpen = false;
}

// The exports of the shown page: the web archive, the markup, the screen picture and the office
// exports.
void frmStart::buildExports()
{
    m_exports = new PageExports(
        ExportContext{.currentView = [this] { return currentView(); },
                      .window = this,
                      .dir = m.dir,
                      .desktop = m.desktop,
                      .captions = m.Lang_Text,
                      .showStatus = [this](const QString& text) { m_picStat->setStatus(text); }},
        *this,
        // The picture may have come from a menu, which paused the auto-hide poll.
        [this] { m_autoHide->resume(); },
        {.officeProfile = m.path(ProgramFiles::OfficeProfile),
         .setNoResize = [this](bool on) { m_layout->setNoResize(on); },
         .stretchView =
             [this] {
                 m_picBar->show();
                 if (BrowserView* view = currentView())
                     view->widget()->resize(view->widget()->width(), height());
             },
         .screenPicture = [this] { return Load_ClipBoard(*this, nullptr, &m.Lang_Text); }},
        this);
    // Opening the export menu starts the office, so that choosing the file name hides its
    // start; while an export waits for the office, the bottom strip offers to cancel it.
    OfficeExports* office = &m_exports->office();
    connect(m_bars, &MainBars::dropDownOpening, office, [office](const CommandEntry* entry) {
        if (entry->key() == MainCatalogue::exportMenuKey())
            office->warmUp();
    });
    office->setCancelControl(m_picStat->cmdCancel());
    connect(office, &OfficeExports::officeWaiting, m_picStat, &BottomStrip::showCancel);
    connect(m_picStat, &BottomStrip::cancelRequested, office, &OfficeExports::cancelOffice);
}
