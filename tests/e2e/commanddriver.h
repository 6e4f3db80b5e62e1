#pragma once

// Drives the main window's command bars the way a user does: a toolbar entry is a click on its
// button, a menu entry is a click on the toolbar button that opens its menu, then a click on the
// entry in the open menu.

#include "app/frmstart.h"
#include "commandbar/commandbarcontrol.h"
#include "core/wait.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>

namespace CommandDriver {

// Runs step every 10 ms from the event loop (nested loops of menus and dialogs included) until it
// returns true or the tries are used up. The timer is stopped while step runs, so a step that
// opens a modal loop is never entered twice.
class Poller : public QObject {
public:
    Poller(std::function<bool()> step, int tries) : m_step(std::move(step)), m_left(tries)
    {
        m_timer.setInterval(10);
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (m_step() || --m_left <= 0)
                deleteLater();
            else
                m_timer.start();
        });
        m_timer.start();
    }

private:
    QTimer m_timer;
    std::function<bool()> m_step;
    int m_left;
};

inline QPointer<Poller> poll(std::function<bool()> step, int tries = 1000)
{
    return new Poller(std::move(step), tries);
}

// The action of a key in a menu or its submenus.
inline QAction* actionIn(QMenu* menu, const QString& key)
{
    const QList<QAction*> actions = menu->actions();
    for (QAction* action : actions) {
        if (action->objectName() == key && !action->menu())
            return action;
        if (QMenu* sub = action->menu()) {
            if (QAction* found = actionIn(sub, key))
                return found;
        }
    }
    return nullptr;
}

enum class Reached { Missing, Disabled, Activated };

// What a menu held when it was open: the keys of its actions in order.
struct MenuSeen {
    QStringList keys;
    QStringList texts;
    QStringList shortcuts; // the key shown beside each entry, or empty
    QList<bool> checked;
};

// Clicks the button of a control that opens a menu and chooses key in it (an empty key closes
// the menu without a choice). seen, when given, receives what the menu showed; whileOpen runs
// while it is open.
inline Reached chooseIn(CommandBarControl* control, const QString& menuKey, const QString& key,
                        MenuSeen* seen = nullptr, std::function<void()> whileOpen = {})
{
    QToolButton* button = control ? control->button(menuKey) : nullptr;
    if (!button || !button->menu())
        return Reached::Missing;
    auto result = std::make_shared<Reached>(Reached::Missing);
    auto shown = std::make_shared<MenuSeen>();
    const QPointer<Poller> poller = poll([key, result, shown, whileOpen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible())
            return false;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                shown->keys << action->objectName();
                // A menu shows an entry's key after a tab, right-aligned.
                shown->texts << action->text().section(u'\t', 0, 0);
                shown->shortcuts << action->text().section(u'\t', 1);
                shown->checked << action->isChecked();
            }
        }
        if (whileOpen)
            whileOpen();
        QAction* action = key.isEmpty() ? nullptr : actionIn(menu, key);
        if (!action) {
            menu->close();
            return true;
        }
        if (!action->isEnabled()) {
            *result = Reached::Disabled;
            // A click on a disabled entry must not do anything either.
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            if (menu->isVisible())
                menu->close();
            return true;
        }
        *result = Reached::Activated;
        const QRect place = menu->actionGeometry(action);
        if (menu->rect().contains(place)) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, place.center());
        } else {
            // An entry scrolled out of a long menu on a small screen.
            menu->close();
            action->trigger();
        }
        return true;
    });
    QTest::mouseClick(button, Qt::LeftButton);
    // The menu ran its own loop inside the click: a poller still waiting saw no menu, and must
    // not act on a later one.
    delete poller.data();
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (seen)
        *seen = *shown;
    return *result;
}

// The same for the menus of the main toolbar (control 0).
inline Reached chooseInMenu(frmStart& w, const QString& menuKey, const QString& key,
                            MenuSeen* seen = nullptr, std::function<void()> whileOpen = {})
{
    return chooseIn(w.cmdBar(0), menuKey, key, seen, std::move(whileOpen));
}

// The toolbar control (0 or 2) showing a key, or nullptr.
inline CommandBarControl* toolbarOf(frmStart& w, const QString& key)
{
    for (int control : {0, 2}) {
        if (w.cmdBar(control) && w.cmdBar(control)->button(key))
            return w.cmdBar(control);
    }
    return nullptr;
}

// Activates a key: a click on its button in toolbar 0 or 2, or the entry in the menu of its
// prefix ("EDIT:COPY" is in the menu of "EDIT").
inline Reached activate(frmStart& w, const QString& key)
{
    if (CommandBarControl* control = toolbarOf(w, key)) {
        QToolButton* button = control->button(key);
        const bool enabled = button->isEnabled();
        QTest::mouseClick(button, Qt::LeftButton);
        return enabled ? Reached::Activated : Reached::Disabled;
    }
    const qsizetype colon = key.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return Reached::Missing;
    return chooseInMenu(w, key.left(colon), key);
}

// Calls found with the first modal window that opens from now on, once. A window still busy in a
// wait of the program while it is being shown (the print preview draws the page then) is left
// to finish showing first: closed then, its loop would start after it had already ended.
inline void whenModalOpens(std::function<void(QWidget*)> found, int tries = 6000)
{
    poll(
        [found] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || Wait::active())
                return false;
            found(modal);
            return true;
        },
        tries);
}

} // namespace CommandDriver
