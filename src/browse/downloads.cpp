#include "browse/downloads.h"

#include "browse/downloadnames.h"
#include "config/captionnumbers.h"
#include "config/extsettings.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include <filesystem>
#include <system_error>

namespace {

const char* const kOwnDownloads = "quorvinkOwnDownloads";

// The part file, and the engine's own file of the data received so far, which it names after it.
void removePart(const QString& part)
{
    for (const QString& path : {part, part + QStringLiteral(".download")}) {
        if (QFileInfo(path).isFile())
            QFile::remove(path);
    }
}

} // namespace

Downloads::Downloads(Context context, QObject* parent) : QObject(parent), c(context) {}

void Downloads::watch(QWebEngineProfile* profile)
{
    connect(profile, &QWebEngineProfile::downloadRequested, this,
            [this, profile](QWebEngineDownloadRequest* request) {
                // The exports wait for their own downloads: web archives, a page's pictures.
                if (request->isSavePageDownload() || OwnDownloads::active(profile))
                    return;
                requested(request);
            });
}

void Downloads::requested(QWebEngineDownloadRequest* request)
{
    if (request->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;
    // A page may start downloads by script, one after the other: while the user decides on
    // one, and right after a refusal, the others are refused without a dialog.
    if (refusing()) {
        request->cancel();
        return;
    }
    const QString folder = DownloadNames::folder(c.settings.value(ExtKeys::DownloadFolder));
    const QString proposed =
        QDir(folder).filePath(DownloadNames::safeName(request->suggestedFileName()));
    QPointer<QWebEngineDownloadRequest> guard(request);
    m_asking = true;
    const std::optional<QString> chosen =
        c.desktop.askSaveFile(c.window, c.captions.textOrEnglish(CaptionNo::DownloadSaveTitle),
                              QString(), proposed, nullptr, {.rememberFolder = false});
    m_asking = false;
    m_closed.start();
    const bool refused = !chosen || chosen->isEmpty();
    m_quietMs = refused ? kRefusedQuietMs : kHeldBackMs;
    if (!guard)
        return;
    if (refused) {
        request->cancel();
        return;
    }
    const QFileInfo target(*chosen);
    // A settings file that cannot be written is told once a run; the folder holds for the run.
    c.settings.set(ExtKeys::DownloadFolder, target.absolutePath());
    if (const std::optional<TextFile::Result> problem = c.settings.takeProblem())
        c.desktop.report(c.window, FileMessages::text(c.captions, *problem));
    if (!guard || guard->state() != QWebEngineDownloadRequest::DownloadRequested)
        return;

    Transfer transfer;
    transfer.request = request;
    transfer.target = target.absoluteFilePath();
    transfer.part = DownloadNames::partPath(transfer.target);
    request->setDownloadDirectory(QFileInfo(transfer.part).absolutePath());
    request->setDownloadFileName(QFileInfo(transfer.part).fileName());
    m_transfers.append(transfer);
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this,
            [this, request] { progress(request); });
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this,
            [this, request] { progress(request); });
    connect(request, &QWebEngineDownloadRequest::stateChanged, this,
            [this, request] { settle(request); });
    connect(request, &QWebEngineDownloadRequest::interruptReasonChanged, this,
            [this, request] { settle(request); });
    request->accept();
    emit changed();
}

qsizetype Downloads::indexOf(const QWebEngineDownloadRequest* request) const
{
    for (qsizetype i = 0; i < m_transfers.size(); ++i) {
        if (m_transfers[i].request == request)
            return i;
    }
    return -1;
}

void Downloads::progress(QWebEngineDownloadRequest* request)
{
    const qsizetype i = indexOf(request);
    if (i < 0 || m_transfers[i].state != State::Running)
        return;
    m_transfers[i].received = request->receivedBytes();
    m_transfers[i].total = request->totalBytes() > 0 ? request->totalBytes() : -1;
    emit changed();
}

void Downloads::settle(QWebEngineDownloadRequest* request)
{
    const qsizetype i = indexOf(request);
    if (i < 0)
        return;
    Transfer& t = m_transfers[i];
    // A transfer ended here ends in the engine later: nothing of it may stay.
    if ((t.state == State::Cancelled || t.state == State::Failed) && request->isFinished())
        removePart(t.part);
    if (t.state != State::Running)
        return;
    // The engine tries an interrupted transfer again by itself, and may stay at that for good:
    // this program does not resume, the first interruption ends the transfer.
    QWebEngineDownloadRequest::DownloadState state = request->state();
    if (request->interruptReason() != QWebEngineDownloadRequest::NoReason &&
        state == QWebEngineDownloadRequest::DownloadInProgress)
        state = QWebEngineDownloadRequest::DownloadInterrupted;
    switch (state) {
    case QWebEngineDownloadRequest::DownloadCompleted: {
        t.received = request->receivedBytes();
        t.total = t.received;
        // The file as the engine wrote it, in case it had to name it otherwise.
        t.part = QDir(request->downloadDirectory()).filePath(request->downloadFileName());
        // Replaces a file of that name, which the user agreed to in the dialog, in one step.
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(t.part).toStdString(),
                                QFile::encodeName(t.target).toStdString(), error);
        if (error) {
            t.state = State::Failed;
            t.why = QString::fromLocal8Bit(error.message());
            emit changed();
            c.desktop.report(c.window, c.captions.textOrEnglish(CaptionNo::DownloadNotNamed)
                                           .arg(QDir::toNativeSeparators(t.target), t.why,
                                                QDir::toNativeSeparators(t.part)));
            return;
        }
        t.state = State::Done;
        emit changed();
        return;
    }
    case QWebEngineDownloadRequest::DownloadCancelled:
        t.state = State::Cancelled;
        removePart(t.part);
        emit changed();
        return;
    case QWebEngineDownloadRequest::DownloadInterrupted: {
        t.state = State::Failed;
        t.why = c.captions.textOrEnglish(DownloadNames::reasonCaption(request->interruptReason()));
        // The engine keeps what came of an interrupted transfer, to resume it: this program
        // does not, so nothing is left of it.
        request->cancel();
        removePart(t.part);
        const QString message = c.captions.textOrEnglish(CaptionNo::DownloadFailed)
                                    .arg(QDir::toNativeSeparators(t.target), t.why);
        emit changed();
        c.desktop.report(c.window, message);
        return;
    }
    default:
        return;
    }
}

int Downloads::running() const
{
    int n = 0;
    for (const Transfer& t : m_transfers)
        n += t.state == State::Running ? 1 : 0;
    return n;
}

int Downloads::share() const
{
    double sum = 0;
    int n = 0;
    for (const Transfer& t : m_transfers) {
        if (t.state != State::Running)
            continue;
        sum += t.total > 0 ? std::min(1.0, double(t.received) / double(t.total)) : 0.5;
        ++n;
    }
    return n == 0 ? 100 : int(sum * 100 / n);
}

void Downloads::cancel(int index)
{
    if (index < 0 || index >= m_transfers.size() || m_transfers[index].state != State::Running)
        return;
    Transfer& t = m_transfers[index];
    // Marked first: the engine reports the end later, and the file must be gone now.
    t.state = State::Cancelled;
    if (t.request)
        t.request->cancel();
    removePart(t.part);
    emit changed();
}

void Downloads::cancelAll()
{
    for (int i = 0; i < m_transfers.size(); ++i)
        cancel(i);
}

bool Downloads::mayEnd()
{
    const int n = running();
    if (n == 0)
        return true;
    if (!c.desktop.askYesNo(
            c.window, Desktop::messageTitle(),
            c.captions.textOrEnglish(CaptionNo::ExitWhileDownloading).arg(QString::number(n))))
        return false;
    cancelAll();
    return true;
}

OwnDownloads::OwnDownloads(QWebEngineProfile* profile) : m_profile(profile)
{
    if (m_profile)
        m_profile->setProperty(kOwnDownloads, m_profile->property(kOwnDownloads).toInt() + 1);
}

OwnDownloads::~OwnDownloads()
{
    if (m_profile)
        m_profile->setProperty(kOwnDownloads, m_profile->property(kOwnDownloads).toInt() - 1);
}

bool OwnDownloads::active(const QWebEngineProfile* profile)
{
    return profile && profile->property(kOwnDownloads).toInt() > 0;
}
