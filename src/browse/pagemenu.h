#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWebEngineContextMenuRequest>

class BrowserView;
class CaptionTable;
class QPoint;
class TabSet;

// The page's right-click menu, built by the program from what the engine says of the place
// clicked, in the interface's language. It offers only what would do something there: back and
// forward where the history goes, reload or stop, the editing commands the page allows, the link's
// and the picture's commands, and the program's own page source and web archive.
class PageMenu : public QObject {
    Q_OBJECT
public:
    enum class Entry {
        Separator,
        Back,
        Forward,
        Reload,
        Stop,
        Cut,
        Copy,
        Paste,
        SelectAll,
        OpenLink,
        OpenLinkInNextTab,
        CopyLinkAddress,
        SaveLink,
        CopyPicture,
        CopyPictureAddress,
        SavePicture,
        ViewSource,
        SavePage,
    };

    // What the menu is made from: the view's state and the engine's request.
    struct Place {
        bool canGoBack = false;
        bool canGoForward = false;
        bool loading = false;
        QWebEngineContextMenuRequest::EditFlags editFlags;
        QUrl pageUrl;
        QUrl linkUrl;
        QUrl pictureUrl; // the address of the picture clicked, when it is one
        bool hasNextTab = false;
    };

    // The entries for a place, in menu order, groups apart by separators.
    static QList<Entry> entries(const Place& place);
    // The caption number of an entry.
    static int captionOf(Entry entry);

    PageMenu(TabSet& tabs, const CaptionTable& captions, QObject* parent = nullptr);

    // The view's right-click menu becomes this one.
    void attach(BrowserView* view);
    // The menu on screen, while it is open.
    QMenu* shown() const { return m_shown; }

signals:
    // The program's own page source and web archive of the page shown.
    void sourceRequested();
    void savePageRequested();

private:
    void show(BrowserView* view, const QPoint& position);
    void run(BrowserView* view, Entry entry, const Place& place);

    TabSet& m_tabs;
    const CaptionTable& m_captions;
    QPointer<QMenu> m_shown;
};
