#pragma once

#include "app/textfile.h"

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

class AddressBox;
class BottomStrip;
class BrowserView;
class CommandBarControl;
class CommandEntry;
class CommandPool;
class FindBar;
class Harvester;
class ImageList;
class MainDispatcher;
class MailLists;
class Module;
class PagePrinter;
class QWebEngineProfile;
class TabSet;

// The main window: the top strip with the command bars, the tab strip and the address box; the
// browser views; the bottom strip with the status text and the progress bar.
class frmStart : public QWidget {
    Q_OBJECT
public:
    frmStart(Module& module, CommandPool& pool, QWidget* parent = nullptr);
    ~frmStart() override;

    // The load handler, then the window is shown.
    void start();

    // The exit sequence; every way of closing the window runs it once.
    void GO_Exit();

    // The command handler of all the window's command bars and menus.
    void cmdBar_ButtonClick(int control, CommandEntry* entry);

    // Navigation.
    void GO_Navigate(int add_history);
    void GO_Links();
    void Save_BookMark();
    void Read_BookMark();
    bool WebAttend();

    // Language.
    void Read_Lang();
    void applyCaptions();
    void switchLanguage(const QString& name);

    // Commands carried out by the window.
    void setDrawingStyle(int style, CommandEntry* entry);
    void autoHideSwitch(CommandEntry* entry);
    void setHomePage();
    void printPage();
    void printPreview();
    void pageSetup();
    void pageProperties();
    void findInPage();
    void deleteSelection();

    // Layout.
    void Form_Resize();
    void Set_Web(int i);
    void GO_BarOff();
    void GO_BarOn();

    // The view of the selected tab.
    BrowserView* currentView() const;

    // Shared state of the window.
    QString Cur_URL;
    QString Mark_URL;
    QString Picked_URL;
    QString Page_Title;
    bool Bar_Shown = true;
    int No_Resize = 0;
    int Was_Min = 0;

    // Controls and timers, for the command handler and for tests.
    TabSet& tabs() const { return *m_tabs; }
    AddressBox* Text1() const { return m_address; }
    BottomStrip* picStat() const { return m_picStat; }
    QWidget* picBar() const { return m_picBar; }
    CommandBarControl* cmdBar(int i) const;
    CommandPool& pool() const { return m_pool; }
    const ImageList& images() const { return *m_images; }
    Module& module() const { return m; }
    Harvester& harvester() const { return *m_harvester; }
    MailLists& mailLists() const { return *m_mailLists; }
    FindBar* findBar() const { return m_findBar; }
    QTimer& Timer1() { return m_timer1; }
    QTimer& Timer4() { return m_timer4; }
    QWebEngineProfile* profile() const { return m_profile; }
    bool hasExited() const { return m_exited; }

signals:
    void exited();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void Timer4_Timer();
    void Timer1_Timer();
    void placeWindow();
    void coverScreen();
    void openHomePage();
    void connectView(BrowserView* view);
    void Hyst_Read();
    void Hyst_Add();
    void buildCommandBars();
    void bindCommandBars();
    CommandBarControl* newInstance(int requester);
    void attachControl(CommandBarControl* control);

    // Page events, shared by every view.
    void onBeforeNavigate(const QUrl& url);
    void onProgressChange(int progress, int maximum);
    void onStatusTextChange(const QString& text);
    void onTitleChange(const QString& text);
    void onDocumentComplete();

    Module& m;
    CommandPool& m_pool;
    std::unique_ptr<ImageList> m_images;
    QWebEngineProfile* m_profile = nullptr;
    QWidget* m_picBar = nullptr;
    QList<CommandBarControl*> m_bars; // controls 0, 1, 2 and those made on request
    AddressBox* m_address = nullptr;
    BottomStrip* m_picStat = nullptr;
    std::unique_ptr<TabSet> m_tabs;
    Harvester* m_harvester = nullptr;
    std::unique_ptr<MailLists> m_mailLists;
    PagePrinter* m_printer = nullptr;
    FindBar* m_findBar = nullptr;
    std::unique_ptr<MainDispatcher> m_dispatcher;
    QTimer m_timer1;
    QTimer m_timer4;
    bool m_exiting = false;
    bool m_exited = false;
};
