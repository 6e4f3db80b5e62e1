#include "browse/addressbox.h"

#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

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

    // Never complete the text in place: Enter must open what was typed.
    QCompleter* suggestions = completer();
    suggestions->setCompletionMode(QCompleter::PopupCompletion);
    suggestions->setCaseSensitivity(Qt::CaseSensitive);
    connect(suggestions, qOverload<const QString&>(&QCompleter::activated), this,
            &AddressBox::suggestionChosen);
    // While the pop-up is open it takes the keys and hands Enter to the line edit directly, past
    // the filter below; the combo box's own handling of it would pick a list item.
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    connect(lineEdit(), &QLineEdit::returnPressed, this, &AddressBox::returnPressedInPopup);
}

QStringList AddressBox::items() const
{
    QStringList list;
    list.reserve(count());
    for (int i = 0; i < count(); ++i)
        list.append(itemText(i));
    return list;
}

// Enter reaches the line edit only while the pop-up is open: the filter below takes it otherwise.
// The text is what the user typed, or the suggestion highlighted with the arrow keys.
void AddressBox::returnPressedInPopup()
{
    m_enteredInPopup = true;
    emit enterPressed();
    // The completer reports the highlighted suggestion right after: it has been opened already.
    QTimer::singleShot(0, this, [this] { m_enteredInPopup = false; });
}

// A suggestion clicked in the pop-up opens like an item chosen from the list.
void AddressBox::suggestionChosen(const QString& chosen)
{
    if (m_enteredInPopup)
        return;
    setText(chosen);
    emit itemChosen();
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
