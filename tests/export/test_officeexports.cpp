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
#include "config/captionnumbers.h"
#include "config/programfiles.h"
#include "export/officeexports.h"
#include "export/setalpha.h"

#include <QCursor>
#include <QJsonArray>
#include <QLabel>
#include <QScopeGuard>

#include <algorithm>

#include <csignal>
#include <unistd.h>

using CommandDriver::activate;
using CommandDriver::Reached;
using Step = OfficeJob::Step;

namespace {

const QString kContacts =
    QStringLiteral("<h1>Grüße aus Köln – 5 €</h1>"
                   "<p>Write to <a href=\"mailto:desk@example.org\">desk@example.org</a>.</p>"
                   "<table border=\"1\"><tr><th>Name</th><th>Mail</th></tr>"
                   "<tr><td>Anna</td><td>anna@example.org</td></tr>"
                   "<tr><td>Bob</td><td>bob@example.org</td></tr></table>");

// What the window showed when the office entered a step.
struct Seen {
    Step step;
    QString status;
    bool busy;
    int alpha;
    bool noResize;
};

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

// The office helpers this program started.
QList<pid_t> ownHelpers()
{
    return processes([](pid_t parent, const QByteArray& command) {
        return parent == ::getpid() && command.contains("orvelquorvink-office");
    });
}

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

} // namespace

class TestOfficeExports : public QObject {
    Q_OBJECT

    HttpServer server;
    AppFixture app;
    QTemporaryDir out; // where the exports are saved
    QList<Seen> seen;  // the steps of the office in the last export

    frmStart& w() { return *app.window; }
    QString caption(int number) const { return app.module->Lang_Text[number]; }
    QString saved(const QString& name) const { return caption(CaptionNo::ExportSaved) + name; }
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
    // What was shown and asked before is forgotten.
    void exportTo(const QString& key, const QString& answer)
    {
        seen.clear();
        app.desktop.messages.clear();
        app.desktop.saveAsked.clear();
        app.desktop.saveAnswers = QStringList{answer};
        QCOMPARE(activate(w(), key), Reached::Activated);
    }

    // The texts of the messages shown, each under the program's title.
    QStringList messages() const
    {
        QStringList texts;
        for (const RecordingDesktop::Message& m : std::as_const(app.desktop.messages))
            texts << (m.title == Desktop::messageTitle() ? m.text : QStringLiteral("<title>"));
        return texts;
    }

    // What is wrong with the window after an export: empty when it is opaque, its pointer and
    // status text are back and it lays itself out again.
    QString windowProblem()
    {
        QStringList problems;
        if (qRound(w().windowOpacity() * 255) != Alpha_Full)
            problems << QStringLiteral("opacity %1").arg(w().windowOpacity());
        if (QGuiApplication::overrideCursor())
            problems << QStringLiteral("pointer still busy");
        if (!w().picStat()->statusBar()->text().isEmpty())
            problems << QStringLiteral("status: ") + w().picStat()->statusBar()->text();
        if (w().layout().No_Resize())
            problems << QStringLiteral("No_Resize still set");
        return problems.join(QStringLiteral(", "));
    }

    // While the office worked: the pointer busy and the status text naming each step.
    QString stepProblem(bool dimmed)
    {
        if (seen.isEmpty())
            return QStringLiteral("the office entered no step");
        for (const Seen& s : std::as_const(seen)) {
            if (!s.busy || s.status != caption(CaptionNo::StepStart + int(s.step)) ||
                (dimmed && s.alpha != Alpha_Dim))
                return QStringLiteral("step %1: busy %2, status \"%3\", alpha %4")
                    .arg(OfficeJob::stepName(s.step))
                    .arg(s.busy)
                    .arg(s.status)
                    .arg(s.alpha);
        }
        return QString();
    }

private slots:
    void initTestCase()
    {
        REQUIRE_OFFICE();
        QVERIFY(out.isValid());
        QVERIFY(server.start());
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("contacts.html"),
                       htmlPage(QStringLiteral("Contacts"), kContacts));
        server.setPage(QStringLiteral("empty.html"), htmlPage(QStringLiteral("Empty")));
        server.setPage(QStringLiteral("large.html"), twentyMegabytePage());
        server.setPage(QStringLiteral("vector.svg"),
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"90\" height=\"60\">"
                       "<rect width=\"90\" height=\"60\" fill=\"teal\"/></svg>",
                       "image/svg+xml");
        for (const char* name : {"Template.Doc", "TemplateH.Doc"}) {
            QVERIFY(QFile::copy(QStringLiteral(QUORVINK_SOURCE_DIR "/data/Data/") + name,
                                app.dir.file(QStringLiteral("Data/") + name)));
        }
        QVERIFY(startShared(app, QStringLiteral("http://") + server.hostPort(),
                            server.url(QStringLiteral("home.html")), kTestTimings));
        QTRY_VERIFY(!app.module->Template_HDoc.isEmpty());
        connect(&w().office(), &OfficeExports::stepChanged, this, [this](Step step) {
            const QCursor* pointer = QGuiApplication::overrideCursor();
            seen.append({step, w().picStat()->statusBar()->text(),
                         pointer && pointer->shape() == Qt::WaitCursor,
                         qRound(w().windowOpacity() * 255), w().layout().No_Resize()});
        });
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(server.url(QStringLiteral("home.html"))));
        app.module->Template_Doc = app.module->path(ProgramFiles::TemplateDoc);
        app.module->Template_HDoc = app.module->path(ProgramFiles::TemplateHDoc);
    }

    void cleanupTestCase() { app.close(); }

    // First, while the dialog has not been given a name in this run.
    void nothingCopied()
    {
        const QString nothing = caption(CaptionNo::NothingCopied);
        QCOMPARE(w().office().FileName(), QString());
        QVERIFY(open(QStringLiteral("empty.html")));
        exportTo(QStringLiteral("SAVE:WORDH"), outFile(QStringLiteral("empty.doc")));
        QCOMPARE(messages(), QStringList({nothing, saved(QString())}));
        QVERIFY(app.desktop.saveAsked.isEmpty());

        // A cancelled dialog: the proposed name is the dialog's name from then on.
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(QStringLiteral("SAVE:EXCEL"), QString());
        QCOMPARE(messages(), QStringList{saved(QStringLiteral("Contacts.xls"))});
        QVERIFY(open(QStringLiteral("empty.html")));
        exportTo(QStringLiteral("SAVE:PDF"), outFile(QStringLiteral("empty.pdf")));
        QCOMPARE(messages(), QStringList({nothing, saved(QStringLiteral("Contacts.xls"))}));
        QVERIFY(seen.isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
        const QString problem = windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void proposedNames_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("head"); // of the page
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("proposed");

        const QString cut = QStringLiteral("<title>Hello, World! 2010 – News &amp; More</title>");
        const QString greek = QStringLiteral("<title>Ελληνικά νέα</title>");
        const QString controls = QStringLiteral(
            "<script>document.title = '\\u0001News\\u0007\\u001b2010\\u007f';</script>");
        QTest::addRow("title cut, then filtered") << "SAVE:WORDH" << cut << "Microsoft Word (*.doc)"
                                                  << "HelloWorld2010N.doc";
        QTest::addRow("no title, document") << "SAVE:WORDV" << QString() << "Microsoft Word (*.doc)"
                                            << ".doc";
        QTest::addRow("no title, spreadsheet")
            << "SAVE:EXCEL" << QString() << "Microsoft Excel(*.xls)"
            << "ExcelDocument.xls";
        QTest::addRow("no title, PDF") << "SAVE:PDF" << QString() << "PDF  (*.pdf)"
                                       << ".pdf";
        QTest::addRow("no title, presentation")
            << "SAVE:PPT" << QString() << "Microsoft Powerpoint(*.ppt)"
            << "PPTDocument.ppt";
        QTest::addRow("letters outside ASCII, document")
            << "SAVE:WORDH" << greek << "Microsoft Word (*.doc)"
            << ".doc";
        QTest::addRow("letters outside ASCII, spreadsheet")
            << "SAVE:EXCEL" << greek << "Microsoft Excel(*.xls)"
            << ".xls";
        QTest::addRow("control characters") << "SAVE:EXCEL" << controls << "Microsoft Excel(*.xls)"
                                            << "News2010.xls";
    }

    // The dialog is cancelled: nothing is written and the closing message names the proposal;
    // the presentation export shows nothing then.
    void proposedNames()
    {
        QFETCH(QString, key);
        QFETCH(QString, head);
        QFETCH(QString, filter);
        QFETCH(QString, proposed);
        const QString path = QStringLiteral("named-%1.html").arg(qHash(QTest::currentDataTag()));
        server.setPage(path, QStringLiteral("<html><head>%1</head><body><p>Some text</p></body>"
                                            "</html>")
                                 .arg(head)
                                 .toUtf8());
        QVERIFY(open(path));
        exportTo(key, QString());
        QCOMPARE(app.desktop.saveAsked.size(), 1);
        QCOMPARE(app.desktop.saveAsked[0].proposed, proposed);
        QCOMPARE(app.desktop.saveAsked[0].filters, filter);
        QCOMPARE(messages(), key == u"SAVE:PPT" ? QStringList() : QStringList{saved(proposed)});
        QVERIFY(seen.isEmpty());
        const QString problem = windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void exportsReadBack_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("target");       // in the output folder
        QTest::addColumn<QByteArray>("existing");  // already under the target's name
        QTest::addColumn<QJsonObject>("expected"); // fields of the read-back
        QTest::addColumn<QString>("expectedText"); // in its text
        QTest::addColumn<QString>("companion");    // the document beside a PDF

        const QString text = QStringLiteral("Grüße aus Köln – 5 €");
        const QJsonObject landscape{{QStringLiteral("landscape"), true},
                                    {QStringLiteral("header"), QStringLiteral("OrvelQuorvink")}};
        const QJsonObject portrait{{QStringLiteral("landscape"), false},
                                   {QStringLiteral("header"), QStringLiteral("OrvelQuorvink")}};
        const QJsonObject cells{
            {QStringLiteral("cells"),
             QJsonArray{QJsonArray{QStringLiteral("Name"), QStringLiteral("Mail")},
                        QJsonArray{QStringLiteral("Anna"), QStringLiteral("anna@example.org")},
                        QJsonArray{QStringLiteral("Bob"), QStringLiteral("bob@example.org")}}}};
        QTest::addRow("landscape document")
            << "SAVE:WORDH"
            << "page.doc" << QByteArray() << landscape << text << QString();
        QTest::addRow("portrait document")
            << "SAVE:WORDV"
            << "page.doc" << QByteArray("an old file") << portrait << text << QString();
        QTest::addRow("spreadsheet")
            << "SAVE:EXCEL"
            << "book.xls" << QByteArray() << cells << QString() << QString();
        QTest::addRow("spreadsheet over an existing file")
            << "SAVE:EXCEL"
            << "old.xls" << QByteArray("not a workbook") << cells << QString() << QString();
        QTest::addRow("PDF in a folder with a dot")
            << "SAVE:PDF"
            << "my.files/page.pdf" << QByteArray() << QJsonObject() << "Anna"
            << "my.files/page.doc";
        QTest::addRow("PDF named without a dot")
            << "SAVE:PDF"
            << "plain/page" << QByteArray() << QJsonObject() << "Anna"
            << "plain/page.doc";
    }

    void exportsReadBack()
    {
        QFETCH(QString, key);
        QFETCH(QString, target);
        QFETCH(QByteArray, existing);
        QFETCH(QJsonObject, expected);
        QFETCH(QString, expectedText);
        QFETCH(QString, companion);

        const QString file = outFile(target);
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QFile::remove(file);
        if (!existing.isEmpty()) {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly) && old.write(existing) == existing.size());
        }
        // The PDF is always made from the portrait template, whatever the last document was.
        w().office().Word_Kind = 1;
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(key, file);
        QCOMPARE(messages(), QStringList{saved(file)});
        QString problem = stepProblem(true) + windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        const QJsonObject read = this->read(file);
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
            if (it.key() != u"cells") {
                QCOMPARE(read.value(it.key()), it.value());
                continue;
            }
            // The page's table in cells of their own, after the text above it.
            const QVariantList rows = read.value(it.key()).toArray().toVariantList();
            const QVariantList table = it.value().toArray().toVariantList();
            const qsizetype first = rows.indexOf(table.first());
            QVERIFY2(first >= 0 && rows.mid(first, table.size()) == table,
                     QJsonDocument(read).toJson().constData());
        }
        QVERIFY2(read.value(QLatin1String("text")).toString().contains(expectedText),
                 QJsonDocument(read).toJson().constData());
        if (!companion.isEmpty()) {
            QStringList both{QFileInfo(companion).fileName(), QFileInfo(file).fileName()};
            both.sort();
            QCOMPARE(QFileInfo(file).dir().entryList(QDir::AllEntries | QDir::Hidden |
                                                     QDir::NoDotAndDotDot),
                     both);
            const QJsonObject document = this->read(outFile(companion));
            QCOMPARE(document.value(QLatin1String("landscape")).toBool(), false);
            QVERIFY(document.value(QLatin1String("text")).toString().contains(expectedText));
        }
    }

    // Twice to one file: a new presentation, then a slide appended to it.
    void presentationAppends()
    {
        const QString file = outFile(QStringLiteral("show.ppt"));
        QVERIFY(open(QStringLiteral("contacts.html")));
        const QString added = caption(CaptionNo::SlideWord) + QStringLiteral(" %1 ") +
                              caption(CaptionNo::SlideAdded) + QLatin1Char('\n') + file;
        for (int slide = 1; slide <= 2; ++slide) {
            exportTo(QStringLiteral("SAVE:PPT"), file);
            QCOMPARE(messages(), QStringList{added.arg(slide)});
            QVERIFY(std::all_of(seen.cbegin(), seen.cend(),
                                [](const Seen& s) { return s.noResize && s.alpha == Alpha_Full; }));
        }
        const QString problem = stepProblem(false) + windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QJsonObject show = read(file);
        QCOMPARE(show.value(QLatin1String("pages")).toInt(), 2);
        QCOMPARE(show.value(QLatin1String("pictures")).toArray(), QJsonArray({1, 1}));
    }

    void withoutTemplates_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addRow("portrait document") << "SAVE:WORDV";
        QTest::addRow("PDF") << "SAVE:PDF";
    }

    // Before the deferred start step: no office is started, the closing steps run.
    void withoutTemplates()
    {
        QFETCH(QString, key);
        app.module->Template_Doc.clear();
        app.module->Template_HDoc.clear();
        const QString file = outFile(QStringLiteral("early"));
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(key, file);
        QCOMPARE(messages(), QStringList{saved(file)});
        QVERIFY(seen.isEmpty());
        QVERIFY(!QFileInfo::exists(file));
        const QString problem = windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // Without its template the landscape document is made landscape by the office itself.
    void landscapeWithoutTemplate()
    {
        app.module->Template_Doc.clear();
        const QString file = outFile(QStringLiteral("untemplated.doc"));
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(QStringLiteral("SAVE:WORDH"), file);
        QCOMPARE(messages(), QStringList{saved(file)});
        const QJsonObject read = this->read(file);
        QCOMPARE(read.value(QLatin1String("landscape")).toBool(), true);
        QCOMPARE(read.value(QLatin1String("header")).toString(), QString());
        QVERIFY(read.value(QLatin1String("text")).toString().contains(QLatin1String("Anna")));
    }

    void faults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("soffice"); // the office the helper starts; empty: the real one
        QTest::addColumn<QString>("templateHDoc");
        QTest::addColumn<int>("failed"); // the caption of the message
        QTest::addColumn<QString>("named");

        QTest::addRow("folder that cannot be written")
            << "SAVE:WORDH"
            << "a-file/page.doc" << QString() << QString() << CaptionNo::SaveFailed
            << "a-file/page.doc";
        QTest::addRow("template missing") << "SAVE:WORDV"
                                          << "page.doc" << QString() << "gone/TemplateH.Doc"
                                          << CaptionNo::OpenFailed << "gone/TemplateH.Doc";
        QTest::addRow("office missing")
            << "SAVE:EXCEL"
            << "book.xls"
            << "no-office/soffice" << QString() << CaptionNo::StartFailed << "no-office/soffice";
    }

    // A message naming the failed step, and no file under the chosen name.
    void faults()
    {
        QFETCH(QString, key);
        QFETCH(QString, target);
        QFETCH(QString, soffice);
        QFETCH(QString, templateHDoc);
        QFETCH(int, failed);
        QFETCH(QString, named);

        const QTemporaryDir folder(out.filePath(QStringLiteral("fault-XXXXXX")));
        const QDir dir(folder.path());
        QFile(dir.filePath(QStringLiteral("a-file"))).open(QIODevice::WriteOnly);
        if (!templateHDoc.isEmpty())
            app.module->Template_HDoc = dir.filePath(templateHDoc);
        if (!soffice.isEmpty()) {
            // A missing office shows only when no office of the profile is running.
            w().office().quitOffice();
            qputenv("QUORVINK_SOFFICE", dir.filePath(soffice).toLocal8Bit());
        }
        const auto restore = qScopeGuard([] { qunsetenv("QUORVINK_SOFFICE"); });
        QVERIFY(open(QStringLiteral("contacts.html")));
        exportTo(key, dir.filePath(target));

        const QStringList shown = messages();
        QCOMPARE(shown.size(), 1);
        const QString lead = caption(failed).section(QStringLiteral("%1"), 0, 0);
        QVERIFY2(shown[0].startsWith(lead) && shown[0].contains(dir.filePath(named)),
                 qPrintable(shown[0]));
        QVERIFY(!QFileInfo::exists(dir.filePath(target)));
        const QString problem = windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // A page whose document has no body: the fallback copies what it can (nothing here), the
    // page is loaded again, and the document export says so before and after.
    void pageWithoutBody()
    {
        QVERIFY(open(QStringLiteral("empty.html")));
        exportTo(QStringLiteral("SAVE:EXCEL"), QString());
        const QString before = w().office().FileName();
        QVERIFY(open(QStringLiteral("vector.svg")));
        const int loads = server.requestCount(QStringLiteral("vector.svg"));
        exportTo(QStringLiteral("SAVE:WORDH"), outFile(QStringLiteral("vector.doc")));
        QCOMPARE(messages(),
                 QStringList({saved(before), caption(CaptionNo::NothingCopied), saved(before)}));
        QTRY_COMPARE(server.requestCount(QStringLiteral("vector.svg")), loads + 1);
        QVERIFY(!QFileInfo::exists(outFile(QStringLiteral("vector.doc"))));
        const QString problem = windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    // The helper is killed while the office opens the template: a message names the step,
    // nothing is left under the name, and the next export works with a new office.
    void killedHelper()
    {
        QVERIFY(open(QStringLiteral("contacts.html")));
        const QString file = outFile(QStringLiteral("killed.doc"));
        const QMetaObject::Connection kill =
            connect(&w().office(), &OfficeExports::stepChanged, this, [](Step step) {
                if (step == Step::Open) {
                    for (const pid_t pid : ownHelpers())
                        ::kill(pid, SIGKILL);
                }
            });
        exportTo(QStringLiteral("SAVE:WORDV"), file);
        disconnect(kill);
        const QStringList shown = messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].startsWith(caption(CaptionNo::OpenFailed).section(u'%', 0, 0)),
                 qPrintable(shown[0]));
        QVERIFY(!QFileInfo::exists(file));
        const QString problem = windowProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        exportTo(QStringLiteral("SAVE:WORDV"), file);
        QCOMPARE(messages(), QStringList{saved(file)});
    }

    // A page of 20 MB is exported whole. It takes long: the test runs only when named.
    void largePage()
    {
        if (!QCoreApplication::arguments().contains(QLatin1String("largePage")))
            QSKIP("runs as a test of its own: test_officeexports largePage");
        QVERIFY(open(QStringLiteral("large.html")));
        const QString file = outFile(QStringLiteral("large.doc"));
        exportTo(QStringLiteral("SAVE:WORDV"), file);
        QCOMPARE(messages(), QStringList{saved(file)});
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
