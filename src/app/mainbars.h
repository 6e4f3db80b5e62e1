#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

class CommandBarControl;
class CommandEntry;
class CommandPool;
class ImageList;
class ProgramDir;
class QWidget;

// The main window's command-bar controls: 0 shows the main toolbar "STANDARD0", 1 the panel
// "STANDARD1" that hosts the tab strip, 2 the sites toolbar "STANDARD2", and the controls the
// bars ask for (the first one, control 3, shows the drop-down menus). Every control reports to
// the one command handler.
class MainBars : public QObject {
    Q_OBJECT
public:
    MainBars(CommandPool& pool, QWidget* picBar, QWidget* window);
    ~MainBars() override;

    CommandBarControl* control(int i) const;
    const QList<CommandBarControl*>& controls() const { return m_controls; }
    const ImageList& images() const { return *m_images; }

    // Fills the pool and builds the bars once per run, and makes the commands' shortcuts keys
    // of the window; Lang_List receives the languages found.
    void build(const ProgramDir& dir, qint16 Tab_Width, QWidget* Tab1, QStringList& Lang_List);
    // Shows the three bars with the image list and the drawing style.
    void bind(int Bar_Style);
    // The drawing style of controls 0, 1 and 2.
    void setBarStyle(int style);

signals:
    void activated(int control, CommandEntry* entry);
    // The shortcut of an enabled entry was pressed in the window.
    void keyPressed(CommandEntry* entry);
    // The drop-down menu of a toolbar entry is about to show.
    void dropDownOpening(CommandEntry* entry);
    // A drop-down menu opened or closed.
    void menuPaused();
    void menuResumed();

private:
    CommandBarControl* newInstance();
    void attach(CommandBarControl* control);

    CommandPool& m_pool;
    QWidget* m_window;
    std::unique_ptr<ImageList> m_images;
    QList<CommandBarControl*> m_controls;
};
