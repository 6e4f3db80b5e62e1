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
class Module;
class QWebEngineProfile;
class TabSet;

// The main window: the top strip with the command bars, the tab strip and the address box; the
// browser views; the bottom strip with the status text and the progress bar.
class frmStart : public QWidget {
    Q_OBJECT
public:
    explicit frmStart(Module& module, QWidget* parent = nullptr);
    ~frmStart() override;

    // The load handler, then the window is shown.
    void start();

    // The exit sequence; every way of closing the window runs it once.
    void GO_Exit();

    // Navigation.
    void GO_Navigate(int add_history);
    void Save_BookMark();
    void Read_BookMark();
    bool WebAttend();

    // Language.
    void Read_Lang();

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
    QWidget* bar(int i) const { return m_bars[i]; }
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
    void openHomePage();
    void connectView(BrowserView* view);
    void Hyst_Read();
    void Hyst_Add();

    // Page events, shared by every view.
    void onBeforeNavigate(const QUrl& url);
    void onProgressChange(int progress, int maximum);
    void onStatusTextChange(const QString& text);
    void onTitleChange(const QString& text);
    void onDocumentComplete();

    Module& m;
    QWebEngineProfile* m_profile = nullptr;
    QWidget* m_picBar = nullptr;
    QWidget* m_bars[3] = {nullptr, nullptr, nullptr};
    AddressBox* m_address = nullptr;
    BottomStrip* m_picStat = nullptr;
    std::unique_ptr<TabSet> m_tabs;
    QTimer m_timer1;
    QTimer m_timer4;
    bool m_exiting = false;
    bool m_exited = false;
};
