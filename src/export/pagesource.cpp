#include "export/pagesource.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>
#include <QWidget>

namespace {

const QString kReadMarkup = QStringLiteral(
    "(function () { const root = document.documentElement; return root ? root.outerHTML : null; "
    "})()");

} // namespace

void View_Source(BrowserView* view, const ProgramDir& dir, Desktop& desktop,
                 const CaptionTable& captions, QWidget* parent)
{
    const QString noDocument = captions.text(CaptionNo::NoDocument, u"The page shows no document.");
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
                              desktop.open(QUrl::fromLocalFile(written.path));
                          else
                              desktop.report(owner, FileMessages::text(captions, written));
                      });
}

TextFile::Result writePageSource(const ProgramDir& dir, const QString& markup)
{
    using Action = TextFile::Result::Action;
    const QDir root(dir.root());
    const QString name = ProgramFiles::PageSource.mid(1).toString();
    const QFileInfoList entries = root.entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QFile old(entry.filePath());
        if (!old.remove())
            return TextFile::failed(Action::Write, entry.filePath(), old.errorString());
    }
    const QString written = root.filePath(name);
    QSaveFile file(written);
    const QByteArray bytes = markup.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return TextFile::failed(Action::Write, written, file.errorString());
    TextFile::Result ok;
    ok.path = written;
    return ok;
}
