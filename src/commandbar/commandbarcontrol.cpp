#include "commandbar/commandbarcontrol.h"

#include "commandbar/barstyles.h"
#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "commandbar/imagelist.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QHoverEvent>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// What a toolbar button was built for; when it changes the toolbar is built again.
struct ButtonShape {
    bool dropDown = false;
    bool checkable = false;
};

ButtonShape shapeOf(const CommandEntry* entry)
{
    return {entry->dropDown() != nullptr,
            entry->style() == EntryStyle::Check || entry->style() == EntryStyle::Option};
}

const char kShapeDropDown[] = "quorvinkDropDown";
const char kShapeCheckable[] = "quorvinkCheckable";

// The spoken name of a toolbar button: the text it shows, or its hover text for an icon.
QString accessibleNameOf(const CommandEntry* entry)
{
    const QString& shown = entry->captionInBar() ? entry->caption() : entry->tooltip();
    const QString& other = entry->captionInBar() ? entry->tooltip() : entry->caption();
    return shown.isEmpty() ? other : shown;
}

void updateAction(QAction* action, const CommandEntry* entry, const QIcon& icon)
{
    // The menu shows the text after a tab as the entry's key, right-aligned. The key itself
    // belongs to the window (WindowShortcuts), so that it works while the menu is closed.
    const QList<QKeySequence>& keys = entry->shortcuts();
    action->setText(keys.isEmpty() ? entry->caption()
                                   : entry->caption() + u'\t' +
                                         keys.first().toString(QKeySequence::NativeText));
    action->setIcon(icon);
    action->setToolTip(entry->tooltip());
    action->setStatusTip(entry->tooltip());
    action->setEnabled(entry->enabled());
    const bool checkable =
        entry->style() == EntryStyle::Check || entry->style() == EntryStyle::Option;
    action->setCheckable(checkable);
    if (checkable)
        action->setChecked(entry->checked());
}

// A button whose menu has closed is drawn plain unless the mouse is over it now. The menu held the
// mouse while it was open (and a window that a choice opened may have held it after), so the
// button was never told that the mouse had left it.
void settleHover(QToolButton* button)
{
    if (!button || !button->isVisible())
        return;
    button->setDown(false);
    const QPoint at = button->mapFromGlobal(QCursor::pos());
    if (button->underMouse() && !button->rect().contains(at)) {
        button->setAttribute(Qt::WA_UnderMouse, false);
        QHoverEvent hoverLeave(QEvent::HoverLeave, QPointF(-1, -1), QCursor::pos(), at);
        QCoreApplication::sendEvent(button, &hoverLeave);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
    }
    button->update();
}

// Once the loop is back from the menu, and from whatever a choice in it opened.
void settleHoverSoon(QToolButton* button)
{
    QTimer::singleShot(0, button, [button] { settleHover(button); });
}

} // namespace

CommandBarControl::CommandBarControl(int number, QWidget* parent)
    : QWidget(parent), m_number(number)
{
    // Activations may be queued or recorded by receivers that need the type by name.
    qRegisterMetaType<CommandEntry*>();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    rebuild();
}

CommandBarControl::~CommandBarControl()
{
    releasePanels();
}

void CommandBarControl::setBar(CommandBar* bar)
{
    if (m_bar)
        disconnect(m_bar, nullptr, this, nullptr);
    m_bar = bar;
    if (m_bar)
        connect(m_bar, &CommandBar::contentChanged, this, &CommandBarControl::scheduleRebuild);
    rebuild();
}

void CommandBarControl::setBarStyle(int style)
{
    m_style = BarStyles::normalized(style);
    setStyleSheet(BarStyles::styleSheet(m_style));
}

void CommandBarControl::setImageList(const ImageList* images)
{
    m_images = images;
    // A control without a bar shows no entry, and so no icon.
    if (m_bar)
        rebuild();
}

CommandBarControl* CommandBarControl::menuHost()
{
    if (!m_menuHost && !m_hostDeclined && newInstanceRequest) {
        m_menuHost = newInstanceRequest(m_number);
        m_hostDeclined = m_menuHost.isNull();
    }
    return m_menuHost ? m_menuHost.data() : this;
}

bool CommandBarControl::activate(CommandEntry* entry, CommandBar* bar)
{
    if (!entry || !entry->enabled() || entry->dropDown())
        return false;
    switch (entry->style()) {
    case EntryStyle::Separator:
    case EntryStyle::Panel:
        return false;
    case EntryStyle::Check:
        entry->setChecked(!entry->checked());
        break;
    case EntryStyle::Option:
        if (bar)
            bar->markOption(entry);
        else
            entry->setChecked(true);
        break;
    case EntryStyle::Normal:
        break;
    }
    emit activated(m_number, entry);
    return true;
}

QToolButton* CommandBarControl::button(const QString& key) const
{
    return m_toolBar ? m_toolBar->findChild<QToolButton*>(key, Qt::FindDirectChildrenOnly)
                     : nullptr;
}

int CommandBarControl::twipsToPixels(int twips, int dpi)
{
    return int((qint64(twips) * dpi + 720) / 1440);
}

QIcon CommandBarControl::iconOf(int index) const
{
    return m_images ? m_images->icon(index) : QIcon();
}

void CommandBarControl::scheduleRebuild()
{
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_rebuildPending)
            rebuild();
    });
}

void CommandBarControl::releasePanels()
{
    for (const HostedPanel& panel : std::as_const(m_panels)) {
        // While hosted, the panel belongs to the bar; it goes back to its own window if that
        // still exists, and otherwise ends with the bar.
        if (panel.control && panel.formerParent) {
            panel.control->hide();
            panel.control->setParent(panel.formerParent);
        }
    }
    m_panels.clear();
}

void CommandBarControl::rebuild()
{
    m_rebuildPending = false;
    releasePanels();
    if (m_toolBar) {
        // A button of the old toolbar may be the sender of the signal being handled (or show a
        // menu in a nested loop): hide the old toolbar now, delete it when the loop is back.
        for (QObject* child : m_toolBar->children())
            child->setObjectName(QString());
        m_toolBar->hide();
        layout()->removeWidget(m_toolBar);
        m_toolBar->deleteLater();
    }
    m_toolBar = new QToolBar(this);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(ImageList::kIconSize, ImageList::kIconSize));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    layout()->addWidget(m_toolBar);
    if (m_bar) {
        m_toolBar->setWindowTitle(m_bar->title());
        for (CommandEntry* entry : m_bar->entries())
            addEntry(entry);
    }
}

void CommandBarControl::addEntry(CommandEntry* entry)
{
    switch (entry->style()) {
    case EntryStyle::Separator:
        m_toolBar->addSeparator()->setObjectName(entry->key());
        break;
    case EntryStyle::Panel:
        addPanel(entry);
        break;
    default:
        addButton(entry);
        break;
    }
}

void CommandBarControl::addPanel(CommandEntry* entry)
{
    auto* holder = new QWidget;
    holder->setObjectName(entry->key());
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    holder->setFixedWidth(twipsToPixels(entry->panelWidth(), logicalDpiX()));
    if (QWidget* control = entry->panelControl()) {
        m_panels.append(HostedPanel{control, control->parentWidget()});
        layout->addWidget(control);
        control->show();
    }
    m_toolBar->addWidget(holder);
    connect(entry, &CommandEntry::changed, holder,
            [this, holder, entry, width = entry->panelWidth(), control = entry->panelControl()] {
                if (entry->panelWidth() != width || entry->panelControl() != control)
                    scheduleRebuild();
                holder->setEnabled(entry->enabled());
            });
}

QToolButton* CommandBarControl::addButton(CommandEntry* entry)
{
    auto* button = new QToolButton(m_toolBar);
    button->setObjectName(entry->key());
    button->setAutoRaise(true);
    button->setIconSize(QSize(ImageList::kIconSize, ImageList::kIconSize));
    button->setFocusPolicy(Qt::TabFocus);
    const ButtonShape shape = shapeOf(entry);
    button->setProperty(kShapeDropDown, shape.dropDown);
    button->setProperty(kShapeCheckable, shape.checkable);
    button->setCheckable(shape.checkable && !shape.dropDown);

    if (shape.dropDown) {
        auto* menu = new QMenu(button);
        menu->setObjectName(entry->key());
        menu->setToolTipsVisible(true);
        menu->setSeparatorsCollapsible(false); // a bar may begin with a divider
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        connect(menu, &QMenu::aboutToShow, this, [this, menu, entry] {
            CommandBarControl* host = menuHost();
            // Built when it opens, so it shows the bar as it is now.
            fillMenu(menu, entry->dropDown(), {});
            emit dropDownOpening(entry);
            emit host->menuPaused(host->number());
        });
        connect(menu, &QMenu::aboutToHide, this, [this, button] {
            CommandBarControl* host = menuHost();
            emit host->menuResumed(host->number());
            settleHoverSoon(button);
        });
        connect(menu, &QMenu::triggered, button, [button] { settleHoverSoon(button); });
    } else {
        connect(button, &QToolButton::clicked, this, [this, button, entry] {
            activate(entry, m_bar);
            if (button->isCheckable())
                button->setChecked(entry->checked());
        });
    }
    connect(entry, &CommandEntry::changed, button, [this, button, entry] {
        const ButtonShape now = shapeOf(entry);
        if (now.dropDown != button->property(kShapeDropDown).toBool() ||
            now.checkable != button->property(kShapeCheckable).toBool())
            scheduleRebuild();
        else
            updateButton(button, entry);
    });
    updateButton(button, entry);
    m_toolBar->addWidget(button);
    return button;
}

void CommandBarControl::updateButton(QToolButton* button, CommandEntry* entry) const
{
    const QIcon icon = iconOf(entry->icon());
    button->setIcon(icon);
    // Without its picture an icon-only button shows its hover text instead of nothing.
    button->setText(entry->captionInBar() || !entry->caption().isEmpty() ? entry->caption()
                                                                         : entry->tooltip());
    button->setToolButtonStyle(!entry->captionInBar() ? Qt::ToolButtonIconOnly
                               : icon.isNull()        ? Qt::ToolButtonTextOnly
                                                      : Qt::ToolButtonTextBesideIcon);
    button->setToolTip(entry->tooltip());
    button->setEnabled(entry->enabled());
    if (button->isCheckable())
        button->setChecked(entry->checked());
    button->setAccessibleName(accessibleNameOf(entry));
    button->setAccessibleDescription(entry->tooltip());
}

void CommandBarControl::fillMenu(QMenu* menu, CommandBar* bar, QList<const CommandBar*> path)
{
    const QList<QMenu*> submenus = menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    menu->clear();
    qDeleteAll(submenus);
    if (!bar)
        return;
    path.append(bar);
    for (CommandEntry* entry : bar->entries()) {
        if (entry->style() == EntryStyle::Separator) {
            menu->addSeparator()->setObjectName(entry->key());
            continue;
        }
        if (entry->style() == EntryStyle::Panel)
            continue;
        QAction* action = nullptr;
        CommandBar* dropDown = entry->dropDown();
        if (dropDown && !path.contains(dropDown)) {
            auto* submenu = new QMenu(menu);
            submenu->setObjectName(entry->key());
            submenu->setToolTipsVisible(true);
            submenu->setSeparatorsCollapsible(false);
            fillMenu(submenu, dropDown, path);
            action = menu->addMenu(submenu);
        } else {
            action = menu->addAction(QString());
            connect(action, &QAction::triggered, this, [this, action, entry, bar] {
                const QPointer<QAction> guard(action);
                menuHost()->activate(entry, bar);
                // The menu toggled its own mark already; the entry's state is what counts.
                if (guard && guard->isCheckable())
                    guard->setChecked(entry->checked());
            });
        }
        action->setObjectName(entry->key());
        updateAction(action, entry, iconOf(entry->icon()));
        connect(entry, &CommandEntry::changed, action,
                [this, action, entry] { updateAction(action, entry, iconOf(entry->icon())); });
    }
}
