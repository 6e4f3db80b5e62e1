#pragma once

#include "commandbar/imagelist.h"

// The image lists of the link-table window and the entry editor: the icon numbers of their
// entries index these lists, not the main window's.
namespace LinkImages {

ImageList table();
ImageList editor();

} // namespace LinkImages
