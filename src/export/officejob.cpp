#include "export/officejob.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

// What the helper said on its error stream is kept for a failure without an answer.
constexpr qsizetype kStderrKept = 4096;
// A stopped helper gets this long to clean up before it is killed.
constexpr int kCleanupMs = 3000;

} // namespace

OfficeJob::OfficeJob(QObject* parent) : QObject(parent), m_helperPath(defaultHelperPath())
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        stopFor(QStringLiteral("the office export took longer than %1 s")
                    .arg(double(m_timeLimit.count()) / 1000.0),
                Cause::TimeLimit);
    });
    m_killLater.setSingleShot(true);
    connect(&m_killLater, &QTimer::timeout, this, [this] {
        if (m_process)
            m_process->kill();
    });
}

OfficeJob::~OfficeJob()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    m_process->terminate();
    if (!m_process->waitForFinished(kCleanupMs)) {
        m_process->kill();
        m_process->waitForFinished(kCleanupMs);
    }
    killOffice();
}

QString OfficeJob::defaultHelperPath()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("orvelquorvink-office.exe");
#else
    const QString name = QStringLiteral("orvelquorvink-office");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

bool OfficeJob::helperInstalled(const QString& path)
{
    const QFileInfo helper(path);
    return helper.isFile() && helper.isExecutable();
}

QString OfficeJob::stepName(Step step)
{
    return QLatin1String(officeStepName(step));
}

QString OfficeJob::companionPathFor(const QString& pdfPath)
{
    const qsizetype nameStart = pdfPath.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = pdfPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        return pdfPath + QStringLiteral(".doc");
    return pdfPath.left(dot + 1) + QStringLiteral("doc");
}

QByteArray OfficeJob::requestJson(const Request& r)
{
    if (r.kind != Kind::Pdf || !r.companion.isEmpty())
        return r.toJson();
    Request withCompanion = r;
    withCompanion.companion = companionPathFor(r.target);
    return withCompanion.toJson();
}

void OfficeJob::start(const Request& request)
{
    if (m_process) {
        Result busy;
        busy.error = QStringLiteral("another office export is still running");
        Q_EMIT finished(busy);
        return;
    }
    m_step = Step::Start;
    m_done = false;
    m_failed = false;
    m_stopReason.clear();
    m_stderr.clear();
    m_result = Result();

    m_process = new QProcess(this);
    // The helper follows this process: it ends with its office when this one ends.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORVINK_PARENT"),
                       QString::number(QCoreApplication::applicationPid()));
    if (!m_sofficePath.isEmpty())
        environment.insert(QStringLiteral("QUORVINK_SOFFICE"), m_sofficePath);
    m_process->setProcessEnvironment(environment);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &OfficeJob::readAnswers);
    connect(m_process, &QProcess::readyReadStandardError, this, [this] {
        m_stderr += m_process->readAllStandardError();
        if (m_stderr.size() > kStderrKept)
            m_stderr = m_stderr.right(kStderrKept);
    });
    connect(m_process, &QProcess::finished, this, &OfficeJob::onFinished);
    connect(m_process, &QProcess::errorOccurred, this, &OfficeJob::onError);

    m_limit.start(m_timeLimit);
    m_process->start(m_helperPath, QStringList());
    if (!m_process)
        return; // it could not be started, and the job has finished already
    m_process->write(requestJson(request));
    m_process->closeWriteChannel();
}

void OfficeJob::kill()
{
    stopFor(QStringLiteral("the office export was stopped"), Cause::Stopped);
}

void OfficeJob::stopFor(const QString& reason, Cause cause)
{
    if (!m_process || !m_stopReason.isEmpty())
        return;
    m_stopReason = reason;
    m_stopCause = cause;
    m_process->terminate();
    m_killLater.start(kCleanupMs);
}

void OfficeJob::readAnswers()
{
    while (m_process && m_process->canReadLine())
        answer(m_process->readLine().trimmed());
}

void OfficeJob::answer(const QByteArray& line)
{
    const std::optional<OfficeAnswer> a = OfficeAnswer::fromJson(line);
    if (!a)
        return;
    switch (a->type) {
    case OfficeAnswer::Type::Step:
        if (a->step) {
            m_step = *a->step;
            Q_EMIT stepChanged(m_step);
        }
        break;
    case OfficeAnswer::Type::OfficePid:
        m_result.officePid = a->officePid;
        break;
    case OfficeAnswer::Type::Done:
        m_done = true;
        m_result.slides = a->slides;
        break;
    case OfficeAnswer::Type::Failed:
        m_failed = true;
        if (a->step)
            m_step = *a->step;
        m_result.error = a->error;
        // The helper's own bound of the step ran out.
        if (a->timedOut)
            m_result.cause = Cause::TimeLimit;
        else if (a->refused == OfficeRefusal::Links)
            m_result.cause = Cause::Linked;
        break;
    }
}

void OfficeJob::onFinished(int exitCode, QProcess::ExitStatus status)
{
    readAnswers();
    const bool normal = status == QProcess::NormalExit && m_stopReason.isEmpty();
    m_result.ok = normal && exitCode == 0 && m_done;
    if (!m_result.ok) {
        m_result.failedStep = m_step;
        if (!m_stopReason.isEmpty()) {
            m_result.error = m_stopReason;
            m_result.cause = m_stopCause;
        } else if (!m_failed) {
            m_result.cause = Cause::HelperEnded;
            const QString said = QString::fromLocal8Bit(m_stderr).trimmed();
            m_result.error =
                (status == QProcess::CrashExit
                     ? QStringLiteral("the office helper crashed")
                     : QStringLiteral("the office helper ended without finishing (exit code %1)")
                           .arg(exitCode)) +
                (said.isEmpty() ? QString() : QStringLiteral(": ") + said);
        }
        // A helper that did not end its own way may have left its office in any state.
        if (!normal || !m_failed)
            killOffice();
    }
    finish();
}

void OfficeJob::onError(QProcess::ProcessError error)
{
    if (error != QProcess::FailedToStart)
        return; // the end of the process follows through finished()
    m_result.failedStep = Step::Start;
    m_result.error = QStringLiteral("cannot start the office helper %1: %2")
                         .arg(m_helperPath, m_process->errorString());
    finish();
}

void OfficeJob::killOffice()
{
#ifdef Q_OS_UNIX
    if (m_result.officePid > 0)
        ::kill(-pid_t(m_result.officePid), SIGKILL);
#endif
}

void OfficeJob::finish()
{
    m_limit.stop();
    m_killLater.stop();
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
    const Result result = m_result;
    Q_EMIT finished(result);
}
