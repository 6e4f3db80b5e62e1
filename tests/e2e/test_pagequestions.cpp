// What pages ask of the user beyond their content, through the real window against pages served
// from 127.0.0.1: a site's login, a certificate no authority issued, a permission, full screen;
// and that none of them opens a window while the program waits in place.
#include "testguard.h"

#include "appfixture.h"
#include "browse/pageguard.h"
#include "browse/sitetext.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "core/wait.h"
#include "httpserver.h"
#include "testmain.h"
#include "windows/frmlogin.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

class TestPageQuestions : public QObject {
    Q_OBJECT

    HttpServer server;
    HttpServer secure; // its certificate signs itself
    AppFixture app;
    QTimer answerer;
    QStringList answers; // a login as "user:password" (empty: cancel), a question "yes" or "no"
    QStringList seen;    // the texts of the windows answered, all shown as plain text

    BrowserView* view() { return app.view(0); }
    QString caption(int number) const { return app.module->Lang_Text.textOrEnglish(number); }
    QString title() { return view()->LocationName(); }
    bool open(const QUrl& url)
    {
        view()->Navigate(url.toString());
        return AppFixture::waitFor(view(), url);
    }

    // Answers an open login window or question with the next answer.
    void answerWindows()
    {
        QWidget* top = QApplication::activeModalWidget();
        auto* login = qobject_cast<frmLogin*>(top);
        auto* box = top && !top->objectName().isEmpty() ? qobject_cast<QMessageBox*>(top) : nullptr;
        if (!login && !box)
            return;
        QString text;
        for (const QLabel* label : top->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            if (label->textFormat() != Qt::PlainText)
                text += QStringLiteral("<not plain>");
            text += label->text() + QLatin1Char('\n');
        }
        seen << text;
        const QString answer = answers.isEmpty() ? QString() : answers.takeFirst();
        if (box) {
            const bool yes = answer == QLatin1String("yes");
            if (top->objectName() == QLatin1String("PageDialog"))
                box->button(QMessageBox::Ok)->click();
            else
                box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        } else if (answer.isEmpty()) {
            login->reject();
        } else {
            QTest::keyClicks(login->user(), answer.section(QLatin1Char(':'), 0, 0));
            QTest::keyClicks(login->password(), answer.section(QLatin1Char(':'), 1));
            QTest::keyClick(login->password(), Qt::Key_Return);
        }
    }

private slots:
    void initTestCase()
    {
        const auto data = [](const char* name) {
            QFile file(QStringLiteral(QUORVINK_SOURCE_DIR "/tests/e2e/data/") +
                       QLatin1String(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QVERIFY(server.start() && secure.startTls(data("selfsigned-127.0.0.1.crt"),
                                                  data("selfsigned-127.0.0.1.key")));
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("full.html"),
                       htmlPage(QStringLiteral("Full"),
                                QStringLiteral("<button style='width:100%;height:600px' onclick="
                                               "'document.body.requestFullscreen()'>go</button>")));
        for (const char* page : {"a", "b", "c", "d"})
            secure.setPage(QLatin1String(page), htmlPage(QStringLiteral("Secure")));
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
    }

    void cleanupTestCase() { app.close(); }

    // The site opens after the login window with one request per answer beyond the first; a
    // wrong answer is asked again and says so; Cancel shows the server's own page. The realm
    // (the server's text) is shown as plain text, within its bound.
    void login_data()
    {
        QTest::addColumn<QByteArray>("realm");
        QTest::addColumn<QStringList>("given");
        QTest::addColumn<QString>("shows");
        QTest::addRow("right") << QByteArray("Staff") << QStringList{"anna:s3cret"} << "Open";
        QTest::addRow("wrong-right")
            << QByteArray("Desk") << QStringList{"anna:wrong", "anna:s3cret"} << "Open";
        QTest::addRow("wrong-cancel")
            << QByteArray("Attic") << QStringList{"anna:x", ""} << "Locked";
        QTest::addRow("markup")
            << QByteArray("<b>B</b><img src=x onerror=alert(1)>").append(300, 'x')
            << QStringList{""} << "Locked";
    }

    void login()
    {
        QFETCH(QByteArray, realm);
        QFETCH(QStringList, given);
        QFETCH(QString, shows);
        // Each row a path and realm of its own: the engine keeps an accepted login for the run.
        const QString path = QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral("/p");
        server.setLoginPage(path, htmlPage(QStringLiteral("Open")), realm, "anna:s3cret");
        answers = given;
        view()->Navigate(server.url(path).toString());
        QTRY_VERIFY_WITH_TIMEOUT(QUrl(view()->LocationURL()) == server.url(path) &&
                                     title() == shows && !view()->Busy(),
                                 20'000);
        QCOMPARE(server.requestCount(path), given.size() + (shows == QLatin1String("Open")));
        QCOMPARE(seen.size(), given.size());
        const QString realmLine =
            caption(CaptionNo::LoginRealm)
                .arg(SiteText::shown(QString::fromLatin1(realm), SiteText::kRealmChars));
        for (int i = 0; i < seen.size(); ++i) {
            QVERIFY2(!seen[i].contains("<not plain>") &&
                         seen[i].startsWith(caption(CaptionNo::LoginSite).arg("127.0.0.1") + '\n' +
                                            realmLine + '\n'),
                     qPrintable(seen[i]));
            QCOMPARE(seen[i].contains(caption(CaptionNo::LoginAgain)), i > 0);
        }
        QVERIFY(realmLine.size() < caption(CaptionNo::LoginRealm).size() + 120);
    }

    // A certificate no authority issued: while the program waits (its own fetches) it is refused
    // unasked; then a question naming host and reason: No leaves the engine's error page and no
    // request reaches the server; Yes opens the site, and the host passes unasked for the run.
    void certificateError()
    {
        QSignalSpy ended(view(), &BrowserView::documentComplete);
        view()->Navigate(secure.url(QStringLiteral("a")).toString());
        QVERIFY(Wait::until([&ended] { return !ended.isEmpty(); }, 15000));
        QVERIFY(seen.isEmpty());
        answers = QStringList{"no", "yes"};
        for (const char* page : {"b", "c", "d"}) {
            view()->Navigate(secure.url(QLatin1String(page)).toString());
            QTRY_VERIFY_WITH_TIMEOUT(!view()->Busy() && view()->LocationURL().endsWith(page),
                                     15000);
        }
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0], caption(CaptionNo::CertificateQuestion)
                                  .arg("127.0.0.1", caption(CaptionNo::CertificateAuthority)) +
                              '\n');
        QCOMPARE(secure.requestCount("b"), 0);
        QCOMPARE(secure.requestCount("c") + secure.requestCount("d"), 2);
        QCOMPARE(title(), QStringLiteral("Secure"));
    }

    // A page's own dialog shows its text as plain text. A permission asked while the program
    // waits is asked after the wait; a page's alert then is answered at once, and its login
    // refused. The answer holds for the site for the run.
    void permissionAfterTheWait()
    {
        // Outside a wait the page's own dialog opens, its text plain whatever it holds.
        view()->page()->runJavaScript(QStringLiteral(
            "setTimeout(() => { alert('<b>Sure?</b>'); document.title = 'shown'; })"));
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("shown"), 10'000);
        QCOMPARE(seen.last(), QStringLiteral("<b>Sure?</b>\n"));
        seen.clear();
        const QString ask =
            QStringLiteral("Notification.requestPermission().then(r => document.title = r)");
        server.setLoginPage(QStringLiteral("wait/p"), "open", "W", "anna:s3cret");
        answers = QStringList{QStringLiteral("yes")};
        view()->page()->runJavaScript(QStringLiteral("alert('stop'); document.title = 'on'; ") +
                                      ask);
        app.view(1)->Navigate(server.url(QStringLiteral("wait/p")).toString());
        QVERIFY(Wait::until(
            [this] { return app.view(1)->LocationName() == "Locked" && title() == "on"; }, 8000));
        Wait::sleep(300);
        QVERIFY(seen.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("granted"), 10'000);
        view()->page()->runJavaScript(QStringLiteral("document.title = 'again'; ") + ask);
        QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("granted"), 10'000);
        QCOMPARE(seen, QStringList{caption(CaptionNo::PermissionQuestion)
                                       .arg("127.0.0.1", caption(CaptionNo::FeatureNotifications)) +
                                   '\n'});
    }

    // A page's full screen is granted; the page's own exit (what Escape asks for) shows the
    // maximized window as it was, with the page back in its view.
    void fullScreen()
    {
        app.window->showMaximized();
        QTRY_VERIFY(app.window->geometry() != AppFixture::standardPlace());
        const QRect place = app.window->geometry();
        QVERIFY(open(server.url(QStringLiteral("full.html"))));
        PageGuard& guard = app.browser->pageGuard();
        QTest::mouseClick(view()->widget()->focusProxy(), Qt::LeftButton, {}, QPoint(100, 100));
        QTRY_VERIFY_WITH_TIMEOUT(guard.inFullScreen(), 10'000);
        const QWidgetList tops = QApplication::topLevelWidgets();
        QVERIFY(std::any_of(tops.begin(), tops.end(),
                            [](QWidget* top) { return top->isVisible() && top->isFullScreen(); }));
        view()->trigger(QWebEnginePage::ExitFullScreen);
        QTRY_VERIFY(!guard.inFullScreen());
        QVERIFY(view()->widget()->page() == view()->page());
        QVERIFY(app.window->isMaximized());
        QTRY_COMPARE(app.window->geometry(), place);
        QVERIFY(open(server.url(QStringLiteral("home.html"))));
    }
};

QUORVINK_TEST_MAIN(TestPageQuestions)
#include "test_pagequestions.moc"
