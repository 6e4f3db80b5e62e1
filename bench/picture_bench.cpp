// Times the numbered screen picture (Take_Pic: the bars hidden, the window settling, the screen
// read, the bitmap written) beside an anchor measured in the same run: the same settling wait,
// a bare read of the screen and a bare bitmap write, one after the other. Also counts the frames
// the page draws meanwhile, which shows that the window goes on painting.
//
//   picture_bench [repetitions]     (default 5; the median and range of each figure)
//
// Needs an X screen: run it through scripts/on-screen.sh. The target is under 3 s a picture.

#include "config/languagefile.h"
#include "core/programdir.h"
#include "core/wait.h"
#include "export/pagepicture.h"
#include "export/screenpicture.h"
#include "platform/desktop.h"
#include "testmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QScreen>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class PrintingDesktop : public Desktop {
public:
    void message(QWidget*, const QString&, const QString& text) override
    {
        if (!text.contains(QLatin1String("Orvel")))
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
};

const QString kPage = QStringLiteral(
    "<html><body style='margin:0;background:#00ff00'><script>window.frames_ = 0;"
    "(function frame() { ++window.frames_; requestAnimationFrame(frame); })();</script>"
    "</body></html>");

// A window like the main one: a strip at the top and one at the bottom, the page between.
class BenchWindow : public QWidget, public PictureWindow {
public:
    BenchWindow()
    {
        resize(1000, 640);
        top.setParent(this);
        bottom.setParent(this);
        top.setAutoFillBackground(true);
        bottom.setAutoFillBackground(true);
        view.setParent(this);
        view.setHtml(kPage);
        showBars();
    }
    QWidget* window() const override { return const_cast<BenchWindow*>(this); }
    void hideBars() override
    {
        top.hide();
        bottom.hide();
        view.setGeometry(rect());
    }
    void showBars() override
    {
        top.setGeometry(0, 0, width(), 26);
        bottom.setGeometry(0, height() - 24, width(), 24);
        top.show();
        bottom.show();
        view.setGeometry(0, 26, width(), height() - 50);
    }
    int frames()
    {
        int n = -1;
        view.page()->runJavaScript(QStringLiteral("window.frames_"),
                                   [&n](const QVariant& v) { n = v.toInt(); });
        Wait::until([&n] { return n >= 0; }, 5000);
        return n;
    }

    QWidget top;
    QWidget bottom;
    QWebEngineView view;
};

struct Figures {
    std::vector<double> ms;
    std::vector<double> fps;
};

void print(const char* name, std::vector<double> values, const char* unit)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    std::printf("  %-34s %8.1f %s  (%.1f-%.1f)\n", name, median, unit, values.front(),
                values.back());
}

} // namespace

int main(int argc, char** argv)
{
    quorvinkTestEnvironment();
    QApplication app(argc, argv);
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "needs an X screen: scripts/on-screen.sh build/bin/picture_bench\n");
        return 1;
    }
    const int repetitions = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;

    BenchWindow window;
    window.show();
    Wait::until([&window] { return window.frames() > 10; }, 20000);

    QTemporaryDir folder;
    const ProgramDir dir(folder.path());
    PrintingDesktop desktop;
    const CaptionTable captions;
    PagePicture picture(window, ExportContext{.currentView = [] { return nullptr; },
                                              .window = &window,
                                              .dir = dir,
                                              .desktop = desktop,
                                              .captions = captions,
                                              .showStatus = [](const QString&) {}});

    Figures taken;
    Figures anchor;
    QElapsedTimer clock;
    for (int i = 0; i < repetitions; ++i) {
        int frames = window.frames();
        clock.start();
        picture.Take_Pic();
        double ms = clock.nsecsElapsed() / 1e6;
        taken.ms.push_back(ms);
        taken.fps.push_back((window.frames() - frames) * 1000.0 / ms);

        frames = window.frames();
        clock.start();
        Wait::sleep(kPictureSettleMs);
        const QImage screen = window.screen()->grabWindow(0).toImage();
        QImageWriter(folder.filePath(QStringLiteral("anchor.bmp")), "bmp").write(screen);
        ms = clock.nsecsElapsed() / 1e6;
        anchor.ms.push_back(ms);
        anchor.fps.push_back((window.frames() - frames) * 1000.0 / ms);
    }
    const QSize size = window.screen()->geometry().size();
    std::printf("screen %dx%d, %d pictures, settling %d ms (median, range)\n", size.width(),
                size.height(), repetitions, kPictureSettleMs);
    print("Take_Pic, wall time", taken.ms, "ms");
    print("anchor: wait + bare grab + write", anchor.ms, "ms");
    print("frames drawn during Take_Pic", taken.fps, "/s");
    print("frames drawn during the anchor", anchor.fps, "/s");
    std::printf("  target: under 3000 ms a picture\n");
    return picture.Pic_Count() == repetitions ? 0 : 1;
}
