#include "export/screenportal.h"

#include "core/wait.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QRandomGenerator>
#include <QUrl>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

bool ScreenPortal::available()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(kService).value();
}

QImage ScreenPortal::take(int boundMs)
{
    if (!available())
        return {};
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The answer comes as a signal of a request object whose path the caller can know in advance:
    // listening there before asking leaves no moment in which the answer could be missed.
    const QString token =
        QStringLiteral("orvelquorvink%1").arg(QRandomGenerator::global()->generate());
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    QString requestPath = kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;

    ScreenPortal listener;
    const auto listen = [&bus, &listener](const QString& path, bool on) {
        const QString signal = QStringLiteral("Response");
        const char* slot = SLOT(onResponse(uint, QVariantMap));
        return on ? bus.connect(kService, path, kRequest, signal, &listener, slot)
                  : bus.disconnect(kService, path, kRequest, signal, &listener, slot);
    };
    if (!listen(requestPath, true))
        return {};

    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.portal.Screenshot"),
        QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false},
                        {QStringLiteral("modal"), false}};
    QDBusPendingReply<QDBusObjectPath> reply = bus.asyncCall(call, boundMs);
    Wait::until([&reply] { return reply.isFinished(); }, boundMs);
    if (reply.isFinished() && !reply.isError()) {
        // An older service answers under a path of its own choosing.
        if (const QString given = reply.value().path(); given != requestPath) {
            listen(requestPath, false);
            requestPath = given;
            listen(requestPath, true);
        }
        Wait::until([&listener] { return listener.m_answered; }, boundMs);
    }
    listen(requestPath, false);
    const QUrl uri(listener.m_uri);
    if (!listener.m_answered || !uri.isLocalFile())
        return {};
    return QImage(uri.toLocalFile());
}

void ScreenPortal::onResponse(uint response, const QVariantMap& results)
{
    m_answered = true;
    // 0: done; 1: cancelled by the user; 2: refused or failed.
    if (response == 0)
        m_uri = results.value(QStringLiteral("uri")).toString();
}
