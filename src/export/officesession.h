#pragma once

#include "export/officejob.h"

#include <QObject>
#include <QString>

// The program's own office: the helper starts it for the first export of a run, in a profile
// below the program directory, and keeps it for the exports after it; quit() ends it. An office
// the user runs has a profile of its own and is never touched.
class OfficeSession : public QObject {
    Q_OBJECT
public:
    explicit OfficeSession(QString profile, QObject* parent = nullptr);
    // Ends the office if it is still running.
    ~OfficeSession() override;

    // Runs one export and waits for its end in place: the window keeps painting, user input is
    // held back, and the wait ends at the job's time limit at the latest.
    OfficeJob::Result run(OfficeJob::Request request);

    // Ends the office kept between exports, if any. The program is exiting: this waits for it,
    // for a bounded time, and kills what is left.
    void quit();

    const QString& profile() const { return m_profile; }

signals:
    void stepChanged(OfficeJob::Step step);

private:
    QString m_profile;
    bool m_kept = false;
    qint64 m_officePid = 0;
};
