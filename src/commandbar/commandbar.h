#pragma once

#include <QList>
#include <QObject>
#include <QString>

class CommandEntry;

// A named, ordered list of pool entries. One entry may stand in several bars, or several times
// in one. Controls that show the bar follow its content through contentChanged().
class CommandBar : public QObject {
    Q_OBJECT
public:
    explicit CommandBar(const QString& key, QObject* parent = nullptr);

    const QString& key() const { return m_key; }
    const QString& title() const { return m_title; }
    void setTitle(const QString& title);

    const QList<CommandEntry*>& entries() const { return m_entries; }
    int count() const { return int(m_entries.size()); }
    CommandEntry* at(int position) const { return m_entries.value(position); }
    bool contains(const CommandEntry* entry) const;

    void append(CommandEntry* entry);
    void insert(int position, CommandEntry* entry);

    // Sets the mark of an option entry and clears the marks of the other options of this bar.
    void markOption(CommandEntry* entry);

signals:
    void contentChanged();

private:
    QString m_key;
    QString m_title;
    QList<CommandEntry*> m_entries;
};
