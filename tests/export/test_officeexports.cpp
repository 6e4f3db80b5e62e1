// The office exports chosen from the real menus of the real window, against pages served from
// 127.0.0.1: the save dialog is answered through the recording desktop, and every file written
// is read back through the office.
#include "appfixture.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "officecheck.h"
#include "testguard.h"
#include "testmain.h"

#include "app/bottomstrip.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "config/programfiles.h"
#include "export/officeexports.h"
#include "export/officesession.h"
#include "export/setalpha.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QLabel>
#include <QScopeGuard>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <csignal>
#include <unistd.h>

using Step = OfficeJob::Step;

namespace {

const QString kContacts =
    QStringLiteral("<h1>Grüße aus Köln – 5 €</h1>"
                   "<p>Write to <a href=\"mailto:desk@example.org\">desk@example.org</a>.</p>"
                   "<table border=\"1\"><tr><th>Name</th><th>Mail</th></tr>"
                   "<tr><td>Anna</td><td>anna@example.org</td></tr>"
                   "<tr><td>Bob</td><td>bob@example.org</td></tr></table>");

// A page of about 20 MB: long paragraphs of words, and a table after every tenth.
QByteArray twentyMegabytePage()
{
    const QByteArray words = QByteArray("words of a long page ").repeated(1000);
    QByteArray html = "<html><head><title>Large</title></head><body><p>FIRST-MARKER</p>";
    for (int n = 0; html.size() < 20 * 1024 * 1024; ++n) {
        html += "<p>" + QByteArray::number(n) + ' ' + words + "</p>\n";
        if (n % 10 == 0)
            html += "<table><tr><td>cell</td><td>" + QByteArray::number(n) + "</td></tr></table>";
    }
    return html + "<p>LAST-MARKER</p></body></html>";
}

// The processes whose parent and command line are wanted.
QList<pid_t> processes(const std::function<bool(pid_t parent, const QByteArray& command)>& wanted)
{
    QList<pid_t> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!stat.open(QIODevice::ReadOnly) || !command.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state parent ..."
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (wanted(pid_t(fields.value(1).toInt()), command.readAll()))
            found << entry.toInt();
    }
    return found;
}

} // namespace

class TestOfficeExports : public QObject {
    Q_OBJECT

    // What the window showed when the office entered a step.
    struct Seen {
        Step step;
        QString status;
        bool busy;
        int alpha;
        bool noResize;
    };

    HttpServer server;
    AppFixture app;
    QTemporaryDir out; // where the exports are saved
    QList<Seen> seen;  // the office's steps in the last export

    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }
    int alpha() { return qRound(w().windowOpacity() * 255); }
    QString caption(int number) const { return app.module->Lang_Text[number]; }
    QString saved(const QString& name) const { return caption(CaptionNo::PageSavedAs) + name; }
    QString outFile(const QString& name) const { return out.filePath(name); }
    QJsonObject read(const QString& file) const
    {
        return readBack(file, app.module->path(ProgramFiles::OfficeProfile));
    }

    bool open(const QString& path)
    {
        app.view(0)->Navigate(server.url(path).toString());
        return AppFixture::waitFor(app.view(0), server.url(path));
    }

    // Chooses an export in its menu; the save dialog is answered with `answer` (empty: cancel).
    void exportTo(const QString& key, const QString& answer)
    {
        seen.clear();
        app.desktop.messages.clear();
        app.desktop.saveAsked.clear();
        app.desktop.saveAnswers = QStringList{answer};
        QCOMPARE(CommandDriver::activate(w(), key), CommandDriver::Reached::Activated);
    }

    // The texts of the messages shown, each under the program's title.
    QStringList messages() const
    {
        QStringList texts;
        for (const RecordingDesktop::Message& m : std::as_const(app.desktop.messages))
            texts << (m.title == Desktop::messageTitle() ? m.text : QStringLiteral("<title>"));
        return texts;
    }

    // While the office worked the pointer was busy and the status text named each step.
    bool stepsShown(int expectedAlpha) const
    {
        return !seen.isEmpty() && std::all_of(seen.cbegin(), seen.cend(), [&](const Seen& s) {
            return s.busy && s.alpha == expectedAlpha &&
                   s.status == caption(CaptionNo::StepStart + int(s.step));
        });
    }

private slots:
    void initTestCase()
    {
        REQUIRE_OFFICE();
        QVERIFY(out.isValid() && server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("contacts.html"),
                       htmlPage(QStringLiteral("Contacts"), kContacts));
        server.setPage(QStringLiteral("empty.html"), htmlPage(QStringLiteral("Empty")));
        server.setPage(QStringLiteral("large.html"), twentyMegabytePage());
        server.setPage(QStringLiteral("vector.svg"),
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"90\" height=\"60\">"
                       "<rect width=\"90\" height=\"60\" fill=\"teal\"/></svg>",
                       "image/svg+xml");
        for (const char* name : {"Template.Doc", "TemplateH.Doc"})
            QVERIFY(QFile::copy(QStringLiteral(QUORVINK_SOURCE_DIR "/data/Data/") + name,
                                app.dir.file(QStringLiteral("Data/") + name)));
        QVERIFY(startShared(app, QStringLiteral("http://") + server.hostPort(),
                            server.url(QStringLiteral("home.html")), kTestTimings));
        QTRY_VERIFY(!app.module->Template_HDoc.isEmpty());
        connect(&root().office(), &OfficeExports::stepChanged, this, [this](Step step) {
            const QCursor* pointer = QGuiApplication::overrideCursor();
            seen.append({step, w().picStat()->statusBar()->text(),
                         pointer && pointer->shape() == Qt::WaitCursor, alpha(),
                         w().layout().No_Resize()});
        });
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(server.url(QStringLiteral("home.html"))));
        app.module->Template_Doc = app.module->path(ProgramFiles::TemplateDoc);
        app.module->Template_HDoc = app.module->path(ProgramFiles::TemplateHDoc);
        // The exports take the module's template paths, as at the deferred start step.
        root().office().setTemplates(app.module->Template_Doc, app.module->Template_HDoc);
    }

    // After every export, whatever its end: the window opaque, the pointer back, and the window
    // laying itself out again.
    void cleanup()
    {
        if (app.browser->hasExited())
            return;
        QCOMPARE(alpha(), Alpha_Full);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!w().layout().No_Resize());
    }

    void cleanupTestCase() { app.close(); }

    // First, while the dialog has not been given a name in this run.
    void nothingCopied()
    {
        const QString nothing = caption(CaptionNo::NothingCopied);
        QCOMPARE(root().office().FileName(), QString());
        QVERIFY(open(QStringLiteral("empty.html")));
        exportTo(QStringLiteral("SAVE:WORDH"), outFile(QStringLiteral("empty.doc")));
        QCOMPARE(messages(), QStringList({nothing, saved(QString())}));
        QVERIFY(app.desktop.saveAsked.isEmpty());

        // A cancelled dialog says nothing; its name is the one it proposed.
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(QStringLiteral("SAVE:EXCEL"), QString());
        QCOMPARE(messages(), QStringList());
        QVERIFY(open(QStringLiteral("empty.html")));
        exportTo(QStringLiteral("SAVE:PDF"), outFile(QStringLiteral("empty.pdf")));
        QCOMPARE(messages(), QStringList({nothing, saved(QStringLiteral("Contacts.xls"))}));
        QVERIFY(seen.isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
    }

    // The engine copies only from a page that has the focus, which only the active window gives:
    // an export that starts while another window is active (a menu that closed late on a busy
    // machine, another program brought forward) still copies the page.
    void copiesWhileAnotherWindowIsActive()
    {
        QVERIFY(open(QStringLiteral("contacts.html")));
        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        QVERIFY(!w().isActiveWindow());
        app.desktop.messages.clear();
        app.desktop.saveAnswers = QStringList{QString()};
        const qsizetype asked = app.desktop.saveAsked.size();
        root().exports().run(ExportKind::Sheet);
        // Copied: the dialog was shown (then cancelled), and nothing was missed.
        QCOMPARE(app.desktop.saveAsked.size(), asked + 1);
        QCOMPARE(messages(), QStringList());
    }

    // Each export's filter and fallback name; how a title becomes a name is a unit test
    // (test_exportdialog).
    void proposedNames_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("head"); // of the page
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("proposed");

        const QString cut = QStringLiteral("<title>Hello, World! 2010 – News &amp; More</title>");
        const QString word = QStringLiteral("Microsoft Word (*.doc)");
        const QString sheet = QStringLiteral("Microsoft Excel(*.xls)");
        QTest::addRow("title cut, then filtered")
            << "SAVE:WORDH" << cut << word << "HelloWorld2010N.doc";
        QTest::addRow("no title, document")
            << "SAVE:WORDV" << QString() << word << "WordDocument.doc";
        QTest::addRow("no title, sheet")
            << "SAVE:EXCEL" << QString() << sheet << "ExcelDocument.xls";
        QTest::addRow("no title, PDF") << "SAVE:PDF" << QString() << "PDF  (*.pdf)"
                                       << "PDFDocument.pdf";
        QTest::addRow("no title, presentation")
            << "SAVE:PPT" << QString() << "Microsoft Powerpoint(*.ppt)"
            << "PPTDocument.ppt";
    }

    // The dialog is cancelled: nothing is written and no message claims a file was saved.
    void proposedNames()
    {
        QFETCH(QString, key);
        QFETCH(QString, head);
        QFETCH(QString, filter);
        QFETCH(QString, proposed);
        const QString path = QStringLiteral("named-%1.html").arg(qHash(QTest::currentDataTag()));
        server.setPage(
            path,
            QStringLiteral("<html><head>%1</head><body>Text</body></html>").arg(head).toUtf8());
        QVERIFY(open(path));
        exportTo(key, QString());
        QCOMPARE(app.desktop.saveAsked.size(), 1);
        QCOMPARE(app.desktop.saveAsked[0].proposed, proposed);
        QCOMPARE(app.desktop.saveAsked[0].filters, filter);
        // Only the presentation, which adds a slide, takes an existing file without asking.
        QCOMPARE(app.desktop.saveAsked[0].options.confirmReplace, key != u"SAVE:PPT");
        QCOMPARE(messages(), QStringList());
        QVERIFY(seen.isEmpty());
    }

    void exportsReadBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("target");       // in the output folder
        QTest::addColumn<bool>("existing");        // a file is already under the target's name
        QTest::addColumn<bool>("templates");       // set by the deferred start
        QTest::addColumn<QJsonObject>("expected"); // fields of the read-back
        QTest::addColumn<QString>("companion");    // the document beside a PDF

        const auto document = [](bool landscape, const char* header) {
            return QJsonObject{{QStringLiteral("landscape"), landscape},
                               {QStringLiteral("header"), QLatin1String(header)}};
        };
        QTest::addRow("landscape document")
            << "SAVE:WORDH"
            << "page.doc" << false << true << document(true, "OrvelQuorvink") << QString();
        QTest::addRow("portrait document over a file")
            << "SAVE:WORDV"
            << "page.doc" << true << true << document(false, "OrvelQuorvink") << QString();
        QTest::addRow("landscape document without template")
            << "SAVE:WORDH"
            << "plain.doc" << false << false << document(true, "") << QString();
        QTest::addRow("sheet") << "SAVE:EXCEL"
                               << "book.xls" << false << true << QJsonObject() << QString();
        QTest::addRow("sheet over a file")
            << "SAVE:EXCEL"
            << "old.xls" << true << true << QJsonObject() << QString();
        QTest::addRow("PDF in a folder with a dot")
            << "SAVE:PDF"
            << "my.files/page.pdf" << false << true << QJsonObject() << "my.files/page.doc";
        QTest::addRow("PDF named without a dot")
            << "SAVE:PDF"
            << "plain/page" << false << true << QJsonObject() << "plain/page.doc";
    }

    void exportsReadBack()
    {
        QFETCH(QString, key);
        QFETCH(QString, target);
        QFETCH(bool, existing);
        QFETCH(bool, templates);
        QFETCH(QJsonObject, expected);
        QFETCH(QString, companion);

        const QString file = outFile(target);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile::remove(file);
        if (existing)
            QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        if (!templates)
            app.module->Template_Doc.clear();
        // The exports take the module's template paths, as at the deferred start step.
        root().office().setTemplates(app.module->Template_Doc, app.module->Template_HDoc);
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(key, file);
        QCOMPARE(messages(), QStringList{saved(file)});
        QVERIFY(stepsShown(Alpha_Dim));

        const QJsonObject read = this->read(file);
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            QCOMPARE(read.value(it.key()), it.value());
        if (key == u"SAVE:EXCEL") {
            // The page's table in cells of their own, below the text above it.
            const QVariantList rows = read.value(QLatin1String("cells")).toArray().toVariantList();
            const QVariantList table{QVariantList{"Anna", "anna@example.org"},
                                     QVariantList{"Bob", "bob@example.org"}};
            const qsizetype at = rows.indexOf(table.first());
            QVERIFY2(at > 0 && rows.mid(at, 2) == table, QJsonDocument(read).toJson().data());
        } else {
            QVERIFY2(read.value(QLatin1String("text")).toString().contains(QLatin1String("Anna")),
                     QJsonDocument(read).toJson().data());
        }
        if (!companion.isEmpty()) {
            QStringList both{QFileInfo(companion).fileName(), QFileInfo(file).fileName()};
            both.sort();
            QCOMPARE(QFileInfo(file).dir().entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::NoDotAndDotDot),
                     both);
            const QJsonObject doc = this->read(outFile(companion));
            QCOMPARE(doc.value(QLatin1String("landscape")).toBool(), false);
            QVERIFY(doc.value(QLatin1String("text")).toString().contains(QStringLiteral("Köln")));
        }
    }

    // Twice to one file: a new presentation, then a slide appended to it; the window is not
    // dimmed and does not lay itself out meanwhile.
    void presentationAppends()
    {
        const QString file = outFile(QStringLiteral("show.ppt"));
        QVERIFY(open(QStringLiteral("contacts.html")));
        const QString added = caption(CaptionNo::SlideWord) + QStringLiteral(" %1 ") +
                              caption(CaptionNo::SlideAdded) + QLatin1Char('\n') + file;
        for (int slide = 1; slide <= 2; ++slide) {
            exportTo(QStringLiteral("SAVE:PPT"), file);
            QCOMPARE(messages(), QStringList{added.arg(slide)});
            QVERIFY(stepsShown(Alpha_Full));
            QVERIFY(
                std::all_of(seen.cbegin(), seen.cend(), [](const Seen& s) { return s.noResize; }));
        }
        const QJsonObject show = read(file);
        QCOMPARE(show.value(QLatin1String("pages")).toInt(), 2);
        QCOMPARE(show.value(QLatin1String("pictures")).toArray(), QJsonArray({1, 1}));
    }

    void faults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("target"); // in the row's own folder
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("message");   // the caption it begins with
        QTest::addColumn<QString>("named"); // in the row's folder

        QTest::addRow("folder that cannot be written")
            << "SAVE:WORDH"
            << "a-file/page.doc"
            << "" << CaptionNo::FileNotSaved << "a-file/page.doc";
        QTest::addRow("template missing")
            << "SAVE:WORDV"
            << "page.doc"
            << "template missing" << CaptionNo::DocumentNotOpened << "gone/TemplateH.Doc";
        QTest::addRow("office missing")
            << "SAVE:EXCEL"
            << "book.xls"
            << "office missing" << CaptionNo::OfficeNotStarted << "no-office/soffice";
        QTest::addRow("helper killed while opening")
            << "SAVE:WORDV"
            << "page.doc"
            << "helper killed" << CaptionNo::OfficeHelperEnded << "";
        // Before the deferred start step no office is started; the closing steps run.
        QTest::addRow("portrait document before the templates")
            << "SAVE:WORDV"
            << "page.doc"
            << "no templates" << CaptionNo::PageSavedAs << "page.doc";
        QTest::addRow("PDF before the templates")
            << "SAVE:PDF"
            << "page.pdf"
            << "no templates" << CaptionNo::PageSavedAs << "page.pdf";
    }

    // One message, no file under the chosen name, and the next export works.
    void faults()
    {
        QFETCH(QString, key);
        QFETCH(QString, target);
        QFETCH(QString, fault);
        QFETCH(int, message);
        QFETCH(QString, named);

        const QTemporaryDir folder(out.filePath(QStringLiteral("fault-XXXXXX")));
        const QDir dir(folder.path());
        QVERIFY(QFile(dir.filePath(QStringLiteral("a-file"))).open(QIODevice::WriteOnly));
        if (fault == u"template missing")
            app.module->Template_HDoc = dir.filePath(QStringLiteral("gone/TemplateH.Doc"));
        if (fault == u"no templates") {
            app.module->Template_Doc.clear();
            app.module->Template_HDoc.clear();
        }
        // The exports take the module's template paths, as at the deferred start step.
        root().office().setTemplates(app.module->Template_Doc, app.module->Template_HDoc);
        if (fault == u"office missing") {
            // A missing office shows only when no office of the profile is running.
            root().office().quitOffice();
            qputenv("QUORVINK_SOFFICE",
                    dir.filePath(QStringLiteral("no-office/soffice")).toLocal8Bit());
        }
        const auto restore = qScopeGuard([] { qunsetenv("QUORVINK_SOFFICE"); });
        const QMetaObject::Connection kill =
            connect(&root().office(), &OfficeExports::stepChanged, this, [fault](Step step) {
                const auto ownHelper = [](pid_t parent, const QByteArray& command) {
                    return parent == ::getpid() && command.contains("orvelquorvink-office") &&
                           !command.contains("--keep");
                };
                if (fault == u"helper killed" && step == Step::Open) {
                    for (const pid_t pid : processes(ownHelper))
                        ::kill(pid, SIGKILL);
                }
            });
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(key, dir.filePath(target));
        disconnect(kill);

        // A failure's caption stands on the first line, the helper's detail after it.
        const QStringList shown = messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2((message == CaptionNo::PageSavedAs
                      ? shown[0].startsWith(caption(message))
                      : shown[0].section(u'\n', 0, 0) == caption(message)) &&
                     (named.isEmpty() || shown[0].contains(dir.filePath(named))),
                 qPrintable(shown[0]));
        QVERIFY(!QFileInfo::exists(dir.filePath(target)));

        qunsetenv("QUORVINK_SOFFICE");
        init();
        QVERIFY(open(QStringLiteral("contacts.html")));
        const QString again = dir.filePath(QFileInfo(target).fileName());
        exportTo(key, again);
        QCOMPARE(messages(), QStringList{saved(again)});
        QVERIFY(QFileInfo(again).size() > 0);
    }

    // Without the helper (its package is not installed) the export says so before it dims the
    // window or asks for a name.
    void officeNotInstalled_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("present"); // a file that cannot be run stands in its place

        QTest::addRow("document, helper missing") << "SAVE:WORDH" << false;
        QTest::addRow("PDF, helper not executable") << "SAVE:PDF" << true;
        QTest::addRow("slide, helper missing") << "SAVE:PPT" << false;
    }

    void officeNotInstalled()
    {
        QFETCH(QString, key);
        QFETCH(bool, present);
        OfficeSession& session = root().office().session();
        const QString installed = session.helperPath();
        const auto restore = qScopeGuard([&] { session.setHelperPath(installed); });
        const QString helper = out.filePath(QStringLiteral("orvelquorvink-office"));
        QFile::remove(helper);
        if (present)
            QVERIFY(QFile(helper).open(QIODevice::WriteOnly));
        session.setHelperPath(helper);
        int dimmed = 0;
        const QMetaObject::Connection watch =
            connect(w().windowHandle(), &QWindow::opacityChanged, this, [&dimmed] { ++dimmed; });

        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(key, outFile(QStringLiteral("missing")));
        disconnect(watch);
        QCOMPARE(messages(), QStringList{caption(CaptionNo::OfficeNotInstalled)});
        QVERIFY(app.desktop.saveAsked.isEmpty());
        QCOMPARE(dimmed, 0);
    }

    // While an export waits for the office, Cancel in the bottom strip and Escape end the wait
    // at once and that office with it; nothing stays under the name, and no message follows. A
    // page that raises alerts meanwhile gets them answered at once: no window opens that the
    // wait's held-back input could not close.
    void cancelWait_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("alerting");
        QTest::addRow("Cancel button") << false << false;
        QTest::addRow("Escape") << true << false;
        QTest::addRow("Cancel button, the page alerting") << false << true;
    }

    void cancelWait()
    {
        QFETCH(bool, escape);
        QFETCH(bool, alerting);
        bool modalSeen = false;
        QTimer modalWatch;
        connect(&modalWatch, &QTimer::timeout, this, [&modalSeen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modalSeen = true;
                modal->close(); // so that a failing run ends
            }
        });
        modalWatch.start(20);
        const QTemporaryDir folder(out.filePath(QStringLiteral("cancel-XXXXXX")));
        // An office that starts and never answers, so that the export waits for it.
        const QString silent = folder.filePath(QStringLiteral("silent-soffice"));
        QFile script(silent);
        QVERIFY(script.open(QIODevice::WriteOnly) &&
                script.write("#!/bin/sh\nexec perl -e 'sleep 600' -- \"$@\"\n") > 0);
        script.close();
        QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
        root().office().quitOffice();
        qputenv("QUORVINK_SOFFICE", QFile::encodeName(silent));
        const auto restore = qScopeGuard([] { qunsetenv("QUORVINK_SOFFICE"); });
        const QByteArray profile = QFile::encodeName(app.module->path(ProgramFiles::OfficeProfile));
        const auto silentOffices = [&profile] {
            return processes([&profile](pid_t, const QByteArray& command) {
                return command.startsWith("perl") && command.contains(profile);
            });
        };

        bool cancelShown = false;
        QString alerted;
        const QMetaObject::Connection cancel =
            connect(&root().office(), &OfficeExports::stepChanged, this, [&](Step step) {
                if (step != Step::Start)
                    return;
                if (alerting) {
                    app.view(0)->page()->runJavaScript(QStringLiteral(
                        "var alerts = 0, timer = setInterval(function () {"
                        "  if (alerts === 5) { clearInterval(timer); return; }"
                        "  alert('Stop!'); document.title = 'alerted ' + (++alerts); }, 20);"));
                }
                QTimer::singleShot(300, this, [&] {
                    if (alerting)
                        alerted = app.view(0)->LocationName();
                    QToolButton* button = w().picStat()->cmdCancel();
                    cancelShown = button->isVisible() && !silentOffices().isEmpty();
                    if (escape)
                        QTest::keyClick(&w(), Qt::Key_Escape);
                    else if (button->isVisible())
                        QTest::mouseClick(button, Qt::LeftButton);
                });
            });
        QVERIFY(open(QStringLiteral("contacts.html")));
        const QString target = folder.filePath(QStringLiteral("page.doc"));
        QElapsedTimer waited;
        waited.start();
        exportTo(QStringLiteral("SAVE:WORDH"), target);
        disconnect(cancel);
        QVERIFY(cancelShown);
        QVERIFY2(waited.elapsed() < 20'000, "the wait did not end at the cancel");
        QVERIFY(!modalSeen);
        if (alerting)
            QCOMPARE(alerted, QStringLiteral("alerted 5"));
        QCOMPARE(messages(), QStringList());
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(!w().picStat()->cmdCancel()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(silentOffices().isEmpty(), 10'000);

        // The window is usable: the next export works with the real office.
        qunsetenv("QUORVINK_SOFFICE");
        root().office().quitOffice();
        exportTo(QStringLiteral("SAVE:WORDH"), target);
        QCOMPARE(messages(), QStringList{saved(target)});
    }

    // A page whose document has no body: the fallback copies what it can (nothing here), the
    // page is loaded again, and the document export says so before and after.
    void pageWithoutBody()
    {
        QVERIFY(open(QStringLiteral("empty.html")));
        exportTo(QStringLiteral("SAVE:EXCEL"), QString());
        const QString before = root().office().FileName();
        QVERIFY(open(QStringLiteral("vector.svg")));
        const int loads = server.requestCount(QStringLiteral("vector.svg"));
        exportTo(QStringLiteral("SAVE:WORDH"), outFile(QStringLiteral("vector.doc")));
        QCOMPARE(messages(),
                 QStringList({saved(before), caption(CaptionNo::NothingCopied), saved(before)}));
        QTRY_COMPARE(server.requestCount(QStringLiteral("vector.svg")), loads + 1);
        QVERIFY(!QFileInfo::exists(outFile(QStringLiteral("vector.doc"))));
    }

    // A page of 20 MB is exported whole. It takes long: the test runs only when named.
    void largePage()
    {
        if (!QCoreApplication::arguments().contains(QLatin1String("largePage")))
            QSKIP("runs as a test of its own: test_officeexports largePage");
        QVERIFY(open(QStringLiteral("large.html")));
        const QString file = outFile(QStringLiteral("large.doc"));
        exportTo(QStringLiteral("SAVE:WORDV"), file);
        QVERIFY2(messages() == QStringList{saved(file)}, qPrintable(messages().join(u'|')));
        const QString text = read(file).value(QLatin1String("text")).toString();
        QVERIFY(text.startsWith(QLatin1String("FIRST-MARKER")));
        QVERIFY(text.contains(QLatin1String("LAST-MARKER")));
    }

    // Last: the office kept between exports ends when the program exits.
    void exitEndsTheOffice()
    {
        const QByteArray profile = app.module->path(ProgramFiles::OfficeProfile).toLocal8Bit();
        const auto office = [&profile] {
            return processes([&profile](pid_t, const QByteArray& command) {
                return command.contains("soffice") && command.contains(profile);
            });
        };
        QVERIFY(!office().isEmpty());
        app.close();
        QTRY_VERIFY_WITH_TIMEOUT(office().isEmpty(), 20000);
    }
};

QUORVINK_TEST_MAIN(TestOfficeExports)
#include "test_officeexports.moc"
