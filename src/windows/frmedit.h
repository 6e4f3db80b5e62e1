#pragma once

#include "commandbar/commandrecord.h"
#include "commandbar/imagelist.h"

#include <QDialog>

#include <array>

class CommandBarControl;
class CommandEntry;
class CommandPool;
class LinkTable;
class QFrame;
class QLabel;
class QLineEdit;
struct LinkWindowsSetup;

// The entry editor: changes or deletes the entry in one row of the link-table window's grid.
// Its six boxes show the row's fields, the concealed one in plain text; "SAVE3" writes them
// back and saves the table, "CANCEL" empties the row, which the next save drops. Shown modally
// over the link-table window.
class frmEDit : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBoxes = 6;

    frmEDit(const LinkWindowsSetup& setup, LinkTable& table, int Edit_Row,
            QWidget* parent = nullptr);
    ~frmEDit() override;

    // The editor's commands, in bar "EDIT9".
    static std::span<const WindowCommand<frmEDit>> commands();
    // Adds the editor's entries to the pool (they exist from start-up on).
    static void addCommands(CommandPool& pool);

    void cmdBar_ButtonClick(int control, CommandEntry* entry);
    // Remembers the window's position and hides it.
    void GO_Exit();

    // Box and label i, 1 to 6: Title, Url, Extra, Hidden, Note, Added.
    QLineEdit* Txt(int i) const { return m_boxes.at(static_cast<size_t>(i - 1)); }
    QLabel* Lab(int i) const { return m_labels.at(static_cast<size_t>(i - 1)); }
    CommandBarControl* cmdBar() const { return m_bar; }

    // The window's size when it was never placed, in twips.
    static QSize designSize() { return QSize(7200, 4200); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void cancelEntry();
    void saveEntry();
    void Form_Load();
    void layoutImages();

    const LinkWindowsSetup& m_setup;
    LinkTable& m_table;
    int m_editRow;
    ImageList m_images;
    QFrame* m_imgTitle = nullptr;
    QFrame* m_imgBkg = nullptr;
    CommandBarControl* m_bar = nullptr;
    std::array<QLineEdit*, kBoxes> m_boxes{};
    std::array<QLabel*, kBoxes> m_labels{};
    bool m_exiting = false;
};
