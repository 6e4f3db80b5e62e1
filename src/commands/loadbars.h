#pragma once

#include <QStringList>
#include <QtGlobal>

class CommandPool;
class ImageList;
class ProgramDir;
class QWidget;

// Fills the pool with the entries of the main window's records, one option entry per language
// file found, and the entries of the link-table window and the link-entry editor; the main
// window's panel entry reserves Tab_Width twips and hosts the tab strip Tab1. Lang_List receives
// the language names in menu order.
void Load_Buttons(CommandPool& pool, const ImageList& images, const ProgramDir& dir,
                  qint16 Tab_Width, QWidget* Tab1, QStringList& Lang_List);

// The language files saved since the start that the language menu lacks join it at once, each
// in its place by name, within the menu's capacity.
void addNewLanguages(CommandPool& pool, const ImageList& images, const ProgramDir& dir,
                     QStringList& Lang_List);

// Builds the main window's bars from its records, in the catalogue's bar order, the language
// entries first in the language menu, and links each drop-down bar to the entry that opens it.
// Needs Load_Buttons done.
void Load_Bars(CommandPool& pool, const QStringList& Lang_List);
