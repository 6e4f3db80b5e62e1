#pragma once

#include "export/screenpicture.h"

#include <QWidget>

#include <memory>

class AddressBox;
class AutoHide;
class BottomStrip;
class CommandBarControl;
class CommandPool;
class MainBars;
class Module;
class TabSet;
class WindowLayout;

// The main window: the top strip with the command bars, the tab strip and the address box; the
// browser views; the bottom strip with the status text and the progress bar. It places its parts
// whenever it changes, hides and shows its bars, and answers its own events; what the commands
// act on belongs to the program (Browser), which builds the window first.
class frmStart : public QWidget, public PictureWindow {
    Q_OBJECT
public:
    frmStart(Module& module, CommandPool& pool, QWidget* parent = nullptr);
    ~frmStart() override;

    // The second step of the build: the tab set's strip and views take their places in the
    // window (the tab set is made once the window and its bars exist).
    void holdTabs(TabSet& tabs);
    // Where the settings put the window, before it is shown.
    void place();
    // Shows the window; a window that covers the screen covers it again once its frame is known.
    void showPlaced();
    // The window covers the screen; every view keeps the place of the current one.
    void coverScreen();

    // The parts the program connects its own to.
    MainBars& bars() const { return *m_bars; }
    CommandBarControl* cmdBar(int i) const;
    AddressBox* Text1() const { return m_address; }
    BottomStrip* picStat() const { return m_picStat; }
    QWidget* picBar() const { return m_picBar; }
    WindowLayout& layout() const { return *m_layout; }
    AutoHide& autoHide() const { return *m_autoHide; }

    // What the screen picture asks of the window: the bars leave the picture and come back.
    QWidget* window() const override { return const_cast<frmStart*>(this); }
    void hideBars() override;
    void showBars() override;
    // Called while the window is closing: it stays open (the user chose to go on).
    void keepOpen() { m_keepOpen = true; }

signals:
    // The window is about to close (its frame, the desktop, the exit): the exit sequence runs
    // before it does.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    bool wantsWholeScreen() const;

    Module& m;
    bool m_keepOpen = false;
    QWidget* m_picBar = nullptr;
    MainBars* m_bars = nullptr;
    AddressBox* m_address = nullptr;
    BottomStrip* m_picStat = nullptr;
    TabSet* m_tabs = nullptr;
    std::unique_ptr<WindowLayout> m_layout;
    AutoHide* m_autoHide = nullptr;
    bool m_coverPending = false;
};
