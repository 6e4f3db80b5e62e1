#pragma once

#include "platform/findbox.h"

class QPlainTextEdit;

// The find bar of a text editor: type to find the next match from the cursor, Enter or the
// arrows for the next and the previous match (the search wraps around), Escape to close it.
class TextFindBar : public FindBox {
    Q_OBJECT
public:
    TextFindBar(QPlainTextEdit* editor, QWidget* parent);

    // Shows the bar and puts the focus in its text box, with the editor's selection as the text.
    void open();
    void setTexts(const CaptionTable& captions);

protected:
    // Selects the next (or previous) match in the editor.
    void find(bool backward) override;
    // Typing looks again from the start of the current match, so the match grows with the text.
    void searchTextChanged() override;
    void dismiss() override;

private:
    QPlainTextEdit* m_editor;
};
