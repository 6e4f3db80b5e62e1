#include "commandbar/commandentry.h"

namespace {

template <typename T> bool assign(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

CommandEntry::CommandEntry(const QString& key, int icon, const QString& caption, EntryStyle style,
                           const QString& tooltip, QObject* parent)
    : QObject(parent), m_key(key), m_icon(icon), m_caption(caption), m_tooltip(tooltip),
      m_style(style)
{
    if (isSeparatorKey(key)) {
        m_style = EntryStyle::Separator;
        m_icon = -1;
    }
}

bool CommandEntry::isSeparatorKey(QStringView key)
{
    if (key.endsWith(u":SEPARATOR"))
        return true;
    if (!key.startsWith(u"SEP") || key.size() == 3)
        return false;
    for (const QChar c : key.mid(3)) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

void CommandEntry::setIcon(int icon)
{
    if (assign(m_icon, icon))
        emit changed();
}

void CommandEntry::setCaption(const QString& caption)
{
    if (assign(m_caption, caption))
        emit changed();
}

void CommandEntry::setTooltip(const QString& tooltip)
{
    if (assign(m_tooltip, tooltip))
        emit changed();
}

void CommandEntry::setChecked(bool checked)
{
    if (assign(m_checked, checked))
        emit changed();
}

void CommandEntry::setEnabled(bool enabled)
{
    if (assign(m_enabled, enabled))
        emit changed();
}

void CommandEntry::setCaptionInBar(bool on)
{
    if (assign(m_captionInBar, on))
        emit changed();
}

void CommandEntry::setShortcuts(const QList<QKeySequence>& keys)
{
    if (assign(m_shortcuts, keys))
        emit changed();
}

void CommandEntry::setDropDown(CommandBar* bar)
{
    if (m_dropDown == bar)
        return;
    m_dropDown = bar;
    emit changed();
}

void CommandEntry::setPanelWidth(int twips)
{
    if (assign(m_panelWidth, twips))
        emit changed();
}

void CommandEntry::setPanelControl(QWidget* control)
{
    if (m_panelControl == control)
        return;
    m_panelControl = control;
    emit changed();
}
