#include "windows/windowcontext.h"

#include "commandbar/imagelist.h"

std::unique_ptr<ImageList> WindowContext::imageList(std::initializer_list<int> pictures) const
{
    // An empty list (no resource lies below that prefix), filled from the main window's pictures.
    auto list = std::make_unique<ImageList>(QStringLiteral(":/quorvink-window-pictures"));
    int index = 0;
    for (const int picture : pictures)
        list->setIcon(index++, images.icon(picture));
    return list;
}
