#pragma once

#include "platform/desktop.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

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

    void open(const QUrl& target) override { opened.append(target); }
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
};
