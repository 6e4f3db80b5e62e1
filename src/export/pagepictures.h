#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

class BrowserView;

// The pictures a page shows, for the office exports. The office is given no address to fetch:
// the browser fetches each picture of the page once more through the page itself (its profile,
// cache and cookies, from the page's own origin; a picture of another site that does not allow
// this is not supplied), and the office is handed the bytes. Bounded in count, size and time.
namespace PagePictures {

inline constexpr int kMaxCount = 64;
inline constexpr int kMaxBytes = 8 * 1024 * 1024;       // one picture
inline constexpr int kMaxTotalBytes = 32 * 1024 * 1024; // all of them
inline constexpr int kMaxMs = 10000;

// The bytes of the pictures the view's page shows, by their web address (the picture's address
// as the page names it, and the one it shows when that differs).
QHash<QString, QByteArray> fetch(BrowserView* view);

} // namespace PagePictures
