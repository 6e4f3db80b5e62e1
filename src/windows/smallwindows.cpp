#include "windows/smallwindows.h"

#include "commandbar/commandbar.h"
#include "commandbar/commandbarcontrol.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "windows/frmabout.h"
#include "windows/frminput.h"
#include "windows/frmlang.h"

#include <QDialog>

namespace {

// Shows a window modally, without a nested event loop: the caller goes on, and released runs
// once the window has closed.
void showModal(QDialog* window, CommandBarControl* bar, std::function<void()> released)
{
    QObject::connect(window, &QDialog::finished, window, [window, bar, released] {
        // Its bar stops following the pool now (and gives back a control it hosts); the window
        // goes at the next turn of the loop.
        bar->setBar(nullptr);
        window->deleteLater();
        released();
    });
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

SmallWindows::SmallWindows(Context context) : c(context) {}

SmallWindows::~SmallWindows()
{
    delete m_about.data();
    delete m_input.data();
    delete m_lang.data();
}

frmLang* SmallWindows::languageEditor() const
{
    return m_lang;
}

frmInput* SmallWindows::inputWindow() const
{
    return m_input;
}

void SmallWindows::loadHidden()
{
    if (!m_lang)
        m_lang = newLanguageEditor();
    if (!m_input)
        m_input = new frmInput(c, c.owner);
}

frmLang* SmallWindows::newLanguageEditor()
{
    auto* editor = new frmLang(
        c,
        [this](QWidget* over, std::function<void(qint16)> answered) {
            askInput(over, std::move(answered));
        },
        c.owner);
    QObject::connect(editor, &frmLang::languageSaved, editor, [this] {
        if (languageSaved)
            languageSaved();
    });
    return editor;
}

void SmallWindows::showLanguageEditor()
{
    if (m_lang && m_lang->isVisible())
        return;
    if (!m_lang)
        m_lang = newLanguageEditor();
    frmLang* editor = m_lang;
    showModal(editor, editor->cmdBar(), [this, editor] {
        if (m_lang == editor)
            m_lang.clear();
    });
}

void SmallWindows::askInput(QWidget* over, std::function<void(qint16)> answered)
{
    if (!m_input)
        m_input = new frmInput(c, c.owner);
    frmInput* input = m_input;
    // Over the window that asks, so that it stands in front of it and goes with it.
    if (over && input->parentWidget() != over)
        input->setParent(over, input->windowFlags());
    showModal(input, input->cmdBar(), [this, input, answered = std::move(answered)] {
        if (m_input == input)
            m_input.clear();
        Input_Answer = qint16(input->result());
        answered(Input_Answer);
    });
}

void SmallWindows::showAbout()
{
    if (m_about)
        return;
    m_about = new frmAbout(c, c.owner);
    About_Built = true;
    showModal(m_about, m_about->cmdBar(), [] {});
}
