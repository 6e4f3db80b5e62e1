#pragma once

#include "export/officejob.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <chrono>

class QProcess;
class QWidget;

// The program's own office, in a profile below the program directory. It is started ahead of the
// first export when the user opens the export menu (warmUp), or by the first export, and kept
// for the exports after it by a second helper, the keeper, which ends it with the browser however
// the browser ends, killed included. It ends after a time without an export (five minutes) and
// at quit(). An office the user runs has a profile of its own and is never touched.
class OfficeSession : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kIdleTime{std::chrono::minutes(5)};

    explicit OfficeSession(QString profile, QObject* parent = nullptr);
    // Ends the office if it is still running.
    ~OfficeSession() override;

    const QString& helperPath() const { return m_helperPath; }
    void setHelperPath(const QString& path) { m_helperPath = path; }
    bool helperInstalled() const { return OfficeJob::helperInstalled(m_helperPath); }
    void setIdleTime(std::chrono::milliseconds idle);
    // The control that ends the wait for the office: its input passes while an export runs.
    void setCancelControl(QWidget* control);

    // Starts the office in the background, so that the next export finds it running.
    void warmUp();
    // Runs one export and waits for its end in place: the window keeps painting and user input
    // is held back, but the cancel control and Escape end the export and its office at once.
    // The wait ends at the job's time limit at the latest.
    OfficeJob::Result run(OfficeJob::Request request);
    // Ends the export under way and the office it is waiting for.
    void cancel();
    bool waiting() const { return m_job != nullptr; }

    // Ends the office kept between exports, if any. The program is exiting: this waits for it,
    // for a bounded time, and kills what is left.
    void quit();

    const QString& profile() const { return m_profile; }
    // The process group of the office last reported (0: none yet).
    qint64 officePid() const { return m_officePid; }
    // The keeper is running, and with it, once started, the office.
    bool keeping() const;

signals:
    void stepChanged(OfficeJob::Step step);
    // An export began or ended waiting for the office.
    void waitingChanged(bool waiting);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool passes(QObject* receiver) const;
    bool officeRunning() const;
    // A keeper that takes requests, started if there is none (after one that is ending has
    // ended).
    bool startKeeper();
    // Ends the keeper and the office: gently it quits the office, else both end at once (the
    // export was cancelled). Waits for the keeper's end when asked.
    void endKeeper(bool gently, bool wait);
    void readKeeper();

    QString m_profile;
    QString m_helperPath;
    QPointer<QProcess> m_keeper;
    bool m_keeperEnding = false;
    QTimer m_idle;
    OfficeJob* m_job = nullptr;
    QPointer<QWidget> m_cancelControl;
    qint64 m_officePid = 0;
};
