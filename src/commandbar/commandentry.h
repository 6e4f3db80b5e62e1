#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <QWidget>

#include "commandbar/commandbar.h"

// How an entry behaves and is drawn.
enum class EntryStyle {
    Normal,    // a command
    Separator, // a divider line, never activated
    Check,     // a command whose check mark toggles when the user activates it
    Option,    // one choice of a group, shown with a check mark
    Panel,     // reserves room in its bar for a hosted control
};

// One keyed command of the pool. Every change of a field that a control shows emits changed(),
// so toolbars and menus follow captions, icons and states while they are shown.
class CommandEntry : public QObject {
    Q_OBJECT
public:
    CommandEntry(const QString& key, int icon, const QString& caption, EntryStyle style,
                 const QString& tooltip, QObject* parent = nullptr);

    // Keys ending in ":SEPARATOR" and keys made of "SEP" and a number are dividers.
    static bool isSeparatorKey(QStringView key);

    const QString& key() const { return m_key; }
    EntryStyle style() const { return m_style; }

    // Index into the image list of the control that shows the entry; -1 for none.
    int icon() const { return m_icon; }
    void setIcon(int icon);

    const QString& caption() const { return m_caption; }
    void setCaption(const QString& caption);

    const QString& tooltip() const { return m_tooltip; }
    void setTooltip(const QString& tooltip);

    bool checked() const { return m_checked; }
    void setChecked(bool checked);

    // A disabled entry cannot be activated.
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // When set, a toolbar shows the caption beside the icon.
    bool captionInBar() const { return m_captionInBar; }
    void setCaptionInBar(bool on);

    // The keys that carry the command out anywhere in its window; a menu shows the first beside
    // the caption.
    const QList<QKeySequence>& shortcuts() const { return m_shortcuts; }
    void setShortcuts(const QList<QKeySequence>& keys);

    // The bar that activating the entry opens as a menu, or none.
    CommandBar* dropDown() const { return m_dropDown; }
    void setDropDown(CommandBar* bar);

    // Panel entries: the width reserved in the bar, in twips, and the control shown inside.
    int panelWidth() const { return m_panelWidth; }
    void setPanelWidth(int twips);
    QWidget* panelControl() const { return m_panelControl; }
    void setPanelControl(QWidget* control);

signals:
    void changed();

private:
    QString m_key;
    int m_icon;
    QString m_caption;
    QString m_tooltip;
    EntryStyle m_style;
    bool m_checked = false;
    bool m_enabled = true;
    bool m_captionInBar = false;
    QList<QKeySequence> m_shortcuts;
    QPointer<CommandBar> m_dropDown;
    int m_panelWidth = 0;
    QPointer<QWidget> m_panelControl;
};
