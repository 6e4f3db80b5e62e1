#pragma once

#include "platform/savefolder.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class CaptionTable;
class QUrl;
class QWidget;

// How a save dialog treats an existing file and its folder.
struct SaveDialogOptions {
    // The dialog asks before a chosen file is replaced, while it is still open; off where the
    // file chosen is added to rather than replaced.
    bool confirmReplace = true;
    // The folder chosen becomes the one Desktop::saveFolder() proposes next; off for dialogs
    // that keep a folder of their own (their proposal then names it).
    bool rememberFolder = true;
};

// What the program asks of the desktop: opening a file or address in the user's default program,
// starting a settings program, and showing a message. Tests replace it with a recorder.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Hands a file path or an address to the user's default program for it. False when nothing
    // on this desktop could take it (no opener installed). When the opener started but then
    // found no program for the target, failedLater is called, once, from the event loop.
    virtual bool open(const QUrl& target, const std::function<void()>& failedLater = {});
    // Shows a text file as plain text, whatever its content looks like: in the desktop's default
    // program for text/plain or, where there is none, in a read-only text window of the
    // program's own with the title given. False when the file could not be shown at all.
    virtual bool openText(QWidget* parent, const QString& path, const QString& title);
    // Starts a program with arguments, never through a shell. False when it could not start.
    virtual bool startProgram(const QString& program, const QStringList& arguments);
    // The full path of a program found on the search path, or empty.
    virtual QString findProgram(const QString& name);
    // An information message box.
    virtual void message(QWidget* parent, const QString& title, const QString& text);

    using SaveOptions = SaveDialogOptions;
    // The common save dialog: filters as Qt writes them ("Word document (*.doc)", several
    // separated by ";;"), the proposed file name (or path). The chosen path, or nothing when the
    // user cancels; selectedFilter, when given, receives the filter chosen. A proposed name
    // without a folder opens in the folder of saveFolder().
    virtual std::optional<QString> askSaveFile(QWidget* parent, const QString& title,
                                               const QString& filters, const QString& proposed,
                                               QString* selectedFilter = nullptr,
                                               SaveOptions options = {});
    // A yes/no question with No as the default; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text);
    // The common open dialog for a file that exists, in the folder given: the chosen path, or
    // nothing when the user cancels.
    virtual std::optional<QString> askOpenFile(QWidget* parent, const QString& title,
                                               const QString& filters, const QString& folder);
    // Where the save dialogs open; keepSaveFolder hands it the folder of an earlier run and how
    // to keep a new one.
    SaveFolder& saveFolder() { return m_saveFolder; }
    void keepSaveFolder(SaveFolder folder) { m_saveFolder = std::move(folder); }

    // A message about a file, a command or an export, under the program's message title; once
    // the program is ending unattended, its lines go to standard error instead.
    void report(QWidget* parent, const QString& text);
    // From now on nothing waits for the user: the program ends on a request from outside (a
    // signal), and no one may be there to answer.
    void setUnattended() { m_unattended = true; }
    bool unattended() const { return m_unattended; }
    static QString messageTitle() { return QStringLiteral("orvelquorvink"); }

    // The program the desktop hands files and addresses to; messages name it.
    static QString opener() { return QStringLiteral("xdg-open"); }
    // open, and when nothing took the target, a message in the user's language that names it
    // and what would have opened it. A local file that does not exist is not handed over.
    bool openOrReport(QWidget* parent, const QUrl& target, const CaptionTable& captions);
    // openText for a file of the program, with a message when it could not be shown.
    bool openTextOrReport(QWidget* parent, const QString& path, const CaptionTable& captions);

private:
    SaveFolder m_saveFolder;
    bool m_unattended = false;
};
