#include "windows/newlanguagefile.h"

#include "config/languagefile.h"
#include "config/programfiles.h"
#include "core/asciicase.h"
#include "core/programdir.h"

#include <QFileInfo>

#include <algorithm>

namespace NewLanguageFile {

namespace {

// Characters that no file name may hold on the systems the program's folder may travel to.
bool isBadCharacter(QChar c)
{
    return QStringView(u"<>:\"|?*").contains(c);
}

// Characters that do not show as themselves: controls, format characters (direction marks,
// zero-width ones), line and paragraph separators, and halves of a character without the other.
bool isInvisible(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// The first invisible character of a name, 0 when none. A half of a surrogate pair alone is
// read as itself.
char32_t firstInvisible(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t c = name[i].unicode();
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        if (isInvisible(c))
            return c;
    }
    return 0;
}

// Names that stand for a device on some systems, whatever follows a dot and in any letter case;
// the superscript digits count as digits there.
bool isDeviceName(QStringView name)
{
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    QStringView base = dot < 0 ? name : name.first(dot);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL"}) {
        if (AsciiCase::equal(base, device))
            return true;
    }
    if (base.size() != 4)
        return false;
    const QStringView stem = base.first(3);
    if (!AsciiCase::equal(stem, u"COM") && !AsciiCase::equal(stem, u"LPT"))
        return false;
    const QChar digit = base[3];
    return (digit >= QLatin1Char('1') && digit <= QLatin1Char('9')) ||
           QStringView(u"\u00B9\u00B2\u00B3").contains(digit);
}

// Only blanks and tabs go: any other character at either end is part of the name and checked.
QString trimBlanks(const QString& typed)
{
    qsizetype begin = 0;
    qsizetype end = typed.size();
    const auto blank = [](QChar c) {
        return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
    };
    while (begin < end && blank(typed[begin]))
        ++begin;
    while (end > begin && blank(typed[end - 1]))
        --end;
    return typed.sliced(begin, end - begin);
}

} // namespace

Name check(const QString& typed)
{
    Name result{trimBlanks(typed)};
    const QString& name = result.name;
    if (name.isEmpty())
        result.problem = NameProblem::Empty;
    else if ((result.character = firstInvisible(name)) != 0)
        result.problem = NameProblem::Invisible;
    else if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        result.problem = NameProblem::PathSeparator;
    else if (isDeviceName(name))
        result.problem = NameProblem::Device;
    else if (name.contains(QLatin1Char('.')))
        result.problem = NameProblem::Dot;
    else if (std::any_of(name.cbegin(), name.cend(), isBadCharacter))
        result.problem = NameProblem::BadCharacter;
    else if (AsciiCase::equal(name, u"new"))
        result.problem = NameProblem::Reserved;
    return result;
}

QString shown(const QString& name)
{
    QString text;
    text.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            const char32_t c = QChar::surrogateToUcs4(name[i], name[i + 1]);
            if (isInvisible(c))
                text += QChar::ReplacementCharacter;
            else
                text += name.sliced(i, 2);
            ++i;
        } else {
            text += isInvisible(name[i].unicode()) ? QChar(QChar::ReplacementCharacter) : name[i];
        }
    }
    return text;
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
    // A file without a locale is still whole: Qt's and the engine's texts are English for it.
    for (const QString& key : english.keys) {
        if (!edited.keys.contains(key) && key != LanguageFile::kLocaleKey)
            d.missingKeys.append(key);
    }
    for (const QString& key : edited.keys) {
        if (!english.keys.contains(key))
            d.unknownKeys.append(key);
    }
    return d;
}

} // namespace NewLanguageFile
