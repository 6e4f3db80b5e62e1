#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class CommandBar;
class CommandEntry;
class ImageList;
class QMenu;
class QToolBar;
class QToolButton;

// One command-bar control of a window: shows one bar as a toolbar, opens the drop-down bars of
// its entries as menus and reports what the user activates, with the control's number.
//
// Toolbar entries show their icon with the tooltip as hover text (caption beside the icon when
// the entry asks for it). Menus show icon and caption; check and option entries carry a mark.
// A check entry's mark is toggled before the activation is reported; activating an option entry
// marks it and clears the other options of its bar. Disabled entries cannot be activated.
//
// Menus are reported as coming from a further control that the window hands out on request: the
// first time a menu opens, newInstanceRequest(number) is asked for it, and from then on menu
// activations and the menu pause/resume notifications carry that control's number. Without the
// hook the control reports menus itself.
class CommandBarControl : public QWidget {
    Q_OBJECT
public:
    explicit CommandBarControl(int number, QWidget* parent = nullptr);
    ~CommandBarControl() override;

    // The control's index within its window.
    int number() const { return m_number; }

    CommandBar* bar() const { return m_bar; }
    void setBar(CommandBar* bar);

    // 0 system, 1 office, 2 money, 3 XP; other values draw as system.
    int barStyle() const { return m_style; }
    void setBarStyle(int style);

    const ImageList* imageList() const { return m_images; }
    void setImageList(const ImageList* images);

    // Asked once, when the first menu opens, for the control that shows the menus.
    std::function<CommandBarControl*(int requester)> newInstanceRequest;
    // The control that reports menu activations: the one handed out on request, else this one.
    CommandBarControl* menuHost();

    // Activates an entry as chosen in the given bar: toggles a check entry, marks an option
    // entry, then reports it with this control's number. False when the entry cannot be
    // activated (none, disabled, a separator, a panel, or one that opens a menu).
    bool activate(CommandEntry* entry, CommandBar* bar = nullptr);

    // The toolbar now shown and its button for a key (the first one when the key repeats).
    QToolBar* toolBar() const { return m_toolBar; }
    QToolButton* button(const QString& key) const;

    // Panel widths are kept in twips (1/1440 inch).
    static int twipsToPixels(int twips, int dpi);

signals:
    void activated(int control, CommandEntry* entry);
    // The drop-down menu of the entry is about to show.
    void dropDownOpening(CommandEntry* entry);
    // A drop-down menu opened / closed.
    void menuPaused(int control);
    void menuResumed(int control);

private:
    struct HostedPanel {
        QPointer<QWidget> control;
        QPointer<QWidget> formerParent;
    };

    void rebuild();
    void scheduleRebuild();
    void releasePanels();
    void addEntry(CommandEntry* entry);
    void addPanel(CommandEntry* entry);
    QToolButton* addButton(CommandEntry* entry);
    void updateButton(QToolButton* button, CommandEntry* entry) const;
    void fillMenu(QMenu* menu, CommandBar* bar, QList<const CommandBar*> path);
    QIcon iconOf(int index) const;

    const int m_number;
    QPointer<CommandBar> m_bar;
    int m_style = 0;
    const ImageList* m_images = nullptr;
    QToolBar* m_toolBar = nullptr;
    QList<HostedPanel> m_panels;
    QPointer<CommandBarControl> m_menuHost;
    bool m_hostDeclined = false;
    bool m_rebuildPending = false;
};
