#include "config/startlanguage.h"

#include "config/languagefile.h"
#include "config/optionsfile.h"
#include "config/programfiles.h"
#include "core/programdir.h"

#include <QDir>
#include <QList>

namespace {

// The parts of a locale or a desktop language: "pt_BR" and "pt-BR" both give {"pt", "br"}.
QStringList localeParts(const QString& name)
{
    QString normal = name.trimmed().toLower();
    normal.replace(QLatin1Char('_'), QLatin1Char('-'));
    return normal.split(QLatin1Char('-'), Qt::SkipEmptyParts);
}

struct LanguageCandidate {
    QString name;
    QString locale;
};

// The language files of the folder with the locale each names, in the order of their names.
QList<LanguageCandidate> languageCandidates(const ProgramDir& dir)
{
    QList<LanguageCandidate> found;
    const QDir folder(dir.path(ProgramFiles::LanguagesFolder));
    const QStringList files = folder.entryList({QStringLiteral("Quorvink_*.txt")}, QDir::Files,
                                               QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        const QString name = file.mid(9, file.size() - 13);
        if (name.isEmpty() || name.contains(QLatin1Char('.')))
            continue;
        CaptionTable captions;
        LanguageSettings settings;
        if (LanguageFile::read(folder.filePath(file), captions, settings).ok &&
            !settings.locale.isEmpty())
            found.append({name, settings.locale});
    }
    return found;
}

} // namespace

namespace StartLanguage {

bool answers(const QString& locale, const QString& uiLanguage)
{
    const QStringList wanted = localeParts(uiLanguage);
    const QStringList offered = localeParts(locale);
    if (wanted.isEmpty() || offered.isEmpty() || wanted.front() != offered.front())
        return false;
    // "de" answers every German; "pt_BR" only a Brazilian desktop.
    return offered.size() == 1 || wanted.mid(1).contains(offered.back());
}

QString forDesktop(const ProgramDir& dir, const QStringList& uiLanguages)
{
    const QList<LanguageCandidate> files = languageCandidates(dir);
    for (const QString& language : uiLanguages) {
        for (const LanguageCandidate& file : files) {
            if (answers(file.locale, language))
                return file.name;
        }
    }
    return QStringLiteral("English");
}

QString ofRun(const ProgramDir& dir, const QStringList& uiLanguages)
{
    if (const std::optional<Options> kept = OptionsFile::peek(dir.path(ProgramFiles::Options)))
        return kept->Lang_Name;
    return forDesktop(dir, uiLanguages);
}

QString localeOf(const ProgramDir& dir, const QString& language)
{
    CaptionTable captions;
    LanguageSettings settings;
    if (LanguageFile::read(dir.path(ProgramFiles::languageFile(language)), captions, settings).ok)
        return settings.locale.isEmpty() ? QStringLiteral("en") : settings.locale;
    return QStringLiteral("en");
}

} // namespace StartLanguage
