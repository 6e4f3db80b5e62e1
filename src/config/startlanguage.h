#pragma once

#include <QString>
#include <QStringList>

class ProgramDir;

// The language of a first start, when there is no options file yet: the desktop's.
namespace StartLanguage {

// Whether a language file's locale ("de", "pt_BR") answers one of the desktop's languages
// ("de-DE", "de", "pt-BR"): the same language and, where the locale names one, the same country.
bool answers(const QString& locale, const QString& uiLanguage);

// The language whose file in the languages folder has the locale that answers the first of the
// desktop's languages (QLocale::uiLanguages(), most wanted first) any file answers; "English"
// when none does. The files are taken in the order of their names.
QString forDesktop(const ProgramDir& dir, const QStringList& uiLanguages);

// The language a run starts in: the options file's, or the desktop's on a first start.
QString ofRun(const ProgramDir& dir, const QStringList& uiLanguages);

// The locale of a language (its file's LOCALE); a file that cannot be read stands for English,
// which the start falls back on, and a file without one is English.
QString localeOf(const ProgramDir& dir, const QString& language);

} // namespace StartLanguage
