#include "markup.h"

#include "picturedata.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {

// Left out with everything inside them.
const QStringList kDroppedWithContent = {
    QStringLiteral("script"),   QStringLiteral("style"),    QStringLiteral("iframe"),
    QStringLiteral("object"),   QStringLiteral("applet"),   QStringLiteral("noscript"),
    QStringLiteral("template"), QStringLiteral("frameset"), QStringLiteral("noframes"),
    QStringLiteral("xml"),
};
// Left out alone; what they hold, if anything, stays.
const QStringList kDroppedTags = {
    QStringLiteral("base"),   QStringLiteral("link"),  QStringLiteral("meta"),
    QStringLiteral("embed"),  QStringLiteral("frame"), QStringLiteral("param"),
    QStringLiteral("source"), QStringLiteral("track"), QStringLiteral("bgsound"),
};
// Attributes whose value is the address of a picture shown with the element.
const QStringList kPictures = {
    QStringLiteral("src"),        QStringLiteral("lowsrc"), QStringLiteral("dynsrc"),
    QStringLiteral("background"), QStringLiteral("poster"),
};
// Elements whose href is a link the reader may follow, not something fetched.
const QStringList kLinks = {QStringLiteral("a"), QStringLiteral("area")};
// Other attributes whose value is an address something is fetched from.
const QStringList kFetched = {
    QStringLiteral("data"),       QStringLiteral("codebase"), QStringLiteral("archive"),
    QStringLiteral("classid"),    QStringLiteral("srcset"),   QStringLiteral("href"),
    QStringLiteral("xlink:href"), QStringLiteral("longdesc"), QStringLiteral("usemap"),
    QStringLiteral("cite"),       QStringLiteral("action"),   QStringLiteral("formaction"),
    QStringLiteral("profile"),    QStringLiteral("manifest"), QStringLiteral("icon"),
    QStringLiteral("ping"),
};

// Elements without content, which open nothing.
const QStringList kVoid = {
    QStringLiteral("area"),  QStringLiteral("base"),     QStringLiteral("br"),
    QStringLiteral("col"),   QStringLiteral("embed"),    QStringLiteral("hr"),
    QStringLiteral("img"),   QStringLiteral("input"),    QStringLiteral("link"),
    QStringLiteral("meta"),  QStringLiteral("param"),    QStringLiteral("source"),
    QStringLiteral("track"), QStringLiteral("wbr"),      QStringLiteral("keygen"),
    QStringLiteral("frame"), QStringLiteral("basefont"),
};
// Elements whose end tag markup may leave out: the next one of their kind closes them.
const QStringList kClosedByNext = {
    QStringLiteral("p"),      QStringLiteral("li"), QStringLiteral("dt"), QStringLiteral("dd"),
    QStringLiteral("option"), QStringLiteral("tr"), QStringLiteral("td"), QStringLiteral("th"),
};

bool isSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'-' || c == u'_' || c == u':';
}

bool isLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Replaces character references by their characters. False when the text holds one that is
// not understood here: a reader might take it for a character that was never judged.
bool decode(QStringView raw, QString* out)
{
    static const QList<std::pair<QString, QChar>> kNamed = {
        {QStringLiteral("amp"), u'&'},         {QStringLiteral("lt"), u'<'},
        {QStringLiteral("gt"), u'>'},          {QStringLiteral("quot"), u'"'},
        {QStringLiteral("apos"), u'\''},       {QStringLiteral("colon"), u':'},
        {QStringLiteral("sol"), u'/'},         {QStringLiteral("period"), u'.'},
        {QStringLiteral("tab"), u'\t'},        {QStringLiteral("newline"), u'\n'},
        {QStringLiteral("nbsp"), QChar(0xa0)},
    };
    out->clear();
    const qsizetype n = raw.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (raw[i] != u'&') {
            out->append(raw[i]);
            continue;
        }
        qsizetype j = i + 1;
        if (j < n && raw[j] == u'#') {
            const bool hex = j + 1 < n && (raw[j + 1] == u'x' || raw[j + 1] == u'X');
            j += hex ? 2 : 1;
            const qsizetype digits = j;
            while (j < n && (hex ? isLetter(raw[j]) || raw[j].isDigit() : raw[j].isDigit()))
                ++j;
            bool ok = false;
            const uint code = raw.sliced(digits, j - digits).toUInt(&ok, hex ? 16 : 10);
            if (!ok || code == 0 || code > 0x10ffff)
                return false;
            out->append(QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1));
            i = j < n && raw[j] == u';' ? j : j - 1;
            continue;
        }
        while (j < n && isLetter(raw[j]))
            ++j;
        if (j == i + 1) {
            out->append(u'&'); // a lone ampersand
            continue;
        }
        if (j >= n || raw[j] != u';')
            return false;
        const QStringView name = raw.sliced(i + 1, j - i - 1);
        const auto known = std::find_if(kNamed.begin(), kNamed.end(), [name](const auto& entry) {
            return name.compare(entry.first, Qt::CaseInsensitive) == 0;
        });
        if (known == kNamed.end())
            return false;
        out->append(known->second);
        i = j;
    }
    return true;
}

// The address as a reader takes it: references replaced by their characters, white space and
// control characters taken out (readers of addresses skip them wherever they stand); a null
// string when it holds a reference not understood here.
QString plainAddress(QStringView raw)
{
    QString decoded;
    if (!decode(raw, &decoded))
        return QString();
    QString address;
    for (QChar c : std::as_const(decoded)) {
        if (c.unicode() > 0x20 && c.unicode() != 0x7f)
            address.append(c);
    }
    return address;
}

bool startsWithAny(const QString& address, std::initializer_list<const char*> prefixes)
{
    return std::any_of(prefixes.begin(), prefixes.end(), [&address](const char* prefix) {
        return address.startsWith(QLatin1String(prefix), Qt::CaseInsensitive);
    });
}

// The pictures of the page: those the browser supplied, the bounds of what the office is given,
// and what each address became (a picture named again costs nothing more).
struct Pictures {
    const QHash<QString, QByteArray>& supplied;
    PictureData::Budget budget;
    QHash<QString, QString> given;
};

// What a picture's address becomes: the picture's data, or a null string to leave it out.
QString pictureAddress(QStringView raw, Pictures& pictures)
{
    const QString address = plainAddress(raw);
    if (address.isEmpty())
        return QString();
    const auto known = pictures.given.constFind(address);
    if (known != pictures.given.constEnd())
        return *known;
    std::optional<QByteArray> bytes;
    if (startsWithAny(address, {"data:"})) {
        bytes = PictureData::safeDataBytes(address);
    } else {
        const auto supplied = pictures.supplied.constFind(address);
        if (supplied != pictures.supplied.constEnd())
            bytes = *supplied;
    }
    const QString given =
        bytes && pictures.budget.admit(*bytes) ? PictureData::rasterAddress(*bytes) : QString();
    pictures.given.insert(address, given);
    return given;
}

// A link's target, when it leads where a reader may go without anything being fetched.
QString linkAddress(QStringView raw)
{
    const QString address = plainAddress(raw);
    return startsWithAny(address, {"http://", "https://", "mailto:", "#"}) ? address : QString();
}

// Any other address is kept only when it refers within the page.
QString innerAddress(QStringView raw)
{
    const QString address = plainAddress(raw);
    return address.startsWith(u'#') ? address : QString();
}

// A style attribute is kept only when it can fetch nothing.
bool safeStyle(QStringView raw)
{
    QString decoded;
    if (!decode(raw, &decoded) || decoded.contains(u'\\') || decoded.contains(QLatin1String("/*")))
        return false;
    QString style;
    for (QChar c : std::as_const(decoded)) {
        if (!isSpace(c))
            style.append(c.toLower());
    }
    for (const char* fetching :
         {"url(", "image(", "image-set(", "expression(", "@import", "behavior", "binding"}) {
        if (style.contains(QLatin1String(fetching)))
            return false;
    }
    return true;
}

// The value as it goes between double quotes. A decoded value has its ampersands written as
// references too; a raw one keeps them, its references are read by the office as they stand.
QString quoted(QStringView value, bool decoded)
{
    QString out;
    out.reserve(value.size());
    for (QChar c : value) {
        if (c == u'&' && decoded)
            out += QLatin1String("&amp;");
        else if (c == u'"')
            out += QLatin1String("&quot;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else
            out += c;
    }
    return out;
}

struct Attribute {
    QString name; // in lower case
    QStringView value;
    bool hasValue = false;
};

struct Tag {
    QString name; // in lower case
    bool closing = false;
    QList<Attribute> attributes;
};

// Reads the tag that starts at `from` ("<"); returns the position after its ">", or -1 when
// there is no tag there (the "<" is then text).
qsizetype readTag(const QString& html, qsizetype from, Tag* tag)
{
    const qsizetype n = html.size();
    qsizetype i = from + 1;
    tag->closing = i < n && html[i] == u'/';
    if (tag->closing)
        ++i;
    const qsizetype nameStart = i;
    if (i >= n || !isLetter(html[i]))
        return -1;
    while (i < n && isNameChar(html[i]))
        ++i;
    if (i < n && !isSpace(html[i]) && html[i] != u'/' && html[i] != u'>')
        return -1;
    tag->name = html.sliced(nameStart, i - nameStart).toLower();
    tag->attributes.clear();

    for (;;) {
        while (i < n && (isSpace(html[i]) || html[i] == u'/'))
            ++i;
        if (i >= n)
            return -1;
        if (html[i] == u'>')
            return i + 1;
        Attribute attribute;
        const qsizetype attributeStart = i;
        ++i; // the first character belongs to the name, whatever it is
        while (i < n && !isSpace(html[i]) && html[i] != u'/' && html[i] != u'>' && html[i] != u'=')
            ++i;
        attribute.name = html.sliced(attributeStart, i - attributeStart).toLower();
        while (i < n && isSpace(html[i]))
            ++i;
        if (i < n && html[i] == u'=') {
            ++i;
            while (i < n && isSpace(html[i]))
                ++i;
            if (i >= n)
                return -1;
            attribute.hasValue = true;
            if (html[i] == u'"' || html[i] == u'\'') {
                const qsizetype close = html.indexOf(html[i], i + 1);
                if (close < 0)
                    return -1;
                attribute.value = QStringView(html).sliced(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < n && !isSpace(html[i]) && html[i] != u'>')
                    ++i;
                attribute.value = QStringView(html).sliced(valueStart, i - valueStart);
            }
        }
        tag->attributes.append(attribute);
    }
}

// The tag in one plain form, without what would make the office fetch anything.
QString written(const Tag& tag, Pictures& pictures)
{
    if (tag.closing)
        return QStringLiteral("</") + tag.name + u'>';
    QString out = QLatin1Char('<') + tag.name;
    bool shown = false; // a picture element whose picture is kept
    for (const Attribute& a : tag.attributes) {
        if (!std::all_of(a.name.begin(), a.name.end(), isNameChar) || !isLetter(a.name[0]))
            continue;
        // The office's own number format and value of a cell: the cell's text decides.
        if (a.name == u"sdnum" || a.name == u"sdval")
            continue;
        QString value;
        const bool picture = kPictures.contains(a.name);
        const bool link = a.name == u"href" && kLinks.contains(tag.name);
        if (picture || link || kFetched.contains(a.name)) {
            value = picture ? pictureAddress(a.value, pictures)
                    : link  ? linkAddress(a.value)
                            : innerAddress(a.value);
            if (value.isNull())
                continue;
            shown = shown || (picture && a.name == u"src");
            value = quoted(value, true);
        } else {
            if (a.name == u"style" && !safeStyle(a.value))
                continue;
            value = quoted(a.value, false);
        }
        out += u' ' + a.name;
        if (a.hasValue)
            out += QStringLiteral("=\"") + value + u'"';
    }
    // A picture without its picture is left out whole: the office would make an empty frame
    // that links to nothing.
    if (tag.name == u"img" && !shown)
        return QString();
    return out + u'>';
}

// The position after the end tag of the element, or the end of the markup.
qsizetype skipElement(const QString& html, qsizetype from, const QString& name)
{
    const QString end = QStringLiteral("</") + name;
    for (qsizetype i = html.indexOf(end, from, Qt::CaseInsensitive); i >= 0;
         i = html.indexOf(end, i + 1, Qt::CaseInsensitive)) {
        const qsizetype after = i + end.size();
        if (after < html.size() && isNameChar(html[after]))
            continue;
        const qsizetype close = html.indexOf(u'>', after);
        return close < 0 ? html.size() : close + 1;
    }
    return html.size();
}

bool isCellTag(const QString& name)
{
    for (const char* cell : {"td", "th", "tr", "table", "tbody", "thead", "tfoot", "caption"}) {
        if (name == QLatin1String(cell))
            return true;
    }
    return false;
}

// True when the first text of the table cell whose content begins at `from` begins with "=":
// the office would make a formula of it. Only the first few tags are looked through.
bool cellStartsFormula(const QString& html, qsizetype from)
{
    constexpr int kTagsLookedThrough = 32;
    const qsizetype n = html.size();
    Tag inner;
    for (int tags = 0; tags < kTagsLookedThrough && from < n; ++tags) {
        while (from < n && isSpace(html[from]))
            ++from;
        if (from >= n)
            return false;
        if (html[from] != u'<') {
            qsizetype end = html.indexOf(u'<', from);
            if (end < 0)
                end = n;
            QString text;
            if (!decode(QStringView(html).sliced(from, end - from), &text))
                text = QStringView(html).sliced(from, end - from).toString();
            text = text.trimmed();
            if (!text.isEmpty())
                return text.startsWith(u'=');
            from = end;
            continue;
        }
        if (QStringView(html).sliced(from).startsWith(QLatin1String("<!--"))) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), from + 4);
            from = close < 0 ? n : close + 3;
            continue;
        }
        const qsizetype after = readTag(html, from, &inner);
        if (after < 0 || isCellTag(inner.name))
            return false;
        from = kDroppedWithContent.contains(inner.name) && !inner.closing
                   ? skipElement(html, after, inner.name)
                   : after;
    }
    return false;
}

// The elements open at a point of the markup. The office takes time and memory for every level
// it is given (twenty thousand nested quotations take minutes): an element deeper than
// kMaxNesting loses its tags, and its content, text and all, stays in the element around it.
class Nesting {
public:
    // True when the tag is written.
    bool admit(const Tag& tag)
    {
        if (kVoid.contains(tag.name))
            return true;
        if (!tag.closing) {
            if (kClosedByNext.contains(tag.name) && !m_open.isEmpty() &&
                m_open.last().name == tag.name)
                close(m_open.size() - 1);
            const bool written = m_open.size() < kMaxNesting;
            m_open.append({tag.name, written});
            ++m_count[tag.name];
            return written;
        }
        // An end tag that closes nothing is written as it stands.
        if (m_count.value(tag.name) == 0)
            return true;
        qsizetype at = m_open.size() - 1;
        while (m_open[at].name != tag.name)
            --at;
        const bool written = m_open[at].written;
        close(at);
        return written;
    }

private:
    struct Open {
        QString name;
        bool written;
    };
    // Closes the element at `at` and every one inside it.
    void close(qsizetype at)
    {
        for (qsizetype i = at; i < m_open.size(); ++i)
            --m_count[m_open[i].name];
        m_open.resize(at);
    }

    QList<Open> m_open;
    QHash<QString, int> m_count; // open elements by name
};

} // namespace

QString safeMarkup(const QString& html, const QHash<QString, QByteArray>& pictures)
{
    QString out;
    out.reserve(html.size());
    const qsizetype n = html.size();
    qsizetype i = 0;
    Tag tag;
    Pictures given{pictures, {}, {}};
    Nesting nesting;
    while (i < n) {
        const qsizetype lt = html.indexOf(u'<', i);
        if (lt < 0) {
            out += QStringView(html).sliced(i);
            break;
        }
        out += QStringView(html).sliced(i, lt - i);
        i = lt;
        if (QStringView(html).sliced(i).startsWith(QLatin1String("<!--"))) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
            i = close < 0 ? n : close + 3;
            continue;
        }
        if (i + 1 < n && (html[i + 1] == u'!' || html[i + 1] == u'?')) {
            const qsizetype close = html.indexOf(u'>', i);
            i = close < 0 ? n : close + 1;
            continue;
        }
        const qsizetype after = readTag(html, i, &tag);
        if (after < 0) {
            out += QLatin1String("&lt;");
            ++i;
            continue;
        }
        i = after;
        if (kDroppedWithContent.contains(tag.name)) {
            if (!tag.closing)
                i = skipElement(html, i, tag.name);
            continue;
        }
        if (kDroppedTags.contains(tag.name) || !nesting.admit(tag))
            continue;
        QString kept = written(tag, given);
        // A cell whose text begins with "=" is read as text, just as it stands.
        if (!kept.isEmpty() && !tag.closing && (tag.name == u"td" || tag.name == u"th") &&
            cellStartsFormula(html, i))
            kept.insert(kept.size() - 1, QLatin1String(" sdnum=\"1033;0;@\""));
        out += kept;
    }
    return out;
}
