#include "export/pagecopy.h"

#include "browse/browserview.h"
#include "core/wait.h"

#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QWidget>

#include <memory>

namespace {

// How long the engine may take to answer a script, to select a page (a very large one takes a
// while) and to put the copy on the clipboard.
constexpr int kScriptMs = 5000;
constexpr int kSelectMs = 60000;
constexpr int kCopyMs = 120000;
constexpr int kFallbackCopyMs = 3000;
// How long the window may take to become active, and how often a copy that has not arrived is
// looked into.
constexpr int kActivateMs = 1000;
constexpr int kCopyCheckMs = 1000;

// Selects the body's content and answers "selected", "empty" (nothing in it to copy) or "nobody".
// The reader's selection is kept in the isolated world, to be given back after the copy.
const char* const kSelectBody = R"((function () {
    var body = document.body;
    if (!body || body.localName !== 'body')
        return 'nobody';
    var selection = window.getSelection();
    var kept = [];
    for (var i = 0; i < selection.rangeCount; ++i)
        kept.push(selection.getRangeAt(i).cloneRange());
    window.quorvinkKeptSelection = kept;
    selection.selectAllChildren(body);
    return selection.isCollapsed ? 'empty' : 'selected';
})())";

const char* const kRestoreSelection = R"((function () {
    var selection = window.getSelection();
    selection.removeAllRanges();
    (window.quorvinkKeptSelection || []).forEach(function (range) { selection.addRange(range); });
    delete window.quorvinkKeptSelection;
})())";

// Runs a script in the view's isolated world and waits for its answer; invalid when none came.
QVariant evaluate(BrowserView* view, const char* script, int milliseconds = kScriptMs)
{
    return view->evaluateIsolated(QLatin1String(script), milliseconds).value_or(QVariant());
}

bool pageHasFocus(const BrowserView* view)
{
    const QWidget* page = view->widget();
    return page->isActiveWindow() && page->hasFocus();
}

// The engine copies from the page that has the focus, and a page has it only in the active
// window: a window left inactive (a menu that closed late on a busy machine, another program
// brought forward meanwhile) is made active first.
void focusPage(BrowserView* view)
{
    QWidget* window = view->widget()->window();
    if (!window->isActiveWindow()) {
        window->activateWindow();
        Wait::until([window] { return window->isActiveWindow(); }, kActivateMs);
    }
    view->focus();
}

// Has the engine copy and waits until the clipboard changes; false when it did not in time. A
// copy the engine dropped because the page had lost the focus is asked for again; one that is
// only slow (a very large page) is not.
bool copyToClipboard(BrowserView* view, int milliseconds)
{
    QObject context;
    bool changed = false;
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &context,
                     [&changed] { changed = true; });
    focusPage(view);
    view->trigger(QWebEnginePage::Copy);
    QElapsedTimer waited;
    waited.start();
    while (!Wait::until([&changed] { return changed; },
                        qMin<qint64>(kCopyCheckMs, milliseconds - waited.elapsed()))) {
        if (waited.elapsed() >= milliseconds)
            return false;
        if (!pageHasFocus(view)) {
            focusPage(view);
            view->trigger(QWebEnginePage::Copy);
        }
    }
    return true;
}

QString pictureMarkup(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("<html><body><img src=\"data:image/png;base64,%1\"></body></html>")
        .arg(QLatin1String(png.toBase64()));
}

} // namespace

namespace PageCopy {

bool copyBody(BrowserView* view)
{
    const QString state = evaluate(view, kSelectBody, kSelectMs).toString();
    if (state == QLatin1String("selected")) {
        copyToClipboard(view, kCopyMs);
        evaluate(view, kRestoreSelection);
    }
    return state == QLatin1String("selected") || state == QLatin1String("empty");
}

void copyFallback(BrowserView* view)
{
    QGuiApplication::clipboard()->clear();
    view->Stop();
    view->setVisible(true);
    focusPage(view);
    view->trigger(QWebEnginePage::SelectAll);
    Wait::sleep(200);
    copyToClipboard(view, kFallbackCopyMs);
    view->Refresh();
}

std::optional<CopiedPage> clipboardContent()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return std::nullopt;
    CopiedPage page{data->hasHtml() ? data->html() : QString(), data->text()};
    if (page.html.isEmpty() && data->hasImage())
        page.html = pictureMarkup(qvariant_cast<QImage>(data->imageData()));
    if (page.html.isEmpty() && page.text.isEmpty())
        return std::nullopt;
    return page;
}

QString documentTitle(BrowserView* view)
{
    return evaluate(view, "document.title").toString();
}

} // namespace PageCopy
