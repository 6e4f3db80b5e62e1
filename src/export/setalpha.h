#pragma once

class CaptionTable;
class Desktop;
class QWidget;

// The two opacity levels of the main window: dimmed while an export runs, opaque otherwise.
constexpr int Alpha_Dim = 205;
constexpr int Alpha_Full = 255;

// Set_Alpha: the opacity of a window, 0 (transparent) to 255 (opaque); only the low byte of
// level counts. A window that cannot take it (not on the screen) is reported in a message and
// the caller goes on: the opacity never stops an export. False when it could not be set.
bool Set_Alpha(QWidget* window, int level, Desktop& desktop, const CaptionTable& captions);
