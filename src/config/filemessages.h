#pragma once

#include "core/textfile.h"

#include <QString>
#include <QStringList>

class CaptionTable;

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

} // namespace FileMessages
