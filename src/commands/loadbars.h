#pragma once

#include <QStringList>
#include <QtGlobal>

class CommandPool;
class ImageList;
class ProgramDir;
class QWidget;

// Fills the pool with every entry of the program (the main window's and those the link-table
// window and the link-entry editor show) and one option entry per language file found; the
// panel entry "NIL4" reserves Tab_Width twips and hosts the tab strip Tab1. Lang_List receives
// the language names in menu order.
void Load_Buttons(CommandPool& pool, const ImageList& images, const ProgramDir& dir,
                  qint16 Tab_Width, QWidget* Tab1, QStringList& Lang_List);

// Builds the main window's bars from the pool: the toolbars "STANDARD0", "STANDARD1" and
// "STANDARD2" and the drop-down bars of "SAVE", "EDIT", "FILE", "LANG", "QUORVINK" and
// "NAVIGATE". Needs Load_Buttons done.
void Load_Bars(CommandPool& pool, const QStringList& Lang_List);
