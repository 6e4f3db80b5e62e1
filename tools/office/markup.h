#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The deepest nesting of elements the office is given.
inline constexpr int kMaxNesting = 100;

// The page's markup as the office may read it. The office fetches whatever a page refers to
// while it reads the markup (pictures, frames, style sheets) and puts it into the document, so a
// page could have a file of the user's (file:///home/..., /etc/...) copied into the document the
// user then hands on, or have the office call a server with its own identity. Here the office is
// left nothing to fetch:
// - a picture's address is replaced by the picture's data: a raster "data:" address of the page
//   is written again from the bytes it holds, a web address by the bytes the browser supplied
//   for it (`pictures`, by address); a picture that is neither, or whose bytes are no raster
//   picture (an SVG can refer to further files), is left out;
// - elements that fetch or run what they refer to (frames, objects, scripts, style sheets,
//   <base>, <link>, <meta>) are left out, and so is every other attribute that names an address
//   to fetch, unless it refers within the page ("#...");
// - links the reader may follow (<a href>, <area href>) are not fetched: they stay when they
//   lead to the web (http:, https:), to a mail address (mailto:) or within the page.
//
// Elements nested deeper than kMaxNesting lose their tags; their text stays. Pictures are bounded
// in count, bytes and pixels (PictureData::Budget); those past a bound are left out.
//
// A table cell whose text begins with "=" is marked as text (the office's own number format "@"),
// so that the office's spreadsheet import keeps it as it stands instead of making a formula.
//
// The tags kept are written again in one plain form, so the office reads them as they were
// judged here; text that is not a tag has its "<" written as "&lt;".
QString safeMarkup(const QString& html, const QHash<QString, QByteArray>& pictures = {});
