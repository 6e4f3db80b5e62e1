#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QUrl;
class QWidget;

// What the program asks of the desktop: opening a file or address in the user's default program,
// starting a settings program, and showing a message. Tests replace it with a recorder.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Hands a file path or an address to the user's default program for it.
    virtual void open(const QUrl& target);
    // Starts a program with arguments, never through a shell. False when it could not start.
    virtual bool startProgram(const QString& program, const QStringList& arguments);
    // The full path of a program found on the search path, or empty.
    virtual QString findProgram(const QString& name);
    // An information message box.
    virtual void message(QWidget* parent, const QString& title, const QString& text);

    // The common save dialog: filters as Qt writes them ("Word document (*.doc)", several
    // separated by ";;"), the proposed file name (or path). The chosen path, or nothing when the
    // user cancels; selectedFilter, when given, receives the filter chosen. No overwrite prompt.
    virtual std::optional<QString> askSaveFile(QWidget* parent, const QString& title,
                                               const QString& filters, const QString& proposed,
                                               QString* selectedFilter = nullptr);

    // A message about a file, a command or an export, under the program's message title.
    void report(QWidget* parent, const QString& text) { message(parent, messageTitle(), text); }
    static QString messageTitle() { return QStringLiteral("orvelquorvink"); }
};
