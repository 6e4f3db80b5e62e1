#include "mail/harvester.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "core/textfile.h"
#include "core/wait.h"
#include "mail/harvestscript.h"
#include "mail/textaddresses.h"
#include "platform/desktop.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <algorithm>

namespace {

const QString kFrameScriptName = QStringLiteral("orvelquorvink-frame-world");

} // namespace

Harvester::Harvester(const ProgramDir& dir, Desktop& desktop, const CaptionTable& captions,
                     std::function<BrowserView*()> currentView, QWidget* messageParent,
                     QObject* parent)
    : QObject(parent), m_dir(dir), m_desktop(desktop), m_captions(captions),
      m_currentView(std::move(currentView)), m_messageParent(messageParent)
{
    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(kTickMs);
    connect(&m_timer2, &QTimer::timeout, this, &Harvester::tick);
    m_latePoll.setInterval(kLatePollMs);
    connect(&m_latePoll, &QTimer::timeout, this, &Harvester::GO_Late_Links);
}

void Harvester::toggle()
{
    if (m_mailAuto != 0) {
        m_mailAuto = 0;
        emit iconChanged(kIconOff);
        updateLatePoll();
        return;
    }
    m_mailAuto = 1;
    emit iconChanged(kIconOn);
    updateLatePoll();
    GO_Mail_Link();
}

void Harvester::setPageItself(bool on)
{
    m_pageItself = on;
    updateLatePoll();
}

void Harvester::setTextAddresses(bool on)
{
    m_textAddresses = on;
}

void Harvester::updateLatePoll()
{
    if (m_mailAuto > 0 && m_pageItself) {
        if (!m_latePoll.isActive())
            m_latePoll.start();
    } else {
        m_latePoll.stop();
    }
}

void Harvester::setOtherSiteFrames(bool on)
{
    if (on == m_otherSiteFrames)
        return;
    m_otherSiteFrames = on;
    emit otherSiteFramesChanged(on);
}

void Harvester::onDocumentComplete()
{
    if (m_mailAuto > 0 && !m_timer2.isActive())
        m_timer2.start();
}

void Harvester::tick()
{
    // Nothing of the program acts during a wait in place; the next tick looks again.
    if (Wait::active())
        return;
    BrowserView* view = m_currentView ? m_currentView() : nullptr;
    if (view && view->Busy())
        return;
    m_timer2.stop();
    GO_Mail_Link();
}

// One pass: the page's answer, what the asked frames answered, and the wait for them.
struct Harvester::Pass {
    HarvestScript::Reading reading;
    std::optional<HarvestScript::Answer> answer;
    QHash<QString, HarvestScript::Frame> answered; // by token, as they come (before the answer)
    QSet<QString> asked;
    QMetaObject::Connection listening;
    QTimer deadline;
    bool finished = false;
    ~Pass() { QObject::disconnect(listening); }
};

void Harvester::GO_Mail_Link()
{
    if (m_waiting) {
        m_again = true;
        return;
    }
    BrowserView* view = m_currentView ? m_currentView() : nullptr;
    if (!view) {
        // No view, no document: the list is still opened and closed.
        finish(std::make_shared<Pass>());
        return;
    }
    read(view);
}

void Harvester::read(BrowserView* view)
{
    updateLatePoll();
    // The whole page is read by one script, so the current view is taken once; the selected tab
    // cannot change while the script runs.
    auto pass = std::make_shared<Pass>();
    pass->reading = {.otherSites = m_otherSiteFrames,
                     .page = m_pageItself,
                     .text = m_textAddresses,
                     .late = m_pageItself && m_mailAuto > 0};
    if (pass->reading.otherSites) {
        // Frames may answer before the page's own answer arrives.
        std::weak_ptr<Pass> weak = pass;
        pass->listening =
            connect(view, &BrowserView::consoleMessage, this, [this, weak](const QString& message) {
                const std::shared_ptr<Pass> p = weak.lock();
                if (!p || p->finished)
                    return;
                auto found = HarvestScript::decodeFrameAnswer(message);
                if (!found || p->answered.contains(found->token))
                    return;
                p->answered.insert(found->token, std::move(*found));
                if (p->answer && p->answered.size() >= p->asked.size() &&
                    std::all_of(p->asked.begin(), p->asked.end(),
                                [&p](const QString& token) { return p->answered.contains(token); }))
                    finish(p);
            });
    }
    QPointer<Harvester> self(this);
    view->runIsolated(HarvestScript::source(pass->reading), [self, pass](const QVariant& answer) {
        if (!self)
            return;
        // A page that went away while the script ran gives no answer: nothing is written, but
        // the list is opened and closed as by every pass.
        pass->answer = HarvestScript::decode(answer);
        if (pass->answer) {
            for (const HarvestScript::Frame& frame : pass->answer->read) {
                if (frame.state == HarvestScript::Frame::State::Asked)
                    pass->asked.insert(frame.token);
            }
        }
        const bool waiting =
            std::any_of(pass->asked.begin(), pass->asked.end(),
                        [&pass](const QString& t) { return !pass->answered.contains(t); });
        if (!waiting) {
            self->finish(pass);
            return;
        }
        self->m_waiting = pass;
        pass->deadline.setSingleShot(true);
        QObject::connect(&pass->deadline, &QTimer::timeout, self,
                         [self, weak = std::weak_ptr<Pass>(pass)] {
                             if (const std::shared_ptr<Pass> p = weak.lock())
                                 self->finish(p);
                         });
        pass->deadline.start(kFrameAnswerMs);
    });
}

void Harvester::finish(const std::shared_ptr<Pass>& pass)
{
    if (pass->finished)
        return;
    pass->finished = true;
    QObject::disconnect(pass->listening);
    pass->deadline.stop();
    const std::shared_ptr<Pass> keep = pass; // m_waiting may hold the last reference

    int documentsRead = 0;
    int framesNotRead = 0;
    const QStringList lines = linesOf(*pass, documentsRead, framesNotRead);
    if (write(lines)) {
        emit passRead(statusText(*pass, int(lines.size()), documentsRead, framesNotRead));
        emit passFinished(int(lines.size()));
    } else {
        emit passFinished(-1);
    }
    if (m_waiting == pass) {
        m_waiting.reset();
        if (m_again) {
            m_again = false;
            GO_Mail_Link();
        }
    }
}

QStringList Harvester::linesOf(const Pass& pass, int& documentsRead, int& framesNotRead) const
{
    QStringList lines;
    documentsRead = 0;
    framesNotRead = 0;
    if (!pass.answer)
        return lines;
    for (const HarvestScript::Frame& frame : pass.answer->read) {
        const HarvestScript::Frame* read = nullptr;
        switch (frame.state) {
        case HarvestScript::Frame::State::Read:
            read = &frame;
            break;
        case HarvestScript::Frame::State::Unread:
            lines += frame.entries;
            break;
        case HarvestScript::Frame::State::Skipped:
            ++framesNotRead;
            break;
        case HarvestScript::Frame::State::Asked:
            if (const auto it = pass.answered.constFind(frame.token);
                it != pass.answered.constEnd())
                read = &*it;
            else
                ++framesNotRead;
            break;
        }
        if (read) {
            ++documentsRead;
            lines += read->entries;
            // After a document's links, the addresses its text writes that they did not give.
            if (pass.reading.text)
                lines += TextAddresses::written(read->words, read->entries);
        }
    }
    // The frames of the page: those after the one the reading ended at are not read either.
    if (!pass.answer->page)
        framesNotRead = pass.answer->frames - documentsRead;
    return lines;
}

QString Harvester::statusText(const Pass& pass, int written, int documentsRead,
                              int framesNotRead) const
{
    const bool page = pass.answer ? pass.answer->page : pass.reading.page;
    if (!page && (!pass.answer || pass.answer->frames == 0))
        return m_captions[CaptionNo::PassNoFrames];
    // Each count in the words for one or for many.
    const auto count = [this](int n, int one, int many) {
        const QString text = m_captions.textOrEnglish(n == 1 ? one : many);
        return text.contains(QLatin1String("%1")) ? text.arg(n) : text;
    };
    return m_captions.textOrEnglish(CaptionNo::PassCounts)
        .arg(count(written, CaptionNo::AddressWritten, CaptionNo::AddressesWritten),
             page ? count(documentsRead, CaptionNo::DocumentRead, CaptionNo::DocumentsRead)
                  : count(documentsRead, CaptionNo::FrameRead, CaptionNo::FramesRead),
             count(framesNotRead, CaptionNo::FrameNotRead, CaptionNo::FramesNotRead));
}

void Harvester::GO_Late_Links()
{
    // Nothing of the program acts during a wait in place, nor while a pass waits for frames.
    constexpr qint64 kLateAnswerMs = 10000;
    if ((m_lateRunning.isValid() && m_lateRunning.elapsed() < kLateAnswerMs) || m_waiting ||
        Wait::active())
        return;
    BrowserView* view = m_currentView ? m_currentView() : nullptr;
    if (!view || view->Busy())
        return;
    m_lateRunning.start();
    QPointer<Harvester> self(this);
    view->runIsolated(HarvestScript::lateSource(), [self](const QVariant& answer) {
        if (!self)
            return;
        self->m_lateRunning.invalidate();
        Pass pass;
        pass.reading.page = true;
        pass.answer = HarvestScript::decode(answer);
        int documentsRead = 0;
        int framesNotRead = 0;
        const QStringList lines = self->linesOf(pass, documentsRead, framesNotRead);
        if (lines.isEmpty()) {
            emit self->latePassFinished(0);
            return;
        }
        if (!self->write(lines)) {
            // One message, not one every few seconds: the late passes wait for the next pass.
            self->m_latePoll.stop();
            emit self->latePassFinished(-1);
            return;
        }
        emit self->passRead(
            self->statusText(pass, int(lines.size()), documentsRead, framesNotRead));
        emit self->latePassFinished(int(lines.size()));
    });
}

bool Harvester::write(const QStringList& lines)
{
    const QString path = m_dir.path(ProgramFiles::MailsList);
    const TextFile::Result result = TextFile::append(path, lines);
    if (!result) {
        // The pass is abandoned; the flag and the timer stay as they are.
        m_desktop.report(m_messageParent, FileMessages::text(m_captions, result));
        return false;
    }
    return true;
}

void Harvester::installFrameScript(QWebEngineProfile* profile)
{
    QWebEngineScriptCollection* scripts = profile->scripts();
    if (!scripts->find(kFrameScriptName).isEmpty())
        return;
    QWebEngineScript script;
    script.setName(kFrameScriptName);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(HarvestScript::frameWorldSource());
    scripts->insert(script);
}

void Harvester::removeFrameScript(QWebEngineProfile* profile)
{
    QWebEngineScriptCollection* scripts = profile->scripts();
    const QList<QWebEngineScript> found = scripts->find(kFrameScriptName);
    for (const QWebEngineScript& script : found)
        scripts->remove(script);
}
