#include "export/pagepictures.h"

#include "browse/browserview.h"
#include "core/wait.h"

#include <QDeadlineTimer>
#include <QVariantMap>

namespace {

// Starts the fetches in the isolated world and answers how many there are; the results gather in
// a variable of that world. Only pictures the page has shown are fetched, from the cache when it
// holds them.
const char* const kFetchPictures = R"((function (maxCount, maxBytes, maxTotal) {
    var state = { done: false, pictures: {} };
    window.quorvinkPictures = state;
    var wanted = [];
    var seen = {};
    Array.prototype.forEach.call(document.images, function (image) {
        if (!image.complete || !image.naturalWidth)
            return;
        [image.src, image.currentSrc].forEach(function (address) {
            if (address && /^https?:/i.test(address) && !seen[address] &&
                    wanted.length < maxCount) {
                seen[address] = true;
                wanted.push(address);
            }
        });
    });
    var pending = wanted.length;
    var total = 0;
    var base64 = function (buffer) {
        var bytes = new Uint8Array(buffer);
        var text = '';
        for (var i = 0; i < bytes.length; i += 0x8000)
            text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
        return btoa(text);
    };
    state.done = pending === 0;
    wanted.forEach(function (address) {
        fetch(address, { cache: 'force-cache' })
            .then(function (response) {
                if (!response.ok)
                    throw new Error('not supplied');
                return response.arrayBuffer();
            })
            .then(function (buffer) {
                if (buffer.byteLength <= maxBytes && total + buffer.byteLength <= maxTotal) {
                    total += buffer.byteLength;
                    state.pictures[address] = base64(buffer);
                }
            })
            .catch(function () {})
            .finally(function () {
                if (--pending === 0)
                    state.done = true;
            });
    });
    return wanted.length;
})(%1, %2, %3))";

const char* const kPicturesDone = "!!(window.quorvinkPictures && window.quorvinkPictures.done)";
const char* const kTakePictures = R"((function () {
    var state = window.quorvinkPictures;
    delete window.quorvinkPictures;
    return state ? state.pictures : {};
})())";

} // namespace

namespace PagePictures {

QHash<QString, QByteArray> fetch(BrowserView* view)
{
    QHash<QString, QByteArray> pictures;
    const QDeadlineTimer deadline(kMaxMs);
    const QString start =
        QString::fromLatin1(kFetchPictures).arg(kMaxCount).arg(kMaxBytes).arg(kMaxTotalBytes);
    if (view->evaluateIsolated(start, kMaxMs).value_or(QVariant()).toInt() <= 0)
        return pictures;
    while (!view->evaluateIsolated(QLatin1String(kPicturesDone), kMaxMs).value_or(false).toBool()) {
        if (deadline.hasExpired())
            break; // what has arrived by now is taken
        Wait::sleep(20);
    }
    const QVariantMap taken =
        view->evaluateIsolated(QLatin1String(kTakePictures), kMaxMs).value_or(QVariant()).toMap();
    for (auto it = taken.constBegin(); it != taken.constEnd(); ++it) {
        const auto bytes = QByteArray::fromBase64Encoding(it.value().toString().toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
        if (bytes && !(*bytes).isEmpty())
            pictures.insert(it.key(), *bytes);
    }
    return pictures;
}

} // namespace PagePictures
