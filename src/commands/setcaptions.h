#pragma once

#include <QString>

class CaptionTable;
class CommandPool;
class SmallWindows;
struct LanguageSettings;

// Copies the texts of the current language onto the command entries, as their records number
// them: tooltips of the toolbar entries, captions of the menu entries (one names the current
// language file), the descriptions of the site commands, and the captions of the language
// editor's and the input window's entries where those windows have added them. Every text named
// here is overwritten on each run, so no text of the previous language stays; a missing caption
// gives an empty text. Language entries, separators and panels keep what they have. Given the small
// windows, the language editor and the input window are loaded (hidden) where they are not, so
// that their entries exist, and the input window's question follows the language too.
void Set_Captions(CommandPool& pool, const CaptionTable& Lang_Text,
                  const LanguageSettings& settings, const QString& Lang_Name,
                  SmallWindows* windows = nullptr);
