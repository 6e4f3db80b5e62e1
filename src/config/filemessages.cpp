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
        format = captions.textOrEnglish(CaptionNo::FileNotWritten);
        break;
    case Action::Append:
        format = captions.textOrEnglish(CaptionNo::FileNotAppended);
        break;
    case Action::Empty:
        format = captions.textOrEnglish(CaptionNo::FileNotEmptied);
        break;
    case Action::Remove:
        format = captions.textOrEnglish(CaptionNo::FileNotRemoved);
        break;
    case Action::Read:
    case Action::None:
        format = captions.textOrEnglish(CaptionNo::FileNotRead);
        break;
    }
    QString reason = result.reason;
    if (result.cause == Cause::NotRegularFile)
        reason = captions.textOrEnglish(CaptionNo::NotRegularFile);
    else if (result.cause == Cause::TooLarge)
        reason = captions.textOrEnglish(CaptionNo::FileTooLarge);
    else if (result.cause == Cause::KeptUnread)
        reason = captions.textOrEnglish(CaptionNo::FileKeptUnread);
    return format.arg(QDir::toNativeSeparators(result.path), reason);
}

QString languageFileUnreadable(const CaptionTable& captions, const QString& path)
{
    return captions.textOrEnglish(CaptionNo::LanguageFileUnreadable)
        .arg(QDir::toNativeSeparators(path));
}

QString noSettingsProgram(const CaptionTable& captions, const QStringList& tried)
{
    return captions.textOrEnglish(CaptionNo::NoSettingsProgram)
        .arg(tried.join(QStringLiteral(", ")));
}

QString exitNotSaved(const CaptionTable& captions, const QList<TextFile::Result>& failures)
{
    QStringList lines{captions.textOrEnglish(CaptionNo::ExitNotSaved)};
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
            return captions.textOrEnglish(CaptionNo::FileNotThere).arg(path);
        if (why == NotOpened::NoProgram)
            return captions.textOrEnglish(CaptionNo::FileNoProgram).arg(path);
        return captions.textOrEnglish(CaptionNo::FileNotOpened).arg(path, opener);
    }
    if (why == NotOpened::NoProgram)
        return captions.textOrEnglish(CaptionNo::AddressNoProgram).arg(target.toString());
    return captions.textOrEnglish(CaptionNo::AddressNotOpened).arg(target.toString(), opener);
}

QString readOnlyTitle(const CaptionTable& captions, const QString& fileName)
{
    return captions.textOrEnglish(CaptionNo::ReadOnlyTitle).arg(fileName);
}

} // namespace FileMessages
