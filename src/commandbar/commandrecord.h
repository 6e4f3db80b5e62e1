#pragma once

#include "commandbar/commandbar.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "commandbar/windowshortcuts.h"

#include <QLatin1String>
#include <QStringView>

#include <span>

// One command of a window, described once: its key, the bar that lists it (its position there
// is its place among the records of that bar), its look, the caption numbers of its texts and
// the handler that carries it out on the window. Dividers are records without a handler.
template <class Window> struct WindowCommand {
    const char* key;
    const char* bar = nullptr; // nullptr: in no bar of its own
    EntryStyle style = EntryStyle::Normal;
    int icon = -1;   // index into the image list of the window's bar
    int caption = 0; // caption number of the text shown in menus or beside the icon; 0: none
    int tooltip = 0; // caption number of the tooltip; 0: none
    void (*handler)(Window&, CommandEntry*) = nullptr;
    bool captionInBar = false;
    // Its keyboard shortcuts in portable text, several separated by "; " ("F5; Ctrl+R"); shown
    // beside its caption in a menu and working anywhere in the window.
    const char* shortcut = nullptr;
};

// Operations over a span of records of any kind that has the fields of WindowCommand.
namespace CommandRecords {

// The record of a key, or nullptr.
template <class Record> const Record* find(std::span<const Record> records, QStringView key)
{
    for (const Record& record : records) {
        if (QLatin1String(record.key) == key)
            return &record;
    }
    return nullptr;
}

// Adds the entries of the records to the pool, in record order; entries already there stay.
template <class Record> void addEntries(CommandPool& pool, std::span<const Record> records)
{
    for (const Record& record : records) {
        if (pool.entry(QLatin1String(record.key)))
            continue;
        CommandEntry* entry =
            pool.add(QLatin1String(record.key), record.icon, QString(), record.style);
        if constexpr (requires { record.captionInBar; }) {
            if (record.captionInBar)
                entry->setCaptionInBar(true);
        }
        entry->setShortcuts(WindowShortcuts::parse(record.shortcut));
    }
}

// Appends the entries of the records listed in bar to it, in record order.
template <class Record>
void fillBar(CommandPool& pool, CommandBar* bar, std::span<const Record> records)
{
    for (const Record& record : records) {
        if (record.bar && QLatin1String(record.bar) == bar->key())
            bar->append(pool.entry(QLatin1String(record.key)));
    }
}

// Adds the records' entries and builds their bar once per run; returns the bar.
template <class Record>
CommandBar* buildBar(CommandPool& pool, const char* key, std::span<const Record> records)
{
    if (CommandBar* existing = pool.bar(QLatin1String(key)))
        return existing;
    addEntries(pool, records);
    CommandBar* bar = pool.addBar(QLatin1String(key));
    fillBar(pool, bar, records);
    return bar;
}

// Sets the captions and tooltips the records number; text(n) gives caption n.
template <class Record, class Texts>
void applyTexts(CommandPool& pool, std::span<const Record> records, const Texts& text)
{
    for (const Record& record : records) {
        CommandEntry* entry = pool.entry(QLatin1String(record.key));
        if (!entry)
            continue;
        if (record.caption > 0)
            entry->setCaption(text(record.caption));
        if (record.tooltip > 0)
            entry->setTooltip(text(record.tooltip));
    }
}

// Makes the shortcuts of the records' entries keys of the window; run(entry) carries a command
// out. Needs the entries added.
template <class Record>
void addShortcuts(CommandPool& pool, std::span<const Record> records, QWidget* window,
                  const std::function<void(CommandEntry*)>& run)
{
    for (const Record& record : records) {
        CommandEntry* entry = record.shortcut ? pool.entry(QLatin1String(record.key)) : nullptr;
        if (entry && !entry->shortcuts().isEmpty())
            WindowShortcuts::add(window, entry, run);
    }
}

// Runs the handler of the entry's record on the window; false when no record handles it.
template <class Window>
bool dispatch(std::span<const WindowCommand<Window>> records, Window& window, CommandEntry* entry)
{
    if (!entry)
        return false;
    const WindowCommand<Window>* record = find(records, entry->key());
    if (!record || !record->handler)
        return false;
    record->handler(window, entry);
    return true;
}

} // namespace CommandRecords
