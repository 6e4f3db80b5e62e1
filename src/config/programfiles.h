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
// The settings the other files do not hold (an INI file): the save dialogs' folder, ...
inline constexpr QStringView Extra = u"\\Data\\orvelquorvink.Ext";
// Held while a program runs on this directory: one program per program directory.
inline constexpr QStringView Lock = u"\\Data\\orvelquorvink.Lck";
// The profile of the program's own office, kept between exports; the user's office never uses it.
inline constexpr QStringView OfficeProfile = u"\\Data\\Office";

inline constexpr QStringView LanguagesFolder = u"\\Languages";

// The link tables: the titles of all tables, and one file of entries per table.
inline constexpr QStringView LinksFolder = u"\\Links";
inline constexpr QStringView LinkTitlesFile = u"\\Links\\Links.Bok";

inline constexpr QStringView MailsList = u"\\MailsList.txt";
inline constexpr QStringView MailsBook = u"\\MailsBook.txt";

// Temporary text files, deleted at exit.
inline constexpr QStringView HtmlText = u"\\html.txt";
inline constexpr QStringView DocText = u"\\doc.txt";
// The page's markup, written under this name (it is the same file as DocText).
inline constexpr QStringView PageSource = u"\\Doc.Txt";

// The page pictures: "\Images\Orvel" and three digits, ".bmp".
inline constexpr QStringView ImagesFolder = u"\\Images";

// "\Languages\Quorvink_" + name + ".txt": the language file of a language name.
inline QString languageFile(const QString& langName)
{
    return QStringLiteral("\\Languages\\Quorvink_") + langName + QStringLiteral(".txt");
}

// The picture file of a picture number: its last three decimal digits, so 1000 gives "000".
inline QString pictureFile(int number)
{
    return QStringLiteral("\\Images\\Orvel%1.bmp").arg(number % 1000, 3, 10, QLatin1Char('0'));
}

// "\Links\Links." + the table number in three digits: "\Links\Links.007" holds table 7.
inline QString linkTable(int table)
{
    return QStringLiteral("\\Links\\Links.%1").arg(table, 3, 10, QLatin1Char('0'));
}

// "\Data\OrvelHelp_" + name + ".html": the help page of a language other than English (HelpPage).
inline QString helpPage(const QString& langName)
{
    return QStringLiteral("\\Data\\OrvelHelp_") + langName + QStringLiteral(".html");
}

// "\Data\OrvelGOTab" + language code + ".pdf": the guide to the link tables ("Eng" for English).
inline QString linkHelp(const QString& langCode)
{
    return QStringLiteral("\\Data\\OrvelGOTab") + langCode + QStringLiteral(".pdf");
}

// "Quorvink_" + name + ".Txt": the name the language editor gives a new language file in the
// languages folder, in the letter case typed.
inline QString newLanguageFileName(const QString& langName)
{
    return QStringLiteral("Quorvink_") + langName + QStringLiteral(".Txt");
}

} // namespace ProgramFiles
