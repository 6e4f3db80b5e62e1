#include "export/pagesource.h"

#include "export/exportcontext.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "platform/desktop.h"

#include <QDir>
#include <QPointer>
#include <QUrl>
#include <QWidget>

namespace {

const QString kReadMarkup = QStringLiteral(
    "(function () { const root = document.documentElement; return root ? root.outerHTML : null; "
    "})()");

} // namespace

void View_Source(const ExportContext& context)
{
    BrowserView* view = context.currentView();
    const ProgramDir& dir = context.dir;
    Desktop& desktop = context.desktop;
    const CaptionTable& captions = context.captions;
    QWidget* parent = context.window;
    const QString noDocument = captions.textOrEnglish(CaptionNo::NoDocument);
    if (!view || !view->hasDocument()) {
        desktop.report(parent, noDocument);
        return;
    }
    QPointer<QWidget> owner(parent);
    view->runIsolated(kReadMarkup,
                      [&dir, &desktop, &captions, owner, noDocument](const QVariant& markup) {
                          if (markup.typeId() != QMetaType::QString) {
                              desktop.report(owner, noDocument);
                              return;
                          }
                          const TextFile::Result written = writePageSource(dir, markup.toString());
                          if (written)
                              desktop.openTextOrReport(owner, written.path, captions);
                          else
                              desktop.report(owner, FileMessages::text(captions, written));
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
