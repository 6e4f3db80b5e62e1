#include "commands/languagemenu.h"

#include "commands/maincatalogue.h"

#include "commandbar/commandentry.h"
#include "config/programfiles.h"
#include "core/programdir.h"

#include <QDir>
#include <QSet>

namespace LanguageMenu {

QString nameOf(const QString& fileName)
{
    const qsizetype underscore = fileName.indexOf(QLatin1Char('_'));
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    if (underscore < 0 || dot <= underscore)
        return QString();
    return fileName.mid(underscore + 1, dot - underscore - 1);
}

QList<Language> find(const ProgramDir& dir)
{
    QList<Language> result;
    const QDir folder(dir.path(ProgramFiles::LanguagesFolder));
    const QStringList files = folder.entryList({QStringLiteral("Quorvink_*")}, QDir::Files,
                                               QDir::Name | QDir::IgnoreCase);
    QSet<QString> keys;
    for (const QString& file : files) {
        if (result.size() >= kCapacity)
            break;
        const QString name = nameOf(file);
        const QString key = MainCatalogue::languageKey(name);
        if (name.isEmpty() || MainCatalogue::find(key) || keys.contains(key) ||
            CommandEntry::isSeparatorKey(key))
            continue;
        keys.insert(key);
        result.append({name, file});
    }
    return result;
}

} // namespace LanguageMenu
