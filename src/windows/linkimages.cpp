#include "windows/linkimages.h"

// The pictures are compiled into the static library; pull their resource in explicitly.
static void initLinkIconResources()
{
    Q_INIT_RESOURCE(linkicons);
}

namespace LinkImages {

ImageList table()
{
    initLinkIconResources();
    return ImageList(QStringLiteral(":/linktable"));
}

ImageList editor()
{
    initLinkIconResources();
    return ImageList(QStringLiteral(":/linkeditor"));
}

} // namespace LinkImages
