#include "export/officesession.h"

#include "core/wait.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QWidget>
#include <QWindow>

#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {

// The most an export may take, and the time a stopped helper has to end; beyond both the wait
// gives up on it.
constexpr std::chrono::milliseconds kJobLimit{std::chrono::minutes(5)};
constexpr int kStopMs = 5000;
// The most the office may take to end.
constexpr int kQuitMs = 20000;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

OfficeSession::OfficeSession(QString profile, QObject* parent)
    : QObject(parent), m_profile(std::move(profile)), m_helperPath(OfficeJob::defaultHelperPath())
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(kIdleTime);
    connect(&m_idle, &QTimer::timeout, this, [this] {
        if (!m_job)
            endKeeper(true, false);
    });
}

OfficeSession::~OfficeSession()
{
    quit();
}

void OfficeSession::setIdleTime(std::chrono::milliseconds idle)
{
    m_idle.setInterval(idle);
}

void OfficeSession::setCancelControl(QWidget* control)
{
    m_cancelControl = control;
}

bool OfficeSession::keeping() const
{
    return m_keeper && m_keeper->state() != QProcess::NotRunning;
}

bool OfficeSession::startKeeper()
{
    if (keeping() && m_keeperEnding)
        m_keeper->waitForFinished(kQuitMs);
    if (keeping() && !m_keeperEnding)
        return true;
    if (m_keeper) {
        m_keeper->kill();
        m_keeper->waitForFinished(kStopMs);
        delete m_keeper;
    }
    m_keeperEnding = false;
    auto* keeper = new QProcess(this);
    m_keeper = keeper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORVINK_PARENT"),
                       QString::number(QCoreApplication::applicationPid()));
    keeper->setProcessEnvironment(environment);
    keeper->setStandardErrorFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // A process group of its own: a kill of the browser's whole group leaves the keeper to end
    // the office.
    keeper->setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    connect(keeper, &QProcess::readyReadStandardOutput, this, &OfficeSession::readKeeper);
    connect(keeper, &QProcess::finished, keeper, &QObject::deleteLater);
    keeper->start(m_helperPath, {QStringLiteral("--keep"), m_profile});
    return keeper->waitForStarted(kStopMs);
}

void OfficeSession::readKeeper()
{
    while (m_keeper && m_keeper->canReadLine()) {
        const auto answer = OfficeAnswer::fromJson(m_keeper->readLine().trimmed());
        if (answer && answer->type == OfficeAnswer::Type::OfficePid)
            m_officePid = answer->officePid;
    }
}

void OfficeSession::endKeeper(bool gently, bool wait)
{
    m_idle.stop();
    if (!keeping())
        return;
    if (!m_keeperEnding) {
        m_keeperEnding = true;
        // SIGTERM ends the keeper at once, whatever it is doing, and its office with it.
        if (gently) {
            m_keeper->write("quit\n");
            m_keeper->closeWriteChannel();
        } else {
            m_keeper->terminate();
        }
    }
    if (!wait || m_keeper->waitForFinished(kQuitMs))
        return;
    m_keeper->kill();
    m_keeper->waitForFinished(kStopMs);
#ifdef Q_OS_UNIX
    // The keeper could not end the office: its process group goes.
    if (m_officePid > 0)
        ::kill(-pid_t(m_officePid), SIGKILL);
#endif
}

void OfficeSession::warmUp()
{
    if (m_job || !helperInstalled() || !startKeeper())
        return;
    m_keeper->write("start\n");
    m_idle.start();
}

OfficeJob::Result OfficeSession::run(OfficeJob::Request request)
{
    m_idle.stop();
    startKeeper();
    request.profile = m_profile;
    request.keepOffice = true;
    std::optional<OfficeJob::Result> result;
    OfficeJob job;
    job.setHelperPath(m_helperPath);
    job.setTimeLimit(kJobLimit);
    connect(&job, &OfficeJob::stepChanged, this, &OfficeSession::stepChanged);
    connect(&job, &OfficeJob::finished, this,
            [&result](const OfficeJob::Result& r) { result = r; });

    m_job = &job;
    QCoreApplication::instance()->installEventFilter(this);
    emit waitingChanged(true);
    job.start(request);
    const auto ended = [&result] { return result.has_value(); };
    const bool timely = Wait::untilWithInput(ended, int(kJobLimit.count()) + kStopMs);
    if (!timely) {
        job.kill();
        Wait::untilWithInput(ended, kStopMs);
    }
    QCoreApplication::instance()->removeEventFilter(this);
    m_job = nullptr;
    emit waitingChanged(false);

    if (!result) {
        // The job's destructor kills the helper and its office.
        OfficeJob::Result lost;
        lost.cause = OfficeJob::Cause::HelperEnded;
        lost.error = QStringLiteral("the office export did not end");
        return lost;
    }
    if (!timely && !result->ok)
        result->cause = OfficeJob::Cause::TimeLimit;
    if (result->officePid > 0)
        m_officePid = result->officePid;
    if (keeping() && !m_keeperEnding)
        m_idle.start();
    return *result;
}

void OfficeSession::cancel()
{
    if (!m_job)
        return;
    m_job->kill();
    // Whichever helper started the office, the keeper ends it now.
    endKeeper(false, false);
}

void OfficeSession::quit()
{
    // The program is exiting in the middle of an export: the export ends with it.
    cancel();
    m_idle.stop();
    if (keeping() && m_keeperEnding) {
        m_keeper->waitForFinished(kQuitMs);
        return;
    }
    // An office that an export started outlives a keeper that went: a new keeper ends it.
    if (!keeping() && !(m_officePid > 0 && officeRunning()))
        return;
    if (startKeeper())
        endKeeper(true, true);
}

bool OfficeSession::officeRunning() const
{
#ifdef Q_OS_UNIX
    return m_officePid > 0 && ::kill(pid_t(m_officePid), 0) == 0;
#else
    return m_officePid > 0;
#endif
}

bool OfficeSession::passes(QObject* receiver) const
{
    // A window hands its input on to its widgets, which are filtered in turn.
    if (qobject_cast<QWindow*>(receiver))
        return true;
    for (QObject* o = receiver; o; o = o->parent()) {
        if (m_cancelControl && o == m_cancelControl)
            return true;
    }
    return false;
}

bool OfficeSession::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_job || !isUserInput(event->type()))
        return false;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return !passes(watched);
}
