#include "export/officeexports.h"

#include "browse/browserview.h"
#include "browse/webattend.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "core/textfile.h"
#include "export/exportrun.h"
#include "export/officefailure.h"
#include "export/officepictures.h"
#include "export/officesession.h"
#include "export/pagecopy.h"
#include "platform/desktop.h"

#include <QClipboard>
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
    QStringView fallbackName; // the name for a page without a usable title
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
    static constexpr Family kWord{u"Microsoft Word (*.doc)|*.doc", u"WordDocument", u".doc", true,
                                  true};
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
    static constexpr Family kPdf{u"PDF  (*.pdf)|*.pdf", u"PDFDocument", u".pdf", true, false};
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
    ExportRun run(c);
    BrowserView* view = c.currentView();
    if (m_running || !view || officeMissing(run))
        return;
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });

    run.dim();
    const std::optional<CopiedPage> page = copyPage(run, view, family);
    if (!page) {
        run.status(QString());
        run.report(c.captions.text(CaptionNo::NothingCopied));
        run.finish(savedMessage());
        return;
    }
    // A cancelled dialog wrote nothing, and says nothing.
    if (!askFileName(run, view, family.filter, family.fallbackName, family.extension)) {
        run.end();
        return;
    }
    if (std::optional<OfficeJob::Request> r = request()) {
        r->html = page->html;
        r->pictures = OfficePictures::fetch(view);
        r->text = page->text;
        r->target = m_dialog.FileName();
        const OfficeJob::Result result = runOffice(run, *r);
        if (result.cause == OfficeJob::Cause::Stopped) {
            run.end();
            return;
        }
        if (!result.ok) {
            run.finish(officeFailureText(c.captions, result));
            return;
        }
    }
    run.finish(savedMessage());
}

// The copy of the page to the clipboard, its fallback, and what the clipboard then holds. The
// content is taken from the clipboard here, before the dialog: what another program copies
// while the dialog is open does not end up in the export.
std::optional<CopiedPage> OfficeExports::copyPage(ExportRun& run, BrowserView* view,
                                                  const Family& family)
{
    if (family.clearsClipboard)
        QGuiApplication::clipboard()->clear();
    run.status(c.captions.textOrEnglish(CaptionNo::StepCopy));
    bool copied = false;
    {
        const ExportRun::Busy busy = run.busy();
        copied = PageCopy::copyBody(view);
        if (copied)
            WebAttend(c.currentView);
        else
            PageCopy::copyFallback(view);
    }
    if (!copied && family.fallbackMessage)
        run.finish(savedMessage());
    return PageCopy::clipboardContent();
}

bool OfficeExports::askFileName(ExportRun& run, BrowserView* view, QStringView filter,
                                QStringView fallback, QStringView extension,
                                ExportDialog::Existing existing)
{
    const QString proposed = defaultFileName(PageCopy::documentTitle(view), fallback, extension);
    run.status(QString());
    return m_dialog.ShowSave(c.desktop, run.window(),
                             c.captions.textOrEnglish(CaptionNo::SaveAsTitle), filter, proposed,
                             existing);
}

bool OfficeExports::officeMissing(const ExportRun& run)
{
    if (m_session->helperInstalled())
        return false;
    run.report(c.captions[CaptionNo::OfficeNotInstalled]);
    return true;
}

OfficeJob::Result OfficeExports::runOffice(const ExportRun& run, const OfficeJob::Request& request)
{
    // What the export may write, and whether it stood there before.
    QList<std::pair<QString, bool>> made{{request.target, false}};
    if (request.kind == OfficeJob::Kind::Pdf)
        made.append({OfficeJob::companionPathFor(request.target), false});
    for (auto& [path, existed] : made)
        existed = QFileInfo::exists(path) || QFileInfo(path).isSymLink();

    OfficeJob::Result result;
    {
        const ExportRun::Busy busy = run.busy();
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

QString OfficeExports::savedMessage() const
{
    return c.captions.text(CaptionNo::PageSavedAs) + m_dialog.FileName();
}

void OfficeExports::SaveAsP()
{
    ExportRun run(c);
    BrowserView* view = c.currentView();
    if (m_running || !view || officeMissing(run))
        return;
    m_running = true;
    QGuiApplication::clipboard()->clear();
    view->setVisible(true);
    // The run ends, then the window lays itself out again, whatever happens below.
    p.setNoResize(true);
    const auto done = qScopeGuard([this, &run] {
        run.end();
        p.setNoResize(false);
        m_running = false;
    });

    // A slide is added to a presentation that exists: choosing one replaces nothing.
    if (!askFileName(run, view, u"Microsoft Powerpoint(*.ppt)|*.ppt", u"PPTDocument", u".ppt",
                     ExportDialog::Existing::AddedTo))
        return;
    p.stretchView();

    run.status(c.captions.textOrEnglish(CaptionNo::StepPicture));
    const QImage picture = p.screenPicture ? p.screenPicture() : QImage();
    if (picture.isNull()) {
        run.report(c.captions.textOrEnglish(CaptionNo::NoScreenPicture));
        return;
    }
    const QTemporaryDir folder;
    OfficeJob::Request r;
    r.kind = OfficeJob::Kind::Impress;
    r.image = folder.filePath(QStringLiteral("screen.png"));
    r.target = m_dialog.FileName();
    QImageWriter writer(r.image, "png");
    if (!folder.isValid() || !writer.write(picture)) {
        run.report(FileMessages::text(c.captions, TextFile::failed(TextFile::Result::Action::Write,
                                                                   r.image, writer.errorString())));
        return;
    }

    const OfficeJob::Result result = runOffice(run, r);
    run.status(QString());
    if (result.cause == OfficeJob::Cause::Stopped)
        return;
    if (!result.ok) {
        run.report(officeFailureText(c.captions, result));
        return;
    }
    run.report(c.captions.text(CaptionNo::SlideWord) + QLatin1Char(' ') +
               QString::number(result.slides) + QLatin1Char(' ') +
               c.captions.text(CaptionNo::SlideAdded) + QLatin1Char('\n') + m_dialog.FileName());
}

void OfficeExports::quitOffice()
{
    m_session->quit();
}
