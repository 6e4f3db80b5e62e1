#pragma once

#include "commands/maincommands.h"
#include "core/textfile.h"
#include "export/pageexports.h"
#include "export/screenpicture.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>

class AddressBox;
class AutoHide;
class BottomStrip;
class BrowserView;
class CommandBarControl;
class CommandEntry;
class CommandPool;
class FindBar;
class Harvester;
class ImageList;
class MailLists;
class MainBars;
class MainDispatcher;
class Module;
class Navigation;
class PagePrinter;
class PageStatus;
class QUrl;
class QWebEngineProfile;
class SmallWindows;
class TabSet;
class WindowLayout;

// The main window: the top strip with the command bars, the tab strip and the address box; the
// browser views; the bottom strip with the status text and the progress bar. It owns every part
// for the whole run, starts them in a fixed order and saves their state when it exits.
class frmStart : public QWidget, public MainWindowCommands, public PictureWindow {
    Q_OBJECT
public:
    frmStart(Module& module, CommandPool& pool, QWidget* parent = nullptr);
    ~frmStart() override;

    // The load handler, then the window is shown.
    void start();

    // The exit sequence; every way of closing the window runs it once.
    void GO_Exit() override;
    // The end asked for from outside the window (a signal): the other windows close, then
    // GO_Exit runs. A wait in place in progress gets up to two seconds to end first.
    void requestExit();
    // Writes the options, the history and the settings; the files that failed.
    QList<TextFile::Result> saveState();
    // The message naming the files that could not be saved, when there are any.
    void notSaved(const QList<TextFile::Result>& failures);

    // The commands the window carries out itself.
    void minimize() override;
    void GO_Links() override;
    void setDrawingStyle(int style, CommandEntry* entry) override;
    void autoHideSwitch(CommandEntry* entry) override;
    void switchLanguage(const QString& name) override;
    void setHomePage() override;

    // What the screen picture asks of the window: the bars leave the picture and come back.
    QWidget* window() const override { return const_cast<frmStart*>(this); }
    void hideBars() override;
    void showBars() override;

    // The command handler of all the window's command bars and menus.
    void cmdBar_ButtonClick(int control, CommandEntry* entry);

    // The view of the selected tab.
    BrowserView* currentView() const;
    // The address of the page shown in the current tab.
    QString shownAddress() const;

    // The window's parts, for the exports and for tests.
    TabSet& tabs() const { return *m_tabs; }
    Navigation& navigation() const { return *m_navigation; }
    PageStatus& pageStatus() const { return *m_pageStatus; }
    WindowLayout& layout() const { return *m_layout; }
    AutoHide& autoHide() const { return *m_autoHide; }
    AddressBox* Text1() const { return m_address; }
    BottomStrip* picStat() const { return m_picStat; }
    QWidget* picBar() const { return m_picBar; }
    CommandBarControl* cmdBar(int i) const;
    CommandPool& pool() const { return m_pool; }
    const ImageList& images() const;
    Harvester& harvester() const { return *m_harvester; }
    MailLists& mailLists() const { return *m_mailLists; }
    FindBar* findBar() const { return m_findBar; }
    PageExports& exports() const { return *m_exports; }
    PagePicture& picture() const { return m_exports->picture(); }
    OfficeExports& office() const { return m_exports->office(); }
    SmallWindows& smallWindows() const { return *m_smallWindows; }
    const QTimer& Timer1() const;
    const QTimer& Timer4() const { return m_timer4; }
    QWebEngineProfile* profile() const { return m_profile; }
    bool hasExited() const { return m_exited; }

signals:
    void exited();
    // The deferred start step has run.
    void deferredStepDone();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void Form_Load();
    void Timer4_Timer();
    void Read_Lang();
    void applyCaptions();
    void buildPageParts();
    void buildExports();
    void placeWindow();
    bool wantsWholeScreen() const;
    void coverScreen();
    void checkMarks();
    void saveOptions();
    void noteProblem(const TextFile::Result& problem);
    void openExternal(const QUrl& url);

    Module& m;
    CommandPool& m_pool;
    QWebEngineProfile* m_profile = nullptr;
    QWidget* m_picBar = nullptr;
    MainBars* m_bars = nullptr;
    AddressBox* m_address = nullptr;
    BottomStrip* m_picStat = nullptr;
    std::unique_ptr<TabSet> m_tabs;
    std::unique_ptr<WindowLayout> m_layout;
    AutoHide* m_autoHide = nullptr;
    Navigation* m_navigation = nullptr;
    PageStatus* m_pageStatus = nullptr;
    Harvester* m_harvester = nullptr;
    std::unique_ptr<MailLists> m_mailLists;
    PagePrinter* m_printer = nullptr;
    FindBar* m_findBar = nullptr;
    std::unique_ptr<SmallWindows> m_smallWindows;
    std::unique_ptr<MainDispatcher> m_dispatcher;
    PageExports* m_exports = nullptr;
    QTimer m_timer4;
    QElapsedTimer m_externalReported;
    QElapsedTimer m_exitHeldBack;
    bool m_externalMessageOpen = false;
    QList<TextFile::Result> m_startProblems;
    bool m_coverPending = false;
    bool m_deferredDone = false;
    bool m_exiting = false;
    bool m_exited = false;
};
