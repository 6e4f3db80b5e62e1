#include "export/officepictures.h"

#include "browse/browserview.h"
#include "browse/downloads.h"
#include "browse/webpage.h"
#include "core/wait.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace {

// Starts the fetches in the isolated world and answers how many there are; the results gather in
// a variable of that world. Only pictures the page has shown are fetched, from the cache when it
// holds them.
const char* const kFetchPictures = R"((function (maxCount, maxBytes, maxTotal) {
    var state = { done: false, pictures: {}, wanted: [] };
    window.quorvinkPictures = state;
    var wanted = [];
    var seen = {};
    Array.prototype.forEach.call(document.images, function (image) {
        if (!image.complete || !image.naturalWidth)
            return;
        [image.src, image.currentSrc].forEach(function (address) {
            if (address && /^(https?|blob):/i.test(address) && !seen[address] &&
                    wanted.length < maxCount) {
                seen[address] = true;
                wanted.push(address);
            }
        });
    });
    state.wanted = wanted;
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
    return state ? { pictures: state.pictures, wanted: state.wanted } : {};
})())";

// A picture of another site that the page may show but not read: the profile downloads it, with
// its cookies, into a folder of this export's own. Nothing when it fails, is too large or late.
std::optional<QByteArray> download(QWebEnginePage* page, const QString& address,
                                   const QString& folder, int milliseconds)
{
    const QString name = QStringLiteral("picture");
    // Not a download of the user's: no save dialog for it.
    const OwnDownloads own(page->profile());
    QPointer<QWebEngineDownloadRequest> request;
    const QMetaObject::Connection seen =
        QObject::connect(page->profile(), &QWebEngineProfile::downloadRequested, page->profile(),
                         [page, &request, &folder, &name](QWebEngineDownloadRequest* r) {
                             if (request || r->page() != page || r->isSavePageDownload() ||
                                 r->state() != QWebEngineDownloadRequest::DownloadRequested)
                                 return;
                             request = r;
                             r->setDownloadDirectory(folder);
                             r->setDownloadFileName(name);
                             r->accept();
                         });
    page->download(QUrl(address), name);
    const auto over = [&request] {
        return request &&
               (request->isFinished() || request->receivedBytes() > OfficePictures::kMaxBytes ||
                request->totalBytes() > OfficePictures::kMaxBytes);
    };
    Wait::until(over, milliseconds);
    QObject::disconnect(seen);
    if (!request)
        return std::nullopt;
    if (request->state() != QWebEngineDownloadRequest::DownloadCompleted) {
        request->cancel();
        return std::nullopt;
    }
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::ReadOnly) || file.size() > OfficePictures::kMaxBytes)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    file.close();
    file.remove();
    return bytes;
}

} // namespace

namespace OfficePictures {

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
    const QVariantMap read = taken.value(QStringLiteral("pictures")).toMap();
    qint64 total = 0;
    for (auto it = read.constBegin(); it != read.constEnd(); ++it) {
        const auto bytes = QByteArray::fromBase64Encoding(it.value().toString().toLatin1(),
                                                          QByteArray::AbortOnBase64DecodingErrors);
        if (bytes && !(*bytes).isEmpty()) {
            pictures.insert(it.key(), *bytes);
            total += (*bytes).size();
        }
    }
    // What the page could not read again, the profile downloads, one after the other.
    const QTemporaryDir folder;
    const QStringList wanted = taken.value(QStringLiteral("wanted")).toStringList();
    for (const QString& address : wanted) {
        if (pictures.contains(address) || !folder.isValid() || deadline.hasExpired())
            continue;
        const std::optional<QByteArray> bytes =
            download(view->page(), address, folder.path(), int(deadline.remainingTime()));
        if (bytes && !bytes->isEmpty() && total + bytes->size() <= kMaxTotalBytes) {
            pictures.insert(address, *bytes);
            total += bytes->size();
        }
    }
    return pictures;
}

} // namespace OfficePictures
