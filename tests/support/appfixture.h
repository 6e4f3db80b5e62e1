#pragma once

#include "app/autohide.h"
#include "app/browser.h"
#include "app/frmstart.h"
#include "app/module.h"
#include "app/timings.h"
#include "app/windowlayout.h"
#include "browse/addressbox.h"
#include "browse/browserview.h"
#include "browse/findbar.h"
#include "browse/navigation.h"
#include "browse/tabset.h"
#include "commandbar/commandentry.h"
#include "commandbar/commandpool.h"
#include "mail/harvester.h"
#include "recordingdesktop.h"
#include "tempprogramdir.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>

// The lines of a file the program wrote (CR LF), without the empty text after the last line end.
inline QStringList linesOf(const QByteArray& bytes)
{
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A page with a title and a body, for the test server.
inline QByteArray htmlPage(const QString& title, const QString& body = QString())
{
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
        .arg(title, body)
        .toUtf8();
}

// Runs a script in the view's isolated world and waits for its answer.
inline QVariant evaluate(BrowserView* view, const QString& script)
{
    auto answer = std::make_shared<std::optional<QVariant>>();
    view->runIsolated(script, [answer](const QVariant& value) { *answer = value; });
    if (!QTest::qWaitFor([&answer] { return answer->has_value(); }, 10000))
        return QVariant();
    return **answer;
}

// Types an address into the address box and presses Enter, as a user does.
inline void typeAddress(AddressBox* box, const QString& text)
{
    box->setText(QString());
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

// Short intervals for the window's timers: tests wait for the timers' effects, and compare an
// interval with the one given here. The auto-hide switch and poll differ, so that the interval
// shows which of them set it.
inline const Timings kTestTimings{.autoHideFirstMs = 200,
                                  .autoHidePollMs = 100,
                                  .autoHideSwitchMs = 500,
                                  .deferredStartMs = 100,
                                  .harvestTickMs = 50};

// The whole main window in a temporary program directory, with a recording desktop.
struct AppFixture {
    TempProgramDir dir;
    RecordingDesktop desktop;
    std::unique_ptr<Module> module;
    std::unique_ptr<CommandPool> pool;
    // The program, and its main window.
    std::unique_ptr<Browser> browser;
    frmStart* window = nullptr;
    // The timer intervals the window starts with; tests shorten them to wait for their effects.
    Timings timings;

    explicit AppFixture(bool withShippedLanguages = true) : dir(withShippedLanguages) {}

    // Writes the options file so the window opens this home page, then starts it.
    void start(const QString& homePage = QString())
    {
        if (!homePage.isEmpty()) {
            dir.write(QStringLiteral("Data/orvelquorvink.Opt"),
                      (" 1 \r\n 0 \r\n 0 \r\n 0 \r\n" + homePage + "\r\nEnglish\r\n").toUtf8());
        }
        startWindow();
    }

    // Starts the window on the files as they are.
    void startWindow()
    {
        window = nullptr;
        browser.reset();
        module = std::make_unique<Module>(dir.programDir(), desktop);
        module->timings = timings;
        pool = std::make_unique<CommandPool>();
        browser = std::make_unique<Browser>(*module, *pool);
        window = &browser->window();
        browser->start();
    }

    BrowserView* view(int i) const { return browser->tabs().view(i); }

    // Waits for the view's next completed document.
    static bool waitLoaded(BrowserView* view, int timeout = 20000)
    {
        QSignalSpy spy(view, &BrowserView::documentComplete);
        return spy.wait(timeout);
    }

    // Waits until the view shows this address and has finished loading.
    static bool waitFor(BrowserView* view, const QUrl& url, int timeout = 20000)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeout) {
            if (QUrl(view->LocationURL()) == url && !view->Busy())
                return true;
            QTest::qWait(20);
        }
        return false;
    }

    void close()
    {
        if (browser && !browser->hasExited())
            browser->GO_Exit();
    }

    // Where reset() puts the window: inside any screen the tests run on.
    static QRect standardPlace() { return QRect(60, 80, 1000, 640); }

    // Brings a window shared by the tests of one program back to a known state before the next
    // test: no modal window, the window normal at its standard place with its bars shown,
    // auto-hide and harvesting off, the find bar closed, tab 0 selected and showing home (loaded),
    // the address box showing home, and nothing recorded by the desktop.
    bool reset(const QUrl& home)
    {
        for (int i = 0; i < 20 && QApplication::activeModalWidget(); ++i) {
            QApplication::activeModalWidget()->close();
            QCoreApplication::processEvents();
        }
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        frmStart& w = *window;
        Browser& b = *browser;
        w.showNormal();
        w.setGeometry(standardPlace());
        w.layout().setNoResize(false);
        if (!w.layout().Bar_Shown())
            w.layout().GO_BarOn();
        module->options.Float_Bar = 0;
        w.autoHide().pause();
        if (CommandEntry* floating = pool->entry(QStringLiteral("FILE:FLOATING")))
            floating->setChecked(false);
        if (b.harvester().Mail_Auto() != 0)
            b.harvester().toggle();
        b.harvester().timer2()->stop();
        b.findBar()->close();
        TabSet& tabs = b.tabs();
        for (int i = 0; i < tabs.count(); ++i)
            tabs.view(i)->setVisible(i == 0);
        tabs.select(0);
        // The other tabs as never used: no caption, no address, an empty page.
        for (int i = 1; i < static_cast<int>(tabs.Web().size()); ++i) {
            tabs.setCaption(i, QString());
            tabs.setTabUrl(i, QString());
            BrowserView* view = tabs.view(i);
            if (!view->LocationURL().isEmpty() &&
                view->LocationURL() != QLatin1String("about:blank")) {
                QSignalSpy blank(view, &BrowserView::documentComplete);
                view->Navigate(QStringLiteral("about:blank"));
                if (blank.isEmpty() && !blank.wait(20000))
                    return false;
            }
        }
        w.layout().Form_Resize();
        // Tab 0 opens home as at start: its address, caption and the address box follow.
        BrowserView* first = tabs.view(0);
        QSignalSpy loaded(first, &BrowserView::documentComplete);
        b.navigation().openHomePage(home.toString());
        if (loaded.isEmpty() && !loaded.wait(20000))
            return false;
        desktop.opened.clear();
        desktop.messages.clear();
        desktop.saveAsked.clear();
        desktop.saveAnswers.clear();
        desktop.questions.clear();
        desktop.yesNoAnswers.clear();
        desktop.saveAnswers.clear();
        desktop.started.clear();
        desktop.textShown.clear();
        return true;
    }
};

// Points every site address of the English language file at the test server, so that no test
// reaches any other address.
inline void useLocalSites(const TempProgramDir& dir, const QString& base, int tabs = 3)
{
    const QString path = dir.file(QStringLiteral("Languages/Quorvink_English.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    file.close();
    QStringList out;
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char('='), 0, 0).toUpper();
        if (key == QLatin1String("START_PAGE"))
            out << QStringLiteral("START_PAGE=%1/start.html").arg(base);
        else if (key.endsWith(QLatin1String("_URL")))
            out << QStringLiteral("%1=%2/%3.html").arg(key, base, key.toLower());
        else if (key == QLatin1String("TRANSLATOR_PATH"))
            out << QStringLiteral("TRANSLATOR_PATH=%1/translate.html").arg(base);
        else if (key == QLatin1String("TAB_NUMBER"))
            out << QStringLiteral("TAB_NUMBER=%1").arg(tabs);
        else
            out << line;
    }
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(out.join(QStringLiteral("\r\n")).toUtf8());
}

// Starts the window the tests of one program share: its sites at the test server, the given
// timer intervals, home opened and loaded.
inline bool startShared(AppFixture& app, const QString& base, const QUrl& home,
                        const Timings& timings, int tabs = 3)
{
    useLocalSites(app.dir, base, tabs);
    if (QTest::currentTestFailed())
        return false;
    app.timings = timings;
    app.start(home.toString());
    return AppFixture::waitFor(app.view(0), home);
}

// A program directory and window of a test's own beside the window its program shares: the same
// timer intervals, and the sites pointed at the test server when it has language files. The
// shared window is hidden first, since a window that exits closes every other visible window of
// the program; reset() shows it again. Nothing when the language file could not be changed.
inline std::unique_ptr<AppFixture> ownAppBeside(AppFixture& shared, const QString& base,
                                                bool withShippedLanguages = true, int tabs = 3)
{
    shared.window->hide();
    auto own = std::make_unique<AppFixture>(withShippedLanguages);
    own->timings = shared.timings;
    if (withShippedLanguages)
        useLocalSites(own->dir, base, tabs);
    if (QTest::currentTestFailed())
        return nullptr;
    return own;
}
