#pragma once

#include "office/answer.h"
#include "office/request.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QTimer>

#include <chrono>

// One office export run by the helper process orvelquorvink-office, which drives a private,
// headless LibreOffice: a crash or hang of the office suite ends the helper, never the browser.
// The request goes to the helper as one JSON object; its answers come back line by line.
class OfficeJob : public QObject {
    Q_OBJECT

public:
    // The request and the helper's answers are the helper's own types.
    using Request = OfficeRequest;
    using Kind = OfficeRequest::Kind;
    using Step = OfficeStep;
    // Why a job failed: the office failed at its step, the time limit ran out, the helper ended
    // without finishing, or the job was stopped from this side.
    // Linked: the office was not let at a presentation that refers to content outside it.
    enum class Cause { Office, TimeLimit, HelperEnded, Stopped, Linked };

    struct Result {
        bool ok = false;
        Step failedStep = Step::Start; // when not ok: the step that was under way
        Cause cause = Cause::Office;   // when not ok: why
        QString error;
        int slides = 0;       // presentations: the slide count after the new slide
        qint64 officePid = 0; // the office's process group, 0 when never reported
    };

    explicit OfficeJob(QObject* parent = nullptr);
    // A job still running is killed with its office.
    ~OfficeJob() override;

    // orvelquorvink-office beside the browser's executable.
    static QString defaultHelperPath();
    // The helper is there and may be run (it comes in a package of its own).
    static bool helperInstalled(const QString& path);
    void setHelperPath(const QString& path) { m_helperPath = path; }
    // The soffice the helper starts; empty: its own choice.
    void setSofficePath(const QString& path) { m_sofficePath = path; }
    // After this time the helper and its office are killed and the job fails at its step.
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

    void start(const Request& request);
    // Stops the helper (it removes its temporary files and ends its office), then kills what is
    // left; finished() follows with the step that was under way.
    void kill();
    bool isRunning() const { return m_process != nullptr; }

    static QString stepName(Step step);
    // The .doc beside a PDF: the text after the last "." of the file name replaced by "doc",
    // or ".doc" appended to a name without one.
    static QString companionPathFor(const QString& pdfPath);
    // The request as sent: a PDF without a companion gets the one made from its target's name.
    static QByteArray requestJson(const Request& request);

Q_SIGNALS:
    void stepChanged(OfficeJob::Step step);
    void finished(const OfficeJob::Result& result);

private:
    void readAnswers();
    void answer(const QByteArray& line);
    void onFinished(int exitCode, QProcess::ExitStatus status);
    void onError(QProcess::ProcessError error);
    void stopFor(const QString& reason, Cause cause);
    void killOffice();
    void finish();

    QString m_helperPath;
    QString m_sofficePath;
    std::chrono::milliseconds m_timeLimit{std::chrono::minutes(5)};

    QProcess* m_process = nullptr;
    QTimer m_limit;
    QTimer m_killLater;
    QByteArray m_stderr;
    Step m_step = Step::Start;
    bool m_done = false;
    bool m_failed = false; // the helper answered "failed"
    QString m_stopReason;  // set when this side stopped the helper
    Cause m_stopCause = Cause::Stopped;
    Result m_result;
};
