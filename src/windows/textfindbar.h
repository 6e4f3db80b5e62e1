#pragma once

#include <QWidget>

class CaptionTable;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

// The find bar of a text editor: type to find the next match from the cursor, Enter or the
// arrows for the next and the previous match (the search wraps around), Escape to close it.
class TextFindBar : public QWidget {
    Q_OBJECT
public:
    TextFindBar(QPlainTextEdit* editor, QWidget* parent);

    // Shows the bar and puts the focus in its text box, with the editor's selection as the text.
    void open();
    void close();
    void setTexts(const CaptionTable& captions);

    QLineEdit* input() const { return m_input; }
    // The last result: "2 of 5", or empty.
    QString resultText() const;

    // Selects the next (or previous) match in the editor; false when there is none.
    bool find(bool backward);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showResult();

    QPlainTextEdit* m_editor;
    QLineEdit* m_input;
    QLabel* m_result;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_done;
    QString m_resultFormat = QStringLiteral("%1 / %2");
};
