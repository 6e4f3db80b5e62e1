#include "config/filemessages.h"

#include "config/captionnumbers.h"
#include "config/languagefile.h"

#include <QDir>

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

} // namespace FileMessages
