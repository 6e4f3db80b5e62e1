#include "commandbar/windowshortcuts.h"

#include "commandbar/commandentry.h"

#include <QAction>
#include <QWidget>

namespace WindowShortcuts {

QList<QKeySequence> parse(const char* keys)
{
    if (!keys || !*keys)
        return {};
    return QKeySequence::listFromString(QString::fromLatin1(keys), QKeySequence::PortableText);
}

QAction* add(QWidget* window, CommandEntry* entry, std::function<void(CommandEntry*)> run)
{
    auto* action = new QAction(window);
    action->setObjectName(QStringLiteral("key:") + entry->key());
    action->setShortcuts(entry->shortcuts());
    action->setShortcutContext(Qt::WindowShortcut);
    action->setAutoRepeat(true);
    action->setEnabled(entry->enabled());
    QObject::connect(entry, &CommandEntry::changed, action, [action, entry] {
        action->setEnabled(entry->enabled());
        action->setShortcuts(entry->shortcuts());
    });
    QObject::connect(action, &QAction::triggered, entry, [entry, run = std::move(run)] {
        if (entry->enabled())
            run(entry);
    });
    window->addAction(action);
    return action;
}

} // namespace WindowShortcuts
