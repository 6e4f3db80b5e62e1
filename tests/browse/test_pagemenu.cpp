// The page's right-click menu offers what does something at the place clicked, and never lets a
// page's link reach a local file or run in another tab.
#include "browse/pagemenu.h"
#include "testguard.h"

#include "unittestmain.h"

#include <QTest>

using Entry = PageMenu::Entry;
Q_DECLARE_METATYPE(PageMenu::Place)

namespace {

PageMenu::Place at(const QString& link, const QString& picture = QString(),
                   const QString& page = QStringLiteral("http://127.0.0.1/page.html"))
{
    return {.editFlags = QWebEngineContextMenuRequest::CanSelectAll,
            .pageUrl = QUrl(page),
            .linkUrl = QUrl(link),
            .pictureUrl = QUrl(picture),
            .hasNextTab = true};
}

} // namespace

class TestPageMenu : public QObject {
    Q_OBJECT
private slots:
    void init() { TestGuard::failOnWarnings(); }

    // The whole menu of a page, and of one still loading.
    void pageEntries()
    {
        PageMenu::Place place = at(QString());
        place.canGoBack = true;
        QCOMPARE(PageMenu::entries(place),
                 QList<Entry>({Entry::Back, Entry::Reload, Entry::Separator, Entry::SelectAll,
                               Entry::Separator, Entry::ViewSource, Entry::SavePage}));
        place.loading = true;
        place.editFlags = {};
        QCOMPARE(PageMenu::entries(place), QList<Entry>({Entry::Back, Entry::Stop}));
    }

    void linkAndPictureEntries_data()
    {
        QTest::addColumn<PageMenu::Place>("place");
        QTest::addColumn<QList<Entry>>("expected"); // the link's and the picture's, in order
        const QList<Entry> link{Entry::OpenLink, Entry::OpenLinkInNextTab, Entry::CopyLinkAddress,
                                Entry::SaveLink};
        const QList<Entry> picture{Entry::CopyPicture, Entry::CopyPictureAddress};
        QTest::addRow("web link") << at("https://example.org/a") << link;
        PageMenu::Place last = at("http://example.org/a");
        last.hasNextTab = false;
        QTest::addRow("link in the last tab")
            << last << QList<Entry>{Entry::OpenLink, Entry::CopyLinkAddress, Entry::SaveLink};
        // Links the program does not open itself: only their address can be copied.
        for (const char* hostile : {"javascript:alert(document.cookie)", "data:text/html,<b>x</b>",
                                    "file:///etc/passwd", "quorvink:start", "mailto:a@example.org"})
            QTest::addRow("%s", hostile)
                << at(QLatin1String(hostile)) << QList{Entry::CopyLinkAddress};
        QTest::addRow("local page, local link")
            << at("file:///home/u/b.html", QString(), "file:///home/u/a.html") << link.first(3);
        QTest::addRow("picture") << at(QString(), "http://127.0.0.1/p.png")
                                 << picture + QList{Entry::SavePicture};
        QTest::addRow("picture of a script in a link")
            << at("http://example.org/", "blob:http://127.0.0.1/1") << link + picture;
    }
    void linkAndPictureEntries()
    {
        QFETCH(PageMenu::Place, place);
        QFETCH(QList<Entry>, expected);
        QList<Entry> entries = PageMenu::entries(place);
        for (const Entry entry : std::as_const(entries))
            QCOMPARE(PageMenu::captionOf(entry) == 0, entry == Entry::Separator);
        entries.removeIf([](Entry e) { return e < Entry::OpenLink || e > Entry::SavePicture; });
        QCOMPARE(entries, expected);
    }
};

QUORVINK_CORE_TEST_MAIN(TestPageMenu)
#include "test_pagemenu.moc"
