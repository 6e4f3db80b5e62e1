#include "browse/webprofile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <optional>

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

void keepOutOfUserFolders()
{
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
}

QWebEngineProfile* create(const QString& storageDir, QObject* parent)
{
    // The engine starts with its first profile, and the helper processes it starts then inherit
    // the environment of that moment: an off-the-record profile, which writes nothing, starts
    // it with the user's.
    delete new QWebEngineProfile;
    // A named profile starts in the engine's default folders below the user's data and cache
    // folders and writes its first preferences there before it learns its own: while it is made,
    // those defaults lie below the storage folder.
    const QByteArrayList userFolders = {QByteArrayLiteral("XDG_DATA_HOME"),
                                        QByteArrayLiteral("XDG_CACHE_HOME")};
    QList<std::optional<QByteArray>> saved;
    for (const QByteArray& name : userFolders) {
        saved.append(qEnvironmentVariableIsSet(name.constData())
                         ? std::optional(qgetenv(name.constData()))
                         : std::nullopt);
        qputenv(name.constData(), QFile::encodeName(storageDir + QStringLiteral("/Start")));
    }
    auto* profile = new QWebEngineProfile(QStringLiteral("OrvelQuorvink"), parent);
    for (qsizetype i = 0; i < userFolders.size(); ++i) {
        if (saved[i])
            qputenv(userFolders[i].constData(), *saved[i]);
        else
            qunsetenv(userFolders[i].constData());
    }
    profile->setPersistentStoragePath(storageDir);
    profile->setCachePath(storageDir + QStringLiteral("/Cache"));
    profile->installUrlSchemeHandler(kScheme, new ProgramPages(profile));
    profile->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    // A local page (a manual on disk, a page saved from the web) shows its pictures and styles
    // from the disk and from the web, as in any desktop browser. Its own scripts do not run
    // (PageStatus): they could read any file of the user's and hand it to the web.
    profile->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    return profile;
}

} // namespace WebProfile
