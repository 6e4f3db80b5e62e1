// The numbered picture of the screen ("EDIT:PICTURE") on a real X screen: what the picture
// shows, the numbering of the files in "\Images", and the bars and the auto-hide poll after it.
// The test script runs it on a 2,560 x 1,440 Xvfb screen with a small window manager.
#include "appfixture.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "testguard.h"
#include "testmain.h"

#include "app/bottomstrip.h"
#include "app/windowlayout.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "export/pageexports.h"
#include "export/pagepicture.h"

#include <QClipboard>
#include <QDir>
#include <QScreen>

using CommandDriver::activate;
using CommandDriver::Reached;

namespace {

// Every page of these tests is lime from edge to edge, so that the bars show in a picture as
// anything but lime. The page counts the frames the engine draws into its body.
const QByteArray kLimePage =
    "<html><head><title>Lime</title></head><body style='margin:0;background:#00ff00'>"
    "<script>let n = 0; (function frame() { document.body.dataset.frames = ++n;"
    " requestAnimationFrame(frame); })();</script></body></html>";

int framesDrawn(BrowserView* view)
{
    return evaluate(view, QStringLiteral("Number(document.body.dataset.frames)")).toInt();
}

} // namespace

class TestPicture : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;

    QUrl home() const { return server.url(QStringLiteral("lime.html")); }
    QString base() const { return QStringLiteral("http://") + server.hostPort(); }
    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }

    // The message of a saved picture.
    static QString savedMessage(const AppFixture& fixture, const QString& file)
    {
        return fixture.module->Lang_Text[CaptionNo::PictureSaved] + QStringLiteral(": ") +
               QDir::toNativeSeparators(fixture.dir.file(QStringLiteral("Images/") + file));
    }

    // The bars are in place and the view no longer covers them.
    void checkBarsShown()
    {
        QVERIFY(w().layout().Bar_Shown());
        QVERIFY(w().picStat()->isVisible());
        const QRect view = root().currentView()->widget()->geometry();
        QCOMPARE(view.top(), w().picBar()->geometry().bottom() + 1);
        QVERIFY(view.bottom() < w().picStat()->y());
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X screen: run through scripts/test.sh");
        QVERIFY(server.start());
        server.setPage(QStringLiteral("lime.html"), kLimePage);
        QVERIFY(startShared(app, base(), home(), kTestTimings));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(home()));
        root().picture().setSettleMs(kPictureSettleMs);
        QDir images(app.dir.file(QStringLiteral("Images")));
        QVERIFY(images.removeRecursively() && images.mkpath(QStringLiteral(".")));
    }

    void cleanupTestCase()
    {
        if (app.window)
            app.close();
    }

    // The whole screen with the page in place of the bars, as a bitmap file and on the
    // clipboard; the window draws on throughout, and the bars are back after it.
    void pictureShowsTheScreenWithoutTheBars()
    {
        w().raise();
        w().activateWindow();
        QTRY_VERIFY(framesDrawn(root().currentView()) > 0);
        const QPoint bar = w().picBar()->mapToGlobal(w().picBar()->rect().center());
        const QPoint strip = w().picStat()->mapToGlobal(w().picStat()->rect().center());
        const int framesBefore = framesDrawn(root().currentView());

        QCOMPARE(activate(w(), QStringLiteral("EDIT:PICTURE")), Reached::Activated);

        QCOMPARE(app.desktop.messages.size(), 1);
        const QString file =
            QDir(app.dir.file(QStringLiteral("Images"))).entryList(QDir::Files).value(0);
        QVERIFY(file.startsWith(QLatin1String("Orvel")));
        QCOMPARE(app.desktop.messages[0].text, savedMessage(app, file));
        QCOMPARE(app.desktop.messages[0].title, QStringLiteral("orvelquorvink"));
        const QString path = app.dir.file(QStringLiteral("Images/") + file);
        QVERIFY(app.dir.read(QStringLiteral("Images/") + file).startsWith("BM"));
        const QImage picture(path, "BMP");
        const QScreen* screen = w().screen();
        QCOMPARE(picture.size(), screen->geometry().size() * screen->devicePixelRatio());
        const QColor lime(0, 255, 0);
        QCOMPARE(picture.pixelColor(bar - screen->geometry().topLeft()), lime);
        QCOMPARE(picture.pixelColor(strip - screen->geometry().topLeft()), lime);
        QCOMPARE(QGuiApplication::clipboard()->image().size(), picture.size());
        // Some 60 frames a second while it waited; a blocked window draws none.
        QVERIFY2(framesDrawn(root().currentView()) - framesBefore >= 20,
                 qPrintable(QString::number(framesDrawn(root().currentView()) - framesBefore)));
        checkBarsShown();
    }

    // The poll that a menu paused runs again after the picture, when auto-hide is on.
    void autoHidePollRunsAgain_data()
    {
        QTest::addColumn<bool>("autoHide");
        QTest::addRow("auto-hide on") << true;
        QTest::addRow("auto-hide off") << false;
    }
    void autoHidePollRunsAgain()
    {
        QFETCH(bool, autoHide);
        root().picture().setSettleMs(0);
        if (autoHide) {
            CommandEntry* floating = app.pool->entry(QStringLiteral("FILE:FLOATING"));
            floating->setChecked(true);
            root().autoHideSwitch(floating);
        }
        w().autoHide().pause();
        root().exports().run(ExportKind::Picture);
        QCOMPARE(w().autoHide().Timer1().isActive(), autoHide);
        QCOMPARE(app.desktop.messages.size(), 1);
        checkBarsShown();
    }

    void pictureThatCannotBeWrittenIsReported()
    {
        root().picture().setSettleMs(0);
        QVERIFY(QDir(app.dir.file(QStringLiteral("Images"))).removeRecursively());
        QVERIFY(app.dir.write(QStringLiteral("Images"), "not a folder"));
        const int count = root().picture().Pic_Count();
        root().exports().run(ExportKind::Picture);
        QVERIFY(QFile::remove(app.dir.file(QStringLiteral("Images"))));
        QCOMPARE(app.desktop.messages.size(), 1);
        const QString path = QDir::toNativeSeparators(app.dir.file(
            QStringLiteral("Images/Orvel%1.bmp").arg(count % 1000, 3, 10, QLatin1Char('0'))));
        QVERIFY2(app.desktop.messages[0].text.contains(path),
                 qPrintable(app.desktop.messages[0].text));
        QCOMPARE(root().picture().Pic_Count(), count);
        checkBarsShown();
    }

    // Numbering starts at 000 with every run, in a folder made when missing; pictures of an
    // earlier run, whatever the letter case of their names, are kept: the next free number is
    // taken. A window of its own starts the run.
    void numbersStartAtZeroAndKeepEarlierPictures_data()
    {
        QTest::addColumn<QStringList>("earlier");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QStringList>("named"); // the first and the last picture
        QTest::addRow("no folder") << QStringList() << 11 << QStringList{"Orvel000", "Orvel010"};
        QTest::addRow("earlier pictures") << QStringList{"Orvel000.bmp", "orvel001.BMP"} << 2
                                          << QStringList{"Orvel002", "Orvel003"};
    }
    void numbersStartAtZeroAndKeepEarlierPictures()
    {
        QFETCH(QStringList, earlier);
        QFETCH(int, pictures);
        QFETCH(QStringList, named);
        std::unique_ptr<AppFixture> own = ownAppBeside(app, base());
        QVERIFY(own);
        QDir images(own->dir.file(QStringLiteral("Images")));
        QVERIFY(images.removeRecursively() && (earlier.isEmpty() || images.mkpath(".")));
        for (const QString& name : earlier)
            QVERIFY(own->dir.write(QStringLiteral("Images/") + name, name.toUtf8()));
        own->start(home().toString());
        QVERIFY(AppFixture::waitFor(own->view(0), home()));
        own->browser->picture().setSettleMs(0);
        for (int i = 0; i < pictures; ++i)
            own->browser->exports().run(ExportKind::Picture);
        QCOMPARE(own->desktop.messages.size(), pictures);
        QCOMPARE(own->desktop.messages.first().text, savedMessage(*own, named[0] + ".bmp"));
        QCOMPARE(own->desktop.messages.last().text, savedMessage(*own, named[1] + ".bmp"));
        for (const QString& name : earlier)
            QCOMPARE(own->dir.read(QStringLiteral("Images/") + name), name.toUtf8());
        own->close();
    }
};

QUORVINK_TEST_MAIN(TestPicture)
#include "test_picture.moc"
