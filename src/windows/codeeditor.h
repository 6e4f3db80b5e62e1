#pragma once

#include <QPlainTextEdit>

// A plain-text editor that shows the number of each line in a margin at its left.
class CodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget* parent = nullptr);

    QWidget* lineNumberArea() const { return m_numbers; }
    // The width the margin needs for the highest line number.
    int lineNumberAreaWidth() const;
    void paintLineNumbers(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateMargin();
    void updateArea(const QRect& rect, int dy);

    QWidget* m_numbers;
};
