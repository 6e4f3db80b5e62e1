// The page's right-click menu offers what does something at the place clicked, and never lets a
// page's link reach a local file or run in another tab.
#include "browse/pagemenu.h"
#include "testguard.h"

#include "unittestmain.h"

#include <QTest>

using Entry = PageMenu::Entry;
using Flag = QWebEngineContextMenuRequest::EditFlag;
Q_DECLARE_METATYPE(PageMenu::Place)

namespace {

const QUrl kPage(QStringLiteral("http://127.0.0.1/page.html"));

PageMenu::Place at(const QString& link = QString(), const QString& picture = QString())
{
    return {.editFlags = Flag::CanSelectAll,
            .pageUrl = kPage,
            .linkUrl = QUrl(link),
            .pictureUrl = QUrl(picture),
            .hasNextTab = true};
}

} // namespace

class TestPageMenu : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    void entriesForThePlace_data()
    {
        QTest::addColumn<PageMenu::Place>("place");
        QTest::addColumn<QList<Entry>>("expected");
        const QList<Entry> page{Entry::Separator, Entry::ViewSource, Entry::SavePage};
        const QList<Entry> start{Entry::Reload, Entry::Separator, Entry::SelectAll};

        QTest::addRow("plain page") << at() << start + page;
        PageMenu::Place p = at();
        p.canGoBack = true;
        p.canGoForward = true;
        QTest::addRow("history both ways")
            << p << QList<Entry>{Entry::Back, Entry::Forward} + start + page;
        p = at();
        p.loading = true;
        p.editFlags = {};
        QTest::addRow("loading: stop, no source yet") << p << QList<Entry>{Entry::Stop};
        p = at();
        p.editFlags = QWebEngineContextMenuRequest::EditFlags() | Flag::CanCut | Flag::CanCopy |
                      Flag::CanPaste | Flag::CanSelectAll;
        QTest::addRow("editable field")
            << p << QList<Entry>{Entry::Reload,    Entry::Separator,  Entry::Cut,
                                 Entry::Copy,      Entry::Paste,      Entry::SelectAll,
                                 Entry::Separator, Entry::ViewSource, Entry::SavePage};
        QTest::addRow("web link") << at("https://example.org/a")
                                  << start +
                                         QList<Entry>{Entry::Separator, Entry::OpenLink,
                                                      Entry::OpenLinkInNextTab,
                                                      Entry::CopyLinkAddress, Entry::SaveLink} +
                                         page;
        p = at("http://example.org/a");
        p.hasNextTab = false;
        QTest::addRow("link in the last tab")
            << p
            << start +
                   QList<Entry>{Entry::Separator, Entry::OpenLink, Entry::CopyLinkAddress,
                                Entry::SaveLink} +
                   page;
        // Links the program does not open itself: only their address can be copied.
        for (const char* link : {"javascript:alert(document.cookie)", "data:text/html,<b>x</b>",
                                 "file:///etc/passwd", "quorvink:start", "mailto:a@example.org"})
            QTest::addRow("%s", link)
                << at(QLatin1String(link))
                << start + QList<Entry>{Entry::Separator, Entry::CopyLinkAddress} + page;
        p = at("file:///home/u/b.html");
        p.pageUrl = QUrl(QStringLiteral("file:///home/u/a.html"));
        QTest::addRow("local page, local link")
            << p
            << start +
                   QList<Entry>{Entry::Separator, Entry::OpenLink, Entry::OpenLinkInNextTab,
                                Entry::CopyLinkAddress} +
                   page;
        QTest::addRow("picture") << at(QString(), "http://127.0.0.1/p.png")
                                 << start +
                                        QList<Entry>{Entry::Separator, Entry::CopyPicture,
                                                     Entry::CopyPictureAddress,
                                                     Entry::SavePicture} +
                                        page;
        QTest::addRow("picture in a link")
            << at("http://example.org/", "blob:http://127.0.0.1/1")
            << start + QList<Entry>{Entry::Separator,         Entry::OpenLink,
                                    Entry::OpenLinkInNextTab, Entry::CopyLinkAddress,
                                    Entry::SaveLink,          Entry::Separator,
                                    Entry::CopyPicture,       Entry::CopyPictureAddress} +
                   page;
    }
    void entriesForThePlace()
    {
        QFETCH(PageMenu::Place, place);
        QFETCH(QList<Entry>, expected);
        const QList<Entry> entries = PageMenu::entries(place);
        QCOMPARE(entries, expected);
        for (const Entry entry : entries)
            QCOMPARE(PageMenu::captionOf(entry) == 0, entry == Entry::Separator);
    }
};

QUORVINK_CORE_TEST_MAIN(TestPageMenu)
#include "test_pagemenu.moc"
