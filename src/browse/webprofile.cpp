#include "browse/webprofile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

#include <optional>

namespace {

const QByteArray kScheme = QByteArrayLiteral("quorvink");
const QString kPagesName = QStringLiteral("ProgramPages");

// Serves "quorvink:start", the start page: made by the program in the interface's language, or
// else the English one of the program's resources. It works offline.
class ProgramPages : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    WebProfile::PageMaker make;

    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        const QString page = job->requestUrl().path();
        if (page.contains(QLatin1Char('/'))) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        std::optional<QByteArray> made = make ? make(page) : std::nullopt;
        if (!made) {
            QFile file(QStringLiteral(":/start/%1.html").arg(page));
            if (!file.open(QIODevice::ReadOnly)) {
                job->fail(QWebEngineUrlRequestJob::UrlNotFound);
                return;
            }
            made = file.readAll();
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(*made);
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

QWebEngineProfile* create(const QString& storageDir, QObject* parent, const QString& locale)
{
    // The engine takes the language of its texts from the default locale when it starts. A
    // locale Qt does not know changes nothing.
    const QLocale language(locale);
    const bool known = !locale.isEmpty() && language.language() != QLocale::C;
    if (known)
        QLocale::setDefault(language);
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
    auto* pages = new ProgramPages(profile);
    pages->setObjectName(kPagesName);
    profile->installUrlSchemeHandler(kScheme, pages);
    profile->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    // PDFs show in the view, in the engine's own viewer; what it cannot show is a download.
    profile->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    profile->settings()->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    if (known) {
        // The interface's language first, then English, which nearly every site offers.
        const QString first = language.bcp47Name();
        profile->setHttpAcceptLanguage(
            first.startsWith(QLatin1String("en")) ? first : first + QStringLiteral(",en"));
    }
    // A page's full-screen request (a video's) is granted; the program shows it (PageGuard).
    profile->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    // A local page (a manual on disk, a page saved from the web) shows its pictures and styles
    // from the disk and from the web, as in any desktop browser. Its own scripts do not run
    // (PageStatus): they could read any file of the user's and hand it to the web.
    profile->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    return profile;
}

void servePages(QWebEngineProfile* profile, PageMaker make)
{
    if (auto* pages = profile->findChild<QWebEngineUrlSchemeHandler*>(kPagesName))
        static_cast<ProgramPages*>(pages)->make = std::move(make);
}

} // namespace WebProfile
