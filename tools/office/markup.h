#pragma once

#include <QString>

// The page's markup as the office may read it. The office fetches whatever a page refers to
// while it reads the markup (pictures, frames, style sheets) and puts it into the document, so a
// page could have a file of the user's (file:///home/..., /etc/...) copied into the document the
// user then hands on. Here every reference that would be fetched is kept only when it points to
// the web (http:, https:) or holds its data (data:); elements that fetch or run what they refer
// to (frames, objects, scripts, style sheets, <base>, <link>, <meta>) are left out. Links the
// reader may follow (<a href>, <area href>) are not fetched and stay as they are.
//
// The tags kept are written again in one plain form, so the office reads them as they were
// judged here; text that is not a tag has its "<" written as "&lt;".
QString safeMarkup(const QString& html);
