#include "export/pagepicture.h"

#include "export/exportrun.h"

#include "browse/browserview.h"
#include "config/captionnumbers.h"
#include "config/filemessages.h"
#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/programdir.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

PagePicture::PagePicture(PictureWindow& window, const ExportContext& context,
                         std::function<void()> afterPicture)
    : m_window(window), m_context(context), m_afterPicture(std::move(afterPicture))
{
}

void PagePicture::Take_Pic()
{
    ExportRun run(m_context);
    const ProgramDir& dir = m_context.dir;
    const CaptionTable& captions = m_context.captions;
    if (BrowserView* view = m_context.currentView())
        view->setVisible(true);
    QString why;
    const QImage picture = Load_ClipBoard(m_window, &why, &captions, m_settleMs);
    if (m_afterPicture)
        m_afterPicture();
    if (picture.isNull()) {
        run.finish(captions.textOrEnglish(CaptionNo::PictureNotTaken).arg(why));
        return;
    }
    // A folder that cannot be made shows as the picture file that cannot be written.
    const QString folder = dir.path(ProgramFiles::ImagesFolder);
    QDir().mkpath(folder);
    const std::optional<int> number = freeNumber(dir, m_picCount);
    if (!number) {
        run.finish(captions.textOrEnglish(CaptionNo::NoFreePictureNumber)
                       .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const QString path = dir.path(ProgramFiles::pictureFile(*number));
    if (const std::optional<QString> failure = writeBitmap(picture, path)) {
        run.finish(FileMessages::text(
            captions, TextFile::failed(TextFile::Result::Action::Write, path, *failure)));
        return;
    }
    m_picCount = *number + 1;
    run.finish(captions[CaptionNo::PictureSaved] + QStringLiteral(": ") +
               QDir::toNativeSeparators(path));
}

std::optional<int> PagePicture::freeNumber(const ProgramDir& dir, int first)
{
    for (int number = first; number < first + 1000; ++number) {
        // Names are matched without regard to letter case: "orvel000.BMP" takes number 0 too.
        const QFileInfo file(dir.path(ProgramFiles::pictureFile(number)));
        if (!file.exists() && !file.isSymLink())
            return number;
    }
    return std::nullopt;
}

std::optional<QString> PagePicture::writeBitmap(const QImage& picture, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, QByteArrayLiteral("bmp"));
    if (!writer.write(picture)) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}
