#pragma once

#include "commandbar/commandrecord.h"
#include "commandbar/imagelist.h"
#include "core/programdir.h"
#include "links/linktable.h"
#include "windows/linkwindows.h"

#include <QDialog>
#include <QString>

#include <array>

class CaptionTable;
class CommandBarControl;
class CommandEntry;
class CommandPool;
class Desktop;
class LinkGridView;
class LinkStrip;
class LinkTitles;
class MoveHandle;
class QLabel;
class QLineEdit;
class frmEDit;
struct WindowPlace;

// The link-table window: 105 tables as tabs on seven strips of fifteen, the entries of the
// selected table in a grid, and the table commands on two command bars. Shown modally over the
// main window; it closes with nothing chosen or with the address of one entry in Picked_URL.
class frmTab : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStrips = 7;
    static constexpr int kTabsPerStrip = 15;

    frmTab(const LinkWindowsSetup& setup, const ShownPage& page, QWidget* parent = nullptr);
    ~frmTab() override;

    // The address of the entry chosen with "GOURL", empty when none was.
    const QString& Picked_URL() const { return m_pickedUrl; }

    // The window's commands, in bars "TAB0" and "TAB1".
    static std::span<const WindowCommand<frmTab>> commands();
    // Adds the window's entries to the pool (they exist from start-up on, beside the main
    // window's).
    static void addCommands(CommandPool& pool);

    // The command handler of the window's two command bars.
    void cmdBar_ButtonClick(int control, CommandEntry* entry);
    // Closes the window: remembers its place, stores a typed title and hides.
    void GO_Exit();

    // The window's parts, for tests.
    LinkTable& table() { return m_table; }
    LinkStrip* TabF(int strip) const { return m_strips.at(static_cast<size_t>(strip)); }
    LinkGridView* GridList() const { return m_grid; }
    QLineEdit* Text1() const { return m_titleBox; }
    QLabel* Label1() const { return m_label; }
    MoveHandle* lblMove() const { return m_move; }
    QWidget* PicLab() const { return m_picLab; }
    CommandBarControl* cmdBar(int i) const { return i == 0 ? m_bar0 : i == 1 ? m_bar1 : nullptr; }
    int Cur_Strip() const { return m_curStrip; }
    bool Title_Edit() const { return m_titleEdit; }
    int Edit_Row() const { return m_editRow; }
    // The entry editor while it is open, else nullptr.
    frmEDit* editor() const { return m_editor; }

    // The window's design size, in twips.
    static QSize designSize() { return QSize(16200, 10200); }
    // Its size when it was never placed: the design size, wider where the tables' titles need it
    // (up to nine tenths of the screen), in twips.
    QSize defaultSize() const;
    // The narrowest inner width at which the window lays its controls out again.
    static constexpr int kLayoutWidthTwips = 13400;

signals:
    // The entry editor has been loaded and is about to be shown.
    void editorOpened(frmEDit* editor);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void exitWindow(frmTab& window, CommandEntry*);
    void Form_Load();
    void Form_Resize();
    void layoutControls(int width, int height);
    void buildBars();
    void Load_Group();
    void showTitle(int strip, int tab);
    void fitTabTitles();
    void GO_SetImg();
    void selectTab(int strip, int tab);
    void addUrl();
    void Edit_URL();
    void goUrl();
    void openHelp();
    void titleSwitch();
    void titleEntered();
    void closeTitleBox();
    void gridActivated();
    void setTabOrder();
    void report(const TextFile::Result& result)
    {
        LinkWindows::reportProblem(m_setup, this, result);
    }

    LinkWindowsSetup m_setup;
    ShownPage m_page;
    ImageList m_images;
    LinkTable m_table;
    QWidget* m_picLab = nullptr;
    CommandBarControl* m_bar0 = nullptr;
    CommandBarControl* m_bar1 = nullptr;
    QLineEdit* m_titleBox = nullptr;
    QLabel* m_label = nullptr;
    MoveHandle* m_move = nullptr;
    std::array<LinkStrip*, kStrips> m_strips{};
    LinkGridView* m_grid = nullptr;
    frmEDit* m_editor = nullptr;
    QString m_pickedUrl;
    int m_curStrip = 0;
    int m_editRow = 0;
    bool m_titleEdit = false;
    bool m_tabsReady = false;
    bool m_exiting = false;
};
