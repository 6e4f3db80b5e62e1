#pragma once

#include "platform/desktop.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <functional>

// The desktop as tests see it: nothing is opened or shown, every request is recorded.
class RecordingDesktop : public Desktop {
public:
    struct Message {
        QString title;
        QString text;
    };
    struct Started {
        QString program;
        QStringList arguments;
    };

    QList<QUrl> opened;
    QList<Message> messages;
    QList<Started> started;
    QHash<QString, QString> programs; // name -> path answered by findProgram

    // The save dialogs asked for, and the answers given to them in order: a path, or an empty
    // text for a cancel. Without an answer left the dialog is cancelled.
    struct SaveAsked {
        QString title;
        QString filters;
        QString proposed;
        Desktop::SaveOptions options;
    };
    QList<SaveAsked> saveAsked;
    QStringList saveAnswers;
    QString saveFilterAnswer;          // the filter chosen, when the caller asks for it
    std::function<void()> whileAsking; // runs while a save dialog is open

    // The yes/no questions asked, and the answers given in order (No when none is left).
    QStringList questions;
    QList<bool> yesNoAnswers;
    bool askYesNo(QWidget*, const QString&, const QString& text) override
    {
        questions.append(text);
        return !yesNoAnswers.isEmpty() && yesNoAnswers.takeFirst();
    }
    // The answers given to the open dialogs in order: a path, or an empty text for a cancel.
    QStringList openAnswers;
    std::optional<QString> askOpenFile(QWidget*, const QString&, const QString&,
                                       const QString&) override
    {
        const QString answer = openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
        if (answer.isEmpty())
            return std::nullopt;
        return answer;
    }

    bool openAnswer = true;      // what open answers: false as on a desktop without an opener
    bool openFailsLater = false; // the opener starts, then finds no program for the target
    QStringList textShown;       // the files handed to openText
    bool open(const QUrl& target, const std::function<void()>& failedLater) override
    {
        opened.append(target);
        if (openAnswer && openFailsLater && failedLater)
            QTimer::singleShot(0, failedLater);
        return openAnswer;
    }
    bool openText(QWidget*, const QString& path, const QString&) override
    {
        textShown.append(path);
        return true;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        started.append({program, arguments});
        return true;
    }
    QString findProgram(const QString& name) override { return programs.value(name); }
    void message(QWidget*, const QString& title, const QString& text) override
    {
        messages.append({title, text});
    }
    std::optional<QString> askSaveFile(QWidget*, const QString& title, const QString& filters,
                                       const QString& proposed, QString* selectedFilter,
                                       SaveOptions options) override
    {
        saveAsked.append({title, filters, proposed, options});
        if (whileAsking)
            whileAsking();
        const QString answer = saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
        if (selectedFilter)
            *selectedFilter = saveFilterAnswer;
        if (answer.isEmpty())
            return std::nullopt;
        return answer;
    }
};
