#pragma once

#include "core/textfile.h"

#include <QString>
#include <QStringList>

class CaptionTable;
class QUrl;

// The program's messages about files and settings programs, in the user's language. A language
// file written before these captions existed gives the English text.
namespace FileMessages {

// "The file ... could not be written: ..." and its kin, for a failed read or write.
QString text(const CaptionTable& captions, const TextFile::Result& result);
// The language file that could not be read (the program goes on in English).
QString languageFileUnreadable(const CaptionTable& captions, const QString& path);
// No settings program of a kind is installed; tried lists the programs looked for.
QString noSettingsProgram(const CaptionTable& captions, const QStringList& tried);
// The files the exit sequence could not save, one message.
QString exitNotSaved(const CaptionTable& captions, const QList<TextFile::Result>& failures);

// A file or address that could not be opened: the target, and why (nothing on this desktop
// opens files or addresses, opener naming the program that would; the opener found no program
// for it; or the file is not there).
enum class NotOpened { NoOpener, NoProgram, Missing };
QString notOpened(const CaptionTable& captions, const QUrl& target, NotOpened why,
                  const QString& opener);
// The title of the program's own read-only window showing a text file.
QString readOnlyTitle(const CaptionTable& captions, const QString& fileName);

} // namespace FileMessages
