#pragma once

#include "commandbar/commandrecord.h"
#include "windows/newlanguagefile.h"

#include <QDialog>

#include "windows/windowcontext.h"

#include <functional>
#include <memory>
#include <optional>

class CaptionTable;
class CodeEditor;
class CommandBarControl;
class CommandEntry;
class CommandPool;
class ImageList;
class TextFindBar;

// The language editor: the English language file as plain text, to be translated in place and
// saved under the name of a new language, which the language menu lists from the next start.
// Closing it after typing asks through the input window first. Ctrl+F finds a text; the lines
// are numbered.
class frmLang : public QDialog {
    Q_OBJECT
public:
    // Asks a yes/no question over a window; answered receives 1 for yes, 0 otherwise.
    using Ask = std::function<void(QWidget* over, std::function<void(qint16)> answered)>;

    // Runs the load steps: the entries and the bar "STANDARD5" the first time in the run, control
    // 5 showing that bar, the English file in Text1, Lang_Modified off.
    frmLang(const WindowContext& context, Ask ask, QWidget* parent);
    ~frmLang() override;

    CodeEditor* Text1() const { return m_text; }
    CommandBarControl* cmdBar() const { return m_cmdBar; }
    TextFindBar* findBar() const { return m_findBar; }
    // Set by typing (and by any other change of the text) since the load.
    bool Lang_Modified() const { return m_modified; }

    // The editor's commands, in bar "STANDARD5".
    static std::span<const WindowCommand<frmLang>> commands();
    // The captions of the editor's entries, where they exist.
    static void applyTexts(CommandPool& pool, const CaptionTable& captions);

    // "EXIT3" closes the editor, "SAVE5" saves the text under a new language name.
    void cmdBar_ButtonClick(int control, CommandEntry* entry);
    // Closes at once when nothing was typed, otherwise asks through the input window first.
    void EXIT3();
    // Lists how the text differs from the English file, then asks for the name to save under.
    void SAVE5();
    // Writes the text under a typed name: nothing for an empty answer; a name that cannot be
    // used, or a file that cannot be written, is reported.
    void saveAs(const QString& typed);

signals:
    // A language file was written: the language menu lists it.
    void languageSaved();

public slots:
    // Escape and the window's close button act as "EXIT3".
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadEnglish();
    void setTexts();
    void reportDifferences();
    void report(const QString& text);

    WindowContext m_context;
    Ask m_ask;
    std::unique_ptr<ImageList> m_images;
    CommandBarControl* m_cmdBar;
    CodeEditor* m_text;
    TextFindBar* m_findBar;
    bool m_modified = false;
    bool m_asking = false;
    // The English file as loaded, to compare the text with; none when it could not be read.
    std::optional<NewLanguageFile::Shape> m_english;
    // Why the English file could not be loaded; said when the window is shown.
    QString m_loadProblem;
};
