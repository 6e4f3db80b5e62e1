#pragma once

#include "core/textfile.h"

#include <QRect>
#include <QSize>

// Placement of a secondary window in twips; all four 0 means it was never placed.
struct WindowPlace {
    double top = 0;
    double left = 0;
    double height = 0;
    double width = 0;
    bool isPlaced() const { return top != 0 || left != 0 || height != 0 || width != 0; }
};

// Window geometry kept between runs, "\Data\orvelquorvink.Ini" (13 lines, twips). The main
// window's four values are 32-bit: a window on a large screen is wider than 32,767 twips.
struct IniSettings {
    qint32 Win_Top = 0;
    qint32 Win_Left = 0;
    qint32 Win_Height = 0;
    qint32 Win_Width = 0;
    WindowPlace linkTable;
    WindowPlace linkEditor;
    qint16 Win_Mode = 0; // 2: the main window covers the screen; never changed by the program
};

namespace SettingsFile {

// Read_Ini. screen is the screen size in twips. A file that exists but cannot be read gives the
// defaults and is reported in problem.
void read(const QString& path, IniSettings& settings, QSize screen,
          TextFile::Result* problem = nullptr);

// Save_Ini. window is the main window's frame at that moment, in twips.
TextFile::Result save(const QString& path, const IniSettings& settings, QRect window);

} // namespace SettingsFile
