#pragma once

#include <QString>
#include <QStringView>

// Every file and folder of the program directory, named the way the program names them:
// relative, beginning with a backslash. Names are matched without regard to letter case
// (ProgramDir::path), so "\languages\..." and "\Languages\..." name the same folder.
namespace ProgramFiles {

inline constexpr QStringView Options = u"\\Data\\orvelquorvink.Opt";
inline constexpr QStringView Settings = u"\\Data\\orvelquorvink.Ini";
inline constexpr QStringView History = u"\\Data\\orvelquorvink.Hys";
inline constexpr QStringView Bookmark = u"\\Data\\OrvelBook.bm";
inline constexpr QStringView EngineFolder = u"\\Data\\Engine";
inline constexpr QStringView HelpPage = u"\\Data\\OrvelHelp.html";
inline constexpr QStringView TemplateDoc = u"\\Data\\Template.Doc";
inline constexpr QStringView TemplateHDoc = u"\\Data\\TemplateH.Doc";

inline constexpr QStringView LanguagesFolder = u"\\Languages";

inline constexpr QStringView MailsList = u"\\MailsList.txt";
inline constexpr QStringView MailsBook = u"\\MailsBook.txt";

// Temporary text files, deleted at exit.
inline constexpr QStringView HtmlText = u"\\html.txt";
inline constexpr QStringView DocText = u"\\doc.txt";

// "\Languages\Quorvink_" + name + ".txt": the language file of a language name.
inline QString languageFile(const QString& langName)
{
    return QStringLiteral("\\Languages\\Quorvink_") + langName + QStringLiteral(".txt");
}

// "Quorvink_" + name + ".Txt": the name the language editor gives a new language file in the
// languages folder, in the letter case typed.
inline QString newLanguageFileName(const QString& langName)
{
    return QStringLiteral("Quorvink_") + langName + QStringLiteral(".Txt");
}

} // namespace ProgramFiles
