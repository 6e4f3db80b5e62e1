#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

class BrowserView;
class CaptionTable;
class Desktop;
class ProgramDir;
class QWebEngineProfile;
class QWidget;

// The mail link harvester: a pass collects the addresses of the mailto: links in the frames of
// the current view into the harvest list "\MailsList.txt". Automatic harvesting, switched by
// "QUORVINK:START", runs a pass after every completed page: document complete enables Timer2,
// whose first tick with the current view idle disables it and runs the pass.
//
//   state        Mail_Auto  Timer2    leaves by
//   off          0          disabled  START: pass now, on-idle
//   on-idle      1          disabled  document complete: on-waiting; START: off
//   on-waiting   1          enabled   idle tick: pass, on-idle; START: off-waiting
//   off-waiting  0          enabled   idle tick: pass, off; START: pass now, on-waiting
class Harvester : public QObject {
    Q_OBJECT
public:
    // currentView gives the view of the selected tab (or nothing); messages about the list file
    // are shown over messageParent.
    Harvester(const ProgramDir& dir, Desktop& desktop, const CaptionTable& captions,
              std::function<BrowserView*()> currentView, QWidget* messageParent,
              QObject* parent = nullptr);

    static constexpr int kIconOff = 132;
    static constexpr int kIconOn = 133;
    static constexpr int kTickMs = 1000;
    // How long a pass waits for the frames of other sites it asked.
    static constexpr int kFrameAnswerMs = 2000;

    // How often, while harvesting the page itself, the current page is asked whether links were
    // added that a late pass is to read.
    static constexpr int kLatePollMs = 250;

    // Whether a pass asks the frames of other sites for their lines too (off: the reading ends at
    // the first frame it may not read).
    void setOtherSiteFrames(bool on);
    bool otherSiteFrames() const { return m_otherSiteFrames; }
    // Whether a pass reads the page itself too: its own links first, then its frames at any
    // depth, each document with the links of its open shadow roots; and, while automatic
    // harvesting is on, the links the page adds later, in late passes.
    void setPageItself(bool on);
    bool pageItself() const { return m_pageItself; }
    // Whether a pass also writes the addresses each document it reads writes in its visible text.
    void setTextAddresses(bool on);
    bool textAddresses() const { return m_textAddresses; }

    // The automatic-harvest flag: 0 off, 1 on. Only toggle() changes it.
    qint16 Mail_Auto() const { return m_mailAuto; }
    QTimer* timer2() { return &m_timer2; }
    QTimer* latePoll() { return &m_latePoll; }

    // One harvest pass over the current view. The page is read by one script in the isolated
    // world; the list file is opened, appended to and closed when its answer arrives, so nothing
    // else can touch the file between the reading and the writing.
    void GO_Mail_Link();
    // "QUORVINK:START": switches automatic harvesting on (with a pass at once) or off. Timer2 is
    // left alone, so a pass already waiting for the view still runs.
    void toggle();
    // Document complete of any view: while harvesting is on, a pass waits for the next idle tick.
    // The several completions of one page enable the enabled timer again and give one pass.
    void onDocumentComplete();
    // A late pass over the current page: when links were added since its pass (and have rested),
    // those not read on the page before are appended. The poll of automatic harvesting calls it.
    void GO_Late_Links();

    // Builds the isolated world of every frame while it loads (a script of the application's
    // world on every frame), so that a pass finds them ready instead of building one per frame.
    static void installFrameScript(QWebEngineProfile* profile);
    // Takes the frame script away again: pages then load without building those worlds.
    static void removeFrameScript(QWebEngineProfile* profile);

signals:
    // The icon of the "QUORVINK:START" button: kIconOn or kIconOff.
    void iconChanged(int icon);
    // The frames of other sites are read from now on, or no longer.
    void otherSiteFramesChanged(bool on);
    // A pass has closed the list file: the lines it wrote, or -1 when the file could not be
    // written (the message has been shown).
    void passFinished(int linesWritten);
    // After every pass that wrote its lines: what it read, for the status text.
    void passRead(const QString& statusText);
    // A late pass has ended: the lines it wrote (0 when nothing was due or new), or -1 when the
    // file could not be written.
    void latePassFinished(int linesWritten);

private:
    struct Pass;
    void tick();
    // The poll of late passes runs while harvesting is on and reads the page itself.
    void updateLatePoll();
    void read(BrowserView* view);
    // Collects the lines of a page's answer (with what the asked frames answered), writes them
    // and reports what the pass read.
    void finish(const std::shared_ptr<Pass>& pass);
    // The lines of an answer and what was read, for the status text.
    QStringList linesOf(const Pass& pass, int& documentsRead, int& framesNotRead) const;
    QString statusText(const Pass& pass, int written, int documentsRead, int framesNotRead) const;
    bool write(const QStringList& lines);

    const ProgramDir& m_dir;
    Desktop& m_desktop;
    const CaptionTable& m_captions;
    std::function<BrowserView*()> m_currentView;
    QWidget* m_messageParent;
    qint16 m_mailAuto = 0;
    QTimer m_timer2;
    bool m_otherSiteFrames = false;
    bool m_pageItself = false;
    bool m_textAddresses = false;
    QTimer m_latePoll;
    // A late pass on its way, since when: an answer that never comes does not stop the others.
    QElapsedTimer m_lateRunning;
    // A pass waiting for frames of other sites; a pass asked for meanwhile runs after it.
    std::shared_ptr<Pass> m_waiting;
    bool m_again = false;
};
