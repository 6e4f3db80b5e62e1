#pragma once

#include "core/textfile.h"

#include <QObject>
#include <QString>

class AddressBox;
class ProgramDir;
class TabSet;
struct LanguageSettings;

// Opening addresses from the address box in the current tab: GO_Navigate with its scheme
// completion, the tab's address and caption, Cur_URL and Mark_URL, and the history that is the
// address box's drop-down list; the one bookmark; the address picked in the link tables.
class Navigation : public QObject {
    Q_OBJECT
public:
    Navigation(TabSet& tabs, AddressBox& box, const LanguageSettings& lang, const ProgramDir& dir,
               QObject* parent = nullptr);

    // Opens the address box text in the current view; add_history 1 adds it to the history.
    void GO_Navigate(int add_history);
    // Opens the home page in tab 0 at start: box text, tab address, caption and Cur_URL. When
    // view 0 has been asked for that address already (the start does so early), it is not asked
    // again.
    void openHomePage(const QString& home, bool alreadyAsked = false);
    // Opens an address picked in the link tables as typed, outside the history; an empty
    // address opens nothing.
    void openPicked(const QString& Picked_URL);

    // The address last opened through the address box, and the copy the bookmark saves.
    const QString& Cur_URL() const { return m_curUrl; }
    const QString& Mark_URL() const { return m_markUrl; }
    void clearCurUrl() { m_curUrl.clear(); }

    QString addressText() const;
    void setAddressText(const QString& text);

    // The history file into the address box list, and the newest entries back at exit.
    // A history file that exists but cannot be read is reported in problem.
    void Hyst_Read(TextFile::Result* problem = nullptr);
    TextFile::Result Hyst_Save() const;

    // The address of the page the current tab shows: after Back, Forward or a followed link, or
    // in another tab, it is no longer the address last typed (Cur_URL), which serves only while
    // the view shows nothing.
    QString shownAddress() const;

    // The bookmark: saves the address of the page the current tab shows; reopens the saved
    // address in the current view.
    TextFile::Result Save_BookMark() const;
    void Read_BookMark();

signals:
    // A navigation through the address box has run (the auto-hide poll starts again).
    void navigated();

private:
    void Hyst_Add();

    TabSet& m_tabs;
    AddressBox& m_box;
    const LanguageSettings& m_lang;
    const ProgramDir& m_dir;
    QString m_curUrl;
    QString m_markUrl;
};
