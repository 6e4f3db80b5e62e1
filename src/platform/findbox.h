#pragma once

#include <QString>
#include <QWidget>

class CaptionTable;
class QLabel;
class QLineEdit;
class QToolButton;

// What every find bar of the program shows: a text box, buttons for the previous and the next
// match, the result ("2 of 5") and a button that closes the bar. Typing and Enter look for the
// next match, Shift+Enter for the previous one, Escape closes the bar; what finding and closing
// do is the bar's own. A bar is mostly never opened: its parts are made when it is first shown or
// asked for its text box.
class FindBox : public QWidget {
    Q_OBJECT
public:
    QLineEdit* input() const;
    void setVisible(bool visible) override;
    QSize sizeHint() const override;
    // The last result: "2 of 5", or empty.
    QString resultText() const;
    // The texts of the current language; the text box is named inputName.
    void setTexts(const CaptionTable& captions, const QString& inputName);

protected:
    explicit FindBox(QWidget* parent);

    // Looks for the next (or the previous) match of the text.
    virtual void find(bool backward) = 0;
    // The text box has changed: by default a search for the next match.
    virtual void searchTextChanged() { find(false); }
    // Escape or the close button.
    virtual void dismiss() = 0;

    // Shows "active of total"; nothing when there is no match.
    void showResult(int active, int total);
    void clearResult();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Makes the text box, the buttons and the result, once, with the texts set so far.
    void build();
    void applyTexts();

    QLineEdit* m_input = nullptr;
    QLabel* m_result = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_done = nullptr;
    QString m_inputName;
    // The tooltips of the previous, next and close buttons.
    QString m_buttonTexts[3];
    QString m_resultFormat = QStringLiteral("%1 / %2");
};
