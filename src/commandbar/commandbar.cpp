#include "commandbar/commandbar.h"

#include "commandbar/commandentry.h"

CommandBar::CommandBar(const QString& key, QObject* parent) : QObject(parent), m_key(key) {}

void CommandBar::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit contentChanged();
}

bool CommandBar::contains(const CommandEntry* entry) const
{
    return std::find(m_entries.cbegin(), m_entries.cend(), entry) != m_entries.cend();
}

void CommandBar::append(CommandEntry* entry)
{
    if (!entry)
        return;
    m_entries.append(entry);
    emit contentChanged();
}

void CommandBar::insert(int position, CommandEntry* entry)
{
    if (!entry)
        return;
    m_entries.insert(qBound(0, position, count()), entry);
    emit contentChanged();
}

void CommandBar::markOption(CommandEntry* entry)
{
    for (CommandEntry* other : std::as_const(m_entries)) {
        if (other != entry && other->style() == EntryStyle::Option)
            other->setChecked(false);
    }
    if (entry)
        entry->setChecked(true);
}
