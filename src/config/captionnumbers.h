#pragma once

// Numbers of the captions of the language files that the main window uses itself (the command
// entries' numbers are in the caption tables of the command bars).
namespace CaptionNo {

constexpr int LinkTableWord = 34; // "Group": default title of an empty link table
constexpr int ProgramName = 179;  // minimized window title and loading status text
constexpr int DragButtons = 215;  // tooltip of the two drag buttons
constexpr int AddressBox = 224;
constexpr int TabStrip = 225;
constexpr int StatusText = 226;
constexpr int Progress = 227;
constexpr int FindInPage = 228;
constexpr int FindPrevious = 229;
constexpr int FindNext = 230;
constexpr int FindClose = 231;
constexpr int FindResult = 232; // "%1 of %2"
constexpr int PageTitle = 233;
constexpr int PageProtocol = 234;
constexpr int PageSize = 235;
constexpr int PageSizeValue = 236; // "%1 x %2 pixels"
// Messages about files and settings programs; each has an English fallback for language files
// written before it existed (FileMessages).
constexpr int LanguageFileUnreadable = 237; // "The language file %1 could not be read."
constexpr int FileNotRead = 238;            // "The file %1 could not be read: %2"
constexpr int FileNotWritten = 239;         // "The file %1 could not be written: %2"
constexpr int FileNotAppended = 240;        // "Nothing could be added to the file %1: %2"
constexpr int FileNotEmptied = 241;         // "The file %1 could not be emptied: %2"
constexpr int NotRegularFile = 242;         // "it is not a regular file"
constexpr int FileTooLarge = 243;           // "it is too large"
constexpr int NoSettingsProgram = 244;      // "No settings program was found ... (looked for %1)."
constexpr int ExitNotSaved = 245;           // "Some of your settings could not be saved:"

// Screen picture, web archive and page source: 246-259.
constexpr int WindowNotDimmed = 246; // "The window could not be dimmed."

// Office exports: 260-279.

// Link tables: 280-289.

// Language editor, input window and About window: 290-309.
constexpr int AboutCredit = 290;          // "By the OrvelQuorvink authors: %1" (the address)
constexpr int LanguageNameUnusable = 291; // "The language name %1 cannot be used: %2. ..."
constexpr int LanguageNameEmpty = 292;    // "The name of the language is empty. ..."
constexpr int NameHasSeparator = 293;     // "it contains a path separator"
constexpr int NameHasDot = 294;           // "it contains a dot, where the language menu ..."
constexpr int NameHasBadCharacter = 295;  // "it contains a character that file names cannot hold"
constexpr int NameIsReserved = 296;       // "it is the name of the menu entry for a new ..."
constexpr int LanguageDiffers = 297;      // "The text differs from the English language file:"
constexpr int CaptionCountDiffers = 298;  // "%1 lines in double quotes, the English file has %2"
constexpr int SettingMissing = 299;       // "the setting %1 is missing"
constexpr int SettingUnknown = 300;       // "the setting %1 is not in the English file"
constexpr int FileNotRemoved = 301;       // "The file %1 could not be removed: %2"
constexpr int LanguageText = 302;         // the editor's text box, for screen readers
constexpr int FindInText = 303;           // "Find in the text"

} // namespace CaptionNo
