#pragma once

#include "commands/programcommands.h"
#include "core/textfile.h"
#include "export/pageexports.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

class BrowserView;
class CommandPool;
class Downloads;
class DownloadsWindow;
class FindBar;
class Harvester;
class MailLists;
class MainDispatcher;
class Module;
class Navigation;
class PageGuard;
class PagePrinter;
class PageMenu;
class PageStatus;
class QUrl;
class QWebEngineProfile;
class QtTranslations;
class SmallWindows;
class TabSet;
class frmStart;

// The program for one run: it builds the main window and every part the commands act on (the
// tabs, the navigation, the harvester, the mail lists, the exports, the small windows and the
// dispatcher), binds them together and runs them through their phases:
//   build   (constructor)  every part made and connected; nothing is read yet;
//   load    (start)        the files read, the bars built, the window placed and shown;
//   deferred (Timer4)      the captions of the hidden windows, the link titles, the templates;
//   exit    (GO_Exit)      the files written, the other windows closed, the window closed.
class Browser : public QObject, public ProgramCommands {
    Q_OBJECT
public:
    Browser(Module& module, CommandPool& pool);
    ~Browser() override;

    // The load phase, then the window is shown.
    void start();

    // The exit sequence; every way of closing the window runs it once.
    void GO_Exit() override;
    // The end asked for from outside the window (a signal): the other windows close, then
    // GO_Exit runs. A wait in place in progress gets up to two seconds to end first. During the
    // load, its message closes and the exit follows the load. Nothing waits for the user after it.
    void requestExit();
    // Writes the options, the history and the settings; the files that failed. Nothing before
    // the load has read them.
    QList<TextFile::Result> saveState();
    // Whether the exit sequence could not write some of the files.
    bool saveFailed() const { return m_saveFailed; }
    // The message naming the files that could not be saved, when there are any.
    void notSaved(const QList<TextFile::Result>& failures);

    // The commands the program carries out itself.
    void minimize() override;
    void GO_Links() override;
    void setDrawingStyle(int style, CommandEntry* entry) override;
    void autoHideSwitch(CommandEntry* entry) override;
    void switchLanguage(const QString& name) override;
    void setHomePage() override;
    void focusAddressBox() override;

    // The view of the selected tab.
    BrowserView* currentView() const;

    // The parts.
    frmStart& window() const { return *m_window; }
    TabSet& tabs() const { return *m_tabs; }
    Navigation& navigation() const { return *m_navigation; }
    PageStatus& pageStatus() const { return *m_pageStatus; }
    // The logins, certificate errors, permissions and full screen the pages ask for.
    PageGuard& pageGuard() const { return *m_pageGuard; }
    Harvester& harvester() const { return *m_harvester; }
    FindBar* findBar() const { return m_findBar; }
    PageMenu& pageMenu() const { return *m_pageMenu; }
    PageExports& exports() const { return *m_exports; }
    PagePicture& picture() const { return m_exports->picture(); }
    OfficeExports& office() const { return m_exports->office(); }
    SmallWindows& smallWindows() const { return *m_smallWindows; }
    Downloads& downloads() const { return *m_downloads; }
    // The downloads window, shown and raised (the bottom strip's downloads button).
    DownloadsWindow* showDownloads();
    QWebEngineProfile* profile() const { return m_profile; }
    // The timer of the deferred phase.
    const QTimer& Timer4() const { return m_timer4; }
    bool hasExited() const { return m_exited; }

signals:
    void exited();
    // The deferred phase has run.
    void deferredStepDone();

private:
    // The build phase, part by part.
    void buildPageParts();
    void buildExports();
    void buildDownloads();
    void showDownloadCount();
    void buildPageGuard();
    // The load and deferred phases.
    void Form_Load();
    void Timer4_Timer();
    void Read_Lang();
    void applyCaptions();
    void checkMarks();
    void saveOptions();
    void noteProblem(const TextFile::Result& problem);
    void closeOtherWindows();
    void openExternal(const QUrl& url);

    Module& m;
    CommandPool& m_pool;
    QWebEngineProfile* m_profile = nullptr;
    // The window and the parts that live in it (the widgets, and the parts parented to it)
    // go with it, after the pages and the profile.
    std::unique_ptr<frmStart> m_window;
    std::unique_ptr<TabSet> m_tabs;
    Navigation* m_navigation = nullptr;
    PageStatus* m_pageStatus = nullptr;
    PageMenu* m_pageMenu = nullptr;
    std::unique_ptr<PageGuard> m_pageGuard;
    Harvester* m_harvester = nullptr;
    std::unique_ptr<MailLists> m_mailLists;
    PagePrinter* m_printer = nullptr;
    FindBar* m_findBar = nullptr;
    PageExports* m_exports = nullptr;
    std::unique_ptr<SmallWindows> m_smallWindows;
    Downloads* m_downloads = nullptr;
    QPointer<DownloadsWindow> m_downloadsWindow;
    bool m_downloadUnseen = false; // a transfer ended well since the window was last shown
    int m_downloadsDone = 0;
    std::unique_ptr<MainDispatcher> m_dispatcher;
    // Qt's and the engine's own texts in the language of the interface.
    std::unique_ptr<QtTranslations> m_qtTexts;
    QTimer m_timer4;
    QElapsedTimer m_externalReported;
    QElapsedTimer m_exitHeldBack;
    bool m_externalMessageOpen = false;
    QList<TextFile::Result> m_startProblems;
    bool m_deferredDone = false;
    // The words of the link tables' default titles in the languages known at the last switch: an
    // empty table titled with one of them follows the new language, another title stays.
    QStringList m_titleWords;
    bool m_loading = false;
    bool m_loaded = false;
    bool m_exitAfterLoad = false;
    bool m_exiting = false;
    bool m_exited = false;
    bool m_saveFailed = false;
};
