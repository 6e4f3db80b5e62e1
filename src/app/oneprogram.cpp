#include "app/oneprogram.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace {

// What a later start sends, and what the program answers once its window is in front.
constexpr char kAsk[] = "show\n";
constexpr char kAnswer[] = "shown\n";
// Requests longer than this are no request of the program's.
constexpr qint64 kMaxAsk = 64;
// How often a later start tries to connect while the program has not begun listening yet.
constexpr int kRetryMs = 50;

} // namespace

OneProgram::OneProgram(const QString& root, const QString& lockPath, QObject* parent)
    : QObject(parent), m_name(serverName(root)), m_lock(lockPath)
{
    // Only a lock whose program has ended is stale, never one that is merely old.
    m_lock.setStaleLockTime(0);
}

OneProgram::~OneProgram() = default;

QString OneProgram::serverName(const QString& root)
{
    const QString canonical = QFileInfo(root).canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash((canonical.isEmpty() ? root : canonical).toUtf8(),
                                 QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    // The runtime folder is the user's own; without one the temporary folder, with the user's
    // number in the name.
    QString folder;
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") &&
        QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR")).isDir())
        folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    else
        folder = QDir::tempPath() + QStringLiteral("/orvelquorvink-%1").arg(::getuid());
    return folder + QStringLiteral("/orvelquorvink-") + QString::fromLatin1(hash);
}

bool OneProgram::claim()
{
    QDir().mkpath(QFileInfo(m_lock.fileName()).absolutePath());
    if (!m_lock.tryLock(0) && m_lock.error() == QLockFile::LockFailedError)
        return false;
    const QString folder = QFileInfo(m_name).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a program that ended without removing it: the lock says none runs.
    QLocalServer::removeServer(m_name);
    m_server->listen(m_name);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
        }
    });
    return true;
}

void OneProgram::answer(QLocalSocket* socket)
{
    if (socket->bytesAvailable() > kMaxAsk) {
        socket->abort();
        return;
    }
    if (!socket->canReadLine())
        return;
    if (socket->readLine() == kAsk) {
        emit showRequested();
        socket->write(kAnswer);
    }
    socket->disconnectFromServer();
}

bool OneProgram::askToShow(int waitMs) const
{
    const QDeadlineTimer deadline(waitMs);
    QLocalSocket socket;
    // The program may hold the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(m_name);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kRetryMs);
    }
    socket.write(kAsk);
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.readLine() == kAnswer;
}
