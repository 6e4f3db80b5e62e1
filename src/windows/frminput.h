#pragma once

#include "commandbar/commandrecord.h"

#include <QDialog>

#include <memory>

class CaptionTable;
class CommandBarControl;
class CommandEntry;
class CommandPool;
class ImageList;
class QLabel;
struct WindowContext;

// The yes/no window: one command bar holding a yes entry, the question and a no entry. The
// language editor shows it when the user closes the editor after typing; the answer is the
// window's result.
class frmInput : public QDialog {
    Q_OBJECT
public:
    // Runs the load steps: the entries and the bar "STANDARD6" the first time in the run, then
    // control 6 shows that bar; the question is caption 213.
    frmInput(const WindowContext& context, QWidget* parent);
    ~frmInput() override;

    CommandBarControl* cmdBar() const { return m_cmdBar; }
    // Sizes the question's panel and the window to the question's text.
    void fitQuestion();
    QLabel* labTitle() const { return m_labTitle; }

    // The window's commands, in bar "STANDARD6".
    static std::span<const WindowCommand<frmInput>> commands();
    // The captions of the window's entries, where they exist.
    static void applyTexts(CommandPool& pool, const CaptionTable& captions);

    // "OKYES" closes the window with the result 1, "OKNO" with 0.
    void cmdBar_ButtonClick(int control, CommandEntry* entry);

private:
    void answer(int value);
    std::unique_ptr<ImageList> m_images;
    QLabel* m_labTitle;
    CommandBarControl* m_cmdBar;
};
