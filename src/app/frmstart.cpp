#include "app/frmstart.h"

#include "app/autohide.h"
#include "app/bottomstrip.h"
#include "app/mainbars.h"
#include "app/mainlayout.h"
#include "app/module.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "browse/pageprinter.h"
#include "browse/pagestatus.h"
#include "browse/sitename.h"
#include "browse/tabset.h"
#include "browse/tabstrip.h"
#include "browse/webprofile.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commands/dispatcher.h"
#include "commands/maincatalogue.h"
#include "commands/setcaptions.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/programfiles.h"
#include "core/twips.h"
#include "core/wait.h"
#include "export/officeexports.h"
#include "export/pagepicture.h"
#include "export/screenpicture.h"
#include "links/titlesfile.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "platform/desktop.h"
#include "windows/frmtab.h"
#include "windows/smallwindows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QScreen>
#include <QWebEngineProfile>

namespace {

// How soon a request to end, held back by a wait in place, comes back.
constexpr int kExitRetryMs = 100;
// How long at most a request to end waits for a wait in place to end.
constexpr qint64 kExitHoldMs = 2000;

} // namespace

frmStart::frmStart(Module& module, CommandPool& pool, QWidget* parent)
    : QWidget(parent), m(module), m_pool(pool)
{
    setObjectName(QStringLiteral("frmStart"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 200);

    m_profile = WebProfile::create(m.path(ProgramFiles::EngineFolder), nullptr);

    m_picBar = new QWidget(this);
    m_picBar->setObjectName(QStringLiteral("picBar"));
    m_bars = new MainBars(m_pool, m_picBar, this);
    m_picStat = new BottomStrip(this, this);
    m_tabs = std::make_unique<TabSet>(m_profile, this, m_bars->control(1));
    // The address box lies over control 1, right of the tab strip it hosts.
    m_address = new AddressBox(m_picBar);

    m_layout = std::make_unique<WindowLayout>(
        WindowLayout::Parts{this, m_picBar, m_bars->controls().mid(0, 3), m_address, m_picStat,
                            m_tabs.get()},
        m.Lang_Text);
    m_tabs->relayout = [this] { m_layout->Form_Resize(); };
    m_autoHide = new AutoHide(*m_layout, *this, m.options, m.timings, this);

    m_navigation = new Navigation(*m_tabs, *m_address, m.lang, m.dir, this);
    connect(m_address, &AddressBox::enterPressed, this, [this] { m_navigation->GO_Navigate(1); });
    connect(m_address, &AddressBox::itemChosen, this, [this] { m_navigation->GO_Navigate(1); });
    connect(m_address, &AddressBox::focusReceived, m_autoHide, &AutoHide::pause);
    connect(m_navigation, &Navigation::navigated, m_autoHide, &AutoHide::resume);

    buildPageParts();
    m_printer = new PagePrinter(this);
    m_findBar = new FindBar(this);
    buildExports();
    m_smallWindows = std::make_unique<SmallWindows>(SmallWindows::Context{
        m_pool, m.Lang_Text, m.options, m.dir, m.desktop, m_bars->images(), this});
    m_dispatcher = std::make_unique<MainDispatcher>(MainCommandTargets{
        *this, this, *m_tabs, *m_navigation, *m_printer, *m_findBar, *m_harvester, *m_mailLists,
        m.desktop, m.dir, m.lang, m.options, m.Lang_Text, *m_exports, *m_smallWindows});
    connect(m_bars, &MainBars::activated, this, &frmStart::cmdBar_ButtonClick);
    connect(m_bars, &MainBars::menuPaused, m_autoHide, &AutoHide::pause);
    connect(m_bars, &MainBars::menuResumed, m_autoHide, &AutoHide::resume);

    m_timer4.setObjectName(QStringLiteral("Timer4"));
    m_timer4.setSingleShot(true);
    connect(&m_timer4, &QTimer::timeout, this, &frmStart::Timer4_Timer);
}

frmStart::~frmStart()
{
    // The pages must go before the profile they use.
    for (BrowserView* view : m_tabs->Web())
        delete view->widget();
    m_tabs.reset();
    delete m_profile;
}

void frmStart::start()
{
    Form_Load();
    show();
    // The frame is known only once the window manager has framed the shown window: the window
    // covers the screen now, and again when its frame arrives (moveEvent).
    if (wantsWholeScreen()) {
        coverScreen();
        m_coverPending = frameGeometry() == geometry();
    }
    m_layout->Form_Resize();
    // Files that exist but could not be read: the run goes on with the defaults, and says so.
    if (!m_startProblems.isEmpty()) {
        QStringList texts;
        for (const TextFile::Result& problem : std::as_const(m_startProblems))
            texts << FileMessages::text(m.Lang_Text, problem);
        m_startProblems.clear();
        m.desktop.report(this, texts.join(QLatin1Char('\n')));
    }
}

void frmStart::noteProblem(const TextFile::Result& problem)
{
    if (!problem)
        m_startProblems.append(problem);
}

// The load handler: every later step relies on the order of these steps.
void frmStart::Form_Load()
{
    m.Today_Str = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

    TextFile::Result problem;
    OptionsFile::read(m.path(ProgramFiles::Options), m.options, Module::makerHomePage(), &problem);
    noteProblem(problem);

    // Before any language file says otherwise there are three tabs.
    m_tabs->setCount(3);
    // The home page is known now: view 0 asks for it at once, so the web engine starts loading
    // it while the bars are built. Its page events arrive only after the load handler, and
    // opening the home page below finds it asked for already.
    m_tabs->view(0)->Navigate(m.options.Home_Page.isEmpty() ? Module::makerHomePage()
                                                            : m.options.Home_Page);
    Read_Lang();
    m_tabs->clearTabUrls();

    m_bars->build(m.dir, m.lang.Tab_Width, m_tabs->Tab1(), m.Lang_List);
    applyCaptions();

    problem = {};
    SettingsFile::read(m.path(ProgramFiles::Settings), m.ini, Twips::screenSize(), &problem);
    noteProblem(problem);

    m_layout->setBarShown(true);
    checkMarks();
    problem = {};
    m_navigation->Hyst_Read(&problem);
    noteProblem(problem);

    m_bars->bind(m.options.Bar_Style);
    MainCatalogue::applyEnableRules(m_pool, false);

    placeWindow();
    for (int i = 0; i < m_tabs->count(); ++i)
        m_layout->Set_Web(i);

    m_navigation->clearCurUrl();
    m_picStat->setProgress(0);
    m_picStat->setDate(m.Today_Str);
    m_picStat->setDragIcons(m_bars->images());

    if (m.options.Home_Page.isEmpty())
        m.options.Home_Page = Module::makerHomePage();
    m_navigation->openHomePage(m.options.Home_Page, /*alreadyAsked=*/true);

    m_autoHide->start();
    m_timer4.setInterval(m.timings.deferredStartMs);
    m_timer4.start();
}

// The check marks of the auto-hide switch and of the drawing style in use.
void frmStart::checkMarks()
{
    if (CommandEntry* floating = m_pool.entry(MainCatalogue::autoHideKey()))
        floating->setChecked(m.options.Float_Bar != 0);
    if (CommandEntry* otherSites = m_pool.entry(MainCatalogue::otherSiteFramesKey()))
        otherSites->setChecked(m_harvester->otherSiteFrames());
    if (CommandEntry* style = m_pool.entry(MainCatalogue::drawingStyleKey(m.options.Bar_Style)))
        style->setChecked(true);
}

// The deferred start step, once, shortly after the load.
void frmStart::Timer4_Timer()
{
    // Nothing of the program acts during a wait in place: the step runs after it.
    if (Wait::active()) {
        m_timer4.start();
        return;
    }
    // The language editor and the input window are loaded hidden and take their captions (before
    // the titles are read: the titles of the file win over the default ones).
    m_deferredDone = true;
    applyCaptions();
    // The link tables can be opened once their titles are known.
    if (const TextFile::Result r =
            TitlesFile::Read_Titles(m.dir, m.Link_Titles, m.Lang_Text[CaptionNo::LinkTableWord]);
        !r)
        m.desktop.report(this, FileMessages::text(m.Lang_Text, r));
    m.Template_Doc = m.path(ProgramFiles::TemplateDoc);
    m.Template_HDoc = m.path(ProgramFiles::TemplateHDoc);
    office().setTemplates(m.Template_Doc, m.Template_HDoc);
    MainCatalogue::applyEnableRules(m_pool, true);
    m_mailLists->emptyAtStart();
    emit deferredStepDone();
}

CommandBarControl* frmStart::cmdBar(int i) const
{
    return m_bars->control(i);
}

const ImageList& frmStart::images() const
{
    return m_bars->images();
}

const QTimer& frmStart::Timer1() const
{
    return m_autoHide->Timer1();
}

void frmStart::cmdBar_ButtonClick(int control, CommandEntry* entry)
{
    m_dispatcher->dispatch(control, entry);
}

void frmStart::applyCaptions()
{
    // The language editor and the input window exist (hidden) from the deferred start step on:
    // loading them earlier would only delay the first page.
    Set_Captions(m_pool, m.Lang_Text, m.lang, m.options.Lang_Name,
                 m_deferredDone ? m_smallWindows.get() : nullptr);
    // Empty link tables take the language's default title, in memory only.
    m.Link_Titles.applyDefaultTitles(m.Lang_Text[CaptionNo::LinkTableWord]);
    m_picStat->setTexts(m.Lang_Text);
    // Names for screen readers of the parts that show no caption of their own.
    m_address->setAccessibleName(m.Lang_Text[CaptionNo::AddressBox]);
    m_tabs->Tab1()->setAccessibleName(m.Lang_Text[CaptionNo::TabStrip]);
    m_findBar->setTexts(m.Lang_Text);
}

void frmStart::saveOptions()
{
    if (const TextFile::Result r = OptionsFile::save(m.path(ProgramFiles::Options), m.options); !r)
        m.desktop.report(this, FileMessages::text(m.Lang_Text, r));
}

void frmStart::switchLanguage(const QString& name)
{
    m.options.Lang_Name = name;
    Read_Lang();
    // A smaller tab count may have chosen another tab: its view takes the place.
    m_layout->Set_Web(m_tabs->selected());
    applyCaptions();
    saveOptions();
}

void frmStart::setDrawingStyle(int style, CommandEntry* entry)
{
    m.options.Bar_Style = static_cast<qint16>(style);
    if (entry)
        entry->setChecked(true);
    m_bars->setBarStyle(style);
}

void frmStart::autoHideSwitch(CommandEntry* entry)
{
    m_autoHide->setEnabled(entry && entry->checked());
}

void frmStart::setHomePage()
{
    m.options.Home_Page = m_navigation->addressText();
    saveOptions();
}

// The bars leave the picture whatever auto-hide shows now, and the page takes their place.
void frmStart::hideBars()
{
    m_layout->setBarShown(true);
    m_picStat->hide();
    m_layout->GO_BarOff();
}

void frmStart::showBars()
{
    m_picStat->show();
    m_layout->setBarShown(false);
    m_layout->GO_BarOn();
    update();
}

void frmStart::minimize()
{
    showMinimized();
}

// The link-table window, modal; the address picked there opens in the current view, outside
// the history.
void frmStart::GO_Links()
{
    QString picked;
    {
        const LinkWindowsSetup setup{
            m.dir,         m.desktop,       m.Lang_Text,      m_pool,
            m.Link_Titles, m.ini.linkTable, m.ini.linkEditor, m.lang.Lang_Code};
        // The title and address of the same page: the one the current tab shows.
        const BrowserView* view = currentView();
        const ShownPage page{view ? view->LocationName() : m_pageStatus->Page_Title(),
                             shownAddress(), m_navigation->addressText(), m.Today_Str};
        frmTab window(setup, page, this);
        window.exec();
        picked = window.Picked_URL();
    }
    m_navigation->openPicked(picked);
}

// The address of the page the current tab shows: after Back, Forward or a followed link it is
// no longer the address last typed (Cur_URL), which serves only while the view shows nothing.
QString frmStart::shownAddress() const
{
    const BrowserView* view = currentView();
    const QString shown = view ? view->LocationURL() : QString();
    return shown.isEmpty() ? m_navigation->Cur_URL() : shown;
}

void frmStart::Read_Lang()
{
    const QString wanted = m.path(ProgramFiles::languageFile(m.options.Lang_Name));
    LanguageFile::ReadResult result = LanguageFile::read(wanted, m.Lang_Text, m.lang);
    if (!result.ok) {
        // An unreadable language file falls back to English; without English the captions stay
        // empty. Either way the user is told which file could not be read.
        const QString english = m.path(ProgramFiles::languageFile(QStringLiteral("English")));
        result = LanguageFile::read(english, m.Lang_Text, m.lang);
        if (!result.ok)
            m.Lang_Text.clear();
        m.desktop.report(this, FileMessages::languageFileUnreadable(m.Lang_Text, wanted));
    }
    for (const int n : std::as_const(result.tabNumbers))
        m_tabs->setCount(n);
    m_tabs->clearCaptions();
}

void frmStart::GO_Exit()
{
    if (m_exiting)
        return;
    m_exiting = true;

    notSaved(saveState());

    // From here on nothing stops the exit.
    if (BrowserView* view = currentView())
        view->Stop();
    hide();
    // The office kept between exports ends with the program.
    office().quitOffice();
    // The temporary text files go, in whatever letter case they were written.
    for (const QStringView name : {ProgramFiles::HtmlText, ProgramFiles::DocText})
        TextFile::removeEveryCase(m.dir.root(), name.mid(1).toString());
    m_autoHide->pause();
    m_timer4.stop();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
    m_exited = true;
    emit exited();
    close();
}

// The options, the history and the settings, as the exit writes them.
QList<TextFile::Result> frmStart::saveState()
{
    QList<TextFile::Result> failures;
    if (const TextFile::Result r = OptionsFile::save(m.path(ProgramFiles::Options), m.options); !r)
        failures << r;
    if (const TextFile::Result r = m_navigation->Hyst_Save(); !r)
        failures << r;
    // The frame's top left corner and the inner size.
    const QRect place = Twips::fromPixels(QRect(x(), y(), width(), height()));
    if (const TextFile::Result r = SettingsFile::save(m.path(ProgramFiles::Settings), m.ini, place);
        !r)
        failures << r;
    return failures;
}

void frmStart::notSaved(const QList<TextFile::Result>& failures)
{
    if (!failures.isEmpty())
        m.desktop.report(this, FileMessages::exitNotSaved(m.Lang_Text, failures));
}

// A request to end from outside (a signal, the session): the other windows close first, each
// keeping what it keeps when the user closes it, then the exit sequence runs. A wait in place
// (an export) ends first: the request comes back shortly after.
void frmStart::requestExit()
{
    if (m_exiting)
        return;
    // A short wait in place (a page settling) ends first; a long one (an export waiting for
    // the office) does not hold the end back: the exit ends the export with the office.
    if (Wait::active()) {
        if (!m_exitHeldBack.isValid())
            m_exitHeldBack.start();
        if (m_exitHeldBack.elapsed() < kExitHoldMs) {
            QTimer::singleShot(kExitRetryMs, this, &frmStart::requestExit);
            return;
        }
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this && window->isVisible())
            window->close();
    }
    GO_Exit();
}

void frmStart::closeEvent(QCloseEvent* event)
{
    GO_Exit();
    event->accept();
}

BrowserView* frmStart::currentView() const
{
    return m_tabs->current();
}
