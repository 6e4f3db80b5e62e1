// The least program that shows a web page: one QWebEngineView on the default profile, as large
// as the screen, opening the address given on its command line. startup_bench compares the
// browser's start-up time and memory with this program's.
//
//   bench_bare_view URL [--views N] [--storage DIR]
//
// --views N     creates N views in all, the extra ones hidden and never navigated (as a browser
//               with fixed tabs does); the default is the one view that shows the page
// --storage DIR uses a named profile keeping cookies and cache on disk below DIR instead of the
//               default profile, which keeps everything in memory

#include <QApplication>
#include <QScreen>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();

    QUrl url;
    int views = 1;
    QString storage;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--views") && i + 1 < args.size())
            views = qMax(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--storage") && i + 1 < args.size())
            storage = args[++i];
        else
            url = QUrl::fromUserInput(args[i]);
    }
    if (!url.isValid()) {
        std::fprintf(stderr, "usage: bench_bare_view URL [--views N] [--storage DIR]\n");
        return 2;
    }

    std::unique_ptr<QWebEngineProfile> ownProfile;
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    if (!storage.isEmpty()) {
        ownProfile = std::make_unique<QWebEngineProfile>(QStringLiteral("bare"));
        ownProfile->setPersistentStoragePath(storage);
        ownProfile->setCachePath(storage + QStringLiteral("/Cache"));
        profile = ownProfile.get();
    }

    // The pages go before the profile they use.
    std::vector<std::unique_ptr<QWebEngineView>> all;
    for (int i = 0; i < views; ++i) {
        auto view = std::make_unique<QWebEngineView>();
        view->setPage(new QWebEnginePage(profile, view.get()));
        all.push_back(std::move(view));
    }
    QWebEngineView& shown = *all.front();
    shown.resize(QApplication::primaryScreen()->availableGeometry().size());
    shown.load(url);
    shown.show();
    const int code = QApplication::exec();
    all.clear();
    return code;
}
