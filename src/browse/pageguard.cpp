#include "browse/pageguard.h"

#include "browse/browserview.h"
#include "browse/fullscreenview.h"
#include "browse/sitetext.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "core/wait.h"

#include <QAuthenticator>
#include <QScopeGuard>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineView>

#include <utility>

namespace {

QString siteOf(const QUrl& url)
{
    const QString host = url.host();
    return SiteText::shown(host.isEmpty() ? url.toDisplayString() : host, SiteText::kHostChars);
}

} // namespace

PageGuard::PageGuard(const CaptionTable& captions, Questions questions, QObject* parent)
    : QObject(parent), m_captions(captions), m_questions(std::move(questions))
{
    m_heldBackTimer.setInterval(100);
    connect(&m_heldBackTimer, &QTimer::timeout, this, &PageGuard::askHeldBack);
}

PageGuard::~PageGuard()
{
    delete m_fullScreen;
}

void PageGuard::watch(BrowserView* view)
{
    WebPage* page = view->page();
    connect(page, &QWebEnginePage::authenticationRequired, this,
            [this, page](const QUrl& url, QAuthenticator* authenticator) {
                onLogin(page, url, authenticator, QString());
            });
    connect(page, &QWebEnginePage::proxyAuthenticationRequired, this,
            [this, page](const QUrl& url, QAuthenticator* authenticator, const QString& proxy) {
                onLogin(page, url, authenticator, proxy.isEmpty() ? url.host() : proxy);
            });
    connect(page, &QWebEnginePage::loadFinished, this, [this, page] { m_loginSent.remove(page); });
    connect(page, &QObject::destroyed, this, [this, page] { m_loginSent.remove(page); });
    connect(page, &QWebEnginePage::certificateError, this, &PageGuard::onCertificate);
    connect(page, &QWebEnginePage::featurePermissionRequested, this,
            [this, page](const QUrl& origin, QWebEnginePage::Feature feature) {
                onPermission(page, origin, feature);
            });
    connect(page, &QWebEnginePage::fullScreenRequested, this,
            [this, view](QWebEngineFullScreenRequest request) {
                onFullScreen(view, std::move(request));
            });
}

bool PageGuard::mayAsk() const
{
    return !m_asking && !Wait::active();
}

// A null authenticator cancels the request and the engine shows the server's own answer page;
// the engine hands over one that holds the realm, and sends whatever it holds back, an empty
// name included, so every refusal makes it null. A wrong answer brings the request back, and
// the window says so.
void PageGuard::onLogin(QWebEnginePage* page, const QUrl& url, QAuthenticator* authenticator,
                        const QString& proxyHost)
{
    const QString realm = authenticator->realm();
    *authenticator = QAuthenticator();
    if (!mayAsk() || !m_questions.login)
        return;
    const bool proxy = !proxyHost.isEmpty();
    LoginAsked asked{.host = SiteText::shown(proxy ? proxyHost : url.host(), SiteText::kHostChars),
                     .realm = SiteText::shown(realm, SiteText::kRealmChars),
                     .proxy = proxy};
    const QString key = (proxy ? QStringLiteral("proxy ") : QStringLiteral("site ")) +
                        (proxy ? proxyHost : url.authority()) + QLatin1Char('\n') + realm;
    asked.again = m_loginSent.value(page) == key;
    m_loginSent.remove(page);
    m_asking = true;
    const auto done = qScopeGuard([this] { m_asking = false; });
    const std::optional<Login> login = m_questions.login(asked);
    if (!login)
        return;
    authenticator->setUser(login->user);
    authenticator->setPassword(login->password);
    m_loginSent.insert(page, key);
}

QString PageGuard::certificateQuestion(const QString& host, int type,
                                       const QString& description) const
{
    QString reason;
    switch (type) {
    case QWebEngineCertificateError::CertificateCommonNameInvalid:
        reason = m_captions.textOrEnglish(CaptionNo::CertificateName);
        break;
    case QWebEngineCertificateError::CertificateDateInvalid:
        reason = m_captions.textOrEnglish(CaptionNo::CertificateDate);
        break;
    case QWebEngineCertificateError::CertificateAuthorityInvalid:
        reason = m_captions.textOrEnglish(CaptionNo::CertificateAuthority);
        break;
    default:
        reason = m_captions.textOrEnglish(CaptionNo::CertificateOther)
                     .arg(SiteText::shown(description, SiteText::kRealmChars));
        break;
    }
    return m_captions.textOrEnglish(CaptionNo::CertificateQuestion)
        .arg(SiteText::shown(host, SiteText::kHostChars), reason);
}

// A host the user let through is let through for the rest of the run; an error that cannot be
// overridden, or a refused one, ends in the engine's error page.
void PageGuard::onCertificate(const QWebEngineCertificateError& certificateError)
{
    QWebEngineCertificateError error = certificateError;
    const QString host = error.url().host().toLower();
    // The program's own fetches run while it waits in place: they never pass a bad certificate.
    if (!error.isOverridable() || Wait::active()) {
        error.rejectCertificate();
        return;
    }
    if (m_passedHosts.contains(host)) {
        error.acceptCertificate();
        return;
    }
    if (m_asking || !m_questions.yesNo) {
        error.rejectCertificate();
        return;
    }
    m_asking = true;
    const auto done = qScopeGuard([this] { m_asking = false; });
    if (m_questions.yesNo(certificateQuestion(host, error.type(), error.description()))) {
        m_passedHosts.insert(host);
        error.acceptCertificate();
    } else {
        error.rejectCertificate();
    }
}

int PageGuard::featureCaption(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Geolocation:
        return CaptionNo::FeatureLocation;
    case QWebEnginePage::Notifications:
        return CaptionNo::FeatureNotifications;
    case QWebEnginePage::MediaVideoCapture:
        return CaptionNo::FeatureCamera;
    case QWebEnginePage::MediaAudioCapture:
        return CaptionNo::FeatureMicrophone;
    case QWebEnginePage::MediaAudioVideoCapture:
        return CaptionNo::FeatureCameraMicrophone;
    case QWebEnginePage::DesktopVideoCapture:
        return CaptionNo::FeatureScreen;
    case QWebEnginePage::DesktopAudioVideoCapture:
        return CaptionNo::FeatureScreenSound;
    default:
        // The pointer lock and whatever later engines add.
        return 0;
    }
}

// Each site is asked once a run for each feature (the engine asks again at every request). A
// request that comes while another question is open or the program waits is held back and asked
// afterwards, so that the page gets the user's answer, not a refusal nobody gave.
void PageGuard::onPermission(QWebEnginePage* page, const QUrl& origin,
                             QWebEnginePage::Feature feature)
{
    const auto answer = [page, origin, feature](bool granted) {
        page->setFeaturePermission(origin, feature,
                                   granted ? QWebEnginePage::PermissionGrantedByUser
                                           : QWebEnginePage::PermissionDeniedByUser);
    };
    const int caption = featureCaption(feature);
    const QString key = origin.toString() + QLatin1Char('\n') + QString::number(int(feature));
    if (caption == 0 || !m_questions.yesNo) {
        answer(false);
        return;
    }
    if (const auto known = m_permissions.constFind(key); known != m_permissions.constEnd()) {
        answer(*known);
        return;
    }
    if (!mayAsk()) {
        m_heldBack.append({page, origin, feature});
        m_heldBackTimer.start();
        return;
    }
    m_asking = true;
    const auto done = qScopeGuard([this] { m_asking = false; });
    const bool granted =
        m_questions.yesNo(m_captions.textOrEnglish(CaptionNo::PermissionQuestion)
                              .arg(siteOf(origin), m_captions.textOrEnglish(caption)));
    m_permissions.insert(key, granted);
    answer(granted);
}

void PageGuard::askHeldBack()
{
    if (!mayAsk())
        return;
    m_heldBackTimer.stop();
    const QList<Permission> held = std::exchange(m_heldBack, {});
    for (const Permission& p : held) {
        if (p.page)
            onPermission(p.page, p.origin, p.feature);
    }
}

void PageGuard::onFullScreen(BrowserView* view, QWebEngineFullScreenRequest request)
{
    if (request.toggleOn()) {
        if (m_fullScreen || Wait::active()) {
            request.reject();
            return;
        }
        request.accept();
        m_fullScreen = new FullScreenView(view->widget());
        emit fullScreenChanged(true);
        return;
    }
    request.accept();
    if (m_fullScreen && m_fullScreen->page() == view->page()) {
        // The window goes once the engine is done with this request.
        m_fullScreen->giveBack();
        m_fullScreen->deleteLater();
        m_fullScreen = nullptr;
        emit fullScreenChanged(false);
    }
}

bool PageGuard::inFullScreen() const
{
    return m_fullScreen != nullptr;
}

void PageGuard::leaveFullScreen()
{
    if (m_fullScreen)
        if (QWebEnginePage* page = m_fullScreen->page())
            page->triggerAction(QWebEnginePage::ExitFullScreen);
}
