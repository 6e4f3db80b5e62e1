#include "browse/addressbox.h"

#include <QKeyEvent>
#include <QLineEdit>

AddressBox::AddressBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("Text1"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    setDuplicatesEnabled(true);
    lineEdit()->installEventFilter(this);
    installEventFilter(this);
    connect(this, &QComboBox::activated, this, [this] { emit itemChosen(); });
}

QStringList AddressBox::items() const
{
    QStringList list;
    list.reserve(count());
    for (int i = 0; i < count(); ++i)
        list.append(itemText(i));
    return list;
}

bool AddressBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit enterPressed();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn && watched == lineEdit()) {
        emit focusReceived();
    }
    return QComboBox::eventFilter(watched, event);
}

void AddressBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    emit focusReceived();
}
