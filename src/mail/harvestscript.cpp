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

// The page itself: the links of a document (or shadow root) and of the open shadow roots in it,
// in tree order (a shadow root's links after its host, before the host's children), each given
// to take(element, href), every tree met to onTree. The trees are walked with a stack of their own,
// so no depth of shadow roots can exhaust the script's. Only the interfaces of this world are
// called, as the prototypes' own functions: a form's fields or a document's named elements cannot
// stand in. A frame's elements belong to the frame's own world, so no "instanceof" of this one fits
// them.
const char* const kReadTree = R"JS(
const qsaDoc = Document.prototype.querySelectorAll;
const qsaTree = DocumentFragment.prototype.querySelectorAll;
const shadowOf = Object.getOwnPropertyDescriptor(Element.prototype, 'shadowRoot').get;
const hasAttr = Element.prototype.hasAttribute;
const nameOf = Object.getOwnPropertyDescriptor(Element.prototype, 'localName').get;
const spaceOf = Object.getOwnPropertyDescriptor(Element.prototype, 'namespaceURI').get;
const html = 'http://www.w3.org/1999/xhtml';
const typeOf = Object.getOwnPropertyDescriptor(Node.prototype, 'nodeType').get;
const readTree = (root, take, onTree) => {
    const stack = [];
    let list = (typeOf.call(root) === 9 ? qsaDoc : qsaTree).call(root, '*');
    let count = list.length;
    let k = 0;
    if (onTree)
        onTree(root);
    for (;;) {
        if (k === count) {
            if (stack.length === 0)
                return;
            [list, k] = stack.pop();
            count = list.length;
            continue;
        }
        const el = list[k++];
        const name = nameOf.call(el);
        if ((name === 'a' || name === 'area') && spaceOf.call(el) === html &&
            hasAttr.call(el, 'href')) {
            const h = el.href;
            if (h.indexOf('\n') >= 0)
                joinable = false;
            take(el, h);
        }
        const tree = shadowOf.call(el);
        if (tree !== null) {
            stack.push([list, k]);
            list = qsaTree.call(tree, '*');
            count = list.length;
            k = 0;
            if (onTree)
                onTree(tree);
        }
    }
};
// A document without open shadow roots gives its links as its link collection does, which is
// faster than asking each element; whether it has any is asked of each element.
const readDocument = (doc, take, onTree) => {
    const all = qsaDoc.call(doc, '*');
    const count = all.length;
    for (let k = 0; k < count; ++k) {
        if (shadowOf.call(all[k]) !== null)
            return readTree(doc, take, onTree);
    }
    if (onTree)
        onTree(doc);
    const links = linksOf.call(doc);
    const n = links.length;
    for (let k = 0; k < n; ++k) {
        const el = links[k];
        const h = el.href;
        if (h.indexOf('\n') >= 0)
            joinable = false;
        take(el, h);
    }
};
// The words of a document's visible text that hold an "@", in text order.
const bodyOf = Object.getOwnPropertyDescriptor(Document.prototype, 'body').get;
const innerTextOf = Object.getOwnPropertyDescriptor(HTMLElement.prototype, 'innerText').get;
const wordsOf = (doc, out) => {
    const b = bodyOf.call(doc);
    let found = null;
    try {
        found = b === null ? null : innerTextOf.call(b).match(/\S*@\S*/g);
    } catch (e) {
    }
    if (found === null)
        return 0;
    for (const w of found)
        out.push(w);
    return found.length;
};
)JS";

// The walk of the page itself and of its frames, depth first, for a pass and a late pass. A
// document's head entry: "<links>F;" or "<links>F+<words>;", "0S;" for a frame skipped with its
// own frames, "A<token>;" for an asked one. keep(element) says whether a link is new to the pass.
const char* const kReadPage = R"JS(
const token = () => {
    const words = new Uint32Array(4);
    crypto.getRandomValues(words);
    return Array.from(words, (w) => w.toString(16).padStart(8, '0')).join('');
};
// What the frame script kept of a document when it loaded, while it still holds.
const keptOf = (w, doc) => {
    const kept = w.orvelquorvinkPage;
    return kept && kept.doc === doc && kept.valid === true &&
                   kept.undefined === qsaDoc.call(doc, ':not(:defined)').length
               ? kept
               : null;
};
// With useKept, what was kept of a document stands for reading it (keep must then take every
// link).
const readPage = (win, head, hrefs, keep, onTree, ask, withText, useKept) => {
    const visit = (w) => {
        let doc = null;
        try {
            doc = w.document;
        } catch (e) {
        }
        if (doc === null || doc === undefined) {
            if (!ask) {
                head.push('0S;');
                return;
            }
            const t = token();
            w.postMessage({orvelquorvinkHarvest: t, page: true, text: withText}, '*');
            head.push('A' + t + ';');
        } else {
            const before = hrefs.length;
            try {
                const kept = useKept ? keptOf(w, doc) : null;
                if (kept !== null) {
                    for (const el of kept.elements)
                        keep(el);
                    if (onTree)
                        kept.trees.forEach(onTree);
                    if (kept.elements.length > 0) {
                        chunks.add(hrefs.length);
                        hrefs.push(kept.text);
                    }
                } else {
                    readDocument(doc, (el, h) => {
                        if (keep(el))
                            hrefs.push(h);
                    }, onTree);
                }
                const links = kept !== null ? kept.elements.length : hrefs.length - before;
                head.push(withText ? links + 'F+' + wordsOf(doc, hrefs) + ';' : links + 'F;');
            } catch (e) {
                hrefs.length = before;
                chunks.delete(before);
                head.push('0S;');
                return;
            }
        }
        const frames = w.length;
        for (let i = 0; i < frames; ++i)
            visit(w[i]);
    };
    visit(win);
};
// What the late passes of the page keep in this world: the link elements read, the trees
// watched, the elements added since the last pass (or changed their href), and when. Only
// elements count as added, so a page that only changes its text (a clock) gives no late pass.
// Past kMaxPending elements the next late pass reads the whole page again instead.
const lateKey = 'orvelquorvinkLate';
const hasOwn = Object.prototype.hasOwnProperty;
const kMaxPending = 10000;
const lateState = (win, create) => {
    const doc = win.document;
    if (hasOwn.call(win, lateKey) && win[lateKey].doc === doc)
        return win[lateKey];
    if (!create)
        return null;
    const s = {doc: doc, seen: new WeakSet(), trees: new WeakSet(), added: false, first: 0,
               last: 0, pass: -Infinity, pending: [], overflow: false};
    const now = () => performance.now();
    const note = (el) => {
        if (s.overflow)
            return;
        if (s.pending.length === kMaxPending) {
            s.overflow = true;
            s.pending = [];
            return;
        }
        s.pending.push(el);
    };
    const observer = new MutationObserver((records) => {
        let element = false;
        for (const r of records) {
            if (r.type === 'attributes') {
                element = true;
                note(r.target);
                continue;
            }
            const nodes = r.addedNodes;
            for (let i = 0; i < nodes.length; ++i) {
                if (nodes[i].nodeType === 1) {
                    element = true;
                    note(nodes[i]);
                }
            }
        }
        if (element) {
            const t = now();
            if (!s.added)
                s.first = t;
            s.added = true;
            s.last = t;
        }
    });
    s.watch = (tree) => {
        if (s.trees.has(tree))
            return;
        s.trees.add(tree);
        observer.observe(tree, {childList: true, subtree: true, attributes: true,
                                attributeFilter: ['href']});
    };
    Object.defineProperty(win, lateKey, {value: s, configurable: true, writable: true});
    return s;
};
// The new links of the elements added since the last late pass, page by document and each
// document's in tree order: an added element's own links and those of the open shadow roots in
// it; an added frame's document whole, with its frames.
const connectedOf = Object.getOwnPropertyDescriptor(Node.prototype, 'isConnected').get;
const rootOf = Node.prototype.getRootNode;
const docOf = Object.getOwnPropertyDescriptor(Node.prototype, 'ownerDocument').get;
const hostOf = Object.getOwnPropertyDescriptor(ShadowRoot.prototype, 'host').get;
const position = Node.prototype.compareDocumentPosition;
const qsaElement = Element.prototype.querySelectorAll;
const iframeWindowOf =
    Object.getOwnPropertyDescriptor(HTMLIFrameElement.prototype, 'contentWindow').get;
const frameWindowOf = Object.getOwnPropertyDescriptor(HTMLFrameElement.prototype, 'contentWindow').get;
const windowOf = (el) => {
    const name = nameOf.call(el);
    if ((name !== 'iframe' && name !== 'frame') || spaceOf.call(el) !== html)
        return null;
    return (name === 'iframe' ? iframeWindowOf : frameWindowOf).call(el);
};
// The elements from the document's tree down to el, each host before what its shadow root holds.
const chainOf = (el) => {
    const chain = [el];
    for (let root = rootOf.call(el); root !== docOf.call(el); root = rootOf.call(el)) {
        el = hostOf.call(root);
        chain.push(el);
    }
    return chain.reverse();
};
const inTreeOrder = (a, b) => {
    const ca = chainOf(a);
    const cb = chainOf(b);
    let i = 0;
    while (i < ca.length && i < cb.length && ca[i] === cb[i])
        ++i;
    if (i === ca.length)
        return -1;
    if (i === cb.length)
        return 1;
    return (position.call(ca[i], cb[i]) & 4) !== 0 ? -1 : 1; // cb[i] follows ca[i]
};
const readAdded = (win, s, head, hrefs) => {
    const byDoc = new Map();
    const take = (el) => {
        if (s.seen.has(el))
            return;
        const name = nameOf.call(el);
        if ((name === 'a' || name === 'area') && spaceOf.call(el) === html &&
            hasAttr.call(el, 'href')) {
            s.seen.add(el);
            const doc = docOf.call(el);
            if (!byDoc.has(doc))
                byDoc.set(doc, []);
            byDoc.get(doc).push(el);
        }
    };
    const frames = [];
    const added = (el) => {
        take(el);
        const tree = shadowOf.call(el);
        const all = qsaElement.call(el, '*');
        for (let k = 0; k < all.length; ++k) {
            const child = all[k];
            take(child);
            const w = windowOf(child);
            if (w !== null)
                frames.push(w);
            const inner = shadowOf.call(child);
            if (inner !== null)
                readTree(inner, (e) => take(e), s.watch);
        }
        if (tree !== null)
            readTree(tree, (e) => take(e), s.watch);
        const w = windowOf(el);
        if (w !== null)
            frames.push(w);
    };
    for (const el of s.pending) {
        try {
            if (connectedOf.call(el))
                added(el);
        } catch (e) {
        }
    }
    s.pending = [];
    for (const w of frames) {
        const list = [];
        readPage(w, [], list, (el) => { take(el); return false; }, s.watch, false, false, false);
    }
    const visit = (w) => {
        let doc = null;
        try {
            doc = w.document;
        } catch (e) {
        }
        if (doc === null || doc === undefined) {
            head.push('0S;');
            return;
        }
        const found = byDoc.get(doc) || [];
        found.sort(inTreeOrder);
        for (const el of found) {
            const h = el.href;
            if (h.indexOf('\n') >= 0)
                joinable = false;
            hrefs.push(h);
        }
        head.push(found.length + 'F;');
        const count = w.length;
        for (let i = 0; i < count; ++i)
            visit(w[i]);
    };
    visit(win);
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

// How many hrefs and words of the body belong to one document.
struct Counts {
    qsizetype links = 0;
    qsizetype words = 0;
};

// Reads "<links>;" or "<links>+<words>;" at pos, pos moved past the ";".
std::optional<Counts> counts(QStringView text, qsizetype& pos)
{
    const qsizetype plus = text.indexOf(QLatin1Char('+'), pos);
    const qsizetype stop = text.indexOf(QLatin1Char(';'), pos);
    Counts found;
    if (plus >= 0 && plus < stop) {
        const std::optional<qsizetype> links = number(text, pos, QLatin1Char('+'));
        const std::optional<qsizetype> words = number(text, pos, QLatin1Char(';'));
        if (!links || !words)
            return std::nullopt;
        found = {*links, *words};
    } else {
        const std::optional<qsizetype> links = number(text, pos, QLatin1Char(';'));
        if (!links)
            return std::nullopt;
        found.links = *links;
    }
    return found;
}

// Fills the entries (what follows "mailto:" of each href that begins with it) and the words of
// each document from the body of an answer ("J..." or "L..."), which holds, document by
// document, its hrefs and then its words.
bool fill(QStringView body, const QList<Counts>& counts, QList<Frame>& frames)
{
    qsizetype total = 0;
    for (const Counts& n : counts)
        total += n.links + n.words;
    QStringList items;
    items.reserve(total);
    if (body.startsWith(QLatin1Char('J'))) {
        if (total > 0) {
            qsizetype start = 1;
            for (;;) {
                const qsizetype end = body.indexOf(QLatin1Char('\n'), start);
                items.append(body.mid(start, (end < 0 ? body.size() : end) - start).toString());
                if (end < 0)
                    break;
                start = end + 1;
            }
        } else if (body.size() != 1) {
            return false;
        }
    } else if (body.startsWith(QLatin1Char('L'))) {
        qsizetype pos = 1;
        while (pos < body.size()) {
            const std::optional<qsizetype> length = number(body, pos, QLatin1Char(':'));
            if (!length || *length > body.size() - pos)
                return false;
            items.append(body.mid(pos, *length).toString());
            pos += *length;
        }
    } else {
        return false;
    }
    if (items.size() != total)
        return false;
    qsizetype next = 0;
    for (qsizetype i = 0; i < counts.size(); ++i) {
        Frame& frame = frames[i];
        for (const qsizetype end = next + counts[i].links; next < end; ++next) {
            if (items[next].startsWith(QLatin1String("mailto:")))
                frame.entries.append(items[next].mid(7));
        }
        frame.words = items.mid(next, counts[i].words);
        next += counts[i].words;
    }
    return true;
}

} // namespace

const QString& secret()
{
    static const QString value = makeSecret();
    return value;
}

QString source(const Reading& reading)
{
    const auto flag = [](bool on) { return on ? QLatin1String("true") : QLatin1String("false"); };
    if (reading.page) {
        // Links already read count again in every pass; with late, each is remembered, so that
        // a late pass reads only those added after, and the trees read are watched.
        return QStringLiteral("(function () {\n'use strict';\n") + QLatin1String(kReadLinks) +
               QLatin1String(kReadTree) + QLatin1String(kReadPage) +
               QStringLiteral(R"JS(
const win = window;
const head = ['P' + win.length + ';'];
const hrefs = [];
const late = %1 ? lateState(win, true) : null;
// This pass reads every link: what was added before it is read.
if (late) {
    late.added = false;
    late.pending = [];
    late.overflow = false;
}
readPage(win, head, hrefs, late ? (el) => { late.seen.add(el); return true; } : () => true,
         late ? late.watch : null, %2, %3, true);
return head.join('') + '\n' + body(hrefs);
})())JS")
                   .arg(flag(reading.late), flag(reading.otherSites), flag(reading.text));
    }
    // A frame count beyond the signed 16-bit range reads nothing, like any other failure before
    // the first frame. The tokens come from the isolated world's own random source; each is
    // posted to its frame alone, so neither the top page nor another frame ever sees it.
    return QStringLiteral("(function () {\n'use strict';\n") + QLatin1String(kReadLinks) +
           (reading.text ? QLatin1String(kReadTree) : QLatin1String()) +
           QStringLiteral("const otherSites = %1;\nconst withText = %2;\n")
               .arg(flag(reading.otherSites), flag(reading.text)) +
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
            frame.postMessage({orvelquorvinkHarvest: t, page: false, text: withText}, '*');
            head.push('A' + t + ';');
            continue;
        }
        const kept = withText ? null : frame.orvelquorvinkLinks;
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
            if (withText) {
                const links = hrefs.length - before;
                head.push(links + 'F+' + wordsOf(doc, hrefs) + ';');
                continue;
            }
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

QString lateSource()
{
    return QStringLiteral("(function () {\n'use strict';\n") + QLatin1String(kReadLinks) +
           QLatin1String(kReadTree) + QLatin1String(kReadPage) +
           QStringLiteral(R"JS(
const win = window;
const s = lateState(win, false);
if (s === null || !s.added)
    return null;
const t = performance.now();
if (t - s.pass < %2 || (t - s.last < %1 && t - s.first < %2))
    return null;
s.added = false;
s.pass = t;
const head = ['P' + win.length + ';'];
const hrefs = [];
if (s.overflow) {
    s.overflow = false;
    readPage(win, head, hrefs, (el) => {
        if (s.seen.has(el))
            return false;
        s.seen.add(el);
        return true;
    }, s.watch, false, false, false);
} else {
    readAdded(win, s, head, hrefs);
}
return head.join('') + '\n' + body(hrefs);
})())JS")
               .arg(kLateQuietMs)
               .arg(kLateEveryMs);
}

std::optional<Answer> decode(const QVariant& answer)
{
    if (answer.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = answer.toString();
    const QStringView view(text);
    const qsizetype lineEnd = view.indexOf(QLatin1Char('\n'));
    if (lineEnd < 0 || view.isEmpty())
        return std::nullopt;
    Answer result;
    if (view.startsWith(QLatin1Char('P')))
        result.page = true;
    else if (!view.startsWith(QLatin1Char('N')))
        return std::nullopt;
    const QStringView head = view.left(lineEnd);
    qsizetype pos = 1;
    const std::optional<qsizetype> frames = number(head, pos, QLatin1Char(';'));
    if (!frames)
        return std::nullopt;
    result.frames = int(qMin<qsizetype>(*frames, 1 << 30));
    QList<Counts> sizes;
    while (pos < head.size()) {
        Frame frame;
        Counts size;
        if (head[pos] == QLatin1Char('A')) {
            const qsizetype end = head.indexOf(QLatin1Char(';'), pos);
            if (end < 0)
                return std::nullopt;
            frame.state = Frame::State::Asked;
            frame.token = head.mid(pos + 1, end - pos - 1).toString();
            pos = end + 1;
        } else {
            qsizetype kind = pos;
            while (kind < head.size() && head[kind].isDigit())
                ++kind;
            if (kind == pos || kind + 1 >= head.size())
                return std::nullopt;
            bool ok = false;
            size.links = head.mid(pos, kind - pos).toLongLong(&ok);
            if (!ok)
                return std::nullopt;
            const QChar k = head[kind];
            if (k == QLatin1Char('F') && head[kind + 1] == QLatin1Char('+')) {
                pos = kind + 2;
                const std::optional<qsizetype> words = number(head, pos, QLatin1Char(';'));
                if (!words)
                    return std::nullopt;
                size.words = *words;
            } else if (head[kind + 1] == QLatin1Char(';') &&
                       (k == QLatin1Char('F') || k == QLatin1Char('X') || k == QLatin1Char('S'))) {
                pos = kind + 2;
            } else {
                return std::nullopt;
            }
            frame.state = k == QLatin1Char('F')   ? Frame::State::Read
                          : k == QLatin1Char('X') ? Frame::State::Unread
                                                  : Frame::State::Skipped;
        }
        result.read.append(std::move(frame));
        sizes.append(size);
    }
    if (!fill(view.mid(lineEnd + 1), sizes, result.read))
        return std::nullopt;
    return result;
}

std::optional<Frame> decodeFrameAnswer(const QString& consoleLine)
{
    // "<secret> <token> <links>[+<words>];<body>"
    const QString& key = secret();
    if (!consoleLine.startsWith(key) || consoleLine.size() <= key.size() ||
        consoleLine[key.size()] != QLatin1Char(' '))
        return std::nullopt;
    const QStringView view(consoleLine);
    qsizetype pos = key.size() + 1;
    const qsizetype space = view.indexOf(QLatin1Char(' '), pos);
    if (space < 0)
        return std::nullopt;
    QList<Frame> frames(1);
    frames[0].token = view.mid(pos, space - pos).toString();
    pos = space + 1;
    const std::optional<Counts> size = counts(view, pos);
    if (!size || !fill(view.mid(pos), {*size}, frames))
        return std::nullopt;
    return std::move(frames[0]);
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
           QLatin1String(kReadTree) +
           QStringLiteral(R"JS(
document.links; HTMLAnchorElement.prototype; HTMLAreaElement.prototype;
const win = window;
// Own properties of this world's window, so that no element the page names so can stand in.
win.orvelquorvinkPage = null;
win.orvelquorvinkLinks = null;
// Once a document has loaded, while nothing waits, its links are read and kept until it changes
// in any way (nodes, attributes: a link, its href or a base element; in the document or in an
// open shadow root in it) or an element of it becomes a custom element (which may bring a shadow
// root): for a pass over the page itself, the links with those of its open shadow roots, the
// elements and the trees; for one over the frames, a frame's own links. A pass takes them from
// the document's window of this world, where no page sees them, and reads any other document as
// it stands. (Only the load event of the document itself: those of its pictures do not bubble.)
win.addEventListener('load', (event) => {
    if (event.target !== document)
        return;
    try {
        const elements = [];
        const hrefs = [];
        const trees = [];
        joinable = true;
        readDocument(document, (el, h) => {
            elements.push(el);
            hrefs.push(h);
        }, (tree) => trees.push(tree));
        if (!joinable)
            return;
        const page = {doc: document, elements: elements, text: hrefs.join('\n'), trees: trees,
                      undefined: qsaDoc.call(document, ':not(:defined)').length, valid: true};
        let links = null;
        if (win !== win.top && win.parent === win.top) {
            if (trees.length === 1) {
                links = {doc: document, count: hrefs.length, text: page.text};
            } else {
                const own = [];
                readLinks(document, own);
                if (joinable)
                    links = {doc: document, count: own.length, text: own.join('\n')};
            }
        }
        const observer = new MutationObserver(() => {
            observer.disconnect();
            page.valid = false;
            if (win.orvelquorvinkLinks === links)
                win.orvelquorvinkLinks = null;
        });
        for (const tree of trees)
            observer.observe(tree, {subtree: true, childList: true, attributes: true});
        win.orvelquorvinkPage = page;
        if (links !== null)
            win.orvelquorvinkLinks = links;
    } catch (e) {
    }
}, true);
if (win === win.top)
    return;
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
    // Asked by a pass over the page itself: the links of the open shadow roots too; and the words
    // of the text.
    const hrefs = [];
    let size;
    try {
        joinable = true;
        if (data.page === true)
            readDocument(document, (el, h) => hrefs.push(h), null);
        else
            readLinks(document, hrefs);
        size = String(hrefs.length);
        if (data.text === true)
            size += '+' + wordsOf(document, hrefs);
    } catch (e) {
        return;
    }
    log(key + ' ' + t + ' ' + size + ';' + body(hrefs));
}, true);
})();)JS")
               .arg(secret());
}

} // namespace HarvestScript
