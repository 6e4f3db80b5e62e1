#include "windows/textfindbar.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

TextFindBar::TextFindBar(QPlainTextEdit* editor, QWidget* parent)
    : FindBox(parent), m_editor(editor)
{
    setObjectName(QStringLiteral("TextFindBar"));
    hide();
}

void TextFindBar::setTexts(const CaptionTable& captions)
{
    FindBox::setTexts(captions, captions.text(CaptionNo::FindInText));
}

void TextFindBar::open()
{
    const QString selected = m_editor->textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        input()->setText(selected);
    show();
    input()->setFocus(Qt::ShortcutFocusReason);
    input()->selectAll();
}

void TextFindBar::dismiss()
{
    hide();
    clearResult();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void TextFindBar::searchTextChanged()
{
    QTextCursor cursor = m_editor->textCursor();
    cursor.setPosition(cursor.selectionStart());
    m_editor->setTextCursor(cursor);
    find(false);
}

void TextFindBar::find(bool backward)
{
    const QString text = input()->text();
    if (text.isEmpty()) {
        clearResult();
        return;
    }
    QTextDocument::FindFlags flags;
    if (backward)
        flags |= QTextDocument::FindBackward;
    if (!m_editor->find(text, flags)) {
        // Round the end (or the start) of the text.
        QTextCursor from = m_editor->textCursor();
        from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        const QTextCursor match = m_editor->document()->find(text, from, flags);
        if (!match.isNull())
            m_editor->setTextCursor(match);
    }
    // The number of the selected match among all matches.
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
    showResult(current, total);
}
