#include "browse/navigation.h"

#include "browse/addressbox.h"
#include "browse/addressinput.h"
#include "browse/bookmark.h"
#include "browse/browserview.h"
#include "browse/history.h"
#include "browse/sitename.h"
#include "browse/tabset.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"

#include <QDir>

Navigation::Navigation(TabSet& tabs, AddressBox& box, const LanguageSettings& lang,
                       const ProgramDir& dir, QObject* parent)
    : QObject(parent), m_tabs(tabs), m_box(box), m_lang(lang), m_dir(dir)
{
}

QString Navigation::addressText() const
{
    return m_box.text();
}

void Navigation::setAddressText(const QString& text)
{
    m_box.setText(text);
}

void Navigation::GO_Navigate(int add_history)
{
    BrowserView* view = m_tabs.current();
    if (!view)
        return;
    const QString a = m_box.text();
    if (a.isEmpty()) {
        // An empty box opens the language's start page and changes nothing else.
        view->Navigate(m_lang.Start_Page);
    } else {
        const QString address = AddressInput::complete(a, QDir::homePath());
        if (address != a)
            m_box.setText(address);
        view->Navigate(address);
        const int s = m_tabs.selected();
        m_tabs.setTabUrl(s, address);
        m_tabs.setCaption(s, Site_Name(address));
        m_curUrl = address;
        m_markUrl = m_curUrl;
        if (AddressInput::entersHistory(m_curUrl) && add_history == 1)
            Hyst_Add();
    }
    view->focus();
    emit navigated();
}

void Navigation::openHomePage(const QString& home, bool alreadyAsked)
{
    m_box.setText(home);
    m_tabs.select(0);
    m_tabs.setTabUrl(0, home);
    m_curUrl = home;
    BrowserView* view = m_tabs.view(0);
    if (!alreadyAsked || view->askedFor() != home)
        view->Navigate(home);
    m_tabs.setCaption(0, Site_Name(home));
    view->setVisible(true);
}

void Navigation::openPicked(const QString& Picked_URL)
{
    if (Picked_URL.isEmpty())
        return;
    m_box.setText(Picked_URL);
    GO_Navigate(0);
}

void Navigation::Hyst_Read(TextFile::Result* problem)
{
    const QStringList lines = History::read(m_dir.path(ProgramFiles::History), problem);
    const QString text = m_box.text();
    m_box.addItems(lines);
    m_box.setText(text);
}

void Navigation::Hyst_Add()
{
    if (History::isNew(m_box.items(), m_box.text())) {
        const QString text = m_box.text();
        m_box.addItem(m_curUrl);
        m_box.setText(text);
    }
}

TextFile::Result Navigation::Hyst_Save() const
{
    return History::save(m_dir.path(ProgramFiles::History), m_box.items());
}

QString Navigation::shownAddress() const
{
    const BrowserView* view = m_tabs.current();
    const QString shown = view ? view->LocationURL() : QString();
    return shown.isEmpty() ? m_curUrl : shown;
}

TextFile::Result Navigation::Save_BookMark() const
{
    return Bookmark::save(m_dir.path(ProgramFiles::Bookmark), shownAddress());
}

void Navigation::Read_BookMark()
{
    const std::optional<QString> line = Bookmark::read(m_dir.path(ProgramFiles::Bookmark));
    BrowserView* view = m_tabs.current();
    if (!line || !view)
        return;
    view->Stop();
    m_box.setText(*line);
    if (!line->isEmpty())
        view->Navigate(*line);
}
