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
class SmallWindows;

// The yes/no window: one command bar holding a yes entry, the question and a no entry. The
// language editor shows it when the user closes the editor after typing, and reads the answer
// from Input_Answer.
class frmInput : public QDialog {
    Q_OBJECT
public:
    // Runs the load steps: the entries and the bar "STANDARD6" the first time in the run, then
    // control 6 shows that bar; the question is caption 213.
    frmInput(SmallWindows& windows, QWidget* parent);
    ~frmInput() override;

    CommandBarControl* cmdBar() const { return m_cmdBar; }
    // Sizes the question's panel and the window to the question's text.
    void fitQuestion();
    QLabel* labTitle() const { return m_labTitle; }

    // The window's commands, in bar "STANDARD6".
    static std::span<const WindowCommand<frmInput>> commands();
    // The captions of the window's entries, where they exist.
    static void applyTexts(CommandPool& pool, const CaptionTable& captions);

    // "OKYES" sets Input_Answer to 1, "OKNO" to 0; either closes the window.
    void cmdBar_ButtonClick(int control, CommandEntry* entry);

public slots:
    // Closed without either entry (Escape, the window's close button): the answer is no.
    void reject() override;

private:
    void answer(int value);
    SmallWindows& m_windows;
    std::unique_ptr<ImageList> m_images;
    QLabel* m_labTitle;
    CommandBarControl* m_cmdBar;
};
