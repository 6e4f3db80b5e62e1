// The busy state of an export and its closing message, on a window of the offscreen platform:
// what a run dims and names it restores however the export ends, and only that.
#include "export/exportrun.h"
#include "recordingdesktop.h"
#include "testguard.h"
#include "unittestmain.h"

#include "config/languagefile.h"
#include "core/programdir.h"
#include "export/setalpha.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <stdexcept>

namespace {

// The desktop that notes the window's opacity (0-255) at each message.
class WatchingDesktop : public RecordingDesktop {
public:
    QPointer<QWidget> window;
    QList<int> alphaAtMessage;
    void message(QWidget* parent, const QString& title, const QString& text) override
    {
        alphaAtMessage << (window ? qRound(window->windowOpacity() * 255) : -1);
        RecordingDesktop::message(parent, title, text);
    }
};

} // namespace

class TestExportRun : public QObject {
    Q_OBJECT

    const ProgramDir dir;
    const CaptionTable captions;
    std::unique_ptr<WatchingDesktop> desktop;
    std::unique_ptr<QWidget> window;
    QStringList statuses; // every status text shown, in order
    int opacityChanges = 0;

    ExportContext context()
    {
        return {.currentView = [] { return nullptr; },
                .window = window.get(),
                .dir = dir,
                .desktop = *desktop,
                .captions = captions,
                .showStatus = [this](const QString& text) { statuses << text; }};
    }
    int alpha() const { return qRound(window->windowOpacity() * 255); }
    QStringList messages() const
    {
        QStringList texts;
        for (const RecordingDesktop::Message& m : std::as_const(desktop->messages))
            texts << m.text;
        return texts;
    }
    static bool busy()
    {
        const QCursor* pointer = QGuiApplication::overrideCursor();
        return pointer && pointer->shape() == Qt::WaitCursor;
    }

private slots:
    void init()
    {
        TestGuard::failOnWarnings();
        statuses.clear();
        opacityChanges = 0;
        window = std::make_unique<QWidget>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        desktop = std::make_unique<WatchingDesktop>();
        desktop->window = window.get();
        connect(window->windowHandle(), &QWindow::opacityChanged, this,
                [this] { ++opacityChanges; });
    }

    void cleanup()
    {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        window.reset();
    }

    // However the export ends, the window is opaque, the status text cleared and the pointer
    // back; a closing message comes after the window is opaque again.
    void everyEndRestores_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QStringList>("messages");
        QTest::addRow("closing message") << "finish" << QStringList{"Saved"};
        QTest::addRow("cancelled") << "end" << QStringList();
        QTest::addRow("returns early") << "return" << QStringList();
        QTest::addRow("throws") << "throw" << QStringList();
    }
    void everyEndRestores()
    {
        QFETCH(QString, ending);
        QFETCH(QStringList, messages);
        try {
            ExportRun run(context());
            run.dim();
            run.status(QStringLiteral("Copying"));
            const ExportRun::Busy pointer = run.busy();
            QCOMPARE(alpha(), Alpha_Dim);
            QVERIFY(busy());
            if (ending == u"finish")
                run.finish(QStringLiteral("Saved"));
            else if (ending == u"end")
                run.end();
            else if (ending == u"throw")
                throw std::runtime_error("the export failed");
        } catch (const std::runtime_error&) {
            QCOMPARE(ending, QStringLiteral("throw"));
        }
        QCOMPARE(alpha(), Alpha_Full);
        QCOMPARE(opacityChanges, 2);
        QCOMPARE(statuses, (QStringList{QStringLiteral("Copying"), QString()}));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(this->messages(), messages);
        QCOMPARE(desktop->alphaAtMessage, QList<int>(messages.size(), Alpha_Full));
    }

    // A run touches only what it changed: an export that does not dim leaves the opacity alone,
    // one that names no step leaves the status text as the page set it.
    void touchesOnlyWhatItChanged_data()
    {
        QTest::addColumn<bool>("dims");
        QTest::addColumn<bool>("names");
        QTest::addRow("neither (picture, source)") << false << false;
        QTest::addRow("dims only (web archive)") << true << false;
        QTest::addRow("names only (slide)") << false << true;
        QTest::addRow("both (office documents)") << true << true;
    }
    void touchesOnlyWhatItChanged()
    {
        QFETCH(bool, dims);
        QFETCH(bool, names);
        {
            ExportRun run(context());
            if (dims)
                run.dim();
            if (names)
                run.status(QStringLiteral("Saving"));
            run.finish(QStringLiteral("Done"));
        }
        QCOMPARE(opacityChanges, dims ? 2 : 0);
        const QStringList named{QStringLiteral("Saving"), QString()};
        QCOMPARE(statuses, names ? named : QStringList());
        QCOMPARE(messages(), QStringList{QStringLiteral("Done")});
        QCOMPARE(desktop->alphaAtMessage, QList<int>{Alpha_Full});
    }

    // A message during the run leaves the window dimmed; after a closing message the export
    // goes on undimmed, and its end changes nothing more.
    void goesOnAfterAClosingMessage()
    {
        {
            ExportRun run(context());
            run.dim();
            run.status(QStringLiteral("Copying"));
            run.report(QStringLiteral("Nothing copied"));
            run.finish(QStringLiteral("First"));
            run.status(QString());
            run.report(QStringLiteral("Second"));
            run.finish(QStringLiteral("Last"));
        }
        QCOMPARE(messages(), (QStringList{"Nothing copied", "First", "Second", "Last"}));
        QCOMPARE(desktop->alphaAtMessage,
                 (QList<int>{Alpha_Dim, Alpha_Full, Alpha_Full, Alpha_Full}));
        QCOMPARE(opacityChanges, 2);
        QCOMPARE(statuses, (QStringList{"Copying", "", "", ""}));
    }

    // The answer of a page may come after its window has gone: the message stands alone, and
    // nothing reports a window that cannot be made opaque.
    void windowGoneBeforeTheEnd()
    {
        {
            ExportRun run(context());
            run.dim();
            window.reset();
            QCOMPARE(run.window(), nullptr);
            run.finish(QStringLiteral("Saved"));
        }
        QCOMPARE(messages(), QStringList{QStringLiteral("Saved")});
    }
};

#include "test_exportrun.moc"
QUORVINK_WIDGETS_TEST_MAIN(TestExportRun)
