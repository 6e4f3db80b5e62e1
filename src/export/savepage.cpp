#include "export/savepage.h"

#include "export/exportcontext.h"

#include "browse/browserview.h"
#include "browse/webpage.h"
#include "config/captionnumbers.h"
#include "config/languagefile.h"
#include "core/wait.h"
#include "export/exportrun.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaEnum>
#include <QPointer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

#include <optional>

namespace {

using Format = QWebEngineDownloadRequest::SavePageFormat;

// The formats the save dialog offers, in its order; the first is the one a name without a known
// extension gets.
struct PageFormat {
    Format format;
    int caption;
    QLatin1String extension;
};
const PageFormat kFormats[] = {
    {QWebEngineDownloadRequest::MimeHtmlSaveFormat, CaptionNo::WebArchiveFormat,
     QLatin1String("mht")},
    {QWebEngineDownloadRequest::CompleteHtmlSaveFormat, CaptionNo::CompletePageFormat,
     QLatin1String("html")},
    {QWebEngineDownloadRequest::SingleHtmlSaveFormat, CaptionNo::MarkupOnlyFormat,
     QLatin1String("html")},
};

QString filterOf(const PageFormat& f, const CaptionTable& captions)
{
    return captions.textOrEnglish(f.caption) + QStringLiteral(" (*.") + f.extension +
           QLatin1Char(')');
}

// The format of the filter chosen, else of the file's extension.
const PageFormat& formatFor(const QString& filter, const QString& path,
                            const CaptionTable& captions)
{
    for (const PageFormat& f : kFormats) {
        if (filterOf(f, captions) == filter)
            return f;
    }
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return kFormats[2];
    return kFormats[0];
}

// Has the engine write the page; the reason when it did not.
std::optional<QString> savePage(QWebEnginePage* page, const QString& path, Format format,
                                int boundMs, const CaptionTable& captions)
{
    QPointer<QWebEngineDownloadRequest> request;
    QWebEngineProfile* profile = page->profile();
    const QMetaObject::Connection seen =
        QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                         [page, &request](QWebEngineDownloadRequest* r) {
                             if (!r->isSavePageDownload() || r->page() != page)
                                 return;
                             request = r;
                             if (r->state() == QWebEngineDownloadRequest::DownloadRequested)
                                 r->accept();
                         });
    page->save(path, format);
    Wait::until([&request] { return request && request->isFinished(); }, boundMs);
    QObject::disconnect(seen);
    if (!request || !request->isFinished()) {
        if (request)
            request->cancel();
        return captions.textOrEnglish(CaptionNo::SaveTookTooLong);
    }
    if (request->state() == QWebEngineDownloadRequest::DownloadCompleted)
        return std::nullopt;
    // The engine's own reason, for the reasons it names (it has none for some, such as a folder
    // that does not exist).
    const auto reason = request->interruptReason();
    const QMetaEnum reasons =
        QMetaEnum::fromType<QWebEngineDownloadRequest::DownloadInterruptReason>();
    // The engine's words are English: they follow the translated lead on a line of their own.
    if (reason != QWebEngineDownloadRequest::NoReason && reasons.valueToKey(reason))
        return captions.text(CaptionNo::EngineReason) + QLatin1Char('\n') +
               request->interruptReasonString();
    return captions.textOrEnglish(CaptionNo::EngineDidNotWrite);
}

// The name the dialog proposes: the page title without the characters a file name cannot hold,
// cut at 120 characters and at 200 bytes (a file name may take 255, and a character outside ASCII
// two to four), between two characters.
QString proposedPageName(const QString& title, const QString& extension)
{
    constexpr qsizetype kNameChars = 120;
    constexpr qsizetype kNameBytes = 200;
    QString name;
    for (const QChar c : title) {
        if (c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c))
            name += QLatin1Char(' ');
        else
            name += c;
    }
    name = name.simplified().left(kNameChars);
    while (!name.isEmpty() && (name.toUtf8().size() > kNameBytes || name.back().isHighSurrogate()))
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    return name + QLatin1Char('.') + extension;
}

} // namespace

void SaveAsH(const ExportContext& context, int boundMs)
{
    ExportRun run(context);
    BrowserView* view = context.currentView();
    Desktop& desktop = context.desktop;
    const CaptionTable& captions = context.captions;
    if (!view || !view->hasDocument()) {
        run.report(captions.textOrEnglish(CaptionNo::NoDocument));
        return;
    }
    run.dim();
    QStringList filters;
    for (const PageFormat& f : kFormats)
        filters << filterOf(f, captions);
    const QString title = view->LocationName();
    QString chosenFilter;
    const std::optional<QString> chosen =
        desktop.askSaveFile(run.window(), captions.textOrEnglish(CaptionNo::SavePageTitle),
                            filters.join(QStringLiteral(";;")),
                            proposedPageName(title, QStringLiteral("mht")), &chosenFilter);

    // A cancelled dialog wrote nothing, and says nothing.
    if (!chosen || chosen->isEmpty()) {
        run.end();
        return;
    }
    const PageFormat& format = formatFor(chosenFilter, *chosen, captions);
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QString(format.extension);
    std::optional<QString> failure;
    {
        const ExportRun::Busy busy = run.busy();
        failure = savePage(view->page(), path, format.format, boundMs, captions);
    }
    run.finish(failure ? captions.textOrEnglish(CaptionNo::PageNotSaved)
                             .arg(QDir::toNativeSeparators(path), *failure)
                       : captions[CaptionNo::PageSavedAs] + QDir::toNativeSeparators(path));
}
