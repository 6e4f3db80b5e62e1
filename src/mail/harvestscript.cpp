#include "mail/harvestscript.h"

#include <QRandomGenerator>

namespace HarvestScript {

namespace {

// The answer is a run of items: "N<count>;" the frame count, then per frame its entries
// "E<length>:<entry>" (length in UTF-16 units) closed by "F;" (read whole), "X;" (could not be
// read) or "A<token>;" (asked). A frame that failed half-way is closed by "X;" after the entries
// read before the failure.
// The same few lines read a document's links in both scripts. Everything runs in the isolated
// world, whose builtins and DOM interfaces page scripts cannot reach. Elements with a name
// ("<img name=links>", "<form name=links>") shadow properties of the document itself, so the
// document's links are taken through the getter of the prototype.
const char* const kReadLinks = R"JS(
const linksOf = Object.getOwnPropertyDescriptor(Document.prototype, 'links').get;
const readLinks = (doc, out) => {
    const links = linksOf.call(doc);
    const count = links.length;
    for (let k = 0; k < count; ++k) {
        const s = links[k].href.toLowerCase();
        if (s.startsWith('mailto:')) {
            const entry = s.slice(7);
            out.push('E' + entry.length + ':' + entry);
        }
    }
};
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

// The entries "E<length>:<entry>" from pos on, up to the first item that is none.
std::optional<QStringList> entries(QStringView text, qsizetype& pos)
{
    QStringList out;
    while (pos < text.size() && text[pos] == QLatin1Char('E')) {
        ++pos;
        const std::optional<qsizetype> length = number(text, pos, QLatin1Char(':'));
        if (!length || *length > text.size() - pos)
            return std::nullopt;
        out.append(text.mid(pos, *length).toString());
        pos += *length;
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
const out = [];
const token = () => {
    const words = new Uint32Array(4);
    crypto.getRandomValues(words);
    return Array.from(words, (w) => w.toString(16).padStart(8, '0')).join('');
};
try {
    const frames = win.length;
    out.push('N' + frames + ';');
    if (frames - 1 > 32767)
        return out[0];
    for (let i = 0; i < frames; ++i) {
        const frame = win[i];
        let doc;
        try {
            doc = frame.document;
        } catch (e) {
            if (!otherSites) {
                out.push('X;');
                break;
            }
            const t = token();
            frame.postMessage({orvelquorvinkHarvest: t}, '*');
            out.push('A' + t + ';');
            continue;
        }
        readLinks(doc, out);
        out.push('F;');
    }
} catch (e) {
    // A frame gone: keep what was read before it.
    out.push('X;');
}
return out.join('');
})())JS");
}

std::optional<Answer> decode(const QVariant& answer)
{
    if (answer.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = answer.toString();
    const QStringView view(text);
    Answer result;
    qsizetype pos = 0;
    if (!view.startsWith(QLatin1Char('N')))
        return std::nullopt;
    ++pos;
    const std::optional<qsizetype> frames = number(view, pos, QLatin1Char(';'));
    if (!frames)
        return std::nullopt;
    result.frames = int(qMin<qsizetype>(*frames, 1 << 30));
    while (pos < view.size()) {
        Frame frame;
        std::optional<QStringList> found = entries(view, pos);
        if (!found || pos >= view.size())
            return std::nullopt;
        frame.entries = std::move(*found);
        const QChar kind = view[pos++];
        if (kind == QLatin1Char('F') || kind == QLatin1Char('X')) {
            if (pos >= view.size() || view[pos++] != QLatin1Char(';'))
                return std::nullopt;
            frame.state = kind == QLatin1Char('F') ? Frame::State::Read : Frame::State::Unread;
        } else if (kind == QLatin1Char('A') && frame.entries.isEmpty()) {
            const qsizetype end = view.indexOf(QLatin1Char(';'), pos);
            if (end < 0)
                return std::nullopt;
            frame.state = Frame::State::Asked;
            frame.token = view.mid(pos, end - pos).toString();
            pos = end + 1;
        } else {
            return std::nullopt;
        }
        result.read.append(std::move(frame));
    }
    return result;
}

std::optional<std::pair<QString, QStringList>> decodeFrameAnswer(const QString& consoleLine)
{
    // "<secret> <token> <entries>"
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
    std::optional<QStringList> found = entries(view, pos);
    if (!found || pos != view.size())
        return std::nullopt;
    return std::make_pair(std::move(token), std::move(*found));
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
// The wrappers of a frame's links are made once its document has loaded, while nothing waits
// for them; a pass after the load then reads them as a second read would.
win.addEventListener('load', () => {
    try {
        const links = linksOf.call(document);
        const count = links.length;
        for (let k = 0; k < count; ++k)
            links[k];
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
    const out = [];
    try {
        readLinks(document, out);
    } catch (e) {
        return;
    }
    log(key + ' ' + t + ' ' + out.join(''));
}, true);
})();)JS")
               .arg(secret());
}

} // namespace HarvestScript
