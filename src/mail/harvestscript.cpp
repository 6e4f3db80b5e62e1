#include "mail/harvestscript.h"

namespace HarvestScript {

QString source()
{
    // Everything is read through originals taken at the top of the script. Page scripts run in
    // the main world and cannot reach the objects of this world. Elements with a name
    // ("<img name=links>", "<form name=links>") shadow properties of the document itself, in
    // the page's world at least; the getters of the prototypes cannot be shadowed that way.
    // A frame count beyond the signed 16-bit range reads nothing, like any other failure before
    // the first frame.
    return QStringLiteral(R"JS((function () {
'use strict';
const getter = (proto, name) => Object.getOwnPropertyDescriptor(proto, name).get;
const linksOf = getter(Document.prototype, 'links');
const countOf = getter(HTMLCollection.prototype, 'length');
const itemOf = HTMLCollection.prototype.item;
const nameOf = getter(Element.prototype, 'localName');
const anchorHref = getter(HTMLAnchorElement.prototype, 'href');
const areaHref = getter(HTMLAreaElement.prototype, 'href');
const lower = String.prototype.toLowerCase;
const slice = String.prototype.slice;
const win = window;
let out = '';
try {
    const frames = win.length;
    if (frames - 1 > 32767)
        return out;
    for (let i = 0; i < frames; ++i) {
        const links = linksOf.call(win[i].document);
        const count = countOf.call(links);
        for (let k = 0; k < count; ++k) {
            const link = itemOf.call(links, k);
            const s = lower.call((nameOf.call(link) === 'area' ? areaHref : anchorHref).call(link));
            if (slice.call(s, 0, 7) === 'mailto:') {
                const entry = slice.call(s, 7);
                out += entry.length + ':' + entry;
            }
        }
    }
} catch (e) {
    // A frame of another origin, or a frame gone: keep what was read before it.
}
return out;
})())JS");
}

std::optional<QStringList> decode(const QVariant& answer)
{
    if (answer.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = answer.toString();
    QStringList entries;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'), pos);
        if (colon < 0)
            return std::nullopt;
        bool ok = false;
        const qsizetype length = QStringView(text).mid(pos, colon - pos).toLongLong(&ok);
        if (!ok || length < 0 || length > n - colon - 1)
            return std::nullopt;
        entries.append(text.mid(colon + 1, length));
        pos = colon + 1 + length;
    }
    return entries;
}

QString frameWorldSource()
{
    // Building a frame's isolated world and, in it, the interfaces a pass meets (the document's
    // link collection, anchors, areas) costs about a millisecond or two a frame. Done here, while
    // the frame loads, a pass over a page of a hundred frames reads like a second read.
    return QStringLiteral(
        "document.links; HTMLAnchorElement.prototype; HTMLAreaElement.prototype;");
}

} // namespace HarvestScript
