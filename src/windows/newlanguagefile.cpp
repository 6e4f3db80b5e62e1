#include "windows/newlanguagefile.h"

#include "config/programfiles.h"
#include "core/programdir.h"

#include <QFileInfo>

#include <algorithm>

namespace NewLanguageFile {

namespace {

// Characters that no file name may hold on the systems the program's folder may travel to.
bool isBadCharacter(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f || QStringView(u"<>:\"|?*").contains(c);
}

} // namespace

Name check(const QString& typed)
{
    Name result{typed.trimmed()};
    const QString& name = result.name;
    if (name.isEmpty())
        result.problem = NameProblem::Empty;
    else if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        result.problem = NameProblem::PathSeparator;
    else if (name.contains(QLatin1Char('.')))
        result.problem = NameProblem::Dot;
    else if (std::any_of(name.cbegin(), name.cend(), isBadCharacter))
        result.problem = NameProblem::BadCharacter;
    else if (name.compare(QLatin1String("new"), Qt::CaseInsensitive) == 0)
        result.problem = NameProblem::Reserved;
    return result;
}

QString path(const ProgramDir& dir, const QString& name)
{
    return dir.path(ProgramFiles::LanguagesFolder) + QLatin1Char('/') +
           ProgramFiles::newLanguageFileName(name);
}

Saved save(const ProgramDir& dir, const QString& name, const QStringList& lines)
{
    Saved saved;
    const QString target = path(dir, name);
    saved.written = TextFile::rewrite(target, lines);
    if (!saved.written)
        return saved;
    const QFileInfo written(target);
    saved.notRemoved =
        TextFile::removeEveryCase(written.path(), written.fileName(), written.fileName());
    return saved;
}

Shape shapeOf(const QStringList& lines)
{
    Shape shape;
    for (const QString& raw : lines) {
        // Lines are told apart as the language file reader tells them apart; notes for
        // translators begin with a semicolon.
        const QStringView line = TextFile::trimSpaces(raw);
        if (line.isEmpty() || line.front() == QLatin1Char('[') || line.front() == QLatin1Char(';'))
            continue;
        if (line.front() == QLatin1Char('"')) {
            ++shape.captions;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.first(equals).toString().toUpper();
        if (!shape.keys.contains(key))
            shape.keys.append(key);
    }
    return shape;
}

Differences compare(const Shape& english, const Shape& edited)
{
    Differences d;
    d.captions = edited.captions;
    d.englishCaptions = english.captions;
    for (const QString& key : english.keys) {
        if (!edited.keys.contains(key))
            d.missingKeys.append(key);
    }
    for (const QString& key : edited.keys) {
        if (!english.keys.contains(key))
            d.unknownKeys.append(key);
    }
    return d;
}

} // namespace NewLanguageFile
