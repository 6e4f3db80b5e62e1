#include "mail/harvestscript.h"

#include <QRandomGenerator>

namespace HarvestScript {

namespace {

// The answer is a head, a line feed and a body. The head: "N<count>;" the frame count, then per
// frame "<n>F;" (read whole, n links), "<n>X;" (could not be read, after n links read before the
// failure) or "A<token>;" (asked). The body: the hrefs of all those links in order, lower-cased,
// either "J" and the hrefs joined by line feeds (none holds one, which is the rule: the address
// parser drops them), or "L" and each href as its length in UTF-16 units, ":" and the href. Lower-
// casing the joined text at once gives what lower-casing each href gives: a line feed is neither
// a cased nor a case-ignorable character, so no mapping looks across it.
// The same few lines read a document's links in both scripts. Everything runs in the isolated
// world, whose builtins and DOM interfaces page scripts cannot reach. Elements with a name
// ("<img name=links>", "<form name=links>") shadow properties of the document itself, so the
// document's links are taken through the getter of the prototype.
const char* const kReadLinks = R"JS(
const linksOf = Object.getOwnPropertyDescriptor(Document.prototype, 'links').get;
let joinable = true;
const readLinks = (doc, hrefs) => {
    const links = linksOf.call(doc);
    const count = links.length;
    for (let k = 0; k < count; ++k) {
        const h = links[k].href;
        if (h.indexOf('\n') >= 0)
            joinable = false;
        hrefs.push(h);
    }
};
// Entries of hrefs that hold the kept hrefs of a whole frame, joined by line feeds.
const chunks = new Set();
const body = (hrefs) => joinable ? 'J' + hrefs.join('\n').toLowerCase()
    : 'L' + hrefs.flatMap((h, i) => chunks.has(i) ? h.split('\n') : [h])
          .map((h) => { const s = h.toLowerCase(); return s.length + ':' + s; }).join('');
)JS";

QString makeSecret()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    QString text = QStringLiteral("orvelquorvink-");
    for (const quint32 word : words)
        text += QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0'));
    return text;
}

// Reads "<digits><end>" at pos; the number, pos moved past end.
std::optional<qsizetype> number(QStringView text, qsizetype& pos, QChar end)
{
    const qsizetype stop = text.indexOf(end, pos);
    if (stop < 0)
        return std::nullopt;
    bool ok = false;
    const qsizetype value = text.mid(pos, stop - pos).toLongLong(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    pos = stop + 1;
    return value;
}

// The entries of the body of an answer ("J..." or "L...") that holds count hrefs: what follows
// "mailto:" of each href that begins with it.
std::optional<QList<QStringList>> entries(QStringView body, const QList<qsizetype>& counts)
{
    qsizetype total = 0;
    for (const qsizetype n : counts)
        total += n;
    QStringList hrefs;
    hrefs.reserve(total);
    if (body.startsWith(QLatin1Char('J'))) {
        if (total > 0) {
            qsizetype start = 1;
            for (;;) {
                const qsizetype end = body.indexOf(QLatin1Char('\n'), start);
                hrefs.append(body.mid(start, (end < 0 ? body.size() : end) - start).toString());
                if (end < 0)
                    break;
                start = end + 1;
            }
        } else if (body.size() != 1) {
            return std::nullopt;
        }
    } else if (body.startsWith(QLatin1Char('L'))) {
        qsizetype pos = 1;
        while (pos < body.size()) {
            const std::optional<qsizetype> length = number(body, pos, QLatin1Char(':'));
            if (!length || *length > body.size() - pos)
                return std::nullopt;
            hrefs.append(body.mid(pos, *length).toString());
            pos += *length;
        }
    } else {
        return std::nullopt;
    }
    if (hrefs.size() != total)
        return std::nullopt;
    QList<QStringList> out;
    out.reserve(counts.size());
    qsizetype next = 0;
    for (const qsizetype n : counts) {
        QStringList frame;
        for (qsizetype k = next; k < next + n; ++k) {
            if (hrefs[k].startsWith(QLatin1String("mailto:")))
                frame.append(hrefs[k].mid(7));
        }
        next += n;
        out.append(std::move(frame));
    }
    return out;
}

} // namespace

const QString& secret()
{
    static const QString value = makeSecret();
    return value;
}

QString source(bool otherSites)
{
    // A frame count beyond the signed 16-bit range reads nothing, like any other failure before
    // the first frame. The tokens come from the isolated world's own random source; each is
    // posted to its frame alone, so neither the top page nor another frame ever sees it.
    return QStringLiteral("(function () {\n'use strict';\n") + QLatin1String(kReadLinks) +
           QStringLiteral("const otherSites = %1;\n")
               .arg(otherSites ? QLatin1String("true") : QLatin1String("false")) +
           QStringLiteral(R"JS(
const win = window;
const head = [];
const hrefs = [];
const token = () => {
    const words = new Uint32Array(4);
    crypto.getRandomValues(words);
    return Array.from(words, (w) => w.toString(16).padStart(8, '0')).join('');
};
try {
    const frames = win.length;
    head.push('N' + frames + ';');
    if (frames - 1 > 32767)
        return head[0] + '\nJ';
    for (let i = 0; i < frames; ++i) {
        const frame = win[i];
        const before = hrefs.length;
        let doc;
        try {
            doc = frame.document;
        } catch (e) {
            if (!otherSites) {
                head.push('0X;');
                break;
            }
            const t = token();
            frame.postMessage({orvelquorvinkHarvest: t}, '*');
            head.push('A' + t + ';');
            continue;
        }
        const kept = frame.orvelquorvinkLinks;
        if (kept && kept.doc === doc) {
            if (kept.count > 0) {
                chunks.add(hrefs.length);
                hrefs.push(kept.text);
            }
            head.push(kept.count + 'F;');
            continue;
        }
        try {
            readLinks(doc, hrefs);
        } catch (e) {
            // A frame gone: keep what was read before it.
            head.push((hrefs.length - before) + 'X;');
            break;
        }
        head.push((hrefs.length - before) + 'F;');
    }
} catch (e) {
    head.push('0X;');
}
return head.join('') + '\n' + body(hrefs);
})())JS");
}

std::optional<Answer> decode(const QVariant& answer)
{
    if (answer.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = answer.toString();
    const QStringView view(text);
    const qsizetype lineEnd = view.indexOf(QLatin1Char('\n'));
    if (lineEnd < 0 || !view.startsWith(QLatin1Char('N')))
        return std::nullopt;
    const QStringView head = view.left(lineEnd);
    Answer result;
    qsizetype pos = 1;
    const std::optional<qsizetype> frames = number(head, pos, QLatin1Char(';'));
    if (!frames)
        return std::nullopt;
    result.frames = int(qMin<qsizetype>(*frames, 1 << 30));
    QList<qsizetype> counts;
    while (pos < head.size()) {
        Frame frame;
        if (head[pos] == QLatin1Char('A')) {
            const qsizetype end = head.indexOf(QLatin1Char(';'), pos);
            if (end < 0)
                return std::nullopt;
            frame.state = Frame::State::Asked;
            frame.token = head.mid(pos + 1, end - pos - 1).toString();
            pos = end + 1;
            counts.append(0);
        } else {
            qsizetype kind = pos;
            while (kind < head.size() && head[kind].isDigit())
                ++kind;
            if (kind + 1 >= head.size() || head[kind + 1] != QLatin1Char(';'))
                return std::nullopt;
            if (head[kind] != QLatin1Char('F') && head[kind] != QLatin1Char('X'))
                return std::nullopt;
            frame.state =
                head[kind] == QLatin1Char('F') ? Frame::State::Read : Frame::State::Unread;
            bool ok = false;
            const qsizetype n = head.mid(pos, kind - pos).toLongLong(&ok);
            if (!ok || n < 0)
                return std::nullopt;
            counts.append(n);
            pos = kind + 2;
        }
        result.read.append(std::move(frame));
    }
    std::optional<QList<QStringList>> found = entries(view.mid(lineEnd + 1), counts);
    if (!found)
        return std::nullopt;
    for (qsizetype i = 0; i < result.read.size(); ++i)
        result.read[i].entries = std::move((*found)[i]);
    return result;
}

std::optional<std::pair<QString, QStringList>> decodeFrameAnswer(const QString& consoleLine)
{
    // "<secret> <token> <count>;<body>"
    const QString& key = secret();
    if (!consoleLine.startsWith(key) || consoleLine.size() <= key.size() ||
        consoleLine[key.size()] != QLatin1Char(' '))
        return std::nullopt;
    const QStringView view(consoleLine);
    qsizetype pos = key.size() + 1;
    const qsizetype space = view.indexOf(QLatin1Char(' '), pos);
    if (space < 0)
        return std::nullopt;
    QString token = view.mid(pos, space - pos).toString();
    pos = space + 1;
    const std::optional<qsizetype> count = number(view, pos, QLatin1Char(';'));
    if (!count)
        return std::nullopt;
    std::optional<QList<QStringList>> found = entries(view.mid(pos), {*count});
    if (!found)
        return std::nullopt;
    return std::make_pair(std::move(token), std::move(found->first()));
}

QString frameWorldSource()
{
    // Building a frame's isolated world and, in it, the interfaces a pass meets (the document's
    // link collection, anchors, areas) costs about a millisecond or two a frame. Done here, while
    // the frame loads, a pass over a page of a hundred frames reads like a second read.
    // The listener is added before any script of the page runs, so none can stop the request
    // before it; it answers only a real message of the top-level window (not one a script made
    // up), and on the console of this world, which page scripts can neither read nor write to.
    return QStringLiteral("(function () {\n'use strict';\n") + QLatin1String(kReadLinks) +
           QStringLiteral(R"JS(
document.links; HTMLAnchorElement.prototype; HTMLAreaElement.prototype;
const win = window;
if (win === win.top || win.parent !== win.top)
    return;
// An own property of this world's window, so that no element the page names so can stand in.
win.orvelquorvinkLinks = null;
// The hrefs of a frame's links are read once its document has loaded, while nothing waits for
// them, and kept until the document changes in any way (nodes, attributes: a link, its href or a
// base element); a pass takes them from the frame's window of this world, where no page sees
// them, and reads any other frame as it stands.
win.addEventListener('load', () => {
    try {
        const hrefs = [];
        joinable = true;
        readLinks(document, hrefs);
        if (!joinable)
            return;
        const kept = {doc: document, count: hrefs.length, text: hrefs.join('\n')};
        new MutationObserver((records, observer) => {
            observer.disconnect();
            if (win.orvelquorvinkLinks === kept)
                win.orvelquorvinkLinks = null;
        }).observe(document, {subtree: true, childList: true, attributes: true});
        win.orvelquorvinkLinks = kept;
    } catch (e) {
    }
}, true);
const top = win.top;
const log = console.log.bind(console);
const key = '%1';
win.addEventListener('message', (event) => {
    const data = event.data;
    if (!event.isTrusted || event.source !== top || data === null || typeof data !== 'object')
        return;
    const t = data.orvelquorvinkHarvest;
    if (typeof t !== 'string' || !/^[0-9a-f]{32}$/.test(t))
        return;
    const hrefs = [];
    try {
        readLinks(document, hrefs);
    } catch (e) {
        return;
    }
    log(key + ' ' + t + ' ' + hrefs.length + ';' + body(hrefs));
}, true);
})();)JS")
               .arg(secret());
}

} // namespace HarvestScript
