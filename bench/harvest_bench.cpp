// Times a harvest pass over framed pages with many mailto: links, beside a bare read of the same
// links by one isolated-world script, the first read after the page has loaded; on the page of
// fifty frames also a pass that reads the page itself (its own links, shadow roots, frames at any
// depth) and a late pass over a hundred links the page adds after it.
//
//   harvest_bench [repetitions]     (default 9; the median of each figure is printed)
//
// Pages come from a server on 127.0.0.1 that the benchmark starts itself. Run as root it needs
// no extra settings: the environment of the tests is set when missing.

#include "browse/browserview.h"
#include "browse/webpage.h"
#include "browse/webprofile.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "httpserver.h"
#include "mail/harvester.h"
#include "mail/harvestscript.h"
#include "platform/desktop.h"
#include "testmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineProfile>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

class PrintingDesktop : public Desktop {
public:
    bool open(const QUrl&, const std::function<void()>& = {}) override { return true; }
    void message(QWidget*, const QString&, const QString& text) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

// Reads every link of every frame and hands back their addresses, the least a reader can do.
// The pages hold no links of their own.
const QString kBareRead =
    QStringLiteral("(function () { const out = []; for (let i = 0; i < window.length; ++i) {"
                   " const links = window[i].document.links;"
                   " for (let k = 0; k < links.length; ++k) out.push(links[k].href); }"
                   " return out.join('\\n'); })()");

// The links a page adds after its pass, for the late pass.
constexpr int kAdded = 100;
const QString kAddLinks =
    QStringLiteral(
        "(function () { let html = ''; for (let k = 0; k < %1; ++k) html += '<a "
        "href=\"mailto:late' +"
        " k + '@example.org\">late</a><br>'; document.body.insertAdjacentHTML('beforeend', html);"
        " })()")
        .arg(kAdded);

struct Page {
    const char* name;
    int frames;
    int linksPerFrame;
    QUrl url;
};

QByteArray framePage(int frame, int links)
{
    QByteArray body = "<!doctype html><html><body>\n";
    body.reserve(links * 64);
    for (int k = 0; k < links; ++k)
        body += "<a href=\"mailto:User" + QByteArray::number(frame) + "." + QByteArray::number(k) +
                "@Example.org\">contact " + QByteArray::number(k) + "</a><br>\n";
    return body + "</body></html>";
}

void publish(HttpServer& server, Page& page)
{
    QByteArray top = "<!doctype html><html><body>\n";
    for (int f = 0; f < page.frames; ++f) {
        const QString path = QStringLiteral("%1/f%2.html").arg(QLatin1String(page.name)).arg(f);
        server.setPage(path, framePage(f, page.linksPerFrame));
        top += "<iframe src=\"f" + QByteArray::number(f) + ".html\"></iframe>\n";
    }
    top += "</body></html>";
    server.setPage(QLatin1String(page.name) + QStringLiteral("/top.html"), top);
    page.url = server.url(QLatin1String(page.name) + QStringLiteral("/top.html"));
}

// Runs the event loop until done() is true or the time is up.
bool spin(const std::function<bool()>& done, int timeoutMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

struct Measured {
    double first = -1;  // ms
    double second = -1; // ms, bare reads only
    qsizetype count = 0;
};

// A fresh view loads the page; at loadFinished the action starts at once.
using Action = std::function<void(BrowserView*, QElapsedTimer&, Measured&, bool& done)>;

Measured inFreshView(QWebEngineProfile* profile, QWidget* window, const QUrl& url,
                     const Action& action)
{
    Measured measured;
    bool done = false;
    QElapsedTimer clock;
    auto* view = new BrowserView(9, profile, window);
    view->setGeometry(0, 0, 1000, 700);
    view->setVisible(true);
    QObject::connect(view, &BrowserView::documentComplete, view, [&, view] {
        if (clock.isValid())
            return;
        clock.start();
        action(view, clock, measured, done);
    });
    view->Navigate(url.toString());
    if (!spin([&] { return done; }))
        std::fprintf(stderr, "timed out on %s\n", qPrintable(url.toString()));
    delete view->widget();
    delete view;
    QCoreApplication::processEvents();
    return measured;
}

Measured bareRead(QWebEngineProfile* profile, QWidget* window, const QUrl& url)
{
    return inFreshView(
        profile, window, url, [](BrowserView* view, QElapsedTimer& clock, Measured& m, bool& done) {
            view->runIsolated(kBareRead, [view, &clock, &m, &done](const QVariant& r) {
                m.first = clock.nsecsElapsed() / 1e6;
                m.count = r.toString().count(QLatin1Char('\n')) + 1;
                clock.restart();
                view->runIsolated(kBareRead, [&clock, &m, &done](const QVariant&) {
                    m.second = clock.nsecsElapsed() / 1e6;
                    done = true;
                });
            });
        });
}

Measured harvestPass(QWebEngineProfile* profile, QWidget* window, const QUrl& url,
                     const ProgramDir& program, Desktop& desktop, bool pageItself = false)
{
    static const CaptionTable captions;
    const QString list = program.path(ProgramFiles::MailsList);
    QFile::remove(list);
    Measured measured =
        inFreshView(profile, window, url,
                    [&](BrowserView* view, QElapsedTimer& clock, Measured& m, bool& done) {
                        Harvester* h = new Harvester(
                            program, desktop, captions, [view] { return view; }, window);
                        h->setPageItself(pageItself);
                        QObject::connect(h, &Harvester::passFinished, h, [&, h](int lines) {
                            m.first = clock.nsecsElapsed() / 1e6;
                            m.count = lines;
                            done = true;
                            h->deleteLater();
                        });
                        clock.restart();
                        h->GO_Mail_Link();
                    });
    // The lines must be in the file, each with its line end.
    QFile file(list);
    if (!file.open(QIODevice::ReadOnly) || file.readAll().count("\r\n") != measured.count)
        measured.count = -1;
    return measured;
}

// A pass over the page itself while harvesting is on, then the page adds kAdded links; once they
// have rested the late pass is timed, from its start to the list file closed.
Measured latePass(QWebEngineProfile* profile, QWidget* window, const QUrl& url,
                  const ProgramDir& program, Desktop& desktop)
{
    static const CaptionTable captions;
    return inFreshView(
        profile, window, url,
        [&](BrowserView* view, QElapsedTimer& clock, Measured& m, bool& done) {
            Harvester* h = new Harvester(
                program, desktop, captions, [view] { return view; }, window);
            h->setPageItself(true);
            h->latePoll()->setInterval(60 * 60 * 1000); // the benchmark starts the late pass
            QObject::connect(h, &Harvester::passFinished, h, [h, view, &clock] {
                view->page()->runJavaScript(kAddLinks);
                QTimer::singleShot(HarvestScript::kLateQuietMs + 100, h, [h, &clock] {
                    clock.restart();
                    h->GO_Late_Links();
                });
            });
            QObject::connect(h, &Harvester::latePassFinished, h, [&, h](int lines) {
                m.first = clock.nsecsElapsed() / 1e6;
                m.count = lines;
                done = true;
                h->toggle();
                h->deleteLater();
            });
            h->toggle();
        });
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    quorvinkTestEnvironment(); // offscreen, no sandbox as root, no GPU, the program's schemes
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 9;

    HttpServer server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::vector<Page> pages{
        {"three", 3, 2000, {}}, {"hundred", 100, 50, {}}, {"fifty", 50, 200, {}}};
    for (Page& page : pages)
        publish(server, page);

    QTemporaryDir storage;
    QTemporaryDir programDir;
    // The program's own profile, with the frame script; a bare one for the reference reads.
    QWebEngineProfile* harvestProfile = WebProfile::create(storage.path(), &app);
    Harvester::installFrameScript(harvestProfile);
    auto* bareProfile = new QWebEngineProfile(&app);
    PrintingDesktop desktop;
    const ProgramDir program(programDir.path());
    QWidget window;
    window.resize(1000, 700);
    window.show();

    std::printf("repetitions: %d (median of each; one warm-up round not counted)\n\n", repetitions);
    std::printf("%-16s %6s | %11s %11s | %9s %8s %8s %12s | %13s\n", "page", "links", "bare 1st ms",
                "bare 2nd ms", "pass ms", "pass/1st", "pass/2nd", "links/s", "pass no-fs ms");
    bool ok = true;
    for (const Page& page : pages) {
        std::vector<double> bareFirst, bareSecond, pass, passPlain;
        const qsizetype links = qsizetype(page.frames) * page.linksPerFrame;
        for (int round = 0; round <= repetitions; ++round) {
            const Measured bare = bareRead(bareProfile, &window, page.url);
            const Measured harvest =
                harvestPass(harvestProfile, &window, page.url, program, desktop);
            const Measured plain = harvestPass(bareProfile, &window, page.url, program, desktop);
            if (bare.count != links || harvest.count != links || plain.count != links) {
                std::fprintf(stderr, "%s: read %lld / %lld / %lld links, expected %lld\n",
                             page.name, qlonglong(bare.count), qlonglong(harvest.count),
                             qlonglong(plain.count), qlonglong(links));
                ok = false;
            }
            if (round == 0)
                continue;
            bareFirst.push_back(bare.first);
            bareSecond.push_back(bare.second);
            pass.push_back(harvest.first);
            passPlain.push_back(plain.first);
        }
        const double first = median(bareFirst);
        const double passMs = median(pass);
        const double second = median(bareSecond);
        std::printf("%-16s %6lld | %11.1f %11.1f | %9.1f %8.2f %8.2f %12.0f | %13.1f\n",
                    qPrintable(QStringLiteral("%1 x %2").arg(page.frames).arg(page.linksPerFrame)),
                    qlonglong(links), first, second, passMs, passMs / first, passMs / second,
                    links / (passMs / 1000.0), median(passPlain));
    }

    // The page itself on the page of fifty frames, and the late pass.
    const Page& fifty = pages.back();
    const qsizetype fiftyLinks = qsizetype(fifty.frames) * fifty.linksPerFrame;
    std::vector<double> bareSecond, pagePass, late;
    for (int round = 0; round <= repetitions; ++round) {
        const Measured bare = bareRead(bareProfile, &window, fifty.url);
        const Measured pass =
            harvestPass(harvestProfile, &window, fifty.url, program, desktop, true);
        const Measured added = latePass(harvestProfile, &window, fifty.url, program, desktop);
        if (bare.count != fiftyLinks || pass.count != fiftyLinks || added.count != kAdded) {
            std::fprintf(stderr, "page itself: read %lld / %lld, late %lld\n",
                         qlonglong(bare.count), qlonglong(pass.count), qlonglong(added.count));
            ok = false;
        }
        if (round == 0)
            continue;
        bareSecond.push_back(bare.second);
        pagePass.push_back(pass.first);
        late.push_back(added.first);
    }
    std::printf("\n%-16s %6s | %11s | %12s %9s | %16s\n", "page itself", "links", "bare 2nd ms",
                "page pass ms", "pass/2nd", "late pass ms");
    std::printf("%-16s %6lld | %11.1f | %12.1f %9.2f | %10.1f (%d)\n",
                qPrintable(QStringLiteral("%1 x %2").arg(fifty.frames).arg(fifty.linksPerFrame)),
                qlonglong(fiftyLinks), median(bareSecond), median(pagePass),
                median(pagePass) / median(bareSecond), median(late), kAdded);
    std::printf(
        "\nbare 1st: first isolated-world read of all links after loadFinished, fresh view, "
        "no frame script\nbare 2nd: the same read again (the warm read)\n"
        "pass: GO_Mail_Link start to list file closed, fresh view, frame script installed\n"
        "pass no-fs: the same pass in a fresh view without the frame script\n"
        "page pass: the same pass reading the page itself (its links, shadow roots, frames at any "
        "depth)\nlate pass: start to list file closed, over the links the page added after that "
        "pass\n");
    return ok ? 0 : 1;
}
