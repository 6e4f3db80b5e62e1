#pragma once

#include "commandbar/commandentry.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class CommandBar;

// The keyed command entries and the bars of the process. The application owns one pool and hands
// it to every window; entries and bars live as long as the pool, beyond the windows showing them.
class CommandPool {
public:
    CommandPool();
    ~CommandPool();
    CommandPool(const CommandPool&) = delete;
    CommandPool& operator=(const CommandPool&) = delete;

    // Adds an entry and returns it. A key already in the pool returns the existing entry
    // unchanged, so a window built a second time finds the entries of its first build.
    CommandEntry* add(const QString& key, int icon, const QString& caption = QString(),
                      EntryStyle style = EntryStyle::Normal, const QString& tooltip = QString());
    // The entry of a key, or nullptr.
    CommandEntry* entry(const QString& key) const;
    // Every entry, in the order added.
    QList<CommandEntry*> entries() const;

    // Adds a bar with an empty title; an existing key returns the existing bar.
    CommandBar* addBar(const QString& key);
    // The bar of a key, or nullptr.
    CommandBar* bar(const QString& key) const;
    // Every bar, in the order added.
    QList<CommandBar*> bars() const;

private:
    std::vector<std::unique_ptr<CommandEntry>> m_entries;
    QHash<QString, CommandEntry*> m_entryByKey;
    std::vector<std::unique_ptr<CommandBar>> m_bars;
    QHash<QString, CommandBar*> m_barByKey;
};
