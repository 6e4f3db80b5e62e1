#pragma once

#include <QDialog>

class QPlainTextEdit;

// A text file shown read-only in a window of the program's own, for a desktop that has no
// program for plain text. The window is independent of its parent's input and deletes itself
// when closed.
class TextWindow : public QDialog {
    Q_OBJECT
public:
    TextWindow(const QString& title, const QString& text, QWidget* parent);

    QPlainTextEdit* editor() const { return m_editor; }

private:
    QPlainTextEdit* m_editor;
};
