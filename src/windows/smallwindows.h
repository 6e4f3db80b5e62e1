#pragma once

#include <QPointer>
#include <QtGlobal>

#include <functional>
#include <initializer_list>
#include <memory>

class CaptionTable;
class CommandPool;
class Desktop;
class ImageList;
class ProgramDir;
class QWidget;
class frmAbout;
class frmInput;
class frmLang;
struct Options;

// The language editor, the input window and the About window, and the state they share for the
// whole run. Each window is created when it is needed and released after use; the command entries
// and bars it adds to the pool stay there for the rest of the run. The windows are modal: while
// one is shown, the windows below it cannot be used.
class SmallWindows {
public:
    // What the windows need from the main window, which owns this object.
    struct Context {
        CommandPool& pool;
        const CaptionTable& captions;
        const Options& options; // the drawing style of the bars
        const ProgramDir& dir;
        Desktop& desktop;
        const ImageList& images; // the main window's, from which the windows take their pictures
        QWidget* owner;          // the main window
    };

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

    // A window's own image list: the main window's pictures at the given indexes, as icons
    // 0, 1, ...
    std::unique_ptr<ImageList> imageList(std::initializer_list<int> pictures) const;

    // The input window's answer: 1 yes, 0 no (also when it was closed without an answer).
    qint16 Input_Answer = 0;
    // The About window adds its entries and builds its bar on its first load of the run only.
    bool About_Built = false;

private:
    Context c;
    QPointer<frmLang> m_lang;
    QPointer<frmInput> m_input;
    QPointer<frmAbout> m_about;
};
