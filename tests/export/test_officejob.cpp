// The office helper against a real LibreOffice where the browser cannot reach it: the fallbacks to
// the page's text, references to the user's files kept out of documents, failures that leave
// nothing behind, one office per profile; and the browser's side of the helper against helpers
// that misbehave. The exports as the browser makes them are read back by test_officeexports.

#include "export/officejob.h"
#include "export/officesession.h"
#include "httpserver.h"
#include "officecheck.h"
#include "ordinaryuser.h"
#include "testguard.h"
#include "unittestmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <unistd.h>

using Kind = OfficeJob::Kind;
using Step = OfficeJob::Step;

namespace {

const QString kTemplatePortrait = QStringLiteral(QUORVINK_SOURCE_DIR "/data/Data/TemplateH.Doc");

const QString kPage =
    QStringLiteral("<html><head><title>Contacts</title></head><body>"
                   "<h1>Grüße aus Köln – 5 €</h1>"
                   "<p>Write to <a href=\"mailto:desk@example.org\">desk@example.org</a> today.</p>"
                   "<table border=\"1\"><tr><th>Name</th><th>Mail</th></tr>"
                   "<tr><td>Anna</td><td>anna@example.org</td></tr>"
                   "<tr><td>Bob</td><td>bob@example.org</td></tr></table>"
                   "</body></html>");

// Running, and not a zombie nobody reaps.
bool processAlive(qint64 pid)
{
    if (pid <= 0 || ::kill(pid_t(pid), 0) != 0)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

// The processes whose command line holds all the parts given.
QList<qint64> processesWith(const QList<QByteArray>& parts)
{
    QList<qint64> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!command.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = command.readAll();
        if (std::all_of(parts.cbegin(), parts.cend(),
                        [&line](const QByteArray& part) { return line.contains(part); }) &&
            processAlive(entry.toLongLong()))
            found << entry.toLongLong();
    }
    return found;
}

// The offices running on the profile, and the keeper that holds them.
QList<qint64> officesOf(const QString& profile)
{
    return processesWith({"soffice", QFile::encodeName(profile)});
}
QList<qint64> keepersOf(const QString& profile)
{
    return processesWith({"orvelquorvink-office", "--keep", QFile::encodeName(profile)});
}

// The named sockets the processes have open (the office's pipes), as the system lists them.
QStringList socketsOf(const QList<qint64>& pids)
{
    QSet<QByteArray> inodes;
    for (const qint64 pid : pids) {
        const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
        for (const QString& fd : QDir(fds).entryList(QDir::Files | QDir::System)) {
            const QString target = QFile::symLinkTarget(fds + u'/' + fd);
            if (target.contains(QLatin1String("socket:[")))
                inodes << target.section(u'[', 1).chopped(1).toLatin1();
        }
    }
    QStringList paths;
    QFile table(QStringLiteral("/proc/net/unix"));
    if (!table.open(QIODevice::ReadOnly))
        return paths;
    // Num RefCount Protocol Flags Type St Inode Path
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 8 && inodes.contains(fields[6]) && fields[7].startsWith('/'))
            paths << QString::fromLocal8Bit(fields[7]);
    }
    paths.removeDuplicates();
    return paths;
}

// Every file in the folder, hidden ones included.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

QString writeScript(const QString& path, const QByteArray& body)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + body) < 0)
        return QString();
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

QString writePicture(const QString& path)
{
    QImage image(400, 240, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / image.width(), y * 255 / image.height(), 90));
    }
    return image.save(path, "PNG") ? path : QString();
}

// About a megabyte of markup: paragraphs with mail links, a table every hundred paragraphs. The
// office reads it in about a second and takes several to write it as a document, so that a kill
// at the start of the save lands while the file is being written.
const QString& largePage()
{
    static const QString page = [] {
        QString html = QStringLiteral("<html><body><p>FIRST-MARKER</p>");
        for (int n = 0; html.size() < 1024 * 1024; ++n) {
            html += QStringLiteral("<p>Line %1 of a long page: <a href=\"mailto:p%1@example.org\">"
                                   "p%1@example.org</a> and some more words.</p>\n")
                        .arg(n);
            if (n % 100 == 0)
                html += QStringLiteral("<table><tr><td>cell %1</td><td>t%1@example.org</td></tr>"
                                       "</table>")
                            .arg(n);
        }
        return html + QStringLiteral("<p>LAST-MARKER</p></body></html>");
    }();
    return page;
}

} // namespace

class OfficeJobTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestGuard::failOnWarnings(); }
    void initTestCase();
    void cleanupTestCase();

    void companionPath_data();
    void companionPath();
    void writer_data();
    void writer();
    void calc_data();
    void calc();
    void pageReferences_data();
    void pageReferences();
    void failures_data();
    void failures();
    void killedMidExport();
    void helperMisbehaves_data();
    void helperMisbehaves();
    void timeLimit();
    void privateOfficePerProfile();
    void companionNeverReplaces_data();
    void companionNeverReplaces();
    void browserKilled_data();
    void browserKilled();
    void idleEnd_data();
    void idleEnd();
    void unrecordedOffice();

private:
    OfficeJob::Request request(Kind kind, const QString& target) const;
    // Runs the request to its end, on the job given or on one of its own; the steps it reported
    // go to `steps` when given.
    OfficeJob::Result run(const OfficeJob::Request& r, OfficeJob* job = nullptr,
                          QList<Step>* steps = nullptr);
    QJsonObject read(const QString& file);
    void quit(const QString& profile);

    QTemporaryDir m_dir;
    QString m_profile;
    QString m_picture;
};

void OfficeJobTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // One office kept running for the tests, as the browser keeps it between exports.
    m_profile = m_dir.filePath(QStringLiteral("profile"));
    m_picture = writePicture(m_dir.filePath(QStringLiteral("screen.png")));
    QVERIFY(!m_picture.isEmpty());
}

void OfficeJobTest::cleanupTestCase()
{
    if (officeInstalled())
        quit(m_profile);
}

OfficeJob::Request OfficeJobTest::request(Kind kind, const QString& target) const
{
    OfficeJob::Request r;
    r.kind = kind;
    r.html = kPage;
    r.text = QStringLiteral("Contacts as text");
    r.image = m_picture;
    r.target = target;
    r.profile = m_profile;
    r.keepOffice = true;
    return r;
}

OfficeJob::Result OfficeJobTest::run(const OfficeJob::Request& r, OfficeJob* job,
                                     QList<Step>* steps)
{
    OfficeJob own;
    OfficeJob* j = job ? job : &own;
    OfficeJob::Result result;
    result.error = QStringLiteral("<no result>");
    connect(j, &OfficeJob::finished, this, [&result](const OfficeJob::Result& r) { result = r; });
    if (steps)
        connect(j, &OfficeJob::stepChanged, this, [steps](Step s) { steps->append(s); });
    QSignalSpy finished(j, &OfficeJob::finished);
    j->start(r);
    if (finished.isEmpty())
        finished.wait(300'000);
    j->disconnect(this);
    return result;
}

// What the helper's read-back mode finds in the file, through the kept office.
QJsonObject OfficeJobTest::read(const QString& file)
{
    return readBack(file, m_profile);
}

void OfficeJobTest::quit(const QString& profile)
{
    OfficeJob::Request r;
    r.kind = Kind::Quit;
    r.profile = profile;
    run(r);
}

void OfficeJobTest::companionPath_data()
{
    QTest::addColumn<QString>("pdf");
    QTest::addColumn<QString>("companion");
    QTest::addRow("extension replaced") << "/out/page.pdf"
                                        << "/out/page.doc";
    QTest::addRow("folder with a dot") << "/my.files/page.pdf"
                                       << "/my.files/page.doc";
    QTest::addRow("no dot in the name") << "/out/page"
                                        << "/out/page.doc";
    QTest::addRow("no dot, folder with one") << "/my.files/page"
                                             << "/my.files/page.doc";
    QTest::addRow("page without a title") << "/out/.pdf"
                                          << "/out/.doc";
    QTest::addRow("last dot only") << "/out/a.b.pdf"
                                   << "/out/a.b.doc";
}

void OfficeJobTest::companionPath()
{
    QFETCH(QString, pdf);
    QFETCH(QString, companion);
    QCOMPARE(OfficeJob::companionPathFor(pdf), companion);
    const QJsonObject sent =
        QJsonDocument::fromJson(OfficeJob::requestJson(request(Kind::Pdf, pdf))).object();
    QCOMPARE(sent.value(QLatin1String("companion")).toString(), companion);
}

void OfficeJobTest::writer_data()
{
    QTest::addColumn<QString>("templatePath");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<bool>("expectedLandscape");
    QTest::addColumn<QString>("expectedHeader");
    QTest::addColumn<QString>("targetName");

    const QString page = QStringLiteral("page.doc");
    // (The templates and the pages the browser sends are read back by test_officeexports.)
    QTest::addRow("no template, portrait")
        << QString() << false << kPage << "bob@example.org" << false << QString() << page;
    // 244 bytes of the 255 a name may take.
    QTest::addRow("long name outside ASCII")
        << QString() << false << kPage << "bob@example.org" << false << QString()
        << QString(80, QChar(0x6587)) + QStringLiteral(".doc");
    QTest::addRow("no markup: the text") << kTemplatePortrait << false << QString()
                                         << "Contacts as text" << false << "OrvelQuorvink" << page;
    QTest::addRow("markup that shows nothing: the text")
        << kTemplatePortrait << false << "<html><body><p> </p></body></html>"
        << "Contacts as text" << false << "OrvelQuorvink" << page;
}

void OfficeJobTest::writer()
{
    REQUIRE_OFFICE();
    QFETCH(QString, templatePath);
    QFETCH(bool, landscape);
    QFETCH(QString, html);
    QFETCH(QString, expectedText);
    QFETCH(bool, expectedLandscape);
    QFETCH(QString, expectedHeader);
    QFETCH(QString, targetName);

    OfficeJob::Request r = request(Kind::Writer, m_dir.filePath(targetName));
    r.templatePath = templatePath;
    r.landscape = landscape;
    r.html = html;
    QList<Step> steps;
    const OfficeJob::Result result = run(r, nullptr, &steps);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(steps, QList<Step>({Step::Start, Step::Open, Step::Paste, Step::Save}));
    QVERIFY(result.officePid > 0);

    const QJsonObject doc = read(r.target);
    QVERIFY2(doc.value(QLatin1String("text")).toString().contains(expectedText),
             QJsonDocument(doc).toJson().constData());
    QCOMPARE(doc.value(QLatin1String("landscape")).toBool(), expectedLandscape);
    QCOMPARE(doc.value(QLatin1String("header")).toString(), expectedHeader);
    // The template itself is left as it was.
    if (!templatePath.isEmpty())
        QCOMPARE(read(templatePath).value(QLatin1String("text")).toString(), QString());
}

void OfficeJobTest::calc_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QByteArray>("existing"); // bytes of a file already under the name, or empty
    QTest::addColumn<QJsonArray>("expectedRow");

    QTest::addRow("no markup: the text in cells")
        << QString() << QByteArray() << QJsonArray{QStringLiteral("Contacts as text")};
}

void OfficeJobTest::calc()
{
    REQUIRE_OFFICE();
    QFETCH(QString, html);
    QFETCH(QByteArray, existing);
    QFETCH(QJsonArray, expectedRow);

    OfficeJob::Request r = request(Kind::Calc, m_dir.filePath(QStringLiteral("book.xls")));
    r.html = html;
    QFile::remove(r.target);
    if (!existing.isEmpty()) {
        QFile old(r.target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(existing) == existing.size());
    }
    const OfficeJob::Result result = run(r);
    QVERIFY2(result.ok, qPrintable(result.error));

    const QJsonObject book = read(r.target);
    // The page's sheet is put before the workbook's own first sheet.
    QCOMPARE(book.value(QLatin1String("sheet")).toString(), QStringLiteral("Sheet2"));
    QCOMPARE(book.value(QLatin1String("sheets")).toInt(), 2);
    const QJsonArray rows = book.value(QLatin1String("cells")).toArray();
    bool found = false;
    for (const QJsonValue& row : rows) {
        const QJsonArray cells = row.toArray();
        bool same = cells.size() >= expectedRow.size();
        for (qsizetype i = 0; same && i < expectedRow.size(); ++i)
            same = cells[i] == expectedRow[i];
        found = found || same;
    }
    QVERIFY2(found, QJsonDocument(book).toJson().constData());
}

void OfficeJobTest::pageReferences_data()
{
    QTest::addColumn<QString>("body");  // {web} and {data} stand for the picture's address
    QTest::addColumn<bool>("supplied"); // the browser hands the office the picture of {web}
    QTest::addColumn<int>("pictures");

    // (What the markup filter lets through is checked without the office by test_officecontent.)
    QTest::addRow("picture in its address") << "<img src=\"{data}\">" << false << 1;
    QTest::addRow("picture from the web, supplied") << "<img src=\"{web}\">" << true << 1;
    QTest::addRow("picture from the web, not supplied") << "<img src=\"{web}\">" << false << 0;
}

// The office fetches nothing: the picture is in the document only when its data was given.
void OfficeJobTest::pageReferences()
{
    REQUIRE_OFFICE();
    QFETCH(QString, body);
    QFETCH(bool, supplied);
    QFETCH(int, pictures);

    QFile picture(m_picture);
    QVERIFY(picture.open(QIODevice::ReadOnly));
    const QByteArray png = picture.readAll();
    HttpServer server;
    QVERIFY(server.start());
    server.setPage(QStringLiteral("screen.png"), png, "image/png");
    const QString web = server.url(QStringLiteral("screen.png")).toString();
    body.replace(QLatin1String("{web}"), web)
        .replace(QLatin1String("{data}"),
                 QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64()));

    OfficeJob::Request r = request(Kind::Writer, m_dir.filePath(QStringLiteral("refs.doc")));
    r.html = QStringLiteral("<html><body><p>Before</p>") + body +
             QStringLiteral("<p>After</p></body></html>");
    if (supplied)
        r.pictures.insert(web, png);
    const OfficeJob::Result result = run(r);
    QVERIFY2(result.ok, qPrintable(result.error));
    const QJsonObject doc = read(r.target);
    QCOMPARE(doc.value(QLatin1String("pictures")).toInt(), pictures);
    QVERIFY2(doc.value(QLatin1String("text")).toString().contains(QLatin1String("After")),
             QJsonDocument(doc).toJson().constData());
    QCOMPARE(server.requests().size(), 0);
}

void OfficeJobTest::failures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("targetName"); // inside the row's own folder
    QTest::addColumn<QString>("templatePath");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QByteArray>("existing"); // bytes already under the target name
    QTest::addColumn<Step>("expectedStep");
    QTest::addColumn<QString>("named"); // the error names it (relative to the row's folder)

    QTest::addRow("presentation that is not one")
        << int(Kind::Impress) << "show.ppt" << QString() << QString()
        << QByteArray("just some text\n") << Step::Open << "show.ppt";
    QTest::addRow("picture missing")
        << int(Kind::Impress) << "show.ppt" << QString() << "missing.png" << QByteArray()
        << Step::Paste << "missing.png";
    QTest::addRow("folder is a file") << int(Kind::Calc) << "file/book.xls" << QString()
                                      << QString() << QByteArray() << Step::Save << "file/book.xls";
    QTest::addRow("read-only folder")
        << int(Kind::Pdf) << "locked/page.pdf" << QString() << QString() << QByteArray()
        << Step::Save << "locked/page.doc";
}

void OfficeJobTest::failures()
{
    REQUIRE_OFFICE();
    QFETCH(int, kind);
    QFETCH(QString, targetName);
    QFETCH(QString, templatePath);
    QFETCH(QString, image);
    QFETCH(QByteArray, existing);
    QFETCH(Step, expectedStep);
    QFETCH(QString, named);

    const QTemporaryDir folder(m_dir.filePath(QStringLiteral("failure-XXXXXX")));
    const QDir dir(folder.path());
    QFile(dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    QVERIFY(dir.mkdir(QStringLiteral("locked")));
    QFile::setPermissions(dir.filePath(QStringLiteral("locked")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (targetName.startsWith(QLatin1String("locked/")) && !actAsOrdinaryUser())
        QSKIP("file permissions do not hold for this process");

    OfficeJob::Request r = request(OfficeJob::Kind(kind), dir.filePath(targetName));
    if (!templatePath.isEmpty())
        r.templatePath = dir.filePath(templatePath);
    if (!image.isEmpty())
        r.image = dir.filePath(image);
    if (!existing.isEmpty()) {
        QFile old(r.target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(existing) == existing.size());
    }
    const QStringList before = filesIn(QFileInfo(r.target).path());

    const OfficeJob::Result result = run(r);
    QVERIFY(!result.ok);
    QCOMPARE(result.failedStep, expectedStep);
    QVERIFY2(result.error.contains(dir.filePath(named)), qPrintable(result.error));
    // Nothing new beside the target, and an old file under its name is left as it was.
    QCOMPARE(filesIn(QFileInfo(r.target).path()), before);
    if (!existing.isEmpty()) {
        QFile old(r.target);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), existing);
    }
    // The office kept for the next export still works.
    const OfficeJob::Result next =
        run(request(Kind::Writer, dir.filePath(QStringLiteral("ok.doc"))));
    QVERIFY2(next.ok, qPrintable(next.error));
    QCOMPARE(next.officePid, result.officePid);
}

void OfficeJobTest::killedMidExport()
{
    REQUIRE_OFFICE();
    const QTemporaryDir folder(m_dir.filePath(QStringLiteral("killed-XXXXXX")));
    OfficeJob::Request r = request(Kind::Writer, folder.filePath(QStringLiteral("large.doc")));
    r.html = ::largePage();

    // Killed while the large document is being written under its temporary name.
    OfficeJob job;
    connect(&job, &OfficeJob::stepChanged, this, [&job](Step s) {
        if (s == Step::Save)
            job.kill();
    });
    const OfficeJob::Result result = run(r, &job);
    QVERIFY(!result.ok);
    QCOMPARE(result.failedStep, Step::Save);
    QVERIFY(result.officePid > 0);
    QVERIFY2(filesIn(folder.path()).isEmpty(), qPrintable(filesIn(folder.path()).join(u' ')));
    QTRY_VERIFY_WITH_TIMEOUT(!processAlive(result.officePid), 10'000);

    // The profile serves the next export with a new office.
    r.html = kPage;
    const OfficeJob::Result next = run(r);
    QVERIFY2(next.ok, qPrintable(next.error));
    QVERIFY(next.officePid != result.officePid);
    QCOMPARE(filesIn(folder.path()), QStringList({QStringLiteral("large.doc")}));
}

void OfficeJobTest::helperMisbehaves_data()
{
    QTest::addColumn<QByteArray>("script"); // empty: no helper at all
    QTest::addColumn<Step>("expectedStep");
    QTest::addColumn<QString>("expectedError");

    QTest::addRow("no helper") << QByteArray() << Step::Start << "cannot start the office helper";
    QTest::addRow("crashes while pasting")
        << QByteArray("cat >/dev/null\necho '{\"step\":\"start\"}'\necho '{\"step\":\"open\"}'\n"
                      "echo '{\"step\":\"paste\"}'\nkill -SEGV $$\n")
        << Step::Paste << "crashed";
    QTest::addRow("ends without done")
        << QByteArray("cat >/dev/null\necho '{\"step\":\"start\"}'\necho '{\"step\":\"open\"}'\n"
                      "echo 'office gone' >&2\nexit 0\n")
        << Step::Open << "ended without finishing (exit code 0): office gone";
    QTest::addRow("done with a failing exit code")
        << QByteArray(
               "cat >/dev/null\necho '{\"step\":\"save\"}'\necho '{\"done\":true}'\nexit 4\n")
        << Step::Save << "exit code 4";
    QTest::addRow("answers failed")
        << QByteArray("cat >/dev/null\necho '{\"step\":\"start\"}'\necho '{\"step\":\"open\"}'\n"
                      "echo '{\"failed\":\"save\",\"error\":\"cannot write the file /x\"}'\n"
                      "exit 1\n")
        << Step::Save << "cannot write the file /x";
}

void OfficeJobTest::helperMisbehaves()
{
    QFETCH(QByteArray, script);
    QFETCH(Step, expectedStep);
    QFETCH(QString, expectedError);

    const QString path =
        m_dir.filePath(QStringLiteral("helper-") + QString::number(qHash(QTest::currentDataTag())));
    if (!script.isEmpty())
        QVERIFY(!writeScript(path, script).isEmpty());
    OfficeJob job;
    job.setHelperPath(path);
    const OfficeJob::Result result =
        run(request(Kind::Writer, m_dir.filePath(QStringLiteral("x.doc"))), &job);
    QVERIFY(!result.ok);
    QCOMPARE(result.failedStep, expectedStep);
    QVERIFY2(result.error.contains(expectedError), qPrintable(result.error));
    QVERIFY(!job.isRunning());
}

void OfficeJobTest::timeLimit()
{
    REQUIRE_OFFICE();
    // An office that starts but never answers on its pipe.
    const QString soffice =
        writeScript(m_dir.filePath(QStringLiteral("silent-soffice")), "exec sleep 600\n");
    QVERIFY(!soffice.isEmpty());
    OfficeJob::Request r = request(Kind::Writer, m_dir.filePath(QStringLiteral("late.doc")));
    r.profile = m_dir.filePath(QStringLiteral("profile-silent"));
    OfficeJob job;
    job.setSofficePath(soffice);
    job.setTimeLimit(std::chrono::milliseconds(2000));
    const OfficeJob::Result result = run(r, &job);
    QVERIFY(!result.ok);
    QCOMPARE(result.failedStep, Step::Start);
    QVERIFY2(result.error.contains(QLatin1String("longer than 2 s")), qPrintable(result.error));
    QVERIFY(result.officePid > 0);
    QTRY_VERIFY_WITH_TIMEOUT(!processAlive(result.officePid), 10'000);
    QVERIFY(!QFileInfo::exists(r.target));
}

void OfficeJobTest::privateOfficePerProfile()
{
    REQUIRE_OFFICE();
    OfficeJob::Request a = request(Kind::Writer, m_dir.filePath(QStringLiteral("a.doc")));
    a.profile = m_dir.filePath(QStringLiteral("profile-a"));
    OfficeJob::Request b = request(Kind::Writer, m_dir.filePath(QStringLiteral("b.doc")));
    b.profile = m_dir.filePath(QStringLiteral("profile b with spaces"));

    const OfficeJob::Result first = run(a);
    const OfficeJob::Result second = run(b);
    QVERIFY2(first.ok && second.ok, qPrintable(first.error + second.error));
    QVERIFY(first.officePid != second.officePid);
    QVERIFY(processAlive(first.officePid) && processAlive(second.officePid));
    // Kept warm: the next export of a profile finds its office again.
    QCOMPARE(run(a).officePid, first.officePid);

    quit(a.profile);
    QVERIFY(!processAlive(first.officePid));
    QVERIFY(processAlive(second.officePid));
    quit(b.profile);
    QVERIFY(!processAlive(second.officePid));

    // Without keeping it, the office ends with the export.
    a.keepOffice = false;
    const OfficeJob::Result once = run(a);
    QVERIFY2(once.ok, qPrintable(once.error));
    QVERIFY(!processAlive(once.officePid));
}

void OfficeJobTest::companionNeverReplaces_data()
{
    QTest::addColumn<QString>("planted"); // what stands under the companion's name already

    QTest::addRow("nothing") << "";
    QTest::addRow("a file of the user") << "file";
    QTest::addRow("a link to a file of the user") << "link";
}

// The companion document goes beside the PDF only where no file has its name; otherwise it is
// made in a private folder and does not stay.
void OfficeJobTest::companionNeverReplaces()
{
    REQUIRE_OFFICE();
    QFETCH(QString, planted);
    const QTemporaryDir folder(m_dir.filePath(QStringLiteral("companion-XXXXXX")));
    const QDir dir(folder.path());
    const QByteArray bytes("the user's own notes, not a document\n");
    const QString companion = dir.filePath(QStringLiteral("page.doc"));
    const QString own = dir.filePath(QStringLiteral("notes.txt"));
    QFile file(planted == u"link" ? own : companion);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    if (planted == u"link")
        QVERIFY(QFile::link(own, companion));
    if (planted.isEmpty())
        QVERIFY(file.remove());
    // The helper's temporary folders go to a folder of the test's own (kept for the whole test:
    // an office started meanwhile keeps its own temporary files there).
    const QDir temporary(m_dir.filePath(QStringLiteral("tmp")));
    QVERIFY(temporary.mkpath(QStringLiteral(".")));
    const QByteArray formerTemporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    const auto restore = qScopeGuard([&formerTemporary] {
        if (formerTemporary.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", formerTemporary);
    });
    const QStringList before = filesIn(dir.path());

    const OfficeJob::Result result =
        run(request(Kind::Pdf, dir.filePath(QStringLiteral("page.pdf"))));
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("page.pdf"))).size() > 0);
    if (planted.isEmpty()) {
        QVERIFY(read(companion)
                    .value(QLatin1String("text"))
                    .toString()
                    .contains(QLatin1String("bob@example.org")));
    } else {
        QCOMPARE(QStringList(filesIn(dir.path())).size(), before.size() + 1);
        QCOMPARE(QFileInfo(companion).isSymLink(), planted == u"link");
        QFile kept(companion);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), bytes);
    }
    QCOMPARE(temporary.entryList({QStringLiteral("orvelquorvink-office-*")},
                                 QDir::AllEntries | QDir::Hidden),
             QStringList());
}

void OfficeJobTest::browserKilled_data()
{
    QTest::addColumn<QByteArray>("killAt"); // the line of the stand-in after which it is killed
    QTest::addColumn<bool>("wholeGroup");   // its whole process group is killed

    QTest::addRow("during an export") << QByteArray("step open") << false;
    QTest::addRow("after an export") << QByteArray("done") << false;
    QTest::addRow("after an export, with its process group") << QByteArray("done") << true;
}

// A browser killed outright leaves no office of its profile running, and no helper.
void OfficeJobTest::browserKilled()
{
    REQUIRE_OFFICE();
    QFETCH(QByteArray, killAt);
    QFETCH(bool, wholeGroup);
    const QString profile =
        m_dir.filePath(QStringLiteral("profile-killed-%1").arg(qHash(QTest::currentDataTag())));
    QProcess browser;
    browser.setChildProcessModifier([] { ::setpgid(0, 0); });
    browser.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    browser.start(
        QStringLiteral(QUORVINK_OFFICE_CHILD),
        {OfficeJob::defaultHelperPath(), profile, m_dir.filePath(QStringLiteral("killed.doc"))});
    QVERIFY(browser.waitForStarted());
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT(
        (said += browser.readAllStandardOutput()).split('\n').contains(killAt) ||
            said.contains("failed") || browser.state() == QProcess::NotRunning,
        120'000);
    QVERIFY2(said.split('\n').contains(killAt), said.constData());
    QVERIFY(!officesOf(profile).isEmpty());
    QVERIFY(!keepersOf(profile).isEmpty());
    // The office's pipes (and the profile's lock) are there once it answers.
    QStringList sockets;
    QTRY_VERIFY_WITH_TIMEOUT((sockets = socketsOf(officesOf(profile))).size() >= 2, 30'000);
    QVERIFY(QFileInfo::exists(profile + QStringLiteral("/.lock")));

    ::kill(wholeGroup ? -pid_t(browser.processId()) : pid_t(browser.processId()), SIGKILL);
    QVERIFY(browser.waitForFinished());
    QTRY_VERIFY_WITH_TIMEOUT(officesOf(profile).isEmpty(), 15'000);
    QTRY_VERIFY_WITH_TIMEOUT(keepersOf(profile).isEmpty(), 5'000);
    // Nothing of the killed office is left behind.
    for (const QString& socket : std::as_const(sockets))
        QTRY_VERIFY2(!QFileInfo::exists(socket), qPrintable(socket));
    QVERIFY(!QFileInfo::exists(profile + QStringLiteral("/.lock")));
}

// An office whose record cannot be written would be unseen by every helper that could end it:
// it is ended at once, and the export fails naming the record.
void OfficeJobTest::unrecordedOffice()
{
    REQUIRE_OFFICE();
    const QString profile = m_dir.filePath(QStringLiteral("profile-unrecorded"));
    const QString record = profile + QStringLiteral("/orvelquorvink-office.pid");
    QVERIFY(QDir().mkpath(record));
    OfficeJob::Request r = request(Kind::Writer, m_dir.filePath(QStringLiteral("unrecorded.doc")));
    r.profile = profile;
    const OfficeJob::Result result = run(r);
    QVERIFY(!result.ok);
    QCOMPARE(result.failedStep, Step::Start);
    QVERIFY2(result.error.contains(record), qPrintable(result.error));
    QVERIFY(result.officePid > 0);
    QVERIFY(!processAlive(result.officePid));
    QCOMPARE(officesOf(profile), QList<qint64>());
    QVERIFY(!QFileInfo::exists(profile + QStringLiteral("/.lock")));
}

void OfficeJobTest::idleEnd_data()
{
    QTest::addColumn<bool>("exported"); // false: only started ahead, as when the menu opens

    QTest::addRow("after an export") << true;
    QTest::addRow("started ahead, no export") << false;
}

// The office ends after the idle time, and the next export starts a new one.
void OfficeJobTest::idleEnd()
{
    REQUIRE_OFFICE();
    QFETCH(bool, exported);
    const QString profile = m_dir.filePath(QStringLiteral("profile-idle-%1").arg(exported));
    OfficeSession session(profile);
    session.setIdleTime(std::chrono::milliseconds(1500));
    OfficeJob::Request r = request(Kind::Writer, m_dir.filePath(QStringLiteral("idle.doc")));
    if (exported)
        QVERIFY2(session.run(r).ok, "the export failed");
    else
        session.warmUp();
    // The office reports itself when it starts; it then ends for want of exports.
    QTRY_VERIFY_WITH_TIMEOUT(session.officePid() > 0, 60'000);
    const qint64 office = session.officePid();
    QTRY_VERIFY_WITH_TIMEOUT(!processAlive(office) && officesOf(profile).isEmpty(), 60'000);
    QTRY_VERIFY(!session.keeping());

    const OfficeJob::Result next = session.run(r);
    QVERIFY2(next.ok, qPrintable(next.error));
    QVERIFY(!officesOf(profile).isEmpty());
    session.quit();
    QVERIFY(officesOf(profile).isEmpty());
}

QUORVINK_CORE_TEST_MAIN(OfficeJobTest)
#include "test_officejob.moc"
