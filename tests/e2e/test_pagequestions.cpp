// What pages ask of the user beyond their content, through the real window against pages served
// from 127.0.0.1: a site's login, a page's permission requests and full screen, and that none of
// them opens a window while the program waits in place, where it could never be answered.
#include "testguard.h"

#include "appfixture.h"
#include "browse/pageguard.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "core/wait.h"
#include "httpserver.h"
#include "testmain.h"
#include "windows/frmlogin.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTimer>

#include <optional>

namespace {

const QByteArray kOpen = "<html><head><title>Open</title></head><body>inside</body></html>";

// An HTTPS server on 127.0.0.1 with a certificate that signs itself (valid for that address,
// issued by no authority): every request is answered with a page titled "Secure" and counted.
class SelfSignedServer : public QObject {
public:
    bool start()
    {
        const QString data = QStringLiteral(QUORVINK_SOURCE_DIR "/tests/e2e/data/");
        QFile certificate(data + QStringLiteral("selfsigned-127.0.0.1.crt"));
        QFile key(data + QStringLiteral("selfsigned-127.0.0.1.key"));
        if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
            return false;
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(QSslCertificate(certificate.readAll()));
        configuration.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
        m_server.setSslConfiguration(configuration);
        connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (auto* socket = qobject_cast<QSslSocket*>(m_server.nextPendingConnection())) {
                socket->setParent(this);
                connect(socket, &QSslSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        return m_server.listen(QHostAddress::LocalHost, 0);
    }
    QUrl url(const QString& path) const
    {
        return QUrl(QStringLiteral("https://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(path));
    }
    int requests = 0;

private:
    void serve(QSslSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        while (buffer.contains("\r\n\r\n")) {
            buffer.remove(0, buffer.indexOf("\r\n\r\n") + 4);
            ++requests;
            const QByteArray body = htmlPage(QStringLiteral("Secure"));
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                          QByteArray::number(body.size()) + "\r\nCache-Control: no-store\r\n\r\n" +
                          body);
        }
    }
    QSslServer m_server;
    QHash<QSslSocket*, QByteArray> m_buffers;
};

} // namespace

class TestPageQuestions : public QObject {
    Q_OBJECT

    HttpServer server;
    HttpServer other; // a site of its own for the requests while the program waits
    SelfSignedServer secure;
    AppFixture app;

    // The windows the program opened, as they were seen, and the answers given to them in turn:
    // a login as "user:password" (empty: cancel), a question as "yes" or "no".
    struct Seen {
        QString kind; // "login" or "question"
        QString text; // every label's text, one per line
        bool plain = true;
        bool again = false;
    };
    QList<Seen> seen;
    QStringList answers;
    QTimer answerer;

    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }
    BrowserView* view() { return app.view(0); }
    QString caption(int number) const { return app.module->Lang_Text.textOrEnglish(number); }
    QString title() { return view()->LocationName(); }

    // Finds an open login window or question and answers it with the next answer.
    void answerWindows()
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            Seen s;
            for (const QLabel* label : top->findChildren<QLabel*>()) {
                if (label->text().isEmpty())
                    continue;
                s.text += label->text() + QLatin1Char('\n');
                s.plain = s.plain && label->textFormat() == Qt::PlainText;
            }
            const auto answer = [this] {
                return answers.isEmpty() ? QString() : answers.takeFirst();
            };
            if (auto* login = qobject_cast<frmLogin*>(top)) {
                s.kind = QStringLiteral("login");
                s.again = login->findChild<QLabel*>(QStringLiteral("labAgain")) != nullptr;
                seen.append(s);
                const QString given = answer();
                if (given.isEmpty()) {
                    login->reject();
                    return;
                }
                QTest::keyClicks(login->user(), given.section(QLatin1Char(':'), 0, 0));
                QTest::keyClicks(login->password(), given.section(QLatin1Char(':'), 1));
                QTest::keyClick(login->password(), Qt::Key_Return);
                return;
            }
            if (auto* box = qobject_cast<QMessageBox*>(top);
                box && box->objectName() == QLatin1String("YesNoQuestion")) {
                s.kind = QStringLiteral("question");
                s.plain = box->textFormat() == Qt::PlainText;
                seen.append(s);
                if (answer() == QLatin1String("yes"))
                    box->button(QMessageBox::Yes)->click();
                else
                    QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
        }
    }

    // Runs a script in the page's own world (as the page's own script would).
    void pageScript(const QString& script) { view()->page()->runJavaScript(script); }

    bool open(const QUrl& url)
    {
        view()->Navigate(url.toString());
        return AppFixture::waitFor(view(), url);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(server.start() && other.start() && secure.start());
        other.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Other")));
        server.setPage(QStringLiteral("ask.html"), htmlPage(QStringLiteral("Ask")));
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("button.html"),
                       htmlPage(QStringLiteral("Button"),
                                QStringLiteral("<button style='width:100%;height:600px' "
                                               "onclick='document.documentElement."
                                               "requestFullscreen()'>Full</button>")));
        QVERIFY(startShared(app, QStringLiteral("http://") + server.hostPort(),
                            server.url(QStringLiteral("home.html")), kTestTimings));
        connect(&answerer, &QTimer::timeout, this, &TestPageQuestions::answerWindows);
        answerer.start(30);
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(server.url(QStringLiteral("home.html"))));
        seen.clear();
        answers.clear();
    }

    void cleanupTestCase() { app.close(); }

    // A site behind a login opens after the login window, one request per answer beyond the
    // first; a wrong answer is asked again and says so; Cancel shows the server's own answer
    // page. The server's realm is shown as plain text, cut to a bounded length.
    void login_data()
    {
        QTest::addColumn<QByteArray>("realm");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<int>("requests");
        QTest::addRow("right at once")
            << QByteArray("Staff") << QStringList{"anna:s3cret"} << "Open" << 2;
        QTest::addRow("wrong, then right")
            << QByteArray("Desk") << QStringList{"anna:wrong", "anna:s3cret"} << "Open" << 3;
        QTest::addRow("cancelled")
            << QByteArray("Vault") << QStringList{QString()} << "Locked" << 1;
        QTest::addRow("wrong, then cancelled")
            << QByteArray("Attic") << QStringList{"anna:wrong", QString()} << "Locked" << 2;
        QTest::addRow("markup and a long realm")
            << QByteArray("<b>Bold</b> <img src=x onerror=alert(1)> ").append(400, 'x')
            << QStringList{"anna:s3cret"} << "Open" << 2;
    }

    void login()
    {
        QFETCH(QByteArray, realm);
        QFETCH(QStringList, given);
        QFETCH(QString, shows);
        QFETCH(int, requests);
        // A path and realm of each row's own: the engine keeps an accepted login for the run.
        const QString path = QStringLiteral("%1/page.html")
                                 .arg(QString::fromLatin1(QTest::currentDataTag())
                                          .replace(QRegularExpression(QStringLiteral("[^a-z]")),
                                                   QStringLiteral("-")));
        server.setLoginPage(path, kOpen, realm, "anna:s3cret");
        answers = given;
        view()->Navigate(server.url(path).toString());
        QTRY_COMPARE_WITH_TIMEOUT(title(), shows, 20'000);
        QTRY_VERIFY(!view()->Busy());
        QCOMPARE(server.requestCount(path), requests);
        QCOMPARE(seen.size(), given.size());
        for (int i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen[i].kind, QStringLiteral("login"));
            QVERIFY(seen[i].plain);
            QVERIFY(seen[i].text.contains(
                caption(CaptionNo::LoginSite).arg(QStringLiteral("127.0.0.1"))));
            QCOMPARE(seen[i].again, i > 0);
        }
        const QString realmLine = seen.value(0).text.section(QLatin1Char('\n'), 1, 1);
        const QString prefix = caption(CaptionNo::LoginRealm).arg(QString());
        QVERIFY2(realmLine.startsWith(prefix), qPrintable(realmLine));
        QVERIFY(realmLine.size() <= prefix.size() + 120);
        QVERIFY(QString::fromLatin1(realm).startsWith(realmLine.mid(prefix.size()).chopped(1)) ||
                realmLine.mid(prefix.size()) == QString::fromLatin1(realm));
        QVERIFY(!answers.size());
    }

    // A page asking for notifications is asked about once per site and run: the question names
    // the site and the feature, and the answer holds for the next request unasked.
    void permissionAskedOnce_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("result");
        QTest::addRow("refused") << "127.0.0.1"
                                 << "no"
                                 << "denied";
        QTest::addRow("granted") << "localhost"
                                 << "yes"
                                 << "granted";
    }

    void permissionAskedOnce()
    {
        QFETCH(QString, host);
        QFETCH(QString, answer);
        QFETCH(QString, result);
        QUrl url = server.url(QStringLiteral("ask.html"));
        url.setHost(host);
        QVERIFY(open(url));
        const QString ask = QStringLiteral(
            "Notification.requestPermission().then(r => document.title = 'answer-' + r)");
        for (int round = 0; round < 2; ++round) {
            answers = QStringList{answer};
            pageScript(QStringLiteral("document.title = 'asking'"));
            QTRY_COMPARE(title(), QStringLiteral("asking"));
            pageScript(ask);
            QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("answer-") + result, 10'000);
        }
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].kind, QStringLiteral("question"));
        QVERIFY(seen[0].plain);
        QVERIFY2(seen[0].text.contains(caption(CaptionNo::PermissionQuestion)
                                           .arg(host, caption(CaptionNo::FeatureNotifications))),
                 qPrintable(seen[0].text));
    }

    // A page's full-screen request is granted; leaving full screen (the page's own exit, what
    // Escape does) shows the window as it was, with the page back in its view.
    void fullScreen_data()
    {
        QTest::addColumn<bool>("maximized");
        QTest::addColumn<bool>("escape");
        QTest::addRow("normal window, page's exit") << false << false;
        QTest::addRow("maximized window, Escape") << true << true;
    }

    void fullScreen()
    {
        QFETCH(bool, maximized);
        QFETCH(bool, escape);
        if (maximized) {
            w().showMaximized();
            QTRY_VERIFY(w().geometry() != AppFixture::standardPlace());
        }
        const QRect place = w().geometry();
        const Qt::WindowStates state = w().windowState();
        QVERIFY(open(server.url(QStringLiteral("button.html"))));
        PageGuard& guard = root().pageGuard();
        QSignalSpy changed(&guard, &PageGuard::fullScreenChanged);
        QWidget* input = view()->widget()->focusProxy();
        QVERIFY(input);
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(100, 100));
        QTRY_VERIFY_WITH_TIMEOUT(guard.inFullScreen(), 10'000);
        QCOMPARE(changed.size(), 1);
        QWidget* full = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == QLatin1String("FullScreenView") && top->isVisible())
                full = top;
        }
        QVERIFY(full);
        QVERIFY(full->isFullScreen());
        QTRY_VERIFY(evaluate(view(), QStringLiteral("!!document.fullscreenElement")).toBool());

        if (escape)
            QTest::keyClick(full->focusWidget() ? full->focusWidget() : full, Qt::Key_Escape);
        else
            view()->trigger(QWebEnginePage::ExitFullScreen);
        QTRY_VERIFY(!guard.inFullScreen());
        QCOMPARE(changed.size(), 2);
        QVERIFY(view()->widget()->page() == view()->page());
        QTRY_VERIFY(!evaluate(view(), QStringLiteral("!!document.fullscreenElement")).toBool());
        QCOMPARE(w().windowState(), state);
        QTRY_COMPARE(w().geometry(), place);
        // The page still works in its view.
        QVERIFY(open(server.url(QStringLiteral("home.html"))));
    }

    // A certificate that no authority issued is a question naming the host and why, in the
    // interface's words. No: the engine's error page, and no request reaches the server. While
    // the program waits in place (its own fetches) the answer is no, unasked. Yes: the site
    // opens, and the host passes unasked for the rest of the run.
    void certificateError()
    {
        const QString question =
            caption(CaptionNo::CertificateQuestion)
                .arg(QStringLiteral("127.0.0.1"), caption(CaptionNo::CertificateAuthority));
        QSignalSpy ended(view(), &BrowserView::documentComplete);
        view()->Navigate(secure.url(QStringLiteral("first.html")).toString());
        QVERIFY(Wait::until([&ended] { return !ended.isEmpty(); }, 15000));
        QCOMPARE(QUrl(view()->LocationURL()), secure.url(QStringLiteral("first.html")));
        QVERIFY(seen.isEmpty());
        QCOMPARE(secure.requests, 0);

        answers = QStringList{QStringLiteral("no")};
        view()->Navigate(secure.url(QStringLiteral("second.html")).toString());
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), 1, 15'000);
        QTRY_VERIFY(!view()->Busy());
        QVERIFY(seen[0].plain);
        QVERIFY2(seen[0].text.contains(question), qPrintable(seen[0].text));
        QVERIFY(view()->LocationName() != QLatin1String("Secure"));
        QCOMPARE(secure.requests, 0);

        answers = QStringList{QStringLiteral("yes")};
        view()->Navigate(secure.url(QStringLiteral("third.html")).toString());
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("Secure"), 15'000);
        QCOMPARE(seen.size(), 2);
        view()->Navigate(secure.url(QStringLiteral("fourth.html")).toString());
        QTRY_COMPARE(secure.requests, 2);
        QCOMPARE(seen.size(), 2);
    }

    // While the program waits in place no page window opens: an alert and a confirm are answered
    // at once (as cancelled), a login is cancelled (the server's page shows), and a permission
    // request is held back and asked once the wait is over.
    void nothingOpensWhileWaiting()
    {
        QVERIFY(open(other.url(QStringLiteral("home.html"))));
        bool modalSeen = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&modalSeen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalSeen = true;
                modal->close(); // so that a failing run ends
            }
        });
        watch.start(20);
        answerer.stop();
        auto restart = qScopeGuard([this] { answerer.start(30); });
        QElapsedTimer took;

        pageScript(QStringLiteral("setTimeout(() => { alert('stop'); "
                                  "document.title = confirm('sure?') ? 'yes' : 'after'; }, 100)"));
        took.start();
        QVERIFY(Wait::until([this] { return title() == QLatin1String("after"); }, 8000));
        QVERIFY(took.elapsed() < 5000);

        pageScript(QStringLiteral(
            "setTimeout(() => Notification.requestPermission().then(r => document.title = r), "
            "100)"));
        Wait::sleep(1000);
        QCOMPARE(title(), QStringLiteral("after"));

        const QString path = QStringLiteral("waiting/page.html");
        other.setLoginPage(path, kOpen, "Waiting", "anna:s3cret");
        BrowserView* second = app.view(1);
        second->Navigate(other.url(path).toString());
        QVERIFY(Wait::until([second] { return second->LocationName() == QLatin1String("Locked"); },
                            8000));
        QVERIFY(!modalSeen);
        QVERIFY(seen.isEmpty());

        // After the wait the permission is asked.
        watch.stop();
        restart.dismiss();
        answerer.start(30);
        answers = QStringList{QStringLiteral("yes")};
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("granted"), 10'000);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].kind, QStringLiteral("question"));
    }
};

QUORVINK_TEST_MAIN(TestPageQuestions)
#include "test_pagequestions.moc"
