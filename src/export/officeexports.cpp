#include "export/officeexports.h"

#include "browse/browserview.h"
#include "browse/webattend.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "core/textfile.h"
#include "export/officefailure.h"
#include "export/officesession.h"
#include "export/pagecopy.h"
#include "export/pagepictures.h"
#include "export/setalpha.h"
#include "platform/desktop.h"

#include <QClipboard>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QScopeGuard>
#include <QTemporaryDir>

using Step = OfficeJob::Step;

// What tells the members of the export family apart.
struct OfficeExports::Family {
    QStringView filter;
    QStringView fallbackName; // the name for a page without a title; empty: none
    QStringView extension;
    bool clearsClipboard;
    // The fallback copy ends with the closing steps (the export goes on after them).
    bool fallbackMessage;
};

namespace {

// The status text of a step of the office while it runs.
struct StepTexts {
    Step step;
    int status;
};

constexpr StepTexts kSteps[] = {
    {Step::Start, CaptionNo::StepStart},     {Step::Open, CaptionNo::StepOpen},
    {Step::Paste, CaptionNo::StepPaste},     {Step::Save, CaptionNo::StepSave},
    {Step::Convert, CaptionNo::StepConvert},
};

const StepTexts& textsOf(Step step)
{
    for (const StepTexts& texts : kSteps) {
        if (texts.step == step)
            return texts;
    }
    return kSteps[0];
}

// The pointer shows that the program is busy for as long as this lives.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace

OfficeExports::OfficeExports(const ExportContext& context, Parts parts, QObject* parent)
    : QObject(parent), c(context), p(std::move(parts)),
      m_session(new OfficeSession(p.officeProfile, this))
{
    connect(m_session, &OfficeSession::stepChanged, this, [this](Step step) {
        const StepTexts& texts = textsOf(step);
        c.showStatus(c.captions.textOrEnglish(texts.status));
        emit stepChanged(step);
    });
    connect(m_session, &OfficeSession::waitingChanged, this, &OfficeExports::officeWaiting);
}

OfficeExports::~OfficeExports() = default;

void OfficeExports::setTemplates(const QString& Template_Doc, const QString& Template_HDoc)
{
    m_templateDoc = Template_Doc;
    m_templateHDoc = Template_HDoc;
}

void OfficeExports::SaveAsW(int Word_Kind)
{
    static constexpr Family kWord{u"Microsoft Word (*.doc)|*.doc", u"", u".doc", true, true};
    exportPage(kWord, [this, Word_Kind]() -> std::optional<OfficeJob::Request> {
        const QString& templatePath = Word_Kind == 0 ? m_templateDoc : m_templateHDoc;
        // Without its template the portrait export makes nothing; the landscape one makes a
        // landscape document of its own.
        if (templatePath.isEmpty() && Word_Kind != 0)
            return std::nullopt;
        OfficeJob::Request r;
        r.kind = OfficeJob::Kind::Writer;
        r.templatePath = templatePath;
        r.landscape = templatePath.isEmpty();
        return r;
    });
}

void OfficeExports::SaveAsE()
{
    static constexpr Family kSheet{u"Microsoft Excel(*.xls)|*.xls", u"ExcelDocument", u".xls",
                                   false, false};
    // An existing file of the chosen name is replaced, without asking, by the complete new
    // workbook: it is not deleted before, so that a failed export leaves it as it was.
    exportPage(kSheet, [] {
        OfficeJob::Request r;
        r.kind = OfficeJob::Kind::Calc;
        return std::optional(r);
    });
}

void OfficeExports::SaveAsF()
{
    static constexpr Family kPdf{u"PDF  (*.pdf)|*.pdf", u"", u".pdf", true, false};
    exportPage(kPdf, [this]() -> std::optional<OfficeJob::Request> {
        if (m_templateHDoc.isEmpty())
            return std::nullopt;
        // The companion document beside the PDF is named after it by the job.
        OfficeJob::Request r;
        r.kind = OfficeJob::Kind::Pdf;
        r.templatePath = m_templateHDoc;
        return r;
    });
}

void OfficeExports::exportPage(const Family& family,
                               const std::function<std::optional<OfficeJob::Request>()>& request)
{
    BrowserView* view = c.currentView();
    if (m_running || !view || officeMissing())
        return;
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });

    Set_Alpha(c.window, Alpha_Dim, c.desktop, c.captions);
    const std::optional<CopiedPage> page = copyPage(view, family);
    if (!page) {
        c.showStatus(QString());
        report(c.captions.text(CaptionNo::NothingCopied));
        closingSteps();
        return;
    }
    if (!askFileName(view, family.filter, family.fallbackName, family.extension)) {
        closingSteps();
        return;
    }
    if (std::optional<OfficeJob::Request> r = request()) {
        r->html = page->html;
        r->pictures = PagePictures::fetch(view);
        r->text = page->text;
        r->target = m_dialog.FileName();
        const OfficeJob::Result result = runOffice(*r);
        if (result.cause == OfficeJob::Cause::Stopped) {
            c.showStatus(QString());
            Set_Alpha(c.window, Alpha_Full, c.desktop, c.captions);
            return;
        }
        if (!result.ok) {
            finish(officeFailureText(c.captions, result));
            return;
        }
    }
    closingSteps();
}

// The copy of the page to the clipboard, its fallback, and what the clipboard then holds. The
// content is taken from the clipboard here, before the dialog: what another program copies
// while the dialog is open does not end up in the export.
std::optional<CopiedPage> OfficeExports::copyPage(BrowserView* view, const Family& family)
{
    if (family.clearsClipboard)
        QGuiApplication::clipboard()->clear();
    c.showStatus(c.captions.textOrEnglish(CaptionNo::StepCopy));
    bool copied = false;
    {
        const BusyPointer busy;
        copied = PageCopy::copyBody(view);
        if (copied)
            WebAttend(c.currentView);
        else
            PageCopy::copyFallback(view);
    }
    if (!copied && family.fallbackMessage)
        closingSteps();
    return PageCopy::clipboardContent();
}

bool OfficeExports::askFileName(BrowserView* view, QStringView filter, QStringView fallback,
                                QStringView extension)
{
    const QString proposed = defaultFileName(PageCopy::documentTitle(view), fallback, extension);
    c.showStatus(QString());
    return m_dialog.ShowSave(c.desktop, c.window, c.captions.textOrEnglish(CaptionNo::SaveAsTitle),
                             filter, proposed);
}

bool OfficeExports::officeMissing()
{
    if (m_session->helperInstalled())
        return false;
    report(c.captions[CaptionNo::OfficeNotInstalled]);
    return true;
}

OfficeJob::Result OfficeExports::runOffice(const OfficeJob::Request& request)
{
    // What the export may write, and whether it stood there before.
    QList<std::pair<QString, bool>> made{{request.target, false}};
    if (request.kind == OfficeJob::Kind::Pdf)
        made.append({OfficeJob::companionPathFor(request.target), false});
    for (auto& [path, existed] : made)
        existed = QFileInfo::exists(path) || QFileInfo(path).isSymLink();

    OfficeJob::Result result;
    {
        const BusyPointer busy;
        result = m_session->run(request);
    }
    // Cancelled after the office had put a file in place: it goes again.
    if (result.cause == OfficeJob::Cause::Stopped) {
        for (const auto& [path, existed] : std::as_const(made)) {
            if (!existed)
                QFile::remove(path);
        }
    }
    return result;
}

void OfficeExports::warmUp()
{
    if (!m_running)
        m_session->warmUp();
}

void OfficeExports::cancelOffice()
{
    m_session->cancel();
}

void OfficeExports::setCancelControl(QWidget* control)
{
    m_session->setCancelControl(control);
}

void OfficeExports::closingSteps()
{
    finish(c.captions.text(CaptionNo::ExportSaved) + m_dialog.FileName());
}

void OfficeExports::finish(const QString& message)
{
    c.showStatus(QString());
    Set_Alpha(c.window, Alpha_Full, c.desktop, c.captions);
    report(message);
}

void OfficeExports::report(const QString& text)
{
    c.desktop.report(c.window, text);
}

void OfficeExports::SaveAsP()
{
    BrowserView* view = c.currentView();
    if (m_running || !view || officeMissing())
        return;
    m_running = true;
    QGuiApplication::clipboard()->clear();
    view->setVisible(true);
    // The window lays itself out again whatever happens below.
    p.setNoResize(true);
    const auto done = qScopeGuard([this] {
        c.showStatus(QString());
        p.setNoResize(false);
        m_running = false;
    });

    if (!askFileName(view, u"Microsoft Powerpoint(*.ppt)|*.ppt", u"PPTDocument", u".ppt"))
        return;
    p.stretchView();

    c.showStatus(c.captions.textOrEnglish(CaptionNo::StepPicture));
    const QImage picture = p.screenPicture ? p.screenPicture() : QImage();
    if (picture.isNull()) {
        report(c.captions.textOrEnglish(CaptionNo::NoScreenPicture));
        return;
    }
    const QTemporaryDir folder;
    OfficeJob::Request r;
    r.kind = OfficeJob::Kind::Impress;
    r.image = folder.filePath(QStringLiteral("screen.png"));
    r.target = m_dialog.FileName();
    QImageWriter writer(r.image, "png");
    if (!folder.isValid() || !writer.write(picture)) {
        report(FileMessages::text(c.captions, TextFile::failed(TextFile::Result::Action::Write,
                                                               r.image, writer.errorString())));
        return;
    }

    const OfficeJob::Result result = runOffice(r);
    c.showStatus(QString());
    if (result.cause == OfficeJob::Cause::Stopped)
        return;
    if (!result.ok) {
        report(officeFailureText(c.captions, result));
        return;
    }
    report(c.captions.text(CaptionNo::SlideWord) + QLatin1Char(' ') +
           QString::number(result.slides) + QLatin1Char(' ') +
           c.captions.text(CaptionNo::SlideAdded) + QLatin1Char('\n') + m_dialog.FileName());
}

void OfficeExports::quitOffice()
{
    m_session->quit();
}
