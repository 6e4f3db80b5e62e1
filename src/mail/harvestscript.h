#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// The scripts of a harvest pass and the reading of their answers. The pass script runs once per
// pass in the application's isolated world of the top-level document and reads the links of
// every frame document it may read in one go, so a pass costs one round trip to the page whatever
// the number of links. Frames of other sites are read, on request, by the frame script that runs
// in the isolated world of every frame: asked by the pass script with a token of its own, it
// answers on the console of its world, under a secret of the run that no page script can see.
namespace HarvestScript {

// What the pass script found in one document (a frame's, or the page's itself), in the order read.
struct Frame {
    enum class State {
        Read,    // every link of the document was read
        Unread,  // the frame could not be read (the reading ends there unless others are asked)
        Skipped, // the frame could not be read; it and its own frames are left out, the rest read
        Asked,   // another site's frame, asked for its lines under token
    };
    State state = State::Read;
    QStringList entries; // what follows "mailto:" of each link, lower-cased, document order
    QStringList words;   // the words of its visible text that hold an "@", in text order
    QString token;
};

struct Answer {
    int frames = 0;    // window.frames.length of the page
    bool page = false; // the page itself was read: it is the first of read
    QList<Frame> read;
};

// What a pass reads, beside the frames of the page.
struct Reading {
    bool otherSites = false; // another site's frame is asked for its lines
    // The page itself and its frames at any depth, each document with the links of its open
    // shadow roots; a frame that is not read is skipped with its own frames.
    bool page = false;
    bool text = false; // the words of each document's visible text that hold an "@"
    // The links read are remembered, and the documents watched for links added later (page only).
    bool late = false;
};

// How long the links of a page must rest before a late pass reads the added ones, and the least
// time between two late passes of a page that keeps changing.
constexpr int kLateQuietMs = 1000;
constexpr int kLateEveryMs = 2000;

// Reads window.frames[0 .. length-1] in order; of each frame document's links (anchors with an
// href and image-map areas, document order) the resolved href is lower-cased and, when it begins
// with "mailto:", everything after that is one entry. The top-level document's own links are
// not read. A frame that cannot be read (another origin) ends the reading: the entries of the
// frames before it are kept, nothing of it or of later frames is added. With otherSites, such a
// frame is asked instead, and the reading goes on with the next one. With page, the page's own
// document is read first, then each frame in order, each frame's frames after its links.
QString source(const Reading& reading);

// The late pass over a page that a pass with late has read: nothing (null) unless links were
// added since and have rested for kLateQuietMs (or keep changing for kLateEveryMs), and no late
// pass ran in the last kLateEveryMs; otherwise an answer as of source() holding only the link
// elements not read on this page before (other sites' frames are not asked).
QString lateSource();

// The answer of source(); nothing when the answer is not one (the page went away while the
// script ran, or the script could not run at all).
std::optional<Answer> decode(const QVariant& answer);

// The run's secret: the console lines of the frame script begin with it.
const QString& secret();

// An answer of an asked frame, taken from a console line of the isolated world: its token and
// what it read (the state is Read), or nothing when the line is no such answer.
std::optional<Frame> decodeFrameAnswer(const QString& consoleLine);

// The script of every frame of every page, run in the isolated world as the frame's document is
// created: it builds that world and the interfaces a pass uses in it, which the first pass after
// the page has loaded would otherwise build for each frame in turn; once the frame has loaded it
// reads the hrefs of the frame's links and keeps them for the pass script until the document
// changes; and it answers the requests of the pass script (at any depth of frames).
QString frameWorldSource();

} // namespace HarvestScript
