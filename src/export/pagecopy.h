#pragma once

#include <QString>

#include <optional>

class BrowserView;

// The page content an export hands to the office: what the clipboard held after the copy.
struct CopiedPage {
    QString html;
    QString text;
};

// The copy of a page to the clipboard, done by the web engine itself (formatted markup and plain
// text), and what the exports read back from the clipboard.
namespace PageCopy {

// Selects the whole body of the view's page and has the engine copy it; the reader's own
// selection is given back afterwards. False when the page has no body that can be copied (a
// frameset, a document that is not HTML, a page that does not answer): the fallback is then due.
// An empty body copies nothing and is no failure.
bool copyBody(BrowserView* view);

// The fallback copy: the view is stopped, shown and given the focus, the engine selects all of
// it and copies that; then the page is loaded again.
void copyFallback(BrowserView* view);

// What the clipboard holds, or nothing when it holds neither text nor a picture. A picture
// alone is handed on as markup that holds it.
std::optional<CopiedPage> clipboardContent();

// The title the page gives itself, empty for a page without one (the view's own title falls back
// to the address then).
QString documentTitle(BrowserView* view);

} // namespace PageCopy
