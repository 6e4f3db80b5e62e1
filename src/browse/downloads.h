#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class CaptionTable;
class Desktop;
class ExtSettings;
class QWebEngineDownloadRequest;
class QWebEngineProfile;
class QWidget;

// The downloads of a run: every download of the profile that the program's own exports did not
// start asks for its file in the save dialog, fills a ".part" file beside it and takes its name
// only when complete. One save dialog at a time: a download requested while one is open, or
// right after the user refused one, is refused (the user starts no download that fast). The folder
// last used is kept in the program's own settings, apart from the exports' folder.
class Downloads : public QObject {
    Q_OBJECT
public:
    struct Context {
        Desktop& desktop;
        const CaptionTable& captions;
        ExtSettings& settings;
        QWidget* window; // the parent of the dialogs and messages
    };
    Downloads(Context context, QObject* parent = nullptr);

    // How long after a refused dialog further requests are refused too.
    static constexpr int kRefusedQuietMs = 1500;
    // The engine holds the requests a page makes while a dialog is open and hands them over
    // right after it closed: those that come this soon after are refused.
    static constexpr int kHeldBackMs = 500;

    // Takes the downloads of this profile.
    void watch(QWebEngineProfile* profile);

    enum class State { Running, Done, Cancelled, Failed };
    struct Transfer {
        QPointer<QWebEngineDownloadRequest> request;
        QString target; // the file chosen
        QString part;   // where the data goes until it is complete
        State state = State::Running;
        QString why; // of a failure, in the interface's language
        qint64 received = 0;
        qint64 total = -1; // -1 while unknown
    };
    const QList<Transfer>& transfers() const { return m_transfers; }
    // Whether a request now would be refused without a dialog (one is open, or one closed a
    // moment ago).
    bool refusing() const
    {
        return m_asking || (m_closed.isValid() && m_closed.elapsed() < m_quietMs);
    }
    int running() const;
    // The share of all running transfers received, 0 to 100 (transfers of unknown size count
    // as half done).
    int share() const;

    // Ends a running transfer: no file under its name, no ".part" left.
    void cancel(int index);
    // Ends every running transfer without asking (a signal, a log-out).
    void cancelAll();
    // Before the program exits: while transfers run, asks whether to stop them; false when the
    // user keeps them (the program goes on), else every transfer is ended.
    bool mayEnd();

signals:
    // A transfer was added, progressed or ended.
    void changed();

private:
    void requested(QWebEngineDownloadRequest* request);
    void settle(QWebEngineDownloadRequest* request);
    void progress(QWebEngineDownloadRequest* request);
    qsizetype indexOf(const QWebEngineDownloadRequest* request) const;

    Context c;
    QList<Transfer> m_transfers;
    bool m_asking = false;
    QElapsedTimer m_closed; // since the last dialog closed
    int m_quietMs = 0;      // after it, requests are refused for this long
};

// While one lives, the downloads of the profile are the program's own (an export fetching the
// pictures of a page): they are left to the code that started them.
class OwnDownloads {
public:
    explicit OwnDownloads(QWebEngineProfile* profile);
    ~OwnDownloads();
    OwnDownloads(const OwnDownloads&) = delete;
    OwnDownloads& operator=(const OwnDownloads&) = delete;

    static bool active(const QWebEngineProfile* profile);

private:
    QPointer<QWebEngineProfile> m_profile;
};
