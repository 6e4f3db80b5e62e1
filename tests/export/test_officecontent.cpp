// What the office helper lets through to the office, without the office: the markup filter, the
// check of picture bytes, the request and the answers. Hostile input, as a page would write it.
#include "answer.h"
#include "failure.h"
#include "filenames.h"
#include "markup.h"
#include "picturedata.h"
#include "request.h"
#include "unittestmain.h"

#include <QBuffer>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

namespace {

QByteArray pngBytes(int width = 3, int height = 2, const char* format = "PNG")
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The header of a PNG that declares the size, as a page can send it: the size costs nothing
// to declare.
QByteArray pngHeader(quint32 width, quint32 height, qsizetype padding = 0)
{
    QByteArray bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (const quint32 value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.append(char((value >> shift) & 0xff));
    }
    return bytes.append(QByteArray(padding, 'x'));
}

const QByteArray kSvg = "<svg xmlns='http://www.w3.org/2000/svg'><image "
                        "href='file:///home/user/secret.png' width='9' height='9'/></svg>";
const QString kWeb = QStringLiteral("http://example.org/picture.png");

QString dataAddress(const char* type, const QByteArray& bytes)
{
    return QStringLiteral("data:%1;base64,%2")
        .arg(QLatin1String(type), QString::fromLatin1(bytes.toBase64()));
}

} // namespace

class OfficeContentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestGuard::failOnWarnings(); }

    void markup_data()
    {
        QTest::addColumn<QString>("html"); // {png} a PNG's data address, {file} a file of the user
        QTest::addColumn<QByteArray>("supplied"); // the browser's bytes for {web}; null: none
        QTest::addColumn<QString>("expected");    // {canon}: the PNG as the filter writes it

        const QByteArray none;
        const QByteArray png = pngBytes();
        QTest::addRow("picture in its address")
            << "<img src=\"{png}\">" << none << "<img src=\"{canon}\">";
        QTest::addRow("picture in its address, percent-encoded")
            << "<img src=\"data:image/png,{percent}\">" << none << "<img src=\"{canon}\">";
        QTest::addRow("picture from the web, supplied")
            << "<img src=\"{web}\">" << png << "<img src=\"{canon}\">";
        QTest::addRow("picture from the web, as references, supplied")
            << "<img src=\"http&#58;//example.org/picture.png\">" << png << "<img src=\"{canon}\">";
        QTest::addRow("picture from the web, not supplied")
            << "<p><img src=\"{web}\"></p>" << none << "<p></p>";
        QTest::addRow("supplied bytes are an SVG") << "<img src=\"{web}\">" << kSvg << "";
        QTest::addRow("SVG in its address") << "<img src=\"{svg}\">" << none << "";
        QTest::addRow("SVG declared as PNG") << "<img src=\"{svgAsPng}\">" << none << "";
        QTest::addRow("PNG declared as SVG") << "<img src=\"{pngAsSvg}\">" << none << "";
        QTest::addRow("file of the user") << "<img src=\"file://{file}\">" << none << "";
        QTest::addRow("file, in capitals") << "<IMG SRC=FILE://{file}>" << none << "";
        QTest::addRow("file, as character references")
            << "<img src=\"&#102;&#x69;le://{file}\">" << none << "";
        QTest::addRow("file, split by a tab") << "<img src=\"fi&#9;le://{file}\">" << none << "";
        QTest::addRow("path of the user") << "<img src='{file}'>" << none << "";
        QTest::addRow("file behind a base")
            << "<base href=\"file:///\"><img src=\"{file}\">" << none << "";
        QTest::addRow("file in a comment-broken tag")
            << "<!-- x --><img src=\"{png}\"><img <!-- src=\"file://{file}\">" << none
            << "<img src=\"{canon}\">";
        QTest::addRow("background from the web, not supplied")
            << "<body background=\"{web}\">x</body>" << none << "<body>x</body>";
        QTest::addRow("picture in a style")
            << "<p style=\"background:url({web})\">x</p>" << none << "<p>x</p>";
        QTest::addRow("picture of an SVG element")
            << "<image href=\"file://{file}\">" << none << "<image>";
        QTest::addRow("map within the page")
            << "<img src=\"{png}\" usemap=\"#m\">" << none << "<img src=\"{canon}\" usemap=\"#m\">";
        QTest::addRow("frames, objects, style sheets")
            << "<iframe src=\"{web}\">in</iframe><object data=\"file://{file}\"></object>"
               "<link rel=\"stylesheet\" href=\"{web}\"><embed src=\"{web}\">after"
            << none << "after";
        QTest::addRow("formula cell as text")
            << "<table><tr><td>=WEBSERVICE(\"{web}\")</td><th>12</th></tr></table>" << none
            << "<table><tr><td "
               "sdnum=\"1033;0;@\">=WEBSERVICE(\"{web}\")</td><th>12</th></tr></table>";
        QTest::addRow("formula behind tags, a comment and a reference")
            << "<th> <b><!-- c --><script>x</script>&#61;1+2</b></th>" << none
            << "<th sdnum=\"1033;0;@\"> <b>&#61;1+2</b></th>";
        QTest::addRow("the page's own cell format and value")
            << "<td sdnum=\"1033;0;0\" sdval=\"5\">=1</td><td sdval=\"5\">5</td>" << none
            << "<td sdnum=\"1033;0;@\">=1</td><td>5</td>";
        QTest::addRow("empty cell before a formula")
            << "<td></td><td>=1</td>" << none << "<td></td><td sdnum=\"1033;0;@\">=1</td>";
        QTest::addRow("mail link kept") << "<a href=\"mailto:desk@example.org\">desk</a>" << none
                                        << "<a href=\"mailto:desk@example.org\">desk</a>";
        QTest::addRow("web link kept")
            << "<a href=\"https://example.org/a?b=1&amp;c=2\">x</a>" << none
            << "<a href=\"https://example.org/a?b=1&amp;c=2\">x</a>";
        QTest::addRow("link to a file") << "<a href=\"file://{file}\">x</a>" << none << "<a>x</a>";
        QTest::addRow("link that runs a script")
            << "<area href=\"java&#9;script:alert(1)\">" << none << "<area>";
    }

    void markup()
    {
        QFETCH(QString, html);
        QFETCH(QByteArray, supplied);
        QFETCH(QString, expected);

        const QByteArray png = pngBytes();
        const QString canon = dataAddress("image/png", png);
        const auto fill = [&](QString text) {
            return text.replace(QLatin1String("{png}"), dataAddress("image/png", png))
                .replace(QLatin1String("{percent}"), QString::fromLatin1(png.toPercentEncoding()))
                .replace(QLatin1String("{svg}"), dataAddress("image/svg+xml", kSvg))
                .replace(QLatin1String("{svgAsPng}"), dataAddress("image/png", kSvg))
                .replace(QLatin1String("{pngAsSvg}"), dataAddress("image/svg+xml", png))
                .replace(QLatin1String("{web}"), kWeb)
                .replace(QLatin1String("{file}"), QLatin1String("/home/user/secret.png"))
                .replace(QLatin1String("{canon}"), canon);
        };
        QHash<QString, QByteArray> pictures;
        if (!supplied.isNull())
            pictures.insert(kWeb, supplied);
        QCOMPARE(safeMarkup(fill(html), pictures), fill(expected));
    }

    void pictureKinds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("type"); // empty: not let through

        QByteArray bmp("BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0", 18);
        QTest::addRow("PNG") << pngBytes() << "image/png";
        QTest::addRow("JPEG") << QByteArray("\xff\xd8\xff\xe0\0\x10JFIF") << "image/jpeg";
        QTest::addRow("GIF 87") << QByteArray("GIF87a\1\0\1\0") << "image/gif";
        QTest::addRow("GIF 89") << QByteArray("GIF89a\1\0\1\0") << "image/gif";
        QTest::addRow("BMP") << bmp << "image/bmp";
        QTest::addRow("WebP") << QByteArray("RIFF\x24\0\0\0WEBPVP8 ", 16) << "image/webp";
        QTest::addRow("SVG") << kSvg << "";
        QTest::addRow("SVG behind white space") << " \n" + kSvg << "";
        QTest::addRow("nothing") << QByteArray() << "";
        QTest::addRow("PNG signature cut short") << QByteArray("\x89PNG\r\n") << "";
        QTest::addRow("BM of a text") << QByteArray("BM is not a bitmap header") << "";
        QTest::addRow("RIFF of a sound") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) << "";
        QTest::addRow("PDF") << QByteArray("%PDF-1.7\n") << "";
    }

    void pictureKinds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, type);
        QCOMPARE(PictureData::rasterType(bytes), type);
        QCOMPARE(PictureData::rasterAddress(bytes).isNull(), type.isEmpty());
    }

    // A name cut to a number of bytes ends between two characters, its UTF-8 form within them.
    void leadingBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("cut");

        const QString han = QString(80, QChar(0x6587)) + QStringLiteral(".doc"); // 244 bytes
        QTest::addRow("ASCII") << "report.doc" << 6 << "report";
        QTest::addRow("three bytes each: 66 of 80 fit in 200")
            << han << 200 << QString(66, QChar(0x6587));
        QTest::addRow("not inside a character") << QStringLiteral("a\u00e9b") << 2 << "a";
        QTest::addRow("not between the halves of a pair")
            << QStringLiteral("x\U0001F600y") << 4 << "x";
        QTest::addRow("a lone half as three bytes")
            << QString(QChar(0xd800)) + QStringLiteral("z") << 3 << QString(QChar(0xd800));
    }

    void leadingBytes()
    {
        QFETCH(QString, name);
        QFETCH(int, bytes);
        QFETCH(QString, cut);
        const QString result = FileNames::leadingBytes(name, bytes);
        QCOMPARE(result, cut);
        QVERIFY(result.toUtf8().size() <= bytes);
    }

    void pixelSize_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // invalid: not read

        QByteArray topDown = pngBytes(7, 5, "BMP");
        topDown.replace(22, 4, QByteArray("\xfb\xff\xff\xff", 4)); // height -5
        QTest::addRow("PNG") << pngBytes(7, 5) << QSize(7, 5);
        QTest::addRow("JPEG") << pngBytes(7, 5, "JPG") << QSize(7, 5);
        QTest::addRow("BMP") << pngBytes(7, 5, "BMP") << QSize(7, 5);
        QTest::addRow("BMP stored top down") << topDown << QSize(7, 5);
        QTest::addRow("GIF") << QByteArray("GIF89a\x07\0\x05\0", 10) << QSize(7, 5);
        QTest::addRow("WebP, lossy")
            << QByteArray("RIFF\0\0\0\0WEBPVP8 \0\0\0\0\0\0\0\x9d\x01\x2a\x07\0\x05\0", 30)
            << QSize(7, 5);
        QTest::addRow("WebP, extended")
            << QByteArray("RIFF\0\0\0\0WEBPVP8X\0\0\0\0\0\0\0\0\x06\0\0\x04\0\0", 30)
            << QSize(7, 5);
        QTest::addRow("16000 by 16000, declared") << pngHeader(16000, 16000) << QSize(16000, 16000);
        QTest::addRow("JPEG without its frame header")
            << QByteArray("\xff\xd8\xff\xe0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20) << QSize();
        QTest::addRow("PNG of no size") << pngHeader(0, 5) << QSize();
        QTest::addRow("PNG cut short") << pngHeader(7, 5).left(20) << QSize();
    }

    void pixelSize()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QCOMPARE(PictureData::pixelSize(bytes).value_or(QSize()), size);
    }

    // What of a page's pictures reaches the office: each within its bytes and pixels, and no
    // more than the count (a picture named again counts once).
    void pictureBounds_data()
    {
        QTest::addColumn<QStringList>("pictures"); // data addresses, in the page's order
        QTest::addColumn<int>("kept");             // of the page's <img> elements

        const QString small = dataAddress("image/png", pngBytes());
        const int count = PictureData::Budget::kMaxCount;
        QStringList many;
        for (int n = 0; n <= count; ++n)
            many << dataAddress("image/png", pngBytes(n + 1, 1));
        QTest::addRow("six of 16000 by 16000")
            << QStringList(6, dataAddress("image/png", pngHeader(16000, 16000))) << 0;
        QTest::addRow("40 megapixels")
            << QStringList{dataAddress("image/png", pngHeader(8000, 5000))} << 1;
        QStringList large;
        for (int n = 0; n < 5; ++n)
            large << dataAddress("image/png", pngHeader(8000, 5000 - n));
        QTest::addRow("the pixels of all of them") << large << 4;
        QTest::addRow("a pixel more")
            << QStringList{dataAddress("image/png", pngHeader(8001, 5000))} << 0;
        QTest::addRow("too many") << many << count;
        QTest::addRow("one picture many times") << QStringList(count * 2, small) << count * 2;
        QTest::addRow("too large in bytes")
            << QStringList{dataAddress("image/png",
                                       pngHeader(10, 10, PictureData::Budget::kMaxBytes))}
            << 0;
    }

    void pictureBounds()
    {
        QFETCH(QStringList, pictures);
        QFETCH(int, kept);
        QString html;
        for (const QString& picture : std::as_const(pictures))
            html += QStringLiteral("<img src=\"%1\">").arg(picture);
        QCOMPARE(safeMarkup(html).count(QLatin1String("<img")), kept);
    }

    // Past the deepest nesting the office is given, elements lose their tags and keep their text.
    void nesting_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("tags");  // start tags written, and as many end tags
        QTest::addColumn<int>("texts"); // the text "t" kept

        const int deep = kMaxNesting;
        QTest::addRow("20000 nested quotations")
            << QString(QStringLiteral("<blockquote>t")).repeated(20000) +
                   QString(QStringLiteral("</blockquote>")).repeated(20000)
            << deep << 20000;
        QTest::addRow("side by side, each shallow")
            << QString(QStringLiteral("<div>t</div>")).repeated(3 * deep) << 3 * deep << 3 * deep;
        QTest::addRow("paragraphs without end tags are not nested")
            << QString(QStringLiteral("<p>t")).repeated(3 * deep) << 3 * deep << 3 * deep;
        QTest::addRow("deep, then side by side again")
            << QString(QStringLiteral("<div>")).repeated(deep + 5) + QStringLiteral("t") +
                   QString(QStringLiteral("</div>")).repeated(deep + 5) +
                   QStringLiteral("<div>t</div>")
            << deep + 1 << 2;
    }

    void nesting()
    {
        QFETCH(QString, html);
        QFETCH(int, tags);
        QFETCH(int, texts);
        const QString safe = safeMarkup(html);
        const QString name = html.mid(1, html.indexOf(u'>') - 1);
        QCOMPARE(safe.count(QStringLiteral("<%1>").arg(name)), tags);
        if (name != u"p")
            QCOMPARE(safe.count(QStringLiteral("</%1>").arg(name)), tags);
        QCOMPARE(QString(safe).remove(QRegularExpression(QStringLiteral("<[^>]*>"))).count(u't'),
                 texts);
    }

    void request_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("error");

        const QByteArray base =
            R"("kind":"writer","target":"/out/a.doc","profile":"/p","html":"<p>x</p>")";
        QTest::addRow("picture not base64")
            << "{" + base + R"(,"pictures":{"http://a/b.png":"not*base64"}})"
            << "the picture of http://a/b.png is not base64";
        QTest::addRow("picture not a text") << "{" + base + R"(,"pictures":{"http://a/b.png":7}})"
                                            << "the picture of http://a/b.png is not base64";
    }

    void request()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, error);
        try {
            OfficeRequest::fromJson(json);
            QFAIL("read although malformed");
        } catch (const Failure& f) {
            QCOMPARE(f.message, error);
        }
    }

    // The browser and the helper read what the other wrote: every kind, field, step and answer.
    void roundTrip()
    {
        OfficeRequest sent{
            .templatePath = QStringLiteral("/t/Template.Doc"),
            .landscape = true,
            .html = QStringLiteral("<p>\u00e4\U0001F600</p>"),
            .pictures = {{QStringLiteral("http://a/b.png"), QByteArray("\0\xff", 2)}},
            .text = QStringLiteral("t"),
            .image = QStringLiteral("/i.png"),
            .target = QStringLiteral("/out/a \"b\".pdf"),
            .companion = QStringLiteral("/out/a.doc"),
            .profile = QStringLiteral("/p"),
            .keepOffice = true};
        using Kind = OfficeRequest::Kind;
        for (const Kind kind : {Kind::Writer, Kind::Calc, Kind::Pdf, Kind::Impress, Kind::Quit}) {
            sent.kind = kind;
            QVERIFY(OfficeRequest::fromJson(sent.toJson()) == sent);
        }

        QList<OfficeAnswer> answers{OfficeAnswer::pid(qint64(1) << 40), OfficeAnswer::done(),
                                    OfficeAnswer::done()};
        answers[2].slides = 7;
        answers[2].read = {{QStringLiteral("text"), QStringLiteral("x")}};
        for (const OfficeStep step : {OfficeStep::Start, OfficeStep::Open, OfficeStep::Paste,
                                      OfficeStep::Save, OfficeStep::Convert})
            answers << OfficeAnswer::begun(step)
                    << OfficeAnswer::failed(step, QStringLiteral("cannot write \"/x\"\n"));
        answers[4].timedOut = true;
        answers[6].refused = OfficeRefusal::Links;
        for (const OfficeAnswer& a : answers)
            QVERIFY2(OfficeAnswer::fromJson(a.toJson()) == a, a.toJson().constData());
        QVERIFY(!OfficeAnswer::fromJson("{\"unknown\":1}"));
        QVERIFY(!OfficeAnswer::fromJson(R"({"step":"dance"})")->step);
    }
};

QUORVINK_CORE_TEST_MAIN(OfficeContentTest)
#include "test_officecontent.moc"
