#pragma once

#include "windows/windowcontext.h"

#include <QPointer>
#include <QtGlobal>

#include <functional>

class QWidget;
class frmAbout;
class frmInput;
class frmLang;

// The language editor, the input window and the About window, and the state they share for the
// whole run. Each window is created when it is needed and released after use; the command entries
// and bars it adds to the pool stay there for the rest of the run. The windows are modal: while
// one is shown, the windows below it cannot be used.
class SmallWindows {
public:
    using Context = WindowContext;

    explicit SmallWindows(Context context);
    ~SmallWindows();
    SmallWindows(const SmallWindows&) = delete;
    SmallWindows& operator=(const SmallWindows&) = delete;

    const Context& context() const { return c; }

    // Loads the language editor and the input window, hidden, where they are not loaded: their
    // entries exist from then on (the captions pass sets their texts).
    void loadHidden();
    // The windows as loaded now, or nullptr.
    frmLang* languageEditor() const;
    frmInput* inputWindow() const;

    // "LANG:NEW": shows the language editor; once it has closed it is released, so that the next
    // use loads a fresh one with the English file.
    void showLanguageEditor();
    // Shows the input window over a window; answered receives Input_Answer once it has closed.
    void askInput(QWidget* over, std::function<void(qint16)> answered);

    // Called when the language editor has saved a language file: the language menu lists it.
    std::function<void()> languageSaved;
    // "KELDRANO", "FILE:KELDRANO": shows the About window, released when it closes.
    void showAbout();

    // The input window's answer: 1 yes, 0 no (also when it was closed without an answer).
    qint16 Input_Answer = 0;
    // The About window adds its entries and builds its bar on its first load of the run only.
    bool About_Built = false;

private:
    // The language editor asks through the input window before it discards typing.
    frmLang* newLanguageEditor();

    Context c;
    QPointer<frmLang> m_lang;
    QPointer<frmInput> m_input;
    QPointer<frmAbout> m_about;
};
