#include "browse/pagemenu.h"

#include "browse/browserview.h"
#include "browse/tabset.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QMenu>
#include <QWebEngineHistory>
#include <QWebEngineView>

namespace {

bool menuIsWeb(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}

// A link the program may open itself: one to the web, or one of a local page to its own kind of
// address. A page from the web never reaches a local file through the menu, and a "javascript:"
// or "data:" link never runs in another tab.
bool menuMayOpen(const QUrl& link, const QUrl& page)
{
    if (!link.isValid())
        return false;
    if (menuIsWeb(link))
        return true;
    const QString scheme = link.scheme();
    return (scheme == QLatin1String("file") || scheme == QLatin1String("quorvink")) &&
           scheme == page.scheme();
}

void addMenuGroup(QList<PageMenu::Entry>& menu, const QList<PageMenu::Entry>& group)
{
    if (group.isEmpty())
        return;
    if (!menu.isEmpty())
        menu.append(PageMenu::Entry::Separator);
    menu.append(group);
}

} // namespace

QList<PageMenu::Entry> PageMenu::entries(const Place& place)
{
    using Flag = QWebEngineContextMenuRequest::EditFlag;
    QList<Entry> menu;
    QList<Entry> group;
    if (place.canGoBack)
        group << Entry::Back;
    if (place.canGoForward)
        group << Entry::Forward;
    group << (place.loading ? Entry::Stop : Entry::Reload);
    addMenuGroup(menu, group);

    group.clear();
    if (place.editFlags.testFlag(Flag::CanCut))
        group << Entry::Cut;
    if (place.editFlags.testFlag(Flag::CanCopy))
        group << Entry::Copy;
    if (place.editFlags.testFlag(Flag::CanPaste))
        group << Entry::Paste;
    if (place.editFlags.testFlag(Flag::CanSelectAll))
        group << Entry::SelectAll;
    addMenuGroup(menu, group);

    group.clear();
    if (menuMayOpen(place.linkUrl, place.pageUrl)) {
        group << Entry::OpenLink;
        if (place.hasNextTab)
            group << Entry::OpenLinkInNextTab;
    }
    if (!place.linkUrl.isEmpty())
        group << Entry::CopyLinkAddress;
    if (menuIsWeb(place.linkUrl))
        group << Entry::SaveLink;
    addMenuGroup(menu, group);

    group.clear();
    if (!place.pictureUrl.isEmpty())
        group << Entry::CopyPicture << Entry::CopyPictureAddress;
    if (menuIsWeb(place.pictureUrl) || place.pictureUrl.scheme() == QLatin1String("data"))
        group << Entry::SavePicture;
    addMenuGroup(menu, group);

    // The page source and the web archive are of a page the view shows.
    if (!place.loading && !place.pageUrl.isEmpty())
        addMenuGroup(menu, {Entry::ViewSource, Entry::SavePage});
    return menu;
}

int PageMenu::captionOf(Entry entry)
{
    switch (entry) {
    case Entry::Separator:
        return 0;
    case Entry::Back:
        return CaptionNo::MenuBack;
    case Entry::Forward:
        return CaptionNo::MenuForward;
    case Entry::Reload:
        return CaptionNo::MenuReload;
    case Entry::Stop:
        return CaptionNo::MenuStop;
    case Entry::Cut:
        return CaptionNo::MenuCut;
    case Entry::Copy:
        return CaptionNo::MenuCopy;
    case Entry::Paste:
        return CaptionNo::MenuPaste;
    case Entry::SelectAll:
        return CaptionNo::MenuSelectAll;
    case Entry::OpenLink:
        return CaptionNo::OpenLink;
    case Entry::OpenLinkInNextTab:
        return CaptionNo::OpenLinkInNextTab;
    case Entry::CopyLinkAddress:
        return CaptionNo::CopyLinkAddress;
    case Entry::SaveLink:
        return CaptionNo::SaveLinkAs;
    case Entry::CopyPicture:
        return CaptionNo::CopyPicture;
    case Entry::CopyPictureAddress:
        return CaptionNo::CopyPictureAddress;
    case Entry::SavePicture:
        return CaptionNo::SavePictureAs;
    case Entry::ViewSource:
        return CaptionNo::MenuViewSource;
    case Entry::SavePage:
        return CaptionNo::SavePageAs;
    }
    return 0;
}

PageMenu::PageMenu(TabSet& tabs, const CaptionTable& captions, QObject* parent)
    : QObject(parent), m_tabs(tabs), m_captions(captions)
{
}

void PageMenu::attach(BrowserView* view)
{
    QWebEngineView* widget = view->widget();
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(widget, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& position) { show(view, position); });
}

void PageMenu::show(BrowserView* view, const QPoint& position)
{
    QWebEngineView* widget = view->widget();
    const QWebEngineContextMenuRequest* request = widget->lastContextMenuRequest();
    if (!request)
        return;
    const QWebEngineHistory* history = view->page()->history();
    Place place{.canGoBack = history->canGoBack(),
                .canGoForward = history->canGoForward(),
                .loading = view->Busy(),
                .editFlags = request->editFlags(),
                .pageUrl = view->page()->url(),
                .linkUrl = request->linkUrl(),
                .pictureUrl = request->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage
                                  ? request->mediaUrl()
                                  : QUrl(),
                .hasNextTab = view->index() + 1 < m_tabs.count()};

    if (m_shown)
        m_shown->close();
    auto* menu = new QMenu(widget);
    menu->setObjectName(QStringLiteral("PageMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const Entry entry : entries(place)) {
        if (entry == Entry::Separator) {
            menu->addSeparator();
            continue;
        }
        // The menu's texts are the captions; a page's texts never reach it.
        QAction* action = menu->addAction(m_captions.textOrEnglish(captionOf(entry)));
        connect(action, &QAction::triggered, this,
                [this, view = QPointer<BrowserView>(view), entry, place] {
                    if (view)
                        run(view, entry, place);
                });
    }
    m_shown = menu;
    menu->popup(widget->mapToGlobal(position));
}

void PageMenu::run(BrowserView* view, Entry entry, const Place& place)
{
    using Action = QWebEnginePage::WebAction;
    switch (entry) {
    case Entry::Separator:
        break;
    case Entry::Back:
        view->GoBack();
        break;
    case Entry::Forward:
        view->GoForward();
        break;
    case Entry::Reload:
        view->Refresh();
        break;
    case Entry::Stop:
        view->Stop();
        break;
    case Entry::Cut:
        view->trigger(Action::Cut);
        break;
    case Entry::Copy:
        view->trigger(Action::Copy);
        break;
    case Entry::Paste:
        view->trigger(Action::Paste);
        break;
    case Entry::SelectAll:
        view->trigger(Action::SelectAll);
        break;
    case Entry::OpenLink:
        view->trigger(Action::OpenLinkInThisWindow);
        break;
    case Entry::OpenLinkInNextTab:
        m_tabs.openInNextTab(view->index(), place.linkUrl.toString(QUrl::FullyEncoded));
        break;
    case Entry::CopyLinkAddress:
        view->trigger(Action::CopyLinkToClipboard);
        break;
    case Entry::SaveLink:
        view->trigger(Action::DownloadLinkToDisk);
        break;
    case Entry::CopyPicture:
        view->trigger(Action::CopyImageToClipboard);
        break;
    case Entry::CopyPictureAddress:
        view->trigger(Action::CopyImageUrlToClipboard);
        break;
    case Entry::SavePicture:
        view->trigger(Action::DownloadImageToDisk);
        break;
    case Entry::ViewSource:
        emit sourceRequested();
        break;
    case Entry::SavePage:
        emit savePageRequested();
        break;
    }
}
