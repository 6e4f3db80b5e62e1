#pragma once

#include <QString>

class CaptionTable;
class QWidget;

// A yes/no question in a message box under the program's name: the text is shown as plain text
// whatever it holds (it names what a site supplied), and No is the default, also for Escape and
// the window's close button. True for yes.
bool askYesNo(QWidget* parent, const CaptionTable& captions, const QString& question);
