#include "httpserver.h"

#include <QHostAddress>
#include <QSslKey>
#include <QTcpSocket>

HttpServer::HttpServer(QObject* parent) : QObject(parent)
{
    for (QTcpServer* server : {&m_server, static_cast<QTcpServer*>(&m_tls)}) {
        // A TLS connection is pending once its handshake is done.
        const auto take = [this, server] {
            while (QTcpSocket* socket = server->nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        };
        connect(server, &QTcpServer::newConnection, this, take);
        connect(server, &QTcpServer::pendingConnectionAvailable, this, take);
    }
}

bool HttpServer::start()
{
    return m_server.listen(QHostAddress::LocalHost, 0);
}

bool HttpServer::startTls(const QByteArray& certificate, const QByteArray& key)
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(certificate));
    tls.setPrivateKey(QSslKey(key, QSsl::Rsa));
    m_tls.setSslConfiguration(tls);
    m_isTls = true;
    return m_tls.listen(QHostAddress::LocalHost, 0);
}

quint16 HttpServer::port() const
{
    return m_isTls ? m_tls.serverPort() : m_server.serverPort();
}

QString HttpServer::hostPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port());
}

QUrl HttpServer::url(const QString& path) const
{
    return QUrl(
        QStringLiteral("%1://%2/%3")
            .arg(m_isTls ? QLatin1String("https") : QLatin1String("http"), hostPort(), path));
}

void HttpServer::setPage(const QString& path, const QByteArray& body, const QByteArray& contentType,
                         int status)
{
    m_pages.insert(path, Page{body, contentType, status, false, {}, Delivery::Whole, {}, {}});
}

void HttpServer::setLoginPage(const QString& path, const QByteArray& body, const QByteArray& realm,
                              const QByteArray& userPassword)
{
    m_pages.insert(path, Page{body,
                              QByteArrayLiteral("text/html; charset=utf-8"),
                              200,
                              false,
                              {},
                              Delivery::Whole,
                              realm,
                              userPassword});
}

void HttpServer::setHangingPage(const QString& path, const QByteArray& start)
{
    m_pages.insert(path, Page{start,
                              QByteArrayLiteral("text/html; charset=utf-8"),
                              200,
                              true,
                              {},
                              Delivery::Whole,
                              {},
                              {}});
}

void HttpServer::setFile(const QString& path, const QByteArray& body, const QByteArray& contentType,
                         const QByteArray& headers, Delivery delivery)
{
    m_pages.insert(path, Page{body, contentType, 200, false, headers, delivery, {}, {}});
}

int HttpServer::requestCount(const QString& path) const
{
    return m_counts.value(path);
}

void HttpServer::serve(QTcpSocket* socket)
{
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    int end;
    while ((end = buffer.indexOf("\r\n\r\n")) >= 0) {
        const QByteArray head = buffer.left(end);
        buffer.remove(0, end + 4);
        const QList<QByteArray> requestLine = head.split('\n').value(0).trimmed().split(' ');
        QString path = QString::fromLatin1(requestLine.value(1));
        path = path.mid(1).section(QLatin1Char('?'), 0, 0);
        m_counts[path] += 1;
        QByteArray userAgent;
        QByteArray authorization;
        for (const QByteArray& header : head.split('\n')) {
            if (header.toLower().startsWith("user-agent:"))
                userAgent = header.mid(11).trimmed();
            if (header.toLower().startsWith("authorization:"))
                authorization = header.mid(14).trimmed();
        }
        m_requests.append({requestLine.value(0), path, userAgent});
        const auto it = m_pages.constFind(path);
        if (it == m_pages.constEnd()) {
            socket->write("HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\n"
                          "Content-Length: 9\r\nCache-Control: no-store\r\n\r\nnot found");
            continue;
        }
        if (!it->credentials.isEmpty() && authorization != "Basic " + it->credentials.toBase64()) {
            const QByteArray locked = "<html><head><title>Locked</title></head><body>LOCKED</body>"
                                      "</html>";
            socket->write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"" +
                          it->realm + "\"\r\nContent-Type: text/html\r\nContent-Length: " +
                          QByteArray::number(locked.size()) +
                          "\r\nCache-Control: no-store\r\n\r\n" + locked);
            continue;
        }
        if (it->hangs) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + it->contentType +
                          "\r\nCache-Control: no-store\r\n\r\n" + it->body);
            continue; // no length and no end: the page keeps loading
        }
        const bool whole = it->delivery == Delivery::Whole;
        socket->write("HTTP/1.1 " + QByteArray::number(it->status) +
                      " OK\r\nContent-Type: " + it->contentType +
                      "\r\nContent-Length: " + QByteArray::number(it->body.size()) + "\r\n" +
                      it->headers + "Cache-Control: no-store\r\nConnection: keep-alive\r\n\r\n" +
                      (whole ? it->body : it->body.left(it->body.size() / 2)));
        if (it->delivery == Delivery::DropsHalfway) {
            socket->disconnectFromHost();
            break;
        }
        if (it->delivery == Delivery::StallsHalfway)
            break;
    }
    socket->setProperty("buffer", buffer);
}
