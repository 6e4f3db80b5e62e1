#pragma once

#include <QComboBox>

// Text1: the address box, an editable combo box whose drop-down list is the history. Enter runs
// a navigation (the box itself does not process the key); choosing an item from the list too.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};
