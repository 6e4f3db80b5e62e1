#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class BrowserView;

// The pictures a page shows, for the office exports. The office is given no address to fetch:
// the browser fetches each picture the page shows once more, through the page itself (from its
// cache, with its cookies) or, for a picture of another site that the page may not read, as a
// download of the browser's profile; the office is handed the bytes. Bounded in count, size and
// time; a picture not fetched in time is not supplied.
namespace OfficePictures {

inline constexpr int kMaxCount = 64;
inline constexpr int kMaxBytes = 8 * 1024 * 1024;       // one picture
inline constexpr int kMaxTotalBytes = 32 * 1024 * 1024; // all of them
inline constexpr int kMaxMs = 10000;

// The bytes of the pictures the view's page shows, by their web address (the picture's address
// as the page names it, and the one it shows when that differs).
QHash<QString, QByteArray> fetch(BrowserView* view);

} // namespace OfficePictures
