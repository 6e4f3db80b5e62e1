#include "export/pagepicture.h"

#include "export/exportcontext.h"

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
    : m_window(window), m_dir(context.dir), m_desktop(context.desktop),
      m_captions(context.captions), m_afterPicture(std::move(afterPicture))
{
}

void PagePicture::Take_Pic()
{
    QString why;
    const QImage picture = Load_ClipBoard(m_window, &why, &m_captions, m_settleMs);
    if (m_afterPicture)
        m_afterPicture();
    QWidget* parent = m_window.window();
    if (picture.isNull()) {
        m_desktop.report(parent, m_captions.textOrEnglish(CaptionNo::PictureNotTaken).arg(why));
        return;
    }
    // A folder that cannot be made shows as the picture file that cannot be written.
    const QString folder = m_dir.path(ProgramFiles::ImagesFolder);
    QDir().mkpath(folder);
    const std::optional<int> number = freeNumber(m_dir, m_picCount);
    if (!number) {
        m_desktop.report(parent, m_captions.textOrEnglish(CaptionNo::NoFreePictureNumber)
                                     .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    const QString path = m_dir.path(ProgramFiles::pictureFile(*number));
    if (const std::optional<QString> failure = writeBitmap(picture, path)) {
        m_desktop.report(
            parent, FileMessages::text(m_captions, TextFile::failed(TextFile::Result::Action::Write,
                                                                    path, *failure)));
        return;
    }
    m_picCount = *number + 1;
    m_desktop.report(parent, m_captions[CaptionNo::PictureSaved] + QStringLiteral(": ") +
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
