#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslServer>
#include <QString>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A small HTTP/1.1 server on 127.0.0.1 for tests: fixed pages by path, a count of the requests
// each path received, and pages that never finish loading.
class HttpServer : public QObject {
    Q_OBJECT
public:
    explicit HttpServer(QObject* parent = nullptr);

    bool start(); // listens on a free port of 127.0.0.1
    // The same over TLS, with this certificate and RSA key (PEM): https addresses.
    bool startTls(const QByteArray& certificate, const QByteArray& key);
    quint16 port() const;
    QUrl url(const QString& path) const; // http://127.0.0.1:PORT/path
    QString hostPort() const;            // 127.0.0.1:PORT

    void setPage(const QString& path, const QByteArray& body,
                 const QByteArray& contentType = QByteArrayLiteral("text/html; charset=utf-8"),
                 int status = 200);
    // A page behind HTTP Basic authentication: without the user and password ("user:password")
    // the answer is 401 with the realm given and a page of its own, titled "Locked".
    void setLoginPage(const QString& path, const QByteArray& body, const QByteArray& realm,
                      const QByteArray& userPassword);
    // A page whose body never ends: the view stays busy until it is stopped.
    void setHangingPage(const QString& path, const QByteArray& start);
    // A file with extra header lines ("Content-Disposition: attachment\r\n"). Announced whole,
    // it is sent whole, or half of it and then the connection is closed, or half of it and then
    // nothing more.
    enum class Delivery { Whole, DropsHalfway, StallsHalfway };
    void setFile(const QString& path, const QByteArray& body, const QByteArray& contentType,
                 const QByteArray& headers, Delivery delivery = Delivery::Whole);
    int requestCount(const QString& path) const;

    // Every request received, in order: its method, path and User-Agent.
    struct Request {
        QByteArray method;
        QString path;
        QByteArray userAgent;
    };
    const QList<Request>& requests() const { return m_requests; }

private:
    struct Page {
        QByteArray body;
        QByteArray contentType;
        int status = 200;
        bool hangs = false;
        QByteArray headers;
        Delivery delivery = Delivery::Whole;
        QByteArray realm;
        QByteArray credentials; // "user:password"; empty: no login
    };
    void serve(QTcpSocket* socket);

    QTcpServer m_server;
    QSslServer m_tls;
    bool m_isTls = false;
    QHash<QString, Page> m_pages;
    QHash<QString, int> m_counts;
    QList<Request> m_requests;
};
