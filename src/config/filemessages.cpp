#include "config/filemessages.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QDir>
#include <QUrl>

namespace FileMessages {

QString text(const CaptionTable& captions, const TextFile::Result& result)
{
    using Action = TextFile::Result::Action;
    using Cause = TextFile::Result::Cause;
    QString format;
    switch (result.action) {
    case Action::Write:
        format = captions.text(CaptionNo::FileNotWritten, u"The file %1 could not be written: %2");
        break;
    case Action::Append:
        format =
            captions.text(CaptionNo::FileNotAppended, u"Nothing could be added to the file %1: %2");
        break;
    case Action::Empty:
        format = captions.text(CaptionNo::FileNotEmptied, u"The file %1 could not be emptied: %2");
        break;
    case Action::Remove:
        format = captions.text(CaptionNo::FileNotRemoved, u"The file %1 could not be removed: %2");
        break;
    case Action::Read:
    case Action::None:
        format = captions.text(CaptionNo::FileNotRead, u"The file %1 could not be read: %2");
        break;
    }
    QString reason = result.reason;
    if (result.cause == Cause::NotRegularFile)
        reason = captions.text(CaptionNo::NotRegularFile, u"it is not a regular file");
    else if (result.cause == Cause::TooLarge)
        reason = captions.text(CaptionNo::FileTooLarge, u"it is too large");
    else if (result.cause == Cause::KeptUnread)
        reason = captions.text(CaptionNo::FileKeptUnread,
                               u"it could not be read, so it is kept as it is");
    return format.arg(QDir::toNativeSeparators(result.path), reason);
}

QString languageFileUnreadable(const CaptionTable& captions, const QString& path)
{
    return captions
        .text(CaptionNo::LanguageFileUnreadable, u"The language file %1 could not be read.")
        .arg(QDir::toNativeSeparators(path));
}

QString noSettingsProgram(const CaptionTable& captions, const QStringList& tried)
{
    return captions
        .text(CaptionNo::NoSettingsProgram,
              u"No settings program was found on this system (looked for %1).")
        .arg(tried.join(QStringLiteral(", ")));
}

QString exitNotSaved(const CaptionTable& captions, const QList<TextFile::Result>& failures)
{
    QStringList lines{
        captions.text(CaptionNo::ExitNotSaved, u"Some of your settings could not be saved:")};
    for (const TextFile::Result& failure : failures)
        lines << text(captions, failure);
    return lines.join(QLatin1Char('\n'));
}

QString notOpened(const CaptionTable& captions, const QUrl& target, NotOpened why,
                  const QString& opener)
{
    if (target.isLocalFile()) {
        const QString path = QDir::toNativeSeparators(target.toLocalFile());
        if (why == NotOpened::Missing)
            return captions
                .text(CaptionNo::FileNotThere,
                      u"The file %1 could not be opened: it does not exist.")
                .arg(path);
        return captions
            .text(CaptionNo::FileNotOpened, u"The file %1 could not be opened: no program on this "
                                            u"desktop opens files (%2 is not installed).")
            .arg(path, opener);
    }
    return captions
        .text(CaptionNo::AddressNotOpened, u"The address %1 could not be opened: no program on "
                                           u"this desktop opens addresses (%2 is not installed).")
        .arg(target.toString(), opener);
}

QString readOnlyTitle(const CaptionTable& captions, const QString& fileName)
{
    return captions.text(CaptionNo::ReadOnlyTitle, u"%1 (read only)").arg(fileName);
}

} // namespace FileMessages
