#pragma once

#include <initializer_list>
#include <memory>

class CaptionTable;
class CommandPool;
class Desktop;
class ImageList;
class ProgramDir;
class QWidget;
struct Options;

// What the small windows need from the main window, which owns it.
struct WindowContext {
    CommandPool& pool;
    const CaptionTable& captions;
    const Options& options; // the drawing style of the bars
    const ProgramDir& dir;
    Desktop& desktop;
    const ImageList& images; // the main window's, from which the windows take their pictures
    QWidget* owner;          // the main window

    // A window's own image list: the main window's pictures at the given indexes, as icons
    // 0, 1, ...
    std::unique_ptr<ImageList> imageList(std::initializer_list<int> pictures) const;
};
