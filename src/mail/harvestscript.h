#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The script of a harvest pass and the reading of its answer. The script runs once per pass in
// the application's isolated world of the top-level document and reads the links of every frame
// document in one go, so a pass costs one round trip to the page whatever the number of links.
namespace HarvestScript {

// Reads window.frames[0 .. length-1] in order; of each frame document's links (anchors with an
// href and image-map areas, document order) the resolved href is lower-cased and, when it begins
// with "mailto:", everything after that is one entry. The top-level document's own links are
// not read. A frame that cannot be read (another origin) ends the reading: the entries of the
// frames before it are kept, nothing of it or of later frames is added.
// The answer is one string: every entry as its length in UTF-16 units, ":" and the entry.
QString source();

// The entries of an answer of source(); nothing when the answer is not one (the page went away
// while the script ran, or the script could not run at all).
std::optional<QStringList> decode(const QVariant& answer);

// A script for every frame of every page, run in the isolated world as the frame's document is
// created: it builds that world and the interfaces a pass uses in it, which the first pass after
// the page has loaded would otherwise build for each frame in turn.
QString frameWorldSource();

} // namespace HarvestScript
