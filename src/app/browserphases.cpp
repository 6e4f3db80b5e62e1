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
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "browse/tabset.h"
#include "browse/tabstrip.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commands/dispatcher.h"
#include "commands/maincatalogue.h"
#include "commands/setcaptions.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/programfiles.h"
#include "config/startlanguage.h"
#include "core/startmarks.h"
#include "core/twips.h"
#include "core/wait.h"
#include "export/officeexports.h"
#include "links/titlesfile.h"
#include "mail/harvester.h"
#include "mail/maillists.h"
#include "platform/desktop.h"
#include "platform/qttranslations.h"
#include "windows/smallwindows.h"

#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QLocale>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// The program's phases after the build: load, deferred, exit.

namespace {

// How soon a request to end, held back by a wait in place, comes back.
constexpr int kExitRetryMs = 100;
// How long at most a request to end waits for a wait in place to end.
constexpr qint64 kExitHoldMs = 2000;

} // namespace

void Browser::start()
{
    // A request to end that comes while the load waits for an answer (its message about a file)
    // closes the message and waits for the load to end: only files read can be written back.
    m_loading = true;
    Form_Load();
    m_loading = false;
    m_loaded = true;
    if (m_exitAfterLoad)
        QMetaObject::invokeMethod(this, &Browser::requestExit, Qt::QueuedConnection);
    StartMarks::mark("load done");
    m_window->showPlaced();
    // Files that exist but could not be read: the run goes on with the defaults, and says so.
    if (!m_startProblems.isEmpty()) {
        QStringList texts;
        for (const TextFile::Result& problem : std::as_const(m_startProblems))
            texts << FileMessages::text(m.Lang_Text, problem);
        m_startProblems.clear();
        m.desktop.report(m_window.get(), texts.join(QLatin1Char('\n')));
    }
}

void Browser::noteProblem(const TextFile::Result& problem)
{
    if (!problem)
        m_startProblems.append(problem);
}

// The load phase: every later step relies on the order of these steps.
void Browser::Form_Load()
{
    m.Today_Str = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));

    TextFile::Result problem;
    const QString options = m.path(ProgramFiles::Options);
    const bool firstStart = !QFileInfo::exists(options);
    OptionsFile::read(options, m.options, Module::makerHomePage(), &problem);
    noteProblem(problem);
    // A first start speaks the desktop's language where a language file offers it; the choice
    // is kept at once.
    if (firstStart) {
        const QString language = StartLanguage::forDesktop(m.dir, QLocale::system().uiLanguages());
        if (language != m.options.Lang_Name) {
            m.options.Lang_Name = language;
            noteProblem(OptionsFile::save(options, m.options));
        }
    }

    // Before any language file says otherwise there are three tabs.
    StartMarks::mark("options read");
    m_tabs->setCount(3);
    StartMarks::mark("views made");
    // The home page is known now: view 0 asks for it at once, so the web engine starts loading
    // it while the bars are built. Its page events arrive only after the load handler, and
    // opening the home page below finds it asked for already.
    m_tabs->view(0)->Navigate(m.options.Home_Page.isEmpty() ? Module::makerHomePage()
                                                            : m.options.Home_Page);
    StartMarks::mark("home page asked");
    if (StartMarks::enabled()) {
        connect(
            m_tabs->view(0), &BrowserView::documentComplete, this,
            [] { StartMarks::mark("first page loaded"); }, Qt::SingleShotConnection);
    }
    Read_Lang();
    StartMarks::mark("language read");
    m_tabs->clearTabUrls();

    m_window->bars().build(m.dir, m.lang.Tab_Width, m_tabs->Tab1(), m.Lang_List);
    StartMarks::mark("bars built");
    applyCaptions();
    StartMarks::mark("captions set");

    problem = {};
    SettingsFile::read(m.path(ProgramFiles::Settings), m.ini, Twips::screenSize(), &problem);
    noteProblem(problem);

    m_window->layout().setBarShown(true);
    checkMarks();
    problem = {};
    m_navigation->Hyst_Read(&problem);
    noteProblem(problem);
    // The program's own settings were read when the program was built; a file that could not be
    // read is told here, once.
    if (const std::optional<TextFile::Result> extra = m.ext.takeProblem())
        noteProblem(*extra);

    StartMarks::mark("settings and history read");
    m_window->bars().bind(m.options.Bar_Style);
    MainCatalogue::applyEnableRules(m_pool, false);
    StartMarks::mark("bars bound");

    m_window->place();
    for (int i = 0; i < m_tabs->count(); ++i)
        m_window->layout().Set_Web(i);
    StartMarks::mark("window placed");

    m_navigation->clearCurUrl();
    m_window->picStat()->setProgress(0);
    m_window->picStat()->setDate(m.Today_Str);
    m_window->picStat()->setDragIcons(m_window->bars().images());

    if (m.options.Home_Page.isEmpty())
        m.options.Home_Page = Module::makerHomePage();
    m_navigation->openHomePage(m.options.Home_Page, /*alreadyAsked=*/true);

    m_window->autoHide().start();
    m_timer4.setInterval(m.timings.deferredStartMs);
    m_timer4.start();
}

// The check marks of the check and option entries, as their records read them.
void Browser::checkMarks()
{
    m_dispatcher->applyCheckMarks(m_pool);
}

// The deferred phase, once, shortly after the load.
void Browser::Timer4_Timer()
{
    // Nothing of the program acts during a wait in place: the step runs after it.
    if (Wait::active()) {
        m_timer4.start();
        return;
    }
    StartMarks::mark("deferred step");
    // The language editor and the input window are loaded hidden and take their captions (before
    // the titles are read: the titles of the file win over the default ones).
    m_deferredDone = true;
    applyCaptions();
    // The link tables can be opened once their titles are known.
    if (const TextFile::Result r =
            TitlesFile::Read_Titles(m.dir, m.Link_Titles, m.Lang_Text[CaptionNo::LinkTableWord]);
        !r)
        m.desktop.report(m_window.get(), FileMessages::text(m.Lang_Text, r));
    // The program ended while the message was shown.
    if (m_exiting)
        return;
    m.Template_Doc = m.path(ProgramFiles::TemplateDoc);
    m.Template_HDoc = m.path(ProgramFiles::TemplateHDoc);
    office().setTemplates(m.Template_Doc, m.Template_HDoc);
    MainCatalogue::applyEnableRules(m_pool, true);
    m_mailLists->emptyAtStart();
#ifdef __GLIBC__
    // The start's temporary data (files read, bars built, the engine's start) leaves free
    // memory amid the heap that the allocator keeps: it goes back to the system, some 6 MiB.
    malloc_trim(0);
#endif
    StartMarks::mark("deferred step done");
    emit deferredStepDone();
}

void Browser::applyCaptions()
{
    // The language editor and the input window exist (hidden) from the deferred start step on:
    // loading them earlier would only delay the first page.
    Set_Captions(m_pool, m.Lang_Text, m.lang, m.options.Lang_Name,
                 m_deferredDone ? m_smallWindows.get() : nullptr);
    // Empty link tables take the language's default title, in memory only.
    m.Link_Titles.applyDefaultTitles(m.Lang_Text[CaptionNo::LinkTableWord], m_titleWords);
    m_window->picStat()->setTexts(m.Lang_Text);
    // Names for screen readers of the parts that show no caption of their own.
    m_window->Text1()->setAccessibleName(m.Lang_Text[CaptionNo::AddressBox]);
    m_tabs->Tab1()->setAccessibleName(m.Lang_Text[CaptionNo::TabStrip]);
    m_findBar->setTexts(m.Lang_Text);
    showDownloadCount();
    if (m_downloadsWindow)
        m_downloadsWindow->setTexts();
}

void Browser::saveOptions()
{
    if (const TextFile::Result r = OptionsFile::save(m.path(ProgramFiles::Options), m.options); !r)
        m.desktop.report(m_window.get(), FileMessages::text(m.Lang_Text, r));
}

void Browser::switchLanguage(const QString& name)
{
    m_titleWords = {m.Lang_Text[CaptionNo::LinkTableWord],
                    CaptionTable::english(CaptionNo::LinkTableWord)};
    for (const QString& language : std::as_const(m.Lang_List)) {
        CaptionTable captions;
        LanguageSettings settings;
        if (LanguageFile::read(m.path(ProgramFiles::languageFile(language)), captions, settings).ok)
            m_titleWords << captions[CaptionNo::LinkTableWord];
    }
    // The page shown keeps its tab's caption; the other tabs' captions are emptied.
    const int shown = m_tabs->selected();
    const QString shownCaption = m_tabs->caption(shown);
    m.options.Lang_Name = name;
    Read_Lang();
    if (shown == m_tabs->selected())
        m_tabs->setCaption(shown, shownCaption);
    // A smaller tab count may have chosen another tab: its view takes the place.
    m_window->layout().Set_Web(m_tabs->selected());
    applyCaptions();
    saveOptions();
}

void Browser::Read_Lang()
{
    const QString wanted = m.path(ProgramFiles::languageFile(m.options.Lang_Name));
    LanguageFile::ReadResult result = LanguageFile::read(wanted, m.Lang_Text, m.lang);
    if (!result.ok) {
        // An unreadable language file falls back to English, and an unreadable English file to
        // the English built into the program. Either way the user is told which file could not
        // be read.
        const QString english = m.path(ProgramFiles::languageFile(QStringLiteral("English")));
        result = LanguageFile::read(english, m.Lang_Text, m.lang);
        if (!result.ok) {
            // Its captions only: the tabs and settings stay as no language file set them.
            LanguageSettings unused;
            LanguageFile::read(QLatin1String(CaptionTable::kBuiltInEnglish), m.Lang_Text, unused);
        }
        m.desktop.report(m_window.get(), FileMessages::languageFileUnreadable(m.Lang_Text, wanted));
    }
    for (const int n : std::as_const(result.tabNumbers))
        m_tabs->setCount(n);
    m_tabs->clearCaptions();
    // Qt's own dialogs and buttons follow at once; a file without a locale gives English ones.
    m_qtTexts->use(m.lang.locale);
}

void Browser::GO_Exit()
{
    if (m_exiting)
        return;
    // Transfers still running end only when the user agrees; otherwise the program goes on.
    if (!m_downloads->mayEnd()) {
        m_window->keepOpen();
        return;
    }
    m_exiting = true;

    const QList<TextFile::Result> failures = saveState();
    m_saveFailed = !failures.isEmpty();
    notSaved(failures);

    // From here on nothing stops the exit.
    if (BrowserView* view = currentView())
        view->Stop();
    m_window->hide();
    // The office kept between exports ends with the program.
    office().quitOffice();
    // The temporary text files go, in whatever letter case they were written.
    for (const QStringView name : {ProgramFiles::HtmlText, ProgramFiles::DocText})
        TextFile::removeEveryCase(m.dir.root(), name.mid(1).toString());
    m_window->autoHide().pause();
    m_timer4.stop();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != m_window.get() && window->isVisible())
            window->close();
    }
    m_exited = true;
    emit exited();
    m_window->close();
}

// The options, the history and the settings, as the exit writes them.
QList<TextFile::Result> Browser::saveState()
{
    QList<TextFile::Result> failures;
    // Before the load has read them, writing the files would replace them with defaults.
    if (!m_loaded)
        return failures;
    if (const TextFile::Result r = OptionsFile::save(m.path(ProgramFiles::Options), m.options); !r)
        failures << r;
    if (const TextFile::Result r = m_navigation->Hyst_Save(); !r)
        failures << r;
    // The frame's top left corner and the inner size.
    const QRect place = Twips::fromPixels(
        QRect(m_window->x(), m_window->y(), m_window->width(), m_window->height()));
    if (const TextFile::Result r = SettingsFile::save(m.path(ProgramFiles::Settings), m.ini, place);
        !r)
        failures << r;
    return failures;
}

void Browser::notSaved(const QList<TextFile::Result>& failures)
{
    if (!failures.isEmpty())
        m.desktop.report(m_window.get(), FileMessages::exitNotSaved(m.Lang_Text, failures));
}

// A request to end from outside (a signal, the session): the other windows close first, each
// keeping what it keeps when the user closes it, then the exit sequence runs. A wait in place
// (an export) ends first: the request comes back shortly after. No one may be there to answer:
// from now on no message waits for a click.
void Browser::requestExit()
{
    if (m_exiting)
        return;
    m.desktop.setUnattended();
    if (m_loading) {
        // The load's message closes as if answered; the load ends, then the exit runs.
        m_exitAfterLoad = true;
        closeOtherWindows();
        return;
    }
    // A short wait in place (a page settling) ends first; a long one (an export waiting for
    // the office) does not hold the end back: the exit ends the export with the office.
    if (Wait::active()) {
        if (!m_exitHeldBack.isValid())
            m_exitHeldBack.start();
        if (m_exitHeldBack.elapsed() < kExitHoldMs) {
            QTimer::singleShot(kExitRetryMs, this, &Browser::requestExit);
            return;
        }
    }
    // Transfers end without a question, and leave no ".part" file.
    m_downloads->cancelAll();
    closeOtherWindows();
    GO_Exit();
}

void Browser::closeOtherWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != m_window.get() && window->isVisible())
            window->close();
    }
}
