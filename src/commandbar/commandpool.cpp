#include "commandbar/commandpool.h"

#include "commandbar/commandbar.h"

CommandPool::CommandPool() = default;

// Bars go first: entries may still point at them as drop-downs, but nothing reads them then.
CommandPool::~CommandPool()
{
    m_bars.clear();
    m_entries.clear();
}

CommandEntry* CommandPool::add(const QString& key, int icon, const QString& caption,
                               EntryStyle style, const QString& tooltip)
{
    if (CommandEntry* existing = entry(key))
        return existing;
    auto created = std::make_unique<CommandEntry>(key, icon, caption, style, tooltip);
    CommandEntry* result = created.get();
    m_entries.push_back(std::move(created));
    m_entryByKey.insert(key, result);
    return result;
}

CommandEntry* CommandPool::entry(const QString& key) const
{
    return m_entryByKey.value(key, nullptr);
}

QList<CommandEntry*> CommandPool::entries() const
{
    QList<CommandEntry*> result;
    result.reserve(qsizetype(m_entries.size()));
    for (const auto& e : m_entries)
        result.append(e.get());
    return result;
}

CommandBar* CommandPool::addBar(const QString& key)
{
    if (CommandBar* existing = bar(key))
        return existing;
    auto created = std::make_unique<CommandBar>(key);
    CommandBar* result = created.get();
    m_bars.push_back(std::move(created));
    m_barByKey.insert(key, result);
    return result;
}

CommandBar* CommandPool::bar(const QString& key) const
{
    return m_barByKey.value(key, nullptr);
}

QList<CommandBar*> CommandPool::bars() const
{
    QList<CommandBar*> result;
    result.reserve(qsizetype(m_bars.size()));
    for (const auto& b : m_bars)
        result.append(b.get());
    return result;
}
