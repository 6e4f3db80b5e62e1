// End-to-end tests of the harvest pass and its scheduling: real pages from servers on 127.0.0.1,
// a real browser view, a real list file in a temporary program directory.

#include "browse/browserview.h"
#include "browse/webpage.h"
#include "browse/webprofile.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "core/programdir.h"
#include "core/wait.h"
#include "httpserver.h"
#include "mail/harvester.h"
#include "mail/harvestscript.h"
#include "recordingdesktop.h"
#include "tempprogramdir.h"
#include "testguard.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEngineProfile>
#include <QWidget>

#include <memory>

namespace {

QByteArray page(const QByteArray& body)
{
    return "<!doctype html><html><head><meta charset=\"utf-8\"></head><body>" + body +
           "</body></html>";
}

// A path component made of the data tag of the running test row.
QString slug()
{
    QString name = QString::fromLatin1(QTest::currentDataTag()).toLower();
    for (QChar& c : name) {
        if (!(c >= QLatin1Char('a') && c <= QLatin1Char('z')) && !c.isDigit())
            c = QLatin1Char('-');
    }
    return name;
}

QByteArray link(const QByteArray& href)
{
    return "<a href=\"" + href + "\">x</a>\n";
}

// Everything a page script can do to the DOM methods and builtins of its own world.
const QByteArray kForgingScript = R"(<script>
const forged = 'mailto:forged@evil.example';
const fake = document.createElement('div');
fake.innerHTML = '<a href="' + forged + '">f</a>';
Object.defineProperty(document, 'links', {get() { return fake.getElementsByTagName('a'); }});
Object.defineProperty(Document.prototype, 'links', {get() { return fake.getElementsByTagName('a'); }});
Object.defineProperty(HTMLAnchorElement.prototype, 'href', {get() { return forged; }});
Object.defineProperty(HTMLCollection.prototype, 'length', {get() { return 0; }});
HTMLCollection.prototype.item = function () { return fake.firstChild; };
Array.prototype.push = function () { return 0; };
Array.prototype.join = function () { return forged; };
Array.from = function () { return [forged]; };
String.prototype.toLowerCase = function () { return forged; };
String.prototype.slice = function () { return 'mailto:'; };
String.prototype.substring = function () { return 'mailto:'; };
String.prototype.startsWith = function () { return true; };
Reflect.apply = function () { return forged; };
Object.getOwnPropertyDescriptor = function () { return {get() { return forged; }}; };
JSON.stringify = function () { return forged; };
</script>)";

// The harvest tick of the tests that wait for it.
constexpr int kShortTickMs = 50;

// The program directory and desktop of one test.
struct Program {
    TempProgramDir temp{false};
    ProgramDir dir = temp.programDir();
    RecordingDesktop desktop;
    CaptionTable captions;
    QStringList statuses; // the status texts of the passes
    QString status() const { return statuses.value(statuses.size() - 1); }

    // The status text as the three bare counts: written, read, not read.
    void bareCounts()
    {
        captions.set(CaptionNo::PassCounts, QStringLiteral("%1 %2 %3"));
        for (int n = CaptionNo::AddressWritten; n <= CaptionNo::FramesNotRead; ++n)
            captions.set(n, QStringLiteral("%1"));
    }

    QByteArray list() const { return temp.read(QStringLiteral("MailsList.txt")); }
    bool listExists() const { return QFile::exists(temp.file(QStringLiteral("MailsList.txt"))); }
};

} // namespace

class HarvesterTest : public QObject {
    Q_OBJECT

private slots:
    void init() { TestGuard::failOnWarnings(); }

    void initTestCase();
    void cleanupTestCase();

    void pass_data();
    void pass();
    void unreadableFrame_data();
    void unreadableFrame();
    void otherSiteFrames_data();
    void otherSiteFrames();
    void pageItself_data();
    void pageItself();
    void lateLinks();
    void passWithoutView();
    void pageGoesAwayDuringPass();
    void viewClosedDuringPass();
    void unwritableList();

    void startAndStates();
    void twoLoadsBeforeTickGiveOnePass();
    void switchedOffWhileWaiting();
    void noPassDuringWait();
    void passReadsCurrentView();

private:
    bool load(BrowserView* view, const QUrl& url);
    // Runs one pass over view and waits for the list file to be closed.
    int harvest(Program& program, BrowserView* view, HarvestScript::Reading reading = {});
    QUrl publish(const QString& name, const QByteArray& top, const QByteArrayList& frames);

    QTemporaryDir m_storage;
    QWebEngineProfile* m_profile = nullptr;
    std::unique_ptr<QWidget> m_window;
    BrowserView* m_view = nullptr;
    HttpServer m_server;
    HttpServer m_other;
};

void HarvesterTest::initTestCase()
{
    QVERIFY(m_storage.isValid());
    QVERIFY(m_server.start());
    QVERIFY(m_other.start());
    QVERIFY(m_server.port() != m_other.port());
    m_profile = WebProfile::create(m_storage.path(), this);
    Harvester::installFrameScript(m_profile);
    m_window = std::make_unique<QWidget>();
    m_window->resize(800, 600);
    m_view = new BrowserView(0, m_profile, m_window.get());
    m_view->setGeometry(0, 0, 800, 600);
    m_view->setVisible(true);
    m_window->show();
}

void HarvesterTest::cleanupTestCase()
{
    // The pages go before their profile.
    m_window.reset();
    delete m_profile;
    m_profile = nullptr;
}

bool HarvesterTest::load(BrowserView* view, const QUrl& url)
{
    QSignalSpy complete(view, &BrowserView::documentComplete);
    view->Navigate(url.toString());
    return complete.wait(20000) && !view->Busy();
}

int HarvesterTest::harvest(Program& program, BrowserView* view, HarvestScript::Reading reading)
{
    Harvester harvester(
        program.dir, program.desktop, program.captions, [view] { return view; }, m_window.get());
    harvester.setOtherSiteFrames(reading.otherSites);
    harvester.setPageItself(reading.page);
    harvester.setTextAddresses(reading.text);
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    connect(&harvester, &Harvester::passRead, this,
            [&program](const QString& text) { program.statuses << text; });
    harvester.GO_Mail_Link();
    if (finished.isEmpty() && !finished.wait(10000))
        return -2;
    return finished.at(0).at(0).toInt();
}

// Serves a top page and its frame pages below name/; the top page names its frames f0.html,
// f1.html, ...
QUrl HarvesterTest::publish(const QString& name, const QByteArray& top,
                            const QByteArrayList& frames)
{
    m_server.setPage(name + QStringLiteral("/top.html"), top);
    for (qsizetype i = 0; i < frames.size(); ++i)
        m_server.setPage(name + QStringLiteral("/f%1.html").arg(i), frames[i]);
    return m_server.url(name + QStringLiteral("/top.html"));
}

void HarvesterTest::pass_data()
{
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<QByteArrayList>("frames");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray twoFrames =
        page("<iframe src=\"f0.html\"></iframe><iframe src=\"f1.html\"></iframe>");
    const QByteArray oneFrame = page("<iframe src=\"f0.html\"></iframe>");

    QTest::addRow("no frames, links in the top document")
        << page(link("mailto:top@example.org") + link("mailto:second@example.org") +
                "<map name=\"m\"><area shape=\"rect\" coords=\"0,0,9,9\" "
                "href=\"mailto:area@example.org\"></map><img usemap=\"#m\" src=\"data:,\">")
        << QByteArrayList{} << QByteArray() << QByteArray();
    QTest::addRow("frameset, same address in both frames")
        << QByteArray("<!doctype html><html><frameset cols=\"50%,50%\"><frame src=\"f0.html\">"
                      "<frame src=\"f1.html\"></frameset></html>")
        << QByteArrayList{page(link("mailto:same@example.org")),
                          page(link("mailto:same@example.org"))}
        << QByteArray() << QByteArray("same@example.org\r\nsame@example.org\r\n");
    QTest::addRow("frame order and link order, top links skipped")
        << page(link("mailto:top@example.org") + "<iframe src=\"f0.html\"></iframe>" +
                link("mailto:top2@example.org") + "<iframe src=\"f1.html\"></iframe>")
        << QByteArrayList{page(link("mailto:one@example.org") + link("mailto:two@example.org")),
                          page(link("mailto:three@example.org"))}
        << QByteArray()
        << QByteArray("one@example.org\r\ntwo@example.org\r\nthree@example.org\r\n");
    QTest::addRow("capitals in scheme and address")
        << oneFrame
        << QByteArrayList{page(link("MAILTO:John.Doe@Example.COM") + link("MailTo:Info@X.Org"))}
        << QByteArray() << QByteArray("john.doe@example.com\r\ninfo@x.org\r\n");
    QTest::addRow("query part stays on the line")
        << oneFrame
        << QByteArrayList{page(
               link("mailto:Sales@Example.org?Subject=Price%20List&CC=Boss@Example.org"))}
        << QByteArray()
        << QByteArray("sales@example.org?subject=price%20list&cc=boss@example.org\r\n");
    QTest::addRow("no decoding, splitting or trimming")
        << oneFrame
        << QByteArrayList{page(
               link("mailto:J%C3%B6rg@Example.org") + link("mailto:J\xc3\xb6rg@Example.org") +
               link("mailto:a@example.org,B@example.org") + link("mailto:%20pad%20@example.org") +
               link("mailto:not an address"))}
        << QByteArray()
        << QByteArray(
               "j%c3%b6rg@example.org\r\nj%c3%b6rg@example.org\r\na@example.org,b@example.org\r\n"
               "%20pad%20@example.org\r\nnot%20an%20address\r\n");
    QTest::addRow("bare mailto gives an empty line")
        << oneFrame
        << QByteArrayList{page(link("mailto:a@example.org") + link("mailto:") +
                               link("mailto:b@example.org"))}
        << QByteArray() << QByteArray("a@example.org\r\n\r\nb@example.org\r\n");
    QTest::addRow("other schemes and relative links")
        << oneFrame
        << QByteArrayList{page(
               link("http://127.0.0.1/mailto:a@example.org") + link("https://example.org/") +
               link("javascript:void('mailto:a@example.org')") + link("ftp://example.org/") +
               link("mailto.html") + link("contact/mailto:b@example.org") +
               link("?mailto:c@example.org") + link("#mailto:d@example.org") +
               link("news:mailto:e@example.org") + link("xmailto:f@example.org") +
               link("mail:g@example.org") + "<a name=\"mailto:h@example.org\">no href</a>")}
        << QByteArray() << QByteArray();
    QTest::addRow("image-map area in a frame, document order")
        << oneFrame
        << QByteArrayList{page(
               link("mailto:first@example.org") +
               "<map name=\"m\"><area shape=\"rect\" coords=\"0,0,9,9\" "
               "href=\"MAILTO:Map@Example.org\"><area shape=\"rect\" "
               "coords=\"10,0,19,9\" nohref></map><img usemap=\"#m\" src=\"data:,\">" +
               link("mailto:last@example.org"))}
        << QByteArray()
        << QByteArray("first@example.org\r\nmap@example.org\r\nlast@example.org\r\n");
    // An href the address parser refuses comes back as written, without its line feeds.
    QTest::addRow("hrefs given back as written")
        << oneFrame
        << QByteArrayList{page(link("http://[a&#10;B") + link("MAILTO://[X&#10;Y") +
                               link("mailto:After@example.org"))}
        << QByteArray() << QByteArray("//[xy\r\nafter@example.org\r\n");
    QTest::addRow("page scripts replace DOM methods and builtins")
        << page(kForgingScript + "<iframe src=\"f0.html\"></iframe>")
        << QByteArrayList{page(link("mailto:Real@Example.org") + kForgingScript +
                               link("mailto:real2@example.org"))}
        << QByteArray() << QByteArray("real@example.org\r\nreal2@example.org\r\n");
    QTest::addRow("elements named links shadow the document's property")
        << oneFrame
        << QByteArrayList{page("<img name=\"links\" src=\"data:,\"><form name=\"links\"></form>" +
                               link("mailto:Shadowed@Example.org"))}
        << QByteArray() << QByteArray("shadowed@example.org\r\n");
    QTest::addRow("the live document is read")
        << oneFrame
        << QByteArrayList{page(
               link("mailto:gone@example.org") +
               "<span id=\"s\"></span><script>"
               "document.links[0].remove();"
               "const a = document.createElement('a'); a.href = 'mailto:Added@Example.org';"
               "document.getElementById('s').append(a);"
               "</script>")}
        << QByteArray() << QByteArray("added@example.org\r\n");
    QTest::addRow("links changed once the frame has loaded")
        << page("<iframe src=\"f0.html\"></iframe><iframe src=\"f1.html\"></iframe>")
        << QByteArrayList{page(link("mailto:kept@example.org") + link("mailto:gone@example.org") +
                               "<script>addEventListener('load', () => {"
                               "document.links[1].remove();"
                               "document.links[0].setAttribute('href', "
                               "'mailto:Changed@Example.org');"
                               "document.body.insertAdjacentHTML('beforeend', "
                               "'<a href=\"mailto:new@example.org\">n</a>');});</script>"),
                          page("<base href=\"mailto:base@example.org\">" + link("#fragment") +
                               "<script>addEventListener('load', () => "
                               "document.querySelector('base').remove());</script>")}
        << QByteArray() << QByteArray("changed@example.org\r\nnew@example.org\r\n");
    QTest::addRow("blank, empty and nested frames")
        << page("<iframe src=\"about:blank\"></iframe><iframe src=\"f0.html\"></iframe>"
                "<iframe src=\"f1.html\"></iframe>")
        << QByteArrayList{page("<iframe src=\"f2.html\"></iframe>" + link("https://example.org/")),
                          page(link("mailto:outer@example.org")),
                          page(link("mailto:nested@example.org"))}
        << QByteArray() << QByteArray("outer@example.org\r\n");
    QTest::addRow("appends to what the list holds")
        << twoFrames << QByteArrayList{page(link("mailto:new@example.org")), page(QByteArray())}
        << QByteArray("kept@example.org\r\n\r\n")
        << QByteArray("kept@example.org\r\n\r\nnew@example.org\r\n");
}

void HarvesterTest::pass()
{
    QFETCH(QByteArray, top);
    QFETCH(QByteArrayList, frames);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, expected);

    QVERIFY(load(m_view, publish(slug(), top, frames)));

    Program program;
    if (!before.isEmpty())
        QVERIFY(program.temp.write(QStringLiteral("MailsList.txt"), before));
    program.bareCounts();
    program.captions.set(CaptionNo::PassNoFrames, QStringLiteral("no frames"));
    const int written = int(expected.count("\r\n") - before.count("\r\n"));
    QCOMPARE(harvest(program, m_view), written);
    QVERIFY(program.listExists());
    QCOMPARE(program.list(), expected);
    QVERIFY(program.desktop.messages.isEmpty());
    // The status text: what was written, from how many frames; a page without frames says so.
    if (frames.isEmpty())
        QCOMPARE(program.status(), QStringLiteral("no frames"));
    else
        QVERIFY2(program.status().startsWith(QString::number(written) + QLatin1Char(' ')) &&
                     program.status().endsWith(QLatin1String(" 0")),
                 qPrintable(program.status()));
}

void HarvesterTest::unreadableFrame_data()
{
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray other = m_other.url(QStringLiteral("x/f.html")).toEncoded();
    QTest::addRow("second frame from another origin")
        << page("<iframe src=\"f0.html\"></iframe><iframe src=\"" + other +
                "\"></iframe><iframe src=\"f1.html\"></iframe>")
        << QByteArray("first@example.org\r\nfirst2@example.org\r\n");
    QTest::addRow("first frame from another origin")
        << page("<iframe src=\"" + other + "\"></iframe><iframe src=\"f0.html\"></iframe>")
        << QByteArray();
    QTest::addRow("second frame sandboxed")
        << page("<iframe src=\"f0.html\"></iframe><iframe sandbox=\"allow-scripts\" "
                "src=\"f1.html\"></iframe><iframe src=\"f0.html\"></iframe>")
        << QByteArray("first@example.org\r\nfirst2@example.org\r\n");
}

void HarvesterTest::unreadableFrame()
{
    QFETCH(QByteArray, top);
    QFETCH(QByteArray, expected);

    m_other.setPage(QStringLiteral("x/f.html"), page(link("mailto:other@example.org")));
    const QUrl url =
        publish(QStringLiteral("unreadable-") + slug(), top,
                {page(link("mailto:first@example.org") + link("mailto:first2@example.org")),
                 page(link("mailto:third@example.org"))});
    QVERIFY(load(m_view, url));

    Program program;
    QCOMPARE(harvest(program, m_view), int(expected.count("\r\n")));
    QVERIFY(program.listExists());
    QCOMPARE(program.list(), expected);
    QVERIFY(program.desktop.messages.isEmpty());
}

void HarvesterTest::otherSiteFrames_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QByteArray>("otherFrame");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("status"); // written, frames read, frames not read

    const QByteArray other = page(link("mailto:Other@Example.org") + link("https://example.org/") +
                                  link("mailto:other2@example.org"));
    // The other site's page sees each request: it answers it itself in every way it can, stops
    // it from reaching anyone else, and changes the builtins of its world.
    const QByteArray forging = page(link("mailto:other@example.org") + kForgingScript +
                                    R"(<script>
const fake = (t) => 'E14:forged@evil.xy';
addEventListener('message', (e) => {
    e.stopImmediatePropagation();
    const t = String(e.data && e.data.orvelquorvinkHarvest);
    for (const key of ['', 'orvelquorvink', 'orvelquorvink-', t])
        console.log(key + ' ' + t + ' ' + fake(t));
    parent.postMessage(e.data, '*');
    postMessage({orvelquorvinkHarvest: t}, '*');
}, true);
console.log = () => {};
</script>)" + link("mailto:other2@example.org"));
    QTest::addRow("off: the reading ends at the other site's frame")
        << false << other << QByteArray("first@example.org\r\nfirst2@example.org\r\n")
        << QStringLiteral("2 1 2");
    QTest::addRow("on: every frame in order")
        << true << other
        << QByteArray("first@example.org\r\nfirst2@example.org\r\nother@example.org\r\n"
                      "other2@example.org\r\nthird@example.org\r\n")
        << QStringLiteral("5 3 0");
    QTest::addRow("on: forged and hidden answers change nothing")
        << true << forging
        << QByteArray("first@example.org\r\nfirst2@example.org\r\nother@example.org\r\n"
                      "other2@example.org\r\nthird@example.org\r\n")
        << QStringLiteral("5 3 0");
}

void HarvesterTest::otherSiteFrames()
{
    QFETCH(bool, on);
    QFETCH(QByteArray, otherFrame);
    QFETCH(QByteArray, expected);
    QFETCH(QString, status);

    const QString name = QStringLiteral("sites-") + slug();
    // The top page asks the frames itself, with tokens of its own.
    const QByteArray askingTop = "<script>addEventListener('load', () => { for (let i = 0; i < "
                                 "frames.length; ++i) frames[i].postMessage({orvelquorvinkHarvest:"
                                 " '0123456789abcdef0123456789abcdef'}, '*'); });</script>";
    m_other.setPage(name + QStringLiteral("/f.html"), otherFrame);
    const QByteArray top = "<!doctype html><html><head>" + askingTop +
                           "</head><frameset rows=\"33%,33%,*\"><frame src=\"f0.html\">"
                           "<frame src=\"" +
                           m_other.url(name + QStringLiteral("/f.html")).toEncoded() +
                           "\"><frame src=\"f1.html\"></frameset></html>";
    QVERIFY(load(
        m_view, publish(name, top,
                        {page(link("mailto:first@example.org") + link("mailto:first2@example.org")),
                         page(link("mailto:third@example.org"))})));

    Program program;
    program.bareCounts();
    QVERIFY(harvest(program, m_view, {.otherSites = on}) >= 0);
    QCOMPARE(program.list(), expected);
    QCOMPARE(program.statuses, QStringList{status});
    QVERIFY(program.desktop.messages.isEmpty());
}

void HarvesterTest::pageItself_data()
{
    QTest::addColumn<bool>("page");
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("otherSites");
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<QByteArrayList>("frames");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QString>("status");

    // A contact page of documentation: a plain link, one whose address is written in character
    // references, one "name at host" link, one with a subject, and an image map.
    const QByteArray documentation = page(
        "<h1>Contact</h1><p>Questions about the manual: <a href=\"mailto:Docs@Example.org\">"
        "Docs@Example.org</a>.</p><p>Security reports: <a href=\"&#109;&#97;&#105;&#108;&#116;"
        "&#111;&#58;&#115;&#101;&#99;&#117;&#114;&#105;&#116;&#121;&#64;&#101;&#120;&#97;&#109;"
        "&#112;&#108;&#101;&#46;&#111;&#114;&#103;\">security&#64;example&#46;org</a></p>"
        "<p>Board: <a href=\"mailto:board at example dot org\">board at example dot org</a></p>"
        "<p><a href=\"https://example.org/list\">Mailing list</a> "
        "<a href=\"mailto:Press@Example.org?subject=Press%20kit\">Press</a></p>"
        "<map name=\"m\"><area shape=\"rect\" coords=\"0,0,9,9\" href=\"mailto:map@example.org\">"
        "</map><img usemap=\"#m\" src=\"data:,\">");
    // (With the options off, a page without frames writes nothing: the rows of pass.)
    QTest::addRow("documentation page: every link in document order")
        << true << false << false << documentation << QByteArrayList{}
        << QByteArray("docs@example.org\r\nsecurity@example.org\r\nboard%20at%20example%20dot%20org"
                      "\r\npress@example.org?subject=press%20kit\r\nmap@example.org\r\n")
        << QStringLiteral("Harvest: 5 addresses written; 1 document read; 0 frames not read");

    // The page, then each frame with its own frames after its links, at any depth.
    const QByteArray nested =
        page(link("mailto:top@example.org") + "<iframe src=\"f0.html\"></iframe>" +
             link("mailto:top2@example.org") + "<iframe src=\"f3.html\"></iframe>");
    const QByteArrayList nestedFrames{
        page(link("mailto:outer@example.org") + "<iframe src=\"f1.html\"></iframe>" +
             link("mailto:outer2@example.org")),
        page("<iframe src=\"f2.html\"></iframe>" + link("mailto:inner@example.org")),
        page(link("mailto:innermost@example.org")), page(link("mailto:last@example.org"))};
    QTest::addRow("frames within frames, depth first")
        << true << false << false << nested << nestedFrames
        << QByteArray("top@example.org\r\ntop2@example.org\r\nouter@example.org\r\n"
                      "outer2@example.org\r\ninner@example.org\r\ninnermost@example.org\r\n"
                      "last@example.org\r\n")
        << QStringLiteral("Harvest: 7 addresses written; 5 documents read; 0 frames not read");

    // Open shadow roots in tree order: a host's shadow links after the host, before its
    // children; a shadow root within a shadow root; a closed one is not open to anyone.
    const QByteArray shadows =
        page(link("mailto:before@example.org") +
             "<div id=\"host\"><a href=\"mailto:light@example.org\">slotted</a></div>" +
             link("mailto:after@example.org") + "<span id=\"closed\"></span>" +
             "<script>"
             "const root = document.getElementById('host').attachShadow({mode: 'open'});"
             "root.innerHTML = '<a href=\"mailto:Shadow@Example.org\">s</a><p id=\"inner\"></p>"
             "<slot></slot><a href=\"mailto:shadow2@example.org\">s</a>';"
             "root.getElementById('inner').attachShadow({mode: 'open'}).innerHTML = "
             "'<a href=\"mailto:deeper@example.org\">d</a>';"
             "document.getElementById('closed').attachShadow({mode: 'closed'}).innerHTML = "
             "'<a href=\"mailto:closed@example.org\">c</a>';"
             "</script>");
    QTest::addRow("open shadow roots in tree order")
        << true << false << false << shadows << QByteArrayList{}
        << QByteArray("before@example.org\r\nshadow@example.org\r\ndeeper@example.org\r\n"
                      "shadow2@example.org\r\nlight@example.org\r\nafter@example.org\r\n")
        << QStringLiteral("Harvest: 6 addresses written; 1 document read; 0 frames not read");
    // What was read as the page loaded no longer holds once an element becomes a custom element
    // with a shadow root, or the page changes.
    QTest::addRow("custom element defined and links changed after the load")
        << true << false << false
        << page("<x-card></x-card>" + link("mailto:gone@example.org") +
                "<script>addEventListener('load', () => {"
                "customElements.define('x-card', class extends HTMLElement { constructor() {"
                "super(); this.attachShadow({mode: 'open'}).innerHTML = "
                "'<a href=\"mailto:card@example.org\">c</a>'; } });"
                "frames[0].document.links[0].href = 'mailto:changed@example.org'; });</script>"
                "<iframe src=\"f0.html\"></iframe>")
        << QByteArrayList{page(link("mailto:framed@example.org"))}
        << QByteArray("card@example.org\r\ngone@example.org\r\nchanged@example.org\r\n")
        << QStringLiteral("Harvest: 3 addresses written; 2 documents read; 0 frames not read");
    // Ten thousand shadow roots one within the other: no depth stops the reading.
    QTest::addRow("shadow roots nested ten thousand deep")
        << true << false << false
        << page("<div id=\"d\" style=\"display:none\"></div>" + link("mailto:end@example.org") +
                "<script>let at = document.getElementById('d');"
                "for (let i = 0; i < 10000; ++i) { const s = document.createElement('span');"
                "at.attachShadow({mode: 'open'}).append(s); at = s; }"
                "at.innerHTML = '<a href=\"mailto:bottom@example.org\">b</a>';</script>")
        << QByteArrayList{} << QByteArray("bottom@example.org\r\nend@example.org\r\n")
        << QStringLiteral("Harvest: 2 addresses written; 1 document read; 0 frames not read");

    // Another site's frame is skipped with its own frames and counted once; the reading goes
    // on. Asked, it answers with its shadow links and its text, and its frames are read in turn.
    const QByteArray otherSite = page(link("mailto:top@example.org") + "<iframe src=\"" +
                                      m_other.url(QStringLiteral("page-other/f.html")).toEncoded() +
                                      "\"></iframe>" + "<iframe src=\"f0.html\"></iframe>");
    const QByteArrayList otherFrames{page(link("mailto:after@example.org"))};
    QTest::addRow("another site's frame skipped with its frames")
        << true << false << false << otherSite << otherFrames
        << QByteArray("top@example.org\r\nafter@example.org\r\n")
        << QStringLiteral("Harvest: 2 addresses written; 2 documents read; 1 frame not read");
    QTest::addRow("another site's frame asked, and its frames")
        << true << true << true << otherSite << otherFrames
        << QByteArray("top@example.org\r\nother@example.org\r\nshadowed@example.org\r\n"
                      "written@example.org\r\nnested@example.org\r\nafter@example.org\r\n")
        << QStringLiteral("Harvest: 6 addresses written; 4 documents read; 0 frames not read");

    // Addresses in the text: after the document's links, in text order, each once; not one a
    // link gave (without its query, decoded, any letter case); no "at"/"dot" guessing.
    QTest::addRow("addresses in the text")
        << true << true << false
        << page("<p>Write to Info@Example.org, or to <b>sales@example.org</b>. Again: "
                "SALES@example.org; (J\xc3\xb6rg@X.org), board at example dot org, "
                "user@localhost, @example.org, E-Mail:Someone@Example.net.</p>" +
                link("mailto:info@example.org?subject=hi") + link("mailto:j%C3%B6rg@x.org") +
                "<p style=\"display:none\">hidden@example.org</p>"
                "<iframe src=\"f0.html\"></iframe>")
        << QByteArrayList{page("<p>Frame: info@example.org</p>")}
        << QByteArray("info@example.org?subject=hi\r\nj%c3%b6rg@x.org\r\nsales@example.org\r\n"
                      "someone@example.net\r\ninfo@example.org\r\n")
        << QStringLiteral("Harvest: 5 addresses written; 2 documents read; 0 frames not read");
    QTest::addRow("addresses in the text of the frames only")
        << false << true << false << page("<p>top@example.org</p><iframe src=\"f0.html\"></iframe>")
        << QByteArrayList{page("<p>One: frame@example.org</p>")}
        << QByteArray("frame@example.org\r\n")
        << QStringLiteral("Harvest: 1 address written; 1 frame read; 0 frames not read");

    // A page that replaces what it can in its world, names elements after the document's and a
    // form's properties, and hides links from its own world's view.
    QTest::addRow("page scripts and named elements change nothing")
        << true << true << false
        << page(kForgingScript + link("mailto:Real@Example.org") +
                "<img name=\"body\" src=\"data:,\"><img name=\"querySelectorAll\" src=\"data:,\">"
                "<form id=\"f\"><input name=\"shadowRoot\"><input name=\"hasAttribute\">"
                "<a href=\"mailto:inform@example.org\">f</a></form><p>text@example.org</p>"
                "<script>"
                "Element.prototype.attachShadow = function () { return null; };"
                "Object.defineProperty(Element.prototype, 'shadowRoot', {get() { return null; }});"
                "Document.prototype.querySelectorAll = function () { return []; };"
                "HTMLElement.prototype.__defineGetter__('innerText', () => 'forged@evil.example');"
                "String.prototype.match = () => ['forged@evil.example'];"
                "</script>")
        << QByteArrayList{}
        << QByteArray("real@example.org\r\ninform@example.org\r\ntext@example.org\r\n")
        << QStringLiteral("Harvest: 3 addresses written; 1 document read; 0 frames not read");
}

void HarvesterTest::pageItself()
{
    QFETCH(bool, page);
    QFETCH(bool, text);
    QFETCH(bool, otherSites);
    QFETCH(QByteArray, top);
    QFETCH(QByteArrayList, frames);
    QFETCH(QByteArray, expected);
    QFETCH(QString, status);

    m_other.setPage(
        QStringLiteral("page-other/f.html"),
        ::page(link("mailto:Other@Example.org") + "<p id=\"h\"></p><p>Written@Example.org</p>" +
               "<iframe src=\"" + m_server.url(QStringLiteral("page-other/n.html")).toEncoded() +
               "\"></iframe><script>document.getElementById('h').attachShadow({mode: 'open'})"
               ".innerHTML = '<a href=\"mailto:shadowed@example.org\">s</a>';</script>"));
    m_server.setPage(QStringLiteral("page-other/n.html"),
                     ::page(link("mailto:nested@example.org")));
    QVERIFY(load(m_view, publish(QStringLiteral("page-") + slug(), top, frames)));

    Program program;
    QCOMPARE(harvest(program, m_view, {.otherSites = otherSites, .page = page, .text = text}),
             int(expected.count("\r\n")));
    QCOMPARE(program.list(), expected);
    QCOMPARE(program.statuses, QStringList{status});
    QVERIFY(program.desktop.messages.isEmpty());
}

// Links a page adds after its pass are written by a late pass once they rest, each once; a page
// that keeps adding them gets a late pass at most every two seconds.
void HarvesterTest::lateLinks()
{
    const QUrl url = publish(
        QStringLiteral("late"),
        page(link("mailto:first@example.org") + "<p id=\"clock\"></p><div id=\"host\"></div>" +
             "<iframe src=\"f0.html\"></iframe><script>"
             "setInterval(() => { document.getElementById('clock').textContent = Date.now(); },"
             " 100);"
             "addEventListener('load', () => setTimeout(() => {"
             "document.body.insertAdjacentHTML('afterbegin', "
             "'<a href=\"mailto:Added@Example.org\">a</a>');"
             "frames[0].document.body.insertAdjacentHTML('beforeend', "
             "'<a href=\"mailto:framed@example.org\">f</a>');"
             "document.getElementById('host').attachShadow({mode: 'open'}).innerHTML = "
             "'<a href=\"mailto:shadow@example.org\">s</a>';"
             "document.body.append(document.getElementById('host'));"
             "}, 2000));</script>"),
        {page(link("mailto:inframe@example.org"))});
    Program program;
    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    harvester.setPageItself(true);
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    QSignalSpy late(&harvester, &Harvester::latePassFinished);
    QVERIFY(load(m_view, url));
    QElapsedTimer clock;
    clock.start();
    harvester.toggle();
    QVERIFY(finished.wait(10000));
    const QByteArray first = "first@example.org\r\ninframe@example.org\r\n";
    QCOMPARE(program.list(), first);

    // The links come two seconds after the load, in three documents at once: one late pass about
    // a second later, in document order; the clock's ticking gives none.
    const auto wrote = [&late] {
        return std::count_if(late.begin(), late.end(),
                             [](const QList<QVariant>& a) { return a.at(0).toInt() > 0; });
    };
    QTRY_VERIFY_WITH_TIMEOUT(wrote() == 1, 10000);
    QVERIFY2(clock.elapsed() >= 2500, qPrintable(QString::number(clock.elapsed())));
    const QByteArray added = "added@example.org\r\nshadow@example.org\r\nframed@example.org\r\n";
    QCOMPARE(program.list(), first + added);

    // A page that adds a link every tenth of a second: a late pass every two seconds or more,
    // each link written once (a pass that wrote the earlier links again would overshoot the
    // count).
    m_view->page()->runJavaScript(QStringLiteral(
        "let n = 0; const adding = setInterval(() => { document.body.insertAdjacentHTML("
        "'beforeend', '<a href=\"mailto:n' + n++ + '@example.org\">n</a>');"
        " if (n === 45) clearInterval(adding); }, 100);"));
    QList<qint64> times;
    connect(&harvester, &Harvester::latePassFinished, this, [&times, &clock](int lines) {
        if (lines > 0)
            times << clock.elapsed();
    });
    QTRY_VERIFY_WITH_TIMEOUT(program.list().count("\r\n") == 5 + 45, 15000);
    QVERIFY2(times.size() >= 2, qPrintable(QString::number(times.size())));
    for (qsizetype i = 1; i < times.size(); ++i)
        QVERIFY2(times[i] - times[i - 1] >= 1900,
                 qPrintable(QString::number(times[i] - times[i - 1])));
    QByteArray expected = first + added;
    for (int n = 0; n < 45; ++n)
        expected += "n" + QByteArray::number(n) + "@example.org\r\n";
    QCOMPARE(program.list(), expected);
    harvester.toggle();
}

void HarvesterTest::passWithoutView()
{
    Program program;
    QCOMPARE(harvest(program, nullptr), 0);
    QVERIFY(program.listExists());
    QCOMPARE(program.list(), QByteArray());
}

void HarvesterTest::pageGoesAwayDuringPass()
{
    const QUrl first = publish(QStringLiteral("away"), page("<iframe src=\"f0.html\"></iframe>"),
                               {page(link("mailto:away@example.org"))});
    QVERIFY(load(m_view, first));

    // The view goes to a page of another site (a new renderer) while the script is on its way.
    Program program;
    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    harvester.GO_Mail_Link();
    m_view->Navigate(QStringLiteral("quorvink:start"));
    QVERIFY(finished.wait(10000));
    QVERIFY(program.listExists());
    // Either the old page was read whole or nothing was: never a part of it.
    const QByteArray list = program.list();
    QVERIFY2(list.isEmpty() || list == "away@example.org\r\n", list.constData());
    QCOMPARE(finished.at(0).at(0).toInt(), int(list.count("\r\n")));
}

void HarvesterTest::viewClosedDuringPass()
{
    auto* view = new BrowserView(2, m_profile, m_window.get());
    const QUrl url = publish(QStringLiteral("closed"), page("<iframe src=\"f0.html\"></iframe>"),
                             {page(link("mailto:closed@example.org"))});
    QVERIFY(load(view, url));

    Program program;
    QVERIFY(program.temp.write(QStringLiteral("MailsList.txt"), "kept@example.org\r\n"));
    Harvester harvester(
        program.dir, program.desktop, program.captions, [view] { return view; }, m_window.get());
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    harvester.GO_Mail_Link();
    delete view->widget();
    delete view;
    // The engine answers the script of a page that goes away with nothing.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    QCOMPARE(program.list(), QByteArray("kept@example.org\r\n"));
    QVERIFY(program.desktop.messages.isEmpty());
}

void HarvesterTest::unwritableList()
{
    const QUrl url =
        publish(QStringLiteral("unwritable"), page("<iframe src=\"f0.html\"></iframe>"),
                {page(link("mailto:lost@example.org"))});
    QVERIFY(load(m_view, url));

    Program program;
    // A folder in the place of the list: it cannot be opened for writing, not even as root.
    QVERIFY(QDir(program.temp.root()).mkdir(QStringLiteral("MailsList.txt")));
    QVERIFY(program.temp.write(QStringLiteral("MailsBook.txt"), "book@example.org\r\n"));

    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    harvester.toggle();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.at(0).at(0).toInt(), -1);
    QCOMPARE(program.desktop.messages.size(), 1);
    QCOMPARE(program.desktop.messages[0].title, QStringLiteral("orvelquorvink"));
    QVERIFY2(program.desktop.messages[0].text.contains(
                 QDir::toNativeSeparators(program.temp.file(QStringLiteral("MailsList.txt")))),
             qPrintable(program.desktop.messages[0].text));
    QCOMPARE(harvester.Mail_Auto(), qint16(1));
    QVERIFY(QFileInfo(program.temp.file(QStringLiteral("MailsList.txt"))).isDir());
    QCOMPARE(program.temp.read(QStringLiteral("MailsBook.txt")),
             QByteArray("book@example.org\r\n"));
    QVERIFY(program.desktop.opened.isEmpty());
}

void HarvesterTest::startAndStates()
{
    const QUrl url = publish(QStringLiteral("states"), page("<iframe src=\"f0.html\"></iframe>"),
                             {page(link("mailto:state@example.org"))});
    QVERIFY(load(m_view, url));

    Program program;
    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    QCOMPARE(harvester.Mail_Auto(), qint16(0));
    QCOMPARE(harvester.timer2()->interval(), 1000);
    QVERIFY(!harvester.timer2()->isActive());
    harvester.timer2()->setInterval(60 * 60 * 1000); // no tick during this test
    QSignalSpy icons(&harvester, &Harvester::iconChanged);
    QSignalSpy finished(&harvester, &Harvester::passFinished);

    // Off: document complete does nothing.
    harvester.onDocumentComplete();
    QVERIFY(!harvester.timer2()->isActive());

    // Off -> on-idle: a pass at once.
    harvester.toggle();
    QCOMPARE(harvester.Mail_Auto(), qint16(1));
    QCOMPARE(icons.size(), 1);
    QCOMPARE(icons.at(0).at(0).toInt(), 133);
    QVERIFY(finished.wait(10000));
    QCOMPARE(program.list(), QByteArray("state@example.org\r\n"));
    QVERIFY(!harvester.timer2()->isActive());

    // On-idle -> on-waiting.
    harvester.onDocumentComplete();
    QVERIFY(harvester.timer2()->isActive());

    // On-waiting -> off-waiting: the timer stays, no pass.
    harvester.toggle();
    QCOMPARE(harvester.Mail_Auto(), qint16(0));
    QCOMPARE(icons.size(), 2);
    QCOMPARE(icons.at(1).at(0).toInt(), 132);
    QVERIFY(harvester.timer2()->isActive());

    // Off-waiting -> on-waiting: a pass at once, the timer still waiting.
    harvester.toggle();
    QCOMPARE(icons.at(2).at(0).toInt(), 133);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.size(), 2);
    QVERIFY(harvester.timer2()->isActive());
    QCOMPARE(program.list(), QByteArray("state@example.org\r\nstate@example.org\r\n"));

    // On-idle -> off: no pass. A script run after the switch is answered after any pass the
    // switch could have started.
    harvester.timer2()->stop();
    harvester.toggle();
    QCOMPARE(harvester.Mail_Auto(), qint16(0));
    QCOMPARE(icons.at(3).at(0).toInt(), 132);
    auto answered = std::make_shared<bool>(false);
    m_view->readyState([answered](const QString&) { *answered = true; });
    QTRY_VERIFY_WITH_TIMEOUT(*answered, 10000);
    QCOMPARE(finished.size(), 2);
}

void HarvesterTest::twoLoadsBeforeTickGiveOnePass()
{
    const QUrl first = publish(QStringLiteral("loads-a"), page("<iframe src=\"f0.html\"></iframe>"),
                               {page(link("mailto:a@example.org"))});
    const QUrl second =
        publish(QStringLiteral("loads-b"), page("<iframe src=\"f0.html\"></iframe>"),
                {page(link("mailto:b@example.org"))});
    Program program;
    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    connect(m_view, &BrowserView::documentComplete, &harvester, &Harvester::onDocumentComplete);
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    harvester.toggle();
    QVERIFY(finished.wait(10000));
    finished.clear();
    QVERIFY(!harvester.timer2()->isActive());
    QVERIFY(program.temp.write(QStringLiteral("MailsList.txt"), QByteArray()));

    // No tick until both loads have completed; then the waiting tick comes soon (a new interval
    // starts the running timer again).
    harvester.timer2()->setInterval(60 * 60 * 1000);
    QVERIFY(load(m_view, first));
    QVERIFY(harvester.timer2()->isActive());
    QVERIFY(load(m_view, second));
    QVERIFY(finished.isEmpty());
    harvester.timer2()->setInterval(kShortTickMs);

    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.size(), 1);
    QVERIFY(!harvester.timer2()->isActive());
    QCOMPARE(program.list(), QByteArray("b@example.org\r\n"));
}

void HarvesterTest::switchedOffWhileWaiting()
{
    const QUrl done = publish(QStringLiteral("wait-a"), page(QByteArray()), {});
    m_server.setPage(QStringLiteral("wait-b/f0.html"), page(link("mailto:waited@example.org")));
    m_server.setHangingPage(QStringLiteral("wait-b/top.html"),
                            "<!doctype html><html><body><iframe src=\"f0.html\"></iframe>");
    Program program;
    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    connect(m_view, &BrowserView::documentComplete, &harvester, &Harvester::onDocumentComplete);
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    harvester.toggle();
    QVERIFY(finished.wait(10000));
    finished.clear();
    QVERIFY(program.temp.write(QStringLiteral("MailsList.txt"), QByteArray()));

    // On-waiting, and the view is busy with a page that does not finish; no tick comes before.
    harvester.timer2()->setInterval(60 * 60 * 1000);
    QVERIFY(load(m_view, done));
    QVERIFY(harvester.timer2()->isActive());
    m_view->Navigate(m_server.url(QStringLiteral("wait-b/top.html")).toString());
    QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(QStringLiteral("wait-b/f0.html")), 1, 10000);
    QTRY_VERIFY(m_view->Busy());
    // Two ticks or more while busy.
    QSignalSpy ticks(harvester.timer2(), &QTimer::timeout);
    harvester.timer2()->setInterval(kShortTickMs);
    QTRY_VERIFY_WITH_TIMEOUT(ticks.size() >= 2, 10000);
    QVERIFY(m_view->Busy());
    QVERIFY(finished.isEmpty());
    QVERIFY(harvester.timer2()->isActive());

    // Switched off while waiting: the waiting pass still runs once the view is idle.
    harvester.toggle();
    QCOMPARE(harvester.Mail_Auto(), qint16(0));
    m_view->Stop();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.size(), 1);
    QVERIFY(!harvester.timer2()->isActive());
    QCOMPARE(program.list(), QByteArray("waited@example.org\r\n"));
}

void HarvesterTest::noPassDuringWait()
{
    const QUrl url = publish(QStringLiteral("in-wait"), page("<iframe src=\"f0.html\"></iframe>"),
                             {page(link("mailto:after@example.org"))});
    QVERIFY(load(m_view, url));
    Program program;
    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    harvester.toggle();
    QVERIFY(finished.wait(10000));
    finished.clear();
    QVERIFY(program.temp.write(QStringLiteral("MailsList.txt"), QByteArray()));

    harvester.timer2()->setInterval(kShortTickMs);
    harvester.onDocumentComplete();
    // Ticks come during a wait in place, with the view idle.
    QSignalSpy ticks(harvester.timer2(), &QTimer::timeout);
    QVERIFY(Wait::until([&ticks] { return ticks.size() >= 3; }, 10000));
    // A tick that ran a pass would have stopped the timer.
    QVERIFY(finished.isEmpty());
    QVERIFY(harvester.timer2()->isActive());
    QVERIFY(finished.wait(3000));
    QCOMPARE(program.list(), QByteArray("after@example.org\r\n"));
}

void HarvesterTest::passReadsCurrentView()
{
    auto* hidden = new BrowserView(1, m_profile, m_window.get());
    hidden->setGeometry(0, 0, 800, 600);
    const QUrl shown =
        publish(QStringLiteral("current-a"), page("<iframe src=\"f0.html\"></iframe>"),
                {page(link("mailto:shown@example.org"))});
    const QUrl other =
        publish(QStringLiteral("current-b"), page("<iframe src=\"f0.html\"></iframe>"),
                {page(link("mailto:hidden@example.org"))});
    QVERIFY(load(m_view, shown));
    QVERIFY(load(hidden, other));

    Program program;
    Harvester harvester(
        program.dir, program.desktop, program.captions, [this] { return m_view; }, m_window.get());
    harvester.timer2()->setInterval(kShortTickMs);
    connect(hidden, &BrowserView::documentComplete, &harvester, &Harvester::onDocumentComplete);
    QSignalSpy finished(&harvester, &Harvester::passFinished);
    harvester.toggle();
    QVERIFY(finished.wait(10000));

    // The hidden view completes a page: the pass that follows reads the current view.
    QVERIFY(load(hidden, other));
    QVERIFY(finished.wait(5000));
    QCOMPARE(program.list(), QByteArray("shown@example.org\r\nshown@example.org\r\n"));
    delete hidden;
}

QUORVINK_TEST_MAIN(HarvesterTest)
#include "test_harvester.moc"
