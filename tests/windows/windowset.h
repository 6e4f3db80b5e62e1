#pragma once

#include "commandbar/commandpool.h"
#include "commandbar/imagelist.h"
#include "commands/loadbars.h"
#include "commands/setcaptions.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/settingsfile.h"
#include "links/linktitles.h"
#include "windows/frmabout.h"
#include "windows/frmedit.h"
#include "windows/frminput.h"
#include "windows/frmlang.h"
#include "windows/frmtab.h"
#include "windows/smallwindows.h"

#include "recordingdesktop.h"
#include "tempprogramdir.h"

#include <QWidget>

#include <memory>

// The link-table window, the entry editor and the small windows of one shipped language, made as
// the program makes them (the same pool, captions pass and default titles), at their default
// sizes, not yet shown.
class WindowSet {
public:
    explicit WindowSet(const QString& language)
        : m_dir(true), m_programDir(m_dir.programDir()),
          m_windows(SmallWindows::Context{m_pool, m_captions, m_options, m_programDir, m_desktop,
                                          m_images, &m_owner})
    {
        // The main window's stand-in, which owns the windows as the main window does.
        m_owner.setGeometry(0, 0, 200, 100);
        m_options.Lang_Name = language;
        m_ok = LanguageFile::read(
                   m_dir.file(QStringLiteral("Languages/Quorvink_%1.txt").arg(language)),
                   m_captions, m_settings)
                   .ok;
        QStringList languages;
        Load_Buttons(m_pool, m_images, m_programDir, m_settings.Tab_Width, nullptr, languages);
        Load_Bars(m_pool, languages);
        Set_Captions(m_pool, m_captions, m_settings, language, &m_windows);
        m_titles.applyDefaultTitles(m_captions[CaptionNo::LinkTableWord]);
    }

    bool ok() const { return m_ok; }
    const CaptionTable& captions() const { return m_captions; }

    std::unique_ptr<frmTab> linkTables()
    {
        return std::make_unique<frmTab>(setup(), ShownPage{}, &m_owner);
    }
    // The entry editor of the first row of a link-table window.
    std::unique_ptr<frmEDit> entryEditor(frmTab& tables)
    {
        return std::make_unique<frmEDit>(setup(), tables.table(), 1, &tables);
    }
    // The language editor and the input window that the captions pass loaded (hidden), as the
    // program shows them.
    frmLang* languageEditor() { return m_windows.languageEditor(); }
    frmInput* inputWindow() { return m_windows.inputWindow(); }
    std::unique_ptr<frmAbout> about()
    {
        return std::make_unique<frmAbout>(m_windows.context(), &m_owner);
    }
    // Shows the main window's stand-in.
    void showOwner() { m_owner.show(); }

private:
    LinkWindowsSetup setup()
    {
        return {m_programDir, m_desktop,       m_captions,       m_pool,
                m_titles,     m_ini.linkTable, m_ini.linkEditor, m_settings.Lang_Code};
    }

    QWidget m_owner;
    TempProgramDir m_dir;
    ProgramDir m_programDir;
    CommandPool m_pool;
    CaptionTable m_captions;
    LanguageSettings m_settings;
    Options m_options;
    RecordingDesktop m_desktop;
    ImageList m_images;
    LinkTitles m_titles;
    IniSettings m_ini;
    SmallWindows m_windows;
    bool m_ok = false;
};
