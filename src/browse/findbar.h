#pragma once

#include <QPointer>
#include <QWidget>

class BrowserView;
class CaptionTable;
class QLabel;
class QLineEdit;
class QToolButton;

// The find bar of the shown page: type to search, Enter or the arrows for the next and the
// previous match, Escape to close it.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent);

    // Shows the bar over the bottom of the view and puts the focus in its text box.
    void open(BrowserView* view);
    // The texts of the current language.
    void setTexts(const CaptionTable& captions);
    void close();
    QLineEdit* input() const { return m_input; }
    // The last result: "2 of 5", or empty.
    QString resultText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void find(bool backward);

    QPointer<BrowserView> m_view;
    QLineEdit* m_input;
    QLabel* m_result;
    QToolButton* m_previous;
    QToolButton* m_next;
    QToolButton* m_done;
    QString m_resultFormat = QStringLiteral("%1 / %2");
};
