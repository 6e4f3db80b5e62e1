#pragma once

#include <QObject>
#include <QString>

class AddressBox;
class BrowserView;
class CaptionTable;
class QUrl;

// The page events of every browser view turned into the shared display of the main window: the
// address box follows navigation, the status text and the progress, and Page_Title keeps the
// last title reported (the link tables add the shown page under it).
class PageStatus : public QObject {
    Q_OBJECT
public:
    PageStatus(AddressBox& box, const CaptionTable& captions, QObject* parent = nullptr);

    // Every view reports to the same handlers.
    void connectView(BrowserView* view);

    const QString& Page_Title() const { return m_pageTitle; }

signals:
    void statusChanged(const QString& text);
    void progressChanged(int percent);
    // A document has completed: the harvest may wait for its next pass.
    void documentCompleted();
    // An address of a scheme the views do not show (mailto: and others), for the desktop.
    void externalRequested(const QUrl& url);

private:
    void onBeforeNavigate(const QUrl& url);
    void onProgressChange(int progress, int maximum);
    void onTitleChange(const QString& text);

    AddressBox& m_box;
    const CaptionTable& m_captions;
    QString m_pageTitle;
};
