#pragma once

#include "core/textfile.h"

#include <QString>

class CaptionTable;
class Desktop;
class ProgramDir;
class QWidget;

// The harvest list "\MailsList.txt" (the addresses found during one run, emptied at every start)
// and the address book "\MailsBook.txt" (what the user keeps, only ever appended to), with the
// commands of the "QUORVINK" menu that act on them. Every failure gives a message that names the
// file; the command is then abandoned and neither file loses anything.
class MailLists {
public:
    MailLists(const ProgramDir& dir, Desktop& desktop, const CaptionTable& captions,
              QWidget* messageParent);

    QString listPath() const;
    QString bookPath() const;

    // The last step of the deferred start: every run begins with an empty (existing) list.
    bool emptyAtStart();
    // "QUORVINK:VIEW": hands the list to the desktop.
    void view();
    // "QUORVINK:ADD": appends every line of the list, empty ones too, to the book, then hands the
    // book to the desktop. The list is left as it is.
    bool add();
    // "QUORVINK:CANCEL": empties the list; harvesting and the book are not touched.
    bool cancel();
    // "QUORVINK:SAVEAS": writes the book's addresses, each once, as vCard or CSV for mail
    // programs, in the file the save dialog gives; the book itself is never changed.
    bool saveBookAs();

private:
    bool emptyList();
    void report(const TextFile::Result& result);

    const ProgramDir& m_dir;
    Desktop& m_desktop;
    const CaptionTable& m_captions;
    QWidget* m_messageParent;
};
