#include "export/officesession.h"

#include "core/wait.h"

#include <QProcess>

#include <chrono>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

// The most an export may take, and the time a stopped helper has to end; beyond both the wait
// gives up on it.
constexpr std::chrono::milliseconds kJobLimit{std::chrono::minutes(5)};
constexpr int kStopMs = 5000;
// The most the office may take to end at exit.
constexpr int kQuitMs = 20000;

} // namespace

OfficeSession::OfficeSession(QString profile, QObject* parent)
    : QObject(parent), m_profile(std::move(profile))
{
}

OfficeSession::~OfficeSession()
{
    quit();
}

OfficeJob::Result OfficeSession::run(OfficeJob::Request request)
{
    request.profile = m_profile;
    request.keepOffice = true;
    std::optional<OfficeJob::Result> result;
    OfficeJob job;
    job.setTimeLimit(kJobLimit);
    connect(&job, &OfficeJob::stepChanged, this, &OfficeSession::stepChanged);
    connect(&job, &OfficeJob::finished, this,
            [&result](const OfficeJob::Result& r) { result = r; });
    m_kept = true;
    job.start(request);
    const auto ended = [&result] { return result.has_value(); };
    if (!Wait::until(ended, int(kJobLimit.count()) + kStopMs)) {
        job.kill();
        Wait::until(ended, kStopMs);
    }
    if (!result) {
        // The job's destructor kills the helper and its office.
        OfficeJob::Result lost;
        lost.error = QStringLiteral("the office export did not end");
        return lost;
    }
    if (result->officePid > 0)
        m_officePid = result->officePid;
    return *result;
}

void OfficeSession::quit()
{
    if (!m_kept)
        return;
    m_kept = false;
    OfficeJob::Request request;
    request.kind = OfficeJob::Kind::Quit;
    request.profile = m_profile;
    QProcess helper;
    helper.start(OfficeJob::defaultHelperPath(), QStringList());
    if (helper.waitForStarted(kQuitMs)) {
        helper.write(OfficeJob::requestJson(request));
        helper.closeWriteChannel();
        if (helper.waitForFinished(kQuitMs) && helper.exitStatus() == QProcess::NormalExit &&
            helper.exitCode() == 0)
            return;
        helper.kill();
        helper.waitForFinished(kStopMs);
    }
#ifdef Q_OS_UNIX
    // The helper could not end the office: its process group goes.
    if (m_officePid > 0)
        ::kill(-pid_t(m_officePid), SIGKILL);
#endif
}
