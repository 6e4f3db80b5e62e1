#include "windows/textfindbar.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolButton>

TextFindBar::TextFindBar(QPlainTextEdit* editor, QWidget* parent)
    : QWidget(parent), m_editor(editor), m_input(new QLineEdit(this)), m_result(new QLabel(this)),
      m_previous(new QToolButton(this)), m_next(new QToolButton(this)),
      m_done(new QToolButton(this))
{
    setObjectName(QStringLiteral("TextFindBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_input->setObjectName(QStringLiteral("FindText"));
    m_input->setClearButtonEnabled(true);
    m_input->installEventFilter(this);
    m_previous->setArrowType(Qt::UpArrow);
    m_next->setArrowType(Qt::DownArrow);
    m_done->setText(QStringLiteral("\u2715"));
    layout->addWidget(m_input, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_result);
    layout->addWidget(m_done);
    // Typing looks again from the start of the current match, so the match grows with the text.
    connect(m_input, &QLineEdit::textEdited, this, [this] {
        QTextCursor cursor = m_editor->textCursor();
        cursor.setPosition(cursor.selectionStart());
        m_editor->setTextCursor(cursor);
        find(false);
    });
    connect(m_previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(m_next, &QToolButton::clicked, this, [this] { find(false); });
    connect(m_done, &QToolButton::clicked, this, &TextFindBar::close);
    hide();
}

void TextFindBar::setTexts(const CaptionTable& captions)
{
    const QString findText = captions.text(CaptionNo::FindInText, u"Find in the text");
    m_input->setAccessibleName(findText);
    m_input->setPlaceholderText(findText);
    const std::pair<QToolButton*, int> buttons[] = {{m_previous, CaptionNo::FindPrevious},
                                                    {m_next, CaptionNo::FindNext},
                                                    {m_done, CaptionNo::FindClose}};
    for (const auto& [button, number] : buttons) {
        button->setToolTip(captions[number]);
        button->setAccessibleName(captions[number]);
    }
    if (captions[CaptionNo::FindResult].contains(QLatin1String("%2")))
        m_resultFormat = captions[CaptionNo::FindResult];
}

void TextFindBar::open()
{
    const QString selected = m_editor->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        m_input->setText(selected);
    show();
    m_input->setFocus(Qt::ShortcutFocusReason);
    m_input->selectAll();
}

void TextFindBar::close()
{
    hide();
    m_result->clear();
    m_editor->setFocus(Qt::OtherFocusReason);
}

QString TextFindBar::resultText() const
{
    return m_result->text();
}

bool TextFindBar::find(bool backward)
{
    const QString text = m_input->text();
    QTextDocument::FindFlags flags;
    if (backward)
        flags |= QTextDocument::FindBackward;
    bool found = !text.isEmpty() && m_editor->find(text, flags);
    if (!found && !text.isEmpty()) {
        // Around the end (or the start) of the text.
        QTextCursor cursor = m_editor->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        const QTextCursor match = m_editor->document()->find(text, cursor, flags);
        found = !match.isNull();
        if (found)
            m_editor->setTextCursor(match);
    }
    showResult();
    return found;
}

// "n of m": the number of the selected match among all matches of the text.
void TextFindBar::showResult()
{
    const QString text = m_input->text();
    if (text.isEmpty()) {
        m_result->clear();
        return;
    }
    const QTextDocument* document = m_editor->document();
    const int selected = m_editor->textCursor().selectionStart();
    int total = 0;
    int current = 0;
    for (QTextCursor match = document->find(text, 0); !match.isNull();
         match = document->find(text, match)) {
        ++total;
        if (match.selectionStart() == selected)
            current = total;
    }
    m_result->setText(m_resultFormat.arg(current).arg(total));
}

bool TextFindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
