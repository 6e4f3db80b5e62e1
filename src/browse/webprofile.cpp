#include "browse/webprofile.h"

#include <QBuffer>
#include <QFile>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace {

const QByteArray kScheme = QByteArrayLiteral("quorvink");

// Serves "quorvink:start", the start page, from the program's resources: it works offline.
class ProgramPages : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        const QString page = job->requestUrl().path();
        QFile file(QStringLiteral(":/start/%1.html").arg(page));
        if (page.contains(QLatin1Char('/')) || !file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(file.readAll());
        job->reply(QByteArrayLiteral("text/html"), buffer);
    }
};

} // namespace

namespace WebProfile {

void registerSchemes()
{
    if (QWebEngineUrlScheme::schemeByName(kScheme).name() == kScheme)
        return;
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QWebEngineProfile* create(const QString& storageDir, QObject* parent)
{
    auto* profile = new QWebEngineProfile(QStringLiteral("OrvelQuorvink"), parent);
    profile->setPersistentStoragePath(storageDir);
    profile->setCachePath(storageDir + QStringLiteral("/Cache"));
    profile->installUrlSchemeHandler(kScheme, new ProgramPages(profile));
    profile->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    return profile;
}

} // namespace WebProfile
