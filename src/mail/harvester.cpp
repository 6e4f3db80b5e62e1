#include "mail/harvester.h"

#include "browse/browserview.h"
#include "config/filemessages.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "core/textfile.h"
#include "core/wait.h"
#include "mail/harvestscript.h"
#include "platform/desktop.h"

#include <QPointer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

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
}

void Harvester::toggle()
{
    if (m_mailAuto != 0) {
        m_mailAuto = 0;
        emit iconChanged(kIconOff);
        return;
    }
    m_mailAuto = 1;
    emit iconChanged(kIconOn);
    GO_Mail_Link();
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

void Harvester::GO_Mail_Link()
{
    BrowserView* view = m_currentView ? m_currentView() : nullptr;
    if (!view) {
        // No view, no document: the list is still opened and closed.
        write({});
        return;
    }
    // The whole page is read by one script, so the current view is taken once; the selected tab
    // cannot change while the script runs.
    QPointer<Harvester> self(this);
    view->runIsolated(HarvestScript::source(), [self](const QVariant& answer) {
        if (!self)
            return;
        // A page that went away while the script ran gives no answer: nothing is written, but
        // the list is opened and closed as by every pass.
        self->write(HarvestScript::decode(answer).value_or(QStringList()));
    });
}

void Harvester::write(const QStringList& lines)
{
    const QString path = m_dir.path(ProgramFiles::MailsList);
    const TextFile::Result result = TextFile::append(path, lines);
    if (!result) {
        // The pass is abandoned; the flag and the timer stay as they are.
        m_desktop.report(m_messageParent, FileMessages::text(m_captions, result));
        emit passFinished(-1);
        return;
    }
    emit passFinished(int(lines.size()));
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
