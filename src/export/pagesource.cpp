#include "export/pagesource.h"

#include "export/exportcontext.h"
#include "export/exportrun.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "platform/desktop.h"

#include <QDir>
#include <QUrl>

#include <memory>

namespace {

const QString kReadMarkup = QStringLiteral(
    "(function () { const root = document.documentElement; return root ? root.outerHTML : null; "
    "})()");

} // namespace

void View_Source(const ExportContext& context)
{
    // The run ends with the answer of the page, which comes later.
    const auto run = std::make_shared<ExportRun>(context);
    BrowserView* view = context.currentView();
    const CaptionTable& captions = context.captions;
    const QString noDocument = captions.textOrEnglish(CaptionNo::NoDocument);
    if (!view || !view->hasDocument()) {
        run->report(noDocument);
        return;
    }
    view->runIsolated(kReadMarkup, [run, noDocument](const QVariant& markup) {
        if (markup.typeId() != QMetaType::QString) {
            run->report(noDocument);
            return;
        }
        const ExportContext& c = run->context();
        const TextFile::Result written = writePageSource(c.dir, markup.toString());
        if (written)
            run->showText(written.path);
        else
            run->finish(FileMessages::text(c.captions, written));
    });
}

TextFile::Result writePageSource(const ProgramDir& dir, const QString& markup)
{
    // Deleted first in whatever letter case it was left, then written anew.
    const QString name = ProgramFiles::PageSource.mid(1).toString();
    const QList<TextFile::Result> left = TextFile::removeEveryCase(dir.root(), name);
    if (!left.isEmpty())
        return left.first();
    const QString written = QDir(dir.root()).filePath(name);
    TextFile::Result result = TextFile::rewriteBytes(written, markup.toUtf8());
    result.path = written;
    return result;
}
