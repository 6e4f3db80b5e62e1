#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QWebEnginePage>

#include <functional>
#include <optional>

class BrowserView;
class CaptionTable;
class FullScreenView;
class QAuthenticator;
class QWebEngineCertificateError;
class QWebEngineFullScreenRequest;

// What the pages ask of the user beyond their content: a login (a site's or a proxy's), passage
// past a certificate that is not valid, the use of the location, notifications, camera,
// microphone or screen, and full screen. Every question names the site as plain text. Answers
// are kept for this run only and nothing is written to disk. While the program waits in place
// (an export, for instance), when no input reaches the user, no window opens that the wait would
// keep from being answered: a login or a certificate error gets the engine's refusal at once
// (the server's page, the error page), a permission request is asked once the wait is over.
class PageGuard : public QObject {
    Q_OBJECT
public:
    struct Login {
        QString user;
        QString password;
    };
    struct LoginAsked {
        QString host;  // fit to be shown (SiteText)
        QString realm; // the server's words, fit to be shown
        bool proxy = false;
        bool again = false; // the last answer for this site and realm was not accepted
    };
    // The windows that ask: the login (nothing when the user cancels) and a yes/no question
    // whose default is no.
    struct Questions {
        std::function<std::optional<Login>(const LoginAsked&)> login;
        std::function<bool(const QString& question)> yesNo;
    };

    PageGuard(const CaptionTable& captions, Questions questions, QObject* parent = nullptr);
    ~PageGuard() override;

    // Answers the requests of this view's page from now on.
    void watch(BrowserView* view);

    // A page is shown in full screen.
    bool inFullScreen() const;
    // Asks the page in full screen to leave it (what the page's own "exit full screen" does); the
    // window it came from is then shown as it was.
    void leaveFullScreen();

    // The question put for a certificate error of this kind (QWebEngineCertificateError::Type).
    QString certificateQuestion(const QString& host, int type, const QString& description) const;
    // The caption naming a feature a page may ask for, or 0 for one that is refused unasked.
    static int featureCaption(QWebEnginePage::Feature feature);

signals:
    void fullScreenChanged(bool on);

private:
    void onLogin(QWebEnginePage* page, const QUrl& url, QAuthenticator* authenticator,
                 const QString& proxyHost);
    void onCertificate(const QWebEngineCertificateError& error);
    void onPermission(QWebEnginePage* page, const QUrl& origin, QWebEnginePage::Feature feature);
    void onFullScreen(BrowserView* view, QWebEngineFullScreenRequest request);
    // Runs one question at a time: false while another is open or the program waits.
    bool mayAsk() const;
    // Asks the permission requests held back while the program waited.
    void askHeldBack();

    const CaptionTable& m_captions;
    Questions m_questions;
    bool m_asking = false;
    // The login last sent by each page, until it finishes loading: asked again for the same
    // site and realm, the answer was wrong.
    QHash<QWebEnginePage*, QString> m_loginSent;
    QSet<QString> m_passedHosts;
    QHash<QString, bool> m_permissions; // origin and feature -> the user's answer
    struct Permission {
        QPointer<QWebEnginePage> page;
        QUrl origin;
        QWebEnginePage::Feature feature;
    };
    QList<Permission> m_heldBack;
    QTimer m_heldBackTimer;
    QPointer<FullScreenView> m_fullScreen;
};
