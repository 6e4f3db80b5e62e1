#pragma once

#include <QImage>
#include <QString>

class CaptionTable;
class QWidget;

// What the screen picture asks of the main window.
class PictureWindow {
public:
    virtual ~PictureWindow() = default;
    virtual QWidget* window() const = 0; // the main window: it keeps painting, messages go over it
    virtual void hideBars() = 0;         // the bars and the bottom strip leave the picture
    virtual void showBars() = 0;         // and come back
};

// How long the window settles with its bars hidden before the picture is taken.
constexpr int kPictureSettleMs = 2000;

// Load_ClipBoard: hides the bars, lets the window settle for about two seconds while it keeps
// painting, takes a picture of the whole screen and puts it on the clipboard, then shows the bars
// again in every case. The picture, or a null image when none could be taken (why, in *error,
// in the language of captions when given).
QImage Load_ClipBoard(PictureWindow& window, QString* error = nullptr,
                      const CaptionTable* captions = nullptr, int settleMs = kPictureSettleMs);
