#pragma once

#include <QComboBox>

// Text1: the address box, an editable combo box whose drop-down list is the history. Enter runs
// a navigation of exactly the text typed (the box itself does not process the key); choosing an
// item from the list too. While typing, the history entries that begin with the text are offered
// in a pop-up that changes nothing until one of them is chosen.
class AddressBox : public QComboBox {
    Q_OBJECT
public:
    explicit AddressBox(QWidget* parent = nullptr);

    QString text() const { return currentText(); }
    void setText(const QString& text) { setEditText(text); }
    QStringList items() const;

signals:
    void enterPressed();
    void itemChosen();
    void focusReceived();

private:
    void returnPressedInPopup();
    void suggestionChosen(const QString& chosen);

    bool m_enteredInPopup = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};
